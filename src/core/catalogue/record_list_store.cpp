#include "catalogue/record_list_store.h"

#include "catalogue/list_sort.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace lumadex {

RecordListStore::RecordListStore(EqualKeys equalKeys, const ListKeyOrder& order,
                                 SortKeyFunction keyOf)
    : equalKeys_(equalKeys), order_(order), keyOf_(keyOf) {}

RecordListStore::Place RecordListStore::PlaceOf(const Pdata* record) const {
    const QString key = keyOf_(*record);
    const auto after = std::upper_bound(
        records_.begin(), records_.end(), key,
        [this](const QString& k, const Pdata* entry) { return order_.Less(k, keyOf_(*entry)); });
    if (equalKeys_ == EqualKeys::OneEntryPerRecord) {
        // Every entry of the record has its key: only the run of equal keys can hold it.
        for (auto it = after; it != records_.begin() && !order_.Less(keyOf_(**(it - 1)), key);
             --it) {
            if (*(it - 1) == record)
                return {int(it - 1 - records_.begin()), true};
        }
    }
    return {int(after - records_.begin()), false};
}

int RecordListStore::Add(Pdata* record) {
    const Place place = PlaceOf(record);
    if (!place.listed)
        records_.insert(records_.begin() + place.index, record);
    return place.index;
}

void RecordListStore::AddAll(std::vector<Pdata*> records) {
    if (records_.empty())
        records_ = std::move(records);
    else
        records_.insert(records_.end(), records.begin(), records.end());
    SortStably();
}

void RecordListStore::Rekey(SortKeyFunction keyOf) {
    keyOf_ = keyOf;
    SortStably();
}

int RecordListStore::IndexOfRecord(const Pdata* record) const {
    const auto it = std::find(records_.begin(), records_.end(), record);
    return it == records_.end() ? -1 : int(it - records_.begin());
}

int RecordListStore::RemoveRecord(const Pdata* record) {
    return int(std::erase(records_, record));
}

void RecordListStore::SortStably() {
    SortRecordsByKey(records_, keyOf_, order_);
    if (equalKeys_ != EqualKeys::OneEntryPerRecord)
        return;
    // A record's entries all have its key and so stand in one run of equal keys, in the order
    // they were added: the first stays.
    std::unordered_set<const Pdata*> listed;
    std::erase_if(records_, [&](const Pdata* record) { return !listed.insert(record).second; });
}

} // namespace lumadex
