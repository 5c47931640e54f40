#include "catalogue/picture_catalogue.h"
#include "gui/main_window_fixture.h"
#include "support/testdata.h"

#include <QFileInfo>
#include <QToolButton>

namespace lumadex::test {
namespace {

using MainDatabaseTest = MainWindowTest;

// The answers' tables are the document's; here each command is shown run from the window on a
// database saved, changed, replaced by another, added to and cleared.
TEST_F(MainDatabaseTest, SaveOpenImportAndClearShowTheirDatabaseInTheWindow) {
    AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
    document.UpdateTitle(true);
    QAction* save = Window().MenuItem(QStringLiteral("Savedatabase1"));
    ASSERT_TRUE(save->isEnabled());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Lumadex Lite [New]*"));
    // A new database has no name yet: Save asks for one.
    questions.saveChoices.push_back({FileChoiceStatus::Cancelled, {}});
    Window().SpeedButton4->click();
    EXPECT_EQ(Status2(), QStringLiteral("Save Canceled."));
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Lumadex Lite [New]*"));
    const QString path = FileIn(files.path(), "pictures.lx2");
    questions.saveChoices.push_back(Chosen(path));
    Window().MenuItem(QStringLiteral("Savedatabaseas1"))->trigger();
    EXPECT_EQ(Status2(), QStringLiteral("Save done."));
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + path + "]");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(Window().SpeedButton4->isEnabled());

    // Open asks to save the changes first.
    const QString stored = WriteDatabase(FileIn(files.path(), "stored.lx2"), {"x.jpg", "y.jpg"});
    AddRecord(QStringLiteral("/p/unsaved.jpg"), kLookA);
    document.UpdateTitle(true);
    const qint64 savedSize = QFileInfo(path).size();
    questions.answers = {Answer::Yes};
    questions.openChoices = {Chosen(stored)};
    Window().MenuItem(QStringLiteral("Opendatabase1"))->trigger();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, QStringLiteral("Data changed. Save?"));
    EXPECT_GT(QFileInfo(path).size(), savedSize);
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{"/db/x.jpg", "/db/y.jpg"}));
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + stored + "]");
    EXPECT_EQ(Count1(), QStringLiteral("2/2"));

    questions.openChoices = {Chosen(WriteDatabase(FileIn(files.path(), "more.lx2"), {"m.jpg"}))};
    Window().MenuItem(QStringLiteral("MergeDatabase1"))->trigger();
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{"/db/m.jpg", "/db/x.jpg", "/db/y.jpg"}));
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + stored + "]*");
    EXPECT_TRUE(Window().StopBitBtn->isHidden());

    Window().ListBox1->SelectRow(0);
    questions.answers = {Answer::Yes};
    Window().SpeedButton8->click();
    EXPECT_EQ(questions.asked.size(), 2u);
    EXPECT_TRUE(Window().referenceStore().isEmpty());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Lumadex Lite [New]"));
    EXPECT_EQ(Count1(), QStringLiteral("0/0"));
    EXPECT_FALSE(Window().SpeedButton8->isEnabled());
}

// Three different photos and a copy of one of them, refreshed under "Has Similar Pics".
TEST_F(MainDatabaseTest, HasSimilarPicsListsTheLookAlikesAndTheStopButtonEndsTheSearch) {
    const QString folder = TestDataPath("photos/");
    const QString original = folder + "baboon.jpg";
    const QString copy = FileIn(files.path(), "baboon copy.jpg");
    ASSERT_TRUE(QFile::copy(original, copy));
    Window();
    AnalysisObserver observer;
    for (const QString& path : {original, folder + "fruits.jpg", folder + "coins.png", copy})
        ASSERT_EQ(document.pictures().AnalyseFile(path, observer), ItemResult::Done)
            << path.toStdString();
    document.UpdateTitle(true);
    Window().DataFilter->setCurrentIndex(1);
    EXPECT_EQ(Status2(), QStringLiteral("Search Done 2 Files found."));
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{copy, original}));
    EXPECT_EQ(Count1(), QStringLiteral("2/4"));
    // The first picture is selected and the Target list shows its look-alike.
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{original});
    Window().DataFilter->setCurrentIndex(0);
    EXPECT_EQ(Count1(), QStringLiteral("4/4"));

    // As soon as the search lets the window work: the commands that would destroy the records
    // it walks are refused, then the stop button is pressed.
    QTimer::singleShot(0, &Window(), [this] {
        Window().SpeedButton8->click();
        Window().MenuItem(QStringLiteral("Opendatabase1"))->trigger();
        Window().MenuItem(QStringLiteral("MergeDatabase1"))->trigger();
        EXPECT_FALSE(Window().StopBitBtn->isHidden());
        Window().StopBitBtn->click();
    });
    Window().DataFilter->setCurrentIndex(1);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(document.catalogue().count(), 4);
    EXPECT_TRUE(Window().referenceStore().isEmpty());
    EXPECT_TRUE(Window().StopBitBtn->isHidden());

    // The next refresh searches again; without robust operation the window does no work meanwhile.
    document.options().setValue(OptionId::AllowRobustOperation, 0);
    bool windowWorked = false;
    QTimer::singleShot(0, &Window(), [&windowWorked] { windowWorked = true; });
    Window().MenuItem(QStringLiteral("Refind1"))->trigger();
    EXPECT_FALSE(windowWorked);
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{copy, original}));
    EXPECT_EQ(Status2(), QStringLiteral("2 Files match."));
}

} // namespace
} // namespace lumadex::test
