#include "core/catalogue/adding_test_tree.h"
#include "document/document.h"
#include "folders/TDirSel.h"
#include "folders/folder_tree.h"
#include "support/scripted_questions.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace lumadex::test {
namespace {

class DirSelTest : public testing::Test {
protected:
    QAction* MenuItem(const char* name) {
        return dirSel_.PopupMenu1->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Opens and closes the folder list's pop-up menu, which sets its items' states.
    void OpenPopupMenu() {
        dirSel_.PopupMenu1->popup(dirSel_.mapToGlobal(QPoint(10, 10)));
        dirSel_.PopupMenu1->hide();
    }

    PictureTree tree_;
    ScriptedQuestions questions_;
    Document document_{PictureLoader(), questions_};
    TDirSel dirSel_{document_, questions_};
};

TEST_F(DirSelTest, EachModeShowsItsCaptionAndControls) {
    const struct {
        int mode;
        const char* caption;
        bool searchSubfolder;
        bool qualityPanel;
    } rows[] = {{0, "Select Folder", false, false},
                {1, "Copy To...", false, false},
                {5, "Select JpegTo Folder", false, true},
                {6, "Select Folder", true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        dirSel_.SetMode(row.mode);
        EXPECT_EQ(dirSel_.windowTitle(), row.caption);
        EXPECT_EQ(dirSel_.PageControl1->currentWidget()->objectName(),
                  row.mode == 0 ? "foraImageRead" : "forCopyMove");
        EXPECT_EQ(!dirSel_.SearchSubfolder->isHidden(), row.searchSubfolder);
        EXPECT_EQ(!dirSel_.Panel1->isHidden(), row.qualityPanel);
    }

    // The depth is set only while "Set Depth" is checked.
    EXPECT_FALSE(dirSel_.UpDown1->isEnabled());
    dirSel_.LevelLimit->click();
    EXPECT_TRUE(dirSel_.UpDown1->isEnabled());

    // The label follows the track bar; showing sets the quality back to 75.
    dirSel_.TrackBar1->setValue(40);
    EXPECT_EQ(dirSel_.quiality->text(), "40");
    dirSel_.show();
    EXPECT_EQ(dirSel_.quality(), 75);
    EXPECT_EQ(dirSel_.quiality->text(), "75");
}

TEST_F(DirSelTest, RecentFoldersKeepTheLatestChoiceFirst) {
    const QString a = tree_.MakeFolder("A");
    const QString b = tree_.MakeFolder("B");
    dirSel_.SetMode(TDirSel::CopyTo);
    for (const QString& folder : {a, b, a}) {
        dirSel_.setDirectory(folder);
        dirSel_.Button1->click();
    }
    EXPECT_EQ(dirSel_.recentFolders(), (QStringList{a, b}));

    // Clicking an entry makes it the chosen folder; one removed since gives way to its parent.
    dirSel_.show();
    const auto click = [this](int row) {
        QTest::mouseClick(dirSel_.TreeView1->viewport(), Qt::LeftButton, {},
                          dirSel_.TreeView1->visualItemRect(dirSel_.TreeView1->item(row)).center());
    };
    click(1);
    EXPECT_EQ(dirSel_.directory(), b);
    ASSERT_TRUE(QDir(a).removeRecursively());
    click(0);
    EXPECT_EQ(dirSel_.directory(), tree_.root());
}

TEST_F(DirSelTest, MakeFolderCreatesAndEntersItOrSaysWhyNot) {
    const QString base = tree_.MakeFolder("base");
    const QString made = base + "/made";
    dirSel_.setDirectory(base);
    questions_.textAnswers = {std::nullopt, QStringLiteral("made"), QStringLiteral("made")};
    questions_.answers = {Answer::Ok};
    // The input box cancelled, then a new name.
    MenuItem("MakeFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), base);
    MenuItem("MakeFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), made);
    ASSERT_EQ(questions_.askedTexts.size(), 2u);
    EXPECT_EQ(questions_.askedTexts[1].prompt, "Folder Name");
    // A name already taken.
    dirSel_.setDirectory(base);
    MenuItem("MakeFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), base);
    ASSERT_EQ(questions_.asked.size(), 1u);
    EXPECT_EQ(questions_.asked[0].text, "Cannot create " + made);
    EXPECT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"made"});
}

TEST_F(DirSelTest, PopupMovesToTheDatabaseAndReferenceFolders) {
    const QString pictures = tree_.MakeFolder("pictures");
    const QString data = tree_.MakeFolder("data");
    Catalogue& catalogue = document_.catalogue();
    Pdata& record = catalogue.at(catalogue.AddRecord(std::make_unique<Pdata>(pictures + "/x.jpg")));
    questions_.saveChoices.push_back(Chosen(data + "/catalogue.lx2"));
    ASSERT_EQ(document_.SaveAs(), SaveOutcome::Saved);

    dirSel_.setDirectory(data);
    OpenPopupMenu();
    EXPECT_FALSE(MenuItem("HomeFolder1")->isEnabled());

    dirSel_.setDirectory(pictures);
    OpenPopupMenu();
    ASSERT_TRUE(MenuItem("HomeFolder1")->isEnabled());
    MenuItem("HomeFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), data);

    // Without a current reference "Move to File Folder" stays where it is.
    MenuItem("MovetoFileFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), data);
    document_.setCurrentReference(&record);
    MenuItem("MovetoFileFolder1")->trigger();
    EXPECT_EQ(dirSel_.directory(), pictures);
}

} // namespace
} // namespace lumadex::test
