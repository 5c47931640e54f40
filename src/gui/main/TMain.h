#pragma once

#include "catalogue/picture_catalogue.h"
#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"
#include "document/document.h"
#include "long_work/window_progress.h"
#include "main/main_menus.h"
#include "store/app_config.h"

#include <QMainWindow>
#include <QSet>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace lumadex {

class RecordListModel;
class RecordListView;

// The main window: the Reference list (left) of pictures with look-alikes and the Target list
// (right) of the pictures similar to the selected reference, with the menus, tool buttons and
// status bars of the database commands. The open database is the Document; the window shows
// it and runs its commands, putting questions to UserQuestions.
class TMain : public QMainWindow, private DocumentObserver, private CatalogueListener {
    Q_OBJECT
public:
    TMain(Document& document, UserQuestions& questions, QWidget* parent = nullptr);
    ~TMain() override;

    Document& document() { return document_; }
    // The menu item (QAction) of that name, or nullptr.
    QAction* MenuItem(const QString& name) const { return menus_.items.value(name); }

    // Connects a menu item whose command lives elsewhere (the options dialog, adding
    // pictures, the manual...) and makes it available; until then it stays disabled.
    void AttachCommand(const QString& itemName, std::function<void()> handler);
    // Where the manual is; empty when there is none. Help2 is shown only while it gives a
    // path.
    void setManualPathSource(std::function<QString()> source) { manualPath_ = std::move(source); }

    // The database to read at the first showing (the command-line argument); empty reads the
    // option defaults instead.
    void setStartDatabase(const QString& path) { startDatabase_ = path; }
    // Replaces the window's own loading of the option defaults at the first showing (when no
    // database is given): the program lets the option dialog load them, so the dialog shows
    // what was loaded and announces the menu language, the sort order and the status text.
    void setStartDefaultsLoader(std::function<void()> loader) {
        startDefaultsLoader_ = std::move(loader);
    }

    // The lists and their stores.
    RecordListView* referenceList() const { return ListBox1; }
    RecordListView* targetList() const { return ListBox2; }
    RecordListStore& referenceStore() { return referenceStore_; }
    RecordListStore& targetStore() { return targetStore_; }
    Pdata* currentTarget() const { return currentTarget_; }

    // List helpers used by the commands that change the lists.
    void AddToList(RecordListView* list, Pdata& record);
    void ClearReferenceList();
    void ClearTargetList();
    void RememberSelection(RecordListView* list);
    void RestoreSelection(RecordListView* list);
    void SelectRecord(RecordListView* list, const Pdata* record);
    void RemoveFromLists(const Pdata& record);
    void ResortReferenceList();
    // Chooses the sort key of entries added from now on from the sort options.
    void SelectSortKey();

    // The reactions to a selection in either list. The flags tell where the call came from
    // (the reference position of a database header, the Memo Manager follow them).
    void ReferenceSelected(bool fromReferenceList);
    void TargetSelected(bool fromMainWindow);
    void FindSimilarForReference();
    // Rebuilds both lists: every record, or those with look-alikes (the full search).
    void ShowAllClick();
    // Refreshes the command states and the info fields.
    void UpdateCommands();

    // Set by the stop button and Exit; the full search and a database read end at their next
    // record.
    bool stopRequested() const { return work_.StopAsked(); }

public Q_SLOTS:
    // Database commands.
    void Savedatabase1Click();
    void Savedatabaseas1Click();
    void Opendatabase1Click();
    void MergeDatabase1Click();
    void ClearData1Click();
    void Exit1Click();
    // Refresh ("Re&fresh", SpeedButton9) and the stop button of the full search.
    void Refind1Click();
    void StopBitBtnClick();
    // A status text of another part for StatusBar1 panel 0 or 1.
    void ShowStatusText(int panel, const QString& text);
    // The sort radio buttons of the options dialog move the sort box without re-sorting.
    void ShowSortOrder(int comboSortIndex);
    // The options dialog closed: the sort key and the path display follow the options.
    void OptionsApplied();
    // The long hint of an option control (TOption::LongHintShown): shown in StatusBar2 while
    // the Japanese menus are chosen.
    void ShowLongHint(const QString& hint);

Q_SIGNALS:
    // A database was read; folder is its folder with the trailing separator (the folder
    // chooser lists it).
    void DatabaseFolderRead(const QString& folder);
    // The options now in force choose the menu language (after the defaults or a database's
    // header were applied): SetMenuLanguage(window, japanese).
    void MenuLanguageRequired(bool japanese);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct RememberedSelection {
        int index = -1;
        Pdata* record = nullptr;
    };

    // Building the window.
    void BuildToolBar();
    void BuildLists();
    void BuildButtonRows();
    void BuildStatusBars();
    void LayOutControls();
    void ConnectCommands();
    void FormShow();
    void FirstShow();

    // Menu opening rules.
    void DataBase1Click();
    void Action1Click();
    void Option1Click();
    void Help1Click();
    void SetRuleEnabled(const QString& itemName, bool enabled);

    // The file history at the end of the File menu.
    void ConnectHistory();
    void File1Click();
    void FileHistoryClick(const QString& path);
    void OptimizeHistory1Click();
    void ClearHistory1Click();

    // List events.
    void ListBox1Change();
    void ListBox2Change();
    void ListBox1Click();
    void ComboBoxSortChange(int index);
    void DisableAutoFindClick();
    void DataFilterChange(int index);
    void RebuildForFilter(int index);
    void SearchButtonClick();
    void FindinRefClick();
    void RemovefromList1Click();
    void ClearReferenceState();
    void ShowButtonRowMenu(QWidget* row, const QPoint& position);

    void ShowAllRecords();
    void ListSimilarPictures();
    void ShowReferenceCount();
    RememberedSelection& remembered(RecordListView* list);
    RecordListModel* modelOf(RecordListView* list) const;
    bool OptionChecked(OptionId id) const;
    bool AskSaveBeforeClose();
    void FormDestroy();
    void LoadHistory();
    void LoadSettings();
    void SaveSettings();

    // DocumentObserver
    void ShowStatus(StatusField field, const QString& text) override;
    void ShowCaption(const QString& caption) override;
    void SetBusy(bool busy) override;
    void ShowProgress(int maximum) override;
    void SetProgress(int position) override;
    void HideProgress() override;
    void ShowStopButton(bool shown) override;
    bool ShouldStop() override;
    void DatabaseRead(Pdata* recordToSelect, const QString& folder) override;
    void DataCleared() override;
    void TitleUpdated() override;
    // CatalogueListener
    void ShowStatus(const QString& text) override;
    void ErrorHintChanged(const QString& hint) override;
    void RecordAnalysed(Pdata& record) override;
    void RecordRemoving(Pdata& record) override;
    void CatalogueClearing() override;

    friend class ReferenceSearchFiller;

    Document& document_;
    UserQuestions& questions_;
    RecordListStore referenceStore_{EqualKeys::Accept};
    RecordListStore targetStore_{EqualKeys::OneEntryPerRecord};
    SortKeyFunction sortKey_ = NameKey;
    Pdata* currentTarget_ = nullptr;
    RememberedSelection rememberedReference_;
    RememberedSelection rememberedTarget_;
    QString referencePrefix_;
    AppConfig appConfig_;
    std::function<QString()> manualPath_;
    QString startDatabase_;
    std::function<void()> startDefaultsLoader_;
    QSet<QString> attachedCommands_;
    WindowProgress work_; // the full search and database reads
    int callsSinceClockCheck_ = 0;
    int busyDepth_ = 0;
    int lastFilterIndex_ = 0;
    bool refreshBusy_ = false;
    bool showAllFlag_ = true;
    bool firstShowDone_ = false;

    MainMenus menus_;

public:
    // Controls, named as their object names.
    QFrame* Panel1 = nullptr; // tool bar
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QToolButton* SpeedButton9 = nullptr;
    QToolButton* SpeedButton10 = nullptr;
    QToolButton* DataSetSpeedButton = nullptr;
    QToolButton* StopBitBtn = nullptr;
    QComboBox* ComboBoxSort = nullptr;
    QComboBox* DataFilter = nullptr;
    QPushButton* SearchButton = nullptr;
    QCheckBox* DisableAutoFind = nullptr;
    QCheckBox* UseSubIndex = nullptr;
    QLabel* Crystal = nullptr;
    RecordListView* ListBox1 = nullptr;
    RecordListView* ListBox2 = nullptr;
    RecordListModel* referenceModel = nullptr;
    RecordListModel* targetModel = nullptr;
    QMenu* TargetPopup = nullptr;
    QAction* FindinRef = nullptr;
    QAction* RemovefromList1 = nullptr;
    QFrame* LeftViewPanel = nullptr;
    QFrame* RightViewPanel = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* STFnam1 = nullptr;
    QLabel* STFSize1 = nullptr;
    QLabel* STFDate = nullptr;
    QLabel* STFnam2 = nullptr;
    QLabel* STFSize2 = nullptr;
    QLabel* STFDate2 = nullptr;
    QFrame* LeftPanel = nullptr;
    QFrame* RightPanel = nullptr;
    QPushButton* LeftViewButton = nullptr;
    QPushButton* ClearEntry = nullptr;
    QPushButton* CopyRefButton = nullptr;
    QPushButton* MoveRefButton = nullptr;
    QPushButton* RefdelButton = nullptr;
    QPushButton* ButtonRenameLeft = nullptr;
    QPushButton* RightViewButton = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* MoveButton = nullptr;
    QPushButton* DelButton = nullptr;
    QPushButton* Rename = nullptr;
    QFrame* Panel2 = nullptr; // search row
    QFrame* Panel3 = nullptr; // option row
    QStatusBar* StatusBar1 = nullptr;
    QStatusBar* StatusBar2 = nullptr;
    QLabel* StatusBar1Panel0 = nullptr;
    QLabel* StatusBar1Panel1 = nullptr;
    QLabel* StatusBar2Panel0 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace lumadex
