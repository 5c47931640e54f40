#include "catalogue/sort_key_resort.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumadex {
namespace {

using Entry = RecordListStore::Entry;

// The value of every key when all keys, hyphens left out, are decimal numbers of one length:
// the date and size keys. Every locale collates such keys as their values.
std::optional<std::vector<std::uint64_t>> UniformNumberValues(const std::vector<Entry>& entries) {
    constexpr qsizetype kMaxDigits = 18;
    std::vector<std::uint64_t> values;
    values.reserve(entries.size());
    qsizetype length = -1;
    for (const Entry& entry : entries) {
        std::uint64_t value = 0;
        qsizetype digits = 0;
        for (const QChar c : entry.key) {
            if (c == u'-')
                continue;
            if (c < u'0' || c > u'9' || ++digits > kMaxDigits)
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        }
        if (length >= 0 && digits != length)
            return std::nullopt;
        length = digits;
        values.push_back(value);
    }
    return values;
}

// The entries' indices sorted by a prepared key of each. Entries with equal prepared keys may
// still differ in letter case or hyphens; the order itself sorts each such run. Equal keys keep
// the order they came in.
template <typename Prepared>
std::vector<std::uint32_t> SortByPrepared(const std::vector<Prepared>& prepared,
                                          const std::vector<Entry>& entries,
                                          const ListKeyOrder& order) {
    std::vector<std::uint32_t> indices(prepared.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    std::stable_sort(indices.begin(), indices.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return prepared[a] < prepared[b]; });
    for (auto run = indices.begin(); run != indices.end();) {
        const auto runEnd = std::find_if(
            run + 1, indices.end(), [&](std::uint32_t i) { return prepared[i] != prepared[*run]; });
        const bool sameTexts = std::all_of(
            run + 1, runEnd, [&](std::uint32_t i) { return entries[i].key == entries[*run].key; });
        if (!sameTexts) {
            std::stable_sort(run, runEnd, [&](std::uint32_t a, std::uint32_t b) {
                return order.Less(entries[a].key, entries[b].key);
            });
        }
        run = runEnd;
    }
    return indices;
}

// The collation's sort key, ordered as the collation orders the texts.
struct CollationKey {
    QCollatorSortKey key;
    bool operator<(const CollationKey& other) const { return key.compare(other.key) < 0; }
    bool operator!=(const CollationKey& other) const { return key.compare(other.key) != 0; }
};

// Number keys sort by their values, keys of printable ASCII by their characters' ranks and
// any others by the collation's sort keys: each key is prepared once, so that the sort
// compares prepared keys instead of collating two texts per comparison. A collation whose
// keys cannot be prepared sorts by comparing the texts.
std::vector<std::uint32_t> SortedIndices(const std::vector<Entry>& entries,
                                         const ListKeyOrder& order) {
    if (const auto values = UniformNumberValues(entries))
        return SortByPrepared(*values, entries, order);

    // All rank bytes in one buffer, each key a view of its part.
    std::size_t totalLength = 0;
    for (const Entry& entry : entries)
        totalLength += std::size_t(entry.key.size());
    std::string rankBytes;
    rankBytes.reserve(totalLength);
    std::vector<std::size_t> ends;
    ends.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (!order.AppendAsciiRanks(entry.key, rankBytes))
            break;
        ends.push_back(rankBytes.size());
    }
    if (ends.size() == entries.size()) {
        std::vector<std::string_view> ranks;
        ranks.reserve(entries.size());
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            ranks.emplace_back(rankBytes.data() + start, end - start);
            start = end;
        }
        return SortByPrepared(ranks, entries, order);
    }

    std::vector<CollationKey> collationKeys;
    collationKeys.reserve(entries.size());
    for (const Entry& entry : entries) {
        std::optional<QCollatorSortKey> key = order.CollationKey(entry.key);
        if (!key)
            break;
        collationKeys.push_back({std::move(*key)});
    }
    if (collationKeys.size() == entries.size())
        return SortByPrepared(collationKeys, entries, order);

    std::vector<std::uint32_t> indices(entries.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    std::stable_sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        return order.Less(entries[a].key, entries[b].key);
    });
    return indices;
}

} // namespace

void ResortList(RecordListStore& store, SortKeyFunction keyOf, const QLocale& locale) {
    std::vector<Entry> entries;
    entries.reserve(std::size_t(store.count()));
    for (int i = 0; i < store.count(); ++i)
        entries.push_back({keyOf(*store.recordAt(i)), store.recordAt(i)});

    const ListKeyOrder order(locale);
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const std::uint32_t index : SortedIndices(entries, order))
        sorted.push_back(std::move(entries[index]));

    store.Clear();
    store.AddAll(std::move(sorted), EntryOrder::Sorted);
}

} // namespace lumadex
