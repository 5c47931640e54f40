#pragma once

#include "catalogue/list_key_order.h"
#include "catalogue/pdata.h"

#include <QString>
#include <functional>
#include <vector>

namespace lumadex {

// What a list store does with an entry whose key equals the key of one already present.
enum class EqualKeys {
    Accept,            // both entries stay (the Reference list)
    OneEntryPerRecord, // both stay unless they hold the same record, which is listed once (the
                       // Target list: a search may report a record more than once, but two
                       // different pictures with equal keys, such as copies of one file, are
                       // both shown)
};

// What the caller knows of the order of entries handed over in bulk.
enum class EntryOrder {
    Unknown,
    Sorted, // already in ListKeyOrder, equal keys in the order they were added
};

// The sorted backing store of a list view: entries of (sort key, record), in ListKeyOrder.
// The records belong to the catalogue; the store only points at them.
class RecordListStore {
public:
    struct Entry {
        QString key;
        Pdata* record = nullptr;
    };

    explicit RecordListStore(EqualKeys equalKeys, const ListKeyOrder& order = ListKeyOrder());

    int count() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    const QString& keyAt(int index) const { return entries_[std::size_t(index)].key; }
    Pdata* recordAt(int index) const { return entries_[std::size_t(index)].record; }

    // Adds one entry after any entries with an equal key, unless under OneEntryPerRecord an
    // entry with an equal key already holds record. Returns the index of the entry holding it.
    int Add(QString key, Pdata* record);
    // Adds many entries with one sort, as if added one by one in the given order. Entries
    // known to be sorted are not compared again when the store was empty.
    void AddAll(std::vector<Entry> entries, EntryOrder order = EntryOrder::Unknown);
    // Gives every entry the key of its record and sorts the store again.
    void Rekey(const std::function<QString(const Pdata&)>& keyOf);

    // Index of the first entry holding record, or -1.
    int IndexOfRecord(const Pdata* record) const;
    // Removes every entry holding record; returns how many there were.
    int RemoveRecord(const Pdata* record);
    void Clear() { entries_.clear(); }

private:
    bool EntryLess(const Entry& a, const Entry& b) const { return order_.Less(a.key, b.key); }
    void SortStably(EntryOrder order = EntryOrder::Unknown);

    EqualKeys equalKeys_;
    ListKeyOrder order_;
    std::vector<Entry> entries_;
};

} // namespace lumadex
