#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;

namespace lumadex {

class Document;
class FolderTree;

// The open form of "Add Picture...": a folder tree and the picture files of the chosen
// folder, of which the user selects any number.
class TOpenForm : public QDialog {
    Q_OBJECT
public:
    // document gives the pop-up menu the database's and the current reference's folders.
    explicit TOpenForm(const Document& document, QWidget* parent = nullptr);

    // The extensions the file list shows, as "*.jpg;*.png" (any letter case matches).
    void SetMask(const QString& mask);
    const QString& mask() const { return mask_; }

    QString directory() const;
    void setDirectory(const QString& folder);
    // The names of the selected files, in list order.
    QStringList SelectedNames() const;

    QComboBox* DriveComboBox1;
    FolderTree* DirectoryListBox1;
    QListWidget* FileListBox1;
    QMenu* PopupMenu1;
    QPushButton* Button1; // "Ok"
    QPushButton* Button2; // "Cancel"
    QPushButton* Button3; // "Select All =>"

public Q_SLOTS:
    void Button3Click();
    void DriveComboBox1Change(int index);
    // Lists the files of the current folder that the mask lets through.
    void ReadFileList();

private:
    QString mask_;
};

} // namespace lumadex
