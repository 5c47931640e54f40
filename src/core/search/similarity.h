#pragma once

#include "catalogue/pdata.h"
#include "search/search_options.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace lumadex {

// Number of set bits. Written out because the portable x86-64 target has no popcount
// instruction and the compiler would otherwise call a library routine in the hot loop.
constexpr int CountBits(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return int((x * 0x01010101u) >> 24);
}

// Number of bit positions in which two bits words differ.
constexpr int BitDifferences(std::uint32_t a, std::uint32_t b) {
    return CountBits(a ^ b);
}

// Number of the 16 two-bit cells in which two levels words differ.
constexpr int CellDifferences(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t x = a ^ b;
    return CountBits((x | (x >> 1)) & 0x55555555u);
}

// A candidate's file size as a percentage of the reference's, truncated toward zero; nothing
// when the reference size is 0. Exact for every pair of 32-bit sizes, -1 (unknown) included.
std::optional<std::int64_t> SizePercentage(std::int32_t candidateSize, std::int32_t referenceSize);

// What a candidate is compared with: the signature words, mismatch group and file size of a
// picture (or of one of its regions) and the comparable folder of the picture.
struct SearchReference {
    std::uint32_t bits = kNoSignature;
    std::uint32_t levels = 0;
    std::uint16_t mismatchId = 0;
    std::int32_t fileSize = kUnknown;
    QString folder; // ComparableFolder of the picture's path; read only with ExcludeSameFolder
};

// Decides whether a candidate record is similar to a reference under the search options. The
// decision is a yes or no; the reference itself passes when compared with itself, unless an
// option excludes it.
class SimilarityTest {
public:
    SimilarityTest(const SearchOptions& options, SearchReference reference);

    const SearchOptions& options() const { return options_; }
    const SearchReference& reference() const { return reference_; }
    // A reference without signature is similar to nothing.
    bool findsNothing() const { return reference_.bits == kNoSignature; }

    // The signature part of the decision. Inline: the scans call it for every record.
    bool SignatureMatches(std::uint32_t bits, std::uint32_t levels) const {
        if (bits != reference_.bits) {
            if (!options_.notStrict || BitDifferences(bits, reference_.bits) > options_.looseness)
                return false;
            return !options_.doubleCheck || LevelsPass(levels);
        }
        if (!options_.doubleCheck)
            return true;
        if (!options_.notStrict)
            return levels == reference_.levels;
        return LevelsPass(levels);
    }
    // The mismatch group, size and folder parts of the decision.
    bool GroupSizeAndFolderPass(const Pdata& candidate) const;

    bool Matches(const Pdata& candidate) const {
        return !findsNothing() &&
               SignatureMatches(candidate.signatureBits, candidate.signatureLevels) &&
               GroupSizeAndFolderPass(candidate);
    }

private:
    bool LevelsPass(std::uint32_t levels) const {
        return CellDifferences(levels, reference_.levels) <= options_.levelTolerance;
    }
    bool SizePasses(std::int32_t candidateSize) const;

    SearchOptions options_;
    SearchReference reference_;
    std::int64_t lowestPercentage_;
    std::int64_t highestPercentage_;
};

} // namespace lumadex
