#include "store/database_header.h"

#include "options/option_model.h"

#include <algorithm>

namespace lumadex {
namespace {

constexpr std::array<std::uint8_t, 3> kMagic = {'L', 'X', 'B'};
constexpr std::size_t kVersionOffset = 3;
constexpr std::size_t kLastVersionDigit = 5;
constexpr std::size_t kSelectedIndexOffset = 120;
constexpr std::size_t kRecordCountOffset = 124;
constexpr int kFirstVersionWithSelectedIndex = 6;
constexpr int kFirstVersionWithCompression = 8;

// Byte 14 holds both search trackbars; 0 there means the older layout, where TrackBar1 came
// from bits 2-3 of byte 7 and TrackBar3 did not exist.
constexpr std::size_t kSearchTrackBarsByte = 14;
constexpr std::size_t kOldLoosenessByte = 7;
constexpr int kOldLoosenessShift = 2;
constexpr int kTrackBar3WithOldLooseness = 4;
// Byte 17 is 0 in headers written before JPEG options were kept.
constexpr std::size_t kJpegByte = 17;

void PutInt32(DatabaseHeader& header, std::size_t offset, std::int32_t value) {
    const auto bits = std::uint32_t(value);
    for (int i = 0; i < 4; ++i)
        header[offset + i] = std::uint8_t(bits >> (8 * i));
}

std::int32_t Int32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t(bytes[offset + i]) << (8 * i);
    return std::int32_t(bits);
}

int StoredValue(const OptionRow& row, const OptionModel& options) {
    return row.kind == OptionKind::RadioButton ? row.choiceValue : options.value(row.id);
}

int FieldValue(std::span<const std::uint8_t, kDatabaseHeaderSize> header, const OptionRow& row) {
    const std::uint8_t byte = header[std::size_t(row.slot.byte)];
    if (row.encoding == HeaderEncoding::SignedByte)
        return std::int8_t(byte);
    return int((byte & row.slot.mask()) >> row.slot.shift);
}

// The value an option takes from a header, before it is brought into the control's range.
int ValueFromHeader(std::span<const std::uint8_t, kDatabaseHeaderSize> header, int formatVersion,
                    const OptionRow& row) {
    const bool oldSearchTrackBars = header[kSearchTrackBarsByte] == 0;
    switch (row.id) {
    case OptionId::TrackBar1:
        if (oldSearchTrackBars)
            return ((header[kOldLoosenessByte] >> kOldLoosenessShift) & 3) + 1;
        break;
    case OptionId::TrackBar3:
        if (oldSearchTrackBars)
            return kTrackBar3WithOldLooseness;
        break;
    case OptionId::JpegQuality:
        if (header[kJpegByte] == 0)
            return row.defaultValue;
        break;
    case OptionId::Compress:
        if (formatVersion < kFirstVersionWithCompression)
            return row.defaultValue;
        break;
    default:
        break;
    }
    return FieldValue(header, row);
}

} // namespace

DatabaseHeader BuildDatabaseHeader(const OptionModel& options, std::int32_t selectedIndex,
                                   std::int32_t recordCount) {
    DatabaseHeader header{};
    std::copy(kMagic.begin(), kMagic.end(), header.begin());
    header[kVersionOffset] = '0' + kWrittenFormatVersion / 100;
    header[kVersionOffset + 1] = '0' + kWrittenFormatVersion / 10 % 10;
    header[kLastVersionDigit] = '0' + kWrittenFormatVersion % 10;
    for (const OptionRow& row : OptionRows()) {
        if (row.encoding == HeaderEncoding::NotStored)
            continue;
        if (row.kind == OptionKind::RadioButton && !options.isChecked(row.id))
            continue;
        const unsigned bits = unsigned(StoredValue(row, options)) << row.slot.shift;
        header[std::size_t(row.slot.byte)] |= std::uint8_t(bits & row.slot.mask());
    }
    PutInt32(header, kSelectedIndexOffset, selectedIndex);
    PutInt32(header, kRecordCountOffset, recordCount);
    return header;
}

DatabaseHeaderInfo ReadDatabaseHeaderInfo(std::span<const std::uint8_t> bytes) {
    DatabaseHeaderInfo info;
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return info;
    if (bytes.size() < kDatabaseHeaderSize) {
        info.check = HeaderCheck::Truncated;
        return info;
    }
    info.check = HeaderCheck::Valid;
    info.formatVersion = int(bytes[kLastVersionDigit]) - '0';
    if (info.formatVersion >= kFirstVersionWithSelectedIndex)
        info.selectedIndex = Int32At(bytes, kSelectedIndexOffset);
    // The count only sizes the catalogue and the progress bar; a negative one means nothing.
    if (info.formatVersion >= kFirstCurrentFormatVersion)
        info.recordCount = std::max(Int32At(bytes, kRecordCountOffset), 0);
    return info;
}

void ApplyHeaderOptions(std::span<const std::uint8_t, kDatabaseHeaderSize> header,
                        int formatVersion, OptionModel& options) {
    // Rows run in header order, so DoubleCheck has set TrackBar1's range before TrackBar1 is set.
    for (const OptionRow& row : OptionRows()) {
        if (row.encoding == HeaderEncoding::NotStored)
            continue;
        const int value = ValueFromHeader(header, formatVersion, row);
        if (row.kind == OptionKind::RadioButton) {
            if (value == row.choiceValue)
                options.setChoice(row.choice, value);
            continue;
        }
        options.setValue(row.id,
                         std::clamp(value, options.minimum(row.id), options.maximum(row.id)));
    }
}

DatabaseHeaderInfo ApplyDatabaseHeader(std::span<const std::uint8_t> bytes, OptionModel& options) {
    const DatabaseHeaderInfo info = ReadDatabaseHeaderInfo(bytes);
    if (info.isValid())
        ApplyHeaderOptions(bytes.first<kDatabaseHeaderSize>(), info.formatVersion, options);
    return info;
}

} // namespace lumadex
