#include "codecs/jpeg_pixel_rows.h"

#include <cstddef>
#include <cstring>

namespace lumadex {
namespace {

// round(product / 255) for products of two bytes.
std::uint8_t DivideBy255(unsigned product) {
    return std::uint8_t((product + 128 + ((product + 128) >> 8)) >> 8);
}

unsigned Expand5(unsigned value) {
    return (value << 3) | (value >> 2);
}
unsigned Expand6(unsigned value) {
    return (value << 2) | (value >> 4);
}

void PutBgr(std::uint8_t* bgr, Colour colour) {
    bgr[0] = BlueOf(colour);
    bgr[1] = GreenOf(colour);
    bgr[2] = RedOf(colour);
}

void PalettedRowToBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr) {
    const std::vector<Colour>& palette = bitmap.palette();
    for (int x = 0; x < bitmap.width(); ++x) {
        const auto index = std::size_t(bitmap.paletteIndex(x, y));
        PutBgr(bgr + 3 * x, index < palette.size() ? palette[index] : 0);
    }
}

void WordRowToBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr) {
    const std::uint8_t* source = bitmap.row(y);
    const bool is565 = bitmap.bitsPerPixel() == 16;
    for (int x = 0; x < bitmap.width(); ++x, source += 2, bgr += 3) {
        const unsigned word = unsigned(source[0]) | (unsigned(source[1]) << 8);
        bgr[0] = std::uint8_t(Expand5(word & 31));
        if (is565) {
            bgr[1] = std::uint8_t(Expand6((word >> 5) & 63));
            bgr[2] = std::uint8_t(Expand5((word >> 11) & 31));
        } else {
            bgr[1] = std::uint8_t(Expand5((word >> 5) & 31));
            bgr[2] = std::uint8_t(Expand5((word >> 10) & 31));
        }
    }
}

void QuadRowToBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr) {
    const std::uint8_t* source = bitmap.row(y);
    for (int x = 0; x < bitmap.width(); ++x, source += 4, bgr += 3)
        std::memcpy(bgr, source, 3);
}

} // namespace

void CmykRowToBgr(const std::uint8_t* cmyk, int width, bool invertedInks, std::uint8_t* bgr) {
    const unsigned flip = invertedInks ? 0 : 255;
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        // With inks inverted, each value is the share of light left: 255 - ink.
        const unsigned keyLight = cmyk[3] ^ flip;
        bgr[0] = DivideBy255((cmyk[2] ^ flip) * keyLight);
        bgr[1] = DivideBy255((cmyk[1] ^ flip) * keyLight);
        bgr[2] = DivideBy255((cmyk[0] ^ flip) * keyLight);
    }
}

void BitmapRowToBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr) {
    switch (bitmap.bitsPerPixel()) {
    case 15:
    case 16:
        WordRowToBgr(bitmap, y, bgr);
        break;
    case 24:
        std::memcpy(bgr, bitmap.row(y), std::size_t(bitmap.width()) * 3);
        break;
    case 32:
        QuadRowToBgr(bitmap, y, bgr);
        break;
    default:
        PalettedRowToBgr(bitmap, y, bgr);
        break;
    }
}

} // namespace lumadex
