#include "codecs/bitmap.h"
#include "codecs/jpeg_codec.h"
#include "support/testdata.h"

#include <gtest/gtest.h>

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

TEST(BitmapTest, ReusedStorageDecodesLikeAFreshBitmap) {
    LUMADEX_REQUIRE_TESTDATA("jpeg/generated");
    const auto colour = test::ReadWholeFile(test::TestDataPath("jpeg/generated/base_444.jpg"));
    const auto grey =
        test::ReadWholeFile(test::TestDataPath("jpeg/generated/grayscale_1component.jpg"));
    Bitmap reused;
    ASSERT_EQ(ReadJpeg(colour, reused), DecodeStatus::Ok);
    ASSERT_EQ(ReadJpeg(grey, reused), DecodeStatus::Ok);
    Bitmap fresh;
    ASSERT_EQ(ReadJpeg(grey, fresh), DecodeStatus::Ok);
    ASSERT_EQ(reused.width(), fresh.width());
    ASSERT_EQ(reused.bitsPerPixel(), fresh.bitsPerPixel());
    for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x)
            ASSERT_EQ(reused.pixel(x, y), fresh.pixel(x, y)) << x << "," << y;
}

} // namespace
} // namespace lumadex
