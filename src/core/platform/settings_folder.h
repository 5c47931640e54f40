#pragma once

#include <QString>

namespace lumadex {

// Environment variable that, when set and not empty, names the settings folder.
inline constexpr char kSettingsFolderVariable[] = "LUMADEX_HOME";

// The folder of the settings files ("app.cfg", "history.cfg", "default.lx2", ...):
// $LUMADEX_HOME when set, else the user's configuration folder of this application (on
// Windows, the program's folder). Created when missing. The path has no trailing separator.
QString ProgramFolder();

// The path of a settings file in ProgramFolder().
QString ProgramFilePath(const QString& fileName);

} // namespace lumadex
