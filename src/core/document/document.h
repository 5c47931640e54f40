#pragma once

#include "catalogue/picture_catalogue.h"
#include "document/document_observer.h"
#include "document/user_questions.h"
#include "memo/data_manage.h"
#include "search/mismatch_num.h"
#include "store/history.h"
#include "options/option_model.h"

#include <QString>

namespace lumadex {

enum class SaveOutcome {
    Saved,
    Cancelled, // no file was chosen
    Failed,    // the file could not be written; the flags stay set
};

enum class ReadOutcome {
    Cancelled,   // no file was chosen; nothing changed
    CantOpen,    // the file could not be read
    NotDatabase, // the file is not a database; nothing was read
    Broken,      // the file is broken; what was read before the fault stays
    Stopped,     // stopped by the user; what was read stays
    Complete,
};

// Where the database is saved when the save dialog cannot be shown: "emergency.lx2" in the
// user's home folder.
QString EmergencyDatabasePath();

// The open database without any window: the catalogue with its records, the memo store, the
// mismatch groups, the options that travel in the database header, the file history and the
// database path with its modified flags. Its operations are the database commands of the main
// window: Save, Save As, Open, Import and Clear All Data. Questions go to UserQuestions and
// status texts to the DocumentObserver.
class Document : private CatalogueListener {
public:
    Document(PictureLoader loader, UserQuestions& questions);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    ~Document() override;

    void SetObserver(DocumentObserver* observer);
    // The windows' listener of the catalogue; every catalogue event is passed on to it.
    void SetCatalogueListener(CatalogueListener* listener) { listener_ = listener; }

    PictureCatalogue& pictures() { return pictures_; }
    Catalogue& catalogue() { return pictures_.catalogue(); }
    const Catalogue& catalogue() const { return pictures_.catalogue(); }
    DataManage& memos() { return memos_; }
    MismatchNum& mismatchNumbers() { return mismatchNumbers_; }
    OptionModel& options() { return options_; }
    const OptionModel& options() const { return options_; }
    FileHistory& history() { return history_; }

    // Full path of the database file; empty for a new database.
    const QString& databasePath() const { return databasePath_; }
    // A database to read without asking (command line, file history); taken by the next read.
    void setPendingDatabasePath(QString path) { pendingDatabasePath_ = std::move(path); }
    const QString& pendingDatabasePath() const { return pendingDatabasePath_; }

    bool dataChanged() const { return pictures_.dataChanged(); }
    void setDataChanged(bool changed) { pictures_.setDataChanged(changed); }
    bool optionsChanged() const { return optionsChanged_; }
    void setOptionsChanged(bool changed) { optionsChanged_ = changed; }
    // A database of a format older than version 5 was read; saving writes the current format.
    bool oldFormatRead() const { return oldFormatRead_; }
    bool hasUnsavedChanges() const { return dataChanged() || optionsChanged_ || oldFormatRead_; }
    void ClearChangeFlags();

    bool mergeMode() const { return mergeMode_; }
    bool reading() const { return reading_; }

    // The search reference whose matches the Target list shows, or nullptr. It is forgotten
    // when its record is destroyed.
    Pdata* currentReference() const { return currentReference_; }
    void setCurrentReference(Pdata* record) { currentReference_ = record; }
    // Catalogue index of the current reference; -1 for none.
    int selectedIndex() const;

    bool CanSave() const { return !catalogue().isEmpty() && hasUnsavedChanges(); }
    bool CanSaveAs() const { return !catalogue().isEmpty(); }

    // The main window's caption: "Lumadex Lite [New]" or "Lumadex Lite [path]", then "*", "+"
    // and "!" for the three modified flags.
    QString Title() const;
    // Sets dataChanged when changed, enters the database in the file history, shows the title.
    void UpdateTitle(bool changed = false);

    // The dialogs' presets, kept from one use to the next as the dialogs keep them.
    const FileDialogRequest& openDialog() const { return openDialog_; }
    const FileDialogRequest& saveDialog() const { return saveDialog_; }
    void setOpenDialogFolder(QString folder) { openDialog_.folder = std::move(folder); }

    SaveOutcome Save();
    SaveOutcome SaveAs();
    // Asks to save changes, clears all data and reads a database.
    void Open();
    // Reads a database into the open one; says how the read went.
    ReadOutcome Import();
    // Reads the pending database, or one chosen with the open dialog, into the catalogue.
    ReadOutcome ReadDatabase();
    // Destroys every record and empties the memo store and mismatch groups, after asking
    // "Clear all entries?" when data changed. false when the user said No.
    bool ClearAllData();

private:
    class ReadProgress;
    class WriteProgress;

    // CatalogueListener: keeps the current reference valid and passes every event on.
    void ShowStatus(const QString& text) override;
    void ErrorHintChanged(const QString& hint) override;
    void RecordAnalysed(Pdata& record) override;
    void RecordRemoving(Pdata& record) override;
    void CatalogueClearing() override;

    SaveOutcome WriteDatabase(const QString& path);
    ReadOutcome ReadDatabaseFile(const QString& path);
    void ClearContents();

    PictureCatalogue pictures_;
    DataManage memos_;
    MismatchNum mismatchNumbers_;
    OptionModel options_;
    FileHistory history_;
    UserQuestions& questions_;
    DocumentObserver* observer_;
    CatalogueListener* listener_ = nullptr;

    QString databasePath_;
    QString pendingDatabasePath_;
    FileDialogRequest openDialog_;
    FileDialogRequest saveDialog_;
    Pdata* currentReference_ = nullptr;
    bool optionsChanged_ = false;
    bool oldFormatRead_ = false;
    bool mergeMode_ = false;
    bool reading_ = false;
};

} // namespace lumadex
