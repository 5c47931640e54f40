#include "codecs/png_row_convert.h"

#include <array>
#include <cstring>

namespace lumadex::png {
namespace {

// Palette indices and grey samples of depth 1, 4 and 8 keep their packing in the bitmap.
template <int Depth>
void CopyPacked(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst, std::uint8_t*) {
    std::memcpy(dst, src, RowBytes(count, Depth));
}

// Maps one byte of four 2-bit values to two bytes of four 4-bit values, high byte first.
// Grey levels widen to the same brightness on a 16-step scale (v * 5); indices stay as they are.
template <bool Grey> constexpr std::array<std::uint16_t, 256> MakeWidenTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned wide = 0;
        for (int i = 0; i < 4; ++i) {
            const unsigned value = (byte >> (6 - 2 * i)) & 3;
            wide |= (Grey ? value * 5 : value) << (12 - 4 * i);
        }
        table[byte] = std::uint16_t(wide);
    }
    return table;
}

template <bool Grey>
void Widen2To4(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst, std::uint8_t*) {
    static constexpr std::array<std::uint16_t, 256> kTable = MakeWidenTable<Grey>();
    const std::uint32_t whole = count / 4;
    for (std::uint32_t i = 0; i < whole; ++i) {
        const std::uint16_t wide = kTable[src[i]];
        dst[2 * i] = std::uint8_t(wide >> 8);
        dst[2 * i + 1] = std::uint8_t(wide);
    }
    if (const std::uint32_t rest = count % 4) {
        const std::uint16_t wide = kTable[src[whole]];
        dst[2 * whole] = std::uint8_t(wide >> 8);
        if (rest > 2)
            dst[2 * whole + 1] = std::uint8_t(wide);
    }
}

// Grey, optionally with alpha; SampleBytes 1 or 2 (16-bit samples keep their high byte).
template <int SampleBytes, bool Alpha>
void ConvertGrey(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst,
                 std::uint8_t* alpha) {
    constexpr int kStep = SampleBytes * (Alpha ? 2 : 1);
    for (std::uint32_t i = 0; i < count; ++i, src += kStep) {
        dst[i] = src[0];
        if constexpr (Alpha)
            alpha[i] = src[SampleBytes];
    }
}

template <int SampleBytes, bool Alpha>
void ConvertRgb(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst,
                std::uint8_t* alpha) {
    constexpr int kStep = SampleBytes * (Alpha ? 4 : 3);
    for (std::uint32_t i = 0; i < count; ++i, src += kStep, dst += 3) {
        dst[0] = src[2 * SampleBytes];
        dst[1] = src[SampleBytes];
        dst[2] = src[0];
        if constexpr (Alpha)
            alpha[i] = src[3 * SampleBytes];
    }
}

// RGB into 16-bit words 0RRRRRGGGGGBBBBB (GreenBits 5) or RRRRRGGGGGGBBBBB (GreenBits 6).
template <int SampleBytes, bool Alpha, int GreenBits>
void ConvertRgbPacked(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst,
                      std::uint8_t* alpha) {
    constexpr int kStep = SampleBytes * (Alpha ? 4 : 3);
    for (std::uint32_t i = 0; i < count; ++i, src += kStep, dst += 2) {
        const unsigned red = src[0] >> 3;
        const unsigned green = src[SampleBytes] >> (8 - GreenBits);
        const unsigned blue = src[2 * SampleBytes] >> 3;
        const unsigned word = (red << (5 + GreenBits)) | (green << 5) | blue;
        dst[0] = std::uint8_t(word);
        dst[1] = std::uint8_t(word >> 8);
        if constexpr (Alpha)
            alpha[i] = src[3 * SampleBytes];
    }
}

template <int SampleBytes, bool Alpha> OutputFormat RgbFormat(PackedRgb packed) {
    switch (packed) {
    case PackedRgb::Rgb555:
        return {15, ConvertRgbPacked<SampleBytes, Alpha, 5>};
    case PackedRgb::Rgb565:
        return {16, ConvertRgbPacked<SampleBytes, Alpha, 6>};
    default:
        return {24, ConvertRgb<SampleBytes, Alpha>};
    }
}

OutputFormat IndexedFormat(int depth, bool grey) {
    switch (depth) {
    case 1:
        return {1, CopyPacked<1>};
    case 2:
        return {4, grey ? Widen2To4<true> : Widen2To4<false>};
    case 4:
        return {4, CopyPacked<4>};
    default:
        return {8, CopyPacked<8>};
    }
}

} // namespace

OutputFormat ChooseOutputFormat(const Header& header, PackedRgb packed) {
    const bool wide = header.bitDepth == 16;
    switch (header.colourType) {
    case kGrey:
        return wide ? OutputFormat{8, ConvertGrey<2, false>} : IndexedFormat(header.bitDepth, true);
    case kGreyAlpha:
        return wide ? OutputFormat{8, ConvertGrey<2, true>} : OutputFormat{8, ConvertGrey<1, true>};
    case kRgb:
        return wide ? RgbFormat<2, false>(packed) : RgbFormat<1, false>(packed);
    case kRgbAlpha:
        return wide ? RgbFormat<2, true>(packed) : RgbFormat<1, true>(packed);
    default:
        return IndexedFormat(header.bitDepth, false);
    }
}

void ScatterPixels(const std::uint8_t* src, std::uint32_t count, int bitmapDepth, std::uint8_t* row,
                   std::uint32_t x0, std::uint32_t step) {
    if (bitmapDepth < 8) {
        const unsigned mask = (1u << bitmapDepth) - 1;
        const unsigned perByte = 8u / unsigned(bitmapDepth);
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned shiftIn = 8 - unsigned(bitmapDepth) * (i % perByte + 1);
            const unsigned value = (src[i / perByte] >> shiftIn) & mask;
            const std::uint32_t x = x0 + i * step;
            const unsigned shiftOut = 8 - unsigned(bitmapDepth) * (x % perByte + 1);
            std::uint8_t& target = row[x / perByte];
            target = std::uint8_t((target & ~(mask << shiftOut)) | (value << shiftOut));
        }
        return;
    }
    const std::size_t pixelBytes = bitmapDepth == 15 ? 2 : std::size_t(bitmapDepth) / 8;
    for (std::uint32_t i = 0; i < count; ++i)
        std::memcpy(row + (x0 + std::size_t(i) * step) * pixelBytes, src + i * pixelBytes,
                    pixelBytes);
}

void ScatterBytes(const std::uint8_t* src, std::uint32_t count, std::uint8_t* row, std::uint32_t x0,
                  std::uint32_t step) {
    for (std::uint32_t i = 0; i < count; ++i)
        row[x0 + std::size_t(i) * step] = src[i];
}

bool IndicesBelow(const std::uint8_t* src, std::uint32_t count, int depth, unsigned limit) {
    if (depth == 8) {
        std::uint8_t highest = 0;
        for (std::uint32_t i = 0; i < count; ++i)
            highest = src[i] > highest ? src[i] : highest;
        return highest < limit;
    }
    const unsigned mask = (1u << depth) - 1;
    const unsigned perByte = 8u / unsigned(depth);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned shift = 8 - unsigned(depth) * (i % perByte + 1);
        if (((src[i / perByte] >> shift) & mask) >= limit)
            return false;
    }
    return true;
}

void MarkTransparent(const std::uint8_t* src, std::uint32_t count,
                     const std::vector<std::uint8_t>& key, std::uint8_t* alpha) {
    const std::size_t size = key.size();
    for (std::uint32_t i = 0; i < count; ++i, src += size)
        alpha[i] = std::memcmp(src, key.data(), size) == 0 ? 0 : 255;
}

void LookUpIndices(const std::uint8_t* row, std::uint32_t count, int depth,
                   const std::uint8_t* table, std::uint8_t* out) {
    if (depth == 8) {
        for (std::uint32_t i = 0; i < count; ++i)
            out[i] = table[row[i]];
        return;
    }
    const unsigned mask = (1u << depth) - 1;
    const unsigned perByte = 8u / unsigned(depth);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned shift = 8 - unsigned(depth) * (i % perByte + 1);
        out[i] = table[(row[i / perByte] >> shift) & mask];
    }
}

} // namespace lumadex::png
