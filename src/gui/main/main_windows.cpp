#include "main/main_windows.h"

#include "main/TAboutBox.h"
#include "main/TMain.h"
#include "option_dialog/TOption.h"
#include "main/manual.h"
#include "main/menu_captions.h"
#include "adding/picture_adder.h"
#include "adding/picture_drop.h"
#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "catalogue/extensions.h"
#include "catalogue/picture_loader.h"
#include "folders/TDirSel.h"
#include "folders/dialog_placement.h"
#include "main/record_list_view.h"

#include <QDir>
#include <QLabel>

namespace lumadex {

MainWindows::MainWindows(std::unique_ptr<UserQuestions> questions, const QString& startDatabase)
    : questions_(std::move(questions)), document_(NativePictureLoader(), *questions_),
      main_(std::make_unique<TMain>(document_, *questions_)),
      option_(new TOption(document_.options(), *questions_, main_.get())),
      progress_(new TProgress(main_.get())),
      dirSel_(new TDirSel(document_, *questions_, main_.get())),
      openForm_(new TOpenForm(document_, main_.get())), aboutBox_(new TAboutBox(main_.get())),
      adder_(std::make_unique<PictureAdder>(document_, *progress_, *dirSel_, *openForm_,
                                            main_.get())) {
    main_->setStartDatabase(startDatabase);
    ConnectOptions();
    ConnectAdding();
    ConnectHelp();
    serverBlock_.WriteMainWindowHandle(quint32(main_->winId()));
}

MainWindows::~MainWindows() = default;

void MainWindows::ConnectOptions() {
    TMain& window = *main_;
    window.AttachCommand(QStringLiteral("Setup1"), [this] { Setup1Click(); });
    // The defaults of the start go through the dialog, which then shows them.
    window.setStartDefaultsLoader([this] { option_->LoadStartDefaults(); });
    const auto setLanguage = [&window](bool japanese) { SetMenuLanguage(window, japanese); };
    QObject::connect(&window, &TMain::MenuLanguageRequired, option_, setLanguage);
    QObject::connect(&window, &TMain::MenuLanguageRequired, option_, &TOption::ShowOptions);
    QObject::connect(option_, &TOption::MenuLanguageChosen, &window, setLanguage);
    QObject::connect(option_, &TOption::SortOrderChosen, &window, &TMain::ShowSortOrder);
    QObject::connect(option_, &TOption::LongHintShown, &window, &TMain::ShowLongHint);
    QObject::connect(option_, &TOption::StatusText, &window,
                     [&window](const QString& text) { window.ShowStatusText(0, text); });
    QObject::connect(option_, &TOption::OptionEdited, &window, [&window](OptionId id) {
        if (id != OptionId::ShoePathName)
            return;
        window.referenceList()->viewport()->update();
        window.targetList()->viewport()->update();
    });
}

void MainWindows::ConnectAdding() {
    TMain& window = *main_;
    PictureAdder& adder = *adder_;
    adder.SetReferenceList(&window.referenceStore());
    adder.SetExtensionMask(QString::fromUtf16(kNativeExtensionMask));
    openForm_->SetMask(adder.extensionMask());
    window.AttachCommand(QStringLiteral("Open1"), [&adder] { adder.AddPicturesWithOpenForm(); });
    window.AttachCommand(QStringLiteral("AddPicturefromDir1"),
                         [&adder] { adder.AddPicturesFromFolder(); });
    // The drop target takes the window's drops and adds them once the drag has ended.
    new PictureDropTarget(window, adder);
    QObject::connect(&adder, &PictureAdder::StatusText, &window, &TMain::ShowStatusText);
    QObject::connect(&adder, &PictureAdder::ResultText, &window,
                     [&window](const QString& text) { window.StatusBar2Panel0->setText(text); });
    // The adder asks for the rebuild before it shows its closing texts, so that they stay;
    // ShowAllClick keeps the Reference selection itself.
    QObject::connect(&adder, &PictureAdder::RefreshListsRequested, &window, &TMain::ShowAllClick);
    // The database's folder comes with a trailing separator; the chooser's folders have none,
    // so the same folder is listed once.
    QObject::connect(&window, &TMain::DatabaseFolderRead, dirSel_, [this](const QString& folder) {
        dirSel_->RememberFolder(QDir::toNativeSeparators(QDir::cleanPath(folder)));
    });
}

void MainWindows::ConnectHelp() {
    main_->setManualPathSource(&ManualPath);
    main_->AttachCommand(QStringLiteral("Help2"), [this] { Help2Click(); });
    main_->AttachCommand(QStringLiteral("About1"), [this] { aboutBox_->exec(); });
}

void MainWindows::Setup1Click() {
    PlaceDialogAtCursor(*option_);
    option_->exec();
    if (option_->changed) {
        document_.setOptionsChanged(true);
        document_.UpdateTitle(false);
    }
    main_->OptionsApplied();
    option_->changed = false;
}

void MainWindows::Help2Click() {
    if (!OpenManual())
        document_.pictures().LogMessage(QStringLiteral("Browser open failed."));
}

} // namespace lumadex
