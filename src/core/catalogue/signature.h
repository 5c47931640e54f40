#pragma once

#include "catalogue/pdata.h"
#include "codecs/bitmap.h"
#include "progress/work_progress.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lumadex {

// Number of grid cells of a signature; progress is reported once per cell.
constexpr int kSignatureCells = 16;
// Pictures and rectangles narrower or lower than this have no signature.
constexpr int kMinimumSignatureExtent = 16;

// Where a signature samples its picture: the effective rectangle (right and bottom exclusive),
// the boundaries of the 4 x 4 cells and the sampling steps.
struct SamplingPlan {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    std::array<int, 5> columnBounds{}; // x of the cell columns' left edges, then Right
    std::array<int, 5> rowBounds{};    // y of the cell rows' top edges, then Bottom
    int stepX = 1;
    int stepY = 1;
};

// Works out the sampling of the whole picture or, with region set, of the rectangle clamped to
// the picture. Pictures with any colour or grey on their diagonal are sampled about 120 to 239
// times per axis; black-and-white drawings at every pixel. Empty when the rectangle is
// narrower or lower than 16 pixels.
std::optional<SamplingPlan> PlanSampling(const Bitmap& bitmap, bool region, int Left, int Top,
                                         int Right, int Bottom);

// Computes the colour-grid signature of the picture (region off: the rectangle arguments are
// ignored) or of a rectangle of it (region on). On success the words go to the record's
// signatureBits and signatureLevels, or for a region into a new sub-index entry with the
// clamped rectangle, and the bits word is returned as i32 (never -1). Returns -1, leaving the
// record untouched, when the rectangle is too small or the computation is stopped.
//
// progress advances after each cell (of kSignatureCells); each column of samples is a safe
// point, and a stop asked at one ends the computation when its cell is done.
std::int32_t ComputeSignature(const Bitmap& bitmap, Pdata& record, bool region, int Left, int Top,
                              int Right, int Bottom, WorkProgress* progress = nullptr);

} // namespace lumadex
