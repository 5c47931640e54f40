#include "adding/picture_drop.h"
#include "gui/adding/picture_adder_fixture.h"

#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QUrl>

namespace lumadex::test {
namespace {

using PictureAdderDropTest = PictureAdderTest;

TEST_F(PictureAdderDropTest, DroppedFolderAndFilesLandWithTheStatusTexts) {
    const QString folder = tree_.MakeFolder("dropped");
    tree_.Copy("photos/HappyFish.jpg", "dropped/a.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "dropped/sub/b.jpg");
    const QString text = tree_.Write("notes.txt", "not a picture");
    const QString picture = tree_.Copy("photos/blox.jpg", "c.jpg");
    document_.options().setValue(OptionId::NotUpdateListatAction, 0);
    bool shownWithoutFilesBar = false;
    onStatus = [&](int, const QString&) {
        shownWithoutFilesBar = progress_.isVisible() && progress_.isModal() &&
                               progress_.ProgressBar2->isHidden() && progress_.Label1->isHidden();
    };

    adder_.AddDroppedPaths({folder, text, picture});

    EXPECT_EQ(Catalogued().size(), 3);
    EXPECT_TRUE(Catalogued().contains(folder + "/sub/b.jpg"));
    EXPECT_EQ(window_.reference.count(), 3);
    EXPECT_EQ(window_.EventsOf("logged").last(), "Illegal file extention:" + text);
    EXPECT_EQ(window_.EventsOf("status1").last(), "2/2");
    const QStringList ending = window_.events.mid(window_.events.size() - 4);
    EXPECT_EQ(ending, (QStringList{"status0:Updating list...", "refresh:",
                                   "result:Adding pictures(Drag&Drop) done.", "finished:"}));
    EXPECT_TRUE(shownWithoutFilesBar);
    EXPECT_FALSE(progress_.isVisible());
    EXPECT_FALSE(progress_.ProgressBar2->isHidden());
    EXPECT_TRUE(document_.Title().contains('*'));
}

// The window accepts drags of local files and adds them once the drop has ended.
TEST_F(PictureAdderDropTest, DropOnTheWindowAddsTheLocalPaths) {
    const QString picture = tree_.Copy("photos/HappyFish.jpg", "dragged.jpg");
    PictureDropTarget target(mainWindow_, adder_);
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/a.jpg")});
    QMimeData local;
    local.setUrls({QUrl("https://example.org/a.jpg"), QUrl::fromLocalFile(picture)});

    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &remote, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&mainWindow_, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &local, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&mainWindow_, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &local, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&mainWindow_, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(Catalogued().isEmpty()); // not inside the drop itself

    QCoreApplication::processEvents();
    EXPECT_EQ(Catalogued(), QStringList{picture});
    EXPECT_EQ(window_.EventsOf("result"), QStringList{"Adding pictures(Drag&Drop) done."});
}

// A folder of three pictures and a second folder: Abort is pressed in the progress window
// while the third picture is analysed.
TEST_F(PictureAdderDropTest, AbortStopsEveryEnclosingScanAndKeepsWhatWasAdded) {
    const QString folder = tree_.MakeFolder("scan");
    tree_.Copy("photos/HappyFish.jpg", "scan/a/1.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "scan/a/2.jpg");
    tree_.Copy("photos/blox.jpg", "scan/a/3.jpg");
    tree_.Copy("photos/butterfly.jpg", "scan/b/4.jpg");
    onStatus = [&](int panel, const QString& text) {
        if (panel == PictureAdder::kCountPanel && text == "2 Files")
            QTimer::singleShot(0, &progress_,
                               [&] { QTest::mouseClick(progress_.Abort, Qt::LeftButton); });
    };

    adder_.AddDroppedPaths({folder});

    EXPECT_EQ(Catalogued(), (QStringList{folder + "/a/1.jpg", folder + "/a/2.jpg"}));
    EXPECT_EQ(window_.EventsOf("result"), QStringList{"Aborted"});
    EXPECT_FALSE(window_.EventsOf("status0").contains("Updating list..."));
    EXPECT_EQ(window_.events.last(), "finished:");
    EXPECT_FALSE(progress_.isVisible());

    // The next command starts with the abort flag cleared.
    onStatus = nullptr;
    adder_.AddDroppedPaths({folder + "/b"});
    EXPECT_EQ(Catalogued().size(), 3);
    EXPECT_EQ(window_.EventsOf("result").last(), "Adding pictures(Drag&Drop) done.");
}

// While pictures are being added, another command (a second drop) must not start inside the
// running one: it would add to and refresh the catalogue under the running scan.
TEST_F(PictureAdderDropTest, CommandsArrivingWhileAddingAreRefused) {
    const QString first = tree_.Copy("photos/HappyFish.jpg", "first.jpg");
    const QString second = tree_.Copy("photos/LinuxLogo.jpg", "second.jpg");
    int nestedStarts = 0;
    QObject::connect(&adder_, &PictureAdder::AddingStarting, [&] { ++nestedStarts; });
    onStatus = [&](int, const QString& text) {
        if (text == "Analyzing")
            QTimer::singleShot(0, &progress_, [&] {
                EXPECT_TRUE(adder_.busy());
                adder_.AddDroppedPaths({second});
                adder_.AddPicturesFromFolder();
                adder_.AddPicturesWithOpenForm();
            });
    };

    adder_.AddDroppedPaths({first});

    EXPECT_EQ(Catalogued(), QStringList{first});
    EXPECT_EQ(nestedStarts, 1);
    EXPECT_FALSE(adder_.busy());
}

} // namespace
} // namespace lumadex::test
