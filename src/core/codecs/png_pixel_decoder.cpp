#include "codecs/png_pixel_decoder.h"

#include "codecs/png_error.h"
#include "codecs/png_filter.h"

#include <algorithm>

namespace lumadex::png {

PixelDecoder::PixelDecoder(const Header& header, const OutputFormat& format, unsigned paletteSize,
                           std::span<const std::uint8_t> transparentKey, Bitmap& target)
    : header_(header), format_(format), paletteLimit_(paletteSize),
      checkIndices_(header.colourType == kPalette && paletteSize < (1u << header.bitDepth)),
      transparentKey_(transparentKey.begin(), transparentKey.end()), target_(target) {
    if (inflateInit(&stream_) != Z_OK)
        throw EPngError(png_message::kZlib);
    // Decoding stops after the last row, before the stream's checksum; skip computing it.
    inflateValidate(&stream_, 0);
    if (header.interlaced) {
        passes_.assign(kAdam7.begin(), kAdam7.end());
        passPixels_.resize(target.stride() + 4);
        if (target.hasAlpha())
            passAlpha_.resize(header.width);
    } else {
        passes_.push_back(kWholeImage);
    }
    const std::size_t longest = 1 + RowBytes(header.width, header.bitsPerPixel());
    row_.resize(longest);
    previous_.resize(longest);
    startPass();
}

PixelDecoder::~PixelDecoder() {
    inflateEnd(&stream_);
}

// Moves to the first pass from passIndex_ on that holds pixels.
void PixelDecoder::startPass() {
    for (; passIndex_ < passes_.size(); ++passIndex_) {
        const Pass& pass = passes_[passIndex_];
        passWidth_ = PassExtent(header_.width, pass.x0, pass.dx);
        passHeight_ = PassExtent(header_.height, pass.y0, pass.dy);
        if (passWidth_ > 0 && passHeight_ > 0)
            break;
    }
    passRow_ = 0;
    filled_ = 0;
    rowLength_ = 1 + RowBytes(passWidth_, header_.bitsPerPixel());
    std::fill(previous_.begin(), previous_.end(), std::uint8_t(0));
}

void PixelDecoder::feed(std::span<const std::uint8_t> compressed) {
    stream_.next_in = const_cast<Bytef*>(compressed.data());
    stream_.avail_in = uInt(compressed.size());
    while (stream_.avail_in > 0 && !complete()) {
        stream_.next_out = row_.data() + filled_;
        stream_.avail_out = uInt(rowLength_ - filled_);
        const uInt inputBefore = stream_.avail_in;
        const int result = inflate(&stream_, Z_NO_FLUSH);
        const std::size_t produced = (rowLength_ - filled_) - stream_.avail_out;
        filled_ += produced;
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            throw EPngError(png_message::kZlib);
        if (produced == 0 && stream_.avail_in == inputBefore && result != Z_STREAM_END)
            throw EPngError(png_message::kZlib);
        if (filled_ == rowLength_)
            finishRow();
        if (result == Z_STREAM_END && !complete())
            throw EPngError(png_message::kReadError);
    }
}

void PixelDecoder::finishRow() {
    std::uint8_t* pixels = row_.data() + 1;
    UnfilterRow(row_[0], pixels, previous_.data() + 1, rowLength_ - 1,
                FilterDistance(header_.bitsPerPixel()));
    if (checkIndices_ && !IndicesBelow(pixels, passWidth_, header_.bitDepth, paletteLimit_))
        throw EPngError(png_message::kReadError);

    const Pass& pass = passes_[passIndex_];
    const int y = int(pass.y0 + passRow_ * pass.dy);
    std::uint8_t* alphaRow = target_.hasAlpha() ? target_.alphaRow(y) : nullptr;
    if (!header_.interlaced) {
        if (!transparentKey_.empty())
            MarkTransparent(pixels, passWidth_, transparentKey_, alphaRow);
        format_.convert(pixels, passWidth_, target_.row(y), alphaRow);
    } else {
        if (!transparentKey_.empty())
            MarkTransparent(pixels, passWidth_, transparentKey_, passAlpha_.data());
        format_.convert(pixels, passWidth_, passPixels_.data(), passAlpha_.data());
        ScatterPixels(passPixels_.data(), passWidth_, target_.bitsPerPixel(), target_.row(y),
                      pass.x0, pass.dx);
        if (alphaRow)
            ScatterBytes(passAlpha_.data(), passWidth_, alphaRow, pass.x0, pass.dx);
    }

    row_.swap(previous_);
    filled_ = 0;
    if (++passRow_ == passHeight_) {
        ++passIndex_;
        startPass();
    }
}

} // namespace lumadex::png
