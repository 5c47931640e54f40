#pragma once

#include "codecs/bitmap.h"
#include "codecs/decode_status.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace lumadex {

// Picture files larger than this are not read (the records keep sizes as i32).
constexpr std::int64_t kMaxPictureFileBytes = 0x7FFFFFFF;

// A picture file read into memory, as the decoders of a PictureLoader see it.
struct PictureFile {
    QStringView path;
    QStringView upperExtension; // ".PNG"; empty when the name has no extension
    std::span<const std::uint8_t> bytes;
};

// Decodes the file into out (at most maxDimension pixels wide and high) and returns the
// outcome, or returns nothing when it does not take files of this kind so that the next
// decoder is asked.
using PictureDecoder = std::function<std::optional<DecodeStatus>(const PictureFile& file,
                                                                 Bitmap& out, int maxDimension)>;

// Turns picture files into bitmaps through an ordered list of decoders; the first decoder that
// takes a file decides its outcome.
class PictureLoader {
public:
    // Puts a decoder before all others (a plug-in loader that takes over every file).
    void AddFirst(PictureDecoder decoder);
    void AddLast(PictureDecoder decoder);

    // Reads the file once and decodes it. Failed when the path is not a readable regular file,
    // is larger than kMaxPictureFileBytes, no decoder takes it or decoding fails; BadDimensions
    // when its picture is 0 or more than maxDimension pixels wide or high. Leaves out empty
    // unless the result is Ok. Never throws.
    DecodeStatus LoadPicture(const QString& path, Bitmap& out,
                             int maxDimension = kMaxPictureDimension) const;
    // Decodes a file already in memory, with the same rules.
    DecodeStatus Decode(const PictureFile& file, Bitmap& out,
                        int maxDimension = kMaxPictureDimension) const;

private:
    std::vector<PictureDecoder> decoders_;
};

// A format reader over a whole file in memory, such as ReadJpeg.
using FormatReader = DecodeStatus (*)(std::span<const std::uint8_t> file, Bitmap& out,
                                      int maxDimension);

// A decoder for files whose upper-cased extension is extension (".PNG").
PictureDecoder DecoderForExtension(QString extension, FormatReader read);
// A decoder that takes every file.
PictureDecoder DecoderForAnyFile(FormatReader read);

// The built-in decoders: ".PNG" files as PNG, ".BMP" files as BMP, any other file as JPEG (the
// JPEG reader refuses other content, so a ".gif" fails).
PictureLoader NativePictureLoader();

} // namespace lumadex
