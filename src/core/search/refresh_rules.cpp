#include "search/refresh_rules.h"

namespace lumadex {

ReferenceSearchStep ReferenceSearchStepFor(bool disableAutoFind, bool notUpdateListAtAction) {
    if (disableAutoFind)
        return ReferenceSearchStep::Nothing;
    if (!notUpdateListAtAction)
        return ReferenceSearchStep::RefreshLists;
    return ReferenceSearchStep::FindMatches;
}

RefindStep RefindStepFor(int dataFilterIndex, bool searchChanged, bool stopRequested) {
    if (dataFilterIndex == 0)
        return {true, false};
    if (dataFilterIndex == 1 && (searchChanged || stopRequested))
        return {true, true};
    return {false, false};
}

QString ReferenceCountText(int listed, int total) {
    return QString::number(listed) + "/" + QString::number(total);
}

} // namespace lumadex
