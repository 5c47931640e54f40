#pragma once

#include "catalogue/extensions.h"
#include "catalogue/item_result.h"
#include "catalogue/picture_catalogue.h"
#include "catalogue/record_list_store.h"
#include "catalogue/same_name.h"

#include <QString>
#include <optional>

namespace lumadex {

class OptionModel;

// The options that steer adding pictures, read when a command starts.
struct AddingOptions {
    SameNameRule sameName = SameNameRule::DontAdd;
    // "Set Depth": the deepest folder level scanned, the chosen folder being level 1. Unset:
    // no limit.
    std::optional<int> depthLimit;
    // The lists are rebuilt after adding (the option "Disable Auto Refresh" is off).
    bool refreshLists = false;
    // The mask of the extensions that may be added.
    QString extensionMask = QString::fromUtf16(kNativeExtensionMask);
};

// The options of the option dialog, with the folder dialog's depth and the mask in use.
AddingOptions AddingOptionsFrom(const OptionModel& options, std::optional<int> depthLimit,
                                QString extensionMask);

// Follows the adding of pictures: each file's analysis, the counts, the progress over chosen
// files and the rebuilding of the lists.
class AddingObserver : public AnalysisObserver {
public:
    // The file count panel (StatusBar1, panel 1).
    virtual void ShowFileCount(const QString& /*text*/) {}
    // Before each of the chosen files: how many have been started so far, of how many.
    virtual void ShowFilesProgress(int /*started*/, int /*total*/) {}
    // Rebuild the lists from the catalogue now.
    virtual void RefreshLists() {}
};

// Texts of the status panels.
inline const QString kUpdatingListText = QStringLiteral("Updating list...");
inline const QString kAddingDoneText = QStringLiteral("Adding pictures done.");
inline const QString kDropDoneText = QStringLiteral("Adding pictures(Drag&Drop) done.");
inline const QString kIllegalExtensionText = QStringLiteral("Illegal file extention:");
inline const QString kAbortedText = QStringLiteral("Aborted");

// One command that adds pictures: the catalogue, the Reference list (for its count), the
// options and the observer, shared by the steps of the command.
struct AddingSession {
    PictureCatalogue& pictures;
    const RecordListStore& referenceList;
    AddingOptions options;
    AddingObserver& observer;

    // Whether the observer asks to stop, letting nothing run; if so, says "Aborted".
    bool StopRequested();
    // The same at a safe point, where the observer may let pending work run first.
    bool StopAtSafePoint();
    bool IsAcceptedFile(const QString& name) const;
    // Adds one accepted file under the same-name rule (nothing when the rule skipped it), or
    // returns Stopped without touching it when the observer asks to stop.
    std::optional<ItemResult> AddFile(const QString& path);
    // catalogue count + " Files"
    void ShowCatalogueCount();
    // Reference list count + "/" + catalogue count
    void ShowListCount();
};

} // namespace lumadex
