#pragma once

#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"

#include <QLocale>

namespace lumadex {

// Gives every entry of the store the key of its record and sorts the store again: the same
// result as RecordListStore::Rekey, in a fraction of its time on long lists. Each key's
// collation is worked out once, so the sort compares prepared keys instead of collating two
// texts per comparison. locale must be the locale of the store's ListKeyOrder.
void ResortList(RecordListStore& store, SortKeyFunction keyOf, const QLocale& locale = QLocale());

} // namespace lumadex
