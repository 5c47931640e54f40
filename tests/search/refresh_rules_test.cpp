#include "search/refresh_rules.h"
#include "search/search_fixtures.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(RefreshRulesTest, RefreshRunsTheFilterSearchForAllAndForChangedSimilarSearches) {
    const struct {
        int filter;
        bool searchChanged;
        bool stopped;
        bool filterSearch;
        bool clearsChange;
    } rows[] = {
        {0, false, false, true, false},  {0, true, false, true, false},
        {1, false, false, false, false}, {1, true, false, true, true},
        {1, false, true, true, true},    {2, true, true, false, false},
        {7, false, false, false, false},
    };
    for (const auto& row : rows) {
        const RefindStep step = RefindStepFor(row.filter, row.searchChanged, row.stopped);
        EXPECT_EQ(step.runFilterSearch, row.filterSearch) << "filter " << row.filter;
        EXPECT_EQ(step.clearSearchChanged, row.clearsChange) << "filter " << row.filter;
    }
}

class CountingListObserver : public ListEveryRecordObserver {
public:
    int listed = 0;
    std::vector<int> positions;
    void RecordListed(Pdata&) override { ++listed; }
    void ShowProgress(int position) override { positions.push_back(position); }
};

TEST(RefreshRulesTest, ListingEveryRecordMovesTheBarEvery256AndTracksTheLongestKey) {
    Catalogue catalogue;
    for (int i = 0; i < 600; ++i)
        test::AddPicture(catalogue, QString("/p/%1.jpg").arg(i), 0, 0);
    test::AddPicture(catalogue, QString::fromUtf8("/p/stra\u00dfe.jpg"), 0, 0);
    CountingListObserver observer;
    EXPECT_EQ(ListEveryRecord(catalogue, observer, 3), 14) << "upper case of \u00df is SS";
    EXPECT_EQ(observer.listed, 601);
    EXPECT_EQ(observer.positions, (std::vector<int>{0, 256, 512}));
    EXPECT_EQ(ListEveryRecord(catalogue, observer, 40), 40) << "the longest seen so far stays";
}

} // namespace
} // namespace lumadex
