#include "catalogue/folder_scan.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace lumadex {
namespace {

bool IsAtOrBelow(QStringView path, QStringView folder) {
    return path.startsWith(folder) &&
           (path.size() == folder.size() || path[folder.size()] == QDir::separator());
}

bool IsSystemPath(const QString& path) {
    static const std::array<QString, 3> kSystemFolders = {
        QDir::toNativeSeparators(QStringLiteral("/proc")),
        QDir::toNativeSeparators(QStringLiteral("/sys")),
        QDir::toNativeSeparators(QStringLiteral("/dev")),
    };
    return std::any_of(kSystemFolders.begin(), kSystemFolders.end(),
                       [&path](const QString& system) { return IsAtOrBelow(path, system); });
}

} // namespace

bool IsSystemFolder(const QString& folder) {
    const QFileInfo info(folder);
    const QString absolute = QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
    const QString canonical = QDir::toNativeSeparators(info.canonicalFilePath());
    return IsSystemPath(absolute) || (!canonical.isEmpty() && IsSystemPath(canonical));
}

std::vector<FolderEntry> ListFolder(const QString& folder) {
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::vector<FolderEntry> entries;
    entries.reserve(std::size_t(infos.size()));
    for (const QFileInfo& info : infos) {
        if (info.isDir() && info.isSymLink())
            continue;
        entries.push_back({info.fileName(), info.isDir()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

QString WithTrailingSeparator(const QString& folder) {
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

ItemResult AddFolder(AddingSession& session, const QString& folder, int level) {
    if (IsSystemFolder(folder))
        return ItemResult::Done;
    ++level;
    if (session.options.depthLimit && *session.options.depthLimit < level)
        return ItemResult::Done;
    if (folder.isEmpty())
        return ItemResult::Stopped;

    if (session.StopAtSafePoint())
        return ItemResult::Stopped;

    const QString dir = WithTrailingSeparator(folder);
    ItemResult result = ItemResult::Done;
    for (const FolderEntry& entry : ListFolder(dir)) {
        if (entry.isFolder) {
            if (entry.name.startsWith(u'.'))
                continue;
            result = AddFolder(session, dir + entry.name, level);
        } else {
            if (!session.IsAcceptedFile(entry.name))
                continue;
            const std::optional<ItemResult> added = session.AddFile(dir + entry.name);
            if (!added)
                continue;
            result = *added;
            if (result != ItemResult::Stopped)
                session.ShowCatalogueCount();
        }
        if (result == ItemResult::Stopped)
            break;
    }
    session.ShowListCount();
    return result;
}

} // namespace lumadex
