#include "catalogue/picture_loader.h"
#include "codecs/bmp_reader.h"
#include "codecs/jpeg_codec.h"
#include "codecs/png_codec.h"

namespace lumadex {

PictureLoader NativePictureLoader() {
    PictureLoader loader;
    loader.AddLast(DecoderForExtension(
        QStringLiteral(".PNG"), [](std::span<const std::uint8_t> file, Bitmap& out,
                                   int maxDimension) { return ReadPng(file, out, maxDimension); }));
    loader.AddLast(DecoderForExtension(QStringLiteral(".BMP"), ReadBmp));
    loader.AddLast(DecoderForAnyFile(ReadJpeg));
    return loader;
}

} // namespace lumadex
