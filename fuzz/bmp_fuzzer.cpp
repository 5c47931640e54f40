// Feeds arbitrary bytes to the BMP reader and checks what it hands back.

#include "codecs/bmp_reader.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

constexpr int kMaxDimension = 2000;

bool IsConsistent(const lumadex::Bitmap& bitmap) {
    if (bitmap.width() < 1 || bitmap.width() > kMaxDimension || bitmap.height() < 1 ||
        bitmap.height() > kMaxDimension)
        return false;
    switch (bitmap.bitsPerPixel()) {
    case 1:
    case 4:
    case 8:
        return bitmap.palette().size() == (std::size_t(1) << bitmap.bitsPerPixel());
    case 24:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumadex::Bitmap bitmap;
    const lumadex::DecodeStatus status =
        lumadex::ReadBmp(std::span(data, size), bitmap, kMaxDimension);
    if (status != lumadex::DecodeStatus::Ok) {
        if (!bitmap.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (!IsConsistent(bitmap))
        __builtin_trap();
    // Reads the corner pixels, so a pixel buffer smaller than the picture shows up.
    volatile lumadex::Colour sink = bitmap.pixel(0, 0) ^ bitmap.pixel(bitmap.width() - 1, 0) ^
                                    bitmap.pixel(0, bitmap.height() - 1) ^
                                    bitmap.pixel(bitmap.width() - 1, bitmap.height() - 1);
    (void)sink;
    return 0;
}
