#pragma once

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
// while the operation runs.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;

    virtual void ShowStatus(StatusField /*field*/, const QString& /*text*/) {}
    // The main window's caption.
    virtual void ShowCaption(const QString& /*caption*/) {}
    // A file is being read or written: the hour-glass cursor.
    virtual void SetBusy(bool /*busy*/) {}
    // The progress bar: shown at 0 with this maximum, moved, hidden.
    virtual void ShowProgress(int /*maximum*/) {}
    virtual void SetProgress(int /*position*/) {}
    virtual void HideProgress() {}
    // The stop button of a merge, which calls Document::RequestStop.
    virtual void ShowStopButton(bool /*shown*/) {}
    // Called after each record read while AllowRobustOperation is checked: let pending window
    // messages run, so that the user can work and press the stop button.
    virtual void LetMessagesRun() {}
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
