#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "adding/picture_adder.h"
#include "folders/TDirSel.h"
#include "gui/app_fixture.h"
#include "main/TAboutBox.h"
#include "main/menu_captions.h"
#include "main/screenshot.h"
#include "option_dialog/TOption.h"

#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace lumadex::test {
namespace {

// Pictures of the program's windows from a real run, for a look at the layout: photos added,
// a reference selected, each window as it shows. Every picture must show something.
class AppScreenshotTest : public AppTest {
protected:
    static QString ShotPath(const char* name) {
        return QDir(QStringLiteral(LUMADEX_SCREENSHOT_DIR)).filePath(QLatin1String(name));
    }
    static void Shoot(QWidget& widget, const char* name) {
        EXPECT_TRUE(SaveScreenshot(widget, ShotPath(name))) << name;
    }
};

TEST_F(AppScreenshotTest, WindowsOfARunWithPhotosAndASelectedReference) {
    const QString folder = tree.MakeFolder("photos");
    for (const char* name : {"HappyFish.jpg", "LinuxLogo.jpg", "blox.jpg", "aero1.jpg"})
        tree.Copy(QStringLiteral("photos/") + name, QStringLiteral("photos/") + name);
    tree.Copy("photos/HappyFish.jpg", "photos/HappyFish copy.jpg");
    Start();
    Main().resize(900, 600);

    // The progress window once its first picture is analysed.
    bool progressShot = false;
    QObject::connect(&windows->adder(), &PictureAdder::StatusText, [&](int panel, const QString&) {
        if (progressShot || panel != PictureAdder::kCountPanel)
            return;
        progressShot = true;
        EXPECT_TRUE(windows->progress().isVisible());
        Shoot(windows->progress(), "progress.png");
    });
    windows->adder().AddDroppedPaths({folder});
    EXPECT_TRUE(progressShot);
    // Only the photo and its copy have look-alikes; the first is the reference, the other
    // its target.
    Main().DataFilter->setCurrentIndex(1);
    ASSERT_EQ(ReferenceRows(), 2);
    Main().ListBox1->setCurrentIndex(Main().ListBox1->model()->index(0, 0));
    EXPECT_EQ(Main().ListBox2->recordModel()->rowCount(), 1);

    // The menu language is chosen in the option dialog; its picture shows the second visit.
    TOption& option = windows->option();
    const auto chooseLanguage = [&](bool japanese, const char* dialogShot) {
        QTimer::singleShot(0, &option, [&option, japanese, dialogShot] {
            if (dialogShot)
                Shoot(option, dialogShot);
            if (option.UseJapneseMenu->isChecked() != japanese)
                option.UseJapneseMenu->click();
            option.OkButton->click();
        });
        Main().MenuItem("Setup1")->trigger();
        ASSERT_FALSE(option.isVisible());
        EXPECT_EQ(Caption("Setup1"), CaptionText(*FindMenuCaption(u"Setup1"), japanese));
    };
    chooseLanguage(false, nullptr);
    Shoot(Main(), "main-english.png");
    chooseLanguage(true, "option.png");

    // The Japanese captions: the window with its menu bar, and the File menu opened.
    Shoot(Main(), "main-japanese.png");
    QMenu* file = Main().findChild<QMenu*>(QStringLiteral("File1Menu"));
    ASSERT_NE(file, nullptr);
    file->popup(Main().mapToGlobal(QPoint(10, 30)));
    Shoot(*file, "main-japanese-file-menu.png");
    file->hide();

    TDirSel& dirSel = windows->dirSel();
    QTimer::singleShot(0, &dirSel, [&] {
        dirSel.setDirectory(folder);
        Shoot(dirSel, "dirsel.png");
        dirSel.Button2->click();
    });
    Main().MenuItem("AddPicturefromDir1")->trigger();

    TOpenForm& openForm = windows->openForm();
    QTimer::singleShot(0, &openForm, [&] {
        openForm.setDirectory(folder);
        Shoot(openForm, "openform.png");
        openForm.Button2->click();
    });
    Main().MenuItem("Open1")->trigger();

    TAboutBox& about = windows->aboutBox();
    QTimer::singleShot(0, &about, [&] {
        Shoot(about, "about.png");
        about.OKButton->click();
    });
    Main().MenuItem("About1")->trigger();
}

} // namespace
} // namespace lumadex::test
