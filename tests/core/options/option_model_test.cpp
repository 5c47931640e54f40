#include "options/option_model.h"
#include "search/search_options.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

using enum OptionId;

TEST(OptionModel, OneRadioButtonPerGroupIsChecked) {
    OptionModel model;
    EXPECT_EQ(model.choice(RadioChoice::AddingSameFilename), 1);
    ASSERT_TRUE(model.setValue(NotCare, 1));
    EXPECT_FALSE(model.isChecked(DontAdd));
    EXPECT_EQ(model.choice(RadioChoice::AddingSameFilename), 2);

    EXPECT_FALSE(model.setValue(NotCare, 0)) << "a checked button is unchecked by another";
    EXPECT_TRUE(model.isChecked(NotCare));
    EXPECT_TRUE(model.setValue(Replace, 0)) << "an unchecked button may stay unchecked";

    EXPECT_TRUE(model.setChoice(RadioChoice::Sortby, 4));
    EXPECT_FALSE(model.setChoice(RadioChoice::Sortby, 5));
    EXPECT_TRUE(model.isChecked(bySimilarity));
    EXPECT_EQ(model.choice(RadioChoice::WhenTargetExists), 2) << "other groups untouched";
}

TEST(SearchOptions, TakenFromTheModel) {
    EXPECT_EQ(SearchOptionsFrom(OptionModel()), SearchOptions());
    OptionModel model;
    model.setValue(TrackBar1, 13);
    model.setValue(DoubleCheck, 0);
    model.setValue(CheckBoxSameSizeOnly, 1);
    model.setValue(TrackBarSizeRange, 7);
    model.setValue(ShowreferenceinTarget, 1);
    SearchOptions expected;
    expected.doubleCheck = false;
    expected.looseness = 4; // clamped when DoubleCheck went off
    expected.sizeCheck = true;
    expected.sizeRange = 7;
    expected.showReferenceInTarget = true;
    EXPECT_EQ(SearchOptionsFrom(model), expected);
}

} // namespace
} // namespace lumadex
