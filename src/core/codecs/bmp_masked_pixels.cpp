#include "codecs/bmp_masked_pixels.h"

#include <array>
#include <bit>
#include <cstring>

namespace lumadex::bmp {
namespace {

// How a channel narrower than 8 bits becomes 8 bits wide.
enum class Widening {
    Shift,  // into the top bits: 5-bit 31 becomes 248
    Repeat, // repeating its bits: 5-bit abcde becomes abcdeabc, so the maximum stays the maximum
};

// Extracts one channel from a pixel word and scales it to 8 bits: through a table when it is
// 8 bits wide or narrower, else by rounding to the nearest 8-bit value.
class ChannelScaler {
public:
    ChannelScaler(std::uint32_t mask, Widening widening)
        : mask_(mask), shift_(std::countr_zero(mask)), maximum_(mask >> shift_) {
        if (maximum_ <= 0xFF) {
            for (unsigned value = 0; value <= maximum_; ++value)
                table_[value] = Widen(value, std::popcount(mask), widening);
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (maximum_ <= 0xFF)
            return table_[value];
        return std::uint8_t((std::uint64_t(value) * 255 + maximum_ / 2) / maximum_);
    }

private:
    static std::uint8_t Widen(unsigned value, int bits, Widening widening) {
        unsigned result = value << (8 - bits);
        if (widening == Widening::Repeat) {
            for (int filled = bits; filled < 8; filled *= 2)
                result |= result >> filled;
        }
        return std::uint8_t(result);
    }

    std::uint32_t mask_;
    int shift_;
    std::uint32_t maximum_;
    std::array<std::uint8_t, 256> table_{};
};

template <int BytesPerPixel> std::uint32_t LoadPixel(const std::uint8_t* source) {
    if constexpr (BytesPerPixel == 2)
        return std::uint32_t(source[0]) | (std::uint32_t(source[1]) << 8);
    else
        return std::uint32_t(source[0]) | (std::uint32_t(source[1]) << 8) |
               (std::uint32_t(source[2]) << 16) | (std::uint32_t(source[3]) << 24);
}

// Decodes every row; returns the OR of all alpha values written (0 when there is no alpha).
template <int BytesPerPixel>
unsigned DecodeRows(std::span<const std::uint8_t> file, const BmpLayout& layout, Bitmap& bitmap) {
    const ChannelScaler red(layout.masks.red, Widening::Shift);
    const ChannelScaler green(layout.masks.green, Widening::Shift);
    const ChannelScaler blue(layout.masks.blue, Widening::Shift);
    const bool withAlpha = bitmap.hasAlpha();
    const ChannelScaler alpha(withAlpha ? layout.masks.alpha : 0xFF, Widening::Repeat);
    const std::size_t sourceStride = Bitmap::StrideFor(layout.width, BytesPerPixel * 8);
    const std::size_t padding = bitmap.stride() - std::size_t(layout.width) * 3;
    unsigned alphaSeen = 0;
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const int y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        const std::uint8_t* source = file.data() + layout.pixelOffset + fileRow * sourceStride;
        std::uint8_t* target = bitmap.row(y);
        for (int x = 0; x < layout.width; ++x, source += BytesPerPixel, target += 3) {
            const std::uint32_t pixel = LoadPixel<BytesPerPixel>(source);
            target[0] = blue(pixel);
            target[1] = green(pixel);
            target[2] = red(pixel);
        }
        std::memset(target, 0, padding);
        if (withAlpha) {
            source = file.data() + layout.pixelOffset + fileRow * sourceStride;
            std::uint8_t* alphaRow = bitmap.alphaRow(y);
            for (int x = 0; x < layout.width; ++x, source += BytesPerPixel) {
                alphaRow[x] = alpha(LoadPixel<BytesPerPixel>(source));
                alphaSeen |= alphaRow[x];
            }
        }
    }
    return alphaSeen;
}

} // namespace

Bitmap DecodeMaskedPixels(std::span<const std::uint8_t> file, const BmpLayout& layout) {
    Bitmap bitmap(layout.width, layout.height, 24);
    if (layout.masks.alpha != 0)
        bitmap.createAlpha();
    const unsigned alphaSeen = layout.bitsPerPixel == 16 ? DecodeRows<2>(file, layout, bitmap)
                                                         : DecodeRows<4>(file, layout, bitmap);
    if (alphaSeen == 0)
        bitmap.removeAlpha();
    return bitmap;
}

} // namespace lumadex::bmp
