#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace lumadex {

// A colour as 0x00BBGGRR: red in the low byte, blue in bits 16..23.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour(red) | (Colour(green) << 8) | (Colour(blue) << 16);
}
constexpr std::uint8_t RedOf(Colour c) {
    return std::uint8_t(c);
}
constexpr std::uint8_t GreenOf(Colour c) {
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t BlueOf(Colour c) {
    return std::uint8_t(c >> 16);
}

// A device-independent bitmap held in memory, rows top-down, each row padded to 4 bytes.
//
// Pixel layouts by depth:
//   1, 4, 8  palette indices, most significant bits first within a byte
//   15       16-bit little-endian words 0RRRRRGGGGGBBBBB
//   16       16-bit little-endian words RRRRRGGGGGGBBBBB
//   24       bytes blue, green, red
//   32       bytes blue, green, red, unused
// An optional alpha plane holds one byte per pixel (255 = opaque), rows top-down, unpadded.
class Bitmap {
public:
    Bitmap() = default;
    // Allocates an uninitialised width x height bitmap of the given depth (1, 4, 8, 15, 16, 24
    // or 32). Paletted depths get a palette of 2^depth black entries.
    Bitmap(int width, int height, int bitsPerPixel);

    // Makes this an uninitialised bitmap as the constructor would, reusing the pixel storage
    // when it is large enough (decoding many pictures in a row then touches no fresh memory).
    void Reset(int width, int height, int bitsPerPixel);
    // Makes this an empty bitmap but keeps the pixel storage for a later Reset.
    void Clear();
    // Bytes of pixel storage held.
    std::size_t capacity() const { return capacity_; }

    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);

    static bool IsSupportedDepth(int bitsPerPixel);
    // Bytes of one padded row for the given width and depth.
    static std::size_t StrideFor(int width, int bitsPerPixel);

    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    bool isPaletted() const { return bitsPerPixel_ <= 8; }
    std::size_t stride() const { return stride_; }

    std::uint8_t* row(int y) { return pixels_.get() + std::size_t(y) * stride_; }
    const std::uint8_t* row(int y) const { return pixels_.get() + std::size_t(y) * stride_; }
    // Sets every pixel byte (padding included) to value.
    void fill(std::uint8_t value);

    // Palette entries as 0x00BBGGRR.
    const std::vector<Colour>& palette() const { return palette_; }
    void setPalette(std::vector<Colour> palette) { palette_ = std::move(palette); }

    bool hasAlpha() const { return alpha_ != nullptr; }
    // Creates the alpha plane (uninitialised) if there is none.
    void createAlpha();
    void removeAlpha() { alpha_.reset(); }
    std::uint8_t* alphaRow(int y) { return alpha_.get() + std::size_t(y) * std::size_t(width_); }
    const std::uint8_t* alphaRow(int y) const {
        return alpha_.get() + std::size_t(y) * std::size_t(width_);
    }

    std::optional<Colour> transparentColour() const { return transparentColour_; }
    void setTransparentColour(std::optional<Colour> colour) { transparentColour_ = colour; }

    // The colour of pixel (x, y) as 0x00BBGGRR; palette indices beyond the palette read black.
    // Slow path for tests and tools; hot loops read rows.
    Colour pixel(int x, int y) const;
    // The palette index of pixel (x, y) of a paletted bitmap.
    int paletteIndex(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    std::size_t stride_ = 0;
    std::size_t capacity_ = 0;
    std::unique_ptr<std::uint8_t[]> pixels_;
    std::unique_ptr<std::uint8_t[]> alpha_;
    std::vector<Colour> palette_;
    std::optional<Colour> transparentColour_;
};

} // namespace lumadex
