#include "core/search/search_fixtures.h"
#include "search/folder_key.h"
#include "search/similarity.h"
#include "search/similarity_scan.h"

#include <gtest/gtest.h>
#include <limits>

namespace lumadex {
namespace {

using test::AddPicture;
using test::LowBits;
using test::LowCells;

constexpr std::uint32_t kBits = 0x5A5A1234u;
constexpr std::uint32_t kLevels = 0x9C3F0A55u;

SearchOptions Options(bool notStrict, int looseness, bool doubleCheck, int levelTolerance) {
    SearchOptions options;
    options.notStrict = notStrict;
    options.looseness = looseness;
    options.doubleCheck = doubleCheck;
    options.levelTolerance = levelTolerance;
    return options;
}

struct SignatureRow {
    SearchOptions options;
    std::uint32_t bitsFlip;
    std::uint32_t levelsFlip;
    bool similar;
};

TEST(SimilarityTest, SignatureDecisionFollowsLoosenessLevelsAndStrictness) {
    const SearchOptions defaults; // not strict, looseness 8, double check, tolerance 2
    const SearchOptions oneCell = Options(true, 8, true, 1);
    const SearchOptions noLevels = Options(true, 4, false, 0);
    const SearchOptions strict = Options(false, 8, true, 2);
    const SearchOptions strictNoLevels = Options(false, 8, false, 2);
    // Bits and cells up to their limits, a cell counting once whichever of its bits differ; without
    // the double check the levels are ignored, the bits still limited; strict wants equal words.
    const SignatureRow rows[] = {{defaults, LowBits(8), LowCells(2), true},
                                 {defaults, LowBits(9), 0, false},
                                 {defaults, 0, LowCells(3), false},
                                 {oneCell, 0, 0x3u, true},
                                 {oneCell, 0, 0x6u, false},
                                 {Options(true, 8, true, 0), 0, LowCells(1), false},
                                 {noLevels, LowBits(4), 0xFFFFFFFFu, true},
                                 {noLevels, LowBits(5), 0, false},
                                 {strict, 0, 0, true},
                                 {strict, LowBits(1), 0, false},
                                 {strict, 0, LowCells(1), false},
                                 {strictNoLevels, 0, 0xFFFFFFFFu, true},
                                 {strictNoLevels, 1u, 0, false}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const SignatureRow& row = rows[i];
        const SimilarityTest test(row.options, {kBits, kLevels, 0, kUnknown, {}});
        EXPECT_EQ(test.SignatureMatches(kBits ^ row.bitsFlip, kLevels ^ row.levelsFlip),
                  row.similar)
            << "row " << i;
    }
}

TEST(SimilarityTest, SizePercentageIsExactAtTheExtremes) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(SizePercentage(1209, 1000), 120);
    EXPECT_EQ(SizePercentage(5000, kUnknown), -500000) << "unknown reference: -100 x candidate";
    EXPECT_EQ(SizePercentage(kMax, 1), std::int64_t(kMax) * 100);
    EXPECT_EQ(SizePercentage(kMin, -1), -(std::int64_t(kMin) * 100));
    EXPECT_EQ(SizePercentage(kMin, kMax), -100) << "truncates toward zero";
    EXPECT_EQ(SizePercentage(123, 0), std::nullopt);
}

TEST(SimilarityTest, SizeCheckKeepsCandidatesWithinTheRange) {
    // 80 % to 120 % at range 2, 103 % of large sizes only from range 1; range 0 wants equal
    // sizes; an unknown size passes only beside another unknown one; size 0 never at a range.
    const struct {
        int range;
        std::int32_t reference, candidate;
        bool passes;
    } rows[] = {{2, 1000, 1209, true},
                {2, 1000, 1210, false},
                {2, 1000, 800, true},
                {2, 1000, 799, false},
                {0, 29'000'000, 30'000'000, false},
                {1, 29'000'000, 30'000'000, true},
                {0, 1000, 1000, true},
                {0, 1000, 1001, false},
                {0, 0, 0, true},
                {5, kUnknown, kUnknown, true},
                {9, kUnknown, 1000, false},
                {9, 1000, kUnknown, false},
                {9, 0, 0, false}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SearchOptions options;
        options.sizeCheck = true;
        options.sizeRange = rows[i].range;
        const SimilarityTest test(options, {kBits, kLevels, 0, rows[i].reference, {}});
        Pdata candidate(QStringLiteral("/c.jpg"));
        candidate.fileSize = rows[i].candidate;
        EXPECT_EQ(test.GroupSizeAndFolderPass(candidate), rows[i].passes) << "row " << i;
    }
}

TEST(SimilarityTest, ComparableFolderIsTheLowerCaseFolderKeepingTheRootSeparator) {
    EXPECT_EQ(ComparableFolder(u"/Pics/Sub/c.jpg"), "/pics/sub");
    EXPECT_EQ(ComparableFolder(u"/a.jpg"), "/");
    EXPECT_EQ(ComparableFolder(u"Clipboard"), "");
    EXPECT_EQ(ComparableFolder(QString::fromUtf8("/Ä/Ö.jpg")), QString::fromUtf8("/ä"));
}

TEST(SimilarityTest, GroupAndFolderExclusionsApplyWhateverTheSignatures) {
    SearchOptions options;
    options.excludeSameFolder = true;
    const SimilarityTest test(options, {kBits, kLevels, 7, kUnknown, "/pics"});
    const struct {
        const char* path;
        std::uint16_t mismatchId;
        bool passes;
    } rows[] = {{"/Pics/b.jpg", 0, false},  {"/PICS/c.jpg", 3, false}, {"/Pics/Sub/c.jpg", 0, true},
                {"/other/d.jpg", 7, false}, {"/other/e.jpg", 6, true}, {"/picsx/f.jpg", 0, true}};
    for (const auto& row : rows) {
        Pdata candidate(QString::fromLatin1(row.path));
        candidate.signatureBits = kBits;
        candidate.signatureLevels = kLevels;
        candidate.mismatchId = row.mismatchId;
        EXPECT_EQ(test.Matches(candidate), row.passes) << row.path;
    }

    const SimilarityTest ungrouped(SearchOptions(), {kBits, kLevels, 0, kUnknown, {}});
    Pdata candidate(QStringLiteral("/pics/g.jpg"));
    candidate.signatureBits = kBits;
    candidate.signatureLevels = kLevels;
    EXPECT_TRUE(ungrouped.Matches(candidate)) << "group 0 excludes nobody, even group 0";
}

TEST(SimilarityScanTest, NextMatchWalksTheCatalogueFromTheStartByTheStep) {
    Catalogue catalogue;
    AddPicture(catalogue, "/p/0.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/1.jpg", ~kBits, kLevels);
    AddPicture(catalogue, "/p/2.jpg", kBits ^ 1u, kLevels);
    AddPicture(catalogue, "/p/3.jpg", kBits, kLevels);
    const SimilarityScan scan(catalogue, SearchOptions());
    const auto next = [&](int start, int step) {
        return scan.NextMatch(start, step, kUnknown, 0, kLevels, kBits);
    };
    EXPECT_EQ(next(-1, 1), 0);
    EXPECT_EQ(next(0, 1), 2);
    EXPECT_EQ(next(3, 1), -1) << "start at the last entry";
    EXPECT_EQ(next(4, -1), 3);
    EXPECT_EQ(next(-1, 2), 3) << "indices 1 and 3: 1 differs, 3 matches";
    EXPECT_EQ(next(-1, 0), -1) << "a step of 0 would never end";
    EXPECT_EQ(next(std::numeric_limits<int>::max() - 1, std::numeric_limits<int>::max()), -1);
}

} // namespace
} // namespace lumadex
