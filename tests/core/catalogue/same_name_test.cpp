#include "catalogue/same_name.h"
#include "core/catalogue/adding_test_tree.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

// A catalogue holding one analysed picture, with a memo link.
class SameNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        LUMADEX_REQUIRE_TESTDATA("photos");
        pictures_.SetListener(&window_);
        path_ = tree_.Copy("photos/blox.jpg", "blox.jpg");
        ASSERT_EQ(Add(SameNameRule::NotCare), ItemResult::Done);
        old_ = &pictures_.catalogue().at(0);
        old_->AddMemoLink(4);
    }

    std::optional<ItemResult> Add(SameNameRule rule) {
        return AddUnderSameNameRule(pictures_, path_, rule, window_);
    }

    // Whether any list still holds the record.
    bool Listed(const Pdata* record) const {
        return window_.reference.IndexOfRecord(record) >= 0 ||
               window_.target.IndexOfRecord(record) >= 0 || pictures_.IsNewlyAdded(record);
    }

    test::PictureTree tree_;
    test::AddingWindow window_;
    PictureCatalogue pictures_{NativePictureLoader()};
    QString path_;
    Pdata* old_ = nullptr;
};

// Replacing drops every record of the path, and no list keeps one.
TEST_F(SameNameTest, RuleDecidesAboutAPathAlreadyHeld) {
    EXPECT_EQ(Add(SameNameRule::DontAdd), std::nullopt);
    EXPECT_EQ(pictures_.catalogue().count(), 1);
    ASSERT_EQ(Add(SameNameRule::NotCare), ItemResult::Done);
    const std::vector<Pdata*> held = pictures_.newAdded();
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(Add(SameNameRule::Replace), ItemResult::Done);
    ASSERT_EQ(pictures_.catalogue().count(), 1);
    Pdata* fresh = &pictures_.catalogue().at(0);
    EXPECT_EQ(window_.removed, held);
    for (const Pdata* record : held)
        EXPECT_FALSE(Listed(record));
    EXPECT_EQ(fresh->MemoLinkCount(), 0);
    EXPECT_EQ(pictures_.newAdded(), std::vector<Pdata*>{fresh});
    EXPECT_EQ(window_.target.IndexOfRecord(fresh), 0);
}

TEST_F(SameNameTest, ReplaceKeepsTheOldRecordWhenTheUserStopsOrTheFileFails) {
    window_.stopAfterAnalysed = 1;
    EXPECT_EQ(Add(SameNameRule::Replace), ItemResult::Stopped);
    EXPECT_EQ(pictures_.catalogue().count(), 1);
    EXPECT_EQ(&pictures_.catalogue().at(0), old_);
    EXPECT_TRUE(Listed(old_));

    window_.stopAfterAnalysed = -1;
    tree_.Write("blox.jpg", QByteArray(5000, 'x'));
    EXPECT_EQ(Add(SameNameRule::Replace), ItemResult::Skipped);
    EXPECT_EQ(pictures_.catalogue().count(), 1);
    EXPECT_EQ(&pictures_.catalogue().at(0), old_);
    EXPECT_TRUE(window_.removed.empty());
    EXPECT_EQ(pictures_.errorHistory().messageCount(), 1);
}

} // namespace
} // namespace lumadex
