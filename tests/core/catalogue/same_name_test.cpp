#include "catalogue/same_name.h"
#include "core/catalogue/adding_test_tree.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

// A catalogue holding one analysed picture, with a memo link.
struct Scene {
    test::PictureTree tree;
    test::AddingWindow window;
    PictureCatalogue pictures{NativePictureLoader()};
    QString path = tree.Copy("photos/blox.jpg", "blox.jpg");
    Pdata* old = nullptr;

    Scene() {
        pictures.SetListener(&window);
        EXPECT_EQ(Add(SameNameRule::NotCare), ItemResult::Done);
        old = &pictures.catalogue().at(0);
        old->AddMemoLink(4);
    }

    std::optional<ItemResult> Add(SameNameRule rule) {
        return AddUnderSameNameRule(pictures, path, rule, window);
    }

    // Whether any list still holds the record.
    bool Listed(const Pdata* record) const {
        return window.reference.IndexOfRecord(record) >= 0 ||
               window.target.IndexOfRecord(record) >= 0 || pictures.IsNewlyAdded(record);
    }
};

class SameNameTest : public ::testing::Test {
protected:
    void SetUp() override { LUMADEX_REQUIRE_TESTDATA("photos"); }
};

// Replacing drops every record of the path, and no list keeps one.
TEST_F(SameNameTest, RuleDecidesAboutAPathAlreadyHeld) {
    Scene scene;
    EXPECT_EQ(scene.Add(SameNameRule::DontAdd), std::nullopt);
    EXPECT_EQ(scene.pictures.catalogue().count(), 1);
    ASSERT_EQ(scene.Add(SameNameRule::NotCare), ItemResult::Done);
    const std::vector<Pdata*> held = scene.pictures.newAdded();
    ASSERT_EQ(held.size(), 2u);

    EXPECT_EQ(scene.Add(SameNameRule::Replace), ItemResult::Done);
    ASSERT_EQ(scene.pictures.catalogue().count(), 1);
    Pdata* fresh = &scene.pictures.catalogue().at(0);
    EXPECT_EQ(scene.window.removed, held);
    for (const Pdata* record : held)
        EXPECT_FALSE(scene.Listed(record));
    EXPECT_EQ(fresh->MemoLinkCount(), 0);
    EXPECT_EQ(scene.pictures.newAdded(), std::vector<Pdata*>{fresh});
    EXPECT_EQ(scene.window.target.IndexOfRecord(fresh), 0);
}

TEST_F(SameNameTest, ReplaceKeepsTheOldRecordWhenTheUserStopsOrTheFileFails) {
    Scene scene;
    scene.window.stopAfterAnalysed = 1;
    EXPECT_EQ(scene.Add(SameNameRule::Replace), ItemResult::Stopped);
    EXPECT_EQ(scene.pictures.catalogue().count(), 1);
    EXPECT_EQ(&scene.pictures.catalogue().at(0), scene.old);
    EXPECT_TRUE(scene.Listed(scene.old));

    scene.window.stopAfterAnalysed = -1;
    scene.tree.Write("blox.jpg", QByteArray(5000, 'x'));
    EXPECT_EQ(scene.Add(SameNameRule::Replace), ItemResult::Skipped);
    EXPECT_EQ(scene.pictures.catalogue().count(), 1);
    EXPECT_EQ(&scene.pictures.catalogue().at(0), scene.old);
    EXPECT_TRUE(scene.window.removed.empty());
    EXPECT_EQ(scene.pictures.errorHistory().messageCount(), 1);
}

} // namespace
} // namespace lumadex
