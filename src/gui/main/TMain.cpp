#include "main/TMain.h"

#include "main/record_list_model.h"
#include "main/record_list_view.h"
#include "main/selection_status.h"
#include "platform/settings_folder.h"
#include "store/default_options_file.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumadex {
namespace {

constexpr int kToolButtonSize = 26;
constexpr int kCrystalSize = 22;
constexpr int kPreviewSize = 105;
constexpr int kViewPanelWidth = kPreviewSize + 4;
constexpr int kCountPanelWidth = 106;

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* AddStatusPanel(QStatusBar* bar, const char* name, const QString& text, bool stretch) {
    auto* label = Named(new QLabel(text, bar), name);
    label->setTextFormat(Qt::PlainText);
    if (stretch) {
        // A long text (a path, a hint) is clipped instead of widening the window.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(label, 1);
    } else {
        bar->addPermanentWidget(label);
    }
    return label;
}

// A left-aligned row of controls inside row; the caller ends it with a stretch.
QHBoxLayout* RowLayout(QWidget* row, int margin) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(2);
    return layout;
}

// Lets a push button shrink below the width the style prefers, down to what its caption and
// frame need, so that a row of them fits under a list of a small window.
void AllowNarrow(QPushButton* button) {
    const QStyle* style = button->style();
    const int frame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int caption = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
    button->setMinimumWidth(caption + margin + frame);
}

// The open database's file name without folder and extension; empty for a new database.
QString DatabaseName(const Document& document) {
    return QFileInfo(document.databasePath()).completeBaseName();
}

} // namespace

TMain::TMain(Document& document, UserQuestions& questions, QWidget* parent)
    : QMainWindow(parent), document_(document), questions_(questions) {
    setObjectName(QStringLiteral("TMain"));
    setCentralWidget(new QWidget(this));
    menus_ = BuildMainMenus(*menuBar());
    BuildToolBar();
    BuildLists();
    BuildButtonRows();
    BuildStatusBars();
    LayOutControls();
    ConnectCommands();
    ConnectHistory();
    document_.pictures().setProgramFolder(ProgramFolder() + QLatin1Char('/'));
    document_.SetObserver(this);
    document_.SetCatalogueListener(this);
    LoadHistory();
    resize(appConfig_.mainWindow.width, appConfig_.mainWindow.height);
    setWindowTitle(document_.Title());
    UpdateCommands();
}

TMain::~TMain() {
    FormDestroy();
    document_.SetObserver(nullptr);
    document_.SetCatalogueListener(nullptr);
}

void TMain::BuildToolBar() {
    QWidget* client = centralWidget();
    Panel1 = Named(new QFrame(client), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    struct ToolButton {
        QToolButton*& button;
        const char* name;
        const char* hint;
        QStyle::StandardPixmap icon;
        const char* item; // the menu item it runs
    };
    const ToolButton buttons[] = {
        {SpeedButton1, "SpeedButton1", "Add Picture", QStyle::SP_FileIcon, "Open1"},
        {SpeedButton6, "SpeedButton6", "Add Pictures from Folder", QStyle::SP_DirIcon,
         "AddPicturefromDir1"},
        {SpeedButton3, "SpeedButton3", "Open Database", QStyle::SP_DialogOpenButton,
         "Opendatabase1"},
        {SpeedButton4, "SpeedButton4", "Save Database", QStyle::SP_DialogSaveButton,
         "Savedatabase1"},
        {SpeedButton7, "SpeedButton7", "Save Database As", QStyle::SP_DriveHDIcon,
         "Savedatabaseas1"},
        {SpeedButton8, "SpeedButton8", "Clear All Data Entry", QStyle::SP_TrashIcon,
         "ClearAllDataEntry1"},
        {SpeedButton9, "SpeedButton9", "Refresh", QStyle::SP_BrowserReload, "Refind1"},
        {SpeedButton10, "SpeedButton10", "Make Mismatch|", QStyle::SP_DialogNoButton,
         "Makemismatch1"},
        {DataSetSpeedButton, "DataSetSpeedButton", "Data Set", QStyle::SP_FileDialogDetailedView,
         nullptr},
        {SpeedButton5, "SpeedButton5", "Option", QStyle::SP_FileDialogContentsView, "Setup1"},
        {SpeedButton2, "SpeedButton2", "Exit", QStyle::SP_DialogCloseButton, "Exit1"},
    };
    QHBoxLayout* row = RowLayout(Panel1, 2);
    for (const ToolButton& tool : buttons) {
        tool.button = Named(new QToolButton(Panel1), tool.name);
        row->addWidget(tool.button);
        // The hint's short part is the tool tip; a long part after "|" goes to the status bar.
        const QString hint = QString::fromLatin1(tool.hint);
        tool.button->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
        tool.button->setIcon(style()->standardIcon(tool.icon));
        tool.button->setAutoRaise(true);
        tool.button->setFixedSize(kToolButtonSize, kToolButtonSize);
        QAction* item = tool.item ? MenuItem(QString::fromLatin1(tool.item)) : nullptr;
        if (item) {
            connect(tool.button, &QToolButton::clicked, item, &QAction::trigger);
            tool.button->setEnabled(item->isEnabled());
            connect(item, &QAction::enabledChanged, tool.button, &QToolButton::setEnabled);
        } else {
            tool.button->setEnabled(false);
        }
    }
    Crystal = Named(new QLabel(QStringLiteral("?"), Panel1), "Crystal");
    Crystal->setAlignment(Qt::AlignCenter);
    Crystal->setFrameShape(QFrame::Panel);
    Crystal->setFrameShadow(QFrame::Sunken);
    Crystal->setFixedSize(kCrystalSize, kCrystalSize);
    row->addSpacing(8);
    row->addWidget(Crystal);
    row->addStretch(1);
}

void TMain::BuildLists() {
    QWidget* client = centralWidget();
    ListBox1 = Named(new RecordListView(client), "ListBox1");
    ListBox2 = Named(new RecordListView(client), "ListBox2");
    referenceModel = new RecordListModel(referenceStore_, document_.pictures(), this);
    targetModel = new RecordListModel(targetStore_, document_.pictures(), this);
    ListBox1->setRecordModel(referenceModel);
    ListBox2->setRecordModel(targetModel);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setPassKeypadKeys(true);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMain::ListBox1Change);
    connect(ListBox2->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMain::ListBox2Change);
    connect(ListBox1, &RecordListView::Clicked, this, &TMain::ListBox1Click);

    TargetPopup = Named(new QMenu(this), "TargetPopup");
    FindinRef = TargetPopup->addAction(QStringLiteral("Find in Ref. List"));
    FindinRef->setObjectName(QStringLiteral("FindinRef"));
    FindinRef->setEnabled(false);
    RemovefromList1 = TargetPopup->addAction(QStringLiteral("Remove from List"));
    RemovefromList1->setObjectName(QStringLiteral("RemovefromList1"));
    connect(FindinRef, &QAction::triggered, this, &TMain::FindinRefClick);
    connect(RemovefromList1, &QAction::triggered, this, &TMain::RemovefromList1Click);
    ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox2, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        TargetPopup->popup(ListBox2->viewport()->mapToGlobal(position));
    });

    // The preview column: the reference preview over the target preview, each with the
    // name, size and date of its record below it.
    const auto makeViewPanel = [client](const char* panelName, const char* imageName,
                                        QLabel*& image) {
        auto* panel = Named(new QFrame(client), panelName);
        panel->setFixedSize(kViewPanelWidth, kViewPanelWidth);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        image = Named(new QLabel(panel), imageName);
        image->setGeometry(2, 2, kPreviewSize, kPreviewSize);
        image->setAlignment(Qt::AlignCenter);
        image->hide();
        return panel;
    };
    LeftViewPanel = makeViewPanel("LeftViewPanel", "Image1", Image1);
    RightViewPanel = makeViewPanel("RightViewPanel", "Image2", Image2);
    const auto infoLabel = [client](const char* name) {
        auto* label = Named(new QLabel(client), name);
        label->setTextFormat(Qt::PlainText);
        // A long name is clipped to the preview's width.
        label->setFixedWidth(kViewPanelWidth);
        return label;
    };
    STFnam1 = infoLabel("STFnam1");
    STFSize1 = infoLabel("STFSize1");
    STFDate = infoLabel("STFDate");
    STFnam2 = infoLabel("STFnam2");
    STFSize2 = infoLabel("STFSize2");
    STFDate2 = infoLabel("STFDate2");
    // Date and time may take two lines.
    for (QLabel* date : {STFDate, STFDate2}) {
        date->setWordWrap(true);
        date->setMinimumHeight(2 * date->fontMetrics().lineSpacing());
    }

    Panel2 = Named(new QFrame(client), "Panel2");
    ComboBoxSort = Named(new QComboBox(Panel2), "ComboBoxSort");
    ComboBoxSort->addItems({QStringLiteral("Name"), QStringLiteral("PathName"),
                            QStringLiteral("Date"), QStringLiteral("Size"),
                            QStringLiteral("Similarity")});
    ComboBoxSort->setToolTip(QStringLiteral("Sort by"));
    connect(ComboBoxSort, &QComboBox::activated, this, &TMain::ComboBoxSortChange);
    DataFilter = Named(new QComboBox(Panel2), "DataFilter");
    DataFilter->addItems({QStringLiteral("All"), QStringLiteral("Has Similar Pics")});
    DataFilter->setToolTip(QStringLiteral("Search Item"));
    connect(DataFilter, &QComboBox::currentIndexChanged, this, &TMain::DataFilterChange);
    SearchButton = Named(new QPushButton(QStringLiteral("Search"), Panel2), "SearchButton");
    connect(SearchButton, &QPushButton::clicked, this, &TMain::SearchButtonClick);
    StopBitBtn = Named(new QToolButton(Panel2), "StopBitBtn");
    StopBitBtn->setText(QStringLiteral("Stop"));
    StopBitBtn->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    StopBitBtn->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    StopBitBtn->hide();
    connect(StopBitBtn, &QToolButton::clicked, this, &TMain::StopBitBtnClick);
    QHBoxLayout* searchRow = RowLayout(Panel2, 0);
    searchRow->addWidget(ComboBoxSort);
    searchRow->addWidget(DataFilter);
    searchRow->addWidget(SearchButton);
    searchRow->addWidget(StopBitBtn);
    searchRow->addStretch(1);

    Panel3 = Named(new QFrame(client), "Panel3");
    DisableAutoFind =
        Named(new QCheckBox(QStringLiteral("Disable Reference"), Panel3), "DisableAutoFind");
    connect(DisableAutoFind, &QCheckBox::clicked, this, &TMain::DisableAutoFindClick);
    UseSubIndex = Named(new QCheckBox(QStringLiteral("Use SubIndex"), Panel3), "UseSubIndex");
    UseSubIndex->setChecked(true);
    connect(UseSubIndex, &QCheckBox::clicked, this, [this] { ReferenceSelected(false); });
    QHBoxLayout* optionRow = RowLayout(Panel3, 0);
    optionRow->addWidget(DisableAutoFind);
    optionRow->addWidget(UseSubIndex);
    optionRow->addStretch(1);
}

void TMain::BuildButtonRows() {
    QWidget* client = centralWidget();
    LeftPanel = Named(new QFrame(client), "LeftPanel");
    RightPanel = Named(new QFrame(client), "RightPanel");
    struct RowButton {
        QPushButton*& button;
        const char* name;
        const char* caption;
        QFrame* row;
    };
    const RowButton buttons[] = {
        {LeftViewButton, "LeftViewButton", "View", LeftPanel},
        {ClearEntry, "ClearEntry", "Clear", LeftPanel},
        {CopyRefButton, "CopyRefButton", "Copy", LeftPanel},
        {MoveRefButton, "MoveRefButton", "Move", LeftPanel},
        {RefdelButton, "RefdelButton", "Delete", LeftPanel},
        {ButtonRenameLeft, "ButtonRenameLeft", "Rename", LeftPanel},
        {RightViewButton, "RightViewButton", "View", RightPanel},
        {CopyButton, "CopyButton", "Copy", RightPanel},
        {MoveButton, "MoveButton", "Move", RightPanel},
        {DelButton, "DelButton", "Delete", RightPanel},
        {Rename, "Rename", "&Rename", RightPanel},
    };
    for (const RowButton& tool : buttons) {
        tool.button =
            Named(new QPushButton(QString::fromLatin1(tool.caption), tool.row), tool.name);
        // Their commands (viewers and file operations) are not part of this window yet.
        tool.button->setEnabled(false);
        AllowNarrow(tool.button);
    }
    ButtonRenameLeft->hide();
    for (QFrame* row : {LeftPanel, RightPanel}) {
        QHBoxLayout* layout = RowLayout(row, 0);
        for (QPushButton* button : row->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
            layout->addWidget(button);
        layout->addStretch(1);
        row->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(row, &QWidget::customContextMenuRequested, this,
                [this, row](const QPoint& position) { ShowButtonRowMenu(row, position); });
    }
}

void TMain::ShowButtonRowMenu(QWidget* row, const QPoint& position) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ButtonRowMenu"));
    for (QPushButton* button : row->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        QAction* item = menu.addAction(button->text());
        item->setObjectName(button->objectName());
        item->setCheckable(true);
        item->setChecked(button->isVisibleTo(row));
        connect(item, &QAction::toggled, button, &QPushButton::setVisible);
    }
    menu.exec(row->mapToGlobal(position));
}

void TMain::BuildStatusBars() {
    QWidget* client = centralWidget();
    StatusBar1 = Named(new QStatusBar(client), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1Panel0 = AddStatusPanel(StatusBar1, "StatusBar1Panel0", QStringLiteral("Idle"), true);
    StatusBar1Panel1 =
        AddStatusPanel(StatusBar1, "StatusBar1Panel1", QStringLiteral("0 File read"), false);
    StatusBar1Panel1->setAlignment(Qt::AlignCenter);
    StatusBar1Panel1->setFixedWidth(kCountPanelWidth);
    StatusBar2 = Named(new QStatusBar(client), "StatusBar2");
    StatusBar2->setSizeGripEnabled(true);
    StatusBar2Panel0 = AddStatusPanel(StatusBar2, "StatusBar2Panel0", QString(), true);
    ProgressBar1 = Named(new QProgressBar(client), "ProgressBar1");
    ProgressBar1->hide();
}

void TMain::LayOutControls() {
    // Between the tool bar and the status bars: the two lists side by side with their button
    // rows below them, then the option row and the search row; the preview column at the
    // right runs beside all of them.
    auto* previews = new QVBoxLayout;
    previews->setSpacing(0);
    for (auto [panel, name, size, date] :
         {std::tuple{LeftViewPanel, STFnam1, STFSize1, STFDate},
          std::tuple{RightViewPanel, STFnam2, STFSize2, STFDate2}}) {
        previews->addWidget(panel);
        previews->addSpacing(2);
        previews->addWidget(name);
        previews->addWidget(size);
        previews->addWidget(date);
        previews->addSpacing(8);
    }
    previews->addStretch(1);

    auto* body = new QGridLayout;
    body->setContentsMargins(4, 2, 4, 2);
    body->setHorizontalSpacing(4);
    body->setVerticalSpacing(2);
    body->addWidget(ListBox1, 0, 0);
    body->addWidget(ListBox2, 0, 1);
    body->addWidget(LeftPanel, 1, 0);
    body->addWidget(RightPanel, 1, 1);
    body->addWidget(Panel3, 2, 0, 1, 2);
    body->addWidget(Panel2, 3, 0, 1, 2);
    body->addLayout(previews, 0, 2, 4, 1);
    body->setRowStretch(0, 1);
    body->setColumnStretch(0, 1);
    body->setColumnStretch(1, 1);

    // The progress bar lies over StatusBar2 while it is shown.
    auto* bottom = new QGridLayout;
    bottom->addWidget(StatusBar2, 0, 0);
    bottom->addWidget(ProgressBar1, 0, 0);

    auto* window = new QVBoxLayout(centralWidget());
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(Panel1);
    window->addLayout(body, 1);
    window->addWidget(StatusBar1);
    window->addLayout(bottom);
}

void TMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMain::FormShow() {
    const QStringList hints = CrystalHints();
    Crystal->setToolTip(hints.at(int(QRandomGenerator::global()->bounded(hints.size()))));
    SelectSortKey();
    if (!firstShowDone_)
        FirstShow();
    document_.UpdateTitle(false);
    for (const QString& name : ItemsHiddenAtShow())
        MenuItem(name)->setVisible(false);
    SearchButton->hide();
    UseSubIndex->hide();
    StopBitBtn->hide();
    ComboBoxSort->setCurrentIndex(document_.options().choice(RadioChoice::Sortby));
}

void TMain::FirstShow() {
    // Set first: a database read below runs the lists, which may let messages run and show
    // the window again.
    firstShowDone_ = true;
    if (!startDatabase_.isEmpty()) {
        document_.setPendingDatabasePath(startDatabase_);
        work_.Start();
        document_.ReadDatabase();
        document_.setDataChanged(false);
        document_.setOptionsChanged(false);
    } else if (startDefaultsLoader_) {
        startDefaultsLoader_();
        SelectSortKey();
    } else {
        const LoadDefaultOptionsResult defaults =
            LoadDefaultOptions(document_.pictures().programFolder(), document_.options());
        if (!defaults.statusText().isEmpty())
            StatusBar1Panel0->setText(defaults.statusText());
        SelectSortKey();
        Q_EMIT MenuLanguageRequired(document_.options().isChecked(OptionId::UseJapneseMenu));
    }
    LoadSettings();
}

void TMain::LoadHistory() {
    document_.history() = FileHistory::load(document_.pictures().programFolder());
    if (!document_.history().isEmpty())
        document_.setOpenDialogFolder(QFileInfo(document_.history().entries().first()).path());
}

void TMain::LoadSettings() {
    if (!lumadex::LoadAppConfig(document_.pictures().programFolder(), appConfig_))
        return;
    const WindowGeometry& geometry = appConfig_.mainWindow;
    if (geometry.width > 0 && geometry.height > 0)
        setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
    UseSubIndex->setChecked(appConfig_.useSubIndex);
    int bit = 0;
    for (QPushButton* button :
         {LeftViewButton, ClearEntry, CopyRefButton, MoveRefButton, RefdelButton, ButtonRenameLeft,
          RightViewButton, CopyButton, MoveButton, DelButton, Rename})
        button->setVisible(appConfig_.isButtonVisible(MainButton(bit++)));
}

void TMain::SaveSettings() {
    const QRect frame = geometry();
    appConfig_.mainWindow = {frame.top(), frame.left(), frame.width(), frame.height()};
    int mask = 0;
    int bit = 0;
    for (QPushButton* button :
         {LeftViewButton, ClearEntry, CopyRefButton, MoveRefButton, RefdelButton, ButtonRenameLeft,
          RightViewButton, CopyButton, MoveButton, DelButton, Rename}) {
        if (button->isVisibleTo(button->parentWidget()))
            mask |= 1 << bit;
        ++bit;
    }
    appConfig_.buttonVisibility = mask;
    appConfig_.useSubIndex = UseSubIndex->isChecked();
    appConfig_.openDialogFolder = document_.openDialog().folder;
    appConfig_.saveDialogFolder = document_.saveDialog().folder;
    if (!lumadex::SaveAppConfig(document_.pictures().programFolder(), appConfig_))
        StatusBar1Panel0->setText(QStringLiteral("Can't write ") +
                                  QLatin1String(kAppConfigFileName));
}

void TMain::closeEvent(QCloseEvent* event) {
    if (!AskSaveBeforeClose()) {
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}

bool TMain::AskSaveBeforeClose() {
    if (!document_.hasUnsavedChanges())
        return true;
    const QString name = DatabaseName(document_);
    const QString caption = name.isEmpty() ? QStringLiteral("[New]") : name;
    switch (questions_.Ask(QStringLiteral("Data changed.Save?"), caption,
                           MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case Answer::Yes:
        // The window stays open unless the database was written: a cancelled save dialog or
        // a failed write would otherwise lose the changes.
        if (document_.Save() != SaveOutcome::Saved)
            return false;
        document_.ClearChangeFlags();
        return true;
    case Answer::No:
        document_.ClearChangeFlags();
        return true;
    default:
        return false;
    }
}

// The last chance for changes the close question did not see (the program ended without
// closing the window): there is no staying open now, so only Yes and No. The history is
// written after it, so that a database saved here is listed.
void TMain::FormDestroy() {
    if (document_.hasUnsavedChanges()) {
        if (questions_.Ask(QStringLiteral("Data changed.Save?"), DatabaseName(document_),
                           MessageButtons::YesNo, MessageIcon::Question) == Answer::Yes)
            document_.Save();
        document_.ClearChangeFlags();
    }
    hide();
    document_.history().save(document_.pictures().programFolder());
}

void TMain::Exit1Click() {
    work_.Stop();
    close();
}

} // namespace lumadex
