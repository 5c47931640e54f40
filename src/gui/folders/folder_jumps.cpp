#include "folders/folder_jumps.h"

#include "catalogue/folder_scan.h"
#include "document/document.h"
#include "folders/folder_tree.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace lumadex {

QString FolderOfFile(const QString& filePath) {
    return QDir::toNativeSeparators(QFileInfo(QDir::fromNativeSeparators(filePath)).path());
}

bool CanMoveToDatabaseFolder(const QString& databasePath, const QString& currentFolder) {
    return !databasePath.isEmpty() && WithTrailingSeparator(FolderOfFile(databasePath)) !=
                                          WithTrailingSeparator(currentFolder);
}

void AddFolderJumps(QMenu& menu, FolderTree& tree, const Document& document) {
    QAction* home = menu.addAction(QStringLiteral("Move to Database Folder"));
    home->setObjectName(QStringLiteral("HomeFolder1"));
    QObject::connect(home, &QAction::triggered, &tree, [&tree, &document] {
        tree.setDirectory(FolderOfFile(document.databasePath()));
    });

    QAction* fileFolder = menu.addAction(QStringLiteral("Move to File Folder"));
    fileFolder->setObjectName(QStringLiteral("MovetoFileFolder1"));
    QObject::connect(fileFolder, &QAction::triggered, &tree, [&tree, &document] {
        if (const Pdata* reference = document.currentReference())
            tree.setDirectory(FolderOfFile(reference->fileName));
    });

    QObject::connect(&menu, &QMenu::aboutToShow, home, [home, &tree, &document] {
        home->setEnabled(CanMoveToDatabaseFolder(document.databasePath(), tree.directory()));
    });
}

} // namespace lumadex
