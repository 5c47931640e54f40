#include "codecs/jpeg_pixel_rows.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace lumadex {
namespace {

TEST(JpegPixelRowsTest, BitmapRowsMatchPixelColours) {
    std::mt19937 random(7);
    for (int depth : {1, 4, 8, 15, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << depth << " bits per pixel");
        Bitmap bitmap(13, 3, depth);
        for (int y = 0; y < bitmap.height(); ++y)
            for (std::size_t i = 0; i < bitmap.stride(); ++i)
                bitmap.row(y)[i] = std::uint8_t(random());
        if (bitmap.isPaletted()) {
            // Fewer entries than indices: the missing ones read as black.
            std::vector<Colour> palette((std::size_t(1) << depth) - 1);
            for (Colour& entry : palette)
                entry = random() & 0xFFFFFF;
            bitmap.setPalette(palette);
        }
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
