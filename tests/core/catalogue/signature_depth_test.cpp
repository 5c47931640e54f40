#include "catalogue/signature.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace lumadex {
namespace {

// A copy of picture at 32 bits per pixel, read through Bitmap::pixel.
Bitmap TrueColourCopy(const Bitmap& picture) {
    Bitmap copy(picture.width(), picture.height(), 32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            std::uint8_t* p = copy.row(y) + 4 * x;
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
            p[3] = 0;
        }
    }
    return copy;
}

// Random pixel bytes in bands, so that cells differ; a random palette of paletteSize colours.
Bitmap RandomPicture(int width, int height, int depth, int paletteSize, unsigned seed) {
    std::mt19937 random(seed);
    Bitmap picture(width, height, depth);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (std::size_t i = 0; i < picture.stride(); ++i)
            row[i] = std::uint8_t(random() % 256) | std::uint8_t(y * 4 < height ? 0x80 : 0);
    }
    if (picture.isPaletted()) {
        std::vector<Colour> palette(std::size_t(paletteSize), 0);
        for (Colour& c : palette)
            c = random() & 0xFFFFFF;
        picture.setPalette(palette);
    }
    return picture;
}

TEST(SignatureDepthTest, EveryDepthSignsLikeItsTrueColourCopy) {
    struct Row {
        const char* name;
        Bitmap picture;
    };
    Bitmap blackAndWhite = RandomPicture(301, 199, 1, 2, 1);
    blackAndWhite.setPalette({0x000000, 0xFFFFFF});
    const Row rows[] = {
        {"1 bit, black and white (sampled at every pixel)", std::move(blackAndWhite)},
        {"1 bit, colours", RandomPicture(301, 199, 1, 2, 2)},
        {"4 bit", RandomPicture(333, 250, 4, 16, 3)},
        {"4 bit, palette of 5 (the rest read black)", RandomPicture(333, 250, 4, 5, 4)},
        {"8 bit", RandomPicture(257, 300, 8, 256, 5)},
        {"8 bit, palette of 100", RandomPicture(257, 300, 8, 100, 6)},
        {"15 bit", RandomPicture(241, 181, 15, 0, 7)},
        {"16 bit", RandomPicture(241, 181, 16, 0, 8)},
        {"24 bit", RandomPicture(123, 479, 24, 0, 9)},
        {"32 bit", RandomPicture(123, 479, 32, 0, 10)},
    };
    for (const Row& row : rows) {
        const Bitmap copy = TrueColourCopy(row.picture);
        for (const bool region : {false, true}) {
            const std::string name = std::string(row.name) + (region ? ", region" : "");
            Pdata record(QStringLiteral("p"));
            Pdata expected(QStringLiteral("p"));
            const std::int32_t result =
                ComputeSignature(row.picture, record, region, 7, 11, 200, 150);
            ASSERT_EQ(result, ComputeSignature(copy, expected, region, 7, 11, 200, 150)) << name;
            ASSERT_NE(result, -1) << name;
            EXPECT_EQ(record.signatureBits, expected.signatureBits) << name;
            EXPECT_EQ(record.signatureLevels, expected.signatureLevels) << name;
            ASSERT_EQ(record.SubIndexCount(), expected.SubIndexCount()) << name;
            if (region) {
                EXPECT_EQ(record.SubIndexAt(0), expected.SubIndexAt(0)) << name;
            }
        }
    }
}

} // namespace
} // namespace lumadex
