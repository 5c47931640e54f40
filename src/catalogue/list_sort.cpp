#include "catalogue/list_sort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace lumadex {
namespace {

using Indices = std::vector<std::uint32_t>;

// Each record's key prepared once, and whether equal prepared keys may still leave the order's
// tie-breaks to decide.
template <typename Key> struct PreparedKeys {
    std::vector<Key> keys;
    std::vector<bool> tied;
};

// The value of every key when all keys, hyphens left out, are decimal numbers of one length:
// the date and size keys. Every locale collates such keys as their values; keys with hyphens
// are tied to equal values.
std::optional<PreparedKeys<std::uint64_t>> UniformNumbers(const std::vector<Pdata*>& records,
                                                          SortKeyFunction keyOf) {
    constexpr qsizetype kMaxDigits = 18;
    PreparedKeys<std::uint64_t> prepared;
    prepared.keys.reserve(records.size());
    prepared.tied.reserve(records.size());
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
        prepared.keys.push_back(value);
        prepared.tied.push_back(digits != key.size());
    }
    return prepared;
}

// Every key's rank bytes in one buffer, each key ending where ends says.
struct RankedKeys {
    std::string bytes;
    std::vector<std::size_t> ends;
    std::vector<bool> tied;

    // Each key a view of its part of bytes.
    PreparedKeys<std::string_view> Views() const {
        PreparedKeys<std::string_view> views{{}, tied};
        views.keys.reserve(ends.size());
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            views.keys.emplace_back(bytes.data() + start, end - start);
            start = end;
        }
        return views;
    }
};

std::optional<RankedKeys> AsciiRanks(const std::vector<Pdata*>& records, SortKeyFunction keyOf,
                                     const ListKeyOrder& order) {
    RankedKeys ranked;
    ranked.ends.reserve(records.size());
    ranked.tied.reserve(records.size());
    for (const Pdata* record : records) {
        const ListKeyOrder::Ranking ranking = order.AppendAsciiRanks(keyOf(*record), ranked.bytes);
        if (ranking == ListKeyOrder::Ranking::None)
            return std::nullopt;
        ranked.ends.push_back(ranked.bytes.size());
        ranked.tied.push_back(ranking == ListKeyOrder::Ranking::Tied);
    }
    return ranked;
}

// The collation's sort key, ordered as the collation orders the texts.
struct CollationKey {
    QCollatorSortKey key;
    bool operator<(const CollationKey& other) const { return key.compare(other.key) < 0; }
    bool operator==(const CollationKey& other) const { return key.compare(other.key) == 0; }
};

std::optional<PreparedKeys<CollationKey>> CollationKeys(const std::vector<Pdata*>& records,
                                                        SortKeyFunction keyOf,
                                                        const ListKeyOrder& order) {
    PreparedKeys<CollationKey> prepared;
    prepared.keys.reserve(records.size());
    for (const Pdata* record : records) {
        std::optional<QCollatorSortKey> key = order.CollationKey(keyOf(*record));
        if (!key)
            return std::nullopt;
        prepared.keys.push_back({std::move(*key)});
    }
    // The collation's keys tell nothing of the tie-breaks.
    prepared.tied.assign(records.size(), true);
    return prepared;
}

Indices Identity(std::size_t count) {
    Indices indices(count);
    for (std::size_t i = 0; i < count; ++i)
        indices[i] = std::uint32_t(i);
    return indices;
}

// Indices 0..n-1 in the order of their 64-bit keys, equal keys keeping their order: a least
// significant digit radix sort, a byte per pass, skipping the passes in which every key has
// the same byte (common leading characters of names, the high digits of dates).
Indices StableOrderOf(const std::vector<std::uint64_t>& keys) {
    struct Item {
        std::uint64_t key;
        std::uint32_t index;
    };
    constexpr int kBytes = 8;
    std::array<std::array<std::uint32_t, 256>, kBytes> counts{};
    std::vector<Item> items(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        items[i] = {keys[i], std::uint32_t(i)};
        for (int byte = 0; byte < kBytes; ++byte)
            ++counts[byte][(keys[i] >> (8 * byte)) & 0xFF];
    }
    std::vector<Item> scratch(items.size());
    for (int byte = 0; byte < kBytes; ++byte) {
        auto& count = counts[byte];
        if (std::find(count.begin(), count.end(), std::uint32_t(items.size())) != count.end())
            continue;
        std::uint32_t offset = 0;
        for (std::uint32_t& bucket : count)
            offset += std::exchange(bucket, offset);
        for (const Item& item : items)
            scratch[count[(item.key >> (8 * byte)) & 0xFF]++] = item;
        items.swap(scratch);
    }
    Indices indices(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        indices[i] = items[i].index;
    return indices;
}

// Calls sortRun(first, last) for each run of indices that are same() as the run's first, unless
// every member is alike() the first.
template <typename Same, typename Alike, typename SortRun>
void SortMixedRuns(Indices& indices, Same same, Alike alike, SortRun sortRun) {
    for (auto run = indices.begin(); run != indices.end();) {
        const auto runEnd =
            std::find_if(run + 1, indices.end(), [&](std::uint32_t i) { return !same(*run, i); });
        if (!std::all_of(run + 1, runEnd, [&](std::uint32_t i) { return alike(*run, i); }))
            sortRun(run, runEnd);
        run = runEnd;
    }
}

// Records with equal prepared keys may still differ in letter case or hyphens: the order itself
// sorts each run of them in which a tied key's text differs from the others.
template <typename Key>
void BreakTies(Indices& indices, const PreparedKeys<Key>& prepared,
               const std::vector<Pdata*>& records, SortKeyFunction keyOf,
               const ListKeyOrder& order) {
    const auto& keys = prepared.keys;
    SortMixedRuns(
        indices, [&](std::uint32_t a, std::uint32_t b) { return keys[a] == keys[b]; },
        [&](std::uint32_t a, std::uint32_t b) { return !prepared.tied[a] && !prepared.tied[b]; },
        [&](Indices::iterator first, Indices::iterator last) {
            std::vector<std::pair<QString, std::uint32_t>> texts;
            for (auto it = first; it != last; ++it)
                texts.emplace_back(keyOf(*records[*it]), *it);
            if (std::all_of(texts.begin(), texts.end(),
                            [&](const auto& text) { return text.first == texts.front().first; }))
                return;
            std::stable_sort(texts.begin(), texts.end(), [&](const auto& a, const auto& b) {
                return order.Less(a.first, b.first);
            });
            for (const auto& text : texts)
                *first++ = text.second;
        });
}

// The first eight bytes of ranks as a number that orders as the bytes do (a shorter key
// first: ranks are never zero).
std::uint64_t LeadingBytes(std::string_view ranks) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value = value << 8 | (i < ranks.size() ? std::uint8_t(ranks[i]) : 0u);
    return value;
}

// Sorted by the leading eight rank bytes first, then runs that share them by the rest.
Indices SortByRanks(const PreparedKeys<std::string_view>& prepared) {
    const auto& ranks = prepared.keys;
    std::vector<std::uint64_t> leading(ranks.size());
    for (std::size_t i = 0; i < ranks.size(); ++i)
        leading[i] = LeadingBytes(ranks[i]);
    Indices indices = StableOrderOf(leading);
    SortMixedRuns(
        indices, [&](std::uint32_t a, std::uint32_t b) { return leading[a] == leading[b]; },
        [&](std::uint32_t a, std::uint32_t b) { return ranks[a] == ranks[b]; },
        [&](Indices::iterator first, Indices::iterator last) {
            std::stable_sort(first, last,
                             [&](std::uint32_t a, std::uint32_t b) { return ranks[a] < ranks[b]; });
        });
    return indices;
}

Indices SortedIndices(const std::vector<Pdata*>& records, SortKeyFunction keyOf,
                      const ListKeyOrder& order) {
    if (const auto numbers = UniformNumbers(records, keyOf)) {
        Indices indices = StableOrderOf(numbers->keys);
        BreakTies(indices, *numbers, records, keyOf, order);
        return indices;
    }
    if (const auto ranked = AsciiRanks(records, keyOf, order)) {
        const PreparedKeys<std::string_view> ranks = ranked->Views();
        Indices indices = SortByRanks(ranks);
        BreakTies(indices, ranks, records, keyOf, order);
        return indices;
    }
    if (const auto collated = CollationKeys(records, keyOf, order)) {
        const auto& keys = collated->keys;
        Indices indices = Identity(records.size());
        std::stable_sort(indices.begin(), indices.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        BreakTies(indices, *collated, records, keyOf, order);
        return indices;
    }
    // A collation whose keys cannot be prepared: the texts are compared.
    std::vector<QString> texts;
    texts.reserve(records.size());
    for (const Pdata* record : records)
        texts.push_back(keyOf(*record));
    Indices indices = Identity(records.size());
    std::stable_sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        return order.Less(texts[a], texts[b]);
    });
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
