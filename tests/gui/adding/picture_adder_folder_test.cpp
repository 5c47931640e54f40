#include "catalogue/log_file.h"
#include "gui/adding/picture_adder_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QSpinBox>

namespace lumadex::test {
namespace {

using PictureAdderFolderTest = PictureAdderTest;

QStringList LogLines(const QString& folder) {
    QFile log(folder + QString::fromUtf16(kLogFileName));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST_F(PictureAdderFolderTest, ChosenFolderIsScannedToTheDepthSetInTheDialog) {
    const QString top = tree_.MakeFolder("top");
    tree_.Copy("photos/HappyFish.jpg", "top/a.jpg");
    tree_.Copy("photos/LinuxLogo.jpg", "top/sub/b.jpg");
    tree_.Copy("photos/blox.jpg", "top/sub/deeper/c.jpg");
    ChooseFolderWhenAsked(top, 2);

    adder_.AddPicturesFromFolder();

    EXPECT_EQ(Catalogued(), (QStringList{top + "/a.jpg", top + "/sub/b.jpg"}));
    EXPECT_EQ(dirSel_.windowTitle(), "Select Folder");
    EXPECT_EQ(dirSel_.recentFolders().value(0), top);
    const QStringList progressTexts = window_.EventsOf("status0");
    EXPECT_EQ(progressTexts.mid(progressTexts.size() - 2),
              (QStringList{"Updating list...", "Adding pictures done."}));
    EXPECT_EQ(window_.EventsOf("status1").last(), "2/2");
    EXPECT_EQ(window_.events.last(), "finished:");

    // A dropped folder is scanned to the depth the dialog was left with; under "Don't Add" the
    // pictures already catalogued are not added again.
    adder_.AddDroppedPaths({top});
    EXPECT_EQ(Catalogued().size(), 2);
    ASSERT_TRUE(dirSel_.depthLimit().has_value());
    dirSel_.LevelLimit->setChecked(false);
    adder_.AddDroppedPaths({top});
    EXPECT_EQ(Catalogued().size(), 3);
}

TEST_F(PictureAdderFolderTest, CancelledDialogAddsNothing) {
    tree_.Copy("photos/HappyFish.jpg", "a.jpg");
    QTimer::singleShot(0, &dirSel_, [this] { dirSel_.Button2->click(); });

    adder_.AddPicturesFromFolder();

    EXPECT_TRUE(Catalogued().isEmpty());
    EXPECT_TRUE(window_.events.isEmpty());
    EXPECT_TRUE(dirSel_.recentFolders().isEmpty());
}

// The error log is written only while a folder is added with "Make Error Log" checked.
TEST_F(PictureAdderFolderTest, ErrorLogCoversTheFolderCommandOnly) {
    const QString programFolder = tree_.MakeFolder("program") + '/';
    document_.pictures().setProgramFolder(programFolder);
    const QString folder = tree_.MakeFolder("logged");
    const QString broken = tree_.Write("logged/broken.jpg", QByteArray(4096, 'x'));
    tree_.Copy("photos/HappyFish.jpg", "logged/good.jpg");
    QTimer::singleShot(0, &dirSel_, [&] {
        dirSel_.setDirectory(folder);
        dirSel_.MakeErrorLog->setChecked(true);
        dirSel_.Button1->click();
    });

    adder_.AddPicturesFromFolder();

    EXPECT_EQ(Catalogued(), QStringList{folder + "/good.jpg"});
    const QStringList lines = LogLines(programFolder);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(" Read failed," + broken)) << lines[0].toStdString();
    EXPECT_FALSE(document_.pictures().logToFile());

    adder_.AddDroppedPaths({broken});
    EXPECT_EQ(LogLines(programFolder).size(), 1);
    EXPECT_EQ(window_.EventsOf("logged").last(), "Read failed," + broken);
}

} // namespace
} // namespace lumadex::test
