#include "catalogue/csv_split.h"

namespace lumadex {
namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

QStringView UpToNul(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

// Blanks and control characters, which separate fields.
bool IsSpace(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

qsizetype SkipSpaces(QStringView line, qsizetype at) {
    while (at < line.size() && IsSpace(line[at]))
        ++at;
    return at;
}

// The quoted field that starts at line[at]; at moves past its closing quote (or to the end of
// a line whose quote is never closed).
QString QuotedField(QStringView line, qsizetype& at) {
    QString field;
    for (++at; at < line.size(); ++at) {
        if (line[at] != kQuote) {
            field.append(line[at]);
            continue;
        }
        if (at + 1 < line.size() && line[at + 1] == kQuote) {
            field.append(kQuote);
            ++at;
            continue;
        }
        ++at;
        break;
    }
    return field;
}

QString PlainField(QStringView line, qsizetype& at) {
    const qsizetype start = at;
    while (at < line.size() && line[at].unicode() > 32 && line[at] != kComma)
        ++at;
    return line.mid(start, at - start).toString();
}

} // namespace

QStringList SplitTextLines(QStringView text) {
    text = UpToNul(text);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'\r' && text[at] != u'\n')
            continue;
        lines.append(text.mid(start, at - start).toString());
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start).toString());
    return lines;
}

QStringList SplitCommaText(QStringView line) {
    line = UpToNul(line);
    QStringList fields;
    qsizetype at = SkipSpaces(line, 0);
    while (at < line.size()) {
        fields.append(line[at] == kQuote ? QuotedField(line, at) : PlainField(line, at));
        at = SkipSpaces(line, at);
        if (at < line.size() && line[at] == kComma)
            at = SkipSpaces(line, at + 1);
    }
    return fields;
}

} // namespace lumadex
