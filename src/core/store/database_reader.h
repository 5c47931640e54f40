#pragma once

#include "progress/work_progress.h"
#include "store/database_header.h"

#include <cstdint>
#include <span>

namespace lumadex {

class Catalogue;
class DataManage;
class MismatchNum;
class OptionModel;

enum class DatabaseReadStatus {
    Complete,    // every record up to the end of the bytes was read
    NotDatabase, // the bytes do not begin with the magic; nothing was read
    Broken,      // the bytes end or go wrong inside the header, memo block or a record
    Stopped,     // the observer asked to stop
};

struct DatabaseReadResult {
    DatabaseReadStatus status = DatabaseReadStatus::Complete;
    DatabaseHeaderInfo header;
    int recordsAdded = 0; // records that joined the catalogue (a replacing record counts)
    bool changed = false; // records, memos or memo links were added or records replaced
};

// Follows a database read. Reading runs on the caller's thread; after each record it asks
// ShouldStop, and a true answer stops reading there, keeping what was read.
class DatabaseReadObserver : public WorkProgress {
public:
    // The header was read (and its options applied, unless merging).
    virtual void HeaderRead(const DatabaseHeaderInfo& /*header*/) {}
    // count records have been added so far; reported whenever count reaches a multiple of 256.
    virtual void RecordsAdded(int /*count*/) {}
    // A record was dropped because a record of its path was already there; count as above.
    virtual void DuplicateDropped(int /*count*/) {}
};

// What a database is read into: the open database's parts.
struct DatabaseTarget {
    Catalogue& catalogue;
    DataManage& memos;
    MismatchNum& mismatchNumbers;
    OptionModel& options;
    // Merging: the header's options are not applied and mismatch groups are renumbered.
    bool merge = false;
};

// Reads a whole database file held in bytes into the target and returns what happened.
//
// The memo block is appended to the memo store (group ids shifted past its highest id) and the
// records' memo links shifted past its slots; a link to a slot the file does not hold is
// dropped. Mismatch numbers are marked in the allocator, renumbered when merging. A record whose
// path is already in the catalogue (or read earlier) meets the AddingSameFilename rule:
// Replace - the record read takes the place of the one present, with both records' memo
// links; DontAdd - the one present takes the memo links of the record read, which is dropped;
// NotCare - both stay. Whatever was read before a fault or a stop stays in the target.
DatabaseReadResult ReadDatabaseBytes(std::span<const std::uint8_t> bytes, DatabaseTarget target,
                                     DatabaseReadObserver& observer);

} // namespace lumadex
