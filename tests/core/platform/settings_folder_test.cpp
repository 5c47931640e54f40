#include "core/store/scoped_settings_home.h"
#include "platform/settings_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(SettingsFolder, EnvironmentVariableNamesTheFolderAndItIsCreated) {
    test::ScopedSettingsHome home;
    const QString nested = QDir(home.path()).filePath("a/b/settings");
    qputenv(kSettingsFolderVariable, nested.toLocal8Bit());
    EXPECT_EQ(ProgramFolder(), QDir::toNativeSeparators(nested));
    EXPECT_TRUE(QFileInfo(nested).isDir());
    EXPECT_EQ(ProgramFilePath("app.cfg"), QDir::toNativeSeparators(nested + "/app.cfg"));
}

TEST(SettingsFolder, WithoutTheVariableTheUsersConfigFolderIsUsed) {
    test::ScopedSettingsHome home; // restores the variable afterwards
    QStandardPaths::setTestModeEnabled(true);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    qputenv(kSettingsFolderVariable, ""); // as if unset
    const QString folder = QDir::fromNativeSeparators(ProgramFolder());
    EXPECT_TRUE(folder.startsWith(config + "/")) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    QDir().rmdir(folder);
    QStandardPaths::setTestModeEnabled(false);
}

} // namespace
} // namespace lumadex
