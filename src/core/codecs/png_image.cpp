#include "codecs/png_image.h"

#include "codecs/png_error.h"

namespace lumadex {

void PngImage::LoadFromStream(std::span<const std::uint8_t> data) {
    PngReadStream reader(data, readOptions_);
    reader.read(bitmap_, metadata_);
}

void PngImage::SaveToStream(std::vector<std::uint8_t>& out) const {
    PngWriteStream writer(out);
    writer.write(bitmap_, metadata_, writeOptions_);
}

void PngImage::setSignature(bool on) {
    readOptions_.checkSignature = on;
    writeOptions_.writeSignature = on;
}

void PngImage::setIdatSize(int bytes) {
    if (bytes < kPngMinIdatSize || bytes > kPngMaxIdatSize)
        throw EPngError(png_message::kIdatSize);
    writeOptions_.idatSize = bytes;
}

} // namespace lumadex
