#include "codecs/png_codec.h"

#include "codecs/png_error.h"
#include "codecs/png_image.h"

#include <exception>

namespace lumadex {
namespace {

void SetError(std::string* error, const char* message) {
    if (error)
        *error = message;
}

} // namespace

DecodeStatus ReadPng(std::span<const std::uint8_t> file, Bitmap& out, int maxDimension,
                     std::string* error) {
    out = Bitmap();
    try {
        PngImage image;
        image.setMaxDimension(maxDimension);
        image.LoadFromStream(file);
        out = std::move(image.bitmap());
        return DecodeStatus::Ok;
    } catch (const EPngDimensionError& e) {
        SetError(error, e.what());
        return DecodeStatus::BadDimensions;
    } catch (const EPngError& e) {
        SetError(error, e.what());
    } catch (...) {
        // Out of memory and the like: the file could not be read.
        SetError(error, png_message::kReadError);
    }
    return DecodeStatus::Failed;
}

bool WritePng(const Bitmap& bitmap, int compressionLevel, std::vector<std::uint8_t>& out,
              std::string* error) {
    const std::size_t start = out.size();
    try {
        PngWriteOptions options;
        options.compressionLevel = compressionLevel;
        PngWriteStream(out).write(bitmap, PngMetadata{}, options);
        return true;
    } catch (const EPngError& e) {
        SetError(error, e.what());
    } catch (...) {
        SetError(error, png_message::kWriteError);
    }
    out.resize(start);
    return false;
}

} // namespace lumadex
