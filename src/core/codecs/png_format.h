#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Layout facts of the PNG format shared by the reader and the writer.
namespace lumadex::png {

inline constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};

// The largest chunk length the format allows.
inline constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

constexpr std::uint32_t ChunkType(const char (&name)[5]) {
    return (std::uint32_t(std::uint8_t(name[0])) << 24) |
           (std::uint32_t(std::uint8_t(name[1])) << 16) |
           (std::uint32_t(std::uint8_t(name[2])) << 8) | std::uint32_t(std::uint8_t(name[3]));
}

inline constexpr std::uint32_t kIHDR = ChunkType("IHDR");
inline constexpr std::uint32_t kPLTE = ChunkType("PLTE");
inline constexpr std::uint32_t kIDAT = ChunkType("IDAT");
inline constexpr std::uint32_t kIEND = ChunkType("IEND");
inline constexpr std::uint32_t kTRNS = ChunkType("tRNS");
inline constexpr std::uint32_t kGAMA = ChunkType("gAMA");
inline constexpr std::uint32_t kSBIT = ChunkType("sBIT");
inline constexpr std::uint32_t kBKGD = ChunkType("bKGD");
inline constexpr std::uint32_t kTEXT = ChunkType("tEXt");
inline constexpr std::uint32_t kTIME = ChunkType("tIME");

inline std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

inline std::uint16_t ReadBigEndian16(const std::uint8_t* p) {
    return std::uint16_t((p[0] << 8) | p[1]);
}

inline void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value >> 24));
    out.push_back(std::uint8_t(value >> 16));
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

inline void AppendBigEndian16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

enum ColourType : int {
    kGrey = 0,
    kRgb = 2,
    kPalette = 3,
    kGreyAlpha = 4,
    kRgbAlpha = 6,
};

// The fields of an IHDR chunk that shape the image data.
struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;

    bool isGrey() const { return colourType == kGrey || colourType == kGreyAlpha; }
    bool hasAlpha() const { return colourType == kGreyAlpha || colourType == kRgbAlpha; }
    int channels() const {
        switch (colourType) {
        case kRgb:
            return 3;
        case kGreyAlpha:
            return 2;
        case kRgbAlpha:
            return 4;
        default:
            return 1;
        }
    }
    int bitsPerPixel() const { return channels() * bitDepth; }
};

// Bytes of one unfiltered row of width pixels (without the filter byte).
inline std::size_t RowBytes(std::uint64_t width, int bitsPerPixel) {
    return std::size_t((width * std::uint64_t(bitsPerPixel) + 7) / 8);
}

// Bytes a filter looks back: one whole pixel, at least one byte.
inline int FilterDistance(int bitsPerPixel) {
    return bitsPerPixel < 8 ? 1 : bitsPerPixel / 8;
}

// A sub-image of the picture: every pixel (x0 + i * dx, y0 + j * dy).
struct Pass {
    std::uint32_t x0, y0, dx, dy;
};

inline constexpr std::array<Pass, 7> kAdam7 = {{{0, 0, 8, 8},
                                                {4, 0, 8, 8},
                                                {0, 4, 4, 8},
                                                {2, 0, 4, 4},
                                                {0, 2, 2, 4},
                                                {1, 0, 2, 2},
                                                {0, 1, 1, 2}}};
inline constexpr Pass kWholeImage = {0, 0, 1, 1};

// Number of positions start, start + step, ... below size.
inline std::uint32_t PassExtent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

// Bytes of filtered image data (filter bytes included) the header describes.
inline std::uint64_t FilteredDataSize(const Header& header) {
    const auto passSize = [&](const Pass& pass) {
        const std::uint32_t width = PassExtent(header.width, pass.x0, pass.dx);
        const std::uint32_t height = PassExtent(header.height, pass.y0, pass.dy);
        return width == 0 ? 0
                          : std::uint64_t(height) * (1 + RowBytes(width, header.bitsPerPixel()));
    };
    if (!header.interlaced)
        return passSize(kWholeImage);
    std::uint64_t total = 0;
    for (const Pass& pass : kAdam7)
        total += passSize(pass);
    return total;
}

} // namespace lumadex::png
