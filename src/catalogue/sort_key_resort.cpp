#include "catalogue/sort_key_resort.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
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

// Orders entries whose prepared keys are equal: by the order itself, then as they came.
class TieBreak {
public:
    TieBreak(const std::vector<Entry>& entries, const ListKeyOrder& order)
        : entries_(entries), order_(order) {}

    bool Less(std::uint32_t a, std::uint32_t b) const {
        if (entries_[a].key == entries_[b].key)
            return a < b;
        if (const int c = order_.Compare(entries_[a].key, entries_[b].key); c != 0)
            return c < 0;
        return a < b;
    }

private:
    const std::vector<Entry>& entries_;
    const ListKeyOrder& order_;
};

// The entries' indices sorted by a prepared key of each, ties broken by the order itself.
template <typename Prepared>
std::vector<std::uint32_t> SortByPrepared(const std::vector<Prepared>& prepared,
                                          const TieBreak& tieBreak) {
    std::vector<std::uint32_t> indices(prepared.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    std::sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (prepared[a] != prepared[b])
            return prepared[a] < prepared[b];
        return tieBreak.Less(a, b);
    });
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
    const TieBreak tieBreak(entries, order);
    if (const auto values = UniformNumberValues(entries))
        return SortByPrepared(*values, tieBreak);

    std::vector<std::string> ranks;
    ranks.reserve(entries.size());
    for (const Entry& entry : entries) {
        std::optional<std::string> entryRanks = order.AsciiRanks(entry.key);
        if (!entryRanks)
            break;
        ranks.push_back(std::move(*entryRanks));
    }
    if (ranks.size() == entries.size())
        return SortByPrepared(ranks, tieBreak);

    std::vector<CollationKey> collationKeys;
    collationKeys.reserve(entries.size());
    for (const Entry& entry : entries) {
        std::optional<QCollatorSortKey> key = order.CollationKey(entry.key);
        if (!key)
            break;
        collationKeys.push_back({std::move(*key)});
    }
    if (collationKeys.size() == entries.size())
        return SortByPrepared(collationKeys, tieBreak);

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
