#pragma once

#include "catalogue/adding_session.h"
#include "catalogue/picture_catalogue.h"
#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"
#include "support/files.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace lumadex::test {

// Stands in for the main window: every analysed record joins a Reference and a Target list and
// a removed record leaves both (the lists let go of the records before they are destroyed). Records
// what adding reports; can ask to stop once a number of records has been analysed.
class AddingWindow : public AddingObserver, public CatalogueListener {
public:
    RecordListStore reference{EqualKeys::Accept};
    RecordListStore target{EqualKeys::OneEntryPerRecord, ListKeyOrder(), PathNameKey};
    QStringList events;
    QStringList fileCounts;
    std::vector<Pdata*> removed;
    int refreshes = 0;
    int stopAfterAnalysed = -1;
    int analysed = 0;

    void ShowStatus(StatusPanel panel, const QString& text) override {
        events << (panel == StatusPanel::Progress ? "status1:" : "status2:") + text;
    }
    void ShowProgressCaption(const QString& text) override { events << "caption:" + text; }
    void ShowPicture(const Bitmap& picture) override {
        events << QStringLiteral("picture:%1x%2").arg(picture.width()).arg(picture.height());
    }
    void ShowFileCount(const QString& text) override { fileCounts << text; }
    void ShowFilesProgress(int started, int total) override {
        events << QStringLiteral("progress:%1/%2").arg(started).arg(total);
    }
    void RefreshLists() override {
        events << "refresh";
        ++refreshes;
    }
    bool StopAsked() const override {
        return stopAfterAnalysed >= 0 && analysed >= stopAfterAnalysed;
    }
    void ShowStatus(const QString& text) override { events << "logged:" + text; }
    void RecordAnalysed(Pdata& record) override {
        ++analysed;
        reference.Add(&record);
        target.Add(&record);
    }
    void CatalogueClearing() override {
        reference.Clear();
        target.Clear();
    }
    void RecordRemoving(Pdata& record) override {
        removed.push_back(&record);
        reference.RemoveRecord(&record);
        target.RemoveRecord(&record);
    }

    // Events of one kind, without their prefix.
    QStringList EventsOf(const QString& kind) const {
        QStringList found;
        for (const QString& event : events) {
            if (event.startsWith(kind + ':'))
                found << event.mid(kind.size() + 1);
        }
        return found;
    }
};

// A temporary folder filled with copies of the shared test pictures.
class PictureTree {
public:
    PictureTree() { EXPECT_TRUE(root_.isValid()); }

    QString root() const { return root_.path(); }
    QString Path(const QString& relative) const { return root_.filePath(relative); }

    // Copies a picture of the shared test data ("photos/blox.jpg") to relative.
    QString Copy(const QString& picture, const QString& relative) const {
        MakeFolder(QFileInfo(relative).path());
        const QString path = Path(relative);
        EXPECT_TRUE(QFile::copy(TestDataPath(picture), path)) << relative.toStdString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QString Write(const QString& relative, const QByteArray& bytes) const {
        MakeFolder(QFileInfo(relative).path());
        WriteFile(Path(relative), bytes);
        return Path(relative);
    }
    QString MakeFolder(const QString& relative) const {
        EXPECT_TRUE(QDir(root()).mkpath(relative)) << relative.toStdString();
        return Path(relative);
    }
    void Link(const QString& target, const QString& relative) const {
        EXPECT_TRUE(QFile::link(target, Path(relative))) << relative.toStdString();
    }

private:
    QTemporaryDir root_;
};

// The paths of the records, in catalogue order.
inline QStringList CataloguePaths(const PictureCatalogue& pictures) {
    QStringList paths;
    for (int i = 0; i < pictures.catalogue().count(); ++i)
        paths << pictures.catalogue().at(i).fileName;
    return paths;
}

// The paths of the new-added list, in the order the records were added.
inline QStringList NewAddedPaths(const PictureCatalogue& pictures) {
    QStringList paths;
    for (const Pdata* record : pictures.newAdded())
        paths << record->fileName;
    return paths;
}

} // namespace lumadex::test
