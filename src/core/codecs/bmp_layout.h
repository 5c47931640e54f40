#pragma once

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumadex::bmp {

enum class Compression { None, Rle8, Rle4, BitFields };

// Channel masks of 16- and 32-bit pixels, in the order red, green, blue, alpha.
// The alpha mask is 0 when the pixels carry no alpha.
struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
};

// Everything the pixel decoders need to know about a BMP file, taken from its headers and
// checked against the file's length.
struct BmpLayout {
    int width = 0;
    int height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    Compression compression = Compression::None;
    ChannelMasks masks;          // 16- and 32-bit files only
    std::vector<Colour> palette; // paletted files only, always 2^bitsPerPixel entries
    std::size_t pixelOffset = 0;
};

// Reads and checks the file and info headers, the masks and the palette. Returns Ok with layout
// filled, BadDimensions for a width or height of 0 or above maxDimension, Failed for anything
// malformed, including uncompressed pixel data that the file is too short to hold.
DecodeStatus ReadBmpLayout(std::span<const std::uint8_t> file, int maxDimension, BmpLayout& layout);

} // namespace lumadex::bmp
