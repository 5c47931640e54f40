#pragma once

#include "codecs/bitmap.h"
#include "codecs/bmp_layout.h"

#include <cstdint>
#include <span>

namespace lumadex::bmp {

// Decodes the 16- or 32-bit pixels of layout into a 24-bit bitmap. A colour channel narrower
// than 8 bits is shifted into the top bits (5-bit 31 becomes 248, as Qt reads it); a wider
// one is rounded to the nearest 8-bit value. With an alpha mask the bitmap also gets an alpha
// plane, its values widened by repeating their bits so that the largest value is opaque, unless
// every pixel's alpha is 0: such files were written with the alpha bits unused, and they are shown
// opaque. The layout must have been checked against the file by ReadBmpLayout.
Bitmap DecodeMaskedPixels(std::span<const std::uint8_t> file, const BmpLayout& layout);

} // namespace lumadex::bmp
