#pragma once

#include "codecs/bitmap.h"

#include <cstdint>

namespace lumadex {

// Converts width CMYK pixels (4 bytes each) to blue, green, red bytes. Files with an Adobe
// marker store the inks inverted (0 = full ink), others store them as they are.
void CmykRowToBgr(const std::uint8_t* cmyk, int width, bool invertedInks, std::uint8_t* bgr);

// Writes row y of a bitmap of any supported depth as blue, green, red bytes (3 x width).
void BitmapRowToBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr);

} // namespace lumadex
