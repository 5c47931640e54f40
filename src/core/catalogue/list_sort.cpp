#include "catalogue/list_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace lumadex {
namespace {

using Indices = std::vector<std::uint32_t>;

// Equal prepared keys leave the order's tie-breaks to decide: the key has a hyphen, or a
// character that shares its rank with another than its other letter case.
constexpr std::uint8_t kTied = 1;
// The key has more rank bytes than its leading words hold.
constexpr std::uint8_t kLonger = 2;

// Each record's key prepared once as Words 64-bit words that order as the keys do (the first
// word first), and its flags.
template <std::size_t Words> struct PreparedKeys {
    std::vector<std::array<std::uint64_t, Words>> words;
    std::vector<std::uint8_t> flags;
};

// The value of every key when all keys, hyphens left out, are decimal numbers of one length:
// the date and size keys. Every locale collates such keys as their values.
std::optional<PreparedKeys<1>> UniformNumbers(const std::vector<Pdata*>& records,
                                              SortKeyFunction keyOf) {
    constexpr qsizetype kMaxDigits = 18;
    PreparedKeys<1> prepared;
    prepared.words.reserve(records.size());
    prepared.flags.reserve(records.size());
    qsizetype length = -1;
    for (const Pdata* record : records) {
        const QString key = keyOf(*record);
        std::uint64_t value = 0;
        qsizetype digits = 0;
        for (const QChar c : key) {
            if (c == u'-')
                continue;
            if (c < u'0' || c > u'9' || ++digits > kMaxDigits)
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        }
        if (length >= 0 && digits != length)
            return std::nullopt;
        length = digits;
        prepared.words.push_back({value});
        prepared.flags.push_back(digits != key.size() ? kTied : 0);
    }
    return prepared;
}

constexpr std::size_t kRankWords = 2;
constexpr std::size_t kRankBytesPerStep = 8 * kRankWords;
using RankWords = std::array<std::uint64_t, kRankWords>;

// Rank bytes from offset on as words that order as the bytes do (a shorter key first: ranks
// are never zero).
RankWords RankWordsAt(std::string_view ranks, std::size_t offset) {
    std::array<unsigned char, kRankBytesPerStep> bytes{};
    if (offset < ranks.size())
        std::memcpy(bytes.data(), ranks.data() + offset,
                    std::min(ranks.size() - offset, kRankBytesPerStep));
    RankWords words{};
    for (std::size_t w = 0; w < kRankWords; ++w) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + 8 * w, 8);
        if constexpr (std::endian::native == std::endian::little)
            word = __builtin_bswap64(word);
        words[w] = word;
    }
    return words;
}

// The rank bytes of every key: the leading ones as words, and all of them for the keys that
// are longer (kept in one buffer, each after its length, only for those keys).
struct RankedKeys {
    PreparedKeys<kRankWords> leading;
    std::string longRanks;
    std::vector<std::size_t> longStart; // per record; sized only once a key is longer

    bool IsLonger(std::uint32_t index) const { return leading.flags[index] & kLonger; }
    // All rank bytes of a longer key; nothing for the others, whose words hold them all.
    std::string_view RanksOf(std::uint32_t index) const {
        if (!IsLonger(index))
            return {};
        std::uint32_t length;
        std::memcpy(&length, longRanks.data() + longStart[index], sizeof length);
        return {longRanks.data() + longStart[index] + sizeof length, length};
    }
    void AddLonger(std::size_t index, std::size_t count, const std::string& ranks) {
        longStart.resize(count);
        longStart[index] = longRanks.size();
        const auto length = std::uint32_t(ranks.size());
        longRanks.append(reinterpret_cast<const char*>(&length), sizeof length);
        longRanks += ranks;
    }
};

std::optional<RankedKeys> AsciiRanks(const std::vector<Pdata*>& records, SortKeyFunction keyOf,
                                     const ListKeyOrder& order) {
    RankedKeys ranked;
    ranked.leading.words.reserve(records.size());
    ranked.leading.flags.reserve(records.size());
    std::string ranks;
    QString storage;
    for (std::size_t i = 0; i < records.size(); ++i) {
        ranks.clear();
        const ListKeyOrder::Ranking ranking =
            order.AppendAsciiRanks(KeyView(keyOf, *records[i], storage), ranks);
        if (ranking == ListKeyOrder::Ranking::None)
            return std::nullopt;
        ranked.leading.words.push_back(RankWordsAt(ranks, 0));
        const bool longer = ranks.size() > kRankBytesPerStep;
        ranked.leading.flags.push_back(std::uint8_t(
            (ranking == ListKeyOrder::Ranking::Tied ? kTied : 0) | (longer ? kLonger : 0)));
        if (longer)
            ranked.AddLonger(i, records.size(), ranks);
    }
    return ranked;
}

// Positions 0..n-1 in the order of their words, equal words keeping their order. Long lists
// go through a least significant digit radix sort, a byte per pass, over only the bytes in
// which keys differ (not the common leading characters of names or the high digits of dates).
template <std::size_t Words>
Indices StableOrderOf(const std::vector<std::array<std::uint64_t, Words>>& keys) {
    Indices indices(keys.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    constexpr std::size_t kShortList = 256;
    if (keys.size() < kShortList) {
        std::stable_sort(indices.begin(), indices.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        return indices;
    }
    // The bytes in which keys differ at all: a bit set in some key and clear in another.
    std::array<std::uint64_t, Words> anySet{};
    std::array<std::uint64_t, Words> allSet;
    allSet.fill(~std::uint64_t(0));
    for (const auto& key : keys) {
        for (std::size_t w = 0; w < Words; ++w) {
            anySet[w] |= key[w];
            allSet[w] &= key[w];
        }
    }
    // Digit d is byte d % 8 of word Words - 1 - d / 8: the last word's lowest byte first.
    std::vector<std::pair<std::size_t, unsigned>> digits; // word and shift of each
    for (std::size_t d = 0; d < 8 * Words; ++d) {
        const std::size_t word = Words - 1 - d / 8;
        const unsigned shift = unsigned(8 * (d % 8));
        if ((anySet[word] ^ allSet[word]) >> shift & 0xFF)
            digits.emplace_back(word, shift);
    }
    std::vector<std::array<std::uint32_t, 256>> counts(digits.size());
    for (const auto& key : keys)
        for (std::size_t d = 0; d < digits.size(); ++d)
            ++counts[d][key[digits[d].first] >> digits[d].second & 0xFF];
    const auto digit = [&](const std::array<std::uint64_t, Words>& key, std::size_t d) {
        return std::size_t(key[digits[d].first] >> digits[d].second & 0xFF);
    };
    Indices scratch(indices.size());
    for (std::size_t d = 0; d < digits.size(); ++d) {
        auto& count = counts[d];
        std::uint32_t offset = 0;
        for (std::uint32_t& bucket : count)
            offset += std::exchange(bucket, offset);
        for (const std::uint32_t index : indices)
            scratch[count[digit(keys[index], d)]++] = index;
        indices.swap(scratch);
    }
    return indices;
}

// Calls forEach(first, last) for each run of two or more indices with equal words.
template <typename Words, typename ForEach>
void ForEachRunOfEqualWords(Indices::iterator first, Indices::iterator last, const Words& wordsOf,
                            ForEach forEach) {
    for (auto run = first; run != last;) {
        const auto runEnd = std::find_if(
            run + 1, last, [&](std::uint32_t i) { return wordsOf(i) != wordsOf(*run); });
        if (runEnd - run > 1)
            forEach(run, runEnd);
        run = runEnd;
    }
}

// Where prepared keys are all equal, records whose texts differ are sorted by the order itself,
// when one of them is tied. Runs are mostly copies of one name: their texts are compared one
// by one before any is kept.
void BreakTies(Indices::iterator first, Indices::iterator last,
               const std::vector<std::uint8_t>& flags, const std::vector<Pdata*>& records,
               SortKeyFunction keyOf, const ListKeyOrder& order) {
    if (std::none_of(first, last, [&](std::uint32_t i) { return flags[i] & kTied; }))
        return;
    QString firstStorage;
    const QStringView firstText = KeyView(keyOf, *records[*first], firstStorage);
    QString storage;
    if (std::all_of(first + 1, last, [&](std::uint32_t i) {
            return KeyView(keyOf, *records[i], storage) == firstText;
        }))
        return;
    std::vector<std::pair<QString, std::uint32_t>> texts;
    for (auto it = first; it != last; ++it)
        texts.emplace_back(keyOf(*records[*it]), *it);
    std::stable_sort(texts.begin(), texts.end(),
                     [&](const auto& a, const auto& b) { return order.Less(a.first, b.first); });
    for (const auto& text : texts)
        *first++ = text.second;
}

// Sorts the records of a run whose rank bytes before offset are equal, by the bytes from
// offset on; each step takes the next words of the keys that are longer still.
void SortRunByRanksFrom(Indices::iterator first, Indices::iterator last, std::size_t offset,
                        const RankedKeys& ranked, const std::vector<Pdata*>& records,
                        SortKeyFunction keyOf, const ListKeyOrder& order) {
    const std::string_view firstRanks = ranked.RanksOf(*first);
    if (std::all_of(first + 1, last,
                    [&](std::uint32_t i) { return ranked.RanksOf(i) == firstRanks; })) {
        BreakTies(first, last, ranked.leading.flags, records, keyOf, order);
        return;
    }
    std::vector<RankWords> words;
    words.reserve(std::size_t(last - first));
    for (auto it = first; it != last; ++it)
        words.push_back(RankWordsAt(ranked.RanksOf(*it), offset));
    const Indices positions = StableOrderOf(words);
    const Indices members(first, last);
    std::vector<RankWords> sortedWords;
    sortedWords.reserve(words.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        first[std::ptrdiff_t(i)] = members[positions[i]];
        sortedWords.push_back(words[positions[i]]);
    }
    for (auto run = first; run != last;) {
        const auto at = [&](Indices::iterator it) { return sortedWords[std::size_t(it - first)]; };
        auto runEnd = run + 1;
        while (runEnd != last && at(runEnd) == at(run))
            ++runEnd;
        if (runEnd - run > 1) {
            const bool longer = std::any_of(run, runEnd, [&](std::uint32_t i) {
                return ranked.RanksOf(i).size() > offset + kRankBytesPerStep;
            });
            if (longer)
                SortRunByRanksFrom(run, runEnd, offset + kRankBytesPerStep, ranked, records, keyOf,
                                   order);
            else
                BreakTies(run, runEnd, ranked.leading.flags, records, keyOf, order);
        }
        run = runEnd;
    }
}

Indices SortedIndices(const std::vector<Pdata*>& records, SortKeyFunction keyOf,
                      const ListKeyOrder& order) {
    if (const auto numbers = UniformNumbers(records, keyOf)) {
        Indices indices = StableOrderOf(numbers->words);
        ForEachRunOfEqualWords(
            indices.begin(), indices.end(), [&](std::uint32_t i) { return numbers->words[i]; },
            [&](Indices::iterator first, Indices::iterator last) {
                BreakTies(first, last, numbers->flags, records, keyOf, order);
            });
        return indices;
    }
    if (const auto ranked = AsciiRanks(records, keyOf, order)) {
        Indices indices = StableOrderOf(ranked->leading.words);
        ForEachRunOfEqualWords(
            indices.begin(), indices.end(),
            [&](std::uint32_t i) { return ranked->leading.words[i]; },
            [&](Indices::iterator first, Indices::iterator last) {
                if (std::any_of(first, last, [&](std::uint32_t i) { return ranked->IsLonger(i); }))
                    SortRunByRanksFrom(first, last, kRankBytesPerStep, *ranked, records, keyOf,
                                       order);
                else
                    BreakTies(first, last, ranked->leading.flags, records, keyOf, order);
            });
        return indices;
    }

    // Other keys: each prepared as the collation's sort key where the collation allows, else
    // compared as texts.
    std::vector<QString> texts;
    texts.reserve(records.size());
    for (const Pdata* record : records)
        texts.push_back(keyOf(*record));
    Indices indices(records.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    std::vector<QCollatorSortKey> collationKeys;
    collationKeys.reserve(records.size());
    for (const QString& text : texts) {
        std::optional<QCollatorSortKey> key = order.CollationKey(text);
        if (!key)
            break;
        collationKeys.push_back(std::move(*key));
    }
    if (collationKeys.size() != records.size()) {
        std::stable_sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
            return order.Less(texts[a], texts[b]);
        });
        return indices;
    }
    std::stable_sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        return collationKeys[a].compare(collationKeys[b]) < 0;
    });
    // Equal sort keys may still differ in letter case or hyphens.
    const std::vector<std::uint8_t> allTied(records.size(), kTied);
    for (auto run = indices.begin(); run != indices.end();) {
        const auto runEnd = std::find_if(run + 1, indices.end(), [&](std::uint32_t i) {
            return collationKeys[i].compare(collationKeys[*run]) != 0;
        });
        BreakTies(run, runEnd, allTied, records, keyOf, order);
        run = runEnd;
    }
    return indices;
}

} // namespace

void SortRecordsByKey(std::vector<Pdata*>& records, SortKeyFunction keyOf,
                      const ListKeyOrder& order) {
    std::vector<Pdata*> sorted;
    sorted.reserve(records.size());
    for (const std::uint32_t index : SortedIndices(records, keyOf, order))
        sorted.push_back(records[index]);
    records = std::move(sorted);
}

} // namespace lumadex
