#include "catalogue/memo_links.h"

#include <algorithm>

namespace lumadex {

int MemoLinks::find(std::uint32_t index) const {
    const auto links = indices();
    const auto it = std::find(links.begin(), links.end(), index);
    return it == links.end() ? -1 : int(it - links.begin());
}

int MemoLinks::add(std::uint32_t index) {
    if (find(index) >= 0)
        return -1;
    const std::uint32_t oldCount = block_ ? block_[0] : 0;
    auto grown = std::make_unique_for_overwrite<std::uint32_t[]>(std::size_t(oldCount) + 2);
    grown[0] = oldCount + 1;
    if (oldCount > 0)
        std::copy_n(block_.get() + 1, oldCount, grown.get() + 1);
    grown[std::size_t(oldCount) + 1] = index;
    block_ = std::move(grown);
    return int(oldCount);
}

int MemoLinks::remove(std::uint32_t index) {
    const int position = find(index);
    if (position < 0)
        return -1;
    const std::uint32_t newCount = block_[0] - 1;
    if (newCount == 0) {
        block_.reset();
        return position;
    }
    std::uint32_t* first = block_.get() + 1;
    std::copy(first + position + 1, first + newCount + 1, first + position);
    block_[0] = newCount;
    return position;
}

} // namespace lumadex
