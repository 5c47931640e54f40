#include "codecs/png_write_stream.h"

#include "codecs/png_chunk.h"
#include "codecs/png_error.h"
#include "codecs/png_format.h"
#include "codecs/png_idat_writer.h"
#include "codecs/png_row_source.h"

#include <algorithm>
#include <cmath>

namespace lumadex {
namespace {

constexpr std::string_view kSoftware = "QXRPNG ver 3.4";

void AppendRgb16(std::vector<std::uint8_t>& body, Colour colour) {
    png::AppendBigEndian16(body, RedOf(colour));
    png::AppendBigEndian16(body, GreenOf(colour));
    png::AppendBigEndian16(body, BlueOf(colour));
}

} // namespace

void PngWriteStream::write(const Bitmap& bitmap, const PngMetadata& metadata,
                           const PngWriteOptions& options) {
    if (bitmap.isEmpty() || !Bitmap::IsSupportedDepth(bitmap.bitsPerPixel()))
        throw EPngError(png_message::kWriteError);
    if (options.idatSize < kPngMinIdatSize || options.idatSize > kPngMaxIdatSize)
        throw EPngError(png_message::kIdatSize);
    png::RowSource source(bitmap, options.greyscale);

    if (options.writeSignature)
        out_.insert(out_.end(), png::kSignature.begin(), png::kSignature.end());
    writeHeader(source, options.interlace == PngInterlace::Adam7);
    writeTime(options.writeTime ? PngTime::Now() : metadata.time);
    writeText("Comment", options.comment);
    writeText("Software", kSoftware);
    writeGamma(metadata.gamma);
    writeSignificantBits(bitmap, source);
    if (source.header().colourType == png::kPalette) {
        std::vector<std::uint8_t> body;
        for (Colour colour : source.palette())
            body.insert(body.end(), {RedOf(colour), GreenOf(colour), BlueOf(colour)});
        appendChunk(png::kPLTE, body);
    }
    if (metadata.backgroundColour)
        writeBackground(source, *metadata.backgroundColour);
    writeTransparency(bitmap, source);
    writeImageData(source, options);
    appendChunk(png::kIEND, {});
}

void PngWriteStream::appendChunk(std::uint32_t type, std::span<const std::uint8_t> body) {
    png::AppendChunk(out_, type, body);
}

void PngWriteStream::writeHeader(const png::RowSource& source, bool interlaced) {
    const png::Header& header = source.header();
    std::vector<std::uint8_t> body;
    png::AppendBigEndian32(body, header.width);
    png::AppendBigEndian32(body, header.height);
    body.insert(body.end(), {std::uint8_t(header.bitDepth), std::uint8_t(header.colourType), 0, 0,
                             std::uint8_t(interlaced ? 1 : 0)});
    appendChunk(png::kIHDR, body);
}

void PngWriteStream::writeTime(const PngTime& time) {
    if (!time.isValid())
        return;
    std::vector<std::uint8_t> body;
    png::AppendBigEndian16(body, std::uint16_t(time.year));
    body.insert(body.end(),
                {std::uint8_t(time.month), std::uint8_t(time.day), std::uint8_t(time.hour),
                 std::uint8_t(time.minute), std::uint8_t(time.second)});
    appendChunk(png::kTIME, body);
}

void PngWriteStream::writeText(std::string_view keyword, std::string_view text) {
    std::vector<std::uint8_t> body(keyword.begin(), keyword.end());
    body.push_back(0);
    body.insert(body.end(), text.begin(), text.end());
    appendChunk(png::kTEXT, body);
}

void PngWriteStream::writeGamma(double gamma) {
    const double scaled = std::round(gamma * 100000.0);
    if (!(scaled >= 1.0) || scaled > double(png::kMaxChunkLength))
        return;
    std::vector<std::uint8_t> body;
    png::AppendBigEndian32(body, std::uint32_t(scaled));
    appendChunk(png::kGAMA, body);
}

// A 15- or 16-bit bitmap stored as 8-bit RGB records how many bits are real.
void PngWriteStream::writeSignificantBits(const Bitmap& bitmap, const png::RowSource& source) {
    const int colourType = source.header().colourType;
    const int depth = bitmap.bitsPerPixel();
    if ((depth != 15 && depth != 16) || (colourType != png::kRgb && colourType != png::kRgbAlpha))
        return;
    std::vector<std::uint8_t> body = {5, std::uint8_t(depth == 15 ? 5 : 6), 5};
    if (colourType == png::kRgbAlpha)
        body.push_back(8);
    appendChunk(png::kSBIT, body);
}

void PngWriteStream::writeBackground(const png::RowSource& source, Colour colour) {
    std::vector<std::uint8_t> body;
    switch (source.header().colourType) {
    case png::kPalette: {
        const std::vector<Colour>& palette = source.palette();
        const auto found = std::find(palette.begin(), palette.end(), colour);
        if (found == palette.end())
            return;
        body.push_back(std::uint8_t(found - palette.begin()));
        break;
    }
    case png::kGrey:
    case png::kGreyAlpha:
        png::AppendBigEndian16(body, source.greyLevel(colour));
        break;
    default:
        AppendRgb16(body, colour);
        break;
    }
    appendChunk(png::kBKGD, body);
}

void PngWriteStream::writeTransparency(const Bitmap& bitmap, const png::RowSource& source) {
    std::vector<std::uint8_t> body;
    switch (source.header().colourType) {
    case png::kPalette:
        body = source.paletteAlpha();
        break;
    case png::kGrey:
        if (bitmap.transparentColour())
            png::AppendBigEndian16(body, source.greyLevel(*bitmap.transparentColour()));
        break;
    case png::kRgb:
        if (bitmap.transparentColour())
            AppendRgb16(body, *bitmap.transparentColour());
        break;
    default:
        break;
    }
    if (!body.empty())
        appendChunk(png::kTRNS, body);
}

void PngWriteStream::writeImageData(png::RowSource& source, const PngWriteOptions& options) {
    const png::Header& header = source.header();
    const int bitsPerPixel = header.bitsPerPixel();
    const std::size_t fullBytes = source.rowBytes();
    std::vector<std::uint8_t> full(fullBytes);
    std::vector<std::uint8_t> row(fullBytes);
    std::vector<std::uint8_t> previous(fullBytes);
    png::RowFilter filter(options.filter, fullBytes, png::FilterDistance(bitsPerPixel));
    png::IdatWriter idat(out_, std::clamp(options.compressionLevel, -1, 9),
                         std::size_t(options.idatSize));

    const bool interlaced = options.interlace == PngInterlace::Adam7;
    const std::span<const png::Pass> passes =
        interlaced ? std::span<const png::Pass>(png::kAdam7)
                   : std::span<const png::Pass>(&png::kWholeImage, 1);
    for (const png::Pass& pass : passes) {
        const std::uint32_t width = png::PassExtent(header.width, pass.x0, pass.dx);
        const std::uint32_t height = png::PassExtent(header.height, pass.y0, pass.dy);
        if (width == 0)
            continue;
        const std::size_t bytes = png::RowBytes(width, bitsPerPixel);
        std::fill(previous.begin(), previous.end(), std::uint8_t(0));
        for (std::uint32_t i = 0; i < height; ++i) {
            const int y = int(pass.y0 + i * pass.dy);
            if (interlaced) {
                source.makeRow(y, full.data());
                png::GatherPixels(full.data(), bitsPerPixel, pass.x0, pass.dx, width, row.data());
            } else {
                source.makeRow(y, row.data());
            }
            idat.add(filter.apply(row.data(), previous.data(), bytes));
            row.swap(previous);
        }
    }
    idat.finish();
}

} // namespace lumadex
