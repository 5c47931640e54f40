#pragma once

#include "catalogue/pdata.h"
#include "catalogue/picture_loader.h"
#include "codecs/bitmap.h"

#include <QString>
#include <cstdint>

namespace lumadex {

// Files smaller than this are not analysed.
constexpr std::int64_t kMinimumPictureFileBytes = 1024;

// A picture file checked and decoded for analysis, or the reason it cannot be analysed.
struct PreparedPicture {
    QString failure; // the message to report; empty when the picture is ready
    Bitmap bitmap;
    std::int32_t fileSize = kUnknown;
    std::int32_t fileTime = kUnknown; // seconds since 1970 UTC, clamped to the i32 range

    bool ready() const { return failure.isEmpty(); }
};

// Checks a file for analysis and decodes it, in this order:
//   missing or not a regular file                     "Read failed," + path
//   under 1024 bytes                                  "File is too small," + path
//   unreadable, no decoder takes it or decoding fails "Read failed," + path
//   0 or over 10000 pixels wide or high               "File read failed," + path
//   under 16 pixels wide or high                      "Cant analyze," + path
// On success the bitmap, size and modification time are filled in. The picture is decoded into
// the storage of reuse when it is large enough; the result's bitmap keeps that storage even on
// failure, so that a caller analysing many files can hand it back for the next one.
PreparedPicture PreparePicture(const QString& path, const PictureLoader& loader, Bitmap reuse = {});

} // namespace lumadex
