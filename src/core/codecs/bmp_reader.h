#pragma once

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

#include <cstdint>
#include <span>

namespace lumadex {

// Decodes a whole BMP file held in memory into out. On failure out is left empty.
// Files of 1, 4 and 8 bits keep their depth, indices and palette (padded with black to 2^depth
// entries); all others become 24-bit, with an alpha plane where bit fields carry alpha. Pixels
// an RLE file skips are index 0. RLE data that ends before the picture does is refused.
DecodeStatus ReadBmp(std::span<const std::uint8_t> file, Bitmap& out,
                     int maxDimension = kMaxPictureDimension);

} // namespace lumadex
