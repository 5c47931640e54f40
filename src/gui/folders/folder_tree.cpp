#include "folders/folder_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

namespace lumadex {

QString NearestExistingFolder(const QString& folder) {
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return QDir::rootPath();
        path = parent;
    }
    return QDir::toNativeSeparators(path);
}

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentIndexChanged(current); });
    // The model reads folders in the background and sorts their rows just after it says a
    // folder is read: once a folder above the current one is in, its row is shown again. Other
    // folders the user opens leave the view where it is.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (!QDir::fromNativeSeparators(directory_).startsWith(loaded))
            return;
        QTimer::singleShot(0, this, [this] { ShowCurrentRow(); });
    });
    setDirectory(QDir::homePath());
}

void FolderTree::setDirectory(const QString& folder) {
    const QString nearest = NearestExistingFolder(folder);
    if (nearest != directory_) {
        directory_ = nearest;
        Q_EMIT directoryChanged(directory_);
    }
    ShowCurrentRow();
}

void FolderTree::ShowCurrentRow() {
    const QModelIndex index = model_->index(QDir::fromNativeSeparators(directory_));
    if (!index.isValid())
        return;
    if (index != currentIndex())
        setCurrentIndex(index);
    scrollTo(index);
}

void FolderTree::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    ShowCurrentRow();
}

void FolderTree::Reread() {
    setDirectory(directory_);
}

void FolderTree::CurrentIndexChanged(const QModelIndex& current) {
    if (!current.isValid())
        return;
    const QString folder = QDir::toNativeSeparators(model_->filePath(current));
    if (folder == directory_)
        return;
    directory_ = folder;
    Q_EMIT directoryChanged(directory_);
}

} // namespace lumadex
