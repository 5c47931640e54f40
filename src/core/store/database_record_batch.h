#pragma once

#include "catalogue/pdata.h"
#include "store/database_stored_path.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace lumadex {

// The records read from a database file that have not joined the catalogue yet, with a lookup
// of the first of them whose path equals a given one regardless of letter case.
//
// For each record read, Meet is called first; SamePath then answers for that record, and Add
// adds it. A file written by this program holds its records in catalogue order, so a record can
// only have the path of the last one added, and one comparison answers the lookup. Once a record
// arrives out of order, the batch indexes every path by its key instead.
class RecordBatch {
public:
    void Reserve(std::size_t count) { records_.reserve(count); }
    std::size_t size() const { return records_.size(); }

    // Looks up the path of the record about to be handled.
    void Meet(const QString& path, PathOrigin origin);
    // The first record of the batch with the path met last, or nullptr.
    Pdata* SamePath() const { return same_ < 0 ? nullptr : records_[std::size_t(same_)].get(); }
    // Adds the record whose path was met last.
    void Add(std::unique_ptr<Pdata> record);

    // Whether every record added so far came in path order.
    bool inPathOrder() const { return !indexed_; }
    // Hands the records over, in the order they were added, and leaves the batch empty.
    std::vector<std::unique_ptr<Pdata>> TakeRecords();

private:
    void IndexAllPaths();

    std::vector<std::unique_ptr<Pdata>> records_;
    PathOrigin lastOrigin_;
    // While the records are in order: the first record of the last run of equal paths.
    int runStart_ = -1;
    // After the first record out of order: the first record of each path key.
    bool indexed_ = false;
    QHash<QString, int> firstOfKey_;
    QString metKey_;
    PathOrigin metOrigin_;
    int same_ = -1;
};

} // namespace lumadex
