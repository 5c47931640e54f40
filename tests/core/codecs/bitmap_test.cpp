#include "codecs/bitmap.h"
#include "codecs/jpeg_pixel_rows.h"
#include "core/codecs/codec_test_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumadex {
namespace {

// Decoding many pictures reuses one bitmap's storage; nothing of an earlier picture (palette,
// alpha, transparent colour) may survive into the next.
TEST(BitmapTest, ResetKeepsStorageButNothingOfThePreviousPicture) {
    Bitmap bitmap(64, 64, 32);
    bitmap.createAlpha();
    bitmap.setTransparentColour(MakeColour(1, 1, 1));
    const std::size_t capacity = bitmap.capacity();

    bitmap.Reset(10, 10, 8);
    EXPECT_EQ(bitmap.capacity(), capacity);
    EXPECT_FALSE(bitmap.hasAlpha());
    EXPECT_FALSE(bitmap.transparentColour().has_value());
    EXPECT_EQ(bitmap.palette().size(), 256u);

    bitmap.Clear();
    EXPECT_EQ(bitmap.capacity(), capacity);
    bitmap.Reset(100, 100, 24);
    EXPECT_GE(bitmap.capacity(), 100u * bitmap.stride());
    EXPECT_TRUE(bitmap.palette().empty());
}

// BitmapRowToBgr and Bitmap::pixel convert each depth separately; they must agree.
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
                EXPECT_EQ(MakeColour(p[2], p[1], p[0]), bitmap.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace lumadex
