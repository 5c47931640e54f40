#include "adding/TOpenForm.h"

#include "catalogue/extensions.h"
#include "folders/folder_jumps.h"
#include "folders/folder_tree.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumadex {
namespace {

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TOpenForm::TOpenForm(const Document& document, QWidget* parent)
    : QDialog(parent), mask_(QString::fromUtf16(kNativeExtensionMask)) {
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("Select Picture"));

    DriveComboBox1 = Named(new QComboBox, "DriveComboBox1");
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox1->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()).toUpper(),
                                QDir::toNativeSeparators(drive.absoluteFilePath()));
    DirectoryListBox1 = Named(new FolderTree, "DirectoryListBox1");
    DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    AddFolderJumps(*PopupMenu1, *DirectoryListBox1, document);
    FileListBox1 = Named(new QListWidget, "FileListBox1");
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Button1 = Named(new QPushButton(QStringLiteral("Ok")), "Button1");
    Button1->setDefault(true);
    Button2 = Named(new QPushButton(QStringLiteral("Cancel")), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("Select All =>")), "Button3");

    auto* folders = new QVBoxLayout;
    folders->addWidget(DriveComboBox1);
    folders->addWidget(DirectoryListBox1, 1);
    folders->addWidget(Button3);
    auto* lists = new QHBoxLayout;
    lists->addLayout(folders, 1);
    lists->addWidget(FileListBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(Button1, &QPushButton::clicked, this, &TOpenForm::accept);
    connect(Button2, &QPushButton::clicked, this, &TOpenForm::reject);
    connect(Button3, &QPushButton::clicked, this, &TOpenForm::Button3Click);
    connect(DriveComboBox1, &QComboBox::activated, this, &TOpenForm::DriveComboBox1Change);
    connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DirectoryListBox1->mapToGlobal(at)); });
    connect(DirectoryListBox1, &FolderTree::directoryChanged, this, &TOpenForm::ReadFileList);
    ReadFileList();
}

void TOpenForm::SetMask(const QString& mask) {
    mask_ = mask;
    ReadFileList();
}

QString TOpenForm::directory() const {
    return DirectoryListBox1->directory();
}

void TOpenForm::setDirectory(const QString& folder) {
    DirectoryListBox1->setDirectory(folder);
}

QStringList TOpenForm::SelectedNames() const {
    QStringList names;
    for (int row = 0; row < FileListBox1->count(); ++row)
        if (FileListBox1->item(row)->isSelected())
            names << FileListBox1->item(row)->text();
    return names;
}

void TOpenForm::Button3Click() {
    FileListBox1->selectAll();
}

void TOpenForm::DriveComboBox1Change(int index) {
    setDirectory(DriveComboBox1->itemData(index).toString());
}

void TOpenForm::ReadFileList() {
    const QDir folder(QDir::fromNativeSeparators(directory()), QString(),
                      QDir::Name | QDir::IgnoreCase, QDir::Files);
    const QStringList names = folder.entryList(mask_.split(u';', Qt::SkipEmptyParts));
    const QIcon fileIcon = QFileIconProvider().icon(QFileIconProvider::File);
    FileListBox1->clear();
    for (const QString& name : names)
        FileListBox1->addItem(new QListWidgetItem(fileIcon, name));
}

} // namespace lumadex
