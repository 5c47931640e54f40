#pragma once

namespace lumadex {

class OptionModel;

// The options the similarity comparison and the searches read, taken from the option model
// at the moment a search starts. The defaults are the option dialog's creation defaults.
struct SearchOptions {
    bool notStrict = true;              // NotStrict: tolerate differences up to the limits below
    int looseness = 8;                  // TrackBar1: most differing bits of the bits word
    bool doubleCheck = true;            // DoubleCheck: compare the levels words too
    int levelTolerance = 2;             // TrackBar3: most differing cells of the levels word
    bool sizeCheck = false;             // CheckBoxSameSizeOnly: compare file sizes too
    int sizeRange = 0;                  // TrackBarSizeRange: size tolerance in steps of 10 %
    bool excludeSameFolder = false;     // ExcludeSameFolder: skip the reference's folder
    bool showReferenceInTarget = false; // ShowreferenceinTarget: list the reference itself

    bool operator==(const SearchOptions&) const = default;
};

SearchOptions SearchOptionsFrom(const OptionModel& options);

} // namespace lumadex
