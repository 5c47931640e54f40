#include "main/screenshot.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(Screenshot, WindowIsWrittenAsPngIntoANewFolderButABlankOneOrAnUnwritablePlaceFails) {
    QTemporaryDir folder;
    QLabel window(QStringLiteral("Lumadex Lite [New]"));
    window.resize(240, 80);
    window.show();
    const QString path = QDir(folder.path()).filePath("nested/shots/window.png");
    ASSERT_TRUE(SaveScreenshot(window, path));
    QImage written;
    ASSERT_TRUE(written.load(path, "PNG"));
    EXPECT_EQ(written.size(), window.size() * window.devicePixelRatio());
    // The folder to create is an existing file.
    EXPECT_FALSE(SaveScreenshot(window, path + "/shot.png"));

    QWidget blank;
    blank.resize(50, 30);
    const QString blankPath = QDir(folder.path()).filePath("blank.png");
    EXPECT_FALSE(SaveScreenshot(blank, blankPath));
    EXPECT_TRUE(QFileInfo::exists(blankPath)) << "kept for inspection";
}

} // namespace
} // namespace lumadex
