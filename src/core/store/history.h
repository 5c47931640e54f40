#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace lumadex {

inline constexpr char kHistoryFileName[] = "history.cfg";

// The database files worked with, newest first, without duplicates (paths compared without
// regard to letter case).
class FileHistory {
public:
    const QStringList& entries() const { return entries_; }
    bool isEmpty() const { return entries_.isEmpty(); }
    bool contains(const QString& path) const { return indexOf(path) >= 0; }

    // A path already listed keeps its place; a new one goes on top, and the oldest entries
    // beyond limit (the HistoryCount option) are dropped.
    void add(const QString& path, int limit);
    // Moves a listed path to the top, as when it is opened from the history.
    void moveToTop(const QString& path);
    // Drops every entry whose file no longer exists.
    void optimize();
    void clear() { entries_.clear(); }

    // Reads "history.cfg" from the program folder; a missing or unreadable file gives an empty
    // history.
    static FileHistory load(const QString& programFolder);
    // Writes "history.cfg", one path per line, newest first.
    bool save(const QString& programFolder) const;

private:
    qsizetype indexOf(const QString& path) const;

    QStringList entries_;
};

struct HistoryMenuEntry {
    QString path;
    bool enabled = true; // false when the file no longer exists

    bool operator==(const HistoryMenuEntry&) const = default;
};

// The File menu's history items: every entry in order, except the open database while it is
// unchanged; entries whose file is gone are disabled.
std::vector<HistoryMenuEntry> HistoryMenuEntries(const FileHistory& history,
                                                 const QString& databasePath, bool databaseChanged);

} // namespace lumadex
