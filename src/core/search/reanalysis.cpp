#include "search/reanalysis.h"

#include "catalogue/picture_preparation.h"
#include "catalogue/signature.h"

#include <algorithm>
#include <limits>

namespace lumadex {

QString PathFromPreviewHint(QStringView hint) {
    const qsizetype end = hint.indexOf(u":(");
    return (end < 0 ? hint : hint.left(end)).toString();
}

QString ReanalysisSizeProblem(const QString& path, std::int64_t fileSize) {
    if (fileSize < kMinimumPictureFileBytes)
        return "File is too small," + path;
    return QString();
}

ReanalysisResult ReanalyseRecord(Pdata& record, const Bitmap& picture, std::int64_t fileSize,
                                 std::int32_t fileTime) {
    const std::uint32_t oldBits = record.signatureBits;
    const std::uint32_t oldLevels = record.signatureLevels;
    if (ComputeSignature(picture, record, false, 0, 0, 0, 0) == -1)
        return {QString::fromLatin1(kReanalysisFailedText), false};
    record.fileSize =
        std::int32_t(std::min<std::int64_t>(fileSize, std::numeric_limits<std::int32_t>::max()));
    record.fileTime = fileTime;
    const bool changed = record.signatureBits != oldBits || record.signatureLevels != oldLevels;
    if (changed) {
        record.mismatchId = 0;
        record.ClearSubIndex();
    }
    return {QString(), changed};
}

} // namespace lumadex
