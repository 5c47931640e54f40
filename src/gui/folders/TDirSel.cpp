#include "folders/TDirSel.h"

#include "catalogue/folder_scan.h"
#include "document/user_questions.h"
#include "folders/folder_jumps.h"
#include "folders/folder_tree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <array>

namespace lumadex {
namespace {

constexpr int kDefaultQuality = 75;

const std::array<const char*, 7> kCaptions = {
    "Select Folder",   "Copy To...",           "Move To...",    "Susie Plugin Folder",
    "ChangeTO Folder", "Select JpegTo Folder", "Select Folder",
};

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TDirSel::TDirSel(const Document& document, UserQuestions& questions, QWidget* parent)
    : QDialog(parent), questions_(questions) {
    setObjectName(QStringLiteral("DirSel"));
    BuildControls(document);
    SetMode(AddFolder);
}

void TDirSel::BuildControls(const Document& document) {
    DriveComboBox1 = Named(new QComboBox, "DriveComboBox1");
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox1->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()).toUpper(),
                                QDir::toNativeSeparators(drive.absoluteFilePath()));
    DirectoryListBox1 = Named(new FolderTree, "DirectoryListBox1");
    DirectoryListBox1->setMinimumSize(300, 240);
    DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    QAction* makeFolder = PopupMenu1->addAction(QStringLiteral("Make Folder..."));
    makeFolder->setObjectName(QStringLiteral("MakeFolder1"));
    AddFolderJumps(*PopupMenu1, *DirectoryListBox1, document);

    Button1 = Named(new QPushButton(QStringLiteral("Ok")), "Button1");
    Button1->setDefault(true);
    Button2 = Named(new QPushButton(QStringLiteral("Cancel")), "Button2");
    SearchSubfolder = Named(new QCheckBox(QStringLiteral("Search Subfolder")), "SearchSubfolder");

    Minimize = Named(new QCheckBox(QStringLiteral("Minimize")), "Minimize");
    LevelLimit = Named(new QCheckBox(QStringLiteral("Set Depth")), "LevelLimit");
    UpDown1 = Named(new QSpinBox, "UpDown1");
    UpDown1->setRange(1, 999);
    UpDown1->setValue(1);
    UpDown1->setEnabled(false);
    MakeErrorLog = Named(new QCheckBox(QStringLiteral("Make Error Log")), "MakeErrorLog");
    foraImageRead = Named(new QWidget, "foraImageRead");
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(LevelLimit);
    depthRow->addWidget(UpDown1);
    depthRow->addStretch();
    auto* imageRead = new QVBoxLayout(foraImageRead);
    imageRead->setContentsMargins(0, 0, 0, 0);
    imageRead->addWidget(Minimize);
    imageRead->addLayout(depthRow);
    imageRead->addWidget(MakeErrorLog);

    TreeView1 = Named(new QListWidget, "TreeView1");
    forCopyMove = Named(new QWidget, "forCopyMove");
    auto* copyMove = new QVBoxLayout(forCopyMove);
    copyMove->setContentsMargins(0, 0, 0, 0);
    copyMove->addWidget(TreeView1);

    PageControl1 = Named(new QStackedWidget, "PageControl1");
    PageControl1->addWidget(foraImageRead);
    PageControl1->addWidget(forCopyMove);

    Panel1 = Named(new QWidget, "Panel1");
    TrackBar1 = Named(new QSlider(Qt::Vertical), "TrackBar1");
    TrackBar1->setRange(0, 99);
    TrackBar1->setInvertedAppearance(true); // 0 ("Smaller") at the top
    quiality = Named(new QLabel, "quiality");
    auto* panel = new QVBoxLayout(Panel1);
    panel->addWidget(new QLabel(QStringLiteral("Smaller")), 0, Qt::AlignHCenter);
    panel->addWidget(TrackBar1, 1, Qt::AlignHCenter);
    panel->addWidget(new QLabel(QStringLiteral("Better")), 0, Qt::AlignHCenter);
    panel->addWidget(quiality, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SearchSubfolder);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* left = new QVBoxLayout;
    left->addWidget(DriveComboBox1);
    left->addWidget(DirectoryListBox1, 1);
    left->addWidget(PageControl1);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(Panel1);

    connect(Button1, &QPushButton::clicked, this, &TDirSel::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDirSel::reject);
    connect(makeFolder, &QAction::triggered, this, &TDirSel::MakeFolder1Click);
    connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DirectoryListBox1->mapToGlobal(at)); });
    connect(DirectoryListBox1, &FolderTree::directoryChanged, this, &TDirSel::ShowDriveOf);
    connect(TreeView1, &QListWidget::itemClicked, this, &TDirSel::TreeView1Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TDirSel::TrackBar1Change);
    connect(LevelLimit, &QCheckBox::toggled, this, &TDirSel::LevelLimitClick);
    connect(DriveComboBox1, &QComboBox::activated, this, &TDirSel::DriveComboBox1Change);
    ShowDriveOf(DirectoryListBox1->directory());
}

void TDirSel::SetMode(int mode) {
    mode_ = mode;
    setWindowTitle(QString::fromLatin1(kCaptions[std::size_t(qBound(0, mode, 6))]));
    SearchSubfolder->setVisible(mode == SearchFolder);
    Panel1->setVisible(mode == JpegTo);
    if (mode == AddFolder)
        PageControl1->setCurrentWidget(foraImageRead);
    else if (mode != JpegTo)
        PageControl1->setCurrentWidget(forCopyMove);
    // Only the page on show takes room, so the adding page leaves the dialog short.
    for (QWidget* page : {foraImageRead, forCopyMove}) {
        const auto policy =
            page == PageControl1->currentWidget() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        page->setSizePolicy(policy, policy);
    }
    PageControl1->adjustSize();
    resize(width(), sizeHint().height());
}

QString TDirSel::directory() const {
    return DirectoryListBox1->directory();
}

void TDirSel::setDirectory(const QString& folder) {
    DirectoryListBox1->setDirectory(folder);
}

std::optional<int> TDirSel::depthLimit() const {
    if (!LevelLimit->isChecked())
        return std::nullopt;
    return UpDown1->value();
}

bool TDirSel::minimizeWhileAdding() const {
    return Minimize->isChecked();
}

bool TDirSel::makeErrorLog() const {
    return MakeErrorLog->isChecked();
}

int TDirSel::quality() const {
    return TrackBar1->value();
}

bool TDirSel::searchSubfolders() const {
    return SearchSubfolder->isChecked();
}

void TDirSel::Button1Click() {
    RememberFolder(directory());
    accept();
}

void TDirSel::RememberFolder(const QString& folder) {
    recentFolders_.removeAll(folder);
    recentFolders_.prepend(folder);
    TreeView1->clear();
    TreeView1->addItems(recentFolders_);
}

void TDirSel::MakeFolder1Click() {
    const std::optional<QString> name =
        questions_.AskText(QStringLiteral("New Folder"), QStringLiteral("Folder Name"));
    if (name) {
        const QString path = WithTrailingSeparator(directory()) + *name;
        if (QDir().mkdir(QDir::fromNativeSeparators(path)))
            setDirectory(path);
        else
            questions_.Ask(QStringLiteral("Cannot create ") + path, QStringLiteral("Warning"),
                           MessageButtons::Ok, MessageIcon::Warning);
    }
    raise();
    activateWindow();
}

void TDirSel::TreeView1Click(QListWidgetItem* item) {
    if (item)
        setDirectory(item->text());
}

void TDirSel::TrackBar1Change(int position) {
    quiality->setText(QString::number(position));
}

void TDirSel::LevelLimitClick(bool checked) {
    UpDown1->setEnabled(checked);
}

void TDirSel::DriveComboBox1Change(int index) {
    setDirectory(DriveComboBox1->itemData(index).toString());
}

void TDirSel::ShowDriveOf(const QString& folder) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        const QString drive = DriveComboBox1->itemData(i).toString();
        if (folder.startsWith(drive) && drive.size() > bestLength) {
            best = i;
            bestLength = drive.size();
        }
    }
    const QSignalBlocker blocker(DriveComboBox1);
    DriveComboBox1->setCurrentIndex(best);
}

void TDirSel::showEvent(QShowEvent* event) {
    DirectoryListBox1->Reread();
    TrackBar1->setValue(kDefaultQuality);
    TrackBar1Change(kDefaultQuality);
    QDialog::showEvent(event);
}

} // namespace lumadex
