#include "codecs/jpeg_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using lumadex::Bitmap;
using lumadex::DecodeStatus;

// Decodes arbitrary bytes as a JPEG file (pictures up to 2000 pixels a side keep runs fast);
// small pictures that decode are encoded again and must read back at the same size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bitmap bitmap;
    const DecodeStatus status = lumadex::ReadJpeg(std::span(data, size), bitmap, 2000);
    if ((status == DecodeStatus::Ok) == bitmap.isEmpty())
        __builtin_trap();
    if (status != DecodeStatus::Ok || bitmap.width() * bitmap.height() > 256 * 256)
        return 0;
    std::vector<std::uint8_t> file;
    const int quality = int(size % 120);
    if (!lumadex::WriteJpeg(bitmap, quality, size % 2 == 0, file))
        __builtin_trap();
    Bitmap again;
    if (lumadex::ReadJpeg(file, again) != DecodeStatus::Ok || again.width() != bitmap.width() ||
        again.height() != bitmap.height())
        __builtin_trap();
    return 0;
}
