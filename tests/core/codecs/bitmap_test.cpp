#include "codecs/bitmap.h"
#include "codecs/jpeg_pixel_rows.h"
#include "core/codecs/codec_test_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumadex {
namespace {

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
