// End-to-end cases of the database commands of the lumadex tool.
#include "cli/cli_runner.h"
#include "support/files.h"
#include "support/testdata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::CliResult;
using test::RunCli;

class DatabaseCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LUMADEX_REQUIRE_TESTDATA("photos");
        // Two views of one scene that look alike, and an unrelated picture.
        for (const char* name : {"left08.jpg", "left09.jpg", "baboon.jpg"})
            ASSERT_TRUE(QFile::copy(test::TestDataPath(QStringLiteral("photos/") + name),
                                    pictures_.filePath(name)));
        database_ = dir_.filePath("pictures.lx2");
        ASSERT_EQ(RunCli({"add", database_, pictures_.path()}).exitCode, 0);
    }

    QStringList DumpLines() {
        return RunCli({"dump", database_}).out.split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir_;
    QTemporaryDir picturesDir_;
    QDir pictures_{picturesDir_.path()};
    QString database_;
};

TEST_F(DatabaseCommandsTest, AddCreatesTheDatabaseAndDumpShowsEveryRecord) {
    const QStringList lines = DumpLines();
    ASSERT_EQ(lines.size(), 3);
    const QStringList fields = lines[0].split('\t');
    ASSERT_EQ(fields.size(), 8);
    EXPECT_EQ(fields[0], pictures_.filePath("baboon.jpg"));
    EXPECT_EQ(fields[1], RunCli({"sign", fields[0]}).out.left(8));
    EXPECT_EQ(fields[4], QString::number(QFileInfo(fields[0]).size()));
    EXPECT_TRUE(RunCli({"add", database_, pictures_.path()}).out.startsWith("0 pictures added"));
}

TEST_F(DatabaseCommandsTest, SimilarListsEachReferenceWithItsMatchesInTextAndJson) {
    const CliResult text = RunCli({"similar", database_});
    ASSERT_EQ(text.exitCode, 0);
    const QString left08 = pictures_.filePath("left08.jpg");
    const QString left09 = pictures_.filePath("left09.jpg");
    EXPECT_EQ(text.out, left08 + "\n  " + left09 + "\n" + left09 + "\n  " + left08 + "\n");
    const QJsonArray json =
        QJsonDocument::fromJson(RunCli({"similar", database_, "--json"}).out.toUtf8()).array();
    EXPECT_EQ(json[1].toObject()["matches"].toArray().first().toString(), left08);
}

TEST_F(DatabaseCommandsTest, SetChangesStoredOptionsAndRefusesUnknownOnes) {
    EXPECT_EQ(RunCli({"set", database_, "TrackBar1=3", "ExcludeSameFolder=1"}).exitCode, 0);
    const QString info = RunCli({"info", database_}).out;
    EXPECT_TRUE(info.startsWith("format version: 8\nrecords: 3\n"));
    EXPECT_TRUE(info.contains("\nTrackBar1=3\n"));
    // Every picture lies in one folder, so no pair is reported any more.
    EXPECT_TRUE(RunCli({"similar", database_}).out.isEmpty());

    EXPECT_EQ(RunCli({"set", database_, "NoSuchOption=1"}).exitCode, 2);
    EXPECT_EQ(RunCli({"set", database_, "TrackBar1=99"}).exitCode, 2);
    EXPECT_TRUE(RunCli({"info", database_}).out.contains("\nTrackBar1=3\n"));

    // Merging the database into itself under NotCare doubles every record.
    const QString copy = dir_.filePath("copy.lx2");
    ASSERT_EQ(RunCli({"set", database_, "NotCare=1"}).exitCode, 0);
    ASSERT_TRUE(QFile::copy(database_, copy));
    EXPECT_EQ(RunCli({"merge", database_, copy}).exitCode, 0);
    EXPECT_EQ(DumpLines().size(), 6);
}

TEST_F(DatabaseCommandsTest, RenameCsvKeepsTheLinesBeforeAnInvalidOne) {
    const QString csv = dir_.filePath("rename.csv");
    test::WriteFile(
        csv, QStringLiteral("old,folder,new\r\nBABOON.JPG,\"%1/\",monkey.jpg\r\nleft08.jpg,x\r\n")
                 .arg(pictures_.path())
                 .toUtf8());
    const CliResult run = RunCli({"rename-csv", database_, csv});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "1 FileName Changed.\n");
    EXPECT_EQ(run.err, "ERROR:Invalid CSV\n");
    EXPECT_TRUE(DumpLines().join('\n').contains(pictures_.filePath("monkey.jpg") + "\t"));
}

TEST_F(DatabaseCommandsTest, BrokenAndForeignFilesExitWithOneAndTheReadersMessage) {
    QFile database(database_);
    ASSERT_TRUE(database.open(QIODevice::ReadWrite));
    ASSERT_TRUE(database.resize(database.size() - 3));
    database.close();
    const CliResult broken = RunCli({"dump", database_});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains("File read error:File is broken.SCANDISK NOW!!"));
    // A database that could not be read whole is never written over.
    const qint64 size = QFileInfo(database_).size();
    EXPECT_EQ(RunCli({"add", database_, pictures_.path()}).exitCode, 1);
    EXPECT_EQ(QFileInfo(database_).size(), size);

    const CliResult foreign = RunCli({"info", pictures_.filePath("baboon.jpg")});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(foreign.err.contains("File format error:This file is not Lumadex database."));
}

} // namespace
} // namespace lumadex
