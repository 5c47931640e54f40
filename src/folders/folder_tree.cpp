#include "folders/folder_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

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
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QDir::rootPath());
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentIndexChanged(current); });
    setDirectory(QDir::homePath());
}

void FolderTree::setDirectory(const QString& folder) {
    const QString nearest = NearestExistingFolder(folder);
    const QModelIndex index = model_->index(QDir::fromNativeSeparators(nearest));
    if (index.isValid() && index != currentIndex()) {
        setCurrentIndex(index);
        scrollTo(index);
    }
    if (nearest != directory_) {
        directory_ = nearest;
        Q_EMIT directoryChanged(directory_);
    }
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
