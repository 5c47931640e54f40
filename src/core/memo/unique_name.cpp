#include "memo/unique_name.h"

#include <algorithm>

namespace lumadex {

std::string FirstUnusedName(const std::string& base,
                            const std::function<bool(const std::string&)>& isTaken,
                            int& firstSuffix) {
    if (!isTaken(base))
        return base;
    for (int suffix = std::max(firstSuffix, 1);; ++suffix) {
        std::string candidate = base + std::to_string(suffix);
        if (!isTaken(candidate)) {
            firstSuffix = suffix + 1;
            return candidate;
        }
    }
}

} // namespace lumadex
