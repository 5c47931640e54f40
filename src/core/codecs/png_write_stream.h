#pragma once

#include "codecs/bitmap.h"
#include "codecs/png_filter.h"
#include "codecs/png_metadata.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumadex {

namespace png {
class RowSource;
}

enum class PngInterlace { None, Adam7 };

inline constexpr int kPngMinIdatSize = 256;
inline constexpr int kPngMaxIdatSize = 100000;

struct PngWriteOptions {
    int idatSize = 32768;
    // zlib level: -1 (zlib's default) or 0 to 9; others are clamped.
    int compressionLevel = -1;
    PngFilter filter = PngFilter::None;
    PngInterlace interlace = PngInterlace::None;
    bool greyscale = false;
    bool writeSignature = true;
    // Stamp the stream with the time of writing rather than the metadata's time.
    bool writeTime = true;
    std::string comment;
};

// Writes a bitmap as one PNG stream.
class PngWriteStream {
public:
    explicit PngWriteStream(std::vector<std::uint8_t>& out) : out_(out) {}

    // Appends the PNG stream of bitmap to the output. Raises EPngError.
    void write(const Bitmap& bitmap, const PngMetadata& metadata, const PngWriteOptions& options);

private:
    void appendChunk(std::uint32_t type, std::span<const std::uint8_t> body);
    void writeHeader(const png::RowSource& source, bool interlaced);
    void writeTime(const PngTime& time);
    void writeText(std::string_view keyword, std::string_view text);
    void writeGamma(double gamma);
    void writeSignificantBits(const Bitmap& bitmap, const png::RowSource& source);
    void writeBackground(const png::RowSource& source, Colour colour);
    void writeTransparency(const Bitmap& bitmap, const png::RowSource& source);
    void writeImageData(png::RowSource& source, const PngWriteOptions& options);

    std::vector<std::uint8_t>& out_;
};

} // namespace lumadex
