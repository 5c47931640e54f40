#pragma once

#include "codecs/bitmap.h"
#include "codecs/png_metadata.h"
#include "codecs/png_read_stream.h"
#include "codecs/png_write_stream.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumadex {

// A picture with its PNG settings: loads PNG streams into its bitmap (alpha in the bitmap's
// alpha plane) and saves its bitmap as PNG.
class PngImage {
public:
    // Reads a PNG stream into the bitmap and the metadata. Raises EPngError; on failure the
    // picture and metadata are unchanged.
    void LoadFromStream(std::span<const std::uint8_t> data);
    // Appends the bitmap as a PNG stream to out. Raises EPngError.
    void SaveToStream(std::vector<std::uint8_t>& out) const;

    Bitmap& bitmap() { return bitmap_; }
    const Bitmap& bitmap() const { return bitmap_; }
    void setTransparentColour(std::optional<Colour> colour) {
        bitmap_.setTransparentColour(colour);
    }

    // Streams start with the PNG signature: checked on loading, written on saving.
    bool signature() const { return writeOptions_.writeSignature; }
    void setSignature(bool on);
    void setPackedRgb(bool allowed) { readOptions_.packedRgb = allowed; }
    void setMaxDimension(int pixels) { readOptions_.maxDimension = pixels; }

    int idatSize() const { return writeOptions_.idatSize; }
    // Raises EPngError for sizes outside 256..100000.
    void setIdatSize(int bytes);
    int compressionLevel() const { return writeOptions_.compressionLevel; }
    void setCompressionLevel(int level) { writeOptions_.compressionLevel = level; }
    PngFilter filter() const { return writeOptions_.filter; }
    void setFilter(PngFilter filter) { writeOptions_.filter = filter; }
    PngInterlace interlace() const { return writeOptions_.interlace; }
    void setInterlace(PngInterlace interlace) { writeOptions_.interlace = interlace; }
    void setGreyscale(bool on) { writeOptions_.greyscale = on; }
    void setWriteTime(bool on) { writeOptions_.writeTime = on; }
    const std::string& comment() const { return writeOptions_.comment; }
    void setComment(std::string text) { writeOptions_.comment = std::move(text); }

    double gamma() const { return metadata_.gamma; }
    void setGamma(double gamma) { metadata_.gamma = gamma; }
    const PngTime& time() const { return metadata_.time; }
    void setTime(const PngTime& time) { metadata_.time = time; }
    std::optional<Colour> backgroundColour() const { return metadata_.backgroundColour; }
    void setBackgroundColour(std::optional<Colour> colour) { metadata_.backgroundColour = colour; }
    const std::vector<PngText>& texts() const { return metadata_.texts; }
    const std::vector<std::uint8_t>& significantBits() const { return metadata_.significantBits; }

private:
    Bitmap bitmap_;
    PngMetadata metadata_;
    PngReadOptions readOptions_;
    PngWriteOptions writeOptions_;
};

} // namespace lumadex
