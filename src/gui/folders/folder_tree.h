#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace lumadex {

// The folder list of the folder dialogs: a tree of the file system's folders (files are not
// shown) whose current folder is the chosen one.
class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // The current folder, absolute, with native separators and no trailing separator (except
    // for the root).
    const QString& directory() const { return directory_; }
    // Makes folder current and scrolls to it; a folder that does not exist gives way to its
    // nearest existing parent.
    void setDirectory(const QString& folder);
    // Reads the current folder again: one removed meanwhile gives way to its parent.
    void Reread();

Q_SIGNALS:
    void directoryChanged(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CurrentIndexChanged(const QModelIndex& current);
    // Selects the current folder's row and scrolls to it.
    void ShowCurrentRow();

    QFileSystemModel* model_;
    QString directory_;
};

// The existing folder nearest to folder: itself, else its closest existing parent.
QString NearestExistingFolder(const QString& folder);

} // namespace lumadex
