#include "store/default_options_file.h"

#include "store/database_header.h"
#include "store/settings_files.h"

#include <QDir>
#include <QFile>
#include <span>

namespace lumadex {
namespace {

QString PathIn(const QString& folder, const char* name) {
    return QDir(folder).filePath(QString::fromLatin1(name));
}

} // namespace

bool HasDefaultOptionsFile(const QString& programFolder) {
    return QFile::exists(PathIn(programFolder, kDefaultOptionsFileName));
}

bool SaveDefaultOptions(const QString& programFolder, const OptionModel& options) {
    // The defaults describe no catalogue: no reference and no records.
    const DatabaseHeader header = BuildDatabaseHeader(options, -1, 0);
    const QByteArray bytes(reinterpret_cast<const char*>(header.data()), qsizetype(header.size()));
    return ReplaceFileContents(PathIn(programFolder, kDefaultOptionsFileName), bytes);
}

LoadDefaultOptionsResult LoadDefaultOptions(const QString& programFolder, OptionModel& options) {
    LoadDefaultOptionsResult result;
    QString path = PathIn(programFolder, kDefaultOptionsFileName);
    if (QFile::exists(path)) {
        result.source = DefaultOptionsSource::CurrentName;
    } else {
        path = PathIn(programFolder, kOlderDefaultOptionsFileName);
        if (!QFile::exists(path))
            return result;
        result.source = DefaultOptionsSource::OlderName;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.read(qint64(kDatabaseHeaderSize));
    const DatabaseHeaderInfo info =
        ApplyDatabaseHeader(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      std::size_t(bytes.size())),
                            options);
    result.applied = info.isValid();
    result.oldFormat = info.isOldFormat();
    return result;
}

} // namespace lumadex
