#include "codecs/png_codec.h"
#include "codecs/png_error.h"
#include "codecs/png_image.h"
#include "core/codecs/png_test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using test::ChunksOf;
using test::ChunkView;

// A deterministic mix of gradients and noise, so that every filter has work to do.
std::uint8_t Sample(int x, int y, int channel) {
    const unsigned noise = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> (8 + channel);
    return std::uint8_t(((x * 7 + y * 3) * (channel + 1) + (noise & 15)) & 0xFF);
}

struct BitmapKind {
    const char* name;
    int depth;
    bool alpha;
    bool greyscale;    // written with the grey request
    bool greyPalette;  // palette entries are grey levels
    bool alphaByIndex; // the alpha plane follows the palette index
};

const BitmapKind kKinds[] = {
    {"palette 1-bit", 1, false, false, false, false},
    {"palette 4-bit", 4, false, false, false, false},
    {"palette 8-bit", 8, false, false, false, false},
    {"palette 8-bit, alpha by index", 8, true, false, false, true},
    {"palette 4-bit, alpha by pixel", 4, true, false, false, false},
    {"grey 4-bit", 4, false, true, true, false},
    {"grey 8-bit", 8, false, true, true, false},
    {"grey 8-bit with alpha", 8, true, true, true, false},
    {"RGB 15-bit", 15, false, false, false, false},
    {"RGB 16-bit", 16, false, false, false, false},
    {"RGB 24-bit", 24, false, false, false, false},
    {"RGBA 24-bit", 24, true, false, false, false},
    {"RGB 32-bit", 32, false, false, false, false},
};

Bitmap MakeBitmap(const BitmapKind& kind, int width = 37, int height = 23) {
    Bitmap bitmap(width, height, kind.depth);
    bitmap.fill(0);
    if (bitmap.isPaletted()) {
        std::vector<Colour> palette;
        const int entries = 1 << kind.depth;
        for (int i = 0; i < entries; ++i) {
            const std::uint8_t level = std::uint8_t(i * 255 / (entries - 1));
            palette.push_back(kind.greyPalette
                                  ? MakeColour(level, level, level)
                                  : MakeColour(level, Sample(i, 1, 1), Sample(i, 2, 2)));
        }
        bitmap.setPalette(palette);
    }
    if (kind.alpha)
        bitmap.createAlpha();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t a = Sample(x, y, 0), b = Sample(x, y, 1), c = Sample(x, y, 2);
            switch (kind.depth) {
            case 1:
                row[x / 8] |= std::uint8_t((a & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= std::uint8_t((a & 15) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = a;
                break;
            case 15:
            case 16:
                row[2 * x] = a;
                row[2 * x + 1] = std::uint8_t(b & (kind.depth == 15 ? 0x7F : 0xFF));
                break;
            default: {
                const int step = kind.depth / 8;
                row[step * x] = a;
                row[step * x + 1] = b;
                row[step * x + 2] = c;
                if (step == 4)
                    row[step * x + 3] = 0x5A;
            }
            }
            if (kind.alpha)
                bitmap.alphaRow(y)[x] = kind.alphaByIndex
                                            ? std::uint8_t(bitmap.paletteIndex(x, y) * 3)
                                            : Sample(y, x, 1);
        }
    }
    return bitmap;
}

// Colour and alpha of every pixel of a against b. Returns the first difference.
std::string PixelDifference(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return "size differs";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) || test::AlphaOf(a, x, y) != test::AlphaOf(b, x, y))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return {};
}

std::vector<std::uint8_t> Save(const Bitmap& bitmap, const BitmapKind& kind, int level,
                               PngFilter filter, PngInterlace interlace) {
    PngImage image;
    image.bitmap() = bitmap;
    image.setGreyscale(kind.greyscale);
    image.setCompressionLevel(level);
    image.setFilter(filter);
    image.setInterlace(interlace);
    std::vector<std::uint8_t> out;
    image.SaveToStream(out);
    return out;
}

const PngFilter kFilters[] = {PngFilter::None,    PngFilter::Sub,   PngFilter::Up,
                              PngFilter::Average, PngFilter::Paeth, PngFilter::PerLine};

TEST(PngWriter, QtReadsWhatWeWrite) {
    for (const BitmapKind& kind : kKinds) {
        const Bitmap bitmap = MakeBitmap(kind);
        for (int level : {kPngLevelNone, kPngLevelStandard, kPngLevelSpeed, kPngLevelMinimum})
            for (PngFilter filter : kFilters)
                for (PngInterlace interlace : {PngInterlace::None, PngInterlace::Adam7}) {
                    SCOPED_TRACE(std::string(kind.name) + " level " + std::to_string(level) +
                                 " filter " + std::to_string(int(filter)) + " interlace " +
                                 std::to_string(int(interlace)));
                    const std::vector<std::uint8_t> file =
                        Save(bitmap, kind, level, filter, interlace);
                    ASSERT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "");
                }
    }
}

TEST(PngWriter, WeReadBackWhatWeWrite) {
    for (const BitmapKind& kind : kKinds) {
        const Bitmap bitmap = MakeBitmap(kind, 19, 11);
        for (PngFilter filter : kFilters)
            for (PngInterlace interlace : {PngInterlace::None, PngInterlace::Adam7}) {
                SCOPED_TRACE(std::string(kind.name) + " filter " + std::to_string(int(filter)) +
                             " interlace " + std::to_string(int(interlace)));
                PngImage reader;
                reader.setPackedRgb(true);
                reader.LoadFromStream(Save(bitmap, kind, kPngLevelStandard, filter, interlace));
                EXPECT_EQ(PixelDifference(reader.bitmap(), bitmap), "");
                if (!kind.greyscale && !(kind.alpha && !kind.alphaByIndex && kind.depth <= 8)) {
                    EXPECT_EQ(reader.bitmap().bitsPerPixel(), kind.depth == 32 ? 24 : kind.depth);
                }
            }
    }
}

// Colour type and depth stored for each kind of bitmap.
TEST(PngWriter, HeaderFollowsTheBitmap) {
    const std::pair<int, int> expected[] = {{3, 1}, {3, 4}, {3, 8}, {3, 8}, {6, 8}, {0, 4}, {0, 8},
                                            {4, 8}, {2, 8}, {2, 8}, {2, 8}, {6, 8}, {2, 8}};
    static_assert(std::size(expected) == std::size(kKinds));
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        const std::vector<std::uint8_t> file =
            Save(MakeBitmap(kKinds[i]), kKinds[i], -1, PngFilter::None, PngInterlace::None);
        const ChunkView header = ChunksOf(file).front();
        ASSERT_EQ(header.type, "IHDR");
        EXPECT_EQ(header.body[9], expected[i].first) << kKinds[i].name;
        EXPECT_EQ(header.body[8], expected[i].second) << kKinds[i].name;
        EXPECT_EQ(header.body[12], 0) << kKinds[i].name;
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
    Bitmap bitmap = MakeBitmap(kKinds[3]);
    PngImage image;
    image.bitmap() = bitmap;
    image.setComment("Holiday");
    image.setBackgroundColour(bitmap.palette()[5]);
    std::vector<std::uint8_t> file;
    image.SaveToStream(file);

    ASSERT_TRUE(std::equal(file.begin(), file.begin() + 8,
                           std::vector<std::uint8_t>{137, 80, 78, 71, 13, 10, 26, 10}.begin()));
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
    EXPECT_EQ(chunks[4].body, (std::vector<std::uint8_t>{0, 0, 0xB1, 0x8F})); // 45455
    EXPECT_EQ(chunks[5].body.size(), 3u * 256);
    EXPECT_EQ(chunks[6].body, std::vector<std::uint8_t>{5});
    EXPECT_EQ(chunks[7].body.size(), 256u); // alpha = 3 x index (mod 256): the last is 253
}

TEST(PngWriter, PackedBitmapsRecordTheirSignificantBits) {
    for (const BitmapKind& kind : {kKinds[8], kKinds[9]}) {
        const std::vector<ChunkView> chunks =
            ChunksOf(Save(MakeBitmap(kind), kind, -1, PngFilter::None, PngInterlace::None));
        EXPECT_EQ(TypesOf(chunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tEXt", "gAMA",
                                                             "sBIT", "IDAT", "IEND"}))
            << kind.name;
        EXPECT_EQ(chunks[5].body,
                  (std::vector<std::uint8_t>{5, std::uint8_t(kind.depth == 15 ? 5 : 6), 5}));
    }
}

TEST(PngWriter, TimeAndGammaAreWrittenOnlyWhenValid) {
    struct Case {
        const char* name;
        PngTime time;
        double gamma;
        bool timeWritten;
        bool gammaWritten;
    };
    const Case cases[] = {
        {"valid", {2001, 12, 31, 23, 59, 7}, 1.0, true, true},
        {"year 0", {0, 12, 31, 23, 59, 7}, 0.00001, false, true},
        {"month 13", {2001, 13, 31, 23, 59, 7}, 0.000004, false, false},
        {"day 32", {2001, 12, 32, 23, 59, 7}, 0.0, false, false},
        {"hour 24", {2001, 12, 31, 24, 59, 7}, -1.0, false, false},
        {"minute 60", {2001, 12, 31, 23, 60, 7}, 0.45455, false, true},
    };
    for (const Case& row : cases) {
        PngImage image;
        image.bitmap() = MakeBitmap(kKinds[10], 4, 4);
        image.setWriteTime(false);
        image.setTime(row.time);
        image.setGamma(row.gamma);
        std::vector<std::uint8_t> file;
        image.SaveToStream(file);
        const std::vector<std::string> types = TypesOf(ChunksOf(file));
        EXPECT_EQ(std::count(types.begin(), types.end(), "tIME"), row.timeWritten) << row.name;
        EXPECT_EQ(std::count(types.begin(), types.end(), "gAMA"), row.gammaWritten) << row.name;
        PngImage reader;
        reader.LoadFromStream(file);
        if (row.timeWritten) {
            EXPECT_EQ(reader.time(), row.time) << row.name;
        }
        if (row.gammaWritten) {
            EXPECT_NEAR(reader.gamma(), row.gamma, 0.000005) << row.name;
        }
    }
}

TEST(PngWriter, IdatChunksRespectTheSize) {
    const Bitmap bitmap = MakeBitmap(kKinds[10], 300, 200);
    for (int size : {256, 1000, 32768, 100000}) {
        PngImage image;
        image.bitmap() = bitmap;
        image.setIdatSize(size);
        image.setCompressionLevel(kPngLevelNone);
        std::vector<std::uint8_t> file;
        image.SaveToStream(file);
        std::vector<std::size_t> sizes;
        for (const ChunkView& chunk : ChunksOf(file))
            if (chunk.type == "IDAT")
                sizes.push_back(chunk.body.size());
        ASSERT_GE(sizes.size(), 2u) << size;
        for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
            EXPECT_EQ(sizes[i], std::size_t(size)) << size;
        EXPECT_GT(sizes.back(), 0u);
        EXPECT_LE(sizes.back(), std::size_t(size));
        EXPECT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "") << size;
    }
}

TEST(PngWriter, IdatSizeOutsideItsRangeIsRefused) {
    PngImage image;
    for (int size : {255, 100001, 0, -1}) {
        try {
            image.setIdatSize(size);
            ADD_FAILURE() << size << " accepted";
        } catch (const EPngError& error) {
            EXPECT_STREQ(error.what(), "Write PNG Param: Err IDAT Size(min:256  max:100000)");
        }
    }
    EXPECT_EQ(image.idatSize(), 32768);
    image.setIdatSize(256);
    image.setIdatSize(100000);
    EXPECT_EQ(image.idatSize(), 100000);
}

// The level reaches zlib: its header names the level class, and "None" stores the data.
TEST(PngWriter, CompressionLevelReachesTheStream) {
    const Bitmap bitmap = MakeBitmap(kKinds[10], 120, 90);
    const std::pair<int, int> levelClass[] = {
        {kPngLevelNone, 0}, {kPngLevelSpeed, 0}, {kPngLevelStandard, 2}, {kPngLevelMinimum, 3}};
    std::size_t storedSize = 0;
    for (const auto& [level, flevel] : levelClass) {
        std::vector<std::uint8_t> file;
        ASSERT_TRUE(WritePng(bitmap, level, file));
        std::vector<std::uint8_t> stream;
        for (const ChunkView& chunk : ChunksOf(file))
            if (chunk.type == "IDAT")
                stream.insert(stream.end(), chunk.body.begin(), chunk.body.end());
        EXPECT_EQ(stream[1] >> 6, flevel) << level;
        if (level == kPngLevelNone) {
            storedSize = stream.size();
            EXPECT_GT(storedSize, 90u * (1 + 3 * 120));
        } else {
            EXPECT_LT(stream.size(), storedSize) << level;
        }
    }
}

TEST(PngWriter, TransparentColourBecomesTrns) {
    for (const BitmapKind& kind : {kKinds[10], kKinds[2], kKinds[6]}) {
        Bitmap bitmap = MakeBitmap(kind);
        const Colour hidden = bitmap.pixel(3, 2);
        bitmap.setTransparentColour(hidden);
        const std::vector<std::uint8_t> file =
            Save(bitmap, kind, -1, PngFilter::PerLine, PngInterlace::None);
        EXPECT_EQ(test::DifferenceFromQt(bitmap, test::DecodeWithQt(file)), "") << kind.name;
        Bitmap back;
        ASSERT_EQ(ReadPng(file, back), DecodeStatus::Ok);
        EXPECT_EQ(test::AlphaOf(back, 3, 2), 0) << kind.name;
        EXPECT_EQ(PixelDifference(back, bitmap), "") << kind.name;
    }
}

TEST(PngWriter, UnwritableBitmapIsRefused) {
    std::vector<std::uint8_t> out = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(WritePng(Bitmap(), kPngLevelStandard, out, &error));
    EXPECT_EQ(error, "Write Image (PNG): Write Error");
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
}

} // namespace
} // namespace lumadex
