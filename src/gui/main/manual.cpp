#include "main/manual.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace lumadex {

QStringList ManualFolders(const QString& executableFolder) {
    const QDir executableDir(executableFolder);
    QStringList folders = {
        QDir::cleanPath(executableDir.filePath(QStringLiteral("../share/") + kDataFolderName)),
        QDir::cleanPath(executableDir.absolutePath()),
    };
    for (const QString& dataFolder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir(dataFolder).filePath(kDataFolderName);
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QString FindManual(const QString& executableFolder) {
    for (const QString& folder : ManualFolders(executableFolder)) {
        const QFileInfo manual(QDir(folder).filePath(kManualFileName));
        if (manual.isFile())
            return QDir::toNativeSeparators(manual.absoluteFilePath());
    }
    return {};
}

QString ManualPath() {
    return FindManual(QCoreApplication::applicationDirPath());
}

bool ManualExists() {
    return !ManualPath().isEmpty();
}

bool OpenManual() {
    const QString path = ManualPath();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace lumadex
