#pragma once

#include <QString>

namespace lumadex {

// The text of LabelInterval for a position of the slide-show interval trackbar TrackBar2
// (0 "1 Sec." .. 29 "1 Hour"); empty outside that range.
QString SlideShowIntervalText(int position);

} // namespace lumadex
