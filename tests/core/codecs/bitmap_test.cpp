#include "codecs/bitmap.h"
#include "codecs/jpeg_pixel_rows.h"
#include "core/codecs/codec_test_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumadex {
namespace {

TEST(BitmapTest, PixelReadsEveryDepthAsBlueGreenRed) {
    Bitmap palette(9, 1, 4);
    palette.setPalette({MakeColour(1, 2, 3), MakeColour(10, 20, 30)});
    palette.row(0)[0] = 0x01; // pixel 0 -> index 0, pixel 1 -> index 1
    palette.row(0)[4] = 0xF0; // pixel 8 -> index 15, beyond the palette
    EXPECT_EQ(palette.pixel(0, 0), MakeColour(1, 2, 3));
    EXPECT_EQ(palette.pixel(1, 0), MakeColour(10, 20, 30));
    EXPECT_EQ(palette.pixel(8, 0), 0u);

    Bitmap rgb555(1, 1, 15);
    rgb555.row(0)[0] = 0xFF; // 0 11111 11111 11111 little-endian: white
    rgb555.row(0)[1] = 0x7F;
    EXPECT_EQ(rgb555.pixel(0, 0), MakeColour(255, 255, 255));

    Bitmap rgb565(1, 1, 16);
    rgb565.row(0)[0] = 0x00; // red 11111, green 000000, blue 00000
    rgb565.row(0)[1] = 0xF8;
    EXPECT_EQ(rgb565.pixel(0, 0), MakeColour(255, 0, 0));

    Bitmap bgr(2, 1, 24);
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    std::copy(std::begin(bytes), std::end(bytes), bgr.row(0));
    EXPECT_EQ(bgr.pixel(1, 0), MakeColour(6, 5, 4));
    EXPECT_EQ(bgr.stride(), 8u);
}

// Decoding many pictures reuses one bitmap's storage; nothing of an earlier picture (palette,
// alpha, transparent colour, size) may survive into the next.
TEST(BitmapTest, ResetKeepsStorageButNothingOfThePreviousPicture) {
    Bitmap bitmap(64, 64, 32);
    bitmap.createAlpha();
    bitmap.setTransparentColour(MakeColour(1, 1, 1));
    const std::size_t capacity = bitmap.capacity();

    bitmap.Reset(10, 10, 8);
    EXPECT_EQ(bitmap.capacity(), capacity);
    EXPECT_EQ(bitmap.width(), 10);
    EXPECT_FALSE(bitmap.hasAlpha());
    EXPECT_FALSE(bitmap.transparentColour().has_value());
    EXPECT_EQ(bitmap.palette().size(), 256u);

    bitmap.Clear();
    EXPECT_TRUE(bitmap.isEmpty());
    EXPECT_EQ(bitmap.capacity(), capacity);

    bitmap.Reset(100, 100, 24);
    EXPECT_GE(bitmap.capacity(), 100u * bitmap.stride());
    EXPECT_TRUE(bitmap.palette().empty());
}

TEST(JpegPixelRowsTest, BitmapRowsMatchPixelColours) {
    for (int depth : {1, 4, 8, 15, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << depth << " bits per pixel");
        // Fewer palette entries than indices: the missing ones read as black.
        const Bitmap bitmap = test::RandomBitmap(13, 3, depth, depth <= 8 ? (1 << depth) - 1 : 0);
        std::vector<std::uint8_t> bgr(std::size_t(bitmap.width()) * 3);
        for (int y = 0; y < bitmap.height(); ++y) {
            BitmapRowToBgr(bitmap, y, bgr.data());
            for (int x = 0; x < bitmap.width(); ++x) {
                const std::uint8_t* p = &bgr[std::size_t(x) * 3];
                EXPECT_EQ(MakeColour(p[2], p[1], p[0]), bitmap.pixel(x, y))
                    << "pixel " << x << "," << y;
            }
        }
    }
}

TEST(JpegPixelRowsTest, CmykToBgr) {
    struct Row {
        std::uint8_t c, m, y, k;
        bool inverted;
        Colour expected;
    } const rows[] = {
        {0, 0, 0, 0, false, MakeColour(255, 255, 255)},        // no ink
        {255, 255, 255, 255, true, MakeColour(255, 255, 255)}, // no ink, inverted
        {0, 0, 0, 255, false, MakeColour(0, 0, 0)},            // full black
        {255, 255, 255, 0, true, MakeColour(0, 0, 0)},         // full black, inverted
        {255, 0, 0, 0, false, MakeColour(0, 255, 255)},        // cyan
        {0, 255, 255, 255, true, MakeColour(0, 255, 255)},     // cyan, inverted
        {0, 255, 0, 0, false, MakeColour(255, 0, 255)},        // magenta
        {0, 0, 255, 0, false, MakeColour(255, 255, 0)},        // yellow
        {200, 100, 50, 128, true, MakeColour(100, 50, 25)},    // light x light / 255, rounded
        {55, 155, 205, 127, false, MakeColour(100, 50, 25)},   // the same inks stored plainly
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.c) << "," << int(row.m) << "," << int(row.y)
                                        << "," << int(row.k) << (row.inverted ? " inverted" : ""));
        const std::uint8_t cmyk[] = {row.c, row.m, row.y, row.k};
        std::uint8_t bgr[3];
        CmykRowToBgr(cmyk, 1, row.inverted, bgr);
        EXPECT_EQ(MakeColour(bgr[2], bgr[1], bgr[0]), row.expected);
    }
}

} // namespace
} // namespace lumadex
