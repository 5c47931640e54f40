// TMain: the Reference and Target lists, their selection, sorting and status texts.

#include "main/TMain.h"
#include "main/record_list_model.h"
#include "main/record_list_view.h"
#include "main/selection_status.h"
#include "search/reference_search.h"
#include "search/refresh_rules.h"
#include "search/search_options.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace lumadex {
namespace {

// Re-sorting a catalogue larger than this shows the progress bar.
constexpr int kResortProgressThreshold = 10000;

} // namespace

RecordListModel* TMain::modelOf(RecordListView* list) const {
    return list == ListBox1 ? referenceModel : targetModel;
}

TMain::RememberedSelection& TMain::remembered(RecordListView* list) {
    return list == ListBox1 ? rememberedReference_ : rememberedTarget_;
}

bool TMain::OptionChecked(OptionId id) const {
    return document_.options().isChecked(id);
}

void TMain::SelectSortKey() {
    sortKey_ = ChooseSortKey(document_.options());
    const bool showPath = OptionChecked(OptionId::ShoePathName);
    referenceModel->setShowPathName(showPath);
    targetModel->setShowPathName(showPath);
}

void TMain::AddToList(RecordListView* list, Pdata& record) {
    modelOf(list)->AddRecord(&record);
    if (OptionChecked(OptionId::AllowRobustOperation))
        work_.LetEventsRun();
}

void TMain::ClearReferenceList() {
    referenceModel->Clear(sortKey_);
    StatusBar1Panel0->clear();
    Image1->hide();
    Image1->setToolTip(QString());
    rememberedReference_ = {};
    document_.setCurrentReference(nullptr);
    ListBox1->viewport()->update();
}

void TMain::ClearTargetList() {
    targetModel->Clear(sortKey_);
    Image2->hide();
    currentTarget_ = nullptr;
    ListBox2->viewport()->update();
}

void TMain::RememberSelection(RecordListView* list) {
    const int row = list->FirstSelectedRow();
    remembered(list) = {row, modelOf(list)->recordAt(row)};
}

void TMain::RestoreSelection(RecordListView* list) {
    const RememberedSelection selection = remembered(list);
    RecordListStore& store = modelOf(list)->store();
    list->selectionModel()->clearSelection();
    if (selection.index == -1) {
        if (!store.isEmpty())
            list->SelectRow(0);
        return;
    }
    const int row = selection.record ? store.IndexOfRecord(selection.record) : -1;
    if (row >= 0) {
        list->SelectRow(row);
        return;
    }
    // The record has left the list: the row at its place, else the last row.
    list->SelectRow(std::min(selection.index, store.count() - 1));
    (list == ListBox1 ? Image1 : Image2)->setToolTip(QString());
}

void TMain::SelectRecord(RecordListView* list, const Pdata* record) {
    list->SelectRow(record ? modelOf(list)->store().IndexOfRecord(record) : -1);
}

void TMain::RemoveFromLists(const Pdata& record) {
    referenceModel->RemoveRecord(&record);
    targetModel->RemoveRecord(&record);
}

void TMain::ResortReferenceList() {
    SelectSortKey();
    const int catalogueCount = document_.catalogue().count();
    ProgressBar1->setMaximum(catalogueCount);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(catalogueCount > kResortProgressThreshold);
    if (ProgressBar1->isVisible())
        ProgressBar1->repaint();
    referenceModel->Resort(sortKey_);
    ProgressBar1->hide();
}

void TMain::ComboBoxSortChange(int index) {
    document_.options().setChoice(RadioChoice::Sortby, index);
    RememberSelection(ListBox1);
    ListBox1->selectionModel()->clearSelection();
    ResortReferenceList();
    RestoreSelection(ListBox1);
    FindSimilarForReference();
}

void TMain::ShowSortOrder(int comboSortIndex) {
    ComboBoxSort->setCurrentIndex(comboSortIndex);
}

void TMain::OptionsApplied() {
    SelectSortKey();
    ListBox1->viewport()->update();
    ListBox2->viewport()->update();
}

void TMain::ListBox1Change() {
    Pdata* selected = ListBox1->FirstSelectedRecord();
    if (!selected)
        return;
    if (selected != document_.currentReference())
        ReferenceSelected(true);
    const int row = ListBox1->FirstSelectedRow();
    if (row >= 0)
        ListBox1->scrollTo(referenceModel->index(row));
}

void TMain::ListBox1Click() {
    if (!ListBox1->FirstSelectedRecord())
        ClearReferenceState();
}

void TMain::ClearReferenceState() {
    StatusBar1Panel0->clear();
    document_.setCurrentReference(nullptr);
    Image1->hide();
    LeftViewPanel->setFrameShadow(QFrame::Sunken);
}

void TMain::ListBox2Change() {
    const int row = ListBox2->FirstSelectedRow();
    if (row >= 0) {
        currentTarget_ = targetModel->recordAt(row);
        ListBox2->scrollTo(targetModel->index(row));
    }
    TargetSelected(true);
}

void TMain::ReferenceSelected(bool /*fromReferenceList*/) {
    Pdata* selected = ListBox1->FirstSelectedRecord();
    if (!selected) {
        ClearReferenceState();
        UpdateCommands();
        return;
    }
    RememberSelection(ListBox1);
    if (!DisableAutoFind->isChecked())
        FindSimilarForReference();
    // The selected record is the reference whether or not its matches were searched.
    document_.setCurrentReference(selected);
    const std::optional<FileFacts> facts = FileStatusOf(selected->fileName);
    if (facts && FillUnknownFileFacts(*selected, *facts))
        document_.UpdateTitle(true);
    if (!facts)
        Image1->hide();
    referencePrefix_ = QStringLiteral("<= ") + selected->fileName;
    QString status = SelectionStatusText(referencePrefix_, facts, *selected);
    if (facts && selected->SubIndexCount() > 0)
        status += QStringLiteral(" S");
    StatusBar1Panel0->setText(status);
    if (targetStore_.isEmpty()) {
        StatusBar2Panel0->clear();
        Image2->hide();
        RightViewPanel->setFrameShadow(QFrame::Sunken);
    }
    UpdateCommands();
}

void TMain::TargetSelected(bool /*fromMainWindow*/) {
    const QList<int> rows = ListBox2->SelectedRows();
    if (rows.isEmpty()) {
        RightViewPanel->setFrameShadow(QFrame::Sunken);
        Image2->hide();
        FindinRef->setEnabled(false);
        currentTarget_ = nullptr;
        StatusBar2Panel0->clear();
    } else if (rows.size() > 1) {
        FindinRef->setEnabled(false);
        StatusBar2Panel0->setText(QString::fromLatin1(kMultiplySelectedText));
        if (!FileStatusOf(targetModel->recordAt(rows.first())->fileName))
            Image2->hide();
    } else {
        FindinRef->setEnabled(true);
        Pdata* record = targetModel->recordAt(rows.first());
        currentTarget_ = record;
        const std::optional<FileFacts> facts = FileStatusOf(record->fileName);
        if (facts && FillUnknownFileFacts(*record, *facts))
            document_.UpdateTitle(true);
        if (!facts)
            Image2->hide();
        StatusBar2Panel0->setText(
            SelectionStatusText(QStringLiteral("=> ") + record->fileName, facts, *record));
    }
    UpdateCommands();
}

void TMain::FindSimilarForReference() {
    ListBox1->viewport()->update();
    ListBox2->viewport()->update();
    switch (ReferenceSearchStepFor(DisableAutoFind->isChecked(),
                                   OptionChecked(OptionId::NotUpdateListatAction))) {
    case ReferenceSearchStep::Nothing:
        return;
    case ReferenceSearchStep::RefreshLists:
        ShowAllClick();
        return;
    case ReferenceSearchStep::FindMatches:
        break;
    }
    RememberSelection(ListBox2);
    ClearTargetList();
    Pdata* reference = ListBox1->FirstSelectedRecord();
    if (!reference)
        return;
    document_.setCurrentReference(reference);
    const std::vector<Pdata*> matches = lumadex::FindSimilarForReference(
        document_.catalogue(), *reference, SearchOptionsFrom(document_.options()),
        UseSubIndex->isChecked());
    targetModel->AddRecords(matches);
    RestoreSelection(ListBox2);
}

void TMain::DisableAutoFindClick() {
    const bool disabled = DisableAutoFind->isChecked();
    ListBox1->setEnabled(!disabled);
    referenceModel->setGreyed(disabled);
}

void TMain::FindinRefClick() {
    Pdata* target = currentTarget_;
    if (!target || document_.catalogue().IndexOf(target) < 0)
        return;
    if (referenceStore_.IndexOfRecord(target) < 0)
        AddToList(ListBox1, *target);
    SelectRecord(ListBox1, ListBox2->FirstSelectedRecord());
}

void TMain::RemovefromList1Click() {
    RememberSelection(ListBox2);
    std::vector<Pdata*> selected;
    for (int row : ListBox2->SelectedRows())
        selected.push_back(targetModel->recordAt(row));
    for (Pdata* record : selected)
        targetModel->RemoveRecord(record);
    RestoreSelection(ListBox2);
}

void TMain::UpdateCommands() {
    document_.setCurrentReference(ListBox1->FirstSelectedRecord());
    SetRuleEnabled(QStringLiteral("Savedatabase1"), document_.CanSave());
    SetRuleEnabled(QStringLiteral("Savedatabaseas1"), document_.CanSaveAs());
    SetRuleEnabled(QStringLiteral("ClearAllDataEntry1"), !document_.catalogue().isEmpty());
    SetRuleEnabled(QStringLiteral("Refind1"), !document_.catalogue().isEmpty());
    SetRuleEnabled(QStringLiteral("Makemismatch1"),
                   document_.currentReference() && !targetStore_.isEmpty());
    const auto showInfo = [](const Pdata* record, QLabel* name, QLabel* size, QLabel* date) {
        name->setText(record ? InfoNameText(*record) : QString());
        size->setText(record ? InfoSizeText(record->fileSize) : QString());
        date->setText(record ? InfoDateText(record->fileTime) : QString());
    };
    showInfo(document_.currentReference(), STFnam1, STFSize1, STFDate);
    showInfo(currentTarget_, STFnam2, STFSize2, STFDate2);
}

void TMain::ShowReferenceCount() {
    StatusBar1Panel1->setText(
        ReferenceCountText(referenceStore_.count(), document_.catalogue().count()));
}

} // namespace lumadex
