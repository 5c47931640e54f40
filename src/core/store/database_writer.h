#pragma once

#include "store/database_header.h"

#include <QString>
#include <cstdint>
#include <span>

namespace lumadex {

class Catalogue;
class DataManage;
class Pdata;

// Takes the bytes of a database as they are produced.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // false when the bytes could not be stored; nothing more is offered after that.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

// Follows a database write.
class DatabaseWriteObserver {
public:
    virtual ~DatabaseWriteObserver() = default;
    // The header and memo block are out; the records follow.
    virtual void RecordsStarting(int /*recordCount*/) {}
    // The record at this catalogue index, a multiple of 256, is about to be written.
    virtual void RecordReached(int /*index*/) {}
    // The record is left out: its path has no folder, or its stored form would be longer than
    // a record may hold.
    virtual void RecordLeftOut(const Pdata& /*record*/) {}
};

// Produces the header, the memo block and every record in catalogue order. Output goes to the
// sink in large chunks. Returns false when the sink refused bytes.
bool EncodeDatabase(const DatabaseHeader& header, const DataManage& memos,
                    const Catalogue& catalogue, ByteSink& sink, DatabaseWriteObserver& observer);

enum class DatabaseWriteStatus {
    Written,
    CantCreate,  // the file could not be created; nothing changed on disk
    WriteFailed, // writing failed; any file the path named before is left as it was
};

// Writes the database to a temporary file beside path, which replaces the file at path only
// once every byte is written.
DatabaseWriteStatus WriteDatabaseFile(const QString& path, const DatabaseHeader& header,
                                      const DataManage& memos, const Catalogue& catalogue,
                                      DatabaseWriteObserver& observer);

} // namespace lumadex
