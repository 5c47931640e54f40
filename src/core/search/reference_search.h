#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"
#include "codecs/bitmap.h"
#include "search/search_options.h"

#include <optional>
#include <vector>

namespace lumadex {

// The records to show as the matches of reference, in the order they are to be added to the
// Target list: its whole-picture matches in catalogue order, the reference itself only with
// showReferenceInTarget. When there are none and useSubIndex is set, the matches of each of
// its regions in turn, with the same rule for the reference; a record matched by several
// regions then comes once per region (the Target list keeps one entry per key).
std::vector<Pdata*> FindSimilarForReference(Catalogue& catalogue, const Pdata& reference,
                                            const SearchOptions& options, bool useSubIndex);

// Whether the record has a similar record in the catalogue; itself counts only with
// showReferenceInTarget.
bool HasSimilar(const Catalogue& catalogue, const Pdata& record, const SearchOptions& options);

// Path of the temporary record that stands for a picture from outside the catalogue.
inline constexpr char kClipboardRecordPath[] = "Clipboard";

// The catalogue records similar to a picture that is not in the catalogue (the clipboard's),
// in catalogue order. Its size is unknown, so with the size check on and a range above 0
// nothing is found. Nothing when the picture is too small to sign.
std::optional<std::vector<Pdata*>> FindSimilarToPicture(Catalogue& catalogue, const Bitmap& picture,
                                                        const SearchOptions& options);

} // namespace lumadex
