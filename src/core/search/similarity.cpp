#include "search/similarity.h"

#include "search/folder_key.h"

#include <utility>

namespace lumadex {

std::optional<std::int64_t> SizePercentage(std::int32_t candidateSize, std::int32_t referenceSize) {
    if (referenceSize == 0)
        return std::nullopt;
    // 64-bit arithmetic: |candidate x 100| < 2^38, and C++ division truncates toward zero.
    return std::int64_t(candidateSize) * 100 / referenceSize;
}

SimilarityTest::SimilarityTest(const SearchOptions& options, SearchReference reference)
    : options_(options), reference_(std::move(reference)),
      lowestPercentage_(100 - 10 * std::int64_t(options.sizeRange)),
      highestPercentage_(100 + 10 * std::int64_t(options.sizeRange)) {}

bool SimilarityTest::GroupSizeAndFolderPass(const Pdata& candidate) const {
    if (reference_.mismatchId != 0 && candidate.mismatchId == reference_.mismatchId)
        return false;
    if (options_.sizeCheck && !SizePasses(candidate.fileSize))
        return false;
    return !options_.excludeSameFolder || ComparableFolder(candidate.fileName) != reference_.folder;
}

bool SimilarityTest::SizePasses(std::int32_t candidateSize) const {
    if (options_.sizeRange <= 0)
        return candidateSize == reference_.fileSize;
    const std::optional<std::int64_t> percentage =
        SizePercentage(candidateSize, reference_.fileSize);
    return percentage && *percentage >= lowestPercentage_ && *percentage <= highestPercentage_;
}

} // namespace lumadex
