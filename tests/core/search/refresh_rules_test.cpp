#include "search/refresh_rules.h"

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

} // namespace
} // namespace lumadex
