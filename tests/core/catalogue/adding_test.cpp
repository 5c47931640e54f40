#include "catalogue/adding.h"
#include "catalogue/log_file.h"
#include "core/catalogue/adding_test_tree.h"
#include "support/files.h"

#include <QFile>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

class AddingTest : public ::testing::Test {
protected:
    void SetUp() override {
        LUMADEX_REQUIRE_TESTDATA("photos");
        pictures_.SetListener(&window_);
        options_.refreshLists = true;
    }

    AddingSession Session() {
        return AddingSession{pictures_, window_.reference, options_, window_};
    }

    // A folder with two pictures, one of them in a subfolder.
    QString PictureFolder(const QString& name) {
        tree_.Copy("photos/HappyFish.jpg", name + "/a.jpg");
        tree_.Copy("photos/LinuxLogo.jpg", name + "/sub/b.jpg");
        return tree_.Path(name);
    }

    test::PictureTree tree_;
    test::AddingWindow window_;
    PictureCatalogue pictures_{NativePictureLoader()};
    AddingOptions options_;
};

// The lists are refreshed only when the catalogue grew and the option asks.
TEST_F(AddingTest, DroppedFolderIsScannedAndTheListsRefreshed) {
    const QString earlier = tree_.Copy("photos/blox.jpg", "earlier.jpg");
    ASSERT_EQ(pictures_.AnalyseFile(earlier, window_), ItemResult::Done);
    const QString folder = PictureFolder("dropped");
    AddingSession session = Session();
    EXPECT_EQ(AddDroppedPaths(session, {folder}), ItemResult::Done);
    EXPECT_EQ(test::NewAddedPaths(pictures_),
              (QStringList{earlier, folder + "/a.jpg", folder + "/sub/b.jpg"}));
    EXPECT_EQ(window_.events.mid(window_.events.size() - 3),
              (QStringList{"status1:Updating list...", "refresh",
                           "status2:Adding pictures(Drag&Drop) done."}));
    EXPECT_EQ(AddDroppedPaths(session, {folder}), ItemResult::Done); // nothing new
    EXPECT_EQ(window_.refreshes, 1);

    options_.refreshLists = false;
    pictures_.ClearRecords();
    AddingSession off = Session();
    EXPECT_EQ(AddDroppedPaths(off, {folder}), ItemResult::Done);
    EXPECT_EQ(window_.refreshes, 1);
}

// Dropped paths are stored in their long form.
TEST_F(AddingTest, DroppedFilesAreCheckedForTheirExtension) {
    const QString text = tree_.Write("notes.txt", "hello");
    const QString bare = tree_.Write("README", "hello");
    const QString shortExtension = tree_.Copy("photos/blox.jpg", "image.jp");
    const QString picture = tree_.Copy("photos/blox.jpg", "long name/pic.jpeg");
    tree_.MakeFolder("other");
    const QString unclean = tree_.root() + "/other/..//long name/./pic.jpeg";
    const QString missing = tree_.root() + "/other/../gone.jpg";
    EXPECT_EQ(LongPathForm(missing), missing);
    AddingSession session = Session();
    EXPECT_EQ(AddDroppedPaths(session, {text, bare, shortExtension, unclean}), ItemResult::Done);
    EXPECT_EQ(test::CataloguePaths(pictures_), QStringList{picture});
    const QStringList illegal = {"Illegal file extention:" + text, "Illegal file extention:" + bare,
                                 "Illegal file extention:" + shortExtension};
    EXPECT_EQ(window_.EventsOf("logged"), illegal);

    // A refused last item leaves out the closing statuses.
    window_.events.clear();
    EXPECT_EQ(AddDroppedPaths(session, {text}), ItemResult::Skipped);
    EXPECT_TRUE(window_.EventsOf("status2").isEmpty());
}

// A stop in a subfolder ends every enclosing scan and the drop.
TEST_F(AddingTest, StopInsideADroppedFolderEndsTheDrop) {
    const QString folder = PictureFolder("pics");
    tree_.Copy("photos/blox.jpg", "pics/sub/z.jpg");
    tree_.Copy("photos/blox.jpg", "pics/z.jpg");
    const QString later = tree_.Copy("photos/blox.jpg", "later.jpg");
    window_.stopAfterAnalysed = 2;
    AddingSession session = Session();
    EXPECT_EQ(AddDroppedPaths(session, {folder, later}), ItemResult::Stopped);
    EXPECT_EQ(test::NewAddedPaths(pictures_),
              (QStringList{folder + "/a.jpg", folder + "/sub/b.jpg"}));
    EXPECT_FALSE(window_.EventsOf("status1").contains("Updating list..."));
    EXPECT_EQ(window_.EventsOf("status2"), QStringList{"Aborted"});
}

// The error log is written only while asked for.
TEST_F(AddingTest, AddingAFolderTwiceUnderDontAddAddsNothingTheSecondTime) {
    const QString programFolder = tree_.MakeFolder("program") + "/";
    pictures_.setProgramFolder(programFolder);
    const QString log = programFolder + QString::fromUtf16(kLogFileName);
    const QString folder = PictureFolder("pics");
    const QString bad = tree_.Write("pics/bad.jpg", QByteArray(3000, 'x'));
    AddingSession session = Session();
    AddPicturesFromFolder(session, folder, false);
    EXPECT_EQ(pictures_.catalogue().count(), 2);
    EXPECT_FALSE(QFile::exists(log));
    window_.events.clear();

    AddPicturesFromFolder(session, folder, true);
    EXPECT_EQ(pictures_.catalogue().count(), 2);
    EXPECT_TRUE(pictures_.newAdded().empty());
    EXPECT_EQ(
        window_.events.mid(window_.events.size() - 3),
        (QStringList{"status1:Updating list...", "refresh", "status1:Adding pictures done."}));
    EXPECT_FALSE(pictures_.logToFile());
    EXPECT_TRUE(test::ReadFile(log).contains(("Read failed," + bad).toUtf8()));
}

TEST_F(AddingTest, ChosenFilesAreAddedWithProgress) {
    const QString earlier = tree_.Copy("photos/blox.jpg", "earlier.jpg");
    ASSERT_EQ(pictures_.AnalyseFile(earlier, window_), ItemResult::Done);
    tree_.Copy("photos/HappyFish.jpg", "chosen/a.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "chosen/b.jpg");
    AddingSession session = Session();
    EXPECT_EQ(AddChosenFiles(session, tree_.Path("chosen"), {"b.jpg", "a.jpg"}), ItemResult::Done);
    EXPECT_EQ(test::NewAddedPaths(pictures_),
              (QStringList{tree_.Path("chosen/b.jpg"), tree_.Path("chosen/a.jpg")}));
    EXPECT_EQ(window_.EventsOf("progress"), (QStringList{"0/2", "1/2", "2/2"}));
    EXPECT_EQ(window_.fileCounts, (QStringList{"2 Files", "3 Files", "3/3"}));
    EXPECT_EQ(window_.EventsOf("status1").last(), "Adding pictures done.");
}

} // namespace
} // namespace lumadex
