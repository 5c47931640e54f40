#include "core/store/scoped_settings_home.h"
#include "store/history.h"
#include "support/files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

constexpr int kDefaultHistoryCount = 20;

QString Db(int n) {
    return QStringLiteral("/data/db%1.lx2").arg(n);
}

FileHistory HistoryOf(const QStringList& newestLast) {
    FileHistory history;
    for (const QString& path : newestLast)
        history.add(path, kDefaultHistoryCount);
    return history;
}

TEST(FileHistory, NewPathsGoOnTopAndTheOldestDropOut) {
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty << Db(i);
    FileHistory history = HistoryOf(twenty);
    history.add(Db(21), kDefaultHistoryCount);
    EXPECT_EQ(history.entries().size(), 20);
    EXPECT_EQ(history.entries().front(), Db(21));
    EXPECT_EQ(history.entries().back(), Db(2));

    history.add(Db(22), 2);
    EXPECT_EQ(history.entries(), (QStringList{Db(22), Db(21)})) << "a lower limit trims it all";
}

class HistoryFiles : public ::testing::Test {
protected:
    QString PathOf(const QString& name, bool create) const {
        const QString path = QDir(home.path()).filePath(name);
        if (create)
            test::WriteFile(path, QByteArray());
        return path;
    }

    test::ScopedSettingsHome home;
};

TEST_F(HistoryFiles, OptimizeAndTheMenuSkipFilesThatAreGone) {
    const QString open = PathOf("open.lx2", true);
    const QString other = PathOf("other.lx2", true);
    const QString gone = PathOf("gone.lx2", false);
    FileHistory history = HistoryOf({gone, other, open});

    EXPECT_EQ(HistoryMenuEntries(history, open.toUpper(), false),
              (std::vector<HistoryMenuEntry>{{other, true}, {gone, false}}))
        << "the unchanged open database is not offered";
    EXPECT_EQ(HistoryMenuEntries(history, open, true).size(), 3u) << "unless it changed";

    history.optimize();
    EXPECT_EQ(history.entries(), (QStringList{open, other}));
}

TEST_F(HistoryFiles, SavedNewestFirstWithCrLfAndReadBack) {
    const QString folder = ProgramFolder();
    const QString file = QDir(folder).filePath("history.cfg");
    FileHistory history = HistoryOf({"/data/älter.lx2", Db(2), "/data/odd\nname.lx2"});
    ASSERT_TRUE(history.save(folder));
    EXPECT_EQ(test::ReadFile(file), QString("/data/db2.lx2\r\n/data/älter.lx2\r\n").toUtf8())
        << "a path with a line break cannot be kept";
    EXPECT_EQ(FileHistory::load(folder).entries(), (QStringList{Db(2), "/data/älter.lx2"}));

    test::WriteFile(file, "/a.lx2\r\n\r\n/b.lx2\n/A.LX2\r\n");
    EXPECT_EQ(FileHistory::load(folder).entries(), (QStringList{"/a.lx2", "/b.lx2"}))
        << "blank and repeated lines are skipped";
}

} // namespace
} // namespace lumadex
