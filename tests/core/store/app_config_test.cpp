#include "core/store/scoped_settings_home.h"
#include "store/app_config.h"
#include "support/files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

// Values unlike both the read defaults and each other, so a line read into the wrong
// setting shows.
AppConfig Distinct() {
    AppConfig config;
    config.mainWindow = {11, 12, 813, 614};
    config.mismatchEditor = {21, 22, 323, 324};
    config.unlinkedData = {31, 32, 333, 334};
    config.openFormFolder = "/pictures/open form";
    config.folderChooserFolder = "/pictures/chooser";
    config.openDialogFolder = "/databases";
    config.saveDialogFolder = "/";
    config.buttonVisibility = 0x2A5;
    config.useSubIndex = true;
    config.usePreviewCache = true;
    config.cacheCount = "12";
    config.thumbnail = {41, 42, 443, 444};
    config.thumbnailLargeView = true;
    config.thumbnailCount = "30";
    config.thumbnailKeepAspect = true;
    return config;
}

class AppConfigFile : public ::testing::Test {
protected:
    QString path() const { return QDir(folder).filePath("app.cfg"); }

    test::ScopedSettingsHome home;
    QString folder = ProgramFolder();
};

TEST_F(AppConfigFile, LinesKeepTheirOrder) {
    ASSERT_TRUE(SaveAppConfig(folder, Distinct()));
    const QList<QByteArray> lines = test::ReadFile(path()).split('\n');
    ASSERT_EQ(lines.size(), kAppConfigLineCount + 1);
    const char* expected[] = {"11", "12", "813", "614", "0", "0", "640", "480", "21", "22", "323",
                              "324", "31", "32", "333", "334", "/pictures/open form",
                              "/pictures/chooser", "/databases", "/", "677", "0", "0", "200", "480",
                              "0", "0", "200", "480", "1", "1", "12",
                              // the thumbnail window keeps Left before Top
                              "42", "41", "443", "444", "1", "30", "1"};
    for (int i = 0; i < kAppConfigLineCount; ++i)
        EXPECT_EQ(lines[i], QByteArray(expected[i]) + "\r") << "line " << i;
}

TEST_F(AppConfigFile, MissingFileChangesNothingAndASavedFileReadsBack) {
    AppConfig read = Distinct();
    EXPECT_FALSE(LoadAppConfig(folder, read));
    EXPECT_EQ(read, Distinct());

    ASSERT_TRUE(SaveAppConfig(folder, Distinct()));
    read = AppConfig();
    ASSERT_TRUE(LoadAppConfig(folder, read));
    AppConfig expected = Distinct();
    // The dialog folders are written for the record only.
    expected.openDialogFolder.clear();
    expected.saveDialogFolder.clear();
    EXPECT_EQ(read, expected);

    test::WriteFile(path(), "5\n6\n700\n500\n");
    ASSERT_TRUE(LoadAppConfig(folder, read));
    EXPECT_EQ(read.mainWindow, (WindowGeometry{5, 6, 700, 500})) << "line feeds alone";
}

TEST(AppConfigParse, LinesThatAreNotNumbersTakeTheReadDefaults) {
    QStringList lines = FormatAppConfig(Distinct());
    for (int line : {2, 3, 11, 20, 29, 30, 32, 35, 36, 38})
        lines[line] = "twelve";
    lines[36] = "2"; // any value but 1 means the other view button
    AppConfig read = Distinct();
    ParseAppConfig(lines, read);
    EXPECT_EQ(read.mainWindow, (WindowGeometry{11, 12, 640, 480}));
    EXPECT_EQ(read.mismatchEditor.height, 344);
    EXPECT_EQ(read.buttonVisibility, -1);
    EXPECT_FALSE(read.useSubIndex);
    EXPECT_EQ(read.thumbnail, (WindowGeometry{41, 0, 443, 445}));
    EXPECT_FALSE(read.thumbnailLargeView);
}

TEST_F(AppConfigFile, TextsWithLineBreaksDoNotShiftTheLinesAfterThem) {
    AppConfig config = Distinct();
    config.openFormFolder = "/odd\nfolder";
    ASSERT_TRUE(SaveAppConfig(folder, config));
    AppConfig read;
    ASSERT_TRUE(LoadAppConfig(folder, read));
    EXPECT_EQ(read.openFormFolder, QString());
    EXPECT_EQ(read.folderChooserFolder, config.folderChooserFolder);
    EXPECT_EQ(read.thumbnail, config.thumbnail);
}

} // namespace
} // namespace lumadex
