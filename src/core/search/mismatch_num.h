#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace lumadex {

// Highest mismatch group number the allocator hands out; numbers 1 to this can be groups at once.
inline constexpr std::uint16_t kHighestAllocatedMismatchGroup = 8191;

// Shown when a new mismatch group is wanted while every number is taken.
inline constexpr char kNoFreeMismatchGroupMessage[] =
    "All 8191 mismatch groups are in use. Dissolve a group first.";

// Hands out mismatch group numbers. Every 16-bit number has a used bit, so numbers read from a
// database (which may exceed the allocated range after merges) can be marked; new groups are
// only ever given numbers 1 to 8191. Number 0 means "in no group" and is always marked.
class MismatchNum {
public:
    MismatchNum();

    // Frees every number but 0 and forgets the highest used number.
    void Clear();

    bool IsFree(std::uint16_t number) const;
    // The lowest free number of 1 to 8191, now marked; nothing when all of them are in use.
    std::optional<std::uint16_t> Allocate();
    // Marks the number as used and raises the highest used number to it if larger.
    void Mark(std::uint16_t number);
    // Frees the number; the highest used number stays as it is.
    void Release(std::uint16_t number);
    // The largest number ever marked since construction or the last Clear.
    std::uint16_t HighestUsed() const { return highestUsed_; }

private:
    std::array<std::uint8_t, 65536 / 8> usedBits_{};
    std::uint16_t highestUsed_ = 0;
};

// Renumbers the mismatch groups of a database merged into the open one, so that merged groups
// never join groups already present.
//
// A number read becomes itself plus the highest number in use before the merge. When that sum
// does not fit in 16 bits, the read number is given instead a free number not above that
// highest one (sums never land there, so it cannot collide with a later sum), the same one for
// every record holding that read number. When no such number is free, the record leaves its
// group (0) rather than join a group it does not belong to.
class MismatchMerge {
public:
    // Takes the allocator's highest used number as the offset; the allocator must outlive this.
    explicit MismatchMerge(MismatchNum& numbers);

    // The number a record read with the given number gets in the open database, marked used.
    std::uint16_t Renumber(std::uint16_t numberRead);

private:
    std::optional<std::uint16_t> FreeNumberBelowOffset();

    MismatchNum& numbers_;
    std::uint16_t offset_;
    std::unordered_map<std::uint16_t, std::uint16_t> overflowNumbers_;
    std::uint32_t nextCandidate_ = 1;
};

} // namespace lumadex
