#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"
#include "search/search_options.h"

#include <QString>
#include <cstdint>

namespace lumadex {

// The linear comparison scan over the catalogue: from a start index, moving by a step, the
// next record similar to a reference. The searches call it repeatedly, resuming after the index
// it last returned. The catalogue must not change while a scan is used.
class SimilarityScan {
public:
    SimilarityScan(const Catalogue& catalogue, const SearchOptions& options);

    // Takes the reference folder from picture's path, then returns NextMatch with the
    // picture's size, mismatch group and words.
    int FindNextSimilar(int start, int step, const Pdata& picture);

    // The first index j = start + step, start + 2 step, ... whose record is similar to the
    // given reference (and outside the reference folder last set, when that exclusion is on),
    // or -1 once j leaves the catalogue. A reference without signature finds nothing; so does
    // a step of 0.
    int NextMatch(int start, int step, std::int32_t size, std::uint16_t mismatchId,
                  std::uint32_t levels, std::uint32_t bits) const;

    // Sets the reference folder from a picture's path without scanning.
    void SetReferenceFolder(const Pdata& picture);
    const QString& referenceFolder() const { return referenceFolder_; }

private:
    const Catalogue& catalogue_;
    SearchOptions options_;
    QString referenceFolder_;
};

} // namespace lumadex
