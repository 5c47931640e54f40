#pragma once

#include "catalogue/catalogue.h"
#include "search/index_plan.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumadex {

// The signature words of every catalogue record, in catalogue order, hashed into the tables of
// an IndexPlan so that the records that may be similar to a reference are found without
// reading the whole catalogue. Each table lists the record indices of a bucket in ascending
// order. Costs 8 bytes per record plus about 4 to 5 per table. A snapshot: rebuild it after
// the catalogue changes.
class SimilarityIndex {
public:
    SimilarityIndex(const Catalogue& catalogue, const IndexPlan& plan);

    int count() const { return int(words_.size()); }
    std::uint32_t bitsAt(int index) const { return words_[std::size_t(index)].bits; }
    std::uint32_t levelsAt(int index) const { return words_[std::size_t(index)].levels; }
    std::size_t memoryBytes() const;

    // Calls visit(j) for every record j > after that shares a table key with the given words:
    // every record whose signature the plan's options may call similar, and others. A record
    // may be visited more than once. visit returns false to end the walk early; the result is
    // false when it did.
    template <typename Visit>
    bool ForEachCandidate(std::uint32_t bits, std::uint32_t levels, int after,
                          Visit&& visit) const {
        for (const Table& table : tables_) {
            const std::size_t bucket = BucketOf(table.mask, bits, levels);
            const std::uint32_t* first = table.entries.data() + table.offsets[bucket];
            const std::uint32_t* last = table.entries.data() + table.offsets[bucket + 1];
            if (after >= 0)
                first = std::upper_bound(first, last, std::uint32_t(after));
            for (; first != last; ++first) {
                // The words of later candidates are scattered over the catalogue: ask for them
                // early so that their reads overlap.
                if (last - first > kPrefetchDistance)
                    Prefetch(&words_[first[kPrefetchDistance]]);
                if (!visit(int(*first)))
                    return false;
            }
        }
        return true;
    }

private:
    struct Words {
        std::uint32_t bits;
        std::uint32_t levels;
    };
    static constexpr std::ptrdiff_t kPrefetchDistance = 8;

    static void Prefetch([[maybe_unused]] const void* address) {
#if defined(__GNUC__)
        __builtin_prefetch(address);
#endif
    }

    struct Table {
        IndexKeyMask mask;
        std::vector<std::uint32_t> offsets; // bucket b holds entries offsets[b] .. offsets[b+1]
        std::vector<std::uint32_t> entries; // record indices, ascending within a bucket
    };

    std::size_t BucketOf(const IndexKeyMask& mask, std::uint32_t bits, std::uint32_t levels) const {
        std::uint64_t key = (std::uint64_t(bits & mask.bits) << 32) | (levels & mask.levels);
        key = (key ^ (key >> 30)) * 0xBF58476D1CE4E5B9u;
        key = (key ^ (key >> 27)) * 0x94D049BB133111EBu;
        key ^= key >> 31;
        return bucketShift_ >= 64 ? 0 : std::size_t(key >> bucketShift_);
    }
    void BuildTable(Table& table, std::vector<std::uint32_t>& scratch) const;

    std::vector<Words> words_;
    std::vector<Table> tables_;
    int bucketShift_ = 64;
};

} // namespace lumadex
