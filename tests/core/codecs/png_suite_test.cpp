#include "codecs/png_codec.h"
#include "core/codecs/png_test_helpers.h"
#include "support/testdata.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::DecodeWithQt;
using test::DifferenceFromQt;
using test::ReadWholeFile;
using test::TestDataPath;

QStringList PngFilesIn(const QString& folder) {
    QStringList paths;
    for (const QFileInfo& info :
         QDir(TestDataPath(folder)).entryInfoList({"*.png"}, QDir::Files, QDir::Name))
        paths << info.absoluteFilePath();
    return paths;
}

// Qt mishandles the tRNS colour of 16-bit RGB pictures; they are checked on their own below.
bool QtMishandles(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name == "tbbn2c16.png" || name == "tbgn2c16.png";
}

TEST(PngSuite, ValidFilesDecodeLikeQt) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    int checked = 0;
    QStringList paths = PngFilesIn("pngsuite");
    for (const char* folder :
         {"png-extra/benches", "png-extra/bugfixes", "png-extra/sbit", "png-extra/pngsuite-extra",
          "png-extra/iccp", "png-extra/animated", "png-extra/text_chunk_examples"})
        paths << PngFilesIn(folder);
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (name.startsWith('x') || name == "invalid_palette_index.png" || QtMishandles(path))
            continue;
        SCOPED_TRACE(path.toStdString());
        const std::vector<std::uint8_t> file = ReadWholeFile(path);
        Bitmap bitmap;
        std::string error;
        ASSERT_EQ(ReadPng(file, bitmap, kMaxPictureDimension, &error), DecodeStatus::Ok) << error;
        EXPECT_EQ(DifferenceFromQt(bitmap, DecodeWithQt(file)), "");
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

// A 16-bit tRNS colour hides exactly the pixels whose 16-bit samples equal it, although the
// bitmap keeps only their high bytes. Qt, shown the file without tRNS, gives the samples.
TEST(PngSuite, SixteenBitTransparentColourIsMatchedExactly) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const char* name : {"tbbn2c16.png", "tbgn2c16.png"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> file = ReadWholeFile(TestDataPath("pngsuite/") + name);
        Bitmap bitmap;
        ASSERT_EQ(ReadPng(file, bitmap), DecodeStatus::Ok);
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
    const char* path;
    DecodeStatus status;
    const char* message;
};

const CorruptFile kCorruptFiles[] = {
    {"pngsuite/xc1n0g08.png", DecodeStatus::Failed, "Read Header(PNG): Error ColorType"},
    {"pngsuite/xc9n2c08.png", DecodeStatus::Failed, "Read Header(PNG): Error ColorType"},
    {"pngsuite/xcrn0g04.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"pngsuite/xd0n2c08.png", DecodeStatus::Failed, "Read Header(PNG): Error BitDepth"},
    {"pngsuite/xd3n2c08.png", DecodeStatus::Failed, "Read Header(PNG): Error BitDepth"},
    {"pngsuite/xd9n2c08.png", DecodeStatus::Failed, "Read Header(PNG): Error BitDepth"},
    {"pngsuite/xdtn0g01.png", DecodeStatus::Failed, "Read Image (PNG): Read Error"},
    {"pngsuite/xlfn0g04.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"pngsuite/xs1n0g01.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"pngsuite/xs2n0g01.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"pngsuite/xs4n0g01.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"pngsuite/xs7n0g01.png", DecodeStatus::Failed, "PNG LoadStream: Not PNG Format"},
    {"png-extra/bugfixes/x_consecutive_idat.png", DecodeStatus::Failed,
     "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/x_ihdr_missing.png", DecodeStatus::Failed, "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/x_image-issue#1075.png", DecodeStatus::Failed,
     "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/x_issue#214.png", DecodeStatus::BadDimensions,
     "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/x_issue#230.0.png", DecodeStatus::BadDimensions,
     "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/x_issue#230.1.png", DecodeStatus::Failed,
     "Read Header(PNG): Error BitDepth"},
    {"png-extra/bugfixes/x_unexpected_eof.png", DecodeStatus::Failed,
     "Read Image (PNG): Read Error"},
    {"png-extra/bugfixes/invalid_palette_index.png", DecodeStatus::Failed,
     "Read Image (PNG): Read Error"},
};

// Damaged only in a CRC: CRCs are not verified, so these read like their repaired forms.
const char* const kBadCrcFiles[] = {"pngsuite/xcsn0g01.png", "pngsuite/xhdn0g08.png",
                                    "png-extra/bugfixes/x_interlaced_chck.png"};

TEST(PngSuite, CorruptFilesAreRefusedWithTheirMessage) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const CorruptFile& row : kCorruptFiles) {
        SCOPED_TRACE(row.path);
        const std::vector<std::uint8_t> file = ReadWholeFile(TestDataPath(row.path));
        ASSERT_FALSE(file.empty());
        Bitmap bitmap(4, 4, 24);
        std::string error;
        EXPECT_EQ(ReadPng(file, bitmap, kMaxPictureDimension, &error), row.status);
        EXPECT_EQ(error, row.message);
        EXPECT_TRUE(bitmap.isEmpty());
    }
}

TEST(PngSuite, EveryCorruptSuiteFileIsListed) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const QString& path : PngFilesIn("pngsuite")) {
        const QString name = "pngsuite/" + QFileInfo(path).fileName();
        if (!name.startsWith("pngsuite/x"))
            continue;
        const bool listed = std::any_of(std::begin(kCorruptFiles), std::end(kCorruptFiles),
                                        [&](const CorruptFile& row) { return name == row.path; }) ||
                            std::any_of(std::begin(kBadCrcFiles), std::end(kBadCrcFiles),
                                        [&](const char* listedPath) { return name == listedPath; });
        EXPECT_TRUE(listed) << name.toStdString();
    }
}

TEST(PngSuite, WrongCrcIsNotChecked) {
    LUMADEX_REQUIRE_TESTDATA("pngsuite");
    for (const char* path : kBadCrcFiles) {
        SCOPED_TRACE(path);
        const std::vector<std::uint8_t> file = ReadWholeFile(TestDataPath(path));
        Bitmap bitmap;
        ASSERT_EQ(ReadPng(file, bitmap), DecodeStatus::Ok);
        EXPECT_EQ(DifferenceFromQt(bitmap, DecodeWithQt(test::Rebuilt(file))), "");
    }
}

} // namespace
} // namespace lumadex
