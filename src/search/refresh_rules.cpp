#include "search/refresh_rules.h"

#include <algorithm>

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

bool RefreshResetsDataFilter(int dataFilterIndex) {
    return dataFilterIndex > 1;
}

QString ReferenceCountText(int listed, int total) {
    return QString::number(listed) + "/" + QString::number(total);
}

int ListEveryRecord(Catalogue& catalogue, ListEveryRecordObserver& observer, int longestKeyLength) {
    for (int i = 0; i < catalogue.count(); ++i) {
        Pdata& record = catalogue.at(i);
        observer.RecordListed(record);
        longestKeyLength = std::max(longestKeyLength, int(record.fileName.toUpper().size()));
        if (i % 256 == 0)
            observer.ShowProgress(i);
    }
    return longestKeyLength;
}

FirstColumnWidth FirstColumnWidthFor(int charWidth, int longestKeyLength, int clientWidth) {
    const long long wanted = static_cast<long long>(charWidth) * longestKeyLength;
    if (wanted > clientWidth)
        return {int(std::min<long long>(wanted, 0x7FFFFFFF)), true};
    return {clientWidth, false};
}

} // namespace lumadex
