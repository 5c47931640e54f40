#include "catalogue/error_history.h"
#include "catalogue/log_file.h"
#include "catalogue/picture_catalogue.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(ErrorHistoryTest, KeepsTheLastTenNumberedMessages) {
    ErrorHistory history;
    EXPECT_EQ(history.HintText(), "");
    history.Add("first");
    history.Add("second");
    EXPECT_EQ(history.HintText(), "Error 1:first\nError 2:second");

    for (int i = 3; i <= 12; ++i)
        history.Add(QStringLiteral("message %1").arg(i));
    EXPECT_EQ(history.messageCount(), 12);
    EXPECT_EQ(history.entries().front(), "Error 3:message 3");
    EXPECT_EQ(history.entries().back(), "Error 12:message 12");
    const QStringList lines = history.HintText().split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], "Error 3:message 3");
    EXPECT_EQ(lines[8], "Error 11:message 11");
    EXPECT_EQ(lines[9], "Error 12:message 12");
}

TEST(ErrorHistoryTest, EmptyTextsStillCountButLeaveNoHintLine) {
    ErrorHistory history;
    history.Add("a");
    history.Add("");
    EXPECT_EQ(history.messageCount(), 2);
    EXPECT_EQ(history.HintText(), "Error 1:a\nError 2:");
}

TEST(LogFileTest, LineIsDateTimeAndTextEndingInALineFeed) {
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString line = LogFileLine(when, "File is too small,/p/x.jpg",
                                     QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(line.startsWith("3/5/24 2:07:09")) << line.toStdString();
    EXPECT_TRUE(line.endsWith(" File is too small,/p/x.jpg\n")) << line.toStdString();
    EXPECT_EQ(line.count('\n'), 1);
}

class RecordingListener : public CatalogueListener {
public:
    QStringList statuses;
    QString hint;
    void ShowStatus(const QString& text) override { statuses << text; }
    void ErrorHintChanged(const QString& newHint) override { hint = newHint; }
};

QByteArray ReadLog(const QString& folder) {
    QFile file(folder + "/logfile.txt");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(LogMessageTest, ReportsToStatusHistoryAndLogFileWhileLogging) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    PictureCatalogue pictures{PictureLoader()};
    RecordingListener listener;
    pictures.SetListener(&listener);
    pictures.setProgramFolder(folder.path() + "/");

    pictures.LogMessage("not logged to file");
    EXPECT_FALSE(QFile::exists(folder.filePath("logfile.txt")));

    pictures.setLogToFile(true);
    pictures.LogMessage("Read failed,/p/ä.jpg");
    pictures.LogMessage("Cant analyze,/p/b.png");
    pictures.setLogToFile(false);
    pictures.LogMessage("also not logged");

    const QStringList lines = QString::fromUtf8(ReadLog(folder.path())).split('\n');
    ASSERT_EQ(lines.size(), 3); // two lines and nothing after the last line feed
    EXPECT_TRUE(lines[0].endsWith(" Read failed,/p/ä.jpg"));
    EXPECT_TRUE(lines[1].endsWith(" Cant analyze,/p/b.png"));
    EXPECT_EQ(lines[2], "");

    EXPECT_EQ(listener.statuses, (QStringList{"not logged to file", "Read failed,/p/ä.jpg",
                                              "Cant analyze,/p/b.png", "also not logged"}));
    EXPECT_EQ(pictures.errorHistory().messageCount(), 4);
    EXPECT_TRUE(listener.hint.startsWith("Error 1:not logged to file\nError 2:"));
    EXPECT_TRUE(listener.hint.endsWith("\nError 4:also not logged"));

    // A second run appends to the same log.
    pictures.setLogToFile(true);
    pictures.LogMessage("again");
    EXPECT_EQ(QString::fromUtf8(ReadLog(folder.path())).count('\n'), 3);
}

TEST(LogMessageTest, LogThatCannotBeWrittenIsPassedOver) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    PictureCatalogue pictures{PictureLoader()};
    RecordingListener listener;
    pictures.SetListener(&listener);
    pictures.setLogToFile(true);
    pictures.setProgramFolder(folder.path() + "/no such folder/");
    pictures.LogMessage("text");
    EXPECT_EQ(listener.statuses, QStringList{"text"});
    EXPECT_EQ(pictures.errorHistory().messageCount(), 1);

    // The log's name taken by a folder.
    ASSERT_TRUE(QDir(folder.path()).mkdir("logfile.txt"));
    pictures.setProgramFolder(folder.path() + "/");
    pictures.LogMessage("more");
    EXPECT_EQ(pictures.errorHistory().messageCount(), 2);
}

} // namespace
} // namespace lumadex
