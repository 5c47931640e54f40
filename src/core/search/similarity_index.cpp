#include "search/similarity_index.h"

#include <bit>

namespace lumadex {
namespace {

// About one bucket for every two to four records, and never more buckets than keys.
int BucketBitsFor(int count, int keyBits) {
    const int recordBits = count > 1 ? std::bit_width(unsigned(count)) - 2 : 0;
    return std::clamp(std::min(keyBits, recordBits), 0, 30);
}

} // namespace

SimilarityIndex::SimilarityIndex(const Catalogue& catalogue, const IndexPlan& plan) {
    words_.reserve(std::size_t(catalogue.count()));
    for (int i = 0; i < catalogue.count(); ++i) {
        const Pdata& record = catalogue.at(i);
        words_.push_back({record.signatureBits, record.signatureLevels});
    }
    bucketShift_ = 64 - BucketBitsFor(count(), plan.keyBits);
    std::vector<std::uint32_t> scratch;
    tables_.reserve(plan.tables.size());
    for (const IndexKeyMask& mask : plan.tables) {
        tables_.push_back({mask, {}, {}});
        BuildTable(tables_.back(), scratch);
    }
}

void SimilarityIndex::BuildTable(Table& table, std::vector<std::uint32_t>& scratch) const {
    const std::size_t buckets = std::size_t(1) << (64 - bucketShift_);
    scratch.resize(words_.size());
    table.offsets.assign(buckets + 1, 0);
    for (std::size_t i = 0; i < words_.size(); ++i) {
        scratch[i] = std::uint32_t(BucketOf(table.mask, words_[i].bits, words_[i].levels));
        ++table.offsets[scratch[i] + 1];
    }
    for (std::size_t b = 0; b < buckets; ++b)
        table.offsets[b + 1] += table.offsets[b];
    // Filling in index order keeps each bucket ascending.
    std::vector<std::uint32_t> next(table.offsets.begin(), table.offsets.end() - 1);
    table.entries.resize(words_.size());
    for (std::size_t i = 0; i < words_.size(); ++i)
        table.entries[next[scratch[i]]++] = std::uint32_t(i);
}

std::size_t SimilarityIndex::memoryBytes() const {
    std::size_t bytes = words_.capacity() * sizeof(Words);
    for (const Table& table : tables_)
        bytes += (table.offsets.capacity() + table.entries.capacity()) * sizeof(std::uint32_t);
    return bytes;
}

} // namespace lumadex
