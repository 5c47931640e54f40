#include "search/mismatch_num.h"

namespace lumadex {

namespace {

constexpr std::uint8_t BitOf(std::uint16_t number) {
    return std::uint8_t(1u << (number % 8));
}

} // namespace

MismatchNum::MismatchNum() {
    Clear();
}

void MismatchNum::Clear() {
    usedBits_.fill(0);
    usedBits_[0] = BitOf(0);
    highestUsed_ = 0;
}

bool MismatchNum::IsFree(std::uint16_t number) const {
    return (usedBits_[number / 8] & BitOf(number)) == 0;
}

std::optional<std::uint16_t> MismatchNum::Allocate() {
    for (std::size_t byte = 0; byte <= kHighestAllocatedMismatchGroup / 8; ++byte) {
        if (usedBits_[byte] == 0xFF)
            continue;
        for (unsigned bit = 0; bit < 8; ++bit) {
            const auto number = std::uint16_t(byte * 8 + bit);
            if (IsFree(number)) {
                Mark(number);
                return number;
            }
        }
    }
    return std::nullopt;
}

void MismatchNum::Mark(std::uint16_t number) {
    usedBits_[number / 8] |= BitOf(number);
    if (number > highestUsed_)
        highestUsed_ = number;
}

void MismatchNum::Release(std::uint16_t number) {
    if (number != 0)
        usedBits_[number / 8] &= std::uint8_t(~BitOf(number));
}

MismatchMerge::MismatchMerge(MismatchNum& numbers)
    : numbers_(numbers), offset_(numbers.HighestUsed()) {}

std::uint16_t MismatchMerge::Renumber(std::uint16_t numberRead) {
    if (numberRead == 0)
        return 0;
    const std::uint32_t sum = std::uint32_t(numberRead) + offset_;
    if (sum <= 0xFFFF) {
        numbers_.Mark(std::uint16_t(sum));
        return std::uint16_t(sum);
    }
    if (auto known = overflowNumbers_.find(numberRead); known != overflowNumbers_.end())
        return known->second;
    const std::uint16_t number = FreeNumberBelowOffset().value_or(0);
    numbers_.Mark(number);
    overflowNumbers_.emplace(numberRead, number);
    return number;
}

std::optional<std::uint16_t> MismatchMerge::FreeNumberBelowOffset() {
    // While a merge runs numbers are only marked, never released, so the search never looks back.
    for (; nextCandidate_ <= offset_; ++nextCandidate_) {
        const auto number = std::uint16_t(nextCandidate_);
        if (numbers_.IsFree(number))
            return number;
    }
    return std::nullopt;
}

} // namespace lumadex
