#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "adding/picture_adder.h"
#include "folders/TDirSel.h"
#include "gui/main_window_fixture.h"
#include "main/TAboutBox.h"
#include "main/screenshot.h"
#include "option_dialog/TOption.h"

#include <QMenu>
#include <QRegularExpression>
#include <functional>

namespace lumadex::test {
namespace {

void Shoot(QWidget& widget, const char* name) {
    const QString path = QDir(QStringLiteral(LUMADEX_SCREENSHOT_DIR)).filePath(QLatin1String(name));
    EXPECT_TRUE(SaveScreenshot(widget, path)) << name;
}

// Once the dialog shows: prepares it, takes its picture and closes it with the button.
void ShootWhenShown(QWidget& dialog, const char* name, QAbstractButton* close,
                    const std::function<void()>& prepare = {}) {
    QTimer::singleShot(0, &dialog, [&dialog, name, close, prepare] {
        EXPECT_TRUE(dialog.isVisible()) << name;
        if (prepare)
            prepare();
        Shoot(dialog, name);
        close->click();
    });
}

using AppScreenshotTest = AppTest;

// Pictures of the program's windows from a real run, for a look at the layout: photos added,
// a reference selected, each window as it shows. Every picture must show something.
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
        Shoot(windows->progress(), "progress.png");
    });
    windows->adder().AddDroppedPaths({folder});
    EXPECT_TRUE(progressShot);
    // Only the photo and its copy have look-alikes: the first is the reference.
    Main().DataFilter->setCurrentIndex(1);
    ASSERT_EQ(ReferenceRows(), 2);
    Main().ListBox1->setCurrentIndex(Main().ListBox1->model()->index(0, 0));

    // The menu language is chosen in the option dialog; its picture shows the second visit.
    TOption& option = windows->option();
    for (const bool japanese : {false, true}) {
        QTimer::singleShot(0, &option, [&option, japanese] {
            if (japanese)
                Shoot(option, "option.png");
            if (option.UseJapneseMenu->isChecked() != japanese)
                option.UseJapneseMenu->click();
            option.OkButton->click();
        });
        Main().MenuItem("Setup1")->trigger();
        Shoot(Main(), japanese ? "main-japanese.png" : "main-english.png");
    }
    QMenu* file = Main().findChild<QMenu*>(QStringLiteral("File1Menu"));
    file->popup(Main().mapToGlobal(QPoint(10, 30)));
    Shoot(*file, "main-japanese-file-menu.png");
    file->hide();

    TDirSel& dirSel = windows->dirSel();
    ShootWhenShown(dirSel, "dirsel.png", dirSel.Button2, [&] { dirSel.setDirectory(folder); });
    Main().MenuItem("AddPicturefromDir1")->trigger();
    TOpenForm& openForm = windows->openForm();
    ShootWhenShown(openForm, "openform.png", openForm.Button2,
                   [&] { openForm.setDirectory(folder); });
    Main().MenuItem("Open1")->trigger();

    // The About box names the program and its version; Ok closes it.
    TAboutBox& about = windows->aboutBox();
    ShootWhenShown(about, "about.png", about.OKButton, [&] {
        EXPECT_EQ(about.ProductName->text(), QStringLiteral("Lumadex Lite"));
        EXPECT_TRUE(about.Version->text().contains(QRegularExpression("^Version \\d+\\.\\d+")))
            << about.Version->text().toStdString();
    });
    Main().MenuItem("About1")->trigger();
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace lumadex::test
