#include "platform/settings_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace lumadex {
namespace {

// The configuration folder's name when the application has not named itself.
constexpr char kFallbackApplicationName[] = "Lumadex Lite";

QString DefaultProgramFolder() {
#ifdef Q_OS_WIN
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
#endif
    // Without an application name the configuration location is the shared configuration
    // folder itself, which must not fill up with this program's files.
    if (QCoreApplication::applicationName().isEmpty()) {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QString::fromLatin1(kFallbackApplicationName));
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace

QString ProgramFolder() {
    QString folder = qEnvironmentVariable(kSettingsFolderVariable);
    if (folder.isEmpty())
        folder = DefaultProgramFolder();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder);
}

QString ProgramFilePath(const QString& fileName) {
    return QDir::toNativeSeparators(QDir(ProgramFolder()).filePath(fileName));
}

} // namespace lumadex
