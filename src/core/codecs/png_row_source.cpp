#include "codecs/png_row_source.h"

#include <algorithm>
#include <cstring>

namespace lumadex::png {
namespace {

unsigned Luminance(Colour colour) {
    return (299u * RedOf(colour) + 587u * GreenOf(colour) + 114u * BlueOf(colour) + 500u) / 1000u;
}

// Maps every depth-bit field of a byte through levels.
std::array<std::uint8_t, 256> MapFields(int depth, const std::array<std::uint8_t, 256>& levels) {
    std::array<std::uint8_t, 256> map{};
    const unsigned mask = (1u << depth) - 1;
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned mapped = 0;
        for (int shift = 8 - depth; shift >= 0; shift -= depth)
            mapped |= unsigned(levels[(byte >> shift) & mask] & mask) << shift;
        map[byte] = std::uint8_t(mapped);
    }
    return map;
}

} // namespace

RowSource::RowSource(const Bitmap& bitmap, bool greyscale) : bitmap_(bitmap) {
    header_.width = std::uint32_t(bitmap.width());
    header_.height = std::uint32_t(bitmap.height());
    if (bitmap.isPaletted()) {
        const std::vector<Colour>& palette = bitmap.palette();
        std::copy_n(palette.begin(), std::min<std::size_t>(palette.size(), 256),
                    colourOfIndex_.begin());
        chooseIndexed(greyscale);
    }
    if (!fromIndices_)
        chooseColours(greyscale);
}

void RowSource::chooseIndexed(bool greyscale) {
    const int depth = bitmap_.bitsPerPixel();
    const std::size_t entries = std::size_t(1) << depth;
    std::array<std::uint8_t, 256> alphaByIndex;
    alphaByIndex.fill(255);
    if (bitmap_.hasAlpha() && (greyscale || !alphaFollowsIndex(alphaByIndex)))
        return;
    fromIndices_ = true;
    header_.bitDepth = depth;
    std::array<std::uint8_t, 256> levels{};
    if (greyscale) {
        header_.colourType = kGrey;
        const unsigned top = unsigned(entries) - 1;
        for (std::size_t i = 0; i < entries; ++i)
            levels[i] = std::uint8_t((Luminance(colourOfIndex_[i]) * top + 127) / 255);
        byteMap_ = depth == 8 ? levels : MapFields(depth, levels);
        return;
    }
    header_.colourType = kPalette;
    for (unsigned byte = 0; byte < 256; ++byte)
        byteMap_[byte] = std::uint8_t(byte);
    palette_.assign(colourOfIndex_.begin(), colourOfIndex_.begin() + std::ptrdiff_t(entries));
    if (!bitmap_.hasAlpha() && bitmap_.transparentColour()) {
        for (std::size_t i = 0; i < entries; ++i)
            alphaByIndex[i] = palette_[i] == *bitmap_.transparentColour() ? 0 : 255;
    }
    std::size_t used = entries;
    while (used > 0 && alphaByIndex[used - 1] == 255)
        --used;
    paletteAlpha_.assign(alphaByIndex.begin(), alphaByIndex.begin() + std::ptrdiff_t(used));
}

bool RowSource::alphaFollowsIndex(std::array<std::uint8_t, 256>& alphaByIndex) const {
    std::array<bool, 256> seen{};
    for (int y = 0; y < bitmap_.height(); ++y) {
        const std::uint8_t* alpha = bitmap_.alphaRow(y);
        for (int x = 0; x < bitmap_.width(); ++x) {
            const int index = bitmap_.paletteIndex(x, y);
            if (!seen[std::size_t(index)]) {
                seen[std::size_t(index)] = true;
                alphaByIndex[std::size_t(index)] = alpha[x];
            } else if (alphaByIndex[std::size_t(index)] != alpha[x]) {
                return false;
            }
        }
    }
    return true;
}

void RowSource::chooseColours(bool greyscale) {
    const bool alpha = bitmap_.hasAlpha();
    header_.bitDepth = 8;
    if (greyscale)
        header_.colourType = alpha ? kGreyAlpha : kGrey;
    else
        header_.colourType = alpha ? kRgbAlpha : kRgb;
    rgb_.resize(3 * std::size_t(bitmap_.width()));
}

std::uint16_t RowSource::greyLevel(Colour colour) const {
    const unsigned top = (1u << header_.bitDepth) - 1;
    return std::uint16_t((Luminance(colour) * top + 127) / 255);
}

void RowSource::makeRow(int y, std::uint8_t* out) {
    if (!fromIndices_) {
        makeColourRow(y, out);
        return;
    }
    const std::size_t bytes = rowBytes();
    const std::uint8_t* in = bitmap_.row(y);
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = byteMap_[in[i]];
    // Bits past the last pixel are row padding: store them as zero.
    if (const unsigned usedBits = unsigned(std::uint64_t(header_.width) * header_.bitDepth % 8))
        out[bytes - 1] &= std::uint8_t(0xFF << (8 - usedBits));
}

void RowSource::makeColourRow(int y, std::uint8_t* out) {
    loadRgb(y);
    const std::size_t width = header_.width;
    const std::uint8_t* alpha = bitmap_.hasAlpha() ? bitmap_.alphaRow(y) : nullptr;
    const std::uint8_t* rgb = rgb_.data();
    switch (header_.colourType) {
    case kRgb:
        std::memcpy(out, rgb, 3 * width);
        break;
    case kRgbAlpha:
        for (std::size_t x = 0; x < width; ++x, rgb += 3, out += 4) {
            std::memcpy(out, rgb, 3);
            out[3] = alpha[x];
        }
        break;
    default:
        for (std::size_t x = 0; x < width; ++x, rgb += 3) {
            *out++ = std::uint8_t(Luminance(MakeColour(rgb[0], rgb[1], rgb[2])));
            if (alpha)
                *out++ = alpha[x];
        }
        break;
    }
}

// Fills rgb_ with row y as red, green, blue bytes.
void RowSource::loadRgb(int y) {
    const std::uint8_t* in = bitmap_.row(y);
    std::uint8_t* out = rgb_.data();
    const int width = bitmap_.width();
    const auto put = [&out](Colour colour) {
        *out++ = RedOf(colour);
        *out++ = GreenOf(colour);
        *out++ = BlueOf(colour);
    };
    switch (bitmap_.bitsPerPixel()) {
    case 24:
    case 32: {
        const int step = bitmap_.bitsPerPixel() / 8;
        for (int x = 0; x < width; ++x, in += step) {
            *out++ = in[2];
            *out++ = in[1];
            *out++ = in[0];
        }
        break;
    }
    case 15:
    case 16:
        for (int x = 0; x < width; ++x)
            put(bitmap_.pixel(x, y));
        break;
    default:
        for (int x = 0; x < width; ++x)
            put(colourOfIndex_[std::size_t(bitmap_.paletteIndex(x, y))]);
        break;
    }
}

void GatherPixels(const std::uint8_t* full, int bitsPerPixel, std::uint32_t x0, std::uint32_t step,
                  std::uint32_t count, std::uint8_t* out) {
    if (bitsPerPixel >= 8) {
        const std::size_t pixelBytes = std::size_t(bitsPerPixel) / 8;
        for (std::uint32_t i = 0; i < count; ++i)
            std::memcpy(out + i * pixelBytes, full + (x0 + std::size_t(i) * step) * pixelBytes,
                        pixelBytes);
        return;
    }
    const unsigned depth = unsigned(bitsPerPixel);
    const unsigned mask = (1u << depth) - 1;
    const unsigned perByte = 8 / depth;
    std::memset(out, 0, RowBytes(count, bitsPerPixel));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t x = x0 + i * step;
        const unsigned value = (full[x / perByte] >> (8 - depth * (x % perByte + 1))) & mask;
        out[i / perByte] |= std::uint8_t(value << (8 - depth * (i % perByte + 1)));
    }
}

} // namespace lumadex::png
