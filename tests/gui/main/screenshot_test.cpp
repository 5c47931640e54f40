#include "main/screenshot.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(Screenshot, WindowWithALabelIsWrittenAsPngIntoANewFolder) {
    QTemporaryDir folder;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Lumadex Lite [New]"), &window));
    window.resize(240, 80);
    window.show();

    const QString path = QDir(folder.path()).filePath("nested/shots/window.png");
    ASSERT_TRUE(SaveScreenshot(window, path));
    QImage written;
    ASSERT_TRUE(written.load(path, "PNG"));
    EXPECT_EQ(written.size(), window.size() * window.devicePixelRatio());
}

TEST(Screenshot, BlankWidgetIsNotReportedAsAPicture) {
    QTemporaryDir folder;
    QWidget blank;
    blank.resize(50, 30);
    const QString path = QDir(folder.path()).filePath("blank.png");
    EXPECT_FALSE(SaveScreenshot(blank, path));
    EXPECT_TRUE(QFileInfo::exists(path)) << "kept for inspection";
}

TEST(Screenshot, UnwritablePlaceFails) {
    QTemporaryDir folder;
    QFile occupied(QDir(folder.path()).filePath("file"));
    ASSERT_TRUE(occupied.open(QIODevice::WriteOnly));
    occupied.close();
    QLabel label(QStringLiteral("text"));
    label.resize(80, 20);
    // The folder to create is an existing file.
    EXPECT_FALSE(SaveScreenshot(label, QDir(folder.path()).filePath("file/shot.png")));
}

} // namespace
} // namespace lumadex
