#include "option_dialog/TOption.h"

#include "option_dialog/option_hints.h"
#include "option_dialog/option_labels.h"
#include "option_dialog/option_radio_group.h"
#include "document/user_questions.h"
#include "platform/settings_folder.h"
#include "store/default_options_file.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumadex {

TOption::TOption(OptionModel& options, UserQuestions& questions, QWidget* parent)
    : QDialog(parent), options_(options), questions_(questions), openedWith_(options) {
    setObjectName(QStringLiteral("Option"));
    setWindowTitle(QStringLiteral("Option"));

    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    layout->addWidget(PageControl1);
    PageControl1->addTab(BuildMainWindowPage(), QStringLiteral("Main Window"));
    PageControl1->addTab(BuildFindPage(), QStringLiteral("Find"));
    PageControl1->addTab(BuildFilePage(), QStringLiteral("File"));
    PageControl1->addTab(BuildDataBasePage(), QStringLiteral("DataBase"));
    PageControl1->addTab(BuildFullsizeViewPage(), QStringLiteral("Fullsize View"));
    PageControl1->addTab(BuildMemoPage(), QStringLiteral("Memo Manager"));
    PageControl1->addTab(BuildJpegPage(), QStringLiteral("JPEG Option"));
    PageControl1->addTab(BuildPngPage(), QStringLiteral("PNG Option"));
    BuildButtons(*layout);

    // Controls kept for their stored values but not offered to the user.
    PageControl1->setTabVisible(PageControl1->indexOf(Memo), false);
    GroupBoxSlideShow->hide();
    TargetListDragDrop->hide();
    LabelHistoryCount->hide();
    HistoryCount->hide();
    AutoRenameAtMerge->hide();
    PageControl1->setCurrentWidget(TabSheet1);

    EnableLoadDefault();
    ShowOptions();
}

void TOption::ShowOptions() {
    for (const OptionRow& row : OptionRows())
        ShowControl(row);
    LabelInterval->setText(SlideShowIntervalText(options_.value(OptionId::TrackBar2)));
    LabelQual->setText(QString::number(options_.value(OptionId::JpegQuality)));
}

void TOption::ShowControl(const OptionRow& row) {
    QWidget* control = ControlOf(row.id);
    const QSignalBlocker blocker(control);
    const int value = options_.value(row.id);
    control->setEnabled(options_.isEnabled(row.id));
    switch (row.kind) {
    case OptionKind::CheckBox:
    case OptionKind::RadioButton:
        // An exclusive group unchecks its other buttons when one is checked.
        static_cast<QAbstractButton*>(control)->setChecked(value != 0);
        break;
    case OptionKind::TrackBar: {
        auto* slider = static_cast<QSlider*>(control);
        slider->setRange(options_.minimum(row.id), options_.maximum(row.id));
        slider->setValue(value);
        break;
    }
    case OptionKind::RadioGroup:
        static_cast<OptionRadioGroup*>(control)->SetItemIndex(value);
        break;
    case OptionKind::NumberEdit: {
        // Left alone while it already reads the value, so typing keeps its cursor.
        auto* edit = static_cast<QLineEdit*>(control);
        bool isNumber = false;
        if (edit->text().trimmed().toInt(&isNumber) != value || !isNumber)
            edit->setText(QString::number(value));
        break;
    }
    }
}

void TOption::ControlChanged(OptionId id, int value) {
    const OptionModel before = options_;
    const bool accepted = options_.setValue(id, value);
    ShowOptions();
    if (!accepted || options_ == before)
        return;
    changed = true;
    MarkSearchChange(before);
    if (id == OptionId::UseJapneseMenu)
        Q_EMIT MenuLanguageChosen(options_.isChecked(id));
    if (RowOf(id).choice == RadioChoice::Sortby)
        Q_EMIT SortOrderChosen(options_.choice(RadioChoice::Sortby));
    Q_EMIT OptionEdited(id);
}

void TOption::MarkSearchChange(const OptionModel& before) {
    for (const OptionRow& row : OptionRows()) {
        if (row.affectsSearch && before.value(row.id) != options_.value(row.id))
            searchChanged = true;
    }
}

void TOption::reject() {
    const bool japanese = options_.isChecked(OptionId::UseJapneseMenu);
    const int sortIndex = options_.choice(RadioChoice::Sortby);
    // The model's own search flag returns with it: a search still due stays due.
    options_ = openedWith_;
    changed = false;
    searchChanged = searchChangedWhenOpened_;
    ShowOptions();
    // The menus and the sort order followed the clicks at once; they follow the restored
    // values back.
    if (options_.isChecked(OptionId::UseJapneseMenu) != japanese)
        Q_EMIT MenuLanguageChosen(!japanese);
    if (options_.choice(RadioChoice::Sortby) != sortIndex)
        Q_EMIT SortOrderChosen(options_.choice(RadioChoice::Sortby));
    QDialog::reject();
}

void TOption::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        openedWith_ = options_;
        searchChangedWhenOpened_ = searchChanged;
        changed = false;
        EnableLoadDefault();
        ShowOptions();
    }
    QDialog::showEvent(event);
}

bool TOption::eventFilter(QObject* watched, QEvent* event) {
    const bool entering = event->type() == QEvent::Enter;
    if ((entering || event->type() == QEvent::Leave) && longHints_.contains(watched) &&
        options_.isChecked(OptionId::UseJapneseMenu))
        Q_EMIT LongHintShown(entering ? longHints_.value(watched) : QString());
    return QDialog::eventFilter(watched, event);
}

void TOption::SetDefaultClick() {
    if (!SaveDefaultOptions(ProgramFolder(), options_))
        questions_.Ask(QString::fromLatin1(kCantOpenDefaultOptionsMessage),
                       QStringLiteral("Warning"), MessageButtons::Ok, MessageIcon::Warning);
    EnableLoadDefault();
}

void TOption::LoadDefaultClick() {
    const OptionModel before = options_;
    if (!ApplyDefaultsFile())
        return;
    changed = true;
    MarkSearchChange(before);
}

void TOption::LoadStartDefaults() {
    ApplyDefaultsFile();
}

bool TOption::ApplyDefaultsFile() {
    const LoadDefaultOptionsResult result = LoadDefaultOptions(ProgramFolder(), options_);
    ShowOptions();
    Q_EMIT MenuLanguageChosen(options_.isChecked(OptionId::UseJapneseMenu));
    if (!result.applied)
        return false;
    Q_EMIT SortOrderChosen(options_.choice(RadioChoice::Sortby));
    if (const QString text = result.statusText(); !text.isEmpty())
        Q_EMIT StatusText(text);
    return true;
}

void TOption::EnableLoadDefault() {
    LoadDefault->setEnabled(HasDefaultOptionsFile(ProgramFolder()));
}

} // namespace lumadex
