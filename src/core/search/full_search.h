#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"
#include "progress/work_progress.h"
#include "search/search_options.h"

#include <QString>

namespace lumadex {

// How the full search finds each record's later matches. Both ways list the same records in
// the same order.
enum class SearchMethod {
    Automatic, // the index where it pays (PlanIndex, IndexPays), else the scan
    Scan,      // compare each searched record with every later one
    Index,     // look the matches up in a SimilarityIndex, whatever the options
};

struct FullSearchSettings {
    SearchOptions options;
    bool allowRobustOperation = true; // a safe point once per record, where the search may stop
    bool useSubIndex = true;          // search the regions of pictures without a whole match
    SearchMethod method = SearchMethod::Automatic;
};

// Where the full search stands: records listed so far, the record reached and the total.
struct FullSearchProgress {
    int found = 0;
    int index = 0;
    int count = 0;

    friend bool operator==(const FullSearchProgress&, const FullSearchProgress&) = default;
};

// The progress status text, such as "12 Files found:(256/1000)".
QString FullSearchStatusText(const FullSearchProgress& progress);

// Result status texts shown when the search is stopped.
inline constexpr char kStopWaitText[] = "Wait a moment...";
inline constexpr char kStopDoneText[] = "Abort";

// Follows the full search. The window adapts it to its lists and status bars.
class FullSearchObserver : public WorkProgress {
public:
    // The search starts: the Reference list is emptied.
    virtual void ClearReferenceList() {}
    // The record joins the Reference list; the window shows it at once.
    virtual void RecordListed(Pdata& /*record*/) {}
    // Every 256 records and after each listing (FullSearchStatusText gives the text).
    virtual void ShowProgress(const FullSearchProgress& /*progress*/) {}
    // A result status text (kStopWaitText, kStopDoneText).
    virtual void ShowResult(const QString& /*text*/) {}
    // Read before a record's regions are searched: they are only while this holds.
    virtual bool TargetListEmpty() const { return true; }
};

// Lists every picture that has a similar picture, in catalogue order, and returns how many.
//
// Each record not yet found is compared with the records after it; it is listed when it
// matches one of them, and every record it matches is marked found (groupNo := its index) and
// listed without being searched when the scan reaches it. So of A ~ B and B ~ C only A and B
// are listed. A record without whole-picture matches is also listed when one of its regions
// matches another record (useSubIndex, while the Target list is empty).
//
// While robust operation is allowed, the observer's ShouldStop is asked before each record; when
// it answers true, the search ends with "Wait a moment..." and "Abort", the records listed so
// far stay listed and every groupNo is -1 again, as it is after a complete search. The
// catalogue and the records' words must not change while the search runs.
int ListSimilarPictures(Catalogue& catalogue, const FullSearchSettings& settings,
                        FullSearchObserver& observer);

} // namespace lumadex
