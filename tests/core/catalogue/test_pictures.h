#pragma once

#include "codecs/bitmap.h"

#include <cstdint>
#include <functional>

namespace lumadex::test {

// A 24-bit picture whose pixel (x, y) has the colour colourAt(x, y).
inline Bitmap PaintedPicture(int width, int height,
                             const std::function<Colour(int x, int y)>& colourAt) {
    Bitmap picture(width, height, 24);
    picture.fill(0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < width; ++x) {
            const Colour c = colourAt(x, y);
            row[3 * x] = BlueOf(c);
            row[3 * x + 1] = GreenOf(c);
            row[3 * x + 2] = RedOf(c);
        }
    }
    return picture;
}

inline Colour Grey(int level) {
    return MakeColour(std::uint8_t(level), std::uint8_t(level), std::uint8_t(level));
}

} // namespace lumadex::test
