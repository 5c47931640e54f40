#pragma once

#include "codecs/bitmap.h"
#include "codecs/bmp_layout.h"

#include <cstdint>
#include <span>

namespace lumadex::bmp {

// Decodes the run-length encoded pixels of an RLE8 or RLE4 layout into a paletted bitmap.
// Pixels the data skips (by a delta, an early end of line or end of picture) stay index 0.
// Runs may reach into a row's padding, as some writers encode the padded width; those pixels
// are dropped. Returns false, without allocating the bitmap, when a run or a delta would leave
// the padded rows or the data ends before the picture does.
bool DecodeRle(std::span<const std::uint8_t> file, const BmpLayout& layout, Bitmap& out);

} // namespace lumadex::bmp
