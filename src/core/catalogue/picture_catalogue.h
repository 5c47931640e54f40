#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/error_history.h"
#include "catalogue/item_result.h"
#include "catalogue/pdata.h"
#include "catalogue/picture_loader.h"
#include "catalogue/signature.h"
#include "codecs/bitmap.h"
#include "progress/work_progress.h"

#include <QString>
#include <memory>
#include <vector>

namespace lumadex {

// The status bar panels that analysis writes to.
enum class StatusPanel {
    Progress, // the reference and progress panel (StatusBar1, panel 0)
    Result,   // the result and target panel (StatusBar2, panel 0)
};

// Follows one file's analysis: its status texts and the picture being analysed. As the
// signature's WorkProgress it advances over the cells and may stop the analysis.
class AnalysisObserver : public WorkProgress {
public:
    virtual void ShowStatus(StatusPanel /*panel*/, const QString& /*text*/) {}
    virtual void ShowProgressCaption(const QString& /*text*/) {}
    virtual void ShowPicture(const Bitmap& /*picture*/) {}
};

// Learns what happens to the catalogue's state; the main window is the one listener.
class CatalogueListener {
public:
    virtual ~CatalogueListener() = default;
    // A reported problem's text for the progress status panel.
    virtual void ShowStatus(const QString& /*text*/) {}
    // The error history changed; hint is its text.
    virtual void ErrorHintChanged(const QString& /*hint*/) {}
    // Analysis added record to the catalogue and the new-added list. The data filter decides
    // here whether it also joins the Reference list.
    virtual void RecordAnalysed(Pdata& /*record*/) {}
    // record is about to be destroyed: every list must let go of it now.
    virtual void RecordRemoving(Pdata& /*record*/) {}
    // Every record is about to be destroyed.
    virtual void CatalogueClearing() {}
};

// The working state of the picture catalogue without any window: the records, the new-added
// list, the error history and log, and the picture decoders. A document object owns it and
// windows observe it.
class PictureCatalogue {
public:
    explicit PictureCatalogue(PictureLoader loader);
    PictureCatalogue(const PictureCatalogue&) = delete;
    PictureCatalogue& operator=(const PictureCatalogue&) = delete;

    void SetListener(CatalogueListener* listener);

    Catalogue& catalogue() { return catalogue_; }
    const Catalogue& catalogue() const { return catalogue_; }
    PictureLoader& loader() { return loader_; }
    const PictureLoader& loader() const { return loader_; }

    // Records added by analysis since the list was last cleared, in the order they came.
    const std::vector<Pdata*>& newAdded() const { return newAdded_; }
    bool IsNewlyAdded(const Pdata* record) const;
    void ClearNewAdded() { newAdded_.clear(); }

    // Set when records were added, removed or changed since the database was read or saved.
    bool dataChanged() const { return dataChanged_; }
    void setDataChanged(bool changed) { dataChanged_ = changed; }

    // Folder of the settings files and the log, with a trailing separator.
    const QString& programFolder() const { return programFolder_; }
    void setProgramFolder(QString folder) { programFolder_ = std::move(folder); }
    // While set (a folder is being added with the error log on), problems also go to the log.
    bool logToFile() const { return logToFile_; }
    void setLogToFile(bool on) { logToFile_ = on; }
    const ErrorHistory& errorHistory() const { return errorHistory_; }

    // Reports a problem met while working on files: the log file (while logging), the status
    // panel, the error history and its hint.
    void LogMessage(const QString& text);

    // Checks, decodes and signs one picture file and, if all goes well, adds its new record to
    // the catalogue and the new-added list. Done when added, Skipped when the file was refused
    // (reported through LogMessage), Stopped when the observer asked to stop.
    ItemResult AnalyseFile(const QString& path, AnalysisObserver& observer);

    // Destroys the record at a catalogue index after every list has let go of it; the data
    // counts as changed.
    void DeleteRecord(int index);
    // Destroys every record (closing or replacing the database).
    void ClearRecords();

private:
    void AddAnalysedRecord(std::unique_ptr<Pdata> record);

    Catalogue catalogue_;
    PictureLoader loader_;
    std::vector<Pdata*> newAdded_;
    ErrorHistory errorHistory_;
    QString programFolder_;
    CatalogueListener* listener_;
    Bitmap decodeBuffer_; // pixel storage handed from one analysis to the next
    bool logToFile_ = false;
    bool dataChanged_ = false;
};

} // namespace lumadex
