#include "codecs/png_codec.h"
#include "codecs/png_image.h"
#include "core/codecs/codec_test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using test::ChunksOf;
using test::ChunkView;
using Bytes = std::vector<std::uint8_t>;

struct BitmapKind {
    int depth;
    bool alpha;
    bool greyscale;    // written with the grey request, from a grey palette
    bool alphaByIndex; // the alpha plane follows the palette index
    int colourType;    // stored in the header
    int storedDepth;
};

// Palettes of 1, 4 and 8 bits, alpha by index or by pixel; grey; RGB of every depth.
const BitmapKind kKinds[] = {{1, false, false, false, 3, 1},  {4, false, false, false, 3, 4},
                             {8, false, false, false, 3, 8},  {8, true, false, true, 3, 8},
                             {4, true, false, false, 6, 8},   {4, false, true, false, 0, 4},
                             {8, false, true, false, 0, 8},   {8, true, true, false, 4, 8},
                             {15, false, false, false, 2, 8}, {16, false, false, false, 2, 8},
                             {24, false, false, false, 2, 8}, {24, true, false, false, 6, 8},
                             {32, false, false, false, 2, 8}};
const BitmapKind& kPaletteAlphaByIndex = kKinds[3];
const BitmapKind& kRgb24 = kKinds[10];

std::string NameOf(const BitmapKind& kind) {
    return std::to_string(kind.depth) + " bits, colour type " + std::to_string(kind.colourType) +
           (kind.alpha ? " with alpha" : "");
}

Bitmap MakeBitmap(const BitmapKind& kind, int width = 37, int height = 23) {
    Bitmap bitmap = test::RandomBitmap(width, height, kind.depth, 256, 7, kind.greyscale);
    if (kind.alpha) {
        bitmap.createAlpha();
        std::mt19937 random(3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                bitmap.alphaRow(y)[x] = kind.alphaByIndex
                                            ? std::uint8_t(bitmap.paletteIndex(x, y) * 3)
                                            : std::uint8_t(random());
    }
    return bitmap;
}

Bytes Save(const Bitmap& bitmap, const BitmapKind& kind, int level = kPngLevelStandard,
           PngFilter filter = PngFilter::None, PngInterlace interlace = PngInterlace::None) {
    PngImage image;
    image.bitmap() = bitmap;
    image.setGreyscale(kind.greyscale);
    image.setCompressionLevel(level);
    image.setFilter(filter);
    image.setInterlace(interlace);
    Bytes out;
    image.SaveToStream(out);
    return out;
}

// Every kind of bitmap, level, filter and interlacing: Qt reads the picture back, from a file of
// the colour type and depth the bitmap calls for.
TEST(PngWriter, QtReadsBackWhatWeWrite) {
    for (const BitmapKind& kind : kKinds) {
        const Bitmap bitmap = MakeBitmap(kind);
        for (int level : {kPngLevelNone, kPngLevelStandard, kPngLevelSpeed, kPngLevelMinimum})
            for (PngFilter filter : {PngFilter::None, PngFilter::Sub, PngFilter::Up,
                                     PngFilter::Average, PngFilter::Paeth, PngFilter::PerLine})
                for (PngInterlace interlace : {PngInterlace::None, PngInterlace::Adam7}) {
                    SCOPED_TRACE(NameOf(kind) + " level " + std::to_string(level) + " filter " +
                                 std::to_string(int(filter)) + " interlace " +
                                 std::to_string(int(interlace)));
                    const Bytes file = Save(bitmap, kind, level, filter, interlace);
                    ASSERT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "");
                    const ChunkView header = ChunksOf(file).front();
                    EXPECT_EQ(header.body[9], kind.colourType);
                    EXPECT_EQ(header.body[8], kind.storedDepth);
                    EXPECT_EQ(header.body[12], int(interlace));
                }
    }
}

std::vector<std::string> TypesOf(const std::vector<ChunkView>& chunks) {
    std::vector<std::string> types;
    for (const ChunkView& chunk : chunks)
        if (types.empty() || types.back() != chunk.type || chunk.type != "IDAT")
            types.push_back(chunk.type);
    return types;
}

std::string TextOf(const ChunkView& chunk) {
    return std::string(chunk.body.begin(), chunk.body.end());
}

TEST(PngWriter, ChunksComeInOrderWithValidCrcs) {
    Bitmap bitmap = MakeBitmap(kPaletteAlphaByIndex);
    PngImage image;
    image.bitmap() = bitmap;
    image.setComment("Holiday");
    image.setBackgroundColour(bitmap.palette()[5]);
    Bytes file;
    image.SaveToStream(file);

    ASSERT_TRUE(
        std::equal(file.begin(), file.begin() + 8, Bytes{137, 80, 78, 71, 13, 10, 26, 10}.begin()));
    const std::vector<ChunkView> chunks = ChunksOf(file);
    EXPECT_EQ(TypesOf(chunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tEXt", "gAMA",
                                                         "PLTE", "bKGD", "tRNS", "IDAT", "IEND"}));
    for (const ChunkView& chunk : chunks) {
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.type.data()), 4);
        if (!chunk.body.empty())
            crc = crc32(crc, chunk.body.data(), uInt(chunk.body.size()));
        EXPECT_EQ(chunk.storedCrc, std::uint32_t(crc)) << chunk.type;
    }
    EXPECT_EQ(TextOf(chunks[2]), std::string("Comment\0Holiday", 15));
    EXPECT_EQ(TextOf(chunks[3]), std::string("Software\0QXRPNG ver 3.4", 23));
    EXPECT_EQ(chunks[4].body, (Bytes{0, 0, 0xB1, 0x8F})); // 45455
    EXPECT_EQ(chunks[5].body.size(), 3u * 256);
    EXPECT_EQ(chunks[6].body, Bytes{5});
    EXPECT_EQ(chunks[7].body.size(), 256u); // alpha = 3 x index (mod 256): the last is 253
}

// The level reaches zlib: its header names the level class, and "None" stores the data, in IDAT
// chunks of the default size (200 rows of 901 bytes fill five and part of a sixth).
TEST(PngWriter, CompressionLevelReachesTheStream) {
    Bitmap bitmap(300, 200, 24);
    bitmap.fill(0x5A);
    for (const auto& [level, flevel] : {std::pair{kPngLevelNone, 0},
                                        {kPngLevelStandard, 2},
                                        {kPngLevelSpeed, 0},
                                        {kPngLevelMinimum, 3}}) {
        Bytes file;
        ASSERT_TRUE(WritePng(bitmap, level, file));
        std::vector<ChunkView> data = ChunksOf(file);
        std::erase_if(data, [](const ChunkView& chunk) { return chunk.type != "IDAT"; });
        ASSERT_EQ(data.size(), level == kPngLevelNone ? 6u : 1u) << level;
        EXPECT_EQ(data[0].body[1] >> 6, flevel) << level;
        for (std::size_t i = 0; i + 1 < data.size(); ++i)
            EXPECT_EQ(data[i].body.size(), 32768u) << level;
        EXPECT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "") << level;
    }
}

TEST(PngWriter, TransparentColourBecomesTrns) {
    for (const BitmapKind& kind : {kRgb24, kKinds[2], kKinds[6]}) {
        Bitmap bitmap = MakeBitmap(kind);
        bitmap.setTransparentColour(bitmap.pixel(3, 2));
        const Bytes file = Save(bitmap, kind, -1, PngFilter::PerLine);
        EXPECT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "") << NameOf(kind);
        Bitmap back;
        ASSERT_EQ(ReadPng(file, back), DecodeStatus::Ok);
        EXPECT_EQ(test::AlphaOf(back, 3, 2), 0) << NameOf(kind);
    }
}

TEST(PngWriter, UnwritableBitmapIsRefused) {
    Bytes out = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(WritePng(Bitmap(), kPngLevelStandard, out, &error));
    EXPECT_EQ(error, "Write Image (PNG): Write Error");
    EXPECT_EQ(out, (Bytes{1, 2, 3}));
}

} // namespace
} // namespace lumadex
