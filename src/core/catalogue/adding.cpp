#include "catalogue/adding.h"

#include "catalogue/folder_scan.h"

#include <QDir>
#include <QFileInfo>

namespace lumadex {

QString LongPathForm(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return path;
    return QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
}

ItemResult AddDroppedPaths(AddingSession& session, const QStringList& paths) {
    const int countBefore = session.pictures.catalogue().count();
    ItemResult result = ItemResult::Done;
    for (const QString& dropped : paths) {
        const QString path = LongPathForm(dropped);
        if (QFileInfo(path).isDir()) {
            // A folder leaves the result to the files, but a stop inside it ends the drop.
            if (AddFolder(session, path, 0) == ItemResult::Stopped)
                result = ItemResult::Stopped;
        } else if (session.IsAcceptedFile(path)) {
            const std::optional<ItemResult> added = session.AddFile(path);
            if (!added)
                continue;
            result = *added;
        } else {
            result = ItemResult::Skipped;
            session.pictures.LogMessage(kIllegalExtensionText + path);
        }
        if (result == ItemResult::Stopped)
            break;
    }

    if (result == ItemResult::Done)
        session.observer.ShowStatus(StatusPanel::Progress, kUpdatingListText);
    if (session.pictures.catalogue().count() != countBefore && session.options.refreshLists)
        session.observer.RefreshLists();
    if (result == ItemResult::Done)
        session.observer.ShowStatus(StatusPanel::Result, kDropDoneText);
    return result;
}

ItemResult AddPicturesFromFolder(AddingSession& session, const QString& folder, bool makeErrorLog) {
    session.pictures.ClearNewAdded();
    if (makeErrorLog)
        session.pictures.setLogToFile(true);
    const ItemResult result = AddFolder(session, folder, 0);
    session.pictures.setLogToFile(false);

    session.observer.ShowStatus(StatusPanel::Progress, kUpdatingListText);
    if (session.options.refreshLists)
        session.observer.RefreshLists();
    session.observer.ShowStatus(StatusPanel::Progress, kAddingDoneText);
    return result;
}

ItemResult AddChosenFiles(AddingSession& session, const QString& folder, const QStringList& names) {
    const int total = int(names.size());
    session.observer.ShowFilesProgress(0, total);
    session.pictures.ClearNewAdded();
    const QString dir = WithTrailingSeparator(folder);
    ItemResult result = ItemResult::Stopped;
    for (int i = 0; i < total; ++i) {
        session.observer.ShowFilesProgress(i + 1, total);
        const std::optional<ItemResult> added = session.AddFile(dir + names[i]);
        if (!added)
            continue;
        result = *added;
        if (result == ItemResult::Stopped)
            break;
        session.ShowCatalogueCount();
    }

    if (session.options.refreshLists)
        session.observer.RefreshLists();
    if (result == ItemResult::Done) {
        session.observer.ShowStatus(StatusPanel::Progress, kAddingDoneText);
        session.ShowListCount();
    }
    return result;
}

} // namespace lumadex
