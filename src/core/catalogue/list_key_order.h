#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

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

    // Keys prepared once so that sorting many compares bytes instead of collating texts. Two
    // prepared keys compare (byte-wise) as Compare would before its tie-breaks: when they are
    // equal, Compare decides.
    //
    // A key of printable ASCII characters is prepared as one rank byte per character, the
    // hyphens left out, when the collation orders such texts character by character (checked
    // when the order is made); any key is prepared as the collation's own sort key. The two
    // kinds must not be compared with each other.
    std::optional<std::string> AsciiRanks(QStringView key) const;

    // What AppendAsciiRanks made of a key.
    enum class Ranking {
        None,     // no rank bytes (ranks then holds a partial key)
        Decisive, // two Decisive keys with equal rank bytes differ at most in letter case, so
                  // Compare finds them equal
        Tied,     // equal rank bytes leave the tie-breaks of Compare to decide: the key has a
                  // hyphen or a character that shares its rank with another than its other case
    };
    // The rank bytes of key appended to ranks.
    Ranking AppendAsciiRanks(QStringView key, std::string& ranks) const;
    // The collation's sort key of the key without its hyphens, when such keys ignore letter
    // case as Compare does.
    std::optional<QCollatorSortKey> CollationKey(QStringView key) const;

private:
    bool RanksMatchCollation() const;
    Ranking AppendRanksOf(QStringView key, std::string& ranks) const;

    QCollator collator_;
    // Rank of each printable ASCII character (0x20..0x7E) in the collation, 1 upwards; equal
    // for characters the collation does not tell apart. Empty when ranks cannot stand in for
    // the collation.
    std::array<std::uint8_t, 128> asciiRank_{};
    // Whether the only other character of each one's rank, if any, is its other letter case.
    std::array<bool, 128> rankDecisive_{};
    bool ranksUsable_ = false;
    bool collationKeysUsable_ = false;
};

} // namespace lumadex
