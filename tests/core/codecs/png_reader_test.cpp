#include "codecs/png_codec.h"
#include "codecs/png_error.h"
#include "codecs/png_image.h"
#include "core/codecs/codec_test_helpers.h"
#include "support/testdata.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using test::DecodeWithQt;
using test::DifferenceFromQt;
using test::PngBuilder;
using test::ReadWholeFile;
using test::TestDataPath;
using Bytes = std::vector<std::uint8_t>;

constexpr DecodeStatus kOk = DecodeStatus::Ok;
constexpr DecodeStatus kFailed = DecodeStatus::Failed;
constexpr DecodeStatus kBad = DecodeStatus::BadDimensions;
const std::string kHeaderError = "Read Header(PNG): ";
const std::string kReadError = "Read Image (PNG): Read Error";
const std::string kNotPng = "PNG LoadStream: Not PNG Format";

// Filtered scanlines (filter type 0) of height rows of rowBytes bytes, all set to value.
Bytes Scanlines(int height, int rowBytes, std::uint8_t value = 0) {
    Bytes data;
    for (int y = 0; y < height; ++y) {
        data.push_back(0);
        data.insert(data.end(), std::size_t(rowBytes), value);
    }
    return data;
}

PngBuilder Png() {
    PngBuilder png;
    png.signature();
    return png;
}

// A 4 x 2 picture with the given header fields and eight bytes of image data.
Bytes WithHeader(int depth, int colourType, int interlace = 0, int compression = 0,
                 int filter = 0) {
    return Png()
        .header(4, 2, depth, colourType, interlace, compression, filter)
        .imageData(Scanlines(2, 4))
        .end()
        .bytes();
}

// A 4 x 2 paletted picture.
Bytes Paletted(int depth, const Bytes& palette, const Bytes& rows) {
    return Png().header(4, 2, depth, 3).chunk("PLTE", palette).imageData(rows).end().bytes();
}

// A complete 4 x 2 8-bit grey picture of level 7.
Bytes SmallGrey() {
    return Png().header(4, 2, 8, 0).imageData(Scanlines(2, 4, 7)).end().bytes();
}

std::string LoadError(const Bytes& file) {
    try {
        PngImage image;
        image.LoadFromStream(file);
    } catch (const EPngError& error) {
        return error.what();
    }
    return "(loaded)";
}

// Header fields are checked in a fixed order; the first wrong one gives the message. The suite's
// corrupt files (below) add wrong colour types, RGB depths, signatures and missing chunks.
TEST(PngReader, MalformedStreamsGiveTheirMessages) {
    const Bytes rows = Scanlines(2, 4);
    Bytes badFilter = rows;
    badFilter[5] = 5;
    Bytes hugeHeader = SmallGrey();
    hugeHeader[8] = 0x80; // IHDR length 2^31 + 13
    const struct {
        const char* name;
        Bytes file;
        std::string message;
    } cases[] = {
        {"second IHDR, itself invalid",
         Png().header(4, 2, 8, 0).header(4, 2, 3, 1).imageData(rows).end().bytes(),
         kHeaderError + "appear two IHDR"},
        {"colour type 1 before compression", WithHeader(8, 1, 0, 1),
         kHeaderError + "Error ColorType"},
        {"compression 1 before filter", WithHeader(8, 2, 0, 1, 1),
         kHeaderError + "not support Compression"},
        {"filter 1 before interlace", WithHeader(8, 2, 2, 0, 1),
         kHeaderError + "not supprt Filter"},
        {"interlace 2 before bit depth", WithHeader(3, 2, 2), kHeaderError + "not interlace type"},
        {"grey depth 3", WithHeader(3, 0), kHeaderError + "Error Bitdepth"},
        {"grey-alpha depth 4", WithHeader(4, 4), kHeaderError + "not Use AlphaChannel"},
        {"palette depth 16", WithHeader(16, 3), kHeaderError + "Error BitDepth"},
        {"short IHDR",
         Png().chunk("IHDR", {0, 0, 0, 4, 0, 0, 0, 2, 8}).imageData(rows).end().bytes(),
         kReadError},
        {"empty stream", {}, kNotPng},
        {"IHDR length 2^31 + 13", hugeHeader, kReadError},
        {"no IEND", Png().header(4, 2, 8, 0).imageData(rows).bytes(), kReadError},
        {"one row missing", Png().header(4, 2, 8, 0).imageData(Scanlines(1, 4)).end().bytes(),
         kReadError},
        {"row filter type 5", Png().header(4, 2, 8, 0).imageData(badFilter).end().bytes(),
         kReadError},
        {"damaged zlib stream",
         Png().header(4, 2, 8, 0).chunk("IDAT", {0x78, 0x9C, 0xFF, 0xFF, 0xFF}).end().bytes(),
         "PNG LoadStream: Error ZLIB"},
        {"palette picture without PLTE", WithHeader(8, 3), kReadError},
        {"2-bit index beyond the palette", Paletted(2, {0, 0, 0, 9, 9, 9}, Scanlines(2, 1, 0x1B)),
         kReadError},
        {"PLTE of 4 bytes", Paletted(8, {1, 2, 3, 4}, rows), kReadError}};
    for (const auto& row : cases)
        EXPECT_EQ(LoadError(row.file), row.message) << row.name;
}

TEST(PngReader, EveryTruncationIsRefused) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    const Bytes file = ReadWholeFile(TestDataPath("pngsuite/basi6a08.png")); // interlaced RGBA
    Bitmap bitmap;
    ASSERT_EQ(ReadPng(file, bitmap), kOk);
    for (std::size_t length = 0; length < file.size(); ++length) {
        ASSERT_EQ(ReadPng(std::span(file).first(length), bitmap), kFailed) << length;
        ASSERT_TRUE(bitmap.isEmpty()) << length;
    }
}

TEST(PngReader, SizeLimitsAreCheckedBeforeDecoding) {
    const struct {
        std::uint32_t width, height;
        int colourType, rowBytes, limit;
        DecodeStatus status;
    } cases[] = {{0, 2, 0, 0, 100, kBad},
                 {100, 2, 0, 100, 100, kOk},
                 {101, 2, 0, 101, 100, kBad},
                 {4, 101, 0, 4, 100, kBad},
                 // 10000 x 10000 RGBA needs 400 MB; a few hundred bytes cannot inflate to that.
                 {10000, 10000, 6, 40, 10000, kFailed}};
    for (const auto& row : cases) {
        const Bytes file = Png()
                               .header(row.width, row.height, 8, row.colourType)
                               .imageData(Scanlines(2, row.rowBytes))
                               .end()
                               .bytes();
        Bitmap bitmap;
        EXPECT_EQ(ReadPng(file, bitmap, row.limit), row.status) << row.width << " x " << row.height;
    }
}

QStringList PngFilesIn(const QString& folder) {
    QStringList paths;
    for (const QFileInfo& info :
         QDir(TestDataPath(folder)).entryInfoList({"*.png"}, QDir::Files, QDir::Name))
        paths << info.absoluteFilePath();
    return paths;
}

struct OutputForm {
    int depth;
    bool alpha;
    bool transparentColour;
};

// Bitmap depth and transparency form for each kind of file.
const std::map<QString, OutputForm> kOutputForms = {
    {"basn0g01.png", {1, false, false}},  {"basn0g02.png", {4, false, false}},
    {"basn0g16.png", {8, false, false}},  {"basn3p02.png", {4, false, false}},
    {"basn2c16.png", {24, false, false}}, {"basn4a08.png", {8, true, false}},
    {"basn6a08.png", {24, true, false}},  {"tbbn3p08.png", {8, true, false}},
    {"tbrn2c08.png", {24, false, true}},  {"tbbn0g04.png", {4, false, true}},
    {"tbwn0g16.png", {8, true, false}},   {"basi0g02.png", {4, false, false}},
};

// Qt mishandles the tRNS colour of 16-bit RGB pictures; they are checked on their own below.
TEST(PngSuite, ValidFilesDecodeLikeQt) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    QStringList paths = PngFilesIn("pngsuite");
    for (const char* folder :
         {"png-extra/benches", "png-extra/bugfixes", "png-extra/sbit", "png-extra/pngsuite-extra",
          "png-extra/iccp", "png-extra/animated", "png-extra/text_chunk_examples"})
        paths << PngFilesIn(folder);
    int checked = 0;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (name.startsWith('x') || name == "invalid_palette_index.png" || name == "tbbn2c16.png" ||
            name == "tbgn2c16.png")
            continue;
        SCOPED_TRACE(path.toStdString());
        const Bytes file = ReadWholeFile(path);
        Bitmap bitmap;
        std::string error;
        ASSERT_EQ(ReadPng(file, bitmap, kMaxPictureDimension, &error), kOk) << error;
        EXPECT_EQ(DifferenceFromQt(bitmap, DecodeWithQt(file)), "");
        ++checked;
        const auto form = kOutputForms.find(name);
        if (form != kOutputForms.end() && path.contains("/pngsuite/")) {
            EXPECT_EQ(bitmap.bitsPerPixel(), form->second.depth);
            EXPECT_EQ(bitmap.hasAlpha(), form->second.alpha);
            EXPECT_EQ(bitmap.transparentColour().has_value(), form->second.transparentColour);
        }
    }
    EXPECT_GT(checked, 150);
}

// A 16-bit tRNS colour hides exactly the pixels whose 16-bit samples equal it, although the
// bitmap keeps only their high bytes. Qt, shown the file without tRNS, gives the samples.
TEST(PngSuite, SixteenBitTransparentColourIsMatchedExactly) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const char* name : {"tbbn2c16.png", "tbgn2c16.png"}) {
        SCOPED_TRACE(name);
        const Bytes file = ReadWholeFile(TestDataPath("pngsuite/") + name);
        Bitmap bitmap;
        ASSERT_EQ(ReadPng(file, bitmap), kOk);
        ASSERT_TRUE(bitmap.hasAlpha());
        const QImage qt =
            DecodeWithQt(test::Rebuilt(file, "tRNS")).convertToFormat(QImage::Format_RGBA64);
        EXPECT_EQ(DifferenceFromQt(bitmap, qt, false), "");
        int hidden = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            const QRgba64* line = reinterpret_cast<const QRgba64*>(qt.constScanLine(y));
            for (int x = 0; x < bitmap.width(); ++x) {
                const bool key = line[x].red() == 0xFFFF && line[x].green() == 0xFFFF &&
                                 line[x].blue() == 0xFFFF;
                ASSERT_EQ(bitmap.alphaRow(y)[x], key ? 0 : 255) << x << "," << y;
                hidden += key;
            }
        }
        EXPECT_GT(hidden, 0);
    }
}

struct CorruptFile {
    DecodeStatus status;
    std::string message; // empty: damaged only in a CRC, which is not verified
};

const std::map<QString, CorruptFile> kCorruptFiles = {
    {"pngsuite/xc1n0g08.png", {kFailed, kHeaderError + "Error ColorType"}},
    {"pngsuite/xc9n2c08.png", {kFailed, kHeaderError + "Error ColorType"}},
    {"pngsuite/xcrn0g04.png", {kFailed, kNotPng}},
    {"pngsuite/xd0n2c08.png", {kFailed, kHeaderError + "Error BitDepth"}},
    {"pngsuite/xd3n2c08.png", {kFailed, kHeaderError + "Error BitDepth"}},
    {"pngsuite/xd9n2c08.png", {kFailed, kHeaderError + "Error BitDepth"}},
    {"pngsuite/xdtn0g01.png", {kFailed, kReadError}},
    {"pngsuite/xlfn0g04.png", {kFailed, kNotPng}},
    {"pngsuite/xs1n0g01.png", {kFailed, kNotPng}},
    {"pngsuite/xs2n0g01.png", {kFailed, kNotPng}},
    {"pngsuite/xs4n0g01.png", {kFailed, kNotPng}},
    {"pngsuite/xs7n0g01.png", {kFailed, kNotPng}},
    {"png-extra/bugfixes/x_consecutive_idat.png", {kFailed, kReadError}},
    {"png-extra/bugfixes/x_ihdr_missing.png", {kFailed, kReadError}},
    {"png-extra/bugfixes/x_image-issue#1075.png", {kFailed, kReadError}},
    {"png-extra/bugfixes/x_issue#214.png", {kBad, kReadError}},
    {"png-extra/bugfixes/x_issue#230.0.png", {kBad, kReadError}},
    {"png-extra/bugfixes/x_issue#230.1.png", {kFailed, kHeaderError + "Error BitDepth"}},
    {"png-extra/bugfixes/x_unexpected_eof.png", {kFailed, kReadError}},
    {"png-extra/bugfixes/invalid_palette_index.png", {kFailed, kReadError}},
    {"pngsuite/xcsn0g01.png", {kOk, ""}},
    {"pngsuite/xhdn0g08.png", {kOk, ""}},
    {"png-extra/bugfixes/x_interlaced_chck.png", {kOk, ""}}};

// Every corrupt file of the suite is listed: refused with its message, or, damaged only in a
// CRC, read like its repaired form.
TEST(PngSuite, CorruptFiles) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const QString& path : PngFilesIn("pngsuite")) {
        const QString name = "pngsuite/" + QFileInfo(path).fileName();
        if (name.startsWith("pngsuite/x") && !kCorruptFiles.contains(name))
            ADD_FAILURE() << name.toStdString() << " not listed";
    }
    for (const auto& [path, expected] : kCorruptFiles) {
        SCOPED_TRACE(path.toStdString());
        const Bytes file = ReadWholeFile(TestDataPath(path));
        ASSERT_FALSE(file.empty());
        Bitmap bitmap(4, 4, 24);
        std::string error;
        EXPECT_EQ(ReadPng(file, bitmap, kMaxPictureDimension, &error), expected.status);
        EXPECT_EQ(error, expected.message);
        if (expected.status == kOk) {
            EXPECT_EQ(DifferenceFromQt(bitmap, DecodeWithQt(test::Rebuilt(file))), "");
        } else {
            EXPECT_TRUE(bitmap.isEmpty());
        }
    }
}

} // namespace
} // namespace lumadex
