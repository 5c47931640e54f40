#pragma once

#include "codecs/bitmap.h"
#include "codecs/png_format.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumadex::png {

// Chooses how a bitmap is stored (colour type, bit depth, palette) and produces its rows as
// unfiltered PNG scanlines.
//
// Palette bitmaps keep their depth as palette pictures; an alpha plane becomes palette alphas
// when every pixel of an index has the same alpha, and RGBA otherwise. Other depths become
// 8-bit RGB, or RGBA with an alpha plane. A grey request gives grey at the bitmap's depth
// (palette bitmaps) or 8 bits, or grey with alpha at 8 bits.
class RowSource {
public:
    RowSource(const Bitmap& bitmap, bool greyscale);

    const Header& header() const { return header_; }
    std::size_t rowBytes() const { return RowBytes(header_.width, header_.bitsPerPixel()); }
    // PLTE entries of a palette picture: one per possible index.
    const std::vector<Colour>& palette() const { return palette_; }
    // tRNS entries of a palette picture, up to the last index that is not opaque.
    const std::vector<std::uint8_t>& paletteAlpha() const { return paletteAlpha_; }
    // The sample value of colour in a grey picture of the written depth.
    std::uint16_t greyLevel(Colour colour) const;

    // Writes the unfiltered row y (rowBytes() bytes).
    void makeRow(int y, std::uint8_t* out);

private:
    void chooseIndexed(bool greyscale);
    void chooseColours(bool greyscale);
    // Fills alphaByIndex and returns true when the alpha plane is a function of the index.
    bool alphaFollowsIndex(std::array<std::uint8_t, 256>& alphaByIndex) const;
    void makeColourRow(int y, std::uint8_t* out);
    void loadRgb(int y);

    const Bitmap& bitmap_;
    Header header_;
    bool fromIndices_ = false;
    std::array<std::uint8_t, 256> byteMap_{};
    std::array<Colour, 256> colourOfIndex_{};
    std::vector<Colour> palette_;
    std::vector<std::uint8_t> paletteAlpha_;
    std::vector<std::uint8_t> rgb_;
};

// Copies count pixels at x0, x0 + step, ... of a full scanline into a packed pass scanline.
void GatherPixels(const std::uint8_t* full, int bitsPerPixel, std::uint32_t x0, std::uint32_t step,
                  std::uint32_t count, std::uint8_t* out);

} // namespace lumadex::png
