#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

namespace lumadex {

// zlib levels of the program's PNG save choices.
constexpr int kPngLevelNone = 0;
constexpr int kPngLevelStandard = -1;
constexpr int kPngLevelSpeed = 1;
constexpr int kPngLevelMinimum = 9;

// Decodes a whole PNG file held in memory into out. On failure out is left empty and, when
// error is given, it receives the reader's message.
DecodeStatus ReadPng(std::span<const std::uint8_t> file, Bitmap& out,
                     int maxDimension = kMaxPictureDimension, std::string* error = nullptr);

// Encodes bitmap as PNG with the given zlib level (-1 = zlib's default) and the codec's
// default settings otherwise. Returns false (error receives the message) on failure.
bool WritePng(const Bitmap& bitmap, int compressionLevel, std::vector<std::uint8_t>& out,
              std::string* error = nullptr);

} // namespace lumadex
