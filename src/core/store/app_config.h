#pragma once

#include <QString>
#include <QStringList>

namespace lumadex {

inline constexpr char kAppConfigFileName[] = "app.cfg";
inline constexpr int kAppConfigLineCount = 39;

struct WindowGeometry {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowGeometry&) const = default;
};

// Bits of the main window's command-button visibility mask (set = visible).
enum class MainButton {
    LeftViewButton,
    ClearEntry,
    CopyRefButton,
    MoveRefButton,
    RefdelButton,
    ButtonRenameLeft,
    RightViewButton,
    CopyButton,
    MoveButton,
    DelButton,
    Rename,
};

// Window geometry and main-window switches kept between runs. Member defaults are the values
// a line takes when it holds no valid number.
struct AppConfig {
    WindowGeometry mainWindow{0, 0, 640, 480};
    WindowGeometry mismatchEditor{0, 0, 360, 344};
    WindowGeometry unlinkedData{0, 0, 394, 293};
    QString openFormFolder;      // current folder of the file-open form's folder list
    QString folderChooserFolder; // current folder of the folder chooser's folder list
    QString openDialogFolder;    // folder of the open dialog's last file; written, not read
    QString saveDialogFolder;    // folder of the save dialog's last file; written, not read
    int buttonVisibility = -1;   // mask of MainButton bits
    bool useSubIndex = false;
    bool usePreviewCache = false;
    QString cacheCount;
    WindowGeometry thumbnail{0, 0, 362, 445};
    bool thumbnailLargeView = false; // SpeedButton1 down, else SpeedButton2
    QString thumbnailCount;
    bool thumbnailKeepAspect = false;

    bool isButtonVisible(MainButton button) const { return (buttonVisibility >> int(button)) & 1; }
    bool operator==(const AppConfig&) const = default;
};

// Sets the settings whose lines are present; settings whose lines are missing keep their
// values in config.
void ParseAppConfig(const QStringList& lines, AppConfig& config);
QStringList FormatAppConfig(const AppConfig& config);

// Reads "app.cfg" from the program folder into config; false, with config unchanged, when
// the file is missing or unreadable.
bool LoadAppConfig(const QString& programFolder, AppConfig& config);
// Writes "app.cfg", replacing the old file only once the new one is complete.
bool SaveAppConfig(const QString& programFolder, const AppConfig& config);

} // namespace lumadex
