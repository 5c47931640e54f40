#include "search/match_finder.h"

#include "search/folder_key.h"
#include "search/index_plan.h"
#include "search/similarity.h"
#include "search/similarity_index.h"
#include "search/similarity_scan.h"

namespace lumadex {
namespace {

class ScanFinder : public MatchFinder {
public:
    ScanFinder(const Catalogue& catalogue, const SearchOptions& options)
        : scan_(catalogue, options) {}

    void LaterMatches(int i, const Pdata& record, std::vector<int>& matches) override {
        for (int j = scan_.FindNextSimilar(i - 1, 1, record); j != -1;
             j = scan_.NextMatch(j, 1, record.fileSize, record.mismatchId, record.signatureLevels,
                                 record.signatureBits)) {
            if (j != i)
                matches.push_back(j);
        }
    }

    bool RegionMatchesAnother(int i, const Pdata& record, const SubIndexEntry& region) override {
        scan_.SetReferenceFolder(record);
        for (int j = scan_.NextMatch(-1, 1, record.fileSize, record.mismatchId, region.levels,
                                     region.bits);
             j != -1; j = scan_.NextMatch(j, 1, record.fileSize, record.mismatchId, region.levels,
                                          region.bits)) {
            if (j != i)
                return true;
        }
        return false;
    }

private:
    SimilarityScan scan_;
};

class IndexFinder : public MatchFinder {
public:
    IndexFinder(const Catalogue& catalogue, const SearchOptions& options)
        : catalogue_(catalogue), options_(options), index_(catalogue, PlanIndex(options)) {}

    void LaterMatches(int i, const Pdata& record, std::vector<int>& matches) override {
        const SimilarityTest test(
            options_, ReferenceOf(record, record.signatureBits, record.signatureLevels));
        if (test.findsNothing())
            return;
        index_.ForEachCandidate(record.signatureBits, record.signatureLevels, i, [&](int j) {
            if (Passes(test, j))
                matches.push_back(j);
            return true;
        });
    }

    bool RegionMatchesAnother(int i, const Pdata& record, const SubIndexEntry& region) override {
        const SimilarityTest test(options_, ReferenceOf(record, region.bits, region.levels));
        if (test.findsNothing())
            return false;
        return !index_.ForEachCandidate(region.bits, region.levels, -1,
                                        [&](int j) { return j == i || !Passes(test, j); });
    }

private:
    SearchReference ReferenceOf(const Pdata& record, std::uint32_t bits,
                                std::uint32_t levels) const {
        QString folder;
        if (options_.excludeSameFolder)
            folder = ComparableFolder(record.fileName);
        return {bits, levels, record.mismatchId, record.fileSize, std::move(folder)};
    }

    bool Passes(const SimilarityTest& test, int j) const {
        return test.SignatureMatches(index_.bitsAt(j), index_.levelsAt(j)) &&
               test.GroupSizeAndFolderPass(catalogue_.at(j));
    }

    const Catalogue& catalogue_;
    SearchOptions options_;
    SimilarityIndex index_;
};

} // namespace

std::unique_ptr<MatchFinder> MakeMatchFinder(const Catalogue& catalogue,
                                             const SearchOptions& options, SearchMethod method) {
    bool useIndex = method == SearchMethod::Index;
    if (method == SearchMethod::Automatic)
        useIndex = IndexPays(PlanIndex(options), catalogue.count());
    if (useIndex)
        return std::make_unique<IndexFinder>(catalogue, options);
    return std::make_unique<ScanFinder>(catalogue, options);
}

} // namespace lumadex
