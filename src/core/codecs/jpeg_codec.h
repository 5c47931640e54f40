#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

namespace lumadex {

// Decodes a whole JPEG file held in memory at full size into a 24-bit bitmap (8-bit grey
// palette bitmap for greyscale files). On failure out is left empty. Data that is cut short or
// corrupt enough for the library to guess pixels is refused; a file lacking only its end marker
// is decoded when its data can be seen to be complete.
DecodeStatus ReadJpeg(std::span<const std::uint8_t> file, Bitmap& out,
                      int maxDimension = kMaxPictureDimension);

// Encodes bitmap as a baseline JPEG of the given quality (25..100, clamped), in grey when
// grayscale is set. Returns false when the bitmap cannot be encoded.
bool WriteJpeg(const Bitmap& bitmap, int quality, bool grayscale, std::vector<std::uint8_t>& out);

} // namespace lumadex
