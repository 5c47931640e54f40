// BMP files built byte by byte: size guards, malformed headers, masks, palettes and RLE streams.

#include "codecs/bmp_reader.h"
#include "support/testdata.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace lumadex {
namespace {

constexpr DecodeStatus kOk = DecodeStatus::Ok;
constexpr DecodeStatus kFailed = DecodeStatus::Failed;
constexpr DecodeStatus kBadDimensions = DecodeStatus::BadDimensions;

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                     int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

// The fields of a BMP file. The defaults make a 4 x 2 8-bit picture with a 4-entry palette
// whose indices read "0123/3210" (rows top-down).
struct TestBmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 4;
    std::int32_t height = 2;
    std::uint32_t planes = 1;
    std::uint32_t bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 4;
    // Red, green, blue (and alpha): after a 40-byte header, else inside the header.
    std::vector<std::uint32_t> masks = {};
    std::vector<Colour> palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    std::vector<std::uint8_t> pixels = {3, 2, 1, 0, 0, 1, 2, 3}; // bottom row first
    std::optional<std::uint32_t> pixelOffset = {};               // default: after the palette
    char secondMagicByte = 'M';

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> file(14 + headerSize, 0);
        file[0] = 'B';
        file[1] = std::uint8_t(secondMagicByte);
        PutLittleEndian(file, 14, headerSize, 4);
        const int fieldSize = headerSize == 12 ? 2 : 4;
        PutLittleEndian(file, 18, std::uint32_t(width), fieldSize);
        PutLittleEndian(file, 18 + fieldSize, std::uint32_t(height), fieldSize);
        PutLittleEndian(file, 18 + 2 * fieldSize, planes, 2);
        PutLittleEndian(file, 20 + 2 * fieldSize, bits, 2);
        if (headerSize > 12) {
            PutLittleEndian(file, 30, compression, 4);
            PutLittleEndian(file, 46, coloursUsed, 4);
        }
        for (std::size_t i = 0; i < masks.size(); ++i) {
            if (headerSize == 40)
                file.insert(file.end(), 4, 0);
            if (54 + 4 * i < file.size())
                PutLittleEndian(file, 54 + 4 * i, masks[i], 4);
        }
        for (Colour colour : palette) {
            file.insert(file.end(), {BlueOf(colour), GreenOf(colour), RedOf(colour)});
            if (headerSize != 12)
                file.push_back(0);
        }
        PutLittleEndian(file, 10, pixelOffset.value_or(std::uint32_t(file.size())), 4);
        file.insert(file.end(), pixels.begin(), pixels.end());
        PutLittleEndian(file, 2, std::uint32_t(file.size()), 4);
        return file;
    }
};

// A 2 x 2 24-bit picture.
const TestBmp kTrueColour{.width = 2,
                          .bits = 24,
                          .coloursUsed = 0,
                          .palette = {},
                          .pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}};

// A 2 x 1 bit-field picture with a V5 header.
TestBmp BitFields(std::vector<std::uint32_t> masks, std::uint32_t bits = 32,
                  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(8)) {
    return {.headerSize = 124,
            .width = 2,
            .height = 1,
            .bits = bits,
            .compression = 3,
            .coloursUsed = 0,
            .masks = std::move(masks),
            .palette = {},
            .pixels = std::move(pixels)};
}

DecodeStatus Decode(const TestBmp& bmp, Bitmap& out, int maxDimension = kMaxPictureDimension) {
    return ReadBmp(bmp.bytes(), out, maxDimension);
}

// The palette indices of a paletted bitmap, a hex digit each, rows top-down joined by "/".
std::string Indices(const Bitmap& bitmap) {
    std::string text;
    for (int y = 0; y < bitmap.height(); ++y) {
        if (y > 0)
            text += '/';
        for (int x = 0; x < bitmap.width(); ++x)
            text += "0123456789abcdef"[bitmap.paletteIndex(x, y) & 15];
    }
    return text;
}

struct HeaderCase {
    const char* name;
    TestBmp bmp;
    DecodeStatus expected;
    int maxDimension = kMaxPictureDimension;
};

TEST(BmpSynthetic, HeadersAreCheckedBeforeAnyPixel) {
    const HeaderCase cases[] = {
        {"sound paletted picture", {}, kOk},
        {"sound true-colour picture", kTrueColour, kOk},
        {"picture at the size limit", {}, kOk, 4},
        {"width over the limit", {}, kBadDimensions, 3},
        {"height over the limit", {.height = -5}, kBadDimensions, 4},
        {"width 0", {.width = 0}, kBadDimensions},
        {"height 0", {.height = 0}, kBadDimensions},
        {"lowest height", {.height = INT_MIN}, kBadDimensions, INT_MAX},
        {"huge picture in a tiny file", {.width = 10000, .height = 10000}, kFailed},
        {"bigger than memory", {.width = INT_MAX, .height = INT_MAX, .bits = 32}, kFailed, INT_MAX},
        {"negative width", {.width = -4}, kFailed},
        {"magic BA", {.secondMagicByte = 'A'}, kFailed},
        {"OS/2 2.x header", {.headerSize = 64}, kFailed},
        {"two planes", {.planes = 2}, kFailed},
        {"2 bits per pixel", {.bits = 2}, kFailed},
        {"RLE8 with 4 bits", {.bits = 4, .compression = 1}, kFailed},
        {"RLE4 with 8 bits", {.compression = 2}, kFailed},
        {"bit fields with 8 bits", {.compression = 3, .masks = {0xE0, 0x1C, 0x03}}, kFailed},
        {"embedded JPEG", {.compression = 4}, kFailed},
        {"top-down RLE", {.height = -2, .compression = 1, .pixels = {0, 1}}, kFailed},
        {"16 bits in a core header", {.headerSize = 12, .bits = 16, .palette = {}}, kFailed},
        {"pixel offset inside the header", {.pixelOffset = 40}, kFailed},
        {"pixel offset beyond the file", {.pixelOffset = 1000}, kFailed},
        {"pixels one byte short", {.pixels = {3, 2, 1, 0, 0, 1, 2}}, kFailed},
        {"last row without padding", {.width = 3, .pixels = {3, 2, 1, 0, 0, 1, 2}}, kOk},
        {"last row one byte short", {.width = 3, .pixels = {3, 2, 1, 0, 0, 1}}, kFailed},
        {"usual masks", BitFields({0xFF0000, 0xFF00, 0xFF, 0xFF000000}), kOk},
        {"no alpha mask", BitFields({0xFF0000, 0xFF00, 0xFF, 0}), kOk},
        {"no red mask", BitFields({0, 0xFF00, 0xFF, 0}), kFailed},
        {"no blue mask", BitFields({0xFF0000, 0xFF00, 0, 0}), kFailed},
        {"red overlaps green", BitFields({0xFFF000, 0xFF00, 0xFF, 0}), kFailed},
        {"alpha overlaps blue", BitFields({0xFF0000, 0xFF00, 0xFF, 0xFF80}), kFailed},
        {"green in two pieces", BitFields({0xFF0000, 0xF00F, 0xF0, 0}), kFailed},
        {"alpha in two pieces", BitFields({0xFF0000, 0xFF00, 0xFF, 0xF1000000}), kFailed},
        {"16-bit mask above bit 15", BitFields({0x1F0000, 0xFC00, 0x3FF, 0}, 16), kFailed},
    };
    for (const HeaderCase& row : cases) {
        Bitmap out;
        EXPECT_EQ(Decode(row.bmp, out, row.maxDimension), row.expected) << row.name;
        EXPECT_EQ(out.isEmpty(), row.expected != kOk) << row.name;
    }
    Bitmap out;
    EXPECT_EQ(ReadBmp({}, out), kFailed) << "empty file";
}

TEST(BmpSynthetic, RoundsWideChannelsAndWidensNarrowAlpha) {
    // 10-bit channels: 1023 -> 255, 512 -> 128, 2 -> 0; 2-bit alpha 3 is opaque.
    const std::uint32_t wide = (1023u << 20) | (512u << 10) | 2u;
    const std::vector<std::uint8_t> pixels = {std::uint8_t(wide),
                                              std::uint8_t(wide >> 8),
                                              std::uint8_t(wide >> 16),
                                              std::uint8_t(wide >> 24),
                                              0,
                                              0,
                                              0,
                                              0xC0};
    Bitmap out;
    ASSERT_EQ(Decode(BitFields({0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000}, 32, pixels), out), kOk);
    EXPECT_EQ(out.pixel(0, 0), MakeColour(255, 128, 0));
    ASSERT_TRUE(out.hasAlpha());
    EXPECT_EQ(out.alphaRow(0)[0], 0);
    EXPECT_EQ(out.alphaRow(0)[1], 255);
}

TEST(BmpSynthetic, AlphaPlaneOnlyWhereTheFileUsesAlpha) {
    const std::vector<std::uint32_t> masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    Bitmap out;
    ASSERT_EQ(Decode(BitFields(masks, 32, {1, 2, 3, 0x80, 4, 5, 6, 0}), out), kOk);
    ASSERT_TRUE(out.hasAlpha());
    EXPECT_EQ(out.alphaRow(0)[0], 0x80);
    EXPECT_EQ(out.alphaRow(0)[1], 0);
    EXPECT_EQ(out.pixel(1, 0), MakeColour(6, 5, 4)) << "colour under full transparency kept";

    ASSERT_EQ(Decode(BitFields(masks, 32, {1, 2, 3, 0, 4, 5, 6, 0}), out), kOk);
    EXPECT_FALSE(out.hasAlpha()) << "alpha 0 everywhere: written without alpha";

    TestBmp plain = BitFields(masks, 32, {1, 2, 3, 0x80, 4, 5, 6, 0});
    plain.compression = 0; // the header's masks are not used without bit fields
    ASSERT_EQ(Decode(plain, out), kOk);
    EXPECT_FALSE(out.hasAlpha());
    EXPECT_EQ(out.pixel(0, 0), MakeColour(3, 2, 1));
}

TEST(BmpSynthetic, PaletteIsCutWhereThePixelsStart) {
    Bitmap out;
    ASSERT_EQ(Decode({.coloursUsed = 200}, out), kOk);
    EXPECT_EQ(Indices(out), "0123/3210");
    EXPECT_EQ(out.pixel(3, 0), 0xFF0000u);
    ASSERT_EQ(out.palette().size(), 256u);
    EXPECT_EQ(out.palette()[4], 0u) << "pixel bytes read as palette entries";
}

struct RleCase {
    const char* name;
    std::vector<std::uint8_t> data;
    DecodeStatus expected;
    const char* indices = ""; // rows top-down
};

void CheckRle(int bits, int width, const RleCase& row) {
    const TestBmp bmp{.width = width,
                      .height = 3,
                      .bits = std::uint32_t(bits),
                      .compression = bits == 8 ? 1u : 2u,
                      .coloursUsed = 0,
                      .pixels = row.data};
    Bitmap out;
    ASSERT_EQ(Decode(bmp, out), row.expected) << row.name;
    if (row.expected == kOk) {
        EXPECT_EQ(out.bitsPerPixel(), bits) << row.name;
        EXPECT_EQ(Indices(out), row.indices) << row.name;
    }
}

TEST(BmpSynthetic, RunLengthEncoding) {
    // 5 x 3 pictures (rows padded to 8 pixels), stored bottom row first.
    const RleCase rle8[] = {
        {"runs, literal", {2, 1, 3, 2, 0, 0, 0, 3, 4, 5, 6, 0, 0, 1}, kOk, "00000/45600/11222"},
        {"delta skips pixels", {1, 7, 0, 2, 2, 1, 1, 9, 0, 1}, kOk, "00000/00090/70000"},
        {"end of picture at once", {0, 1}, kOk, "00000/00000/00000"},
        {"run into the padding", {8, 4, 0, 0, 0, 1}, kOk, "00000/00000/44444"},
        {"last row, no end code", {0, 0, 0, 0, 1, 7, 0, 0}, kOk, "70000/00000/00000"},
        {"run past the padding", {9, 4, 0, 1}, kFailed},
        {"runs past the padding", {4, 4, 5, 4, 0, 1}, kFailed},
        {"literal past the padding", {6, 1, 0, 3, 1, 2, 3, 0, 0, 1}, kFailed},
        {"delta past the row", {0, 2, 9, 0, 0, 1}, kFailed},
        {"delta past the last row", {0, 2, 0, 3, 0, 1}, kFailed},
        {"data ends early", {2, 1, 0, 0}, kFailed},
        {"data ends in a delta", {0, 2, 1}, kFailed},
        {"data ends in a literal", {0, 4, 1, 2}, kFailed},
        {"no data", {}, kFailed},
    };
    for (const RleCase& row : rle8)
        CheckRle(8, 5, row);
    const RleCase rle4[] = {
        {"run alternates two indices", {5, 0x12, 0, 1}, kOk, "00000/00000/12121"},
        {"odd literal", {0, 3, 0x34, 0x50, 0, 1}, kOk, "00000/00000/34500"},
        {"run past the padding", {9, 0x11, 0, 1}, kFailed},
    };
    for (const RleCase& row : rle4)
        CheckRle(4, 5, row);
}

// Every prefix of a real file either fails or, when only padding is missing, decodes to the same
// picture as the whole file; none reads past its end (the sanitizer build checks that).
TEST(BmpSynthetic, EveryTruncationOfRealFiles) {
    LUMADEX_REQUIRE_TESTDATA("bmpsuite/g");
    for (const char* name : {"g/pal1.bmp", "g/pal4rle.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp",
                             "g/rgb16-565.bmp", "q/rgba16-4444.bmp", "q/pal8rletrns.bmp"}) {
        const std::vector<std::uint8_t> whole =
            test::ReadWholeFile(test::TestDataPath(QString("bmpsuite/") + name));
        Bitmap full;
        ASSERT_EQ(ReadBmp(whole, full), kOk) << name;
        std::vector<std::uint8_t> buffer(whole.size());
        for (std::size_t length = 0; length < whole.size(); ++length) {
            // The prefix ends where the buffer ends, so a read past it is a buffer overflow.
            const auto prefix = std::span(buffer).last(length);
            std::copy_n(whole.begin(), length, prefix.begin());
            Bitmap out;
            if (ReadBmp(prefix, out) != kOk)
                continue;
            ASSERT_EQ(out.width(), full.width()) << name << " cut at " << length;
            ASSERT_EQ(out.height(), full.height()) << name << " cut at " << length;
            for (int y = 0; y < full.height(); ++y) {
                for (int x = 0; x < full.width(); ++x)
                    ASSERT_EQ(out.pixel(x, y), full.pixel(x, y)) << name << " cut at " << length;
            }
        }
    }
}

} // namespace
} // namespace lumadex
