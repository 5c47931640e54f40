#pragma once

#include <QStringView>

namespace lumadex {

// Orders paths by their upper-case form, code point by code point: the catalogue's order.
// Paths that differ only in letter case compare equal. Nothing is allocated, so the order can
// be evaluated on the fly without storing the upper-cased key.
int ComparePathKeys(QStringView a, QStringView b);

inline bool PathKeyLess(QStringView a, QStringView b) {
    return ComparePathKeys(a, b) < 0;
}

} // namespace lumadex
