#include "store/settings_files.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace lumadex {

bool ReplaceFileContents(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QStringList> ReadTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // A final line end closes the last line rather than opening an empty one.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool WriteTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return ReplaceFileContents(path, bytes);
}

} // namespace lumadex
