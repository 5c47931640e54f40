#include "codecs/bmp_reader.h"

#include "codecs/bmp_layout.h"
#include "codecs/bmp_masked_pixels.h"
#include "codecs/bmp_rle.h"

#include <cstring>
#include <exception>

namespace lumadex {
namespace {

// Copies rows stored in the bitmap's own layout (palette indices or blue-green-red bytes).
Bitmap CopyStoredRows(std::span<const std::uint8_t> file, const bmp::BmpLayout& layout) {
    Bitmap bitmap(layout.width, layout.height, layout.bitsPerPixel);
    if (bitmap.isPaletted())
        bitmap.setPalette(layout.palette);
    const std::size_t stride = bitmap.stride();
    const std::size_t usedBytes = (std::size_t(layout.width) * layout.bitsPerPixel + 7) / 8;
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const int y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        std::uint8_t* target = bitmap.row(y);
        std::memcpy(target, file.data() + layout.pixelOffset + fileRow * stride, usedBytes);
        std::memset(target + usedBytes, 0, stride - usedBytes);
    }
    return bitmap;
}

bool IsRunLengthEncoded(const bmp::BmpLayout& layout) {
    return layout.compression == bmp::Compression::Rle8 ||
           layout.compression == bmp::Compression::Rle4;
}

} // namespace

DecodeStatus ReadBmp(std::span<const std::uint8_t> file, Bitmap& out, int maxDimension) {
    out = Bitmap();
    try {
        bmp::BmpLayout layout;
        const DecodeStatus status = bmp::ReadBmpLayout(file, maxDimension, layout);
        if (status != DecodeStatus::Ok)
            return status;
        if (IsRunLengthEncoded(layout))
            return bmp::DecodeRle(file, layout, out) ? DecodeStatus::Ok : DecodeStatus::Failed;
        out = layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32
                  ? bmp::DecodeMaskedPixels(file, layout)
                  : CopyStoredRows(file, layout);
        return DecodeStatus::Ok;
    } catch (const std::exception&) {
        out = Bitmap();
        return DecodeStatus::Failed;
    }
}

} // namespace lumadex
