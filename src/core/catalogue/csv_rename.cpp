#include "catalogue/csv_rename.h"

#include "catalogue/csv_split.h"

#include <QFile>

namespace lumadex {

QString CsvRenameResult::StatusText() const {
    return QString::number(changedCount) + QStringLiteral(" FileName Changed.");
}

CsvRenameResult RenameFromCsvText(PictureCatalogue& pictures, QStringView text) {
    CsvRenameResult result;
    const QStringList lines = SplitTextLines(text);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = SplitCommaText(lines[i]);
        if (fields.size() < 3) {
            result.invalid = true;
            break;
        }
        const QString& folder = fields[1];
        const int index = pictures.catalogue().FindRecord(folder + fields[0]);
        if (index < 0)
            continue;
        pictures.catalogue().ChangePath(index, folder + fields[2]);
        pictures.setDataChanged(true);
        ++result.changedCount;
    }
    return result;
}

CsvRenameResult RenameFromCsvFile(PictureCatalogue& pictures, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CsvRenameResult{0, true};
    return RenameFromCsvText(pictures, QString::fromUtf8(file.readAll()));
}

} // namespace lumadex
