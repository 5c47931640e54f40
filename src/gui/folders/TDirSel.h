#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QWidget;

namespace lumadex {

class Document;
class FolderTree;
class UserQuestions;

// The folder chooser used wherever a folder is asked for. SetMode picks the caption and the
// controls for one use; the chosen folder, the recently chosen folders and the options of the
// pages stay from one use to the next.
class TDirSel : public QDialog {
    Q_OBJECT
public:
    // The modes of SetMode.
    enum Mode {
        AddFolder = 0,    // "Select Folder": Minimize, Set Depth, Make Error Log
        CopyTo = 1,       // "Copy To..."
        MoveTo = 2,       // "Move To..."
        PluginFolder = 3, // "Susie Plugin Folder"
        ChangeTo = 4,     // "ChangeTO Folder"
        JpegTo = 5,       // "Select JpegTo Folder": the JPEG quality panel
        SearchFolder = 6, // "Select Folder" with "Search Subfolder"
    };

    // document gives the database's folder and the current reference's folder to the pop-up
    // menu; questions asks for the name of a new folder and reports one that cannot be made.
    TDirSel(const Document& document, UserQuestions& questions, QWidget* parent = nullptr);

    void SetMode(int mode);
    int mode() const { return mode_; }

    // The chosen folder (the folder list's current folder).
    QString directory() const;
    void setDirectory(const QString& folder);
    // The folders chosen with "Ok", most recent first, without duplicates.
    const QStringList& recentFolders() const { return recentFolders_; }
    // Puts folder first in the recent folders (a chosen folder, the folder of a database read).
    void RememberFolder(const QString& folder);

    // The options of the adding page: the deepest level to scan ("Set Depth"; the chosen folder
    // is level 1), unset without a limit.
    std::optional<int> depthLimit() const;
    bool minimizeWhileAdding() const;
    bool makeErrorLog() const;
    // The JPEG quality of TrackBar1 (0 .. 99).
    int quality() const;
    bool searchSubfolders() const;

    QComboBox* DriveComboBox1;
    FolderTree* DirectoryListBox1;
    QMenu* PopupMenu1;
    QPushButton* Button1;
    QPushButton* Button2;
    QCheckBox* SearchSubfolder;
    QWidget* Panel1;
    QSlider* TrackBar1;
    QLabel* quiality;
    QStackedWidget* PageControl1;
    QWidget* foraImageRead;
    QCheckBox* Minimize;
    QCheckBox* LevelLimit;
    QSpinBox* UpDown1;
    QCheckBox* MakeErrorLog;
    QWidget* forCopyMove;
    QListWidget* TreeView1;

public Q_SLOTS:
    void Button1Click();
    // "Make Folder...": asks for a name and makes that folder in the current one.
    void MakeFolder1Click();
    void TreeView1Click(QListWidgetItem* item);
    void TrackBar1Change(int position);
    void LevelLimitClick(bool checked);
    void DriveComboBox1Change(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls(const Document& document);
    void ShowDriveOf(const QString& folder);

    UserQuestions& questions_;
    QStringList recentFolders_;
    int mode_ = AddFolder;
};

} // namespace lumadex
