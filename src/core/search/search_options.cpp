#include "search/search_options.h"

#include "options/option_model.h"

namespace lumadex {

SearchOptions SearchOptionsFrom(const OptionModel& options) {
    using enum OptionId;
    SearchOptions search;
    search.notStrict = options.isChecked(NotStrict);
    search.looseness = options.value(TrackBar1);
    search.doubleCheck = options.isChecked(DoubleCheck);
    search.levelTolerance = options.value(TrackBar3);
    search.sizeCheck = options.isChecked(CheckBoxSameSizeOnly);
    search.sizeRange = options.value(TrackBarSizeRange);
    search.excludeSameFolder = options.isChecked(ExcludeSameFolder);
    search.showReferenceInTarget = options.isChecked(ShowreferenceinTarget);
    return search;
}

} // namespace lumadex
