#include "gui/main_window_fixture.h"

#include <QFile>

namespace lumadex::test {
namespace {

// Records in the database file, or -1 when there is no readable database.
int RecordsIn(const QString& path) {
    ScriptedQuestions readerQuestions;
    Document reader(NativePictureLoader(), readerQuestions);
    reader.setPendingDatabasePath(path);
    return reader.ReadDatabase() == ReadOutcome::Complete ? reader.catalogue().count() : -1;
}

QStringList HistoryFile(const PrivateSettingsFolder& settings) {
    QFile file(settings.file(QStringLiteral("history.cfg")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// A window over its own document and script, in a settings folder of its own.
struct ShutdownRun {
    PrivateSettingsFolder settings;
    ScriptedQuestions questions;
    Document document{NativePictureLoader(), questions};
    std::unique_ptr<TMain> window = std::make_unique<TMain>(document, questions);

    void AddChange(const char* path) {
        document.catalogue().AddRecord(std::make_unique<Pdata>(QString::fromLatin1(path)));
        document.UpdateTitle(true);
    }
};

using MainShutdownTest = MainWindowTest;

TEST_F(MainShutdownTest, EndingWithUnsavedChangesAsksOnceAndSavesOnlyOnYes) {
    const struct {
        const char* name;
        bool named;    // the database had been saved under a name before the last change
        Answer answer; // to the question at the end
        int recordsInFile;
    } rows[] = {
        {"named-yes", true, Answer::Yes, 2},
        {"named-no", true, Answer::No, 1},
        {"new-yes", false, Answer::Yes, 2},
        {"new-no", false, Answer::No, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShutdownRun run;
        run.window->show();
        const QString path = QDir(files.path()).filePath(QString::fromLatin1(row.name) + ".lx2");
        run.AddChange("/p/a.jpg");
        if (row.named) {
            run.questions.saveChoices.push_back(Chosen(path));
            run.window->Savedatabaseas1Click();
            ASSERT_FALSE(run.document.hasUnsavedChanges());
        }
        run.AddChange("/p/b.jpg");
        run.questions.asked.clear();
        run.questions.answers = {row.answer};
        if (!row.named && row.answer == Answer::Yes)
            run.questions.saveChoices.push_back(Chosen(path));

        // The program ends without the window's close question.
        run.window.reset();
        ASSERT_EQ(run.questions.asked.size(), 1u);
        EXPECT_EQ(run.questions.asked[0].text, QStringLiteral("Data changed.Save?"));
        EXPECT_EQ(run.questions.asked[0].caption,
                  row.named ? QString::fromLatin1(row.name) : QString());
        EXPECT_EQ(run.questions.asked[0].buttons, MessageButtons::YesNo);
        EXPECT_TRUE(run.questions.saveChoices.empty());
        EXPECT_FALSE(run.document.hasUnsavedChanges());
        EXPECT_EQ(RecordsIn(path), row.recordsInFile);
        // The history written after the question lists a database saved by it.
        EXPECT_EQ(HistoryFile(run.settings),
                  row.recordsInFile > 0 ? QStringList{path} : QStringList{});
    }
}

TEST_F(MainShutdownTest, ClosingWithNoDoesNotAskAgainAtTheEnd) {
    ShutdownRun run;
    run.window->show();
    run.AddChange("/p/a.jpg");
    run.questions.answers = {Answer::No};
    ASSERT_TRUE(run.window->close());
    run.window.reset();
    ASSERT_EQ(run.questions.asked.size(), 1u);
    EXPECT_EQ(run.questions.asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(QFile::exists(run.settings.file(QStringLiteral("app.cfg"))));
    EXPECT_TRUE(QFile::exists(run.settings.file(QStringLiteral("history.cfg"))));
}

} // namespace
} // namespace lumadex::test
