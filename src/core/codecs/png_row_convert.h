#pragma once

#include "codecs/png_format.h"

#include <cstdint>
#include <vector>

namespace lumadex::png {

// Converts count unfiltered pixels of one PNG row into bitmap pixels at dst and, for pictures
// with an alpha channel, alpha bytes at alpha.
using RowConverter = void (*)(const std::uint8_t* src, std::uint32_t count, std::uint8_t* dst,
                              std::uint8_t* alpha);

// Significant bits of an RGB picture that fit a 15- or 16-bit bitmap exactly.
enum class PackedRgb { None, Rgb555, Rgb565 };

struct OutputFormat {
    int bitmapDepth;
    RowConverter convert;
};

// The bitmap depth a picture with this header decodes into, and the row converter that fills it.
// Expects a header whose colour type and bit depth have been validated.
OutputFormat ChooseOutputFormat(const Header& header, PackedRgb packed);

// Copies count bitmap pixels of the given depth from src to row at x0, x0 + step, ...
void ScatterPixels(const std::uint8_t* src, std::uint32_t count, int bitmapDepth, std::uint8_t* row,
                   std::uint32_t x0, std::uint32_t step);

// Copies count bytes from src to row at x0, x0 + step, ...
void ScatterBytes(const std::uint8_t* src, std::uint32_t count, std::uint8_t* row, std::uint32_t x0,
                  std::uint32_t step);

// Whether every palette index of a row of count pixels at the given depth is below limit.
bool IndicesBelow(const std::uint8_t* src, std::uint32_t count, int depth, unsigned limit);

// Writes alpha 0 for each of count pixels whose bytes equal key (one pixel's bytes), 255 for
// the others.
void MarkTransparent(const std::uint8_t* src, std::uint32_t count,
                     const std::vector<std::uint8_t>& key, std::uint8_t* alpha);

// Writes table[index] for each of count palette indices of a bitmap row of the given depth.
void LookUpIndices(const std::uint8_t* row, std::uint32_t count, int depth,
                   const std::uint8_t* table, std::uint8_t* out);

} // namespace lumadex::png
