// TMain: the database commands, the list refresh and the full search, the menu-opening rules,
// and what the window shows of the document's work.

#include "main/TMain.h"
#include "main/record_list_model.h"
#include "main/record_list_view.h"
#include "search/full_search.h"
#include "search/refresh_rules.h"
#include "search/search_options.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QToolButton>
#include <exception>

namespace lumadex {
namespace {

// A database read asks whether to stop after every record; the window's clock is looked at on
// every this many of them only.
constexpr int kCallsPerClockCheck = 64;
// Records found by the full search reach the list one by one up to this many at a time;
// larger batches are merged with one sort.
constexpr std::size_t kIncrementalBatch = 64;

const char* const kOwnCommands[] = {"Opendatabase1",   "Savedatabase1", "MergeDatabase1",
                                    "Savedatabaseas1", "Exit1",         "ClearAllDataEntry1",
                                    "Refind1"};

} // namespace

// Follows the full search for the window: found records join the Reference list in batches
// (each a sorted insertion into a long list), progress goes to the status bars.
class ReferenceSearchFiller : public FullSearchObserver {
public:
    explicit ReferenceSearchFiller(TMain& window) : window_(window) {}

    void ClearReferenceList() override { window_.ClearReferenceList(); }
    void RecordListed(Pdata& record) override { pending_.push_back(&record); }
    void ShowProgress(const FullSearchProgress& progress) override {
        window_.StatusBar1Panel0->setText(FullSearchStatusText(progress));
    }
    void ShowResult(const QString& text) override { window_.StatusBar2Panel0->setText(text); }
    // The records found meanwhile join the list before the window repaints.
    bool ShouldStop() override {
        window_.work_.LetEventsRun([this] { Flush(); });
        return window_.work_.StopAsked();
    }
    bool TargetListEmpty() const override { return window_.targetStore_.isEmpty(); }

    void Flush() {
        if (pending_.size() <= kIncrementalBatch) {
            for (Pdata* record : pending_)
                window_.referenceModel->AddRecord(record);
        } else {
            window_.referenceModel->AddRecords(pending_);
        }
        pending_.clear();
    }

private:
    TMain& window_;
    std::vector<Pdata*> pending_;
};

void TMain::ConnectCommands() {
    for (QAction* item : std::as_const(menus_.items))
        if (!item->menu())
            item->setEnabled(false);
    const auto own = [this](const char* name, void (TMain::*slot)()) {
        QAction* item = MenuItem(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
        item->setEnabled(true);
    };
    own("Opendatabase1", &TMain::Opendatabase1Click);
    own("Savedatabase1", &TMain::Savedatabase1Click);
    own("MergeDatabase1", &TMain::MergeDatabase1Click);
    own("Savedatabaseas1", &TMain::Savedatabaseas1Click);
    own("Exit1", &TMain::Exit1Click);
    own("ClearAllDataEntry1", &TMain::ClearData1Click);
    own("Refind1", &TMain::Refind1Click);
    connect(menus_.database, &QMenu::aboutToShow, this, &TMain::DataBase1Click);
    connect(menus_.imageList, &QMenu::aboutToShow, this, &TMain::Action1Click);
    connect(menus_.tool, &QMenu::aboutToShow, this, &TMain::Option1Click);
    connect(menus_.help, &QMenu::aboutToShow, this, &TMain::Help1Click);
}

void TMain::AttachCommand(const QString& itemName, std::function<void()> handler) {
    QAction* item = MenuItem(itemName);
    if (!item)
        return;
    connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    attachedCommands_.insert(itemName);
    item->setEnabled(true);
    UpdateCommands();
}

void TMain::SetRuleEnabled(const QString& itemName, bool enabled) {
    QAction* item = MenuItem(itemName);
    const bool available =
        attachedCommands_.contains(itemName) ||
        std::any_of(std::begin(kOwnCommands), std::end(kOwnCommands),
                    [&](const char* own) { return itemName == QLatin1String(own); });
    item->setEnabled(enabled && available);
}

void TMain::DataBase1Click() {
    const bool listed = !referenceStore_.isEmpty();
    const bool referenceSelected = ListBox1->FirstSelectedRow() >= 0;
    SetRuleEnabled(QStringLiteral("ClearAllDataEntry1"), !document_.catalogue().isEmpty());
    SetRuleEnabled(QStringLiteral("ClearAllDataEntryinRefList1"), listed);
    SetRuleEnabled(QStringLiteral("ReanalizeAllinRefList1"), listed);
    SetRuleEnabled(QStringLiteral("DeleteDataEntry1"), referenceSelected);
    SetRuleEnabled(QStringLiteral("Makemismatch1"),
                   referenceSelected && ListBox2->FirstSelectedRow() >= 0);
    SetRuleEnabled(QStringLiteral("ExportMemo1"), document_.memos().groupCount() > 0);
}

void TMain::Action1Click() {
    const bool listed = !referenceStore_.isEmpty();
    SetRuleEnabled(QStringLiteral("Refind1"), !document_.catalogue().isEmpty());
    SetRuleEnabled(QStringLiteral("CopyRefListToClipboard1"), listed);
    SetRuleEnabled(QStringLiteral("CopyPairListtoClipboardE1"), listed);
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    SetRuleEnabled(QStringLiteral("ImportListfromClipboard1"),
                   clipboard && clipboard->hasText() && listed);
}

void TMain::Option1Click() {
    const bool filled = !document_.catalogue().isEmpty();
    SetRuleEnabled(QStringLiteral("SearchUnlinkedData"), filled);
    SetRuleEnabled(QStringLiteral("MenuMismatchEditor"), filled);
}

void TMain::Help1Click() {
    MenuItem(QStringLiteral("Help2"))->setVisible(manualPath_ && !manualPath_().isEmpty());
}

void TMain::Savedatabase1Click() {
    document_.Save();
}

void TMain::Savedatabaseas1Click() {
    document_.SaveAs();
}

// The commands that replace or destroy records wait while the lists are being rebuilt: the
// full search lets the window work between records, and must not lose the records it walks.
void TMain::Opendatabase1Click() {
    if (refreshBusy_)
        return;
    work_.Start();
    document_.Open();
}

void TMain::MergeDatabase1Click() {
    if (refreshBusy_)
        return;
    work_.Start();
    document_.Import();
}

void TMain::ClearData1Click() {
    if (!refreshBusy_)
        document_.ClearAllData();
}

void TMain::StopBitBtnClick() {
    work_.Stop();
}

void TMain::Refind1Click() {
    const RefindStep step = RefindStepFor(DataFilter->currentIndex(),
                                          document_.options().searchChanged(), stopRequested());
    if (step.runFilterSearch) {
        SearchButtonClick();
        document_.UpdateTitle(false);
        if (step.clearSearchChanged)
            document_.options().setSearchChanged(false);
    } else {
        ShowAllClick();
    }
    ShowReferenceCount();
}

// Rebuilds the Reference list for "All" (0) or "Has Similar Pics" (1), with the filter box
// disabled meanwhile so that no second rebuild starts inside this one.
void TMain::RebuildForFilter(int index) {
    if (index == 1)
        StatusBar2Panel0->setText(QStringLiteral("Searching..."));
    showAllFlag_ = index == 0;
    DataFilter->setEnabled(false);
    ShowAllClick();
    DataFilter->setEnabled(true);
}

void TMain::DataFilterChange(int index) {
    if (index == lastFilterIndex_)
        return;
    lastFilterIndex_ = index;
    RebuildForFilter(index);
    if (index == 1)
        StatusBar2Panel0->setText(QStringLiteral("Search Done ") +
                                  QString::number(referenceStore_.count()) +
                                  QStringLiteral(" Files found."));
    ShowReferenceCount();
}

void TMain::SearchButtonClick() {
    RememberSelection(ListBox1);
    const int index = DataFilter->currentIndex();
    int found = 0;
    if (index == 0 || index == 1) {
        RebuildForFilter(index);
        found = referenceStore_.count();
    }
    RestoreSelection(ListBox1);
    StatusBar2Panel0->setText(QString::number(found) + QStringLiteral(" Files match."));
    ShowReferenceCount();
}

void TMain::ShowAllClick() {
    if (refreshBusy_)
        return;
    RememberSelection(ListBox1);
    refreshBusy_ = true;
    QAction* refresh = MenuItem(QStringLiteral("Refind1"));
    refresh->setEnabled(false);
    const bool robust = OptionChecked(OptionId::AllowRobustOperation);
    try {
        ClearReferenceList();
        ClearTargetList();
        if (showAllFlag_) {
            ShowAllRecords();
        } else {
            if (robust)
                StopBitBtn->show();
            ListSimilarPictures();
            StopBitBtn->hide();
        }
    } catch (const std::exception&) {
        StopBitBtn->hide();
        document_.pictures().LogMessage(QString::fromLatin1(kListupAbortedText));
    }
    if (!robust)
        StatusBar1Panel0->setText(QString::fromLatin1(kUpdateListDoneText));
    refresh->setEnabled(!document_.catalogue().isEmpty());
    RestoreSelection(ListBox1);
    refreshBusy_ = false;
}

void TMain::ShowAllRecords() {
    SetBusy(true);
    Catalogue& catalogue = document_.catalogue();
    ProgressBar1->setMaximum(catalogue.count());
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    std::vector<Pdata*> records;
    records.reserve(std::size_t(catalogue.count()));
    for (int index = 0; index < catalogue.count(); ++index) {
        if (index % 256 == 0)
            ProgressBar1->setValue(index);
        records.push_back(&catalogue.at(index));
    }
    referenceModel->AddRecords(std::move(records));
    ProgressBar1->hide();
    SetBusy(false);
    ListBox1->viewport()->update();
    ListBox2->viewport()->update();
}

void TMain::ListSimilarPictures() {
    FullSearchSettings settings;
    settings.options = SearchOptionsFrom(document_.options());
    settings.allowRobustOperation = OptionChecked(OptionId::AllowRobustOperation);
    settings.useSubIndex = UseSubIndex->isChecked();
    if (!settings.allowRobustOperation)
        SetBusy(true);
    // The first record lets the window work at once, so the stop button works from the start.
    work_.Start();
    ReferenceSearchFiller filler(*this);
    lumadex::ListSimilarPictures(document_.catalogue(), settings, filler);
    filler.Flush();
    if (!settings.allowRobustOperation)
        SetBusy(false);
    ListBox1->viewport()->update();
    ListBox2->viewport()->update();
}

void TMain::ShowLongHint(const QString& hint) {
    if (OptionChecked(OptionId::UseJapneseMenu))
        StatusBar2Panel0->setText(hint);
}

void TMain::ShowStatusText(int panel, const QString& text) {
    (panel == 0 ? StatusBar1Panel0 : StatusBar1Panel1)->setText(text);
}

// DocumentObserver

void TMain::ShowStatus(StatusField field, const QString& text) {
    switch (field) {
    case StatusField::Progress:
        StatusBar1Panel0->setText(text);
        break;
    case StatusField::Count:
        StatusBar1Panel1->setText(text);
        break;
    case StatusField::Result:
        StatusBar2Panel0->setText(text);
        break;
    }
}

void TMain::ShowCaption(const QString& caption) {
    setWindowTitle(caption);
}

void TMain::SetBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void TMain::ShowProgress(int maximum) {
    ProgressBar1->setMaximum(std::max(0, maximum));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
}

void TMain::SetProgress(int position) {
    ProgressBar1->setValue(position);
}

void TMain::HideProgress() {
    ProgressBar1->hide();
}

void TMain::ShowStopButton(bool shown) {
    StopBitBtn->setVisible(shown);
}

bool TMain::ShouldStop() {
    // Asked after every record a database read takes in, a million of them in a tenth of a
    // second: events may run on every few dozen records only.
    if (++callsSinceClockCheck_ < kCallsPerClockCheck)
        return work_.StopAsked();
    callsSinceClockCheck_ = 0;
    return work_.ShouldStop();
}

void TMain::DatabaseRead(Pdata* recordToSelect, const QString& folder) {
    SelectSortKey();
    if (!document_.mergeMode())
        Q_EMIT MenuLanguageRequired(OptionChecked(OptionId::UseJapneseMenu));
    ComboBoxSort->setCurrentIndex(document_.options().choice(RadioChoice::Sortby));
    // The filter goes back to "All" without running its own listing; the lists are rebuilt
    // once below.
    lastFilterIndex_ = 0;
    DataFilter->setCurrentIndex(0);
    showAllFlag_ = true;
    ShowAllClick();
    if (recordToSelect)
        SelectRecord(ListBox1, recordToSelect);
    Q_EMIT DatabaseFolderRead(folder);
    UpdateCommands();
}

void TMain::DataCleared() {
    lastFilterIndex_ = 0;
    DataFilter->setCurrentIndex(0);
    showAllFlag_ = true;
    Image2->setToolTip(QString());
    Image2->hide();
}

void TMain::TitleUpdated() {
    UpdateCommands();
    ShowReferenceCount();
    ListBox1->viewport()->update();
}

// CatalogueListener

void TMain::ShowStatus(const QString& text) {
    StatusBar1Panel0->setText(text);
}

void TMain::ErrorHintChanged(const QString& hint) {
    Crystal->setToolTip(hint);
}

void TMain::RecordAnalysed(Pdata& record) {
    if (DataFilter->currentIndex() == 0)
        AddToList(ListBox1, record);
}

void TMain::RecordRemoving(Pdata& record) {
    RemoveFromLists(record);
    if (currentTarget_ == &record)
        currentTarget_ = nullptr;
    for (RememberedSelection* selection : {&rememberedReference_, &rememberedTarget_})
        if (selection->record == &record)
            selection->record = nullptr;
}

void TMain::CatalogueClearing() {
    ClearReferenceList();
    ClearTargetList();
    rememberedTarget_ = {};
}

} // namespace lumadex
