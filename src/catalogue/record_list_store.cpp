#include "catalogue/record_list_store.h"

#include <algorithm>
#include <iterator>

namespace lumadex {

RecordListStore::RecordListStore(EqualKeys equalKeys, const ListKeyOrder& order)
    : equalKeys_(equalKeys), order_(order) {}

int RecordListStore::Add(QString key, Pdata* record) {
    const auto less = [this](const Entry& a, const Entry& b) { return EntryLess(a, b); };
    Entry entry{std::move(key), record};
    auto it = std::upper_bound(entries_.begin(), entries_.end(), entry, less);
    if (equalKeys_ == EqualKeys::OneEntryPerRecord) {
        const auto first = std::lower_bound(entries_.begin(), it, entry, less);
        const auto same =
            std::find_if(first, it, [record](const Entry& e) { return e.record == record; });
        if (same != it)
            return int(same - entries_.begin());
    }
    const auto inserted = entries_.insert(it, std::move(entry));
    return int(inserted - entries_.begin());
}

void RecordListStore::AddAll(std::vector<Entry> entries, EntryOrder order) {
    if (!entries_.empty())
        order = EntryOrder::Unknown;
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    SortStably(order);
}

void RecordListStore::Rekey(const std::function<QString(const Pdata&)>& keyOf) {
    for (Entry& entry : entries_)
        entry.key = keyOf(*entry.record);
    SortStably();
}

int RecordListStore::IndexOfRecord(const Pdata* record) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [record](const Entry& entry) { return entry.record == record; });
    return it == entries_.end() ? -1 : int(it - entries_.begin());
}

int RecordListStore::RemoveRecord(const Pdata* record) {
    return int(
        std::erase_if(entries_, [record](const Entry& entry) { return entry.record == record; }));
}

void RecordListStore::SortStably(EntryOrder order) {
    const auto less = [this](const Entry& a, const Entry& b) { return EntryLess(a, b); };
    if (order != EntryOrder::Sorted && !std::is_sorted(entries_.begin(), entries_.end(), less))
        std::stable_sort(entries_.begin(), entries_.end(), less);
    if (equalKeys_ != EqualKeys::OneEntryPerRecord)
        return;
    // Within each run of equal keys, in the order the entries were added, an entry for a record
    // already listed earlier in the run goes.
    auto kept = entries_.begin();
    auto runStart = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it == entries_.begin() || EntryLess(*std::prev(kept), *it))
            runStart = kept;
        else if (std::any_of(runStart, kept,
                             [&](const Entry& e) { return e.record == it->record; }))
            continue;
        if (kept != it)
            *kept = std::move(*it);
        ++kept;
    }
    entries_.erase(kept, entries_.end());
}

} // namespace lumadex
