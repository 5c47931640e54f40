#include "catalogue/signature.h"
#include "core/catalogue/test_pictures.h"
#include "search/reanalysis.h"

#include <gtest/gtest.h>
#include <limits>

namespace lumadex {
namespace {

TEST(ReanalysisTest, HintPathAndFileSizeRules) {
    EXPECT_EQ(PathFromPreviewHint(u"/p/a.jpg:(640x480)"), "/p/a.jpg");
    EXPECT_EQ(PathFromPreviewHint(u"/p/a:(b).jpg:(640x480)"), "/p/a");
    EXPECT_EQ(PathFromPreviewHint(u"/p/a.jpg"), "/p/a.jpg");
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", 1023), "File is too small,/p/a.jpg");
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", 1024), "");
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", -1), "File is too small,/p/a.jpg");
}

Bitmap Split(int width, bool darkLeft) {
    return test::PaintedPicture(
        width, 64, [&](int x, int) { return test::Grey((x < width / 2) == darkLeft ? 10 : 240); });
}

// The record of a dark-left picture, in mismatch group 12 with one region, 2000 bytes at time
// 100, analysed again from another picture.
TEST(ReanalysisTest, AChangedSignatureDropsTheGroupAndTheRegions) {
    const struct {
        const char* name;
        Bitmap picture;
        std::int64_t fileSize;
        QString failure;
        bool changed;
        std::uint16_t mismatchId;
        int regions;
        std::int32_t storedSize, storedTime;
    } rows[] = {{"changed", Split(64, false), 3000, "", true, 0, 0, 3000, 200},
                {"unchanged, size beyond 32 bits", Split(64, true), std::int64_t(1) << 40, "",
                 false, 12, 1, std::numeric_limits<std::int32_t>::max(), 200},
                {"too narrow to sign", Split(15, false), 3000, "ReAnalyze failed.", false, 12, 1,
                 2000, 100}};
    for (const auto& row : rows) {
        Pdata record(QStringLiteral("/p/a.jpg"));
        ASSERT_NE(ComputeSignature(Split(64, true), record, false, 0, 0, 0, 0), -1);
        const std::uint32_t oldBits = record.signatureBits;
        record.mismatchId = 12;
        record.fileSize = 2000;
        record.fileTime = 100;
        record.AddSubIndex(1, 2, 0, 0, 16, 16);
        const ReanalysisResult result = ReanalyseRecord(record, row.picture, row.fileSize, 200);
        EXPECT_EQ(result.failure, row.failure) << row.name;
        EXPECT_EQ(result.signatureChanged, row.changed) << row.name;
        EXPECT_EQ(record.signatureBits != oldBits, row.changed) << row.name;
        EXPECT_EQ(record.mismatchId, row.mismatchId) << row.name;
        EXPECT_EQ(record.SubIndexCount(), row.regions) << row.name;
        EXPECT_EQ(record.fileSize, row.storedSize) << row.name;
        EXPECT_EQ(record.fileTime, row.storedTime) << row.name;
    }
}

} // namespace
} // namespace lumadex
