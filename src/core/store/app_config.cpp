#include "store/app_config.h"

#include "store/settings_files.h"

#include <QDir>

namespace lumadex {
namespace {

// Reads single lines into settings, leaving a setting alone when its line is missing.
class LineReader {
public:
    explicit LineReader(const QStringList& lines) : lines_(lines) {}

    void integer(int line, int& value, int fallback) const {
        if (line >= lines_.size())
            return;
        bool ok = false;
        const int number = lines_[line].trimmed().toInt(&ok, 10);
        value = ok ? number : fallback;
    }
    void flag(int line, bool& value) const {
        int number = value ? 1 : 0;
        integer(line, number, 0);
        value = number == 1;
    }
    void text(int line, QString& value) const {
        if (line < lines_.size())
            value = lines_[line];
    }
    void topLeftFirst(int line, WindowGeometry& geometry, const WindowGeometry& fallback) const {
        integer(line, geometry.top, fallback.top);
        integer(line + 1, geometry.left, fallback.left);
        sizeAt(line + 2, geometry, fallback);
    }
    void leftTopFirst(int line, WindowGeometry& geometry, const WindowGeometry& fallback) const {
        integer(line, geometry.left, fallback.left);
        integer(line + 1, geometry.top, fallback.top);
        sizeAt(line + 2, geometry, fallback);
    }

private:
    void sizeAt(int line, WindowGeometry& geometry, const WindowGeometry& fallback) const {
        integer(line, geometry.width, fallback.width);
        integer(line + 1, geometry.height, fallback.height);
    }

    const QStringList& lines_;
};

QString Number(int value) {
    return QString::number(value);
}
QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// A text that would break the file into extra lines is kept empty instead.
QString OneLine(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ? QString() : text;
}

QString ConfigPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QString::fromLatin1(kAppConfigFileName));
}

} // namespace

void ParseAppConfig(const QStringList& lines, AppConfig& config) {
    const AppConfig fallback;
    const LineReader read(lines);
    read.topLeftFirst(0, config.mainWindow, fallback.mainWindow);
    read.topLeftFirst(8, config.mismatchEditor, fallback.mismatchEditor);
    read.topLeftFirst(12, config.unlinkedData, fallback.unlinkedData);
    read.text(16, config.openFormFolder);
    read.text(17, config.folderChooserFolder);
    read.integer(20, config.buttonVisibility, fallback.buttonVisibility);
    read.flag(29, config.useSubIndex);
    read.flag(30, config.usePreviewCache);
    read.text(31, config.cacheCount);
    read.leftTopFirst(32, config.thumbnail, fallback.thumbnail);
    read.flag(36, config.thumbnailLargeView);
    read.text(37, config.thumbnailCount);
    read.flag(38, config.thumbnailKeepAspect);
}

QStringList FormatAppConfig(const AppConfig& config) {
    const auto topLeftFirst = [](const WindowGeometry& g) {
        return QStringList{Number(g.top), Number(g.left), Number(g.width), Number(g.height)};
    };
    const WindowGeometry& thumbnail = config.thumbnail;
    QStringList lines;
    lines << topLeftFirst(config.mainWindow) << QStringList{"0", "0", "640", "480"}
          << topLeftFirst(config.mismatchEditor) << topLeftFirst(config.unlinkedData)
          << OneLine(config.openFormFolder) << OneLine(config.folderChooserFolder)
          << OneLine(config.openDialogFolder) << OneLine(config.saveDialogFolder)
          << Number(config.buttonVisibility)
          << QStringList{"0", "0", "200", "480", "0", "0", "200", "480"} << Flag(config.useSubIndex)
          << Flag(config.usePreviewCache) << OneLine(config.cacheCount) << Number(thumbnail.left)
          << Number(thumbnail.top) << Number(thumbnail.width) << Number(thumbnail.height)
          << Flag(config.thumbnailLargeView) << OneLine(config.thumbnailCount)
          << Flag(config.thumbnailKeepAspect);
    return lines;
}

bool LoadAppConfig(const QString& programFolder, AppConfig& config) {
    const auto lines = ReadTextLines(ConfigPath(programFolder));
    if (!lines)
        return false;
    ParseAppConfig(*lines, config);
    return true;
}

bool SaveAppConfig(const QString& programFolder, const AppConfig& config) {
    return WriteTextLines(ConfigPath(programFolder), FormatAppConfig(config));
}

} // namespace lumadex
