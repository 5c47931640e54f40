#include "catalogue/list_key_order.h"

#include <QVarLengthArray>
#include <algorithm>
#include <utility>
#include <vector>

namespace lumadex {
namespace {

using KeyBuffer = QVarLengthArray<QChar, 128>;

QStringView WithoutHyphens(QStringView key, KeyBuffer& buffer) {
    if (!key.contains(u'-'))
        return key;
    buffer.clear();
    for (const QChar c : key) {
        if (c != u'-')
            buffer.append(c);
    }
    return QStringView(buffer.constData(), buffer.size());
}

} // namespace

constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastPrintable = 0x7E;

ListKeyOrder::ListKeyOrder(const QLocale& locale) : collator_(locale) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);

    // Rank the printable characters (the hyphen has no weight) by collating them one by one.
    std::vector<QChar> characters;
    for (char16_t c = kFirstPrintable; c <= kLastPrintable; ++c) {
        if (c != u'-')
            characters.push_back(QChar(c));
    }
    std::stable_sort(characters.begin(), characters.end(), [this](QChar a, QChar b) {
        return collator_.compare(QStringView(&a, 1), QStringView(&b, 1)) < 0;
    });
    std::uint8_t rank = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (i == 0 || collator_.compare(QStringView(&characters[i - 1], 1),
                                        QStringView(&characters[i], 1)) != 0)
            ++rank;
        asciiRank_[characters[i].unicode()] = rank;
    }
    for (const QChar c : characters) {
        rankDecisive_[c.unicode()] =
            std::all_of(characters.begin(), characters.end(), [&](QChar other) {
                return asciiRank_[other.unicode()] != asciiRank_[c.unicode()] ||
                       other.toCaseFolded() == c.toCaseFolded();
            });
    }
    ranksUsable_ = RanksMatchCollation();
    // Some collations build their sort keys with letter case even when comparing without.
    collationKeysUsable_ =
        collator_.sortKey(QStringLiteral("ab")).compare(collator_.sortKey(QStringLiteral("AB"))) ==
        0;
}

// Ranks stand in for the collation only when it weighs every printable character on its own
// and compares texts character by character: no character is ignored between others ("a" c "b"
// against "ab" follows c's rank against b's) and a longer text follows its own prefix. Some
// collations ignore punctuation; those keep the collation's sort keys.
bool ListKeyOrder::RanksMatchCollation() const {
    for (char16_t c = kFirstPrintable; c <= kLastPrintable; ++c) {
        if (c == u'-')
            continue;
        const QString inner = QStringLiteral("a") + QChar(c) + QStringLiteral("b");
        // With c ranked as b, "abb" is the longer text and follows "ab".
        const int byRank = asciiRank_[c] < asciiRank_['b'] ? -1 : 1;
        const int collated = collator_.compare(inner, QStringLiteral("ab"));
        if ((collated > 0) - (collated < 0) != byRank)
            return false;
        const QString longer = QStringLiteral("a") + QChar(c);
        if (collator_.compare(longer, QStringLiteral("a")) <= 0)
            return false;
    }
    // Letter pairs in rank order must collate in that order: a collation that joins two
    // letters into one (as some languages do) fails here.
    std::vector<std::pair<std::string, QString>> pairs;
    for (char16_t first = u'a'; first <= u'z'; ++first) {
        for (char16_t second = u'a'; second <= u'z'; ++second) {
            const QString pair = QString(QChar(first)) + QChar(second);
            std::string ranks;
            AppendRanksOf(pair, ranks);
            pairs.emplace_back(std::move(ranks), pair);
        }
    }
    std::sort(pairs.begin(), pairs.end());
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const int collated = collator_.compare(pairs[i - 1].second, pairs[i].second);
        if (pairs[i - 1].first == pairs[i].first ? collated != 0 : collated >= 0)
            return false;
    }
    return true;
}

std::optional<std::string> ListKeyOrder::AsciiRanks(QStringView key) const {
    std::string ranks;
    if (AppendAsciiRanks(key, ranks) == Ranking::None)
        return std::nullopt;
    return ranks;
}

ListKeyOrder::Ranking ListKeyOrder::AppendAsciiRanks(QStringView key, std::string& ranks) const {
    return ranksUsable_ ? AppendRanksOf(key, ranks) : Ranking::None;
}

ListKeyOrder::Ranking ListKeyOrder::AppendRanksOf(QStringView key, std::string& ranks) const {
    bool decisive = true;
    for (const QChar c : key) {
        const char16_t unit = c.unicode();
        if (unit == u'-') {
            decisive = false;
            continue;
        }
        if (unit < kFirstPrintable || unit > kLastPrintable)
            return Ranking::None;
        ranks.push_back(char(asciiRank_[unit]));
        decisive = decisive && rankDecisive_[unit];
    }
    return decisive ? Ranking::Decisive : Ranking::Tied;
}

std::optional<QCollatorSortKey> ListKeyOrder::CollationKey(QStringView key) const {
    if (!collationKeysUsable_)
        return std::nullopt;
    KeyBuffer buffer;
    return collator_.sortKey(WithoutHyphens(key, buffer).toString());
}

int ListKeyOrder::Compare(QStringView a, QStringView b) const {
    KeyBuffer bufferA;
    KeyBuffer bufferB;
    const QStringView strippedA = WithoutHyphens(a, bufferA);
    const QStringView strippedB = WithoutHyphens(b, bufferB);
    if (const int primary = collator_.compare(strippedA, strippedB); primary != 0)
        return primary;
    const bool hadHyphens = strippedA.size() != a.size() || strippedB.size() != b.size();
    if (const int withHyphens = hadHyphens ? collator_.compare(a, b) : 0; withHyphens != 0)
        return withHyphens;
    // Keys the collation cannot tell apart are ordered by their characters, so that only keys
    // equal but for letter case count as equal.
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace lumadex
