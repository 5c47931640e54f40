#include "gui/main_window_fixture.h"
#include "main/menu_captions.h"

#include <QMenu>

namespace lumadex::test {
namespace {

class MainHistoryTest : public MainWindowTest {
protected:
    QString Database(const char* name, std::initializer_list<const char*> records = {"x.jpg"}) {
        return WriteDatabase(FileIn(files.path(), QString::fromUtf8(name)), records);
    }
    void OpenWithDialog(const QString& path) {
        questions.openChoices.push_back(Chosen(path));
        Window().MenuItem(QStringLiteral("Opendatabase1"))->trigger();
    }
    // Opens the File menu (which rebuilds its history items) and returns those items.
    QList<QAction*> OpenFileMenu() {
        QMenu* file = Window().findChild<QMenu*>(QStringLiteral("File1Menu"));
        Q_EMIT file->aboutToShow();
        QList<QAction*> items = file->actions();
        QAction* separator = Window().findChild<QAction*>(QStringLiteral("HistorySeparator"));
        items.remove(0, items.indexOf(separator) + 1);
        return items;
    }
    // The paths the history items show, "-" marking a disabled one.
    QStringList ShownItems() {
        QStringList shown;
        for (QAction* item : OpenFileMenu())
            shown << (item->isEnabled() ? QString() : QStringLiteral("-")) + item->iconText();
        return shown;
    }
    QAction* ItemFor(const QString& path) {
        for (QAction* item : OpenFileMenu())
            if (item->iconText() == path)
                return item;
        ADD_FAILURE() << "no history item for " << path.toStdString();
        return nullptr;
    }
    bool HistoryCommandsEnabled() {
        OpenFileMenu();
        return Window().MenuItem(QStringLiteral("OptimizeHistory1"))->isEnabled();
    }
};

// Importing with automatic renaming gives names with "&", which a caption would otherwise take
// for an accelerator mark.
TEST_F(MainHistoryTest, ItemsOpenTheirDatabaseAfterTheSaveQuestionAndOptimizeAndClearTheList) {
    const QString first = Database("a&b.lx2", {"x.jpg", "y.jpg"});
    const QString gone = Database("gone.lx2");
    const QString second = Database("second.lx2", {"z.jpg"});
    Window().show();
    EXPECT_FALSE(HistoryCommandsEnabled());
    for (const QString& path : {gone, first, second})
        OpenWithDialog(path);
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_TRUE(HistoryCommandsEnabled());
    // The open database is not offered while it is unchanged, a missing one is disabled.
    for (const bool japanese : {true, false}) {
        SetMenuLanguage(Window(), japanese);
        EXPECT_EQ(ShownItems(), (QStringList{first, "-" + gone})) << japanese;
    }

    ItemFor(first)->trigger();
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + first + "]");
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{"/db/x.jpg", "/db/y.jpg"}));
    EXPECT_EQ(document.history().entries(), (QStringList{first, second, gone}));

    // Once changed it is offered too; Cancel at the question keeps the changes.
    AddRecord(QStringLiteral("/p/added.jpg"), kLookB);
    document.UpdateTitle(true);
    EXPECT_EQ(ShownItems(), (QStringList{first, second, "-" + gone}));
    questions.answers = {Answer::Cancel};
    ItemFor(second)->trigger();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, QStringLiteral("Data changed. Save?"));
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + first + "]*");
    // The next Open asks for its file instead of reading the cancelled choice unasked.
    questions.answers = {Answer::No};
    questions.openRequests.clear();
    OpenWithDialog(first);
    EXPECT_EQ(questions.openRequests.size(), 1u);
    EXPECT_EQ(Window().windowTitle(), "Lumadex Lite [" + first + "]");

    Window().MenuItem(QStringLiteral("OptimizeHistory1"))->trigger();
    EXPECT_EQ(ShownItems(), QStringList{second});
    Window().MenuItem(QStringLiteral("ClearHistory1"))->trigger();
    EXPECT_EQ(ShownItems(), QStringList{});
    EXPECT_FALSE(HistoryCommandsEnabled());
}

} // namespace
} // namespace lumadex::test
