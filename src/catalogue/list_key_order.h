#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>

namespace lumadex {

// The order of the sort keys of the Reference and Target lists: the locale's collation,
// ignoring letter case, in which a hyphen has no weight. Keys that differ only in their
// hyphens are still told apart (the hyphens decide last), so "ab" and "a-b" are two keys,
// while "a-c" sorts after "ab" and "-2147483648" after "2147483647". Only keys that differ in
// letter case alone compare equal.
class ListKeyOrder {
public:
    explicit ListKeyOrder(const QLocale& locale = QLocale());

    // Negative, zero or positive as a sorts before, equal to or after b.
    int Compare(QStringView a, QStringView b) const;
    bool Less(QStringView a, QStringView b) const { return Compare(a, b) < 0; }

private:
    QCollator collator_;
};

} // namespace lumadex
