#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace lumadex {

// The memo slot indices attached to one picture record, in the order they were added, each at
// most once. Held in one heap block (count first, then the indices) so that a record without
// memos costs a single null pointer.
class MemoLinks {
public:
    MemoLinks() = default;
    MemoLinks(MemoLinks&&) noexcept = default;
    MemoLinks& operator=(MemoLinks&&) noexcept = default;

    int count() const { return block_ ? int(block_[0]) : 0; }
    bool isEmpty() const { return count() == 0; }
    std::uint32_t at(int position) const { return block_[std::size_t(position) + 1]; }
    std::span<const std::uint32_t> indices() const {
        return block_ ? std::span<const std::uint32_t>(block_.get() + 1, block_[0])
                      : std::span<const std::uint32_t>();
    }

    // Position of index among the links, or -1.
    int find(std::uint32_t index) const;
    // Appends index and returns its position; returns -1 and changes nothing if it is present.
    int add(std::uint32_t index);
    // Removes index and returns the position it had, or -1 if it was not present.
    int remove(std::uint32_t index);
    void clear() { block_.reset(); }

private:
    std::unique_ptr<std::uint32_t[]> block_;
};

} // namespace lumadex
