#pragma once

#include "codecs/bitmap.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <span>
#include <string>
#include <vector>
#include <zlib.h>

namespace lumadex::test {

// A bitmap of random pixel bytes (padding included); paletted depths get paletteSize random
// colours, or a grey ramp when grey is set.
inline Bitmap RandomBitmap(int width, int height, int depth, int paletteSize = 256,
                           unsigned seed = 7, bool grey = false) {
    std::mt19937 random(seed);
    Bitmap bitmap(width, height, depth);
    for (int y = 0; y < height; ++y)
        std::generate_n(bitmap.row(y), bitmap.stride(), [&] { return std::uint8_t(random()); });
    if (bitmap.isPaletted()) {
        const int entries = std::min(paletteSize, 1 << depth);
        std::vector<Colour> palette;
        for (int i = 0; i < entries; ++i) {
            const auto level = std::uint8_t(i * 255 / std::max(entries - 1, 1));
            palette.push_back(grey ? MakeColour(level, level, level) : Colour(random() & 0xFFFFFF));
        }
        bitmap.setPalette(palette);
    }
    return bitmap;
}

// Builds PNG streams chunk by chunk, independently of the codec (CRCs and deflate by zlib).
class PngBuilder {
public:
    PngBuilder& signature() {
        bytes_.insert(bytes_.end(), {137, 80, 78, 71, 13, 10, 26, 10});
        return *this;
    }
    PngBuilder& chunk(const char* type, const std::vector<std::uint8_t>& body) {
        put32(std::uint32_t(body.size()));
        const std::size_t typeStart = bytes_.size();
        bytes_.insert(bytes_.end(), type, type + 4);
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        put32(std::uint32_t(crc32(0, bytes_.data() + typeStart, uInt(4 + body.size()))));
        return *this;
    }
    PngBuilder& header(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                       int interlace = 0, int compression = 0, int filter = 0) {
        std::vector<std::uint8_t> body;
        append32(body, width);
        append32(body, height);
        body.insert(body.end(),
                    {std::uint8_t(depth), std::uint8_t(colourType), std::uint8_t(compression),
                     std::uint8_t(filter), std::uint8_t(interlace)});
        return chunk("IHDR", body);
    }
    // One IDAT chunk holding the zlib stream of the given filtered scanlines.
    PngBuilder& imageData(const std::vector<std::uint8_t>& scanlines) {
        uLongf size = compressBound(uLong(scanlines.size()));
        std::vector<std::uint8_t> packed(size);
        compress(packed.data(), &size, scanlines.data(), uLong(scanlines.size()));
        packed.resize(size);
        return chunk("IDAT", packed);
    }
    PngBuilder& end() { return chunk("IEND", {}); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    static void append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
        out.insert(out.end(), {std::uint8_t(value >> 24), std::uint8_t(value >> 16),
                               std::uint8_t(value >> 8), std::uint8_t(value)});
    }

private:
    void put32(std::uint32_t value) { append32(bytes_, value); }
    std::vector<std::uint8_t> bytes_;
};

struct ChunkView {
    std::string type;
    std::vector<std::uint8_t> body;
    std::uint32_t storedCrc = 0;
};

// The chunks of a PNG file (after its signature), as stored.
inline std::vector<ChunkView> ChunksOf(std::span<const std::uint8_t> file) {
    std::vector<ChunkView> chunks;
    const auto read32 = [&](std::size_t at) {
        return (std::uint32_t(file[at]) << 24) | (std::uint32_t(file[at + 1]) << 16) |
               (std::uint32_t(file[at + 2]) << 8) | std::uint32_t(file[at + 3]);
    };
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = read32(at);
        if (length > file.size() - at - 12)
            break;
        ChunkView chunk;
        chunk.type.assign(reinterpret_cast<const char*>(&file[at + 4]), 4);
        chunk.body.assign(&file[at + 8], &file[at + 8] + length);
        chunk.storedCrc = read32(at + 8 + length);
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    return chunks;
}

// The file rebuilt with correct CRCs and without its chunks of the type left out.
inline std::vector<std::uint8_t> Rebuilt(std::span<const std::uint8_t> file,
                                         const std::string& leftOut = {}) {
    PngBuilder builder;
    builder.signature();
    for (const ChunkView& chunk : ChunksOf(file))
        if (chunk.type != leftOut)
            builder.chunk(chunk.type.c_str(), chunk.body);
    return builder.bytes();
}

inline QImage DecodeWithQt(std::span<const std::uint8_t> file) {
    return QImage::fromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), qsizetype(file.size())),
        "PNG");
}

// The alpha our bitmap gives pixel (x, y): its alpha plane, else 0 for the transparent colour.
inline int AlphaOf(const Bitmap& bitmap, int x, int y) {
    if (bitmap.hasAlpha())
        return bitmap.alphaRow(y)[x];
    return bitmap.transparentColour() == bitmap.pixel(x, y) ? 0 : 255;
}

// Compares every pixel of ours with Qt's decoding reduced to 8 bits per sample (high byte of
// 16-bit samples), each sample within tolerance. Returns an empty string when they agree, else
// the first difference.
inline std::string DifferenceFromQt(const Bitmap& ours, const QImage& qt, bool compareAlpha = true,
                                    int tolerance = 0) {
    if (qt.isNull())
        return "Qt could not decode the picture";
    if (ours.width() != qt.width() || ours.height() != qt.height())
        return "sizes differ";
    const QImage wide = qt.convertToFormat(QImage::Format_RGBA64);
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            const QRgba64 theirs = reinterpret_cast<const QRgba64*>(wide.constScanLine(y))[x];
            const Colour colour = ours.pixel(x, y);
            const int alpha = compareAlpha ? AlphaOf(ours, x, y) : theirs.alpha() >> 8;
            const int expected[4] = {theirs.red() >> 8, theirs.green() >> 8, theirs.blue() >> 8,
                                     theirs.alpha() >> 8};
            const int got[4] = {RedOf(colour), GreenOf(colour), BlueOf(colour), alpha};
            // Qt may turn the colour of fully transparent pixels black.
            if (alpha == 0 && expected[3] == 0 && (expected[0] | expected[1] | expected[2]) == 0)
                continue;
            for (int i = 0; i < 4; ++i)
                if (std::abs(got[i] - expected[i]) > tolerance)
                    return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") sample " +
                           std::to_string(i) + ": " + std::to_string(got[i]) + " vs Qt " +
                           std::to_string(expected[i]);
        }
    }
    return {};
}

} // namespace lumadex::test
