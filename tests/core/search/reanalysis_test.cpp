#include "catalogue/signature.h"
#include "core/catalogue/test_pictures.h"
#include "search/reanalysis.h"

#include <gtest/gtest.h>
#include <limits>

namespace lumadex {
namespace {

TEST(ReanalysisTest, PathIsTheHintUpToItsFirstParenthesis) {
    EXPECT_EQ(PathFromPreviewHint(u"/p/a.jpg:(640x480)"), "/p/a.jpg");
    EXPECT_EQ(PathFromPreviewHint(u"/p/a:(b).jpg:(640x480)"), "/p/a");
    EXPECT_EQ(PathFromPreviewHint(u"/p/a.jpg"), "/p/a.jpg");
    EXPECT_EQ(PathFromPreviewHint(u""), "");
}

TEST(ReanalysisTest, FilesUnder1024BytesAreRefused) {
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", 1023), "File is too small,/p/a.jpg");
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", 1024), "");
    EXPECT_EQ(ReanalysisSizeProblem("/p/a.jpg", -1), "File is too small,/p/a.jpg");
}

Bitmap Split(int width, int height, bool darkLeft) {
    return test::PaintedPicture(width, height, [&](int x, int) {
        return test::Grey((x < width / 2) == darkLeft ? 10 : 240);
    });
}

Pdata GroupedRecordWithRegion(const Bitmap& picture) {
    Pdata record(QStringLiteral("/p/a.jpg"));
    EXPECT_NE(ComputeSignature(picture, record, false, 0, 0, 0, 0), -1);
    record.mismatchId = 12;
    record.fileSize = 2000;
    record.fileTime = 100;
    record.AddSubIndex(1, 2, 0, 0, 16, 16);
    return record;
}

TEST(ReanalysisTest, ChangedSignatureDropsTheGroupAndTheRegions) {
    Pdata record = GroupedRecordWithRegion(Split(64, 64, true));
    const std::uint32_t oldBits = record.signatureBits;
    const ReanalysisResult result = ReanalyseRecord(record, Split(64, 64, false), 3000, 200);
    EXPECT_TRUE(result.done());
    EXPECT_TRUE(result.signatureChanged);
    EXPECT_NE(record.signatureBits, oldBits);
    EXPECT_EQ(record.mismatchId, 0);
    EXPECT_EQ(record.SubIndexCount(), 0);
    EXPECT_EQ(record.fileSize, 3000);
    EXPECT_EQ(record.fileTime, 200);
}

TEST(ReanalysisTest, UnchangedSignatureKeepsTheGroupAndTheRegions) {
    Pdata record = GroupedRecordWithRegion(Split(64, 64, true));
    const ReanalysisResult result =
        ReanalyseRecord(record, Split(64, 64, true), std::int64_t(1) << 40, 300);
    EXPECT_TRUE(result.done());
    EXPECT_FALSE(result.signatureChanged);
    EXPECT_EQ(record.mismatchId, 12);
    EXPECT_EQ(record.SubIndexCount(), 1);
    EXPECT_EQ(record.fileSize, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(record.fileTime, 300);
}

TEST(ReanalysisTest, PictureTooSmallToSignLeavesTheRecordAsItWas) {
    Pdata record = GroupedRecordWithRegion(Split(64, 64, true));
    const std::uint32_t oldBits = record.signatureBits;
    const ReanalysisResult result = ReanalyseRecord(record, Split(15, 64, false), 3000, 200);
    EXPECT_EQ(result.failure, "ReAnalyze failed.");
    EXPECT_EQ(record.signatureBits, oldBits);
    EXPECT_EQ(record.mismatchId, 12);
    EXPECT_EQ(record.fileSize, 2000);
    EXPECT_EQ(record.fileTime, 100);
}

} // namespace
} // namespace lumadex
