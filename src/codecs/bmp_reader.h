#pragma once

#include <cstdint>
#include <span>

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

namespace lumadex {

// Decodes a whole BMP file held in memory into out. On failure out is left empty.
DecodeStatus ReadBmp(std::span<const std::uint8_t> file, Bitmap& out,
                     int maxDimension = kMaxPictureDimension);

} // namespace lumadex
