#include "catalogue/path_order.h"

#include <QChar>
#include <algorithm>

namespace lumadex {
namespace {

// Reads the code point at position and advances past it, returning its upper-case form.
char32_t NextUpperCodePoint(QStringView text, qsizetype& position) {
    const char16_t unit = text[position].unicode();
    ++position;
    if (unit < 0x80)
        return (unit >= u'a' && unit <= u'z') ? char32_t(unit - (u'a' - u'A')) : char32_t(unit);
    char32_t codePoint = unit;
    if (QChar::isHighSurrogate(unit) && position < text.size() &&
        QChar::isLowSurrogate(text[position].unicode())) {
        codePoint = QChar::surrogateToUcs4(unit, text[position].unicode());
        ++position;
    }
    return QChar::toUpper(codePoint);
}

} // namespace

int ComparePathKeys(QStringView a, QStringView b) {
    // Paths in catalogue order share long folder prefixes: identical units compare equal
    // whatever their case, so skip them, stopping on a code point boundary.
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype start = std::mismatch(a.begin(), a.begin() + shorter, b.begin()).first - a.begin();
    if (start > 0 && QChar::isHighSurrogate(a[start - 1].unicode()))
        --start;
    qsizetype i = start;
    qsizetype j = start;
    while (i < a.size() && j < b.size()) {
        const char32_t left = NextUpperCodePoint(a, i);
        const char32_t right = NextUpperCodePoint(b, j);
        if (left != right)
            return left < right ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

} // namespace lumadex
