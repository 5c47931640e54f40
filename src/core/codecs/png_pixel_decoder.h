#pragma once

#include "codecs/bitmap.h"
#include "codecs/png_format.h"
#include "codecs/png_row_convert.h"

#include <cstdint>
#include <span>
#include <vector>
#include <zlib.h>

namespace lumadex::png {

// Inflates the image data as it arrives, unfilters each row and converts it straight into the
// target bitmap; interlaced passes are spread to their places in the full-size bitmap.
class PixelDecoder {
public:
    // target must have the header's size, format's depth and, for pictures with an alpha
    // channel or a transparent key, an alpha plane. paletteSize limits the indices of palette
    // pictures. Pixels whose samples equal transparentKey (raw bytes of one pixel; empty for
    // none) get alpha 0, the others 255.
    PixelDecoder(const Header& header, const OutputFormat& format, unsigned paletteSize,
                 std::span<const std::uint8_t> transparentKey, Bitmap& target);
    ~PixelDecoder();
    PixelDecoder(const PixelDecoder&) = delete;
    PixelDecoder& operator=(const PixelDecoder&) = delete;

    // Takes the next piece of the compressed stream. Data after the last row is ignored.
    void feed(std::span<const std::uint8_t> compressed);
    bool complete() const { return passIndex_ == passes_.size(); }

private:
    void startPass();
    void finishRow();

    Header header_;
    OutputFormat format_;
    unsigned paletteLimit_;
    bool checkIndices_;
    std::vector<std::uint8_t> transparentKey_;
    Bitmap& target_;
    z_stream stream_{};
    std::vector<Pass> passes_;
    std::size_t passIndex_ = 0;
    std::uint32_t passWidth_ = 0;
    std::uint32_t passHeight_ = 0;
    std::uint32_t passRow_ = 0;
    std::size_t rowLength_ = 0; // filter byte included
    std::size_t filled_ = 0;
    std::vector<std::uint8_t> row_;
    std::vector<std::uint8_t> previous_;
    std::vector<std::uint8_t> passPixels_;
    std::vector<std::uint8_t> passAlpha_;
};

} // namespace lumadex::png
