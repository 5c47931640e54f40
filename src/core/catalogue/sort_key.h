#pragma once

#include "catalogue/pdata.h"

#include <QString>
#include <QStringView>

namespace lumadex {

class OptionModel;

// The orders the Reference and Target lists can be sorted in; the values are the choice
// values of the sort radio buttons and the items of the sort combo box.
enum class SortMode {
    Name = 0,
    PathName = 1,
    Date = 2,
    Size = 3,
    Similarity = 4,
};

// Gives the sort key of a record; the lists compare keys with ListKeyOrder.
using SortKeyFunction = QString (*)(const Pdata& record);

// The name with its first run of decimal digits rewritten as a number of at least six digits,
// so that names sort in numeric order: "img7.jpg" -> "img000007.jpg", "a10b2" -> "a000010b2".
// Leading zeros of the run are dropped; a longer number keeps all its digits. A name without
// digits is returned unchanged.
QString NumberedName(QStringView name);

// The last component of a path, and everything before it (ending with its separator).
QStringView FileNameOf(QStringView path);
QStringView FolderOf(QStringView path);

// The key functions of the sort modes.
QString NameKey(const Pdata& record);
QString NumberedNameKey(const Pdata& record);
QString PathNameKey(const Pdata& record);
// The folder, one blank, then the numbered file name.
QString NumberedPathNameKey(const Pdata& record);
// Ten digits that put the newest file first; times before 1970 count as the oldest, and files
// whose time is unknown come last.
QString DateKey(const Pdata& record);
// Ten digits that put the largest file first; files whose size is unknown (negative) come
// last.
QString SizeKey(const Pdata& record);

// The key of record under keyOf, as a view: of the record's own path for the keys that are a
// part of it (no copy made), else of storage, which then holds the key.
QStringView KeyView(SortKeyFunction keyOf, const Pdata& record, QString& storage);

// The key function of a sort mode, with or without numbered names (which only Name and
// PathName use). Similarity has no measure of its own and sorts as Size does.
SortKeyFunction SortKeyFor(SortMode mode, bool smartSort);
// The key function the options choose: the checked sort button and SmartSort.
SortKeyFunction ChooseSortKey(const OptionModel& options);

} // namespace lumadex
