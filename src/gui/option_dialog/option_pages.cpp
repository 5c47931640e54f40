// The pages of the option dialog and the factories of its option controls.

#include "option_dialog/TOption.h"
#include "option_dialog/option_hints.h"
#include "option_dialog/option_radio_group.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumadex {
namespace {

QString NameOf(OptionId id) {
    const std::string_view name = RowOf(id).name;
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// A page with a vertical layout whose controls gather at the top.
QWidget* NewPage(const char* name, QVBoxLayout*& layout) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    layout = new QVBoxLayout(page);
    return page;
}

QGroupBox* NewGroup(const char* name, const QString& caption, QBoxLayout& layout,
                    QVBoxLayout*& inner) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QString::fromLatin1(name));
    inner = new QVBoxLayout(group);
    layout.addWidget(group);
    return group;
}

QLabel* AddLabel(const QString& text, QBoxLayout& layout) {
    auto* label = new QLabel(text);
    layout.addWidget(label);
    return label;
}

} // namespace

QWidget* TOption::BuildMainWindowPage() {
    QVBoxLayout* layout = nullptr;
    TabSheet1 = NewPage("TabSheet1", layout);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    AutoViewLeft =
        AddCheckBox(OptionId::AutoViewLeft, QStringLiteral("Auto View &Reference"), *left);
    AutoViewRight =
        AddCheckBox(OptionId::AutoViewRight, QStringLiteral("Auto View &Target"), *left);
    KeepAspectRatio = AddCheckBox(OptionId::KeepAspectRatio,
                                  QStringLiteral("Keep Preview's &Aspect Ratio"), *left);
    AllowRobustOperation = AddCheckBox(OptionId::AllowRobustOperation,
                                       QStringLiteral("Allow Robust &Operation"), *left);
    ShowMemoonPreview =
        AddCheckBox(OptionId::ShowMemoonPreview, QStringLiteral("Show &Memo on Preview"), *left);
    UseJapneseMenu =
        AddCheckBox(OptionId::UseJapneseMenu, QStringLiteral("&Japnese Menu/Hint"), *left);
    TargetListDragDrop =
        AddCheckBox(OptionId::TargetListDragDrop, QStringLiteral("Target List Drag&&Drop"), *left);
    left->addStretch();

    QVBoxLayout* sortButtons = nullptr;
    Sortby = NewGroup("Sortby", QStringLiteral("Sort by"), *right, sortButtons);
    byName = AddRadioButton(OptionId::byName, QStringLiteral("&Name"), *sortButtons);
    byPathname = AddRadioButton(OptionId::byPathname, QStringLiteral("&Pathname"), *sortButtons);
    RadioButtonbyDate =
        AddRadioButton(OptionId::RadioButtonbyDate, QStringLiteral("&Date"), *sortButtons);
    RadioButtonbySize =
        AddRadioButton(OptionId::RadioButtonbySize, QStringLiteral("&Size"), *sortButtons);
    bySimilarity =
        AddRadioButton(OptionId::bySimilarity, QStringLiteral("S&imilarity"), *sortButtons);
    ShoePathName = AddCheckBox(OptionId::ShoePathName, QStringLiteral("&Show Pathname"), *right);
    SmartSort = AddCheckBox(OptionId::SmartSort, QStringLiteral("S&mart Sort"), *right);
    right->addStretch();
    return TabSheet1;
}

QWidget* TOption::BuildFindPage() {
    QVBoxLayout* layout = nullptr;
    Method = NewPage("Method", layout);
    NotStrict = AddCheckBox(OptionId::NotStrict, QStringLiteral("&Not Strict"), *layout);
    AddLabel(QStringLiteral("Looseness"), *layout);
    auto* looseness = new QHBoxLayout;
    layout->addLayout(looseness);
    AddLabel(QStringLiteral("More Strict"), *looseness);
    TrackBar1 = AddTrackBar(OptionId::TrackBar1, *looseness);
    AddLabel(QStringLiteral("More Loose"), *looseness);
    DoubleCheck = AddCheckBox(OptionId::DoubleCheck, QStringLiteral("&DoubleCheck"), *layout);
    TrackBar3 = AddTrackBar(OptionId::TrackBar3, *layout);
    ShowreferenceinTarget = AddCheckBox(OptionId::ShowreferenceinTarget,
                                        QStringLiteral("&Show Reference on Target"), *layout);
    CheckBoxSameSizeOnly =
        AddCheckBox(OptionId::CheckBoxSameSizeOnly, QStringLiteral("Size Chack"), *layout);
    TrackBarSizeRange = AddTrackBar(OptionId::TrackBarSizeRange, *layout);
    ExcludeSameFolder =
        AddCheckBox(OptionId::ExcludeSameFolder, QStringLiteral("Exclude same Folder"), *layout);
    layout->addStretch();
    return Method;
}

QWidget* TOption::BuildFilePage() {
    QVBoxLayout* layout = nullptr;
    TabSheet2 = NewPage("TabSheet2", layout);
    QVBoxLayout* conflict = nullptr;
    WhenTargetExists = NewGroup(
        "WhenTargetExists", QStringLiteral("When copy(move) target exists:"), *layout, conflict);
    OverWrite = AddRadioButton(OptionId::OverWrite, QStringLiteral("&OverWrite"), *conflict);
    Skip = AddRadioButton(OptionId::Skip, QStringLiteral("&Skip"), *conflict);
    Ask = AddRadioButton(OptionId::Ask, QStringLiteral("Ask/Rename"), *conflict);
    ConfirmDelete =
        AddCheckBox(OptionId::ConfirmDelete, QStringLiteral("&Confirm Delete"), *layout);
    TrackMoveCopy =
        AddCheckBox(OptionId::TrackMoveCopy, QStringLiteral("&Track Move/Copy/Rename"), *layout);
    NotUpdateListatAction = AddCheckBox(OptionId::NotUpdateListatAction,
                                        QStringLiteral("&Disable Auto Refresh"), *layout);
    SameDriveOnly =
        AddCheckBox(OptionId::SameDriveOnly, QStringLiteral("&Same Drive Only"), *layout);
    DeleteEmptyFolderafterFileMove =
        AddCheckBox(OptionId::DeleteEmptyFolderafterFileMove,
                    QStringLiteral("Delete Empty Folder after File Move/Delete"), *layout);
    auto* history = new QHBoxLayout;
    layout->addLayout(history);
    LabelHistoryCount = AddLabel(QStringLiteral("History Count"), *history);
    LabelHistoryCount->setObjectName(QStringLiteral("LabelHistoryCount"));
    HistoryCount = AddNumberEdit(OptionId::HistoryCount, *history);
    history->addStretch();
    layout->addStretch();
    return TabSheet2;
}

QWidget* TOption::BuildDataBasePage() {
    QVBoxLayout* layout = nullptr;
    TabSheet4 = NewPage("TabSheet4", layout);
    QVBoxLayout* sameName = nullptr;
    AddingSameFilename =
        NewGroup("AddingSameFilename", QStringLiteral("Adding Same Filename"), *layout, sameName);
    Replace = AddRadioButton(OptionId::Replace, QStringLiteral("&Replace"), *sameName);
    NotCare = AddRadioButton(OptionId::NotCare, QStringLiteral("&Not Care"), *sameName);
    DontAdd = AddRadioButton(OptionId::DontAdd, QStringLiteral("&Don't Add"), *sameName);
    ConfirmClear =
        AddCheckBox(OptionId::ConfirmClear, QStringLiteral("&Confirm Clear Entry"), *layout);
    AutoRenameAtMerge =
        AddCheckBox(OptionId::AutoRenameAtMerge, QStringLiteral("Auto Rename at Merge"), *layout);
    layout->addStretch();
    return TabSheet4;
}

QWidget* TOption::BuildFullsizeViewPage() {
    QVBoxLayout* layout = nullptr;
    TabSheet3 = NewPage("TabSheet3", layout);
    QVBoxLayout* slideShow = nullptr;
    GroupBoxSlideShow =
        NewGroup("GroupBoxSlideShow", QStringLiteral("Slide Show"), *layout, slideShow);
    auto* interval = new QHBoxLayout;
    slideShow->addLayout(interval);
    AddLabel(QStringLiteral("Interval "), *interval);
    LabelInterval = AddLabel(QString(), *interval);
    LabelInterval->setObjectName(QStringLiteral("LabelInterval"));
    interval->addStretch();
    TrackBar2 = AddTrackBar(OptionId::TrackBar2, *slideShow);
    WrapAround = AddCheckBox(OptionId::WrapAround, QStringLiteral("&Wrap Around"), *slideShow);
    Stretch = AddCheckBox(OptionId::Stretch, QStringLiteral("&Stretch"), *layout);
    FixedPosition =
        AddCheckBox(OptionId::FixedPosition, QStringLiteral("Fixed &Position"), *layout);
    FixedSize = AddCheckBox(OptionId::FixedSize, QStringLiteral("&Fixed Size"), *layout);
    layout->addStretch();
    return TabSheet3;
}

QWidget* TOption::BuildMemoPage() {
    QVBoxLayout* layout = nullptr;
    Memo = NewPage("Memo", layout);
    InitialStatus = AddRadioGroup(OptionId::InitialStatus, QStringLiteral("Initial Status"),
                                  {QStringLiteral("Retract"), QStringLiteral("Expand")}, *layout);
    AutoExpand = AddCheckBox(OptionId::AutoExpand, QStringLiteral("Auto Expand"), *layout);
    AutoSync = AddCheckBox(OptionId::AutoSync,
                           QStringLiteral("Auto syncronize Memo on File Delete"), *layout);
    layout->addStretch();
    return Memo;
}

QWidget* TOption::BuildJpegPage() {
    QVBoxLayout* layout = nullptr;
    JpegOption = NewPage("JpegOption", layout);
    auto* quality = new QHBoxLayout;
    layout->addLayout(quality);
    JpegQuality = AddTrackBar(OptionId::JpegQuality, *quality);
    LabelQual = AddLabel(QString(), *quality);
    LabelQual->setObjectName(QStringLiteral("LabelQual"));
    GrayScale = AddCheckBox(OptionId::GrayScale, QStringLiteral("Gray Scale"), *layout);
    layout->addStretch();
    return JpegOption;
}

QWidget* TOption::BuildPngPage() {
    QVBoxLayout* layout = nullptr;
    PNGOption = NewPage("PNGOption", layout);
    Compress = AddRadioGroup(OptionId::Compress, QStringLiteral("Compress"),
                             {QStringLiteral("None"), QStringLiteral("Standard"),
                              QStringLiteral("Speed"), QStringLiteral("Minimum")},
                             *layout);
    layout->addStretch();
    return PNGOption;
}

void TOption::BuildButtons(QBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    layout.addLayout(row);
    const auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        row->addWidget(button);
        return button;
    };
    SetDefault = addButton("SetDefault", QStringLiteral("Set Default"));
    LoadDefault = addButton("LoadDefault", QStringLiteral("Load Default"));
    row->addStretch();
    OkButton = addButton("OkButton", QStringLiteral("Ok"));
    CancelButton = addButton("CancelButton", QStringLiteral("Cancel"));
    OkButton->setDefault(true);
    GiveHint(*SetDefault);
    GiveHint(*LoadDefault);
    connect(SetDefault, &QPushButton::clicked, this, &TOption::SetDefaultClick);
    connect(LoadDefault, &QPushButton::clicked, this, &TOption::LoadDefaultClick);
    connect(OkButton, &QPushButton::clicked, this, &TOption::accept);
    connect(CancelButton, &QPushButton::clicked, this, &TOption::reject);
}

QCheckBox* TOption::AddCheckBox(OptionId id, const QString& caption, QBoxLayout& layout) {
    auto* box = new QCheckBox(caption);
    Register(id, box);
    layout.addWidget(box);
    connect(box, &QCheckBox::clicked, this,
            [this, id](bool checked) { ControlChanged(id, checked ? 1 : 0); });
    return box;
}

QRadioButton* TOption::AddRadioButton(OptionId id, const QString& caption, QBoxLayout& layout) {
    auto* button = new QRadioButton(caption);
    Register(id, button);
    layout.addWidget(button);
    connect(button, &QRadioButton::clicked, this, [this, id] { ControlChanged(id, 1); });
    return button;
}

QSlider* TOption::AddTrackBar(OptionId id, QBoxLayout& layout) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setPageStep(1);
    // One tick per step, or per five steps on long scales such as the JPEG quality.
    if (RowOf(id).maximum - RowOf(id).minimum > 30)
        slider->setTickInterval(5);
    Register(id, slider);
    layout.addWidget(slider);
    connect(slider, &QSlider::valueChanged, this,
            [this, id](int position) { ControlChanged(id, position); });
    return slider;
}

OptionRadioGroup* TOption::AddRadioGroup(OptionId id, const QString& caption,
                                         const QStringList& items, QBoxLayout& layout) {
    auto* group = new OptionRadioGroup(caption, items);
    Register(id, group);
    layout.addWidget(group);
    connect(group, &OptionRadioGroup::ItemClicked, this,
            [this, id](int index) { ControlChanged(id, index); });
    return group;
}

QLineEdit* TOption::AddNumberEdit(OptionId id, QBoxLayout& layout) {
    auto* edit = new QLineEdit;
    // Up to two digits.
    edit->setInputMask(QStringLiteral("00"));
    Register(id, edit);
    layout.addWidget(edit);
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        bool isNumber = false;
        const int number = text.trimmed().toInt(&isNumber);
        if (isNumber)
            ControlChanged(id, number);
    });
    return edit;
}

void TOption::Register(OptionId id, QWidget* control) {
    control->setObjectName(NameOf(id));
    controls_[std::size_t(id)] = control;
    GiveHint(*control);
}

void TOption::GiveHint(QWidget& control) {
    const QString hint = OptionHint(control.objectName());
    if (hint.isEmpty())
        return;
    control.setToolTip(ShortHint(hint));
    longHints_.insert(&control, LongHint(hint));
    control.installEventFilter(this);
}

} // namespace lumadex
