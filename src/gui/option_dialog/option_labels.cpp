#include "option_dialog/option_labels.h"

#include <array>

namespace lumadex {
namespace {

constexpr std::array<const char*, 30> kIntervalTexts = {
    "1 Sec.",  "2 Sec.",  "3 Sec.",  "4 Sec.",  "5 Sec.",  "6 Sec.",  "7 Sec.",  "8 Sec.",
    "9 Sec.",  "10 Sec.", "15 Sec.", "20 Sec.", "25 Sec.", "30 Sec.", "35 Sec.", "40 Sec.",
    "45 Sec.", "50 Sec.", "55 Sec.", "1 Min.",  "2 Min.",  "3 Min.",  "4 Min.",  "5 Min.",
    "10 Min.", "15 Min.", "20 Min.", "25 Min.", "30 Min.", "1 Hour",
};

} // namespace

QString SlideShowIntervalText(int position) {
    if (position < 0 || position >= int(kIntervalTexts.size()))
        return {};
    return QString::fromLatin1(kIntervalTexts[std::size_t(position)]);
}

} // namespace lumadex
