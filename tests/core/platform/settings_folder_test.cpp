#include "core/store/scoped_settings_home.h"
#include "platform/settings_folder.h"

#include <QDir>
#include <QFileInfo>
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

} // namespace
} // namespace lumadex
