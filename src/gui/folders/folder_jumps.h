#pragma once

#include <QString>

class QMenu;

namespace lumadex {

class Document;
class FolderTree;

// The folder holding a file, with native separators and no trailing separator.
QString FolderOfFile(const QString& filePath);

// Whether "Move to Database Folder" leads anywhere: a database path is known and its folder
// is not the current one.
bool CanMoveToDatabaseFolder(const QString& databasePath, const QString& currentFolder);

// Adds "Move to Database Folder" (HomeFolder1) and "Move to File Folder" (MovetoFileFolder1)
// to the folder list's pop-up menu: they make the open database's folder or the current
// reference picture's folder the tree's current folder. The first is enabled each time the
// menu opens only when it leads somewhere.
void AddFolderJumps(QMenu& menu, FolderTree& tree, const Document& document);

} // namespace lumadex
