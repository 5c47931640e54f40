#include "catalogue/error_history.h"
#include "catalogue/log_file.h"
#include "core/catalogue/adding_test_tree.h"
#include "support/files.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

// Empty texts count too; only the last ten messages stay.
TEST(ErrorHistoryTest, KeepsTheLastTenNumberedMessages) {
    ErrorHistory history;
    EXPECT_EQ(history.HintText(), "");
    history.Add("first");
    history.Add("");
    EXPECT_EQ(history.HintText(), "Error 1:first\nError 2:");

    for (int i = 3; i <= 12; ++i)
        history.Add(QStringLiteral("message %1").arg(i));
    EXPECT_TRUE(history.HintText().startsWith("Error 3:message 3\nError 4:"));
    EXPECT_EQ(history.HintText().count('\n'), 9);
}

TEST(LogFileTest, LineIsDateTimeAndTextEndingInALineFeed) {
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString line = LogFileLine(when, "Cant analyze,/p/x.jpg", QLocale(QLocale::English));
    EXPECT_TRUE(line.startsWith("3/5/24 2:07:09")) << line.toStdString();
    EXPECT_TRUE(line.endsWith(" Cant analyze,/p/x.jpg\n")) << line.toStdString();
}

class RecordingListener : public CatalogueListener {
public:
    QStringList statuses;
    QString hint;
    void ShowStatus(const QString& text) override { statuses << text; }
    void ErrorHintChanged(const QString& newHint) override { hint = newHint; }
};

// A log that cannot be written (no such folder, its name taken by a folder) is passed over.
TEST(LogMessageTest, ReportsToStatusHistoryAndLogFileWhileLogging) {
    const test::PictureTree folder;
    PictureCatalogue pictures{PictureLoader()};
    RecordingListener listener;
    pictures.SetListener(&listener);
    pictures.setProgramFolder(folder.root() + "/");
    pictures.LogMessage("not logged to file");
    EXPECT_FALSE(QFile::exists(folder.Path("logfile.txt")));
    pictures.setLogToFile(true);
    pictures.LogMessage("Read failed,/p/ä.jpg");
    pictures.LogMessage("Cant analyze,/p/b.png");
    pictures.setLogToFile(false);
    pictures.LogMessage("also not logged");
    const QList<QByteArray> lines = test::ReadFile(folder.Path("logfile.txt")).split('\n');
    ASSERT_EQ(lines.size(), 3); // two lines and nothing after the last line feed
    EXPECT_TRUE(lines[0].endsWith(" Read failed,/p/ä.jpg"));
    EXPECT_TRUE(lines[1].endsWith(" Cant analyze,/p/b.png"));
    EXPECT_TRUE(listener.hint.endsWith("\nError 4:also not logged"));

    pictures.setLogToFile(true);
    pictures.LogMessage("again");
    EXPECT_EQ(test::ReadFile(folder.Path("logfile.txt")).count('\n'), 3) << "a second run appends";

    pictures.setProgramFolder(folder.root() + "/no such folder/");
    pictures.LogMessage("text");
    folder.MakeFolder("taken/logfile.txt");
    pictures.setProgramFolder(folder.Path("taken/"));
    pictures.LogMessage("more");
    EXPECT_EQ(listener.statuses.last(), "more");
    EXPECT_EQ(pictures.errorHistory().messageCount(), 7);
}

} // namespace
} // namespace lumadex
