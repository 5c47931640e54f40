#pragma once

#include "catalogue/item_result.h"
#include "catalogue/picture_catalogue.h"

#include <QString>
#include <optional>

namespace lumadex {

class OptionModel;

// What adding does with a file whose path the catalogue already holds (letter case ignored).
// The values are the choice values of the option buttons.
enum class SameNameRule {
    Replace = 0, // a fresh record takes the place of the old ones
    DontAdd = 1, // the file is skipped without a message
    NotCare = 2, // the file is added again: the catalogue then holds the path twice
};

SameNameRule SameNameRuleOf(const OptionModel& options);

// Analyses the picture file at path and adds its record under the rule. Returns nothing when
// the rule skipped the file, else the analysis' result. Under Replace the records that held
// the path are destroyed, after every list has let go of them, only once the fresh record
// stands: a file that can no longer be read, or an abort, leaves the old record in place.
std::optional<ItemResult> AddUnderSameNameRule(PictureCatalogue& pictures, const QString& path,
                                               SameNameRule rule, AnalysisObserver& observer);

} // namespace lumadex
