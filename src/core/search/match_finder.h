#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"
#include "search/full_search.h"
#include "search/search_options.h"

#include <memory>
#include <vector>

namespace lumadex {

// Finds the matches the full search needs for record i, by scanning or through an index. The
// catalogue must not change while a finder is used.
class MatchFinder {
public:
    virtual ~MatchFinder() = default;
    // Appends the indices j > i of the records similar to record i, in any order.
    virtual void LaterMatches(int i, const Pdata& record, std::vector<int>& matches) = 0;
    // Whether the region's signature matches any record but record i itself, under the group,
    // size and folder of record i.
    virtual bool RegionMatchesAnother(int i, const Pdata& record, const SubIndexEntry& region) = 0;
};

// The scan or, as the method says or where it pays, an index built over the catalogue now.
std::unique_ptr<MatchFinder> MakeMatchFinder(const Catalogue& catalogue,
                                             const SearchOptions& options, SearchMethod method);

} // namespace lumadex
