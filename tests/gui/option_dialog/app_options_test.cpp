#include "gui/main_window_fixture.h"
#include "main/manual.h"
#include "main/menu_captions.h"
#include "option_dialog/TOption.h"
#include "options/option_rows.h"
#include "store/default_options_file.h"

#include <QMenu>
#include <QRadioButton>

namespace lumadex::test {
namespace {

const char* const kSampleItems[] = {"File1", "Setup1", "AddPicturefromDir1", "Help2"};

// The captions of a few items of each menu in one language.
QStringList CaptionsIn(bool japanese) {
    QStringList captions;
    for (const char* item : kSampleItems)
        captions << CaptionText(*FindMenuCaption(QString::fromLatin1(item)), japanese);
    return captions;
}

class AppOptionsTest : public AppTest {
protected:
    QStringList ShownCaptions() {
        QStringList captions;
        for (const char* item : kSampleItems)
            captions << Caption(item);
        return captions;
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
    EXPECT_EQ(ShownCaptions(), CaptionsIn(japanese));
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), japanese);
    EXPECT_TRUE(windows->serverBlock().isOpen());
    // Help2 is offered exactly when the manual is found.
    Q_EMIT Main().findChild<QMenu*>(QStringLiteral("Help1Menu"))->aboutToShow();
    EXPECT_EQ(Main().MenuItem("Help2")->isVisible(), ManualExists());

    RunOptionDialog([&](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        EXPECT_EQ(ShownCaptions(), CaptionsIn(!japanese));
        dialog.RadioButtonbySize->click();
        EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 3);
        dialog.CancelButton->click();
    });
    EXPECT_EQ(ShownCaptions(), CaptionsIn(japanese));
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 0);
    EXPECT_FALSE(windows->document().optionsChanged());
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Lumadex Lite [New]"));

    // Ok keeps the change and marks the options modified in the title.
    RunOptionDialog([](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        dialog.OkButton->click();
    });
    EXPECT_EQ(ShownCaptions(), CaptionsIn(!japanese));
    EXPECT_TRUE(windows->document().optionsChanged());
    EXPECT_FALSE(windows->option().changed);
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Lumadex Lite [New]+"));
}

TEST_F(AppOptionsTest, DefaultsSetInTheDialogAreLoadedByTheNextStart) {
    Start();
    const bool japanese = JapaneseByDefault();
    RunOptionDialog([](TOption& dialog) {
        dialog.UseJapneseMenu->click();
        dialog.RadioButtonbyDate->click();
        dialog.SetDefault->click();
        dialog.CancelButton->click();
    });
    EXPECT_EQ(ShownCaptions(), CaptionsIn(japanese));

    Start();
    EXPECT_EQ(ShownCaptions(), CaptionsIn(!japanese));
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 2);
    // The dialog shows what the start loaded, and loading defaults is no user change.
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), !japanese);
    EXPECT_FALSE(windows->document().optionsChanged());
    RunOptionDialog([](TOption& dialog) {
        EXPECT_TRUE(dialog.RadioButtonbyDate->isChecked());
        dialog.CancelButton->click();
    });
    EXPECT_EQ(ShownCaptions(), CaptionsIn(!japanese));
}

// A database named at start brings its own options: the menus, the sort order and the
// dialog follow its header, not the defaults file, and the folder chooser offers its folder.
TEST_F(AppOptionsTest, DatabaseGivenAtStartBringsItsOptionsAndFolder) {
    OptionModel defaults;
    defaults.setValue(OptionId::UseJapneseMenu, JapaneseByDefault() ? 0 : 1);
    defaults.setChoice(RadioChoice::Sortby, 2);
    ASSERT_TRUE(SaveDefaultOptions(settings.path() + "/", defaults));
    OptionModel stored;
    stored.setChoice(RadioChoice::Sortby, 3);
    const QString folder = tree.MakeFolder("db");
    const QString path =
        WriteDatabase(folder + "/start.lx2", {"small.jpg", "large.jpg"}, stored, {10, 90});

    Start(path);
    EXPECT_EQ(ShownCaptions(), CaptionsIn(JapaneseByDefault()));
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 3);
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), JapaneseByDefault());
    EXPECT_TRUE(windows->option().RadioButtonbySize->isChecked());
    EXPECT_EQ(ListedPaths(Main().ListBox1), (QStringList{"/db/large.jpg", "/db/small.jpg"}));
    EXPECT_EQ(Main().windowTitle(), "Lumadex Lite [" + path + "]");
    EXPECT_EQ(Main().StatusBar1Panel1->text(), QStringLiteral("2/2"));
    EXPECT_FALSE(windows->document().hasUnsavedChanges());
    EXPECT_EQ(windows->dirSel().recentFolders(), QStringList{folder});
    EXPECT_TRUE(questions->asked.empty());

    // The history the next start reads keeps the database opened at start.
    ASSERT_TRUE(Main().close());
    Start();
    EXPECT_EQ(windows->document().history().entries(), QStringList{path});
}

} // namespace
} // namespace lumadex::test
