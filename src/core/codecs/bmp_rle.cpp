#include "codecs/bmp_rle.h"

#include <algorithm>
#include <cstring>

namespace lumadex::bmp {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kDelta = 2;

void SetNibble(std::uint8_t* row, int x, unsigned value) {
    std::uint8_t& byte = row[x >> 1];
    byte =
        (x & 1) ? std::uint8_t((byte & 0xF0) | value) : std::uint8_t((byte & 0x0F) | (value << 4));
}

// Writes the visible part of a run of count pixels starting at x; the rest lies in the padding.
class RleWriter {
public:
    RleWriter(Bitmap& bitmap, int bitsPerPixel) : bitmap_(bitmap), bitsPerPixel_(bitsPerPixel) {}

    // An encoded run: one byte giving one index (RLE8) or two alternating indices (RLE4).
    void run(int x, int y, int count, std::uint8_t value) {
        std::uint8_t* row = rowFor(y);
        const int visible = visibleCount(x, count);
        if (bitsPerPixel_ == 8) {
            std::memset(row + x, value, std::size_t(visible));
            return;
        }
        for (int i = 0; i < visible; ++i)
            SetNibble(row, x + i, (i & 1) ? (value & 0x0F) : (value >> 4));
    }

    // An absolute run of count indices stored in source.
    void literal(int x, int y, int count, const std::uint8_t* source) {
        std::uint8_t* row = rowFor(y);
        const int visible = visibleCount(x, count);
        if (bitsPerPixel_ == 8) {
            std::memcpy(row + x, source, std::size_t(visible));
            return;
        }
        for (int i = 0; i < visible; ++i)
            SetNibble(row, x + i, (i & 1) ? (source[i >> 1] & 0x0F) : (source[i >> 1] >> 4));
    }

private:
    std::uint8_t* rowFor(int y) { return bitmap_.row(bitmap_.height() - 1 - y); }
    int visibleCount(int x, int count) const { return std::clamp(bitmap_.width() - x, 0, count); }

    Bitmap& bitmap_;
    int bitsPerPixel_;
};

// Walks the encoded data, checking every step; writes through writer when one is given.
bool WalkRle(std::span<const std::uint8_t> data, const BmpLayout& layout, RleWriter* writer) {
    const int bits = layout.bitsPerPixel;
    const int paddedWidth = int(Bitmap::StrideFor(layout.width, bits) * 8 / std::size_t(bits));
    std::size_t at = 0;
    int x = 0;
    int y = 0;
    while (y < layout.height) {
        if (data.size() - at < 2)
            return false;
        const int count = data[at];
        const std::uint8_t code = data[at + 1];
        at += 2;
        if (count > 0) {
            if (count > paddedWidth - x)
                return false;
            if (writer)
                writer->run(x, y, count, code);
            x += count;
        } else if (code == kEndOfLine) {
            x = 0;
            ++y;
        } else if (code == kEndOfPicture) {
            return true;
        } else if (code == kDelta) {
            if (data.size() - at < 2)
                return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (x > paddedWidth || y >= layout.height)
                return false;
        } else {
            const std::size_t bytes = bits == 8 ? code : (code + 1u) / 2;
            if (data.size() - at < bytes || code > paddedWidth - x)
                return false;
            if (writer)
                writer->literal(x, y, code, data.data() + at);
            x += code;
            at += std::min(bytes + (bytes & 1), data.size() - at);
        }
    }
    return true;
}

} // namespace

bool DecodeRle(std::span<const std::uint8_t> file, const BmpLayout& layout, Bitmap& out) {
    const auto data = file.subspan(layout.pixelOffset);
    if (!WalkRle(data, layout, nullptr))
        return false;
    Bitmap bitmap(layout.width, layout.height, layout.bitsPerPixel);
    bitmap.fill(0);
    bitmap.setPalette(layout.palette);
    RleWriter writer(bitmap, layout.bitsPerPixel);
    WalkRle(data, layout, &writer);
    out = std::move(bitmap);
    return true;
}

} // namespace lumadex::bmp
