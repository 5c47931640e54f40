#include "adding/picture_adder.h"

#include "adding/adding_progress.h"
#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "catalogue/adding.h"
#include "document/document.h"
#include "folders/TDirSel.h"
#include "folders/dialog_placement.h"

#include <QCoreApplication>
#include <QDialog>
#include <QScopeGuard>
#include <QWidget>

namespace lumadex {

PictureAdder::PictureAdder(Document& document, TProgress& progress, TDirSel& dirSel,
                           TOpenForm& openForm, QWidget* mainWindow)
    : QObject(mainWindow), document_(document), progress_(progress), dirSel_(dirSel),
      openForm_(openForm), mainWindow_(mainWindow),
      extensionMask_(QString::fromUtf16(kNativeExtensionMask)) {}

void PictureAdder::SetReferenceList(const RecordListStore* referenceList) {
    referenceList_ = referenceList;
}

void PictureAdder::SetExtensionMask(const QString& mask) {
    extensionMask_ = mask;
    openForm_.SetMask(mask);
}

void PictureAdder::ShowProgressText(const QString& text) {
    Q_EMIT StatusText(kProgressPanel, text);
    if (mainWindow_ && mainWindow_->isVisible())
        mainWindow_->repaint();
}

void PictureAdder::AddDroppedPaths(const QStringList& paths) {
    if (busy_ || paths.isEmpty())
        return;
    Run(false,
        [&paths](AddingSession& session) { return lumadex::AddDroppedPaths(session, paths); });
}

void PictureAdder::AddPicturesFromFolder() {
    if (busy_)
        return;
    const QSize dialogSize = dirSel_.size();
    const auto restoreSize = qScopeGuard([&] { dirSel_.resize(dialogSize); });
    dirSel_.SetMode(TDirSel::AddFolder);
    if (!ChosenInDialog(dirSel_))
        return;
    const QString folder = dirSel_.directory();
    const bool makeErrorLog = dirSel_.makeErrorLog();

    QPointer<QWidget> minimised;
    Qt::WindowStates mainWindowState = Qt::WindowNoState;
    if (dirSel_.minimizeWhileAdding() && mainWindow_ && mainWindow_->isVisible()) {
        minimised = mainWindow_;
        mainWindowState = mainWindow_->windowState();
        mainWindow_->setWindowState(mainWindowState | Qt::WindowMinimized);
        progress_.setWindowState(progress_.windowState() | Qt::WindowMinimized);
    }
    Run(false, [&](AddingSession& session) {
        return lumadex::AddPicturesFromFolder(session, folder, makeErrorLog);
    });
    progress_.setWindowState(progress_.windowState() & ~Qt::WindowMinimized);
    if (minimised)
        minimised->setWindowState(mainWindowState);
}

void PictureAdder::AddPicturesWithOpenForm() {
    if (busy_)
        return;
    if (!ChosenInDialog(openForm_))
        return;
    const QString folder = openForm_.directory();
    const QStringList names = openForm_.SelectedNames();
    Run(true, [&](AddingSession& session) { return AddChosenFiles(session, folder, names); });
}

bool PictureAdder::ChosenInDialog(QDialog& dialog) {
    busy_ = true;
    const auto done = qScopeGuard([this] { busy_ = false; });
    PlaceDialogAtCursor(dialog);
    return dialog.exec() == QDialog::Accepted;
}

ItemResult PictureAdder::Run(bool filesBarShown,
                             const std::function<ItemResult(AddingSession&)>& add) {
    busy_ = true;
    const auto done = qScopeGuard([this] { busy_ = false; });
    Q_EMIT AddingStarting();

    progress_.hide();
    progress_.SetFilesBarVisible(filesBarShown);
    progress_.setWindowModality(Qt::ApplicationModal);
    progress_.show();
    QCoreApplication::processEvents();

    AddingProgress observer(progress_, *this);
    AddingSession session{
        document_.pictures(),
        referenceList_ ? *referenceList_ : noReferenceList_,
        AddingOptionsFrom(document_.options(), dirSel_.depthLimit(), extensionMask_),
        observer,
    };
    const ItemResult result = add(session);

    progress_.hide();
    progress_.SetFilesBarVisible(true);
    document_.UpdateTitle(false);
    return result;
}

} // namespace lumadex
