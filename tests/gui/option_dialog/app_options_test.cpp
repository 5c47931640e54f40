#include "catalogue/picture_loader.h"
#include "folders/TDirSel.h"
#include "gui/app_fixture.h"
#include "main/manual.h"
#include "main/menu_captions.h"
#include "option_dialog/TOption.h"
#include "options/option_rows.h"
#include "store/default_options_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace lumadex::test {
namespace {

// The captions of a few items of each menu in one language.
QStringList CaptionsIn(bool japanese) {
    QStringList captions;
    for (const char* item : {"File1", "Setup1", "AddPicturefromDir1", "Help2"})
        captions << CaptionText(*FindMenuCaption(QString::fromLatin1(item)), japanese);
    return captions;
}

class AppOptionsTest : public AppTest {
protected:
    QStringList ShownCaptions() {
        QStringList captions;
        for (const char* item : {"File1", "Setup1", "AddPicturefromDir1", "Help2"})
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

TEST_F(AppOptionsTest, FirstStartWithoutSettingsFilesShowsTheDefaultLanguage) {
    Start();
    EXPECT_EQ(ShownCaptions(), CaptionsIn(JapaneseByDefault()));
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), JapaneseByDefault());
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Lumadex Lite [New]"));
    EXPECT_TRUE(windows->serverBlock().isOpen());

    // Help2 is offered exactly when the manual is found.
    QMenu* help = Main().findChild<QMenu*>(QStringLiteral("Help1Menu"));
    Q_EMIT help->aboutToShow();
    EXPECT_EQ(Main().MenuItem("Help2")->isVisible(), ManualExists());
}

TEST_F(AppOptionsTest, MenuLanguageFollowsTheDialogAtOnceAndCancelRestoresIt) {
    Start();
    const bool japanese = JapaneseByDefault();
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
    EXPECT_TRUE(windows->option().RadioButtonbyDate->isChecked());
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
    ASSERT_TRUE(SaveDefaultOptions(settings.path() + "/", defaults));
    ScriptedQuestions writerQuestions;
    Document writer(NativePictureLoader(), writerQuestions);
    writer.options().setValue(OptionId::UseJapneseMenu, JapaneseByDefault() ? 1 : 0);
    writer.options().setChoice(RadioChoice::Sortby, 3);
    writer.catalogue().AddRecord(std::make_unique<Pdata>(QStringLiteral("/db/a.jpg")));
    const QString folder = tree.MakeFolder("db");
    writerQuestions.saveChoices.push_back(Chosen(folder + "/start.lx2"));
    ASSERT_EQ(writer.SaveAs(), SaveOutcome::Saved);

    Start(folder + "/start.lx2");
    EXPECT_EQ(ShownCaptions(), CaptionsIn(JapaneseByDefault()));
    EXPECT_EQ(Main().ComboBoxSort->currentIndex(), 3);
    EXPECT_EQ(windows->option().UseJapneseMenu->isChecked(), JapaneseByDefault());
    EXPECT_TRUE(windows->option().RadioButtonbySize->isChecked());
    EXPECT_EQ(ReferenceRows(), 1);
    EXPECT_EQ(windows->dirSel().recentFolders(), QStringList{folder});
}

} // namespace
} // namespace lumadex::test
