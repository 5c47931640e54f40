#include "codecs/bitmap.h"

#include <cstring>
#include <stdexcept>

namespace lumadex {

bool Bitmap::IsSupportedDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

std::size_t Bitmap::StrideFor(int width, int bitsPerPixel) {
    const int storedBits = bitsPerPixel == 15 ? 16 : bitsPerPixel;
    return ((std::size_t(width) * std::size_t(storedBits) + 31) / 32) * 4;
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel) {
    Reset(width, height, bitsPerPixel);
}

void Bitmap::Reset(int width, int height, int bitsPerPixel) {
    if (width < 0 || height < 0 || !IsSupportedDepth(bitsPerPixel))
        throw std::invalid_argument("Bitmap: bad size or depth");
    const std::size_t stride = StrideFor(width, bitsPerPixel);
    const std::size_t bytes = stride * std::size_t(height);
    if (bytes > capacity_ || !pixels_) {
        pixels_.reset();
        pixels_ = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        capacity_ = bytes;
    }
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = stride;
    alpha_.reset();
    transparentColour_.reset();
    palette_.clear();
    if (isPaletted())
        palette_.assign(std::size_t(1) << bitsPerPixel, 0);
}

void Bitmap::Clear() {
    width_ = 0;
    height_ = 0;
    bitsPerPixel_ = 0;
    stride_ = 0;
    alpha_.reset();
    transparentColour_.reset();
    palette_.clear();
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_), height_(other.height_), bitsPerPixel_(other.bitsPerPixel_),
      stride_(other.stride_), palette_(other.palette_),
      transparentColour_(other.transparentColour_) {
    const std::size_t bytes = stride_ * std::size_t(height_);
    if (other.pixels_) {
        pixels_ = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        capacity_ = bytes;
        std::memcpy(pixels_.get(), other.pixels_.get(), bytes);
    }
    if (other.alpha_) {
        const std::size_t alphaBytes = std::size_t(width_) * std::size_t(height_);
        alpha_ = std::make_unique_for_overwrite<std::uint8_t[]>(alphaBytes);
        std::memcpy(alpha_.get(), other.alpha_.get(), alphaBytes);
    }
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other)
        *this = Bitmap(other);
    return *this;
}

void Bitmap::fill(std::uint8_t value) {
    if (pixels_)
        std::memset(pixels_.get(), value, stride_ * std::size_t(height_));
}

void Bitmap::createAlpha() {
    if (!alpha_)
        alpha_ = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(width_) *
                                                                std::size_t(height_));
}

int Bitmap::paletteIndex(int x, int y) const {
    const std::uint8_t* r = row(y);
    switch (bitsPerPixel_) {
    case 1:
        return (r[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4);
    case 8:
        return r[x];
    default:
        return -1;
    }
}

Colour Bitmap::pixel(int x, int y) const {
    const std::uint8_t* r = row(y);
    switch (bitsPerPixel_) {
    case 1:
    case 4:
    case 8: {
        const int index = paletteIndex(x, y);
        return std::size_t(index) < palette_.size() ? palette_[std::size_t(index)] : 0;
    }
    case 15:
    case 16: {
        const unsigned word = unsigned(r[2 * x]) | (unsigned(r[2 * x + 1]) << 8);
        unsigned red, green, blue;
        if (bitsPerPixel_ == 15) {
            red = (word >> 10) & 31;
            green = (word >> 5) & 31;
            blue = word & 31;
            green = (green << 3) | (green >> 2);
        } else {
            red = (word >> 11) & 31;
            green = (word >> 5) & 63;
            blue = word & 31;
            green = (green << 2) | (green >> 4);
        }
        red = (red << 3) | (red >> 2);
        blue = (blue << 3) | (blue >> 2);
        return MakeColour(std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue));
    }
    case 24:
        return MakeColour(r[3 * x + 2], r[3 * x + 1], r[3 * x]);
    case 32:
        return MakeColour(r[4 * x + 2], r[4 * x + 1], r[4 * x]);
    default:
        return 0;
    }
}

} // namespace lumadex
