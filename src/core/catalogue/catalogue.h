#pragma once

#include "catalogue/pdata.h"

#include <QString>
#include <memory>
#include <vector>

namespace lumadex {

// What the caller knows of the order of records handed over in bulk.
enum class RecordOrder {
    Unknown,
    PathOrder, // already in path order (ComparePathKeys never finds one after the next)
};

// Every picture record of the open database, owned here and kept in path order
// (ComparePathKeys: case-insensitive). The same path may occur more than once.
class Catalogue {
public:
    Catalogue() = default;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    int count() const { return int(records_.size()); }
    bool isEmpty() const { return records_.empty(); }
    Pdata& at(int index) { return *records_[std::size_t(index)]; }
    const Pdata& at(int index) const { return *records_[std::size_t(index)]; }

    // Index of the first record whose path equals path regardless of case, or -1.
    int FindRecord(QStringView path) const;
    // Index of this very record, or -1 when it is not in the catalogue.
    int IndexOf(const Pdata* record) const;

    // Inserts the record after any records with an equal path; returns its index.
    int AddRecord(std::unique_ptr<Pdata> record);
    // Adds many records at once, in linear time when they arrive in path order (as a database
    // file holds them); any other order costs one sort. Equal paths keep the records already
    // present first, then the new ones in their given order. A caller that has already seen
    // the order says so, and the records are not compared again.
    void AddRecords(std::vector<std::unique_ptr<Pdata>> records,
                    RecordOrder order = RecordOrder::Unknown);

    // Removes the record at index and destroys it.
    void RemoveAt(int index);
    // Removes the record at index and hands it to the caller.
    std::unique_ptr<Pdata> TakeAt(int index);
    // Gives the record at index a new path and moves it to its place; returns its new index.
    int ChangePath(int index, QString newPath);
    void Clear() { records_.clear(); }

private:
    std::vector<std::unique_ptr<Pdata>> records_;
};

} // namespace lumadex
