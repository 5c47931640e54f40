#pragma once

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"
#include "codecs/png_format.h"
#include "codecs/png_metadata.h"
#include "codecs/png_row_convert.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace lumadex {

namespace png {
class PixelDecoder;
}

struct PngReadOptions {
    // Compare the first 8 bytes with the PNG signature; off for streams that start at IHDR.
    bool checkSignature = true;
    // Decode RGB pictures whose sBIT gives 5,5,5 or 5,6,5 bits into 15- or 16-bit bitmaps.
    bool packedRgb = false;
    // Wider or higher pictures are refused before their pixels are allocated.
    int maxDimension = kMaxPictureDimension;
};

// Reads one PNG stream held in memory: header checks, ancillary chunks, image data.
class PngReadStream {
public:
    PngReadStream(std::span<const std::uint8_t> data, const PngReadOptions& options);
    ~PngReadStream();
    PngReadStream(const PngReadStream&) = delete;
    PngReadStream& operator=(const PngReadStream&) = delete;

    // Reads the whole stream. Raises EPngError (EPngDimensionError for a refused size); bitmap
    // and metadata are only assigned when the picture was read completely.
    void read(Bitmap& bitmap, PngMetadata& metadata);

private:
    enum class ImageData { NotStarted, Running, Ended };

    void readSignature();
    // Reads one chunk; false once IEND has been read.
    bool readChunk();
    void readHeader(std::span<const std::uint8_t> body);
    void checkBitDepth() const;
    void readPalette(std::span<const std::uint8_t> body);
    void readImageData(std::span<const std::uint8_t> body);
    void readTransparency(std::span<const std::uint8_t> body);
    void readGamma(std::span<const std::uint8_t> body);
    void readSignificantBits(std::span<const std::uint8_t> body);
    void readBackground(std::span<const std::uint8_t> body);
    void readText(std::span<const std::uint8_t> body);
    void readTime(std::span<const std::uint8_t> body);
    void startImage();
    png::PackedRgb packedRgb() const;
    std::vector<Colour> bitmapPalette(int bitmapDepth) const;
    // A grey level or RGB sample of the file's depth as 8 bits.
    std::uint8_t sampleTo8Bits(std::uint16_t sample) const;
    bool keysTransparencyExactly() const;
    Colour transparentColour() const;
    void finish();
    void applyPaletteAlpha();

    std::span<const std::uint8_t> data_;
    PngReadOptions options_;
    std::size_t position_ = 0;
    std::optional<png::Header> header_;
    std::vector<Colour> palette_;
    std::vector<std::uint8_t> paletteAlpha_;
    // tRNS samples of a grey or RGB picture, as the raw bytes of one pixel.
    std::vector<std::uint8_t> transparentSamples_;
    ImageData imageData_ = ImageData::NotStarted;
    std::unique_ptr<png::PixelDecoder> decoder_;
    Bitmap bitmap_;
    PngMetadata metadata_;
};

} // namespace lumadex
