#include "options/option_model.h"

#include <algorithm>

namespace lumadex {
namespace {

// TrackBar1's maximum while DoubleCheck is unchecked.
constexpr int kLoosenessMaximumWithoutDoubleCheck = 4;

} // namespace

OptionModel::OptionModel() {
    for (const OptionRow& row : OptionRows())
        values_[std::size_t(row.id)] = row.defaultValue;
}

int OptionModel::minimum(OptionId id) const {
    return RowOf(id).minimum;
}

int OptionModel::maximum(OptionId id) const {
    if (id == OptionId::TrackBar1 && !isChecked(OptionId::DoubleCheck))
        return kLoosenessMaximumWithoutDoubleCheck;
    return RowOf(id).maximum;
}

bool OptionModel::isEnabled(OptionId id) const {
    const auto enabler = RowOf(id).enabledBy;
    return !enabler || isChecked(*enabler);
}

bool OptionModel::setValue(OptionId id, int value) {
    if (value < minimum(id) || value > maximum(id))
        return false;
    const OptionRow& row = RowOf(id);
    if (row.kind == OptionKind::RadioButton) {
        if (value == 0)
            return !isChecked(id);
        return setChoice(row.choice, row.choiceValue);
    }
    store(id, value);
    if (id == OptionId::DoubleCheck) {
        const int looseness = this->value(OptionId::TrackBar1);
        store(OptionId::TrackBar1, std::min(looseness, maximum(OptionId::TrackBar1)));
    }
    return true;
}

int OptionModel::choice(RadioChoice group) const {
    for (const OptionRow& row : OptionRows()) {
        if (row.choice == group && isChecked(row.id))
            return row.choiceValue;
    }
    return -1;
}

bool OptionModel::setChoice(RadioChoice group, int choiceValue) {
    const auto rows = OptionRows();
    const bool known = std::any_of(rows.begin(), rows.end(), [&](const OptionRow& row) {
        return row.choice == group && row.choiceValue == choiceValue;
    });
    if (group == RadioChoice::None || !known)
        return false;
    for (const OptionRow& row : rows) {
        if (row.choice == group)
            store(row.id, row.choiceValue == choiceValue ? 1 : 0);
    }
    return true;
}

void OptionModel::store(OptionId id, int value) {
    int& slot = values_[std::size_t(id)];
    if (slot == value)
        return;
    slot = value;
    if (RowOf(id).affectsSearch)
        searchChanged_ = true;
}

} // namespace lumadex
