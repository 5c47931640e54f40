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

PreparedPicture Failure(const char* reason, const QString& path, PreparedPicture&& picture) {
    picture.failure = QLatin1String(reason) + path;
    picture.bitmap.Clear();
    return std::move(picture);
}

} // namespace

PreparedPicture PreparePicture(const QString& path, const PictureLoader& loader, Bitmap reuse) {
    PreparedPicture picture;
    picture.bitmap = std::move(reuse);
    const QFileInfo info(path);
    if (!info.isFile())
        return Failure("Read failed,", path, std::move(picture));
    if (info.size() < kMinimumPictureFileBytes)
        return Failure("File is too small,", path, std::move(picture));

    switch (loader.LoadPicture(path, picture.bitmap)) {
    case DecodeStatus::Ok:
        break;
    case DecodeStatus::Failed:
        return Failure("Read failed,", path, std::move(picture));
    case DecodeStatus::BadDimensions:
        return Failure("File read failed,", path, std::move(picture));
    }
    if (picture.bitmap.width() < kMinimumSignatureExtent ||
        picture.bitmap.height() < kMinimumSignatureExtent)
        return Failure("Cant analyze,", path, std::move(picture));

    picture.fileSize = ClampToInt32(info.size());
    const QDateTime modified = info.lastModified();
    picture.fileTime = modified.isValid() ? ClampToInt32(modified.toSecsSinceEpoch()) : kUnknown;
    return picture;
}

} // namespace lumadex
