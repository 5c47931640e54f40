#pragma once

#include "catalogue/item_result.h"
#include "catalogue/record_list_store.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace lumadex {

class AddingProgress;
struct AddingSession;
class Document;
class TDirSel;
class TOpenForm;
class TProgress;

// The window side of adding pictures: drives the core adding functions with a TProgress,
// the Abort button, the status texts and the error log, keeping the window responsive.
//
// While a command runs the progress window is application-modal: the main window takes no
// input, so no second command (another adding, a delete, clearing the data) can change the
// catalogue under the running one. A command started meanwhile by code is ignored.
class PictureAdder : public QObject {
    Q_OBJECT
public:
    // The panels of StatusBar1 that StatusText names.
    static constexpr int kProgressPanel = 0;
    static constexpr int kCountPanel = 1;

    PictureAdder(Document& document, TProgress& progress, TDirSel& dirSel, TOpenForm& openForm,
                 QWidget* mainWindow);

    // The Reference list whose count the status texts show ("12/40"); none counts as empty.
    void SetReferenceList(const RecordListStore* referenceList);
    // The extensions that may be added, as "*.jpg;*.png"; the open form lists the same.
    void SetExtensionMask(const QString& mask);
    const QString& extensionMask() const { return extensionMask_; }
    // A command is running or waiting for its dialog.
    bool busy() const { return busy_; }

    void AddDroppedPaths(const QStringList& paths); // files and folders dropped on TMain
    void AddPicturesFromFolder();   // "Add Pictures from Folder..." (TDirSel mode 0)
    void AddPicturesWithOpenForm(); // "Add Pictures..." (TOpenForm)

    // Shows text in StatusBar1 panel 0 and repaints the main window at once.
    void ShowProgressText(const QString& text);

Q_SIGNALS:
    void StatusText(int panel, const QString& text); // StatusBar1 panel 0 / 1 texts of adding
    void ResultText(const QString& text);            // StatusBar2 panel 0 ("Aborted", drop done)
    // The lists are to be rebuilt now (ShowAllClick): sent while a command ends, when the
    // option "Disable Auto Refresh" is off.
    void RefreshListsRequested();
    void AddingStarting(); // before a command adds its first file

private:
    // Shows the dialog modally at the mouse pointer; whether it was closed with "Ok".
    bool ChosenInDialog(QDialog& dialog);
    // Runs one command's adding with the progress window shown (its files bar as given).
    ItemResult Run(bool filesBarShown, const std::function<ItemResult(AddingSession&)>& add);

    Document& document_;
    TProgress& progress_;
    TDirSel& dirSel_;
    TOpenForm& openForm_;
    QPointer<QWidget> mainWindow_;
    const RecordListStore* referenceList_ = nullptr;
    RecordListStore noReferenceList_{EqualKeys::Accept};
    QString extensionMask_;
    bool busy_ = false;
};

} // namespace lumadex
