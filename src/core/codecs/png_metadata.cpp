#include "codecs/png_metadata.h"

#include <ctime>

namespace lumadex {

PngTime PngTime::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

bool PngTime::isValid() const {
    return year > 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 &&
           hour < 24 && minute >= 0 && minute < 60;
}

} // namespace lumadex
