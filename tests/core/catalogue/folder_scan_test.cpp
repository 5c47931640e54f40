#include "catalogue/folder_scan.h"
#include "core/catalogue/adding_test_tree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace lumadex {
namespace {

class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        LUMADEX_REQUIRE_TESTDATA("photos");
        LUMADEX_REQUIRE_TESTDATA("bmpsuite");
        pictures_.SetListener(&window_);
    }

    ItemResult Scan(const QString& folder, std::optional<int> depthLimit = std::nullopt) {
        AddingOptions options;
        options.depthLimit = depthLimit;
        AddingSession session{pictures_, window_.reference, options, window_};
        return AddFolder(session, folder, 0);
    }

    // The added pictures' paths below the tree's root.
    QStringList AddedBelowRoot() const {
        QStringList added = test::NewAddedPaths(pictures_);
        for (QString& path : added)
            path.remove(0, tree_.root().size() + 1);
        return added;
    }

    test::PictureTree tree_;
    test::AddingWindow window_;
    PictureCatalogue pictures_{NativePictureLoader()};
};

TEST_F(FolderScanTest, AddsAcceptedPicturesInNameOrderWithinTheDepth) {
    // Pictures, files that a scan passes over silently, a hidden folder, nested folders and
    // links that would loop.
    tree_.Copy("photos/HappyFish.jpg", "a.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "b.JPG");
    tree_.Copy("bmpsuite/g/pal8.bmp", "c.bmp");
    tree_.Copy("photos/WindowsLogo.jpg", ".dot.jpg");
    tree_.Copy("photos/blox.jpg", "image.jp");
    tree_.Copy("photos/blox.jpg", "noext");
    tree_.Write("notes.txt", "not a picture");
    tree_.Copy("photos/blox.jpg", ".hidden/h.jpg");
    tree_.Copy("photos/blox.jpg", "sub/d.jpg");
    tree_.Copy("photos/page.png", "sub/deeper/e.png");
    tree_.Link(tree_.root(), "loop");
    tree_.Link(tree_.root(), "sub/uplink");
    tree_.Link(tree_.Path("a.jpg"), "link.jpg");
    const QStringList all = {".dot.jpg", "a.jpg",     "b.JPG",           "c.bmp",
                             "link.jpg", "sub/d.jpg", "sub/deeper/e.png"};
    EXPECT_EQ(Scan(tree_.root()), ItemResult::Done);
    EXPECT_EQ(AddedBelowRoot(), all);
    EXPECT_EQ(pictures_.errorHistory().messageCount(), 0);
    // The file count after each file, the list count as each folder ends.
    EXPECT_EQ(window_.fileCounts,
              (QStringList{"1 Files", "2 Files", "3 Files", "4 Files", "5 Files", "6 Files",
                           "7 Files", "7/7", "7/7", "7/7"}));
    pictures_.ClearRecords();
    EXPECT_EQ(Scan(tree_.root(), 1), ItemResult::Done);
    EXPECT_EQ(AddedBelowRoot(), all.mid(0, 5));
}

TEST_F(FolderScanTest, FoldersThatCannotBeListedEndTheirScanOnly) {
    tree_.Copy("photos/blox.jpg", "a.jpg");
    tree_.Copy("photos/blox.jpg", "z.jpg");
    const QString locked = tree_.MakeFolder("m");
    tree_.Copy("photos/blox.jpg", "m/hidden.jpg");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    const bool lockHolds = !QDir(locked).isReadable() || geteuid() != 0;
    for (const QString& folder : {tree_.Path("missing"), tree_.Path("a.jpg")}) {
        EXPECT_EQ(Scan(folder), ItemResult::Done) << folder.toStdString();
        EXPECT_EQ(window_.fileCounts.last(), "0/0") << folder.toStdString();
    }
    EXPECT_EQ(Scan(tree_.root()), ItemResult::Done);
    if (lockHolds) {
        EXPECT_EQ(AddedBelowRoot(), (QStringList{"a.jpg", "z.jpg"}));
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FolderScanTest, SystemFoldersAreNeverScanned) {
    const QString linkToSystem = tree_.Path("proc-link");
    tree_.Link("/proc", "proc-link");
    for (const QString& system : QStringList{"/proc/", "/sys/kernel", "/tmp/../dev/shm"})
        EXPECT_TRUE(IsSystemFolder(system)) << system.toStdString();
    for (const QString& other : QStringList{"/devices", "/procedures", "/sys/..", tree_.root()})
        EXPECT_FALSE(IsSystemFolder(other)) << other.toStdString();
    EXPECT_EQ(Scan("/dev"), ItemResult::Done);
    EXPECT_EQ(Scan(linkToSystem), ItemResult::Done); // a link to a system folder
    EXPECT_EQ(pictures_.catalogue().count(), 0);
    EXPECT_TRUE(window_.fileCounts.isEmpty());
}

} // namespace
} // namespace lumadex
