#include "gui/main_window_fixture.h"
#include "main/manual.h"
#include "main/menu_captions.h"
#include "option_dialog/TOption.h"
#include "options/option_rows.h"

#include <QMenu>
#include <QRadioButton>

namespace lumadex::test {
namespace {

class AppOptionsTest : public AppTest {
protected:
    // The menu language shown, read from the captions of a menu and of an item.
    bool JapaneseShown() {
        const bool japanese = Caption("Setup1") == CaptionText(*FindMenuCaption(u"Setup1"), true);
        EXPECT_EQ(Caption("File1"), CaptionText(*FindMenuCaption(u"File1"), japanese));
        return japanese;
    }
    // Runs "Option..." with steps done on the open dialog before it is closed by one of its
    // buttons.
    void RunOptionDialog(const std::function<void(TOption&)>& steps) {
        TOption& dialog = windows->option();
        QTimer::singleShot(0, &dialog, [&dialog, steps] {
            ASSERT_TRUE(dialog.isVisible());
            steps(dialog);
        });
        Main().MenuItem("Setup1")->trigger();
        EXPECT_FALSE(dialog.isVisible());
    }
    static bool JapaneseByDefault() { return RowOf(OptionId::UseJapneseMenu).defaultValue != 0; }
};

TEST_F(AppOptionsTest, MenuLanguageFollowsTheDialogAtOnceAndCancelRestoresIt) {
    // A first start without settings files shows the default language.
    Start();
    const bool japanese = JapaneseByDefault();
    EXPECT_EQ(JapaneseShown(), japanese);
    EXPECT_TRUE(windows->serverBlock().isOpen());
    // Help2 is offered exactly when the manual is found.
    Q_EMIT Main().findChild<QMenu*>(QStringLiteral("Help1Menu"))->aboutToShow();
    EXPECT_EQ(Main().MenuItem("Help2")->isVisible(), ManualExists());

    RunOptionDialog([&](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        EXPECT_EQ(JapaneseShown(), !japanese);
        dialog.RadioButtonbySize->click();
        EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 3);
        dialog.CancelButton->click();
    });
    EXPECT_EQ(JapaneseShown(), japanese);
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 0);
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Lumadex Lite [New]"));

    // Ok keeps the change and marks the options modified in the title.
    RunOptionDialog([](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        dialog.OkButton->click();
    });
    EXPECT_EQ(JapaneseShown(), !japanese);
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Lumadex Lite [New]+"));
}

// Defaults set in the dialog are loaded by the next start, unless a database named at start
// brings its own options: then the menus, the sort order and the dialog follow its header, and
// the folder chooser offers its folder.
TEST_F(AppOptionsTest, TheNextStartLoadsTheDefaultsOrTheOptionsOfTheDatabaseGiven) {
    Start();
    const bool japanese = JapaneseByDefault();
    RunOptionDialog([](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        dialog.RadioButtonbyDate->click();
        dialog.SetDefault->click();
        dialog.CancelButton->click();
    });
    EXPECT_EQ(JapaneseShown(), japanese);
    Start();
    EXPECT_EQ(JapaneseShown(), !japanese);
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 2);
    // The dialog shows what the start loaded, and loading defaults is no user change.
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), !japanese);
    EXPECT_FALSE(windows->document().optionsChanged());
    EXPECT_TRUE(windows->option().RadioButtonbyDate->isChecked());

    OptionModel stored;
    stored.setChoice(RadioChoice::Sortby, 3);
    const QString folder = tree.MakeFolder("db");
    const QString path =
        WriteDatabase(folder + "/start.lx2", {"small.jpg", "large.jpg"}, stored, {10, 90});
    Start(path);
    EXPECT_EQ(JapaneseShown(), japanese);
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 3);
    EXPECT_TRUE(windows->option().RadioButtonbySize->isChecked());
    EXPECT_EQ(ListedPaths(Main().ListBox1), (QStringList{"/db/large.jpg", "/db/small.jpg"}));
    EXPECT_EQ(Main().windowTitle(), "Lumadex Lite [" + path + "]");
    EXPECT_EQ(windows->dirSel().recentFolders(), QStringList{folder});
    EXPECT_TRUE(questions->asked.empty());

    // The history the next start reads keeps the database opened at start.
    ASSERT_TRUE(Main().close());
    Start();
    EXPECT_EQ(windows->document().history().entries(), QStringList{path});
}

} // namespace
} // namespace lumadex::test
