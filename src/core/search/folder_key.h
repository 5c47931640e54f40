#pragma once

#include <QString>
#include <QStringView>

namespace lumadex {

// The folder of a path in the form the folder exclusion compares: the part before the last
// separator, without a trailing separator except at the root (a drive root keeps its
// separator), in lower case. A path without a separator has the empty folder.
QString ComparableFolder(QStringView path);

} // namespace lumadex
