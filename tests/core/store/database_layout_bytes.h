#pragma once

// Database files written byte by byte from the file layout, independently of the writer:
// the 128-byte header, the memo block and records of any format version.

#include <QByteArray>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumadex::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t(value >> shift));
}

inline void PutText(Bytes& out, std::string_view text) {
    PutU32(out, std::uint32_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// A header with the given version digits, AddingSameFilename choice (byte 9), selected index
// and record count; every other option byte is 0.
inline Bytes HeaderBytes(std::string_view versionDigits, std::uint8_t sameNameRule = 1,
                         std::int32_t selectedIndex = -1, std::int32_t recordCount = 0) {
    Bytes out = {'L', 'X', 'B'};
    out.insert(out.end(), versionDigits.begin(), versionDigits.begin() + 3);
    out.resize(120, 0);
    out[9] = sameNameRule;
    PutU32(out, std::uint32_t(selectedIndex));
    PutU32(out, std::uint32_t(recordCount));
    return out;
}

struct StoredName {
    std::string name;
    std::int32_t id = 0;
};

// The memo block: version, group and slot counts, then each group and slot as name and id.
inline void AppendMemoBlock(Bytes& out, const std::vector<StoredName>& groups,
                            const std::vector<StoredName>& slots, std::int32_t version = 1) {
    PutU32(out, std::uint32_t(version));
    PutU32(out, std::uint32_t(groups.size()));
    PutU32(out, std::uint32_t(slots.size()));
    for (const auto* list : {&groups, &slots}) {
        for (const StoredName& entry : *list) {
            PutText(out, entry.name);
            PutU32(out, std::uint32_t(entry.id));
        }
    }
}

// One sub-index entry in file order: bits, levels, Top, Left, Bottom, Right.
using StoredSubIndex = std::array<std::uint32_t, 6>;

struct StoredRecord {
    std::string path; // as stored: whole, or a name after a whole path of its folder
    std::uint32_t bits = 0;
    std::uint32_t levels = 0;
    std::uint16_t mismatchId = 0;
    std::int32_t fileSize = 0;
    std::int32_t fileTime = 0;
    std::vector<std::uint32_t> links;
    std::vector<StoredSubIndex> subIndex;
};

// A record with only a stored path and signature bits.
inline StoredRecord Named(std::string path, std::uint32_t bits = 0) {
    StoredRecord record;
    record.path = std::move(path);
    record.bits = bits;
    return record;
}

inline void AppendRecord(Bytes& out, int version, const StoredRecord& record) {
    PutText(out, record.path);
    PutU32(out, record.bits);
    PutU32(out, record.levels);
    if (version >= 3)
        out.insert(out.end(),
                   {std::uint8_t(record.mismatchId), std::uint8_t(record.mismatchId >> 8)});
    if (version >= 5) {
        PutU32(out, std::uint32_t(record.fileSize));
        PutU32(out, std::uint32_t(record.fileTime));
    }
    if (version >= 4) {
        PutU32(out, std::uint32_t(record.links.size()));
        for (const std::uint32_t link : record.links)
            PutU32(out, link);
    }
    if (version >= 7) {
        PutU32(out, std::uint32_t(record.subIndex.size()));
        for (const StoredSubIndex& entry : record.subIndex)
            for (const std::uint32_t value : entry)
                PutU32(out, value);
    }
}

// A whole database of the given version: header, memo block (from version 4) and records.
inline Bytes DatabaseBytes(int version, const std::vector<StoredRecord>& records,
                           std::uint8_t sameNameRule = 1,
                           const std::vector<StoredName>& groups = {},
                           const std::vector<StoredName>& slots = {}) {
    Bytes out =
        HeaderBytes("00" + std::to_string(version), sameNameRule, -1, std::int32_t(records.size()));
    if (version >= 4)
        AppendMemoBlock(out, groups, slots);
    for (const StoredRecord& record : records)
        AppendRecord(out, version, record);
    return out;
}

inline QByteArray ToByteArray(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace lumadex::test
