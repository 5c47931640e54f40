#include "codecs/bmp_layout.h"

#include <algorithm>
#include <bit>
#include <optional>

namespace lumadex::bmp {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kInfoWithMasksBytes = 52;
constexpr std::uint32_t kInfoWithAlphaBytes = 56;
constexpr std::uint32_t kV4HeaderBytes = 108;
constexpr std::uint32_t kV5HeaderBytes = 124;
// Three colour masks follow a 40-byte info header of a bit-field file.
constexpr std::size_t kTrailingMaskBytes = 12;

// Compression codes of the info header.
constexpr std::uint32_t kCodeRgb = 0;
constexpr std::uint32_t kCodeRle8 = 1;
constexpr std::uint32_t kCodeRle4 = 2;
constexpr std::uint32_t kCodeBitFields = 3;

constexpr ChannelMasks kDefault16BitMasks{0x7C00, 0x03E0, 0x001F, 0};
constexpr ChannelMasks kDefault32BitMasks{0xFF0000, 0x00FF00, 0x0000FF, 0};

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint16_t(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | (std::uint32_t(bytes[at + 1]) << 8) |
           (std::uint32_t(bytes[at + 2]) << 16) | (std::uint32_t(bytes[at + 3]) << 24);
}

bool IsKnownHeaderSize(std::uint32_t size) {
    switch (size) {
    case kCoreHeaderBytes:
    case kInfoHeaderBytes:
    case kInfoWithMasksBytes:
    case kInfoWithAlphaBytes:
    case kV4HeaderBytes:
    case kV5HeaderBytes:
        return true;
    default:
        return false;
    }
}

// The header fields as stored, before any of them is checked.
struct HeaderFields {
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned planes = 0;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = kCodeRgb;
    std::uint32_t coloursUsed = 0;
    ChannelMasks masks; // as stored in headers of 52 bytes and more
};

HeaderFields ReadCoreHeader(std::span<const std::uint8_t> header) {
    HeaderFields fields;
    fields.width = ReadU16(header, 4);
    fields.height = ReadU16(header, 6);
    fields.planes = ReadU16(header, 8);
    fields.bitsPerPixel = ReadU16(header, 10);
    return fields;
}

HeaderFields ReadInfoHeader(std::span<const std::uint8_t> header) {
    HeaderFields fields;
    fields.width = std::int32_t(ReadU32(header, 4));
    fields.height = std::int32_t(ReadU32(header, 8));
    fields.planes = ReadU16(header, 12);
    fields.bitsPerPixel = ReadU16(header, 14);
    fields.compression = ReadU32(header, 16);
    fields.coloursUsed = ReadU32(header, 32);
    if (header.size() >= kInfoWithMasksBytes) {
        fields.masks.red = ReadU32(header, 40);
        fields.masks.green = ReadU32(header, 44);
        fields.masks.blue = ReadU32(header, 48);
    }
    if (header.size() >= kInfoWithAlphaBytes)
        fields.masks.alpha = ReadU32(header, 52);
    return fields;
}

std::optional<Compression> CompressionFor(const HeaderFields& fields, bool coreHeader) {
    const unsigned bits = fields.bitsPerPixel;
    switch (fields.compression) {
    case kCodeRgb:
        if (bits == 1 || bits == 4 || bits == 8 || bits == 24)
            return Compression::None;
        if (!coreHeader && (bits == 16 || bits == 32))
            return Compression::None;
        return std::nullopt;
    case kCodeRle8:
        return bits == 8 ? std::optional(Compression::Rle8) : std::nullopt;
    case kCodeRle4:
        return bits == 4 ? std::optional(Compression::Rle4) : std::nullopt;
    case kCodeBitFields:
        return bits == 16 || bits == 32 ? std::optional(Compression::BitFields) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool IsContiguous(std::uint32_t mask) {
    if (mask == 0)
        return false;
    const std::uint32_t lowAligned = mask >> std::countr_zero(mask);
    return (lowAligned & (lowAligned + 1)) == 0;
}

// Colour masks must each be one run of bits inside the pixel, and no two masks may share a bit.
bool AreUsableMasks(const ChannelMasks& masks, int bitsPerPixel) {
    if (!IsContiguous(masks.red) || !IsContiguous(masks.green) || !IsContiguous(masks.blue))
        return false;
    if (masks.alpha != 0 && !IsContiguous(masks.alpha))
        return false;
    const std::uint32_t colours = masks.red | masks.green | masks.blue;
    if ((masks.red & masks.green) || (masks.red & masks.blue) || (masks.green & masks.blue) ||
        (masks.alpha & colours))
        return false;
    return bitsPerPixel == 32 || ((colours | masks.alpha) >> 16) == 0;
}

// Reads the palette between the end of the headers and the pixel data. A palette that would
// run into the pixel data is cut there; missing entries are black.
std::vector<Colour> ReadPalette(std::span<const std::uint8_t> file, std::size_t start,
                                std::size_t pixelOffset, std::size_t declaredEntries,
                                std::size_t entryBytes, int bitsPerPixel) {
    const std::size_t entries = std::min(declaredEntries, (pixelOffset - start) / entryBytes);
    std::vector<Colour> palette(std::size_t(1) << bitsPerPixel, 0);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = file.data() + start + i * entryBytes;
        palette[i] = MakeColour(entry[2], entry[1], entry[0]);
    }
    return palette;
}

// The colour masks of a 16- or 32-bit file, or nullopt when the file's masks are unusable.
std::optional<ChannelMasks> MasksFor(std::span<const std::uint8_t> file, const HeaderFields& fields,
                                     std::uint32_t headerSize, Compression compression,
                                     int bitsPerPixel) {
    if (compression != Compression::BitFields)
        return bitsPerPixel == 16 ? kDefault16BitMasks : kDefault32BitMasks;
    ChannelMasks masks = fields.masks;
    if (headerSize == kInfoHeaderBytes) {
        const std::size_t at = kFileHeaderBytes + kInfoHeaderBytes;
        masks = {ReadU32(file, at), ReadU32(file, at + 4), ReadU32(file, at + 8), 0};
    }
    if (!AreUsableMasks(masks, bitsPerPixel))
        return std::nullopt;
    return masks;
}

bool IsRunLength(Compression compression) {
    return compression == Compression::Rle8 || compression == Compression::Rle4;
}

// Fills the picture's size, depth and compression into layout; refuses what no reader could
// decode and sizes outside 1..maxDimension.
DecodeStatus ReadShape(const HeaderFields& fields, bool coreHeader, int maxDimension,
                       BmpLayout& layout) {
    const std::optional<Compression> compression = CompressionFor(fields, coreHeader);
    if (fields.planes != 1 || !compression || fields.width < 0)
        return DecodeStatus::Failed;
    const bool topDown = fields.height < 0;
    if (topDown && IsRunLength(*compression))
        return DecodeStatus::Failed;
    const std::int64_t height = topDown ? -fields.height : fields.height;
    if (fields.width == 0 || height == 0 || fields.width > maxDimension || height > maxDimension)
        return DecodeStatus::BadDimensions;
    layout.width = int(fields.width);
    layout.height = int(height);
    layout.topDown = topDown;
    layout.bitsPerPixel = int(fields.bitsPerPixel);
    layout.compression = *compression;
    return DecodeStatus::Ok;
}

// Fills the pixel offset and the palette or the masks into layout. The palette (or the masks
// following a 40-byte header) must end before the pixels, and the pixels start inside the file.
bool ReadTables(std::span<const std::uint8_t> file, const HeaderFields& fields,
                std::uint32_t headerSize, BmpLayout& layout) {
    std::size_t tablesStart = kFileHeaderBytes + headerSize;
    if (layout.compression == Compression::BitFields && headerSize == kInfoHeaderBytes) {
        if (file.size() - tablesStart < kTrailingMaskBytes)
            return false;
        tablesStart += kTrailingMaskBytes;
    }
    layout.pixelOffset = ReadU32(file, 10);
    if (layout.pixelOffset < tablesStart || layout.pixelOffset > file.size())
        return false;
    const int bits = layout.bitsPerPixel;
    if (bits <= 8) {
        const std::size_t maxEntries = std::size_t(1) << bits;
        const std::size_t declared = fields.coloursUsed == 0 || fields.coloursUsed > maxEntries
                                         ? maxEntries
                                         : fields.coloursUsed;
        const std::size_t entryBytes = headerSize == kCoreHeaderBytes ? 3 : 4;
        layout.palette =
            ReadPalette(file, tablesStart, layout.pixelOffset, declared, entryBytes, bits);
    } else if (bits == 16 || bits == 32) {
        const std::optional<ChannelMasks> masks =
            MasksFor(file, fields, headerSize, layout.compression, bits);
        if (!masks)
            return false;
        layout.masks = *masks;
    }
    return true;
}

// Whether the file holds every stored row; the last row may lack its padding.
bool HoldsStoredRows(std::span<const std::uint8_t> file, const BmpLayout& layout) {
    const std::size_t available = file.size() - layout.pixelOffset;
    const std::size_t usedRowBytes = (std::size_t(layout.width) * layout.bitsPerPixel + 7) / 8;
    const std::size_t stride = Bitmap::StrideFor(layout.width, layout.bitsPerPixel);
    return usedRowBytes <= available &&
           std::size_t(layout.height - 1) <= (available - usedRowBytes) / stride;
}

} // namespace

DecodeStatus ReadBmpLayout(std::span<const std::uint8_t> file, int maxDimension,
                           BmpLayout& layout) {
    if (file.size() < kFileHeaderBytes + 4 || file[0] != 'B' || file[1] != 'M')
        return DecodeStatus::Failed;
    const std::uint32_t headerSize = ReadU32(file, kFileHeaderBytes);
    if (!IsKnownHeaderSize(headerSize) || file.size() - kFileHeaderBytes < headerSize)
        return DecodeStatus::Failed;
    const auto header = file.subspan(kFileHeaderBytes, headerSize);
    const bool coreHeader = headerSize == kCoreHeaderBytes;
    const HeaderFields fields = coreHeader ? ReadCoreHeader(header) : ReadInfoHeader(header);

    BmpLayout result;
    const DecodeStatus shape = ReadShape(fields, coreHeader, maxDimension, result);
    if (shape != DecodeStatus::Ok)
        return shape;
    if (!ReadTables(file, fields, headerSize, result))
        return DecodeStatus::Failed;
    if (!IsRunLength(result.compression) && !HoldsStoredRows(file, result))
        return DecodeStatus::Failed;
    layout = std::move(result);
    return DecodeStatus::Ok;
}

} // namespace lumadex::bmp
