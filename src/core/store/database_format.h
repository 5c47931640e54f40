#pragma once

#include <cstddef>
#include <cstdint>

namespace lumadex {

// Longest path text a record may store, in bytes; a longer stored length marks the file broken.
inline constexpr std::uint32_t kMaxStoredPathBytes = 1023;

// Bytes of one sub-index entry: bits, levels, Top, Left, Bottom, Right.
inline constexpr std::size_t kSubIndexEntryBytes = 24;

// Progress is reported every this many records.
inline constexpr int kProgressStep = 256;

// The fields a record holds in a file of a given format version. Fields a version lacks keep
// the values a new record starts with.
struct RecordLayout {
    bool mismatchId = true;  // from version 3
    bool memo = true;        // from version 4: the memo block and the records' memo links
    bool sizeAndTime = true; // from version 5
    bool subIndex = true;    // from version 7

    static RecordLayout ForVersion(int version) {
        return {version >= 3, version >= 4, version >= 5, version >= 7};
    }

    // Bytes of the fields every record of this layout has after its path: signatures, mismatch
    // number, size and time, memo link count.
    std::size_t fixedFieldBytes() const {
        return 8 + (mismatchId ? 2 : 0) + (sizeAndTime ? 8 : 0) + (memo ? 4 : 0);
    }
    // Bytes of the smallest record of this layout (empty path, no links, no entries).
    std::size_t smallestRecordBytes() const { return 4 + fixedFieldBytes() + (subIndex ? 4 : 0); }
};

} // namespace lumadex
