#pragma once

#include "catalogue/picture_catalogue.h"

#include <QString>
#include <QStringView>

namespace lumadex {

inline const QString kInvalidCsvMessage = QStringLiteral("ERROR:Invalid CSV");

struct CsvRenameResult {
    int changedCount = 0;
    // A line had fewer than three fields (or the file could not be read): the lines after it
    // were not processed. The changes made before it stay.
    bool invalid = false;

    // count + " FileName Changed."
    QString StatusText() const;
};

// Rewrites stored paths from CSV lines of old file name, folder (ending with its separator)
// and new file name; the first line is a header and further fields are ignored. The record of
// folder + old name (letter case ignored) is given the path folder + new name; lines whose old
// path is not in the catalogue are passed over. Files on disk are not touched. Marks the data
// changed when a record was renamed.
CsvRenameResult RenameFromCsvText(PictureCatalogue& pictures, QStringView text);

// The same with the text of a UTF-8 file.
CsvRenameResult RenameFromCsvFile(PictureCatalogue& pictures, const QString& path);

} // namespace lumadex
