#include "search/full_search.h"

#include "search/folder_key.h"
#include "search/index_plan.h"
#include "search/similarity.h"
#include "search/similarity_index.h"
#include "search/similarity_scan.h"

#include <memory>
#include <vector>

namespace lumadex {
namespace {

constexpr int kProgressInterval = 256;

// Finds the matches the full search needs for record i.
class MatchFinder {
public:
    virtual ~MatchFinder() = default;
    // Appends the indices j > i of the records similar to record i, in any order.
    virtual void LaterMatches(int i, const Pdata& record, std::vector<int>& matches) = 0;
    // Whether the region's signature matches any record but record i itself.
    virtual bool RegionMatchesAnother(int i, const Pdata& record, const SubIndexEntry& region) = 0;
};

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

std::unique_ptr<MatchFinder> MakeFinder(const Catalogue& catalogue,
                                        const FullSearchSettings& settings) {
    bool useIndex = settings.method == SearchMethod::Index;
    if (settings.method == SearchMethod::Automatic)
        useIndex = IndexPays(PlanIndex(settings.options), catalogue.count());
    if (useIndex)
        return std::make_unique<IndexFinder>(catalogue, settings.options);
    return std::make_unique<ScanFinder>(catalogue, settings.options);
}

bool AnyRegionMatchesAnother(MatchFinder& finder, int i, const Pdata& record) {
    for (int e = 0; e < record.SubIndexCount(); ++e) {
        if (finder.RegionMatchesAnother(i, record, record.SubIndexAt(e)))
            return true;
    }
    return false;
}

} // namespace

QString FullSearchStatusText(const FullSearchProgress& progress) {
    return QString::number(progress.found) + " Files found:(" + QString::number(progress.index) +
           "/" + QString::number(progress.count) + ")";
}

int ListSimilarPictures(Catalogue& catalogue, const FullSearchSettings& settings,
                        bool& stopRequested, FullSearchObserver& observer) {
    stopRequested = false;
    observer.ClearReferenceList();
    const std::unique_ptr<MatchFinder> finder = MakeFinder(catalogue, settings);
    const int count = catalogue.count();
    int found = 0;
    std::vector<int> matches;
    for (int i = 0; i < count; ++i) {
        const auto list = [&](Pdata& record) {
            observer.RecordListed(record);
            ++found;
            observer.ShowProgress({found, i, count});
        };
        if (i % kProgressInterval == 0)
            observer.ShowProgress({found, i, count});
        if (settings.allowRobustOperation)
            observer.LetMessagesRun();
        if (stopRequested) {
            observer.ShowResult(kStopWaitText);
            for (int k = 0; k < count; ++k)
                catalogue.at(k).groupNo = kUnknown;
            observer.ShowResult(kStopDoneText);
            return found;
        }
        Pdata& record = catalogue.at(i);
        if (record.groupNo != kUnknown) {
            record.groupNo = kUnknown;
            list(record);
            continue;
        }
        matches.clear();
        finder->LaterMatches(i, record, matches);
        if (!matches.empty()) {
            list(record);
            for (int j : matches)
                catalogue.at(j).groupNo = i;
        } else if (settings.useSubIndex && record.SubIndexCount() > 0 &&
                   observer.TargetListEmpty() && AnyRegionMatchesAnother(*finder, i, record)) {
            list(record);
        }
    }
    return found;
}

} // namespace lumadex
