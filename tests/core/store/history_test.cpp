#include "store/history.h"
#include "core/store/scoped_settings_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

constexpr int kDefaultHistoryCount = 20;

QString Db(int n) {
    return QStringLiteral("/data/db%1.lx2").arg(n);
}

FileHistory HistoryOf(const QStringList& newestLast, int limit = kDefaultHistoryCount) {
    FileHistory history;
    for (const QString& path : newestLast)
        history.add(path, limit);
    return history;
}

TEST(FileHistory, NewPathsGoOnTopAndTheOldestDropOut) {
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty << Db(i);
    FileHistory history = HistoryOf(twenty);
    ASSERT_EQ(history.entries().size(), 20);
    EXPECT_EQ(history.entries().front(), Db(20));
    EXPECT_EQ(history.entries().back(), Db(1));

    history.add(Db(21), kDefaultHistoryCount);
    EXPECT_EQ(history.entries().size(), 20);
    EXPECT_EQ(history.entries().front(), Db(21));
    EXPECT_EQ(history.entries().back(), Db(2));
}

TEST(FileHistory, ALowerLimitTrimsTheWholeExcess) {
    FileHistory history = HistoryOf({Db(1), Db(2), Db(3), Db(4), Db(5)});
    history.add(Db(6), 2);
    EXPECT_EQ(history.entries(), (QStringList{Db(6), Db(5)}));
    history.add(Db(7), 0);
    EXPECT_TRUE(history.isEmpty());
}

TEST(FileHistory, AKnownPathKeepsItsPlaceWhateverItsCase) {
    FileHistory history = HistoryOf({"/data/A.lx2", "/data/b.lx2", "/data/c.lx2"});
    history.add("/DATA/a.LX2", kDefaultHistoryCount);
    history.add("", kDefaultHistoryCount);
    EXPECT_EQ(history.entries(), (QStringList{"/data/c.lx2", "/data/b.lx2", "/data/A.lx2"}));
}

TEST(FileHistory, OpeningFromTheHistoryMovesTheEntryToTheTop) {
    FileHistory history = HistoryOf({Db(1), Db(2), Db(3)});
    history.moveToTop("/DATA/DB1.LX2");
    EXPECT_EQ(history.entries(), (QStringList{Db(1), Db(3), Db(2)}));
    history.moveToTop("/data/unknown.lx2");
    EXPECT_EQ(history.entries(), (QStringList{Db(1), Db(3), Db(2)}));
}

TEST(FileHistory, OptimizeDropsEntriesWhoseFileIsGone) {
    test::ScopedSettingsHome home;
    const QString kept = QDir(home.path()).filePath("kept.lx2");
    QFile(kept).open(QIODevice::WriteOnly);
    const QString gone = QDir(home.path()).filePath("gone.lx2");
    FileHistory history = HistoryOf({gone, kept, gone + "x"});
    history.optimize();
    EXPECT_EQ(history.entries(), QStringList{kept});
    history.clear();
    EXPECT_TRUE(history.isEmpty());
}

TEST(FileHistory, SavedNewestFirstWithCrLfAndReadBack) {
    test::ScopedSettingsHome home;
    const QString folder = ProgramFolder();
    const QString file = QDir(folder).filePath("history.cfg");
    FileHistory history = HistoryOf({"/data/älter.lx2", Db(2), "/data/odd\nname.lx2"});
    ASSERT_TRUE(history.save(folder));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QString("/data/db2.lx2\r\n/data/älter.lx2\r\n").toUtf8())
        << "a path with a line break cannot be kept";
    saved.close();

    EXPECT_EQ(FileHistory::load(folder).entries(), (QStringList{Db(2), "/data/älter.lx2"}));

    history.clear();
    ASSERT_TRUE(history.save(folder));
    EXPECT_EQ(QFile(file).size(), 0);
    EXPECT_TRUE(FileHistory::load(folder).isEmpty());
}

TEST(FileHistory, LoadSkipsBlankAndRepeatedLines) {
    test::ScopedSettingsHome home;
    QFile file(QDir(home.path()).filePath("history.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("/a.lx2\r\n\r\n/b.lx2\n/A.LX2\r\n");
    file.close();
    EXPECT_EQ(FileHistory::load(home.path()).entries(), (QStringList{"/a.lx2", "/b.lx2"}));
    EXPECT_TRUE(FileHistory::load(QDir(home.path()).filePath("missing")).isEmpty());
}

TEST(FileHistory, MenuEntries) {
    test::ScopedSettingsHome home;
    const QString open = QDir(home.path()).filePath("open.lx2");
    const QString other = QDir(home.path()).filePath("other.lx2");
    const QString gone = QDir(home.path()).filePath("gone.lx2");
    QFile(open).open(QIODevice::WriteOnly);
    QFile(other).open(QIODevice::WriteOnly);
    const FileHistory history = HistoryOf({gone, other, open});

    EXPECT_EQ(HistoryMenuEntries(history, open.toUpper(), false),
              (std::vector<HistoryMenuEntry>{{other, true}, {gone, false}}))
        << "the unchanged open database is not offered";
    EXPECT_EQ(HistoryMenuEntries(history, open, true),
              (std::vector<HistoryMenuEntry>{{open, true}, {other, true}, {gone, false}}));
    EXPECT_EQ(HistoryMenuEntries(history, "", false).size(), 3u);
}

} // namespace
} // namespace lumadex
