#pragma once

#include "options/option_rows.h"

#include <array>

namespace lumadex {

// The values of every option of the option dialog, starting at the dialog's creation defaults.
// The model keeps the rules that tie controls together: one checked radio button per group,
// and TrackBar1's range, which shrinks to 1..4 while DoubleCheck is unchecked.
class OptionModel {
public:
    OptionModel();

    int value(OptionId id) const { return values_[std::size_t(id)]; }
    bool isChecked(OptionId id) const { return value(id) != 0; }

    // The range in force for the option's control.
    int minimum(OptionId id) const;
    int maximum(OptionId id) const;
    // Whether the control can be changed by the user (its enabling check box is checked).
    bool isEnabled(OptionId id) const;

    // Sets the value if it lies in the range in force. Checking a radio button unchecks the
    // others of its group; a radio button cannot be unchecked directly. Returns whether the
    // value was accepted.
    bool setValue(OptionId id, int value);

    // The choice value of the checked button of a radio group, and setting it.
    int choice(RadioChoice group) const;
    bool setChoice(RadioChoice group, int choiceValue);

    // Set whenever an option that affects search results changes; reset by the search.
    bool searchChanged() const { return searchChanged_; }
    void setSearchChanged(bool changed) { searchChanged_ = changed; }

    // Compares the option values only.
    bool operator==(const OptionModel& other) const { return values_ == other.values_; }

private:
    void store(OptionId id, int value);

    std::array<int, kOptionCount> values_{};
    bool searchChanged_ = false;
};

} // namespace lumadex
