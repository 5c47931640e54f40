#include "gui/adding/picture_adder_fixture.h"

#include <QListWidget>
#include <QProgressBar>

namespace lumadex::test {
namespace {

using OpenFormTest = PictureAdderTest;

QStringList ListedNames(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << list.item(row)->text();
    return names;
}

TEST_F(OpenFormTest, FileListShowsTheFilesTheMaskAccepts) {
    const QString folder = tree_.MakeFolder("mixed");
    for (const char* name : {"b.jpg", "A.JPG", "c.png", "d.jpeg", "e.jif", "notes.txt", "image.jp",
                             "f.gif", "g.bmp.txt"})
        tree_.Write(QStringLiteral("mixed/") + name, "x");
    tree_.MakeFolder("mixed/sub.jpg");

    openForm_.setDirectory(folder);
    EXPECT_EQ(openForm_.windowTitle(), "Select Picture");
    EXPECT_EQ(ListedNames(*openForm_.FileListBox1),
              (QStringList{"A.JPG", "b.jpg", "c.png", "d.jpeg", "e.jif"}));

    openForm_.Button3->click();
    EXPECT_EQ(openForm_.SelectedNames(), ListedNames(*openForm_.FileListBox1));

    adder_.SetExtensionMask("*.png;*.bmp");
    EXPECT_EQ(ListedNames(*openForm_.FileListBox1), QStringList{"c.png"});
}

TEST_F(OpenFormTest, ChosenFilesAreAddedWithTheFilesBar) {
    const QString folder = tree_.MakeFolder("chosen");
    tree_.Copy("photos/HappyFish.jpg", "chosen/a.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "chosen/b.jpg");
    tree_.Copy("photos/blox.jpg", "chosen/c.jpg");
    QTimer::singleShot(0, &openForm_, [&] {
        openForm_.setDirectory(folder);
        openForm_.FileListBox1->item(0)->setSelected(true);
        openForm_.FileListBox1->item(2)->setSelected(true);
        openForm_.Button1->click();
    });
    int filesBarMaximum = -1;
    onStatus = [&](int, const QString&) {
        if (!progress_.ProgressBar2->isHidden())
            filesBarMaximum = progress_.ProgressBar2->maximum();
    };

    adder_.AddPicturesWithOpenForm();

    EXPECT_EQ(Catalogued(), (QStringList{folder + "/a.jpg", folder + "/c.jpg"}));
    EXPECT_EQ(filesBarMaximum, 2);
    EXPECT_EQ(window_.EventsOf("status0").last(), "Adding pictures done.");
    EXPECT_EQ(window_.EventsOf("status1"), (QStringList{"1 Files", "2 Files", "2/2"}));
    EXPECT_EQ(window_.events.last(), "finished:");

    // Cancel adds nothing and reports nothing.
    window_.events.clear();
    QTimer::singleShot(0, &openForm_, [&] {
        openForm_.Button3->click();
        openForm_.Button2->click();
    });
    adder_.AddPicturesWithOpenForm();
    EXPECT_EQ(Catalogued().size(), 2);
    EXPECT_TRUE(window_.events.isEmpty());
}

} // namespace
} // namespace lumadex::test
