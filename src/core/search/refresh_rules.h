#pragma once

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

// "listed/total" for the reference count panel.
QString ReferenceCountText(int listed, int total);

inline constexpr char kUpdateListDoneText[] = "Update List Done.";
inline constexpr char kListupAbortedText[] = "Something wrong. Listup aborted.";

} // namespace lumadex
