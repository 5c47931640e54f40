#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"

#include <QString>

namespace lumadex {

// What selecting a reference does, by the "Disable Reference" and "Disable Auto Refresh"
// switches.
enum class ReferenceSearchStep {
    Nothing,      // the reference search is disabled
    RefreshLists, // auto refresh is on: both lists are rebuilt instead
    FindMatches,  // the Target list is refilled with the reference's matches
};
ReferenceSearchStep ReferenceSearchStepFor(bool disableAutoFind, bool notUpdateListAtAction);

// What the refresh command does, by the data filter's item.
struct RefindStep {
    bool runFilterSearch = false;    // run the data filter's search and show the title again
    bool clearSearchChanged = false; // the search options' change has been taken into account
};
// dataFilterIndex 0 is "All", 1 "Has Similar Pics"; searchChanged is set when a search option
// changed since the last search.
RefindStep RefindStepFor(int dataFilterIndex, bool searchChanged, bool stopRequested);

// A refresh while the data filter stands at a memo item lists every record under "All".
bool RefreshResetsDataFilter(int dataFilterIndex);

// "listed/total" for the reference count panel.
QString ReferenceCountText(int listed, int total);

inline constexpr char kUpdateListDoneText[] = "Update List Done.";
inline constexpr char kListupAbortedText[] = "Something wrong. Listup aborted.";

// Follows the listing of every record.
class ListEveryRecordObserver {
public:
    virtual ~ListEveryRecordObserver() = default;
    virtual void RecordListed(Pdata& /*record*/) {}
    // Every 256 records, with the number of records listed before it.
    virtual void ShowProgress(int /*position*/) {}
};

// Lists every catalogue record in catalogue order. Returns the longest catalogue key (the
// upper-case path) seen, starting from longestKeyLength.
int ListEveryRecord(Catalogue& catalogue, ListEveryRecordObserver& observer, int longestKeyLength);

// Width of the lists' first column: wide enough for the longest key in characters of charWidth
// when that exceeds the client width (then both lists get it), else the client width (then
// only the Reference list).
struct FirstColumnWidth {
    int width = 0;
    bool bothLists = false;
};
FirstColumnWidth FirstColumnWidthFor(int charWidth, int longestKeyLength, int clientWidth);

} // namespace lumadex
