#include "catalogue/signature.h"

#include "catalogue/pixel_readers.h"

#include <algorithm>

namespace lumadex {
namespace {

constexpr Colour kPureWhite = 0xFFFFFF;
constexpr Colour kPureBlack = 0;
// Pictures with colour are sampled at steps of (extent / this) pixels.
constexpr int kSamplesPerAxis = 120;

// One value per cell, c = 4 x column + row: stored column by column.
using CellTable = std::array<int, kSignatureCells>;

struct CellMeans {
    CellTable red{};
    CellTable green{};
    CellTable blue{};
};

// True when a pixel at (x, x + 1) of the whole picture is neither pure black nor pure white.
template <typename Reader> bool HasColourOnDiagonal(const Bitmap& bitmap, const Reader& read) {
    for (int x = 0; x < bitmap.width() && x + 1 < bitmap.height(); ++x) {
        const Colour colour = read(bitmap.row(x + 1), x);
        if (colour != kPureWhite && colour != kPureBlack)
            return true;
    }
    return false;
}

// Integer means of every cell's samples; the sampling restarts at each cell's top-left
// corner. False when a cell has no sample or the work is to stop.
template <typename Reader>
bool MeasureCells(const Bitmap& bitmap, const SamplingPlan& plan, const Reader& read,
                  WorkProgress& progress, CellMeans& means) {
    bool stop = false;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            const int cell = 4 * column + row;
            std::uint64_t red = 0;
            std::uint64_t green = 0;
            std::uint64_t blue = 0;
            std::uint64_t samples = 0;
            const int top = plan.rowBounds[std::size_t(row)];
            const int bottom = plan.rowBounds[std::size_t(row) + 1];
            for (int x = plan.columnBounds[std::size_t(column)];
                 x < plan.columnBounds[std::size_t(column) + 1]; x += plan.stepX) {
                for (int y = top; y < bottom; y += plan.stepY) {
                    const Colour colour = read(bitmap.row(y), x);
                    red += RedOf(colour);
                    green += GreenOf(colour);
                    blue += BlueOf(colour);
                    ++samples;
                }
                stop = progress.ShouldStop() || stop;
            }
            if (samples == 0)
                return false;
            means.red[std::size_t(cell)] = int(red / samples);
            means.green[std::size_t(cell)] = int(green / samples);
            means.blue[std::size_t(cell)] = int(blue / samples);
            if (stop)
                return false;
            progress.Advanced(cell + 1, kSignatureCells);
        }
    }
    return true;
}

// Spreads one channel's cell values over 0..255; a channel with one value throughout becomes 0.
void Stretch(CellTable& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const int minimum = *low;
    const int range = *high - minimum;
    for (int& v : values)
        v = range == 0 ? 0 : ((v - minimum) * 255) / range;
}

// 32 brightness comparisons of neighbouring cells: first along the rows, then down the
// columns, each cell against the one visited before it, starting from the bottom-right cell.
std::uint32_t BitsWord(const CellTable& brightness) {
    std::uint32_t bits = 0;
    int previous = brightness[15];
    const auto compare = [&](int cell) {
        bits = (bits << 1) | (previous > brightness[std::size_t(cell)] ? 1u : 0u);
        previous = brightness[std::size_t(cell)];
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            compare(4 * column + row);
    }
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row)
            compare(4 * column + row);
    }
    return bits;
}

// Two bits of brightness level (0..3) per cell, the top-left cell in the highest bits.
std::uint32_t LevelsWord(const CellTable& brightness) {
    std::uint32_t levels = 0;
    for (const int s : brightness)
        levels = (levels << 2) | std::uint32_t(s / 192);
    return levels;
}

WorkProgress& NoProgress() {
    static WorkProgress none;
    return none;
}

} // namespace

std::optional<SamplingPlan> PlanSampling(const Bitmap& bitmap, bool region, int Left, int Top,
                                         int Right, int Bottom) {
    SamplingPlan plan;
    if (region) {
        plan.Left = std::max(Left, 0);
        plan.Top = std::max(Top, 0);
        plan.Right = std::min(Right, bitmap.width());
        plan.Bottom = std::min(Bottom, bitmap.height());
    } else {
        plan.Right = bitmap.width();
        plan.Bottom = bitmap.height();
    }
    const std::int64_t wide = std::int64_t(plan.Right) - plan.Left;
    const std::int64_t high = std::int64_t(plan.Bottom) - plan.Top;
    if (wide < kMinimumSignatureExtent || high < kMinimumSignatureExtent)
        return std::nullopt;
    const int w = int(wide);
    const int h = int(high);
    for (int i = 0; i < 4; ++i) {
        plan.columnBounds[std::size_t(i)] = plan.Left + i * (w / 4);
        plan.rowBounds[std::size_t(i)] = plan.Top + i * (h / 4);
    }
    plan.columnBounds[4] = plan.Right;
    plan.rowBounds[4] = plan.Bottom;

    const bool colour = pixels::VisitReader(
        bitmap, [&](const auto& read) { return HasColourOnDiagonal(bitmap, read); });
    if (colour) {
        if (h > kSamplesPerAxis)
            plan.stepY = h / kSamplesPerAxis;
        if (w > kSamplesPerAxis)
            plan.stepX = w / kSamplesPerAxis;
    }
    return plan;
}

std::int32_t ComputeSignature(const Bitmap& bitmap, Pdata& record, bool region, int Left, int Top,
                              int Right, int Bottom, WorkProgress* progress) {
    const std::optional<SamplingPlan> plan = PlanSampling(bitmap, region, Left, Top, Right, Bottom);
    if (!plan)
        return -1;
    WorkProgress& follower = progress ? *progress : NoProgress();
    CellMeans means;
    const bool measured = pixels::VisitReader(bitmap, [&](const auto& read) {
        return MeasureCells(bitmap, *plan, read, follower, means);
    });
    if (!measured)
        return -1;

    Stretch(means.red);
    Stretch(means.green);
    Stretch(means.blue);
    CellTable brightness;
    for (std::size_t c = 0; c < brightness.size(); ++c)
        brightness[c] = means.red[c] + means.green[c] + means.blue[c];
    const std::uint32_t bits = BitsWord(brightness);
    const std::uint32_t levels = LevelsWord(brightness);

    if (region) {
        record.AddSubIndex(bits, levels, plan->Left, plan->Top, plan->Right, plan->Bottom);
    } else {
        record.signatureBits = bits;
        record.signatureLevels = levels;
    }
    return std::int32_t(bits);
}

} // namespace lumadex
