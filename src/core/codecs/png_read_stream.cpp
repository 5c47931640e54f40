#include "codecs/png_read_stream.h"

#include "codecs/png_error.h"
#include "codecs/png_pixel_decoder.h"

#include <algorithm>
#include <array>

namespace lumadex {
namespace {

// Deflate cannot expand one compressed byte into more than about 1032 bytes.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// Chunk length, type and CRC around a chunk's data.
constexpr std::size_t kChunkOverhead = 12;

Colour Grey(std::uint8_t level) {
    return MakeColour(level, level, level);
}

} // namespace

PngReadStream::PngReadStream(std::span<const std::uint8_t> data, const PngReadOptions& options)
    : data_(data), options_(options) {
    metadata_.gamma = 0;
    metadata_.time = PngTime{};
}

PngReadStream::~PngReadStream() = default;

void PngReadStream::read(Bitmap& bitmap, PngMetadata& metadata) {
    if (options_.checkSignature)
        readSignature();
    while (readChunk()) {
    }
    finish();
    bitmap = std::move(bitmap_);
    metadata = std::move(metadata_);
}

void PngReadStream::readSignature() {
    if (data_.size() < png::kSignature.size() ||
        !std::equal(png::kSignature.begin(), png::kSignature.end(), data_.begin()))
        throw EPngError(png_message::kNotPng);
    position_ = png::kSignature.size();
}

bool PngReadStream::readChunk() {
    const std::size_t left = data_.size() - position_;
    if (left < kChunkOverhead)
        throw EPngError(png_message::kReadError);
    const std::uint8_t* start = data_.data() + position_;
    const std::uint32_t length = png::ReadBigEndian32(start);
    const std::uint32_t type = png::ReadBigEndian32(start + 4);
    if (length > png::kMaxChunkLength || length > left - kChunkOverhead)
        throw EPngError(png_message::kReadError);
    const std::span<const std::uint8_t> body = data_.subspan(position_ + 8, length);
    // The CRC that follows the data is skipped unchecked.
    position_ += kChunkOverhead + length;

    if (!header_ && type != png::kIHDR)
        throw EPngError(png_message::kReadError);
    if (type != png::kIDAT && imageData_ == ImageData::Running)
        imageData_ = ImageData::Ended;
    switch (type) {
    case png::kIHDR:
        readHeader(body);
        break;
    case png::kPLTE:
        readPalette(body);
        break;
    case png::kIDAT:
        readImageData(body);
        break;
    case png::kIEND:
        return false;
    case png::kTRNS:
        readTransparency(body);
        break;
    case png::kGAMA:
        readGamma(body);
        break;
    case png::kSBIT:
        readSignificantBits(body);
        break;
    case png::kBKGD:
        readBackground(body);
        break;
    case png::kTEXT:
        readText(body);
        break;
    case png::kTIME:
        readTime(body);
        break;
    default:
        break;
    }
    return true;
}

void PngReadStream::readHeader(std::span<const std::uint8_t> body) {
    if (header_)
        throw EPngError(png_message::kTwoHeaders);
    if (body.size() < 13)
        throw EPngError(png_message::kReadError);
    png::Header header;
    header.width = png::ReadBigEndian32(&body[0]);
    header.height = png::ReadBigEndian32(&body[4]);
    header.bitDepth = body[8];
    header.colourType = body[9];
    switch (header.colourType) {
    case png::kGrey:
    case png::kRgb:
    case png::kPalette:
    case png::kGreyAlpha:
    case png::kRgbAlpha:
        break;
    default:
        throw EPngError(png_message::kColourType);
    }
    if (body[10] != 0)
        throw EPngError(png_message::kCompression);
    if (body[11] != 0)
        throw EPngError(png_message::kFilterMethod);
    if (body[12] > 1)
        throw EPngError(png_message::kInterlace);
    header.interlaced = body[12] == 1;
    header_ = header;
    checkBitDepth();

    const std::uint64_t limit = std::uint64_t(std::max(options_.maxDimension, 0));
    if (header.width == 0 || header.height == 0 || header.width > limit || header.height > limit)
        throw EPngDimensionError();
    const std::uint64_t compressedLeft = data_.size() - position_;
    if (png::FilteredDataSize(header) > compressedLeft * kMaxInflateRatio)
        throw EPngError(png_message::kReadError);
}

void PngReadStream::checkBitDepth() const {
    const int depth = header_->bitDepth;
    switch (header_->colourType) {
    case png::kGrey:
    case png::kGreyAlpha:
        if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16)
            throw EPngError(png_message::kGreyDepth);
        if (header_->hasAlpha() && depth != 8 && depth != 16)
            throw EPngError(png_message::kGreyAlphaDepth);
        break;
    case png::kPalette:
        if (depth != 1 && depth != 2 && depth != 4 && depth != 8)
            throw EPngError(png_message::kColourDepth);
        break;
    default:
        if (depth != 8 && depth != 16)
            throw EPngError(png_message::kColourDepth);
        break;
    }
}

void PngReadStream::readPalette(std::span<const std::uint8_t> body) {
    // A palette of an RGB picture only suggests colours; one after the image data is too late.
    if (header_->colourType != png::kPalette || imageData_ != ImageData::NotStarted)
        return;
    if (body.empty() || body.size() % 3 != 0 || body.size() > 3 * 256)
        throw EPngError(png_message::kReadError);
    palette_.clear();
    for (std::size_t i = 0; i < body.size(); i += 3)
        palette_.push_back(MakeColour(body[i], body[i + 1], body[i + 2]));
}

void PngReadStream::readImageData(std::span<const std::uint8_t> body) {
    if (imageData_ == ImageData::Ended)
        throw EPngError(png_message::kReadError);
    if (imageData_ == ImageData::NotStarted) {
        startImage();
        imageData_ = ImageData::Running;
    }
    decoder_->feed(body);
}

void PngReadStream::startImage() {
    if (header_->colourType == png::kPalette && palette_.empty())
        throw EPngError(png_message::kReadError);
    const png::OutputFormat format = png::ChooseOutputFormat(*header_, packedRgb());
    bitmap_ = Bitmap(int(header_->width), int(header_->height), format.bitmapDepth);
    // Interlaced passes fill a row bit by bit; start from defined bytes.
    if (header_->interlaced)
        bitmap_.fill(0);
    const bool keyed = keysTransparencyExactly();
    if (header_->hasAlpha() || keyed)
        bitmap_.createAlpha();
    if (bitmap_.isPaletted())
        bitmap_.setPalette(bitmapPalette(format.bitmapDepth));
    decoder_ = std::make_unique<png::PixelDecoder>(
        *header_, format, unsigned(palette_.size()),
        keyed ? std::span<const std::uint8_t>(transparentSamples_)
              : std::span<const std::uint8_t>(),
        bitmap_);
}

png::PackedRgb PngReadStream::packedRgb() const {
    const std::vector<std::uint8_t>& bits = metadata_.significantBits;
    if (!options_.packedRgb || header_->isGrey() || header_->colourType == png::kPalette ||
        bits.size() < 3 || bits[0] != 5 || bits[2] != 5)
        return png::PackedRgb::None;
    if (bits[1] == 5)
        return png::PackedRgb::Rgb555;
    return bits[1] == 6 ? png::PackedRgb::Rgb565 : png::PackedRgb::None;
}

std::vector<Colour> PngReadStream::bitmapPalette(int bitmapDepth) const {
    if (header_->colourType == png::kPalette)
        return palette_;
    const int levels = 1 << bitmapDepth;
    std::vector<Colour> ramp(std::size_t(levels), 0);
    for (int i = 0; i < levels; ++i)
        ramp[std::size_t(i)] = Grey(std::uint8_t(i * 255 / (levels - 1)));
    return ramp;
}

std::uint8_t PngReadStream::sampleTo8Bits(std::uint16_t sample) const {
    const int depth = header_->bitDepth;
    if (depth == 16)
        return std::uint8_t(sample >> 8);
    const unsigned maximum = (1u << depth) - 1;
    return std::uint8_t((sample & maximum) * 255 / maximum);
}

void PngReadStream::readTransparency(std::span<const std::uint8_t> body) {
    // Transparency must be known before the pixels; a later tRNS is out of place.
    if (imageData_ != ImageData::NotStarted)
        return;
    switch (header_->colourType) {
    case png::kPalette:
        paletteAlpha_.assign(body.begin(), body.begin() + std::min<std::size_t>(body.size(), 256));
        break;
    case png::kGrey:
    case png::kRgb: {
        // One pixel's worth of samples, in the layout of a 16-bit row.
        const std::size_t size = header_->colourType == png::kGrey ? 2 : 6;
        if (body.size() < size)
            break;
        transparentSamples_.assign(body.begin(), body.begin() + std::ptrdiff_t(size));
        break;
    }
    default:
        break;
    }
}

// 16-bit samples lose their low byte in the bitmap, so a transparent colour there would also
// hide the pixels that differ from it only in the low byte; such pictures get an alpha plane
// from the exact comparison instead.
bool PngReadStream::keysTransparencyExactly() const {
    return header_->bitDepth == 16 && !transparentSamples_.empty();
}

Colour PngReadStream::transparentColour() const {
    const std::uint8_t* samples = transparentSamples_.data();
    if (header_->colourType == png::kGrey)
        return Grey(sampleTo8Bits(png::ReadBigEndian16(samples)));
    return MakeColour(sampleTo8Bits(png::ReadBigEndian16(samples)),
                      sampleTo8Bits(png::ReadBigEndian16(samples + 2)),
                      sampleTo8Bits(png::ReadBigEndian16(samples + 4)));
}

void PngReadStream::readGamma(std::span<const std::uint8_t> body) {
    if (body.size() >= 4)
        metadata_.gamma = png::ReadBigEndian32(&body[0]) / 100000.0;
}

void PngReadStream::readSignificantBits(std::span<const std::uint8_t> body) {
    metadata_.significantBits.assign(body.begin(),
                                     body.begin() + std::min<std::size_t>(body.size(), 4));
}

void PngReadStream::readBackground(std::span<const std::uint8_t> body) {
    if (header_->colourType == png::kPalette) {
        if (!body.empty() && body[0] < palette_.size())
            metadata_.backgroundColour = palette_[body[0]];
    } else if (header_->isGrey()) {
        if (body.size() >= 2)
            metadata_.backgroundColour = Grey(sampleTo8Bits(png::ReadBigEndian16(&body[0])));
    } else if (body.size() >= 6) {
        metadata_.backgroundColour = MakeColour(sampleTo8Bits(png::ReadBigEndian16(&body[0])),
                                                sampleTo8Bits(png::ReadBigEndian16(&body[2])),
                                                sampleTo8Bits(png::ReadBigEndian16(&body[4])));
    }
}

void PngReadStream::readText(std::span<const std::uint8_t> body) {
    const auto separator = std::find(body.begin(), body.end(), std::uint8_t(0));
    if (separator == body.end())
        return;
    metadata_.texts.push_back(
        {std::string(body.begin(), separator), std::string(separator + 1, body.end())});
}

void PngReadStream::readTime(std::span<const std::uint8_t> body) {
    if (body.size() >= 7)
        metadata_.time = {
            png::ReadBigEndian16(&body[0]), body[2], body[3], body[4], body[5], body[6]};
}

void PngReadStream::finish() {
    if (!decoder_ || !decoder_->complete())
        throw EPngError(png_message::kReadError);
    if (header_->colourType == png::kPalette)
        applyPaletteAlpha();
    else if (!transparentSamples_.empty() && !keysTransparencyExactly())
        bitmap_.setTransparentColour(transparentColour());
}

void PngReadStream::applyPaletteAlpha() {
    std::array<std::uint8_t, 256> alphaOf;
    alphaOf.fill(255);
    const std::size_t count = std::min(paletteAlpha_.size(), palette_.size());
    std::copy_n(paletteAlpha_.begin(), count, alphaOf.begin());
    if (std::all_of(alphaOf.begin(), alphaOf.end(), [](std::uint8_t a) { return a == 255; }))
        return;
    bitmap_.createAlpha();
    for (int y = 0; y < bitmap_.height(); ++y)
        png::LookUpIndices(bitmap_.row(y), std::uint32_t(bitmap_.width()), bitmap_.bitsPerPixel(),
                           alphaOf.data(), bitmap_.alphaRow(y));
}

} // namespace lumadex
