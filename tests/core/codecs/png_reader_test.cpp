#include "codecs/png_codec.h"
#include "codecs/png_error.h"
#include "codecs/png_image.h"
#include "core/codecs/png_test_helpers.h"
#include "support/testdata.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using test::PngBuilder;

// Filtered scanlines (filter type 0) of height rows of rowBytes bytes, all set to value.
std::vector<std::uint8_t> Scanlines(int height, int rowBytes, std::uint8_t value = 0) {
    std::vector<std::uint8_t> data;
    for (int y = 0; y < height; ++y) {
        data.push_back(0);
        data.insert(data.end(), std::size_t(rowBytes), value);
    }
    return data;
}

std::vector<std::uint8_t> Body(std::initializer_list<int> bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// A complete 4 x 2 8-bit grey picture.
PngBuilder SmallGrey() {
    PngBuilder png;
    png.signature().header(4, 2, 8, 0).imageData(Scanlines(2, 4, 7)).end();
    return png;
}

std::string LoadError(const std::vector<std::uint8_t>& file) {
    try {
        PngImage image;
        image.LoadFromStream(file);
    } catch (const EPngError& error) {
        return error.what();
    }
    return "(loaded)";
}

struct HeaderCase {
    const char* name;
    std::function<void(PngBuilder&)> build;
    const char* message;
};

TEST(PngReader, HeaderChecksGiveTheirMessagesInOrder) {
    const HeaderCase cases[] = {
        {"second IHDR, itself invalid",
         [](PngBuilder& p) { p.header(4, 2, 8, 0).header(4, 2, 3, 1); },
         "Read Header(PNG): appear two IHDR"},
        {"colour type 1 before compression", [](PngBuilder& p) { p.header(4, 2, 8, 1, 0, 1); },
         "Read Header(PNG): Error ColorType"},
        {"colour type 5", [](PngBuilder& p) { p.header(4, 2, 8, 5); },
         "Read Header(PNG): Error ColorType"},
        {"colour type 7", [](PngBuilder& p) { p.header(4, 2, 8, 7); },
         "Read Header(PNG): Error ColorType"},
        {"colour type 8", [](PngBuilder& p) { p.header(4, 2, 8, 8); },
         "Read Header(PNG): Error ColorType"},
        {"colour type 10", [](PngBuilder& p) { p.header(4, 2, 8, 10); },
         "Read Header(PNG): Error ColorType"},
        {"compression 1 before filter", [](PngBuilder& p) { p.header(4, 2, 8, 2, 0, 1, 1); },
         "Read Header(PNG): not support Compression"},
        {"compression 2", [](PngBuilder& p) { p.header(4, 2, 8, 2, 0, 2); },
         "Read Header(PNG): not support Compression"},
        {"filter 1 before interlace", [](PngBuilder& p) { p.header(4, 2, 8, 2, 2, 0, 1); },
         "Read Header(PNG): not supprt Filter"},
        {"interlace 2 before bit depth", [](PngBuilder& p) { p.header(4, 2, 3, 2, 2); },
         "Read Header(PNG): not interlace type"},
        {"grey depth 3", [](PngBuilder& p) { p.header(4, 2, 3, 0); },
         "Read Header(PNG): Error Bitdepth"},
        {"grey-alpha depth 3", [](PngBuilder& p) { p.header(4, 2, 3, 4); },
         "Read Header(PNG): Error Bitdepth"},
        {"grey-alpha depth 4", [](PngBuilder& p) { p.header(4, 2, 4, 4); },
         "Read Header(PNG): not Use AlphaChannel"},
        {"grey-alpha depth 1", [](PngBuilder& p) { p.header(4, 2, 1, 4); },
         "Read Header(PNG): not Use AlphaChannel"},
        {"RGB depth 4", [](PngBuilder& p) { p.header(4, 2, 4, 2); },
         "Read Header(PNG): Error BitDepth"},
        {"RGBA depth 1", [](PngBuilder& p) { p.header(4, 2, 1, 6); },
         "Read Header(PNG): Error BitDepth"},
        {"palette depth 16", [](PngBuilder& p) { p.header(4, 2, 16, 3); },
         "Read Header(PNG): Error BitDepth"},
        {"short IHDR",
         [](PngBuilder& p) {
             p.chunk("IHDR", Body({0, 0, 0, 4, 0, 0, 0, 2, 8}));
         },
         "Read Image (PNG): Read Error"},
    };
    for (const HeaderCase& row : cases) {
        PngBuilder png;
        png.signature();
        row.build(png);
        png.imageData(Scanlines(2, 4)).end();
        EXPECT_EQ(LoadError(png.bytes()), row.message) << row.name;
    }
}

TEST(PngReader, BrokenStructureIsRefused) {
    const std::vector<std::uint8_t> palette = {0, 0, 0, 255, 255, 255};
    const HeaderCase cases[] = {
        {"GIF signature", [](PngBuilder& p) { p.chunk("GIF8", {}); },
         "PNG LoadStream: Not PNG Format"},
        {"empty stream", [](PngBuilder&) {}, "PNG LoadStream: Not PNG Format"},
        {"IDAT before IHDR",
         [](PngBuilder& p) { p.signature().imageData(Scanlines(2, 4)).header(4, 2, 8, 0).end(); },
         "Read Image (PNG): Read Error"},
        {"no IDAT", [](PngBuilder& p) { p.signature().header(4, 2, 8, 0).end(); },
         "Read Image (PNG): Read Error"},
        {"no IEND",
         [](PngBuilder& p) { p.signature().header(4, 2, 8, 0).imageData(Scanlines(2, 4)); },
         "Read Image (PNG): Read Error"},
        {"one row missing",
         [](PngBuilder& p) { p.signature().header(4, 2, 8, 0).imageData(Scanlines(1, 4)).end(); },
         "Read Image (PNG): Read Error"},
        {"row filter type 5",
         [](PngBuilder& p) {
             std::vector<std::uint8_t> rows = Scanlines(2, 4);
             rows[5] = 5;
             p.signature().header(4, 2, 8, 0).imageData(rows).end();
         },
         "Read Image (PNG): Read Error"},
        {"damaged zlib stream",
         [](PngBuilder& p) {
             p.signature().header(4, 2, 8, 0).chunk("IDAT", Body({0x78, 0x9C, 0xFF, 0xFF, 0xFF}));
             p.end();
         },
         "PNG LoadStream: Error ZLIB"},
        {"IDAT chunks apart",
         [](PngBuilder& p) {
             const std::vector<std::uint8_t> data = PngBuilder::Deflate(Scanlines(2, 4));
             p.signature().header(4, 2, 8, 0);
             p.chunk("IDAT", {data.begin(), data.begin() + 4}).chunk("tEXt", Body({'a', 0}));
             p.chunk("IDAT", {data.begin() + 4, data.end()}).end();
         },
         "Read Image (PNG): Read Error"},
        {"palette picture without PLTE",
         [](PngBuilder& p) { p.signature().header(4, 2, 8, 3).imageData(Scanlines(2, 4)).end(); },
         "Read Image (PNG): Read Error"},
        {"index beyond the palette",
         [&](PngBuilder& p) {
             p.signature().header(4, 2, 8, 3).chunk("PLTE", palette);
             p.imageData(Scanlines(2, 4, 2)).end();
         },
         "Read Image (PNG): Read Error"},
        {"2-bit index beyond the palette",
         [&](PngBuilder& p) {
             p.signature().header(4, 2, 2, 3).chunk("PLTE", palette);
             p.imageData(Scanlines(2, 1, 0x1B)).end();
         },
         "Read Image (PNG): Read Error"},
        {"PLTE of 4 bytes",
         [](PngBuilder& p) {
             p.signature().header(4, 2, 8, 3).chunk("PLTE", Body({1, 2, 3, 4}));
             p.imageData(Scanlines(2, 4)).end();
         },
         "Read Image (PNG): Read Error"},
    };
    for (const HeaderCase& row : cases) {
        PngBuilder png;
        row.build(png);
        EXPECT_EQ(LoadError(png.bytes()), row.message) << row.name;
    }
}

TEST(PngReader, ChunkLengthBeyondTheStreamIsRefused) {
    for (const std::size_t lengthByte : {std::size_t(11), std::size_t(8)}) {
        std::vector<std::uint8_t> file = SmallGrey().bytes();
        file[lengthByte] = 0x80; // IHDR length: 128 or 2^31 + 13
        EXPECT_EQ(LoadError(file), "Read Image (PNG): Read Error") << lengthByte;
    }
}

TEST(PngReader, EveryTruncationIsRefused) {
    PngBuilder png;
    png.signature().header(9, 7, 8, 6, 1).chunk("gAMA", Body({0, 0, 0xB1, 0x8F}));
    std::vector<std::uint8_t> rows;
    for (int pass = 0; pass < 7; ++pass) {
        const int width[] = {2, 1, 3, 2, 5, 4, 9};
        const int height[] = {1, 1, 1, 2, 2, 4, 3};
        for (int y = 0; y < height[pass]; ++y) {
            rows.push_back(std::uint8_t(y % 5));
            for (int i = 0; i < 4 * width[pass]; ++i)
                rows.push_back(std::uint8_t(i * 37 + y));
        }
    }
    png.imageData(rows).end();
    const std::vector<std::uint8_t>& file = png.bytes();
    Bitmap bitmap;
    ASSERT_EQ(ReadPng(file, bitmap), DecodeStatus::Ok);
    for (std::size_t length = 0; length < file.size(); ++length) {
        const std::vector<std::uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(length));
        ASSERT_EQ(ReadPng(cut, bitmap), DecodeStatus::Failed) << length;
        ASSERT_TRUE(bitmap.isEmpty()) << length;
    }
}

TEST(PngReader, SizeLimitsAreCheckedBeforeDecoding) {
    struct Case {
        const char* name;
        std::uint32_t width, height;
        int maxDimension;
        std::size_t rowBytes;
        DecodeStatus status;
    };
    const Case cases[] = {
        {"width 0", 0, 2, 100, 0, DecodeStatus::BadDimensions},
        {"height 0", 4, 0, 100, 4, DecodeStatus::BadDimensions},
        {"at the limit", 100, 2, 100, 100, DecodeStatus::Ok},
        {"wider than the limit", 101, 2, 100, 101, DecodeStatus::BadDimensions},
        {"higher than the limit", 4, 101, 100, 4, DecodeStatus::BadDimensions},
        {"beyond 31 bits", 0x80000000u, 1, 100, 0, DecodeStatus::BadDimensions},
        // 10000 x 10000 RGBA needs 400 MB; a few hundred bytes cannot inflate to that.
        {"more pixels than the file holds", 10000, 10000, 10000, 40, DecodeStatus::Failed},
    };
    for (const Case& row : cases) {
        PngBuilder png;
        png.signature().header(row.width, row.height, 8, row.name[0] == 'm' ? 6 : 0);
        png.imageData(Scanlines(2, int(row.rowBytes))).end();
        Bitmap bitmap;
        EXPECT_EQ(ReadPng(png.bytes(), bitmap, row.maxDimension), row.status) << row.name;
    }
}

TEST(PngReader, FailedLoadKeepsThePreviousPicture) {
    PngImage image;
    image.LoadFromStream(SmallGrey().bytes());
    std::vector<std::uint8_t> broken = SmallGrey().bytes();
    broken.resize(broken.size() - 20);
    EXPECT_THROW(image.LoadFromStream(broken), EPngError);
    EXPECT_EQ(image.bitmap().width(), 4);
    EXPECT_EQ(image.bitmap().pixel(3, 1), MakeColour(7, 7, 7));
}

TEST(PngReader, AncillaryChunksAreKept) {
    PngBuilder png;
    png.signature().header(2, 1, 8, 2);
    png.chunk("gAMA", Body({0, 0, 0xB1, 0x8F}));
    png.chunk("sBIT", Body({5, 6, 5}));
    png.chunk("prIv", Body({1, 2, 3}));
    png.chunk("bKGD", Body({0, 10, 0, 20, 0, 30}));
    png.chunk("tEXt", Body({'T', 'i', 't', 'l', 'e', 0, 'A', ' ', 'b'}));
    png.chunk("tEXt", Body({'E', 'm', 'p', 't', 'y', 0}));
    png.chunk("tIME", Body({0x07, 0xE8, 2, 29, 23, 59, 60}));
    png.imageData(Scanlines(1, 6, 9)).end();
    PngImage image;
    image.LoadFromStream(png.bytes());
    EXPECT_DOUBLE_EQ(image.gamma(), 0.45455);
    EXPECT_EQ(image.significantBits(), Body({5, 6, 5}));
    EXPECT_EQ(image.backgroundColour(), MakeColour(10, 20, 30));
    EXPECT_EQ(image.texts(), (std::vector<PngText>{{"Title", "A b"}, {"Empty", ""}}));
    EXPECT_EQ(image.time(), (PngTime{2024, 2, 29, 23, 59, 60}));
    EXPECT_EQ(image.bitmap().bitsPerPixel(), 24);
}

TEST(PngReader, WithoutGammaChunkGammaIsZero) {
    PngImage image;
    EXPECT_DOUBLE_EQ(image.gamma(), 0.45455);
    image.LoadFromStream(SmallGrey().bytes());
    EXPECT_EQ(image.gamma(), 0.0);
}

TEST(PngReader, SignatureCheckCanBeSwitchedOff) {
    const std::vector<std::uint8_t> file = SmallGrey().bytes();
    const std::vector<std::uint8_t> chunksOnly(file.begin() + 8, file.end());
    PngImage image;
    EXPECT_THROW(image.LoadFromStream(chunksOnly), EPngError);
    image.setSignature(false);
    image.LoadFromStream(chunksOnly);
    EXPECT_EQ(image.bitmap().pixel(0, 0), MakeColour(7, 7, 7));
}

// Bitmap depth and transparency form for each kind of file.
TEST(PngReader, OutputBitmapFollowsTheColourType) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    struct Case {
        const char* file;
        int depth;
        bool alpha;
        bool transparentColour;
    };
    const Case cases[] = {
        {"basn0g01.png", 1, false, false},  {"basn0g02.png", 4, false, false},
        {"basn0g04.png", 4, false, false},  {"basn0g08.png", 8, false, false},
        {"basn0g16.png", 8, false, false},  {"basn3p01.png", 1, false, false},
        {"basn3p02.png", 4, false, false},  {"basn3p04.png", 4, false, false},
        {"basn3p08.png", 8, false, false},  {"basn2c08.png", 24, false, false},
        {"basn2c16.png", 24, false, false}, {"basn4a08.png", 8, true, false},
        {"basn4a16.png", 8, true, false},   {"basn6a08.png", 24, true, false},
        {"basn6a16.png", 24, true, false},  {"tbbn3p08.png", 8, true, false},
        {"tbrn2c08.png", 24, false, true},  {"tbbn0g04.png", 4, false, true},
        {"tbwn0g16.png", 8, true, false},   {"basi0g02.png", 4, false, false},
    };
    for (const Case& row : cases) {
        Bitmap bitmap;
        ASSERT_EQ(ReadPng(test::ReadWholeFile(test::TestDataPath("pngsuite/") + row.file), bitmap),
                  DecodeStatus::Ok)
            << row.file;
        EXPECT_EQ(bitmap.bitsPerPixel(), row.depth) << row.file;
        EXPECT_EQ(bitmap.hasAlpha(), row.alpha) << row.file;
        EXPECT_EQ(bitmap.transparentColour().has_value(), row.transparentColour) << row.file;
    }
}

TEST(PngReader, GreyPicturesGetAGreyRamp) {
    for (int depth : {1, 2, 4, 8, 16}) {
        PngBuilder png;
        const int levels = depth == 16 ? 256 : 1 << depth;
        const int rowBytes = depth == 16 ? 2 : 1;
        png.signature().header(1, 1, depth, 0).imageData(Scanlines(1, rowBytes, 0xFF)).end();
        Bitmap bitmap;
        ASSERT_EQ(ReadPng(png.bytes(), bitmap), DecodeStatus::Ok) << depth;
        const std::vector<Colour>& palette = bitmap.palette();
        ASSERT_GE(palette.size(), std::size_t(depth == 2 ? 16 : levels)) << depth;
        EXPECT_EQ(palette.front(), MakeColour(0, 0, 0)) << depth;
        EXPECT_EQ(palette.back(), MakeColour(255, 255, 255)) << depth;
        EXPECT_EQ(bitmap.pixel(0, 0), MakeColour(255, 255, 255)) << depth;
    }
}

TEST(PngReader, SignificantBitsGivePackedBitmapsWhenAllowed) {
    struct Case {
        std::vector<std::uint8_t> bits;
        bool allowed;
        int depth;
    };
    const Case cases[] = {
        {{5, 5, 5}, true, 15}, {{5, 6, 5}, true, 16}, {{5, 5, 5}, false, 24},
        {{5, 6, 6}, true, 24}, {{8, 8, 8}, true, 24},
    };
    // Samples that 5 and 6 bits hold exactly.
    std::vector<std::uint8_t> rows = {0, 0x08, 0xFF, 0x29, 0x29, 0x00, 0xFF};
    for (const Case& row : cases) {
        PngBuilder png;
        png.signature().header(2, 1, 8, 2).chunk("sBIT", row.bits).imageData(rows).end();
        PngImage image;
        image.setPackedRgb(row.allowed);
        image.LoadFromStream(png.bytes());
        const Bitmap& bitmap = image.bitmap();
        ASSERT_EQ(bitmap.bitsPerPixel(), row.depth) << int(row.bits[1]) << row.allowed;
        EXPECT_EQ(bitmap.pixel(0, 0), MakeColour(0x08, 0xFF, 0x29));
        EXPECT_EQ(bitmap.pixel(1, 0), MakeColour(0x29, 0x00, 0xFF));
    }
}

TEST(PngReader, PackedBitmapOfSuiteFileKeepsTheSignificantBits) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    const std::vector<std::uint8_t> file =
        test::ReadWholeFile(test::TestDataPath("pngsuite/cs5n2c08.png"));
    PngImage image;
    image.setPackedRgb(true);
    image.LoadFromStream(file);
    const Bitmap& bitmap = image.bitmap();
    ASSERT_EQ(bitmap.bitsPerPixel(), 15);
    const QImage qt = test::DecodeWithQt(file).convertToFormat(QImage::Format_RGB32);
    const auto fiveBits = [](int value) { return (value & 0xF8) | (value >> 5); };
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb theirs = qt.pixel(x, y);
            ASSERT_EQ(bitmap.pixel(x, y), MakeColour(std::uint8_t(fiveBits(qRed(theirs))),
                                                     std::uint8_t(fiveBits(qGreen(theirs))),
                                                     std::uint8_t(fiveBits(qBlue(theirs)))))
                << x << "," << y;
        }
}

} // namespace
} // namespace lumadex
