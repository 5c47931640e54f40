#pragma once

#include <functional>
#include <string>

namespace lumadex {

// The naming rule for new groups and memos: base itself when it is not taken, else base followed
// directly by 1, 2, 3, ... whichever comes first that is not taken.
//
// firstSuffix lets a caller that only ever adds names resume where its previous search for the
// same base ended (every suffix below it is known to be taken); it is updated to the suffix after
// the one returned.
std::string FirstUnusedName(const std::string& base,
                            const std::function<bool(const std::string&)>& isTaken,
                            int& firstSuffix);

inline std::string FirstUnusedName(const std::string& base,
                                   const std::function<bool(const std::string&)>& isTaken) {
    int firstSuffix = 1;
    return FirstUnusedName(base, isTaken, firstSuffix);
}

} // namespace lumadex
