#pragma once

#include "codecs/bitmap.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace lumadex::pixels {

// Reads colours (0x00BBGGRR, as Bitmap::pixel gives them) from the rows of a bitmap of one
// pixel format. VisitReader picks the reader once per bitmap, so loops over pixels carry no
// switch on the depth.

// 1, 4 and 8 bits per pixel: palette indices; indices beyond the palette read black.
template <int Bits> class PaletteReader {
public:
    explicit PaletteReader(const Bitmap& bitmap) {
        colours_.fill(0);
        const auto& palette = bitmap.palette();
        const std::size_t n = std::min(palette.size(), colours_.size());
        std::copy_n(palette.begin(), n, colours_.begin());
    }
    Colour operator()(const std::uint8_t* row, int x) const {
        if constexpr (Bits == 8) {
            return colours_[row[x]];
        } else if constexpr (Bits == 4) {
            const std::uint8_t byte = row[x >> 1];
            return colours_[(x & 1) ? (byte & 0x0F) : (byte >> 4)];
        } else {
            return colours_[(row[x >> 3] >> (7 - (x & 7))) & 1];
        }
    }

private:
    std::array<Colour, 256> colours_;
};

// 15 and 16 bits per pixel: little-endian words, channels widened by repeating their top bits.
template <int Bits> class WordReader {
public:
    Colour operator()(const std::uint8_t* row, int x) const {
        const unsigned word = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
        unsigned red, green, blue;
        if constexpr (Bits == 15) {
            red = (word >> 10) & 31;
            green = (word >> 5) & 31;
            green = (green << 3) | (green >> 2);
        } else {
            red = (word >> 11) & 31;
            green = (word >> 5) & 63;
            green = (green << 2) | (green >> 4);
        }
        blue = word & 31;
        red = (red << 3) | (red >> 2);
        blue = (blue << 3) | (blue >> 2);
        return Colour(red) | (Colour(green) << 8) | (Colour(blue) << 16);
    }
};

// 24 and 32 bits per pixel: bytes blue, green, red (and one unused byte).
template <int BytesPerPixel> class ByteReader {
public:
    Colour operator()(const std::uint8_t* row, int x) const {
        const std::uint8_t* p = row + std::size_t(x) * BytesPerPixel;
        return Colour(p[2]) | (Colour(p[1]) << 8) | (Colour(p[0]) << 16);
    }
};

// Calls visit(reader) with the reader for the bitmap's depth and returns its result.
template <typename Visit> decltype(auto) VisitReader(const Bitmap& bitmap, Visit&& visit) {
    switch (bitmap.bitsPerPixel()) {
    case 1:
        return visit(PaletteReader<1>(bitmap));
    case 4:
        return visit(PaletteReader<4>(bitmap));
    case 8:
        return visit(PaletteReader<8>(bitmap));
    case 15:
        return visit(WordReader<15>());
    case 16:
        return visit(WordReader<16>());
    case 24:
        return visit(ByteReader<3>());
    default:
        return visit(ByteReader<4>());
    }
}

} // namespace lumadex::pixels
