#pragma once

#include <stdexcept>

namespace lumadex {

// Messages of the PNG reader and writer.
namespace png_message {
inline constexpr const char* kNotPng = "PNG LoadStream: Not PNG Format";
inline constexpr const char* kTwoHeaders = "Read Header(PNG): appear two IHDR";
inline constexpr const char* kColourType = "Read Header(PNG): Error ColorType";
inline constexpr const char* kCompression = "Read Header(PNG): not support Compression";
inline constexpr const char* kFilterMethod = "Read Header(PNG): not supprt Filter";
inline constexpr const char* kInterlace = "Read Header(PNG): not interlace type";
inline constexpr const char* kGreyDepth = "Read Header(PNG): Error Bitdepth";
inline constexpr const char* kGreyAlphaDepth = "Read Header(PNG): not Use AlphaChannel";
inline constexpr const char* kColourDepth = "Read Header(PNG): Error BitDepth";
inline constexpr const char* kZlib = "PNG LoadStream: Error ZLIB";
inline constexpr const char* kReadError = "Read Image (PNG): Read Error";
inline constexpr const char* kWriteError = "Write Image (PNG): Write Error";
inline constexpr const char* kIdatSize = "Write PNG Param: Err IDAT Size(min:256  max:100000)";
} // namespace png_message

// A PNG format or parameter error; what() is one of the messages above.
class EPngError : public std::runtime_error {
public:
    explicit EPngError(const char* message) : std::runtime_error(message) {}
};

// A header whose width or height is 0 or above the reader's limit; raised before any pixel
// memory is allocated.
class EPngDimensionError : public EPngError {
public:
    EPngDimensionError() : EPngError(png_message::kReadError) {}
};

} // namespace lumadex
