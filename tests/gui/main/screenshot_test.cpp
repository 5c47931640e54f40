#include "main/screenshot.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(Screenshot, WindowWithALabelIsWrittenAsPngIntoANewFolder) {
    QTemporaryDir folder;
    QLabel window(QStringLiteral("Lumadex Lite [New]"));
    window.resize(240, 80);
    window.show();

    const QString path = QDir(folder.path()).filePath("nested/shots/window.png");
    ASSERT_TRUE(SaveScreenshot(window, path));
    QImage written;
    ASSERT_TRUE(written.load(path, "PNG"));
    EXPECT_EQ(written.size(), window.size() * window.devicePixelRatio());
}

TEST(Screenshot, BlankWidgetOrUnwritablePlaceFails) {
    QTemporaryDir folder;
    QWidget blank;
    blank.resize(50, 30);
    const QString path = QDir(folder.path()).filePath("blank.png");
    EXPECT_FALSE(SaveScreenshot(blank, path));
    EXPECT_TRUE(QFileInfo::exists(path)) << "kept for inspection";

    // The folder to create is an existing file.
    QLabel label(QStringLiteral("text"));
    label.resize(80, 20);
    EXPECT_FALSE(SaveScreenshot(label, path + "/shot.png"));
}

} // namespace
} // namespace lumadex
