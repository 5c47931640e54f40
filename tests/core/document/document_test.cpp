#include "core/document/document_test_support.h"

namespace lumadex {
namespace {

using test::Bytes;
using test::DocumentTest;

// Decodes any file as a grey 64 x 64 picture.
DecodeStatus GreyPicture(std::span<const std::uint8_t>, Bitmap& out, int) {
    out = Bitmap(64, 64, 24);
    out.fill(128);
    return DecodeStatus::Ok;
}

TEST_F(DocumentTest, TitleShowsThePathAndTheModifiedFlags) {
    EXPECT_EQ(document_.Title(), "Lumadex Lite [New]");
    document_.setDataChanged(true);
    EXPECT_EQ(document_.Title(), "Lumadex Lite [New]*");
    document_.setDataChanged(false);

    // Reading an old format changes no data but marks it, and the file can be saved unchanged.
    const QString path = PathOf("old.lx2");
    WriteFile(path, test::DatabaseBytes(4, {test::Named("/old/a.jpg")}));
    questions_.openChoices = {test::Chosen(path)};
    document_.Open();
    EXPECT_TRUE(observer_.Of("progress").contains("Reading previous version Database...."));
    EXPECT_TRUE(document_.oldFormatRead());
    EXPECT_FALSE(document_.dataChanged());
    EXPECT_TRUE(document_.CanSave());
    const QString named = "Lumadex Lite [" + path + "]";
    EXPECT_EQ(document_.Title(), named + "!");
    document_.setOptionsChanged(true);
    EXPECT_EQ(document_.Title(), named + "+!");
    document_.setDataChanged(true);
    EXPECT_EQ(document_.Title(), named + "*+!");

    observer_.events.clear();
    document_.UpdateTitle(true);
    EXPECT_EQ(observer_.Of("caption"), QStringList{named + "*+!"});
    EXPECT_EQ(document_.history().entries(), QStringList{path});
}

TEST_F(DocumentTest, ClearAllDataEmptiesEveryListAndStore) {
    document_.pictures().loader().AddLast(DecoderForAnyFile(&GreyPicture));
    const QString picture = PathOf("new.pic");
    WriteFile(picture, Bytes(2000, 'x'));
    AnalysisObserver analysis;
    ASSERT_EQ(document_.pictures().AnalyseFile(picture, analysis), ItemResult::Done);
    Pdata& record = AddRecord("/a/1.jpg");
    record.mismatchId = 5;
    document_.mismatchNumbers().Mark(5);
    document_.memos().AddGroup("Group", 100);
    document_.setCurrentReference(&record);
    document_.setOptionsChanged(true);

    questions_.answers = {Answer::No};
    EXPECT_FALSE(document_.ClearAllData());
    ASSERT_EQ(questions_.asked.size(), 1u);
    EXPECT_EQ(questions_.asked[0].text, "Clear all entries?");
    EXPECT_EQ(document_.catalogue().count(), 2);

    questions_.answers = {Answer::Yes};
    observer_.events.clear();
    EXPECT_TRUE(document_.ClearAllData());
    EXPECT_EQ(listener_.recordsWhenCleared, 2) << "the lists let go before records die";
    EXPECT_TRUE(document_.catalogue().isEmpty());
    EXPECT_TRUE(document_.pictures().newAdded().empty());
    EXPECT_EQ(document_.memos().groupCount(), 0);
    EXPECT_TRUE(document_.mismatchNumbers().IsFree(5));
    EXPECT_EQ(document_.currentReference(), nullptr);
    EXPECT_FALSE(document_.hasUnsavedChanges());
    EXPECT_TRUE(observer_.events.contains("data cleared"));

    AddRecord("/a/2.jpg");
    document_.setDataChanged(false);
    EXPECT_TRUE(document_.ClearAllData());
    EXPECT_EQ(questions_.asked.size(), 2u) << "no question for unchanged data";
}

TEST_F(DocumentTest, CurrentReferenceIsForgottenWithItsRecord) {
    AddRecord("/a/1.jpg");
    Pdata& reference = AddRecord("/a/2.jpg");
    document_.setCurrentReference(&reference);
    EXPECT_EQ(document_.selectedIndex(), 1);
    document_.pictures().DeleteRecord(0);
    EXPECT_EQ(document_.selectedIndex(), 0);
    document_.pictures().DeleteRecord(0);
    EXPECT_EQ(document_.currentReference(), nullptr);
    EXPECT_EQ(document_.selectedIndex(), -1);
}

} // namespace
} // namespace lumadex
