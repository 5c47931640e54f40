#pragma once

#include "catalogue/list_key_order.h"
#include "catalogue/pdata.h"
#include "catalogue/sort_key.h"

#include <QString>
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

// The sorted backing store of a list view: records in ListKeyOrder of their keys under the
// store's key function. Keys are worked out from the records when needed rather than kept, so
// a list of a million records costs a pointer per row. The records belong to the catalogue;
// the store only points at them.
class RecordListStore {
public:
    explicit RecordListStore(EqualKeys equalKeys, const ListKeyOrder& order = ListKeyOrder(),
                             SortKeyFunction keyOf = NameKey);

    int count() const { return int(records_.size()); }
    bool isEmpty() const { return records_.empty(); }
    Pdata* recordAt(int index) const { return records_[std::size_t(index)]; }
    QString keyAt(int index) const { return keyOf_(*recordAt(index)); }
    SortKeyFunction keyFunction() const { return keyOf_; }

    // Where Add puts record: after every entry whose key does not sort after its key, or, under
    // OneEntryPerRecord, the entry that already holds it.
    struct Place {
        int index = 0;
        bool listed = false;
    };
    Place PlaceOf(const Pdata* record) const;
    // Adds record at its place (unless listed there already); returns the index of its entry.
    int Add(Pdata* record);
    // Adds many records with one sort, as if added one by one in the given order.
    void AddAll(std::vector<Pdata*> records);
    // Takes keyOf as the key function and sorts the store again by it.
    void Rekey(SortKeyFunction keyOf);

    // Index of the first entry holding record, or -1.
    int IndexOfRecord(const Pdata* record) const;
    // Removes every entry holding record; returns how many there were.
    int RemoveRecord(const Pdata* record);
    void Clear() { records_.clear(); }

private:
    void SortStably();

    EqualKeys equalKeys_;
    ListKeyOrder order_;
    SortKeyFunction keyOf_;
    std::vector<Pdata*> records_;
};

} // namespace lumadex
