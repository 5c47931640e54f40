#include "catalogue/pdata.h"

namespace lumadex {

void Pdata::AddMemoLinksFrom(const Pdata& other) {
    for (const std::uint32_t memoIndex : other.MemoLinkIndices())
        AddMemoLink(memoIndex);
}

void Pdata::AddSubIndex(std::uint32_t bits, std::uint32_t levels, std::int32_t Left,
                        std::int32_t Top, std::int32_t Right, std::int32_t Bottom) {
    if (!subIndex_)
        subIndex_ = std::make_unique<std::vector<SubIndexEntry>>();
    subIndex_->push_back({bits, levels, Left, Top, Right, Bottom});
}

void Pdata::DeleteSubIndex(int i) {
    if (subIndex_ && i >= 0 && i < SubIndexCount())
        subIndex_->erase(subIndex_->begin() + i);
}

void Pdata::ClearSubIndex() {
    if (subIndex_)
        subIndex_->clear();
}

} // namespace lumadex
