#include "catalogue/picture_preparation.h"

#include "catalogue/signature.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace lumadex {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

PreparedPicture Failure(const char* reason, const QString& path) {
    PreparedPicture refused;
    refused.failure = QLatin1String(reason) + path;
    return refused;
}

} // namespace

PreparedPicture PreparePicture(const QString& path, const PictureLoader& loader) {
    const QFileInfo info(path);
    if (!info.isFile())
        return Failure("Read failed,", path);
    if (info.size() < kMinimumPictureFileBytes)
        return Failure("File is too small,", path);

    PreparedPicture picture;
    switch (loader.LoadPicture(path, picture.bitmap)) {
    case DecodeStatus::Ok:
        break;
    case DecodeStatus::Failed:
        return Failure("Read failed,", path);
    case DecodeStatus::BadDimensions:
        return Failure("File read failed,", path);
    }
    if (picture.bitmap.width() < kMinimumSignatureExtent ||
        picture.bitmap.height() < kMinimumSignatureExtent)
        return Failure("Cant analyze,", path);

    picture.fileSize = ClampToInt32(info.size());
    const QDateTime modified = info.lastModified();
    picture.fileTime = modified.isValid() ? ClampToInt32(modified.toSecsSinceEpoch()) : kUnknown;
    return picture;
}

} // namespace lumadex
