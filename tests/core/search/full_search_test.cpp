#include "core/search/search_fixtures.h"
#include "search/full_search.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::AddPicture;
using test::LowBits;
using test::LowCells;
using test::RecordingObserver;

constexpr std::uint32_t kBits = 0x0F0F3C3Cu;
constexpr std::uint32_t kLevels = 0x6B2D91E4u;

// Every test runs with the scan and with the index: both must behave the same.
class FullSearchTest : public testing::TestWithParam<SearchMethod> {
protected:
    FullSearchSettings Settings() const {
        FullSearchSettings settings;
        settings.method = GetParam();
        return settings;
    }

    // Runs the search with the observer's record of earlier runs cleared.
    int Run(const FullSearchSettings& settings) {
        observer.events.clear();
        observer.listed.clear();
        observer.messageRuns = 0;
        return ListSimilarPictures(catalogue, settings, observer);
    }

    bool AllGroupNumbersCleared() const {
        for (int i = 0; i < catalogue.count(); ++i) {
            if (catalogue.at(i).groupNo != kUnknown)
                return false;
        }
        return true;
    }

    Catalogue catalogue;
    RecordingObserver observer;
};

TEST_P(FullSearchTest, ChainAToBToCListsOnlyAAndB) {
    // A ~ B (8 bits apart), B ~ C (8 other bits apart), A and C 16 bits apart.
    AddPicture(catalogue, "/p/a.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/b.jpg", kBits ^ LowBits(8), kLevels);
    AddPicture(catalogue, "/p/c.jpg", kBits ^ LowBits(16), kLevels);
    EXPECT_EQ(Run(Settings()), 2);
    EXPECT_EQ(observer.events, (QStringList{"clear", "status 0 Files found:(0/3)", "list /p/a.jpg",
                                            "status 1 Files found:(0/3)", "list /p/b.jpg",
                                            "status 2 Files found:(1/3)"}));
}

TEST_P(FullSearchTest, StatusEvery256RecordsAndAtEachListing) {
    for (int i = 0; i < 600; ++i) {
        const auto bits = std::uint32_t(i) * 0x9E3779B1u;
        AddPicture(catalogue, QString("/p/%1.jpg").arg(i, 4, 10, QChar('0')), bits, ~bits);
    }
    AddPicture(catalogue, "/p/0300b.jpg", 300u * 0x9E3779B1u, ~(300u * 0x9E3779B1u));
    FullSearchSettings settings = Settings();
    settings.options.notStrict = false;
    EXPECT_EQ(Run(settings), 2);
    EXPECT_EQ(
        observer.events,
        (QStringList{"clear", "status 0 Files found:(0/601)", "status 0 Files found:(256/601)",
                     "list /p/0300.jpg", "status 1 Files found:(300/601)", "list /p/0300b.jpg",
                     "status 2 Files found:(301/601)", "status 2 Files found:(512/601)"}));
    EXPECT_EQ(observer.messageRuns, 601);
}

TEST_P(FullSearchTest, StopEndsWithAbortKeepsTheListedAndClearsEveryGroupNumber) {
    AddPicture(catalogue, "/p/a.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/b.jpg", ~kBits, kLevels);
    AddPicture(catalogue, "/p/c.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/d.jpg", ~kBits, kLevels);
    observer.stopAtMessageRun = 1; // pressed while record 1 lets messages run
    EXPECT_EQ(Run(Settings()), 1);
    EXPECT_EQ(observer.events, (QStringList{"clear", "status 0 Files found:(0/4)", "list /p/a.jpg",
                                            "status 1 Files found:(0/4)", "result Wait a moment...",
                                            "result Abort"}));
    EXPECT_TRUE(AllGroupNumbersCleared()) << "c was marked found by a but never reached";
}

TEST_P(FullSearchTest, RegionMatchListsAPictureWithoutWholeMatches) {
    AddPicture(catalogue, "/p/a.jpg", kBits, kLevels);
    Pdata& b = AddPicture(catalogue, "/p/b.jpg", ~kBits, ~kLevels);
    b.AddSubIndex(kBits ^ LowBits(3), kLevels, 0, 0, 10, 10);
    AddPicture(catalogue, "/p/c.jpg", 0x12345678u, 0x0u);

    EXPECT_EQ(Run(Settings()), 1);
    EXPECT_EQ(observer.listed, QStringList{"/p/b.jpg"}) << "a, matched by a region, is not";

    observer.targetListEmpty = false;
    EXPECT_EQ(Run(Settings()), 0) << "regions are searched only while the Target list is empty";

    FullSearchSettings settings = Settings();
    settings.useSubIndex = false;
    observer.targetListEmpty = true;
    EXPECT_EQ(Run(settings), 0);
}

INSTANTIATE_TEST_SUITE_P(BothMethods, FullSearchTest,
                         testing::Values(SearchMethod::Scan, SearchMethod::Index),
                         [](const testing::TestParamInfo<SearchMethod>& info) {
                             return info.param == SearchMethod::Scan ? "Scan" : "Index";
                         });

TEST_P(FullSearchTest, MismatchGroupSizeAndFolderExclusionsHoldInTheFullSearch) {
    Pdata& a = AddPicture(catalogue, "/p/a.jpg", kBits, kLevels, 1000, 5);
    AddPicture(catalogue, "/p/b.jpg", kBits, kLevels, 1000, 5);
    AddPicture(catalogue, "/P/c.jpg", kBits ^ LowBits(2), kLevels ^ LowCells(1), 1100, 5);
    AddPicture(catalogue, "/q/d.jpg", ~kBits, kLevels, 1000, 0);
    EXPECT_EQ(Run(Settings()), 0) << "a, b and c share group 5";

    a.mismatchId = 0;
    FullSearchSettings settings = Settings();
    settings.options.sizeCheck = true;
    settings.options.sizeRange = 1;
    EXPECT_EQ(Run(settings), 3) << "1100 bytes are 110 % of 1000";
    settings.options.sizeRange = 0;
    EXPECT_EQ(Run(settings), 2);
    EXPECT_EQ(observer.listed, (QStringList{"/p/a.jpg", "/p/b.jpg"}));

    settings = Settings();
    settings.options.excludeSameFolder = true;
    EXPECT_EQ(Run(settings), 0) << "a, b and c lie in one folder, whatever the case";
    AddPicture(catalogue, "/p/sub/e.jpg", kBits, kLevels);
    EXPECT_EQ(Run(settings), 4) << "the subfolder is another folder";
    EXPECT_EQ(observer.listed, (QStringList{"/p/a.jpg", "/p/b.jpg", "/P/c.jpg", "/p/sub/e.jpg"}));
}

} // namespace
} // namespace lumadex
