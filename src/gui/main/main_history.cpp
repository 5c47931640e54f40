// TMain: the file history listed at the end of the File menu.

#include "main/TMain.h"

#include <QAction>
#include <QMenu>

namespace lumadex {
namespace {

// A menu caption that shows the path as it is: "&" would otherwise mark an accelerator.
QString LiteralCaption(const QString& path) {
    QString caption = path;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void TMain::ConnectHistory() {
    connect(menus_.file, &QMenu::aboutToShow, this, &TMain::File1Click);
    connect(MenuItem(QStringLiteral("OptimizeHistory1")), &QAction::triggered, this,
            &TMain::OptimizeHistory1Click);
    connect(MenuItem(QStringLiteral("ClearHistory1")), &QAction::triggered, this,
            &TMain::ClearHistory1Click);
}

void TMain::File1Click() {
    const FileHistory& history = document_.history();
    MenuItem(QStringLiteral("ClearHistory1"))->setEnabled(!history.isEmpty());
    MenuItem(QStringLiteral("OptimizeHistory1"))->setEnabled(!history.isEmpty());

    const QList<QAction*> items = menus_.file->actions();
    for (qsizetype i = items.indexOf(menus_.historySeparator) + 1; i < items.size(); ++i)
        delete items[i];
    const bool changed = document_.dataChanged() || document_.optionsChanged();
    for (const HistoryMenuEntry& entry :
         HistoryMenuEntries(history, document_.databasePath(), changed)) {
        // The item keeps the path itself; its caption only shows it.
        QAction* item = menus_.file->addAction(LiteralCaption(entry.path));
        item->setObjectName(QStringLiteral("FileHistory"));
        item->setEnabled(entry.enabled);
        connect(item, &QAction::triggered, this,
                [this, path = entry.path] { FileHistoryClick(path); });
    }
}

void TMain::FileHistoryClick(const QString& path) {
    document_.setPendingDatabasePath(path);
    Opendatabase1Click();
    // An Open refused at the save question (or while the lists are rebuilt) has not taken the
    // path; the next Open must ask for its file instead of reading this one unasked.
    document_.setPendingDatabasePath(QString());
    document_.history().moveToTop(path);
}

void TMain::OptimizeHistory1Click() {
    document_.history().optimize();
}

void TMain::ClearHistory1Click() {
    document_.history().clear();
}

} // namespace lumadex
