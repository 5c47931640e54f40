#pragma once

#include <QString>
#include <QStringView>

namespace lumadex {

// The hint of an option dialog control, "short|long": the short part is the tool tip, the long
// part (Japanese) is shown in the main window's status bar while the mouse is over the
// control. Empty for a control without a hint.
QString OptionHint(QStringView controlName);

// The part of a hint before the first "|" (the whole hint when it has none).
QString ShortHint(const QString& hint);
// The part of a hint after the first "|" (the whole hint when it has none).
QString LongHint(const QString& hint);

} // namespace lumadex
