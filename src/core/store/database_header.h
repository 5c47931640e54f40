#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumadex {

class OptionModel;

// The 128 bytes that open every database file and the option-defaults file: magic "LXB",
// three version digits, the option bytes, the reference's catalogue index and the record count.
inline constexpr std::size_t kDatabaseHeaderSize = 128;
using DatabaseHeader = std::array<std::uint8_t, kDatabaseHeaderSize>;

// The format version this program writes.
inline constexpr int kWrittenFormatVersion = 8;
// Headers of versions below this carry no record count and mark the file as old format.
inline constexpr int kFirstCurrentFormatVersion = 5;

// Status text shown while a header of an old format version is applied.
inline constexpr char kReadingPreviousVersionText[] = "Reading previous version Database....";

enum class HeaderCheck {
    Valid,
    NotLumadexDatabase, // the bytes do not begin with "LXB"
    Truncated,          // "LXB", but shorter than a whole header
};

// The fixed fields of a header, under the rules of its version.
struct DatabaseHeaderInfo {
    HeaderCheck check = HeaderCheck::NotLumadexDatabase;
    int formatVersion = 0;           // the last version digit
    std::int32_t selectedIndex = -1; // -1 below version 6
    std::int32_t recordCount = 0;    // 0 below version 5

    bool isValid() const { return check == HeaderCheck::Valid; }
    bool isOldFormat() const { return isValid() && formatVersion < kFirstCurrentFormatVersion; }
};

// Builds the header that precedes the records: current version, every stored option,
// the current reference's catalogue index (-1 for none) and the number of records.
DatabaseHeader BuildDatabaseHeader(const OptionModel& options, std::int32_t selectedIndex,
                                   std::int32_t recordCount);

// Checks the magic and reads the fixed fields of the header at the start of bytes.
DatabaseHeaderInfo ReadDatabaseHeaderInfo(std::span<const std::uint8_t> bytes);

// Sets every stored option from the header's option bytes under the rules of formatVersion.
// Values beyond a control's range are brought into it; a radio group value that names no
// button leaves the group as it was.
void ApplyHeaderOptions(std::span<const std::uint8_t, kDatabaseHeaderSize> header,
                        int formatVersion, OptionModel& options);

// Reads the fixed fields and, when the header is valid, applies its options. An Import reads
// the fixed fields alone with ReadDatabaseHeaderInfo.
DatabaseHeaderInfo ApplyDatabaseHeader(std::span<const std::uint8_t> bytes, OptionModel& options);

} // namespace lumadex
