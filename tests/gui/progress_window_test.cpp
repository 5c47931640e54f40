#include "gui/picture_adder_fixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace lumadex::test {
namespace {

using ProgressWindowTest = PictureAdderTest;

// After an analysis the window holds the picture and a full cell bar; showing it again for the
// next command starts from nothing, with the abort flag cleared.
TEST_F(ProgressWindowTest, ShowsTheAnalysisAndStartsEachShowingAfresh) {
    const QString picture = tree_.Copy("photos/butterfly.jpg", "a.jpg");
    QStringList captions;
    QObject::connect(&progress_, &QWidget::windowTitleChanged,
                     [&](const QString& caption) { captions << caption; });

    adder_.AddDroppedPaths({picture});

    EXPECT_EQ(captions, (QStringList{"Reading " + picture, "Analyzing " + picture}));
    EXPECT_EQ(progress_.ProgressBar1->value(), progress_.ProgressBar1->maximum());
    EXPECT_FALSE(progress_.Image1->pixmap().isNull());

    progress_.work.Stop();
    progress_.show();
    EXPECT_EQ(progress_.ProgressBar1->value(), 0);
    EXPECT_EQ(progress_.ProgressBar2->value(), 0);
    EXPECT_TRUE(progress_.Image1->pixmap().isNull());
    EXPECT_FALSE(progress_.work.StopAsked());

    // Escape asks to abort like the button and leaves the window up while the work ends.
    QTest::keyClick(&progress_, Qt::Key_Escape);
    EXPECT_TRUE(progress_.work.StopAsked());
    EXPECT_TRUE(progress_.isVisible());
    progress_.hide();
}

// "Minimize" keeps both windows out of the way while adding and brings them back after.
TEST_F(ProgressWindowTest, MinimizedWhileAddingAndRestoredAfter) {
    const QString folder = tree_.MakeFolder("quiet");
    tree_.Copy("photos/HappyFish.jpg", "quiet/a.jpg");
    mainWindow_.show();
    bool minimisedDuring = false;
    onStatus = [&](int, const QString& text) {
        if (text == "Analyzing")
            minimisedDuring = mainWindow_.isMinimized() && progress_.isMinimized();
    };
    QTimer::singleShot(0, &dirSel_, [&] {
        dirSel_.setDirectory(folder);
        dirSel_.Minimize->setChecked(true);
        dirSel_.Button1->click();
    });

    adder_.AddPicturesFromFolder();

    EXPECT_EQ(Catalogued().size(), 1);
    EXPECT_TRUE(minimisedDuring);
    EXPECT_FALSE(mainWindow_.isMinimized());
    EXPECT_FALSE(progress_.isMinimized());
    mainWindow_.hide();
}

} // namespace
} // namespace lumadex::test
