#include "search/full_search.h"

#include "search/match_finder.h"

#include <memory>
#include <vector>

namespace lumadex {
namespace {

constexpr int kProgressInterval = 256;

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
                        FullSearchObserver& observer) {
    observer.ClearReferenceList();
    const std::unique_ptr<MatchFinder> finder =
        MakeMatchFinder(catalogue, settings.options, settings.method);
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
        if (settings.allowRobustOperation && observer.ShouldStop()) {
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
