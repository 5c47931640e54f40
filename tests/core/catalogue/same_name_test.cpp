#include "core/catalogue/adding_test_tree.h"
#include "catalogue/same_name.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

// A catalogue holding one analysed picture, with a memo link and a mismatch group.
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
        old->mismatchId = 12;
    }

    std::optional<ItemResult> Add(SameNameRule rule) {
        return AddUnderSameNameRule(pictures, path, rule, window);
    }

    // Whether the catalogue holds this very record (which may have been destroyed).
    bool Holds(const Pdata* record) const {
        for (int i = 0; i < pictures.catalogue().count(); ++i) {
            if (&pictures.catalogue().at(i) == record)
                return true;
        }
        return false;
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

TEST_F(SameNameTest, RuleDecidesAboutAPathAlreadyHeld) {
    const struct {
        SameNameRule rule;
        std::optional<ItemResult> result;
        int records;
        bool oldKept;
    } rows[] = {
        {SameNameRule::DontAdd, std::nullopt, 1, true},
        {SameNameRule::NotCare, ItemResult::Done, 2, true},
        {SameNameRule::Replace, ItemResult::Done, 1, false},
    };
    for (const auto& row : rows) {
        Scene scene;
        const int rule = int(row.rule);
        EXPECT_EQ(scene.Add(row.rule), row.result) << rule;
        EXPECT_EQ(scene.pictures.catalogue().count(), row.records) << rule;
        EXPECT_EQ(scene.Holds(scene.old), row.oldKept) << rule;
        for (int i = 0; i < scene.pictures.catalogue().count(); ++i)
            EXPECT_EQ(scene.pictures.catalogue().at(i).fileName, scene.path) << rule;
    }
}

TEST_F(SameNameTest, ReplaceGivesAFreshRecordAndNoListKeepsAnOldOne) {
    Scene scene;
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
    EXPECT_EQ(fresh->mismatchId, 0);
    EXPECT_EQ(scene.pictures.newAdded(), std::vector<Pdata*>{fresh});
    EXPECT_EQ(scene.window.reference.IndexOfRecord(fresh), 0);
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
    EXPECT_EQ(scene.old->MemoLinkCount(), 1);
    EXPECT_TRUE(scene.window.removed.empty());
    EXPECT_EQ(scene.pictures.errorHistory().messageCount(), 1);
}

} // namespace
} // namespace lumadex
