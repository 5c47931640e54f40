#include "gui/main_window_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>

namespace lumadex::test {
namespace {

using MainStartupTest = MainWindowTest;

// A first start comes up empty and writes the settings at the end; the next start brings back
// the geometry and the buttons hidden.
TEST_F(MainStartupTest, FirstStartComesUpEmptyAndTheNextBringsBackGeometryAndHiddenButtons) {
    EXPECT_EQ(Status1(), QStringLiteral("Idle"));
    QSignalSpy language(&Window(), &TMain::MenuLanguageRequired);
    Window().show();
    // Without a defaults file the options keep their design values, menu language included.
    ASSERT_EQ(language.count(), 1);
    EXPECT_EQ(language.at(0).at(0).toBool(),
              lumadex::RowOf(OptionId::UseJapneseMenu).defaultValue != 0);
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Lumadex Lite [New]"));
    EXPECT_EQ(Count1(), QStringLiteral("0/0"));

    Window().resize(700, 520);
    // The right-click menu of the Target button row hides the Copy button.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* copy = menu->findChild<QAction*>(QStringLiteral("CopyButton"));
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->isChecked());
        copy->trigger();
        menu->close();
    });
    Q_EMIT Window().RightPanel->customContextMenuRequested(QPoint(2, 2));
    EXPECT_TRUE(Window().CopyButton->isHidden());
    // Nothing to save, so nothing is asked; the history is written when the window goes.
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(QFile::exists(FileIn(settings.path(), "app.cfg")));
    window.reset();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_TRUE(QFile::exists(FileIn(settings.path(), "history.cfg")));

    Window().show();
    EXPECT_TRUE(Window().CopyButton->isHidden());
    EXPECT_EQ(Window().size(), QSize(700, 520));
}

// A window over its own document and script, in a settings folder of its own, with a change
// not saved yet; when named, the database was saved as <name>.lx2 before that change.
struct ChangedRun {
    ChangedRun(const QString& path, bool named) {
        window->show();
        document.catalogue().AddRecord(std::make_unique<Pdata>(QStringLiteral("/p/a.jpg")));
        if (named) {
            questions.saveChoices.push_back(Chosen(path));
            EXPECT_EQ(document.SaveAs(), SaveOutcome::Saved);
        }
        document.catalogue().AddRecord(std::make_unique<Pdata>(QStringLiteral("/p/b.jpg")));
        document.UpdateTitle(true);
    }

    ScopedSettingsHome settings;
    ScriptedQuestions questions;
    Document document{NativePictureLoader(), questions};
    std::unique_ptr<TMain> window = std::make_unique<TMain>(document, questions);
};

// Records in the database file, or -1 when there is no readable database.
int RecordsIn(const QString& path) {
    ScriptedQuestions readerQuestions;
    Document reader(NativePictureLoader(), readerQuestions);
    reader.setPendingDatabasePath(path);
    return reader.ReadDatabase() == ReadOutcome::Complete ? reader.catalogue().count() : -1;
}

// The window's close asks with Cancel and stays open unless the data is safe; the program's end
// without a close asks once more without Cancel. Either asks once, whatever the answer.
TEST_F(MainStartupTest, UnsavedChangesAreOfferedToBeSavedAtCloseOrAtTheEnd) {
    const struct {
        const char* name;
        bool closing; // else the program ends without closing the window first
        bool named;
        Answer answer;
        std::optional<bool> saveChosen; // the save dialog shown: chosen or cancelled
        int recordsInFile;
    } rows[] = {{"close-cancel", true, false, Answer::Cancel, {}, -1},
                {"close-yes-cancelled", true, false, Answer::Yes, false, -1},
                {"close-yes-saved", true, false, Answer::Yes, true, 2},
                {"close-no-named", true, true, Answer::No, {}, 1},
                {"end-named-yes", false, true, Answer::Yes, {}, 2},
                {"end-new-yes", false, false, Answer::Yes, true, 2},
                {"end-new-no", false, false, Answer::No, {}, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = FileIn(files.path(), QString::fromLatin1(row.name) + ".lx2");
        ChangedRun run(path, row.named);
        run.questions.answers = {row.answer};
        if (row.saveChosen)
            run.questions.saveChoices.push_back(
                *row.saveChosen ? Chosen(path) : FileChoice{FileChoiceStatus::Cancelled, {}});
        const QString caption = row.named ? QString::fromLatin1(row.name) : QString();

        if (row.closing) {
            const bool closed = row.answer == Answer::No || row.saveChosen == true;
            EXPECT_EQ(run.window->close(), closed);
            EXPECT_EQ(run.window->isVisible(), !closed);
            ASSERT_EQ(run.questions.asked.size(), 1u);
            EXPECT_EQ(run.questions.asked[0].caption,
                      row.named ? caption : QStringLiteral("[New]"));
            EXPECT_EQ(run.questions.asked[0].buttons, MessageButtons::YesNoCancel);
            if (!closed)
                run.document.ClearChangeFlags();
        }
        run.window.reset();
        ASSERT_EQ(run.questions.asked.size(), 1u);
        EXPECT_EQ(run.questions.asked[0].text, QStringLiteral("Data changed.Save?"));
        if (!row.closing) {
            EXPECT_EQ(run.questions.asked[0].caption, caption);
            EXPECT_EQ(run.questions.asked[0].buttons, MessageButtons::YesNo);
        }
        EXPECT_TRUE(run.questions.saveChoices.empty());
        EXPECT_EQ(RecordsIn(path), row.recordsInFile);
        // The history written at the end lists a database saved under its name.
        EXPECT_EQ(ReadFile(FileIn(run.settings.path(), "history.cfg")).trimmed(),
                  row.recordsInFile > 0 ? path.toUtf8() : QByteArray());
    }
}

TEST_F(MainStartupTest, FirstStartSizeShowsTheButtonRowsWholeAndKeepsThePreviewSize) {
    Window().show();
    ASSERT_EQ(Window().size(), QSize(640, 480));
    const auto inWindow = [this](QWidget* widget) {
        return QRect(widget->mapTo(&Window(), QPoint()), widget->size());
    };
    for (QFrame* row : {Window().LeftPanel, Window().RightPanel}) {
        for (QPushButton* button : row->findChildren<QPushButton*>()) {
            if (button == Window().ButtonRenameLeft)
                continue;
            SCOPED_TRACE(button->objectName().toStdString());
            EXPECT_TRUE(button->isVisible());
            EXPECT_TRUE(inWindow(row).contains(inWindow(button)));
            EXPECT_TRUE(Window().rect().contains(inWindow(button)));
        }
    }
    EXPECT_EQ(Window().Image1->size(), QSize(105, 105));
    EXPECT_EQ(Window().Image2->size(), QSize(105, 105));
}

TEST_F(MainStartupTest, MenusOfferOnlyTheCommandsTheWindowCanRun) {
    Window().show();
    // Commands of windows not attached yet are present but disabled.
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("Setup1"))->isEnabled());
    EXPECT_FALSE(Window().SpeedButton1->isEnabled());
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("MergeDatabase1"))->isVisible());

    int added = 0;
    Window().AttachCommand(QStringLiteral("Open1"), [&added] { ++added; });
    Window().SpeedButton1->click();
    EXPECT_EQ(added, 1);

    // Opening the menus applies their enabling rules.
    const auto open = [this](const char* menu) {
        Q_EMIT Window().findChild<QMenu*>(QString::fromLatin1(menu))->aboutToShow();
    };
    for (const bool filled : {false, true}) {
        if (filled)
            AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
        open("DataBase1Menu");
        EXPECT_EQ(Window().MenuItem(QStringLiteral("ClearAllDataEntry1"))->isEnabled(), filled);
    }

    QString manual;
    Window().setManualPathSource([&manual] { return manual; });
    open("Help1Menu");
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("Help2"))->isVisible());
    manual = QStringLiteral("/usr/share/doc/manual.html");
    open("Help1Menu");
    EXPECT_TRUE(Window().MenuItem(QStringLiteral("Help2"))->isVisible());
}

} // namespace
} // namespace lumadex::test
