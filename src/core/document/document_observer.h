#pragma once

#include "progress/work_progress.h"

#include <QString>

namespace lumadex {

class Pdata;

// The status bar fields the document writes to.
enum class StatusField {
    Progress, // reference and progress (StatusBar1, panel 0)
    Count,    // record counts (StatusBar1, panel 1)
    Result,   // results and the target (StatusBar2, panel 0)
};

// What the main window shows of the document's work. Every call comes on the caller's thread
// while the operation runs. While AllowRobustOperation is checked, a database read asks
// ShouldStop after each record: the user can work and press the stop button meanwhile, and a
// true answer ends the read there, keeping what was read.
class DocumentObserver : public WorkProgress {
public:
    virtual void ShowStatus(StatusField /*field*/, const QString& /*text*/) {}
    // The main window's caption.
    virtual void ShowCaption(const QString& /*caption*/) {}
    // A file is being read or written: the hour-glass cursor.
    virtual void SetBusy(bool /*busy*/) {}
    // The progress bar: shown at 0 with this maximum, moved, hidden.
    virtual void ShowProgress(int /*maximum*/) {}
    virtual void SetProgress(int /*position*/) {}
    virtual void HideProgress() {}
    // The stop button of a merge, which stops the read at its next record.
    virtual void ShowStopButton(bool /*shown*/) {}
    // A database was read: the data filter returns to "All" and both lists are rebuilt;
    // recordToSelect (or none) is the reference to select, folder the database's folder with
    // its trailing separator.
    virtual void DatabaseRead(Pdata* /*recordToSelect*/, const QString& /*folder*/) {}
    // Every record was cleared: the data filter returns to "All", the target preview is hidden.
    virtual void DataCleared() {}
    // The title was updated: refresh the command states and the record count panel.
    virtual void TitleUpdated() {}
};

} // namespace lumadex
