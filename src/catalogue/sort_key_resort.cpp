#include "catalogue/sort_key_resort.h"

#include <algorithm>
#include <cstdint>
#include <optional>
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

// Sorts number keys by their values; keys of equal value that differ in their hyphens are left
// to the order itself. Returns the entries' indices in their new order, equal keys keeping
// their order.
std::vector<std::uint32_t> SortByValue(const std::vector<Entry>& entries,
                                       const std::vector<std::uint64_t>& values,
                                       const ListKeyOrder& order) {
    std::vector<std::uint32_t> indices(entries.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    std::sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (values[a] != values[b])
            return values[a] < values[b];
        if (entries[a].key == entries[b].key)
            return a < b;
        if (const int c = order.Compare(entries[a].key, entries[b].key); c != 0)
            return c < 0;
        return a < b;
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
    if (const auto values = UniformNumberValues(entries)) {
        std::vector<Entry> sorted;
        sorted.reserve(entries.size());
        for (const std::uint32_t index : SortByValue(entries, *values, order))
            sorted.push_back(std::move(entries[index]));
        entries = std::move(sorted);
    } else {
        std::stable_sort(entries.begin(), entries.end(), [&order](const Entry& a, const Entry& b) {
            return order.Less(a.key, b.key);
        });
    }
    // The entries arrive in the store's order, so adding them costs one pass that confirms it.
    store.Clear();
    store.AddAll(std::move(entries));
}

} // namespace lumadex
