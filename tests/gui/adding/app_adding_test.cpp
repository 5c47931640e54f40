#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "adding/picture_adder.h"
#include "catalogue/log_file.h"
#include "gui/main_window_fixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QUrl>
#include <functional>

namespace lumadex::test {
namespace {

class AppAddingTest : public AppTest {
protected:
    // Runs the action on each status text adding shows, until the returned connection ends.
    QMetaObject::Connection OnStatus(const std::function<void(int, const QString&)>& action) {
        return QObject::connect(&windows->adder(), &PictureAdder::StatusText, action);
    }
    // Presses Ok of the folder chooser once it shows, with the folder chosen and the dialog's
    // other controls set.
    void ChooseFolderWhenAsked(const QString& folder, const std::function<void(TDirSel&)>& set) {
        TDirSel& dirSel = windows->dirSel();
        QTimer::singleShot(0, &dirSel, [&dirSel, folder, set] {
            ASSERT_TRUE(dirSel.isVisible());
            dirSel.setDirectory(folder);
            set(dirSel);
            dirSel.Button1->click();
        });
    }
    bool SendDrag(QEvent::Type type, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        if (type == QEvent::DragEnter) {
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&Main(), &enter);
            return enter.isAccepted();
        }
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&Main(), &drop);
        return drop.isAccepted();
    }
};

// The progress window shows the analysis and starts each showing afresh, abort flag cleared.
TEST_F(AppAddingTest, DroppedFolderIsAddedAfterTheDropWithItsProgressShown) {
    const QString folder = tree.MakeFolder("dropped");
    const QString picture = tree.Copy("photos/butterfly.jpg", "dropped/a.jpg");
    Start();
    TProgress& progress = windows->progress();
    bool shownWithoutFilesBar = false;
    OnStatus([&](int, const QString&) {
        shownWithoutFilesBar = progress.isVisible() && progress.isModal() &&
                               progress.ProgressBar2->isHidden() && progress.Label1->isHidden();
    });
    QStringList captions;
    QObject::connect(&progress, &QWidget::windowTitleChanged,
                     [&](const QString& caption) { captions << caption; });
    const QUrl remote(QStringLiteral("https://example.org/a.jpg"));
    EXPECT_FALSE(SendDrag(QEvent::DragEnter, {remote}));
    ASSERT_TRUE(SendDrag(QEvent::DragEnter, {remote, QUrl::fromLocalFile(folder)}));
    ASSERT_TRUE(SendDrag(QEvent::Drop, {remote, QUrl::fromLocalFile(folder)}));
    // The pictures are analysed after the drop has returned.
    EXPECT_EQ(ReferenceRows(), 0);
    QCoreApplication::processEvents();

    EXPECT_EQ(ReferenceRows(), 1);
    EXPECT_EQ(Status2(), QStringLiteral("Adding pictures(Drag&Drop) done."));
    EXPECT_TRUE(shownWithoutFilesBar);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(progress.ProgressBar2->isHidden());
    EXPECT_EQ(captions, (QStringList{"Reading " + picture, "Analyzing " + picture}));
    EXPECT_EQ(progress.ProgressBar1->value(), progress.ProgressBar1->maximum());
    EXPECT_FALSE(progress.Image1->pixmap().isNull());

    progress.work.Stop();
    progress.show();
    EXPECT_EQ(progress.ProgressBar1->value(), 0);
    EXPECT_TRUE(progress.Image1->pixmap().isNull());
    EXPECT_FALSE(progress.work.StopAsked());
    // Escape asks to abort like the button and leaves the window up while the work ends.
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.work.StopAsked());
    EXPECT_TRUE(progress.isVisible());
    progress.hide();
}

QStringList LogLines(const QString& folder) {
    return QString::fromUtf8(ReadFile(folder + QString::fromUtf16(kLogFileName)))
        .split('\n', Qt::SkipEmptyParts);
}

// The depth rules are the scan's; here the dialog's depth, "Minimize" and "Make Error Log" reach
// the command, and a later drop follows the depth but writes no log.
TEST_F(AppAddingTest, FolderCommandScansToTheDepthChosenWhichADropFollows) {
    const QString top = tree.MakeFolder("top");
    tree.Copy("photos/HappyFish.jpg", "top/a.jpg");
    const QString broken = tree.Write("top/broken.jpg", QByteArray(4096, 'x'));
    tree.Copy("photos/LinuxLogo.jpg", "top/sub/b.jpg");
    tree.Copy("photos/blox.jpg", "top/sub/deeper/c.jpg");
    Start();
    const QString programFolder = tree.MakeFolder("program") + '/';
    windows->document().pictures().setProgramFolder(programFolder);
    TDirSel& dirSel = windows->dirSel();
    QAction* command = Main().MenuItem("AddPicturefromDir1");
    // A cancelled dialog adds nothing.
    QTimer::singleShot(0, &dirSel, [&dirSel] { dirSel.Button2->click(); });
    command->trigger();
    EXPECT_TRUE(Catalogued().isEmpty());
    EXPECT_TRUE(dirSel.recentFolders().isEmpty());

    ChooseFolderWhenAsked(top, [](TDirSel& dialog) {
        dialog.LevelLimit->setChecked(true);
        dialog.UpDown1->setValue(2);
        dialog.Minimize->setChecked(true);
        dialog.MakeErrorLog->setChecked(true);
    });
    TProgress& progress = windows->progress();
    bool minimisedDuring = false;
    OnStatus([&](int, const QString& text) {
        if (text == "Analyzing")
            minimisedDuring = Main().isMinimized() && progress.isMinimized();
    });
    command->trigger();
    EXPECT_EQ(Catalogued(), (QStringList{top + "/a.jpg", top + "/sub/b.jpg"}));
    EXPECT_EQ(ReferenceRows(), 2);
    EXPECT_EQ(dirSel.recentFolders().value(0), top);
    EXPECT_EQ(Main().StatusBar1Panel0->text(), QStringLiteral("Adding pictures done."));
    EXPECT_TRUE(minimisedDuring);
    EXPECT_FALSE(Main().isMinimized());
    EXPECT_FALSE(progress.isMinimized());
    const QStringList lines = LogLines(programFolder);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(" Read failed," + broken)) << lines[0].toStdString();

    windows->adder().AddDroppedPaths({top});
    EXPECT_EQ(Catalogued().size(), 2);
    dirSel.LevelLimit->setChecked(false);
    windows->adder().AddDroppedPaths({top});
    EXPECT_EQ(Catalogued().size(), 3);
    EXPECT_EQ(LogLines(programFolder).size(), 1);
}

// While the second picture of the first folder is analysed, other commands (a second drop, the
// dialogs) arrive and are refused: they would add to and refresh the catalogue under the running
// scan. Then Abort is pressed: the drop ends with what was added.
TEST_F(AppAddingTest, CommandsArrivingWhileAddingAreRefusedAndAbortKeepsWhatWasAdded) {
    const QString folder = tree.MakeFolder("scan");
    tree.Copy("photos/HappyFish.jpg", "scan/a/1.jpg");
    tree.Copy("photos/LinuxLogo.jpg", "scan/a/2.jpg");
    tree.Copy("photos/blox.jpg", "scan/a/3.jpg");
    tree.Copy("photos/butterfly.jpg", "scan/b/4.jpg");
    Start();
    PictureAdder& adder = windows->adder();
    TProgress& progress = windows->progress();
    int starts = 0;
    QObject::connect(&adder, &PictureAdder::AddingStarting, [&] { ++starts; });
    const QMetaObject::Connection during = OnStatus([&](int panel, const QString& text) {
        if (panel != PictureAdder::kCountPanel || text != "2 Files")
            return;
        QTimer::singleShot(0, &progress, [&] {
            EXPECT_TRUE(adder.busy());
            adder.AddDroppedPaths({folder + "/b"});
            adder.AddPicturesFromFolder();
            adder.AddPicturesWithOpenForm();
            QTest::mouseClick(progress.Abort, Qt::LeftButton);
        });
    });
    adder.AddDroppedPaths({folder});
    EXPECT_EQ(Catalogued(), (QStringList{folder + "/a/1.jpg", folder + "/a/2.jpg"}));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(Status2(), QStringLiteral("Aborted"));
    EXPECT_FALSE(progress.isVisible());

    // The next command starts with the abort flag cleared.
    QObject::disconnect(during);
    adder.AddDroppedPaths({folder + "/b"});
    EXPECT_EQ(Catalogued().size(), 3);
}

QStringList ListedNames(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << list.item(row)->text();
    return names;
}

TEST_F(AppAddingTest, OpenFormListsWhatTheMaskAcceptsAndAddsTheChosenFiles) {
    const QString folder = tree.MakeFolder("mixed");
    for (const char* name : {"b.jpg", "A.JPG", "c.png", "notes.txt", "g.bmp.txt"})
        tree.Write(QStringLiteral("mixed/") + name, "x");
    tree.MakeFolder("mixed/sub.jpg");
    tree.Copy("photos/HappyFish.jpg", "mixed/x.jpg");
    tree.Copy("photos/LinuxLogo.jpg", "mixed/y.jpg");
    Start();
    TOpenForm& openForm = windows->openForm();
    TProgress& progress = windows->progress();
    QTimer::singleShot(0, &openForm, [&] {
        openForm.setDirectory(folder);
        EXPECT_EQ(ListedNames(*openForm.FileListBox1),
                  (QStringList{"A.JPG", "b.jpg", "c.png", "x.jpg", "y.jpg"}));
        openForm.FileListBox1->item(3)->setSelected(true);
        openForm.FileListBox1->item(4)->setSelected(true);
        openForm.Button1->click();
    });
    // The files bar counts the chosen files.
    int filesBarMaximum = -1;
    OnStatus([&](int, const QString&) {
        if (!progress.ProgressBar2->isHidden())
            filesBarMaximum = progress.ProgressBar2->maximum();
    });
    Main().MenuItem("Open1")->trigger();
    EXPECT_EQ(Catalogued(), (QStringList{folder + "/x.jpg", folder + "/y.jpg"}));
    EXPECT_EQ(filesBarMaximum, 2);

    windows->adder().SetExtensionMask("*.png;*.bmp");
    EXPECT_EQ(ListedNames(*openForm.FileListBox1), QStringList{"c.png"});
}

} // namespace
} // namespace lumadex::test
