#include "main_window_fixture.h"
#include "store/default_options_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace lumadex::test {
namespace {

using MainStartupTest = MainWindowTest;

TEST_F(MainStartupTest, FirstStartWithoutSettingsFilesComesUpEmptyAndWritesThemAtTheEnd) {
    EXPECT_EQ(Status1(), QStringLiteral("Idle"));
    EXPECT_EQ(Count1(), QStringLiteral("0 File read"));
    EXPECT_EQ(Window().ComboBoxSort->toolTip(), QStringLiteral("Sort by"));
    EXPECT_EQ(Window().DisableAutoFind->text(), QStringLiteral("Disable Reference"));

    QSignalSpy language(&Window(), &TMain::MenuLanguageRequired);
    Window().show();
    // Without a defaults file the options keep their design values, menu language included.
    ASSERT_EQ(language.count(), 1);
    EXPECT_EQ(language.at(0).at(0).toBool(),
              lumadex::RowOf(OptionId::UseJapneseMenu).defaultValue != 0);
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Lumadex Lite [New]"));
    EXPECT_EQ(Count1(), QStringLiteral("0/0"));
    EXPECT_EQ(Window().ComboBoxSort->currentIndex(), 0);
    EXPECT_TRUE(Window().StopBitBtn->isHidden());
    EXPECT_TRUE(Window().ListBox1->recordModel()->rowCount() == 0);
    const QStringList crystalHints = {
        "All works well",           "No ploblem",          "Don't worry", "Relax", "What happen'?",
        "It's all right...perhaps", "There's no error,sir"};
    EXPECT_TRUE(crystalHints.contains(Window().Crystal->toolTip()));
    // Nothing to save, so nothing is asked.
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_TRUE(QFile::exists(settings.file(QStringLiteral("app.cfg"))));
    // The history is written when the window is destroyed.
    EXPECT_FALSE(QFile::exists(settings.file(QStringLiteral("history.cfg"))));
    window.reset();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_TRUE(QFile::exists(settings.file(QStringLiteral("history.cfg"))));
}

TEST_F(MainStartupTest, DatabaseOnTheCommandLineIsReadInsteadOfTheDefaults) {
    OptionModel defaults;
    defaults.setChoice(RadioChoice::Sortby, 2);
    ASSERT_TRUE(SaveDefaultOptions(settings.path() + "/", defaults));

    // Without a database the defaults file gives the options.
    Window().show();
    EXPECT_EQ(document.options().choice(RadioChoice::Sortby), 2);
    EXPECT_EQ(Window().ComboBoxSort->currentIndex(), 2);
    window.reset();

    // A database saved with sorting by size.
    ScriptedQuestions writerQuestions;
    Document writer(NativePictureLoader(), writerQuestions);
    writer.options().setChoice(RadioChoice::Sortby, 3);
    for (auto [name, size] : {std::pair{"small.jpg", 10}, std::pair{"large.jpg", 90}}) {
        auto record = std::make_unique<Pdata>(QStringLiteral("/db/") + QLatin1String(name));
        record->fileSize = size;
        writer.catalogue().AddRecord(std::move(record));
    }
    const QString path = QDir(files.path()).filePath(QStringLiteral("start.lx2"));
    writerQuestions.saveChoices.push_back(Chosen(path));
    ASSERT_EQ(writer.SaveAs(), SaveOutcome::Saved);

    ScriptedQuestions startQuestions;
    Document started(NativePictureLoader(), startQuestions);
    {
        TMain startedWindow(started, startQuestions);
        startedWindow.setStartDatabase(path);
        startedWindow.show();
        EXPECT_EQ(started.options().choice(RadioChoice::Sortby), 3);
        EXPECT_EQ(startedWindow.ComboBoxSort->currentIndex(), 3);
        EXPECT_EQ(ListedPaths(startedWindow.ListBox1),
                  (QStringList{QStringLiteral("/db/large.jpg"), QStringLiteral("/db/small.jpg")}));
        EXPECT_FALSE(started.hasUnsavedChanges());
        EXPECT_EQ(startedWindow.windowTitle(), "Lumadex Lite [" + path + "]");
        EXPECT_EQ(startedWindow.StatusBar1Panel1->text(), QStringLiteral("2/2"));
        EXPECT_TRUE(startedWindow.close());
    }
    EXPECT_TRUE(startQuestions.asked.empty());
    // The history read at start keeps the database opened from the command line.
    ScriptedQuestions nextQuestions;
    Document next(NativePictureLoader(), nextQuestions);
    TMain nextWindow(next, nextQuestions);
    EXPECT_EQ(next.history().entries(), QStringList{path});
}

TEST_F(MainStartupTest, ClosingWithChangesAsksToSaveAndStaysOpenUnlessTheDataIsSafe) {
    const struct {
        const char* name;
        Answer answer;
        bool saveChosen;
        bool closed;
    } rows[] = {
        {"cancel", Answer::Cancel, false, false},
        {"yes, save dialog cancelled", Answer::Yes, false, false},
        {"yes, saved", Answer::Yes, true, true},
        {"no", Answer::No, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PrivateSettingsFolder rowSettings;
        ScriptedQuestions rowQuestions;
        Document rowDocument(NativePictureLoader(), rowQuestions);
        TMain rowWindow(rowDocument, rowQuestions);
        rowWindow.show();
        auto record = std::make_unique<Pdata>(QStringLiteral("/p/a.jpg"));
        rowDocument.catalogue().AddRecord(std::move(record));
        rowDocument.UpdateTitle(true);
        const QString database = QDir(files.path()).filePath(QString::fromLatin1(row.name));
        rowQuestions.answers = {row.answer};
        if (row.answer == Answer::Yes)
            rowQuestions.saveChoices.push_back(
                row.saveChosen ? Chosen(database) : FileChoice{FileChoiceStatus::Cancelled, {}});

        EXPECT_EQ(rowWindow.close(), row.closed);
        ASSERT_EQ(rowQuestions.asked.size(), 1u);
        EXPECT_EQ(rowQuestions.asked[0].text, QStringLiteral("Data changed.Save?"));
        EXPECT_EQ(rowQuestions.asked[0].caption, QStringLiteral("[New]"));
        EXPECT_EQ(rowQuestions.asked[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(rowDocument.hasUnsavedChanges(), !row.closed);
        EXPECT_EQ(QFile::exists(database), row.saveChosen);
        EXPECT_EQ(QFile::exists(rowSettings.file(QStringLiteral("app.cfg"))), row.closed);
        EXPECT_EQ(rowWindow.isVisible(), !row.closed);
        EXPECT_TRUE(rowQuestions.saveChoices.empty());
        // Not about the destruction's question.
        rowDocument.ClearChangeFlags();
    }
}

TEST_F(MainStartupTest, CloseQuestionNamesTheDatabaseFile) {
    AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
    const QString path = QDir(files.path()).filePath(QStringLiteral("holiday.lx2"));
    questions.saveChoices.push_back(Chosen(path));
    Window().show();
    Window().Savedatabaseas1Click();
    document.UpdateTitle(true);
    questions.answers = {Answer::No};
    EXPECT_TRUE(Window().close());
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].caption, QStringLiteral("holiday"));
    // The database entered the file history, which is kept for the next start.
    window.reset();
    QFile history(settings.file(QStringLiteral("history.cfg")));
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(history.readAll()).contains(path));
}

TEST_F(MainStartupTest, HiddenButtonsAndGeometryComeBackAtTheNextStart) {
    Window().show();
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
    ASSERT_TRUE(Window().close());
    window.reset();

    Window().show();
    EXPECT_TRUE(Window().CopyButton->isHidden());
    EXPECT_FALSE(Window().MoveButton->isHidden());
    EXPECT_TRUE(Window().ButtonRenameLeft->isHidden());
    EXPECT_EQ(Window().size(), QSize(700, 520));
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
    for (const char* name : {"Open1", "AddPicturefromDir1", "Setup1", "Copy1", "About1"}) {
        QAction* item = Window().MenuItem(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_FALSE(item->isEnabled()) << name;
    }
    EXPECT_EQ(Window().MenuItem(QStringLiteral("Open1"))->text(),
              QStringLiteral("Add &Pictures..."));
    EXPECT_FALSE(Window().SpeedButton1->isEnabled());
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("MergeDatabase1"))->isVisible());

    int added = 0;
    Window().AttachCommand(QStringLiteral("Open1"), [&added] { ++added; });
    EXPECT_TRUE(Window().SpeedButton1->isEnabled());
    Window().SpeedButton1->click();
    EXPECT_EQ(added, 1);

    // Opening the menus applies their enabling rules.
    QMenu* database = Window().findChild<QMenu*>(QStringLiteral("DataBase1Menu"));
    QMenu* imageList = Window().findChild<QMenu*>(QStringLiteral("Action1Menu"));
    QMenu* help = Window().findChild<QMenu*>(QStringLiteral("Help1Menu"));
    Q_EMIT database->aboutToShow();
    Q_EMIT imageList->aboutToShow();
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("ClearAllDataEntry1"))->isEnabled());
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("Refind1"))->isEnabled());
    AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
    Q_EMIT database->aboutToShow();
    Q_EMIT imageList->aboutToShow();
    EXPECT_TRUE(Window().MenuItem(QStringLiteral("ClearAllDataEntry1"))->isEnabled());
    EXPECT_TRUE(Window().MenuItem(QStringLiteral("Refind1"))->isEnabled());

    QString manual;
    Window().setManualPathSource([&manual] { return manual; });
    Q_EMIT help->aboutToShow();
    EXPECT_FALSE(Window().MenuItem(QStringLiteral("Help2"))->isVisible());
    manual = QStringLiteral("/usr/share/doc/manual.html");
    Q_EMIT help->aboutToShow();
    EXPECT_TRUE(Window().MenuItem(QStringLiteral("Help2"))->isVisible());
}

TEST_F(MainStartupTest, DroppedFilesAreHandedOnAsLocalPaths) {
    Window().show();
    QSignalSpy dropped(&Window(), &TMain::PathsDropped);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/p/a.jpg")),
                  QUrl(QStringLiteral("https://example.org/b.jpg")),
                  QUrl::fromLocalFile(QStringLiteral("/p/folder"))});
    // The application delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &drop);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toStringList(),
              (QStringList{QStringLiteral("/p/a.jpg"), QStringLiteral("/p/folder")}));
}

} // namespace
} // namespace lumadex::test
