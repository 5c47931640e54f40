#include "store/history.h"

#include "store/settings_files.h"

#include <QDir>
#include <QFileInfo>

namespace lumadex {
namespace {

bool SamePath(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Paths holding a line break cannot be kept one per line.
bool FitsOnOneLine(const QString& path) {
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

QString HistoryPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QString::fromLatin1(kHistoryFileName));
}

} // namespace

qsizetype FileHistory::indexOf(const QString& path) const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (SamePath(entries_[i], path))
            return i;
    }
    return -1;
}

void FileHistory::add(const QString& path, int limit) {
    if (path.isEmpty() || contains(path))
        return;
    entries_.prepend(path);
    while (entries_.size() > qMax(limit, 0))
        entries_.removeLast();
}

void FileHistory::moveToTop(const QString& path) {
    const qsizetype index = indexOf(path);
    if (index > 0)
        entries_.move(index, 0);
}

void FileHistory::optimize() {
    entries_.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
}

FileHistory FileHistory::load(const QString& programFolder) {
    FileHistory history;
    const auto lines = ReadTextLines(HistoryPath(programFolder));
    if (!lines)
        return history;
    for (const QString& line : *lines) {
        if (!line.isEmpty() && !history.contains(line))
            history.entries_.append(line);
    }
    return history;
}

bool FileHistory::save(const QString& programFolder) const {
    QStringList lines = entries_;
    lines.removeIf([](const QString& path) { return !FitsOnOneLine(path); });
    return WriteTextLines(HistoryPath(programFolder), lines);
}

std::vector<HistoryMenuEntry>
HistoryMenuEntries(const FileHistory& history, const QString& databasePath, bool databaseChanged) {
    std::vector<HistoryMenuEntry> items;
    for (const QString& path : history.entries()) {
        if (!databaseChanged && SamePath(path, databasePath))
            continue;
        items.push_back({path, QFileInfo::exists(path)});
    }
    return items;
}

} // namespace lumadex
