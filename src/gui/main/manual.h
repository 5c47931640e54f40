#pragma once

#include <QString>
#include <QStringList>

namespace lumadex {

// File name of the user manual.
inline constexpr char kManualFileName[] = "manual.html";
// Folder of the program's data files below an installation's data folder (share/).
inline constexpr char kDataFolderName[] = "lumadex-lite";

// The folders searched for the manual, in order, for a program whose executable lies in
// executableFolder: the data folder of that installation (../share/lumadex-lite), the
// executable's own folder (the build tree, and a program unpacked into one folder), then
// lumadex-lite/ under the user's and the system's data folders ($XDG_DATA_HOME,
// $XDG_DATA_DIRS).
QStringList ManualFolders(const QString& executableFolder);

// The first existing manual in ManualFolders(executableFolder); empty when there is none.
QString FindManual(const QString& executableFolder);

// "manual.html" where the running program finds it; empty when there is none.
QString ManualPath();
bool ManualExists();

// Opens the manual with the desktop's browser; false when there is no manual or the desktop
// could not open it.
bool OpenManual();

} // namespace lumadex
