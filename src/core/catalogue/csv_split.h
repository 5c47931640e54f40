#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace lumadex {

// The lines of a text: each ends at CR LF, LF or CR; a last line without an ending counts, an
// ending at the very end adds no empty line. The text ends at its first NUL character.
QStringList SplitTextLines(QStringView text);

// The comma-separated fields of a line. Blanks and control characters before a field are
// skipped. A field that starts with a double quote runs to the matching closing quote, a
// doubled quote inside standing for one; any other field runs up to a comma or a character
// of code 32 or less, so an unquoted blank also separates fields. After a field, blanks and
// control characters and then one comma are consumed; two commas in a row thus give an empty
// field, while a comma that ends the line adds none. The line ends at its first NUL character.
QStringList SplitCommaText(QStringView line);

} // namespace lumadex
