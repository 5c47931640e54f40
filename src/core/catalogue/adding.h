#pragma once

#include "catalogue/adding_session.h"
#include "catalogue/item_result.h"

#include <QString>
#include <QStringList>

namespace lumadex {

// The form a dropped path is stored in: absolute and cleaned, with native separators, when
// the path exists; unchanged when it does not.
QString LongPathForm(const QString& path);

// Adds files and folders dropped on the main window, in the order given: folders are scanned
// with AddFolder, files with an accepted extension are analysed under the same-name rule, any
// other file is reported as "Illegal file extention:" + path. The new-added list is kept.
// Stops at the first item stopped by the observer. Returns the result of the last file (Done
// when only folders came).
ItemResult AddDroppedPaths(AddingSession& session, const QStringList& paths);

// Adds the pictures of a chosen folder and its subfolders, after clearing the new-added list;
// with makeErrorLog, problems also go to the log file meanwhile. Ends with "Adding pictures
// done." even when stopped.
ItemResult AddPicturesFromFolder(AddingSession& session, const QString& folder, bool makeErrorLog);

// Adds the files chosen in the open form: names in folder, in the order given, after clearing
// the new-added list. Progress goes over the chosen files. Returns the result of the last file
// analysed, Stopped also when there was none; "Adding pictures done." and the list count are
// shown only when it is Done.
ItemResult AddChosenFiles(AddingSession& session, const QString& folder, const QStringList& names);

} // namespace lumadex
