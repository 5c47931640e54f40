#pragma once

#include "catalogue/adding_session.h"
#include "catalogue/item_result.h"

#include <QString>
#include <vector>

namespace lumadex {

// One entry of a folder listing.
struct FolderEntry {
    QString name;
    bool isFolder = false;
};

// Whether the folder is one of the system's own folders (/proc, /sys, /dev) or lies below
// one, by its path or by the path its links lead to. Those are never scanned.
bool IsSystemFolder(const QString& folder);

// The files and folders in folder, hidden ones included, sorted by name (code by code) so that
// a scan visits them in the same order on every file system. Links to folders are left out, so
// a scan never loops; links to files are listed as files. Empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const QString& folder);

// The folder with the native separator appended unless it already ends with one.
QString WithTrailingSeparator(const QString& folder);

// Adds the pictures of folder and, within the depth limit, of its subfolders (whose names do
// not begin with "."), in name order. level is the level of the folder's parent: 0 for the
// folder the user chose. Files whose extension the mask refuses are passed over silently. The
// file count is shown after each file and the list count when the folder is done. Returns the
// result of its last file or subfolder (Done when there was none), or Stopped when the observer
// asked to stop: then every enclosing scan stops too.
ItemResult AddFolder(AddingSession& session, const QString& folder, int level);

} // namespace lumadex
