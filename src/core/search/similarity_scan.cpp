#include "search/similarity_scan.h"

#include "search/folder_key.h"
#include "search/similarity.h"

namespace lumadex {

SimilarityScan::SimilarityScan(const Catalogue& catalogue, const SearchOptions& options)
    : catalogue_(catalogue), options_(options) {}

int SimilarityScan::FindNextSimilar(int start, int step, const Pdata& picture) {
    SetReferenceFolder(picture);
    return NextMatch(start, step, picture.fileSize, picture.mismatchId, picture.signatureLevels,
                     picture.signatureBits);
}

void SimilarityScan::SetReferenceFolder(const Pdata& picture) {
    referenceFolder_ = ComparableFolder(picture.fileName);
}

int SimilarityScan::NextMatch(int start, int step, std::int32_t size, std::uint16_t mismatchId,
                              std::uint32_t levels, std::uint32_t bits) const {
    if (bits == kNoSignature || step == 0)
        return -1;
    const SimilarityTest test(options_, {bits, levels, mismatchId, size, referenceFolder_});
    const std::int64_t count = catalogue_.count();
    for (std::int64_t j = std::int64_t(start) + step; j >= 0 && j < count; j += step) {
        if (test.Matches(catalogue_.at(int(j))))
            return int(j);
    }
    return -1;
}

} // namespace lumadex
