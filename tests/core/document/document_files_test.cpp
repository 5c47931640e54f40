#include "core/document/document_test_support.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>

namespace lumadex {
namespace {

using test::Bytes;
using test::Chosen;
using test::DatabaseBytes;
using test::DocumentTest;
using test::Named;

// Files written by this process may not grow past limit bytes while the object lives: writes
// beyond it fail as on a full disk.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t limit) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST_F(DocumentTest, SaveAsWritesTheChosenFileAndOpenReadsItBack) {
    Pdata& reference = AddRecord("/p/b.jpg", 2);
    AddRecord("/p/a.jpg", 1);
    reference.mismatchId = 3;
    reference.AddMemoLink(std::uint32_t(document_.memos().AddMemo("tag", 100)));
    document_.setCurrentReference(&reference);
    const QString path = PathOf("pictures.lx2");
    questions_.saveChoices = {Chosen(path)};

    EXPECT_EQ(document_.Save(), SaveOutcome::Saved);
    EXPECT_EQ(questions_.saveRequests[0].defaultExtension, "lx2");
    EXPECT_FALSE(document_.hasUnsavedChanges());
    EXPECT_EQ(observer_.Of("result"), QStringList{"Save done."});

    document_.ClearAllData();
    questions_.openChoices = {Chosen(path)};
    observer_.events.clear();
    document_.Open();
    ASSERT_EQ(document_.catalogue().count(), 2);
    EXPECT_EQ(document_.catalogue().at(1).MemoLinkCount(), 1);
    EXPECT_FALSE(document_.mismatchNumbers().IsFree(3));
    EXPECT_TRUE(observer_.events.contains("read:/p/b.jpg|" + dir_.path() + "/"))
        << "the saved reference is selected again";
}

TEST_F(DocumentTest, SaveThatWritesNothingKeepsTheFlags) {
    AddRecord("/p/a.jpg");
    WriteFile(PathOf("plain"), Bytes{1});
    const QString uncreatable = PathOf("plain/pictures.lx2");
    questions_.saveChoices = {FileChoice{FileChoiceStatus::Cancelled, {}}, Chosen(uncreatable)};

    EXPECT_EQ(document_.Save(), SaveOutcome::Cancelled);
    EXPECT_EQ(observer_.Of("result"), QStringList{"Save Canceled."});
    EXPECT_EQ(document_.Save(), SaveOutcome::Failed);
    EXPECT_EQ(listener_.logged, QStringList{"Can't open " + uncreatable});
    EXPECT_TRUE(document_.dataChanged());
}

TEST_F(DocumentTest, FailedWriteKeepsThePreviousDatabaseIntact) {
    AddRecord("/p/a.jpg");
    const QString path = PathOf("pictures.lx2");
    questions_.saveChoices = {Chosen(path)};
    ASSERT_EQ(document_.Save(), SaveOutcome::Saved);
    const QByteArray saved = test::ReadFile(path);

    for (int i = 0; i < 2000; ++i)
        AddRecord(QStringLiteral("/p/more/%1.jpg").arg(i));
    questions_.answers = {Answer::Ok};
    {
        const ScopedFileSizeLimit limit(rlim_t(saved.size()) + 4096);
        EXPECT_EQ(document_.Save(), SaveOutcome::Failed);
    }
    EXPECT_EQ(test::ReadFile(path), saved);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"pictures.lx2"})
        << "no temporary file is left behind";
    EXPECT_EQ(listener_.logged, QStringList{"Write error. Disk full?"});
    ASSERT_EQ(questions_.asked.size(), 1u);
    EXPECT_EQ(questions_.asked[0].text,
              "Data is NOT saved completely.\nPlease check your disk and retry.");
    EXPECT_EQ(questions_.asked[0].caption, "Serious Error");
    EXPECT_TRUE(document_.dataChanged());
}

TEST_F(DocumentTest, SaveDialogThatCannotBeShownSavesToTheEmergencyFile) {
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir_.path().toLocal8Bit());
    AddRecord("/p/a.jpg");
    questions_.saveChoices = {FileChoice{FileChoiceStatus::DialogFailed, {}}};
    questions_.answers = {Answer::Ok};

    const SaveOutcome outcome = document_.SaveAs();
    qputenv("HOME", home);
    EXPECT_EQ(outcome, SaveOutcome::Saved);
    const QString emergency = dir_.path() + "/emergency.lx2";
    ASSERT_EQ(questions_.asked.size(), 1u);
    EXPECT_EQ(questions_.asked[0].text,
              "Can't execute Dialogbox.Data is save as <" + emergency + ">");
    EXPECT_EQ(document_.databasePath(), emergency);
    EXPECT_TRUE(QFile::exists(emergency));
}

TEST_F(DocumentTest, OpenAsksToSaveChangesFirst) {
    const QString file = PathOf("other.lx2");
    WriteFile(file, DatabaseBytes(8, {Named("/o/x.jpg")}));
    struct Row {
        const char* name;
        std::deque<Answer> answers;
        std::deque<FileChoice> saveChoices;
        bool opened;
    };
    WriteFile(PathOf("plain"), Bytes{1});
    const Row rows[] = {{"Cancel", {Answer::Cancel}, {}, false},
                        {"Yes, save failed", {Answer::Yes}, {Chosen(PathOf("plain/x.lx2"))}, false},
                        {"No", {Answer::No}, {}, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::ScriptedQuestions questions;
        questions.answers = row.answers;
        questions.saveChoices = row.saveChoices;
        questions.openChoices = {Chosen(file)};
        Document document(PictureLoader(), questions);
        test::RecordingDocumentObserver observer;
        document.SetObserver(&observer);
        document.catalogue().AddRecord(std::make_unique<Pdata>(QStringLiteral("/mine/a.jpg")));
        document.setDataChanged(true);

        document.Open();
        ASSERT_FALSE(questions.asked.empty());
        EXPECT_EQ(questions.asked[0].text, "Data changed. Save?");
        EXPECT_EQ(questions.asked[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(document.catalogue().at(0).fileName, row.opened ? "/o/x.jpg" : "/mine/a.jpg");
        EXPECT_EQ(observer.Of("result").contains("Open Database Canceled."), !row.opened);
        EXPECT_EQ(document.dataChanged(), !row.opened);
    }
}

TEST_F(DocumentTest, FilesThatCannotBeReadAreReported) {
    const QString previous = PathOf("previous.lx2");
    questions_.saveChoices = {Chosen(previous)};
    AddRecord("/p/a.jpg");
    ASSERT_EQ(document_.Save(), SaveOutcome::Saved);

    const QString notDatabase = PathOf("text.lx2");
    WriteFile(notDatabase, Bytes(200, 'a'));
    Bytes brokenBytes = DatabaseBytes(8, {Named("/b/1.jpg"), Named("2.jpg")});
    brokenBytes.resize(brokenBytes.size() - 1);
    const QString broken = PathOf("broken.lx2");
    WriteFile(broken, brokenBytes);
    struct Row {
        QString path;
        ReadOutcome outcome;
        QString message;
        QString pathAfter;
        int records;
    };
    const Row rows[] = {
        {notDatabase, ReadOutcome::NotDatabase,
         "File format error:This file is not Lumadex database.", previous, 1},
        {PathOf("missing.lx2"), ReadOutcome::CantOpen, "Can't open " + PathOf("missing.lx2"),
         previous, 1},
        {broken, ReadOutcome::Broken, "File read error:File is broken.SCANDISK NOW!!", broken, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        listener_.logged.clear();
        EXPECT_EQ(ReadFile(row.path), row.outcome);
        EXPECT_EQ(listener_.logged, QStringList{row.message});
        EXPECT_EQ(document_.databasePath(), row.pathAfter);
        EXPECT_EQ(document_.catalogue().count(), row.records);
    }
}

TEST_F(DocumentTest, StopButtonEndsAnImportAndLaterReadsRunInFull) {
    std::vector<test::StoredRecord> records;
    for (int i = 0; i < 600; ++i)
        records.push_back(Named("/p/" + std::to_string(1000 + i) + ".jpg"));
    const QString path = PathOf("many.lx2");
    WriteFile(path, DatabaseBytes(8, records));
    int calls = 0;
    observer_.onMessages = [&] { return ++calls == 300; };

    questions_.openChoices = {Chosen(path)};
    document_.Import();
    EXPECT_EQ(document_.catalogue().count(), 300);
    EXPECT_EQ(observer_.Of("count"), QStringList{"256 Files"});

    observer_.onMessages = nullptr;
    EXPECT_EQ(ReadFile(path), ReadOutcome::Complete);
    EXPECT_EQ(document_.catalogue().count(), 300 + 600 - 300) << "DontAdd drops the repeats";
}

} // namespace
} // namespace lumadex
