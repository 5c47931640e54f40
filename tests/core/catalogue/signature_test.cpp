#include "catalogue/signature.h"
#include "core/catalogue/test_pictures.h"

#include <array>
#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <tuple>

namespace lumadex {
namespace {

using test::Grey;
using test::PaintedPicture;

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;

// Cell index (4 x column + row) of pixel (x, y) of a whole picture of the given size.
int CellOf(int x, int y, int width, int height) {
    const int column = std::min(x / (width / 4), 3);
    const int row = std::min(y / (height / 4), 3);
    return 4 * column + row;
}

// A smooth, colourful picture: colour on every diagonal pixel.
Bitmap Landscape(int width, int height) {
    return PaintedPicture(width, height, [](int x, int y) {
        return MakeColour(std::uint8_t(40 + (x * 7 + y) % 170),
                          std::uint8_t(30 + (x + 3 * y) % 190), std::uint8_t(90 + (x ^ y) % 120));
    });
}

struct Signature {
    std::int32_t result;
    std::uint32_t bits;
    std::uint32_t levels;
};

Signature WholeSignature(const Bitmap& picture, WorkProgress* observer = nullptr) {
    Pdata record(QStringLiteral("p"));
    const std::int32_t result = ComputeSignature(picture, record, false, 0, 0, 0, 0, observer);
    return {result, record.signatureBits, record.signatureLevels};
}

TEST(SignaturePlanTest, CellsStepsAndRectangles) {
    const Bitmap colour1000x500 = Landscape(1000, 500);
    // A black-and-white drawing: diagonal pixels black or white only.
    const Bitmap drawing1000x500 = PaintedPicture(
        1000, 500, [](int x, int y) { return ((x / 3 + y / 5) % 2) ? kWhite : kBlack; });
    const Bitmap colour100x80 = Landscape(100, 80);
    const Bitmap colour239 = Landscape(239, 239);
    const Bitmap colour240 = Landscape(240, 240);
    // White except a coloured block off the diagonal: the whole picture's diagonal decides.
    const Bitmap blockOffDiagonal = PaintedPicture(
        400, 400, [](int x, int y) { return (x >= 200 && y < 150) ? Grey(90) : kWhite; });
    // White along the diagonal except one grey pixel far down it.
    const Bitmap lateGrey = PaintedPicture(
        400, 300, [](int x, int y) { return (x == 250 && y == 251) ? Grey(1) : kWhite; });
    using Rect = std::array<int, 4>;
    using Bounds = std::array<int, 5>;
    // The sampled rectangle runs from the first to the last cell bounds.
    const struct {
        const Bitmap& picture;
        std::optional<Rect> region;
        Bounds columns, rows;
        int stepX, stepY;
    } rows[] = {
        // clang-format off
        {colour1000x500, {}, {0, 250, 500, 750, 1000}, {0, 125, 250, 375, 500}, 8, 4},
        {drawing1000x500, {}, {0, 250, 500, 750, 1000}, {0, 125, 250, 375, 500}, 1, 1},
        {colour239, {}, {0, 59, 118, 177, 239}, {0, 59, 118, 177, 239}, 1, 1},
        {colour240, {}, {0, 60, 120, 180, 240}, {0, 60, 120, 180, 240}, 2, 2},
        {colour100x80, Rect{10, 10, 5000, 5000}, {10, 32, 54, 76, 100}, {10, 27, 44, 61, 80}, 1, 1},
        {colour100x80, Rect{-5, -7, 40, 33}, {0, 10, 20, 30, 40}, {0, 8, 16, 24, 33}, 1, 1},
        {blockOffDiagonal, Rect{200, 0, 400, 150}, {200, 250, 300, 350, 400},
         {0, 37, 74, 111, 150}, 1, 1},
        {lateGrey, {}, {0, 100, 200, 300, 400}, {0, 75, 150, 225, 300}, 3, 2},
        // clang-format on
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        const Rect asked = row.region.value_or(Rect{});
        const auto plan = PlanSampling(row.picture, row.region.has_value(), asked[0], asked[1],
                                       asked[2], asked[3]);
        ASSERT_TRUE(plan.has_value()) << "row " << i;
        EXPECT_EQ(std::tuple(plan->Left, plan->Top, plan->Right, plan->Bottom, plan->columnBounds,
                             plan->rowBounds, plan->stepX, plan->stepY),
                  std::tuple(row.columns[0], row.rows[0], row.columns[4], row.rows[4], row.columns,
                             row.rows, row.stepX, row.stepY))
            << "row " << i;
    }
}

TEST(SignaturePlanTest, TooSmallRectanglesHaveNoSignature) {
    // A computation that fails leaves the record as it was.
    Pdata record(QStringLiteral("p"));
    record.signatureBits = 0x12345678;
    for (const Bitmap& picture : {Landscape(15, 200), Landscape(200, 15), Bitmap()})
        EXPECT_EQ(ComputeSignature(picture, record, false, 0, 0, 0, 0), -1) << picture.width();
    // Regions 15 wide, clamped to 10x10, upside down and at the int limits.
    const Bitmap picture = Landscape(100, 80);
    const std::array<int, 4> regions[] = {
        {0, 0, 15, 80}, {90, 70, 200, 200}, {50, 50, 10, 10}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}};
    for (const auto& r : regions)
        EXPECT_EQ(ComputeSignature(picture, record, true, r[0], r[1], r[2], r[3]), -1) << r[0];
    EXPECT_EQ(record.signatureBits, 0x12345678u);
    EXPECT_EQ(record.SubIndexCount(), 0);
}

TEST(SignatureTest, HandComputedPictures) {
    struct Row {
        const char* name;
        Bitmap picture;
        std::uint32_t bits;
        std::uint32_t levels;
    };
    const Row rows[] = {
        // Red only in cell 5, green rising 10 per cell (stretched to 17 per cell), blue flat.
        {"crafted 16x16",
         PaintedPicture(16, 16,
                        [](int x, int y) {
                            const int c = CellOf(x, y, 16, 16);
                            return MakeColour(c == 5 ? 255 : 0, std::uint8_t(10 * c + 5), 77);
                        }),
         0x8A888200u, 0x00100055u},
        // Cell means are truncated: cell 5 averages 191.5 and stays below the level step of 192.
        {"truncated means",
         PaintedPicture(16, 16,
                        [](int x, int y) {
                            const int c = CellOf(x, y, 16, 16);
                            const int g = c == 0    ? 0
                                          : c == 15 ? 255
                                          : c == 5  ? 191 + (x + y) % 2
                                                    : 100;
                            return MakeColour(0, std::uint8_t(g), 0);
                        }),
         0x82008200u, 0x00000001u},
    };
    for (const Row& row : rows) {
        const Signature signature = WholeSignature(row.picture);
        EXPECT_EQ(signature.bits, row.bits) << row.name;
        EXPECT_EQ(signature.levels, row.levels) << row.name;
        EXPECT_EQ(signature.result, std::int32_t(row.bits)) << row.name;
    }
}

TEST(SignatureTest, SamplesRestartAtEachCellsCorner) {
    // Only the pixels on each 250x125 cell's own 8x4 sampling lattice carry a rising grey, all
    // others a falling one: sampled anywhere else, the picture signs unlike the rising greys.
    const auto rising = [](int x, int y) { return Grey(20 + 10 * CellOf(x, y, 1000, 500)); };
    const Bitmap latticed = PaintedPicture(1000, 500, [&](int x, int y) {
        return (x % 250 % 8 == 0 && y % 125 % 4 == 0) ? rising(x, y)
                                                      : Grey(235 - 10 * CellOf(x, y, 1000, 500));
    });
    const Signature expected = WholeSignature(PaintedPicture(1000, 500, rising));
    const Signature sampled = WholeSignature(latticed);
    EXPECT_EQ(sampled.bits, expected.bits);
    EXPECT_EQ(sampled.levels, expected.levels);
}

// The region's signature joins the sub-indices; the whole picture's stays unset.
TEST(SignatureTest, RegionSignatureEqualsTheSignatureOfTheCroppedPicture) {
    const Bitmap picture = Landscape(400, 300);
    const std::array<int, 4> regions[] = {
        {50, 40, 350, 290}, {-20, -20, 100, 60}, {10, 10, 5000, 5000}, {384, 284, 400, 300}};
    for (const auto& r : regions) {
        Pdata record(QStringLiteral("p"));
        record.AddSubIndex(1, 2, 3, 4, 5, 6);
        const std::int32_t result = ComputeSignature(picture, record, true, r[0], r[1], r[2], r[3]);
        const int left = std::max(r[0], 0), top = std::max(r[1], 0);
        const int right = std::min(r[2], 400), bottom = std::min(r[3], 300);
        const Signature expected =
            WholeSignature(PaintedPicture(right - left, bottom - top, [&](int x, int y) {
                return picture.pixel(left + x, top + y);
            }));
        EXPECT_EQ(result, expected.result) << r[0];
        EXPECT_EQ(record.signatureBits, 0u) << r[0];
        ASSERT_EQ(record.SubIndexCount(), 2) << r[0];
        EXPECT_EQ(record.SubIndexAt(1),
                  (SubIndexEntry{expected.bits, expected.levels, left, top, right, bottom}))
            << r[0];
    }
}

// Counts what a computation reports and aborts once enough columns have been sampled, as a
// user pressing Abort while messages run.
struct CountingObserver : WorkProgress {
    int abortAfterColumns = -1;
    int columns = 0;
    int reported = 0;
    void Advanced(int, int) override { ++reported; }
    bool ShouldStop() override {
        ++columns;
        return StopAsked();
    }
    bool StopAsked() const override {
        return abortAfterColumns >= 0 && columns >= abortAfterColumns;
    }
};

TEST(SignatureTest, ReportsEachCellAndStopsAtTheEndOfTheCellInProgress) {
    const Bitmap picture = Landscape(1000, 500); // 32 columns of samples per cell
    CountingObserver whole;
    EXPECT_NE(WholeSignature(picture, &whole).result, -1);
    EXPECT_EQ(whole.reported, 16);
    CountingObserver stopped; // asks to stop in the last cell
    stopped.abortAfterColumns = 15 * 32 + 1;
    EXPECT_EQ(WholeSignature(picture, &stopped).result, -1);
    EXPECT_EQ(stopped.reported, 15);
    EXPECT_EQ(stopped.columns, 16 * 32);

    Pdata record(QStringLiteral("p"));
    CountingObserver observer;
    observer.abortAfterColumns = 1;
    EXPECT_EQ(ComputeSignature(picture, record, true, 0, 0, 500, 500, &observer), -1);
    EXPECT_EQ(record.SubIndexCount(), 0);
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
        {"4 bit, palette of 5 (the rest read black)", RandomPicture(333, 250, 4, 5, 4)},
        {"8 bit, palette of 100", RandomPicture(257, 300, 8, 100, 6)},
        {"15 bit", RandomPicture(241, 181, 15, 0, 7)},
        {"16 bit", RandomPicture(241, 181, 16, 0, 8)},
        {"24 bit", RandomPicture(123, 479, 24, 0, 9)},
        {"32 bit", RandomPicture(123, 479, 32, 0, 10)},
    };
    for (const Row& row : rows) {
        const Bitmap copy = PaintedPicture(row.picture.width(), row.picture.height(),
                                           [&](int x, int y) { return row.picture.pixel(x, y); });
        const Signature signature = WholeSignature(row.picture);
        const Signature expected = WholeSignature(copy);
        EXPECT_NE(signature.result, -1) << row.name;
        EXPECT_EQ((std::array{signature.bits, signature.levels}),
                  (std::array{expected.bits, expected.levels}))
            << row.name;
    }
}

} // namespace
} // namespace lumadex
