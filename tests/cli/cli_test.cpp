// End-to-end cases of the lumadex command: given these files and arguments, this output, this
// exit status and these files on disk.
#include "cli/cli_runner.h"
#include "support/files.h"
#include "support/testdata.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::CliResult;
using test::RunCli;

QString Photo(const char* name) {
    return test::TestDataPath(QStringLiteral("photos/") + name);
}

TEST(CliTest, UsageErrorsExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"sign"}, QStringList{"sign", "--region", "1,2,3", "a.jpg"},
          QStringList{"convert", "--jpeg", "24", "a", "b"},
          QStringList{"convert", "--png", "NONE", "--gray", "a", "b"}}) {
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
    }
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("sign [--region L,T,R,B] FILE..."));
}

TEST(CliTest, SignPrintsWordsOrTheRefusalAndExitsOneWhenAnyFileIsRefused) {
    LUMADEX_REQUIRE_TESTDATA("photos");
    QTemporaryDir dir;
    const QString tiny = dir.filePath("tiny.jpg");
    test::WriteFile(tiny, QByteArray(100, 'x'));

    const CliResult run = RunCli({"sign", Photo("baboon.jpg"), tiny, Photo("camera.png")});
    EXPECT_EQ(run.exitCode, 1);
    const QString words = "[0-9A-F]{8} [0-9A-F]{8} (.* )?";
    const QRegularExpression line("^" + words + QRegularExpression::escape(Photo("baboon.jpg")) +
                                  "\n" + words + QRegularExpression::escape(Photo("camera.png")) +
                                  "\n$");
    EXPECT_TRUE(line.match(run.out).hasMatch()) << run.out.toStdString();
    EXPECT_EQ(run.err, "File is too small," + tiny + "\n");

    // A region covering the whole picture (clamped from beyond its edges) signs like the picture.
    EXPECT_EQ(RunCli({"sign", "--region", "-5,-5,100000,100000", Photo("baboon.jpg")}).out,
              RunCli({"sign", Photo("baboon.jpg")}).out);
    const CliResult tooSmall = RunCli({"sign", "--region", "0,0,15,100", Photo("baboon.jpg")});
    EXPECT_EQ(tooSmall.exitCode, 1);
    EXPECT_EQ(tooSmall.err, "Analyze error\n");
}

// A PNG written by convert holds the same pixels, so it signs like its source; a JPEG is
// close enough for an independent reader to see the same picture size.
TEST(CliTest, ConvertWritesFilesThatReadBack) {
    LUMADEX_REQUIRE_TESTDATA("photos");
    QTemporaryDir dir;
    const QString source = Photo("baboon.jpg");
    for (const char* level : {"NONE", "MINIMUM"}) {
        const QString png = dir.filePath(QStringLiteral("out-%1.png").arg(level));
        ASSERT_EQ(RunCli({"convert", "--png", level, source, png}).exitCode, 0) << level;
        EXPECT_EQ(RunCli({"sign", png}).out.left(17), RunCli({"sign", source}).out.left(17));
    }
    const QString jpeg = dir.filePath("grey.jpg");
    ASSERT_EQ(RunCli({"convert", "--jpeg", "60", "--gray", source, jpeg}).exitCode, 0);
    const QImage written(jpeg);
    EXPECT_EQ(written.size(), QImage(source).size());
    EXPECT_TRUE(written.isGrayscale());

    const CliResult unreadable = RunCli({"convert", "--png", "NONE", dir.filePath("no.png"), jpeg});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.err.startsWith("Read failed,"));
    // A failed write leaves no partial file behind.
    const QString blocked = dir.filePath("grey.jpg/inside.png");
    EXPECT_EQ(RunCli({"convert", "--png", "NONE", source, blocked}).exitCode, 1);
    EXPECT_TRUE(QImage(jpeg).isGrayscale());
}

} // namespace
} // namespace lumadex
