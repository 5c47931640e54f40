#include "adding/TProgress.h"
#include "adding/picture_adder.h"
#include "folders/TDirSel.h"
#include "gui/app_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace lumadex::test {
namespace {

class AppAddingTest : public AppTest {
protected:
    // Three different photos and a copy of the first, so that one pair is alike.
    QString PhotoFolder(const QString& name) {
        const QString folder = tree.MakeFolder(name);
        tree.Copy("photos/HappyFish.jpg", name + "/fish.jpg");
        tree.Copy("photos/LinuxLogo.jpg", name + "/logo.jpg");
        tree.Copy("photos/blox.jpg", name + "/blox.jpg");
        tree.Copy("photos/HappyFish.jpg", name + "/fish copy.jpg");
        return folder;
    }
    // Presses Ok of the folder chooser once it shows, with the folder and the depth chosen.
    void ChooseFolderWhenAsked(const QString& folder, std::optional<int> depth) {
        TDirSel& dirSel = windows->dirSel();
        QTimer::singleShot(0, &dirSel, [&dirSel, folder, depth] {
            ASSERT_TRUE(dirSel.isVisible());
            dirSel.setDirectory(folder);
            dirSel.LevelLimit->setChecked(depth.has_value());
            dirSel.UpDown1->setValue(depth.value_or(1));
            dirSel.Button1->click();
        });
    }
    QString Status1() { return Main().StatusBar1Panel0->text(); }
    QString Status2() { return Main().StatusBar2Panel0->text(); }
};

TEST_F(AppAddingTest, DroppedFolderFillsTheReferenceListAndTheSearchFindsThePair) {
    const QString folder = PhotoFolder("dropped");
    Start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&Main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&Main(), &drop);
    ASSERT_TRUE(drop.isAccepted());
    // The pictures are analysed after the drop has returned, once.
    EXPECT_EQ(ReferenceRows(), 0);
    QCoreApplication::processEvents();

    EXPECT_EQ(windows->document().catalogue().count(), 4);
    EXPECT_EQ(ReferenceRows(), 4);
    EXPECT_EQ(Status2(), QStringLiteral("Adding pictures(Drag&Drop) done."));
    EXPECT_TRUE(Main().windowTitle().endsWith('*')) << Main().windowTitle().toStdString();

    // "Has Similar Pics" lists the pictures with look-alikes: the photo and its copy.
    Main().DataFilter->setCurrentIndex(1);
    EXPECT_EQ(Status2(), QStringLiteral("Search Done 2 Files found."));
    ASSERT_EQ(ReferenceRows(), 2);
    Main().ListBox1->setCurrentIndex(Main().ListBox1->model()->index(0, 0));
    EXPECT_EQ(Main().ListBox2->recordModel()->rowCount(), 1);
    EXPECT_TRUE(questions->asked.empty());
}

TEST_F(AppAddingTest, FolderCommandScansToTheChosenDepthAndAbortKeepsWhatWasAdded) {
    const QString top = tree.MakeFolder("top");
    tree.Copy("photos/HappyFish.jpg", "top/a.jpg");
    tree.Copy("photos/LinuxLogo.jpg", "top/sub/b.jpg");
    tree.Copy("photos/blox.jpg", "top/sub/deeper/c.jpg");
    Start();
    ASSERT_TRUE(Main().MenuItem("AddPicturefromDir1")->isEnabled());
    ChooseFolderWhenAsked(top, 2);
    Main().MenuItem("AddPicturefromDir1")->trigger();

    EXPECT_EQ(ReferenceRows(), 2);
    EXPECT_EQ(Status1(), QStringLiteral("Adding pictures done."));
    EXPECT_EQ(windows->dirSel().recentFolders().value(0), top);
    EXPECT_FALSE(windows->progress().isVisible());

    // A second scan of another folder, aborted while its second picture is analysed.
    const QString more = tree.MakeFolder("more");
    tree.Copy("photos/aero1.jpg", "more/1.jpg");
    tree.Copy("photos/aero3.jpg", "more/2.jpg");
    tree.Copy("photos/aloeL.jpg", "more/3.jpg");
    TProgress& progress = windows->progress();
    QObject::connect(&windows->adder(), &PictureAdder::StatusText,
                     [&progress](int panel, const QString& text) {
                         if (panel == PictureAdder::kCountPanel && text == "4 Files")
                             QTimer::singleShot(0, &progress, [&progress] {
                                 QTest::mouseClick(progress.Abort, Qt::LeftButton);
                             });
                     });
    ChooseFolderWhenAsked(more, std::nullopt);
    Main().MenuItem("AddPicturefromDir1")->trigger();

    EXPECT_EQ(windows->document().catalogue().count(), 4);
    EXPECT_EQ(ReferenceRows(), 4);
    EXPECT_EQ(Status2(), QStringLiteral("Aborted"));
    EXPECT_FALSE(progress.isVisible());
}

} // namespace
} // namespace lumadex::test
