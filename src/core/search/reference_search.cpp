#include "search/reference_search.h"

#include "catalogue/signature.h"
#include "search/similarity_scan.h"

namespace lumadex {
namespace {

// Appends every record similar to the given words, keeping the reference at self only when
// keepSelf is set.
void AppendMatches(Catalogue& catalogue, SimilarityScan& scan, const Pdata& picture,
                   std::uint32_t bits, std::uint32_t levels, int self, bool keepSelf,
                   std::vector<Pdata*>& matches) {
    for (int j = scan.NextMatch(-1, 1, picture.fileSize, picture.mismatchId, levels, bits); j != -1;
         j = scan.NextMatch(j, 1, picture.fileSize, picture.mismatchId, levels, bits)) {
        if (j != self || keepSelf)
            matches.push_back(&catalogue.at(j));
    }
}

} // namespace

std::vector<Pdata*> FindSimilarForReference(Catalogue& catalogue, const Pdata& reference,
                                            const SearchOptions& options, bool useSubIndex) {
    SimilarityScan scan(catalogue, options);
    scan.SetReferenceFolder(reference);
    const int self = catalogue.IndexOf(&reference);
    const bool keepSelf = options.showReferenceInTarget;
    std::vector<Pdata*> matches;
    AppendMatches(catalogue, scan, reference, reference.signatureBits, reference.signatureLevels,
                  self, keepSelf, matches);
    if (!matches.empty() || !useSubIndex)
        return matches;
    for (int e = 0; e < reference.SubIndexCount(); ++e) {
        const SubIndexEntry& region = reference.SubIndexAt(e);
        AppendMatches(catalogue, scan, reference, region.bits, region.levels, self, keepSelf,
                      matches);
    }
    return matches;
}

bool HasSimilar(const Catalogue& catalogue, const Pdata& record, const SearchOptions& options) {
    SimilarityScan scan(catalogue, options);
    const int self = catalogue.IndexOf(&record);
    for (int j = scan.FindNextSimilar(-1, 1, record); j != -1;
         j = scan.NextMatch(j, 1, record.fileSize, record.mismatchId, record.signatureLevels,
                            record.signatureBits)) {
        if (j != self || options.showReferenceInTarget)
            return true;
    }
    return false;
}

std::optional<std::vector<Pdata*>> FindSimilarToPicture(Catalogue& catalogue, const Bitmap& picture,
                                                        const SearchOptions& options) {
    Pdata probe{QString::fromLatin1(kClipboardRecordPath)};
    if (ComputeSignature(picture, probe, false, 0, 0, 0, 0) == -1)
        return std::nullopt;
    SimilarityScan scan(catalogue, options);
    scan.SetReferenceFolder(probe);
    std::vector<Pdata*> matches;
    AppendMatches(catalogue, scan, probe, probe.signatureBits, probe.signatureLevels, -1, false,
                  matches);
    return matches;
}

} // namespace lumadex
