// Feeds arbitrary bytes to the PNG reader; whatever it accepts must survive a write and a
// second read unchanged.
#include "codecs/png_codec.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

constexpr int kMaxDimension = 2000;

int AlphaOf(const lumadex::Bitmap& bitmap, int x, int y) {
    if (bitmap.hasAlpha())
        return bitmap.alphaRow(y)[x];
    return bitmap.transparentColour() == bitmap.pixel(x, y) ? 0 : 255;
}

bool SamePixels(const lumadex::Bitmap& a, const lumadex::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) || AlphaOf(a, x, y) != AlphaOf(b, x, y))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumadex::Bitmap bitmap;
    if (lumadex::ReadPng(std::span(data, size), bitmap, kMaxDimension) != lumadex::DecodeStatus::Ok)
        return 0;
    if (std::size_t(bitmap.width()) * std::size_t(bitmap.height()) > 256 * 256)
        return 0;
    std::vector<std::uint8_t> written;
    if (!lumadex::WritePng(bitmap, lumadex::kPngLevelSpeed, written))
        std::abort();
    lumadex::Bitmap again;
    if (lumadex::ReadPng(written, again, kMaxDimension) != lumadex::DecodeStatus::Ok ||
        !SamePixels(bitmap, again))
        std::abort();
    return 0;
}
