#pragma once

#include "core/store/database_layout_bytes.h"
#include "document/document.h"
#include "support/files.h"
#include "support/scripted_questions.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace lumadex::test {

// Status texts and window events in the order they came, as "kind:text".
class RecordingDocumentObserver : public DocumentObserver {
public:
    void ShowStatus(StatusField field, const QString& text) override {
        static const char* const kinds[] = {"progress:", "count:", "result:"};
        events << kinds[int(field)] + text;
    }
    void ShowCaption(const QString& caption) override { events << "caption:" + caption; }
    void DatabaseRead(Pdata* recordToSelect, const QString& folder) override {
        events << "read:" + (recordToSelect ? recordToSelect->fileName : QString("none")) + "|" +
                      folder;
    }
    void DataCleared() override { events << "data cleared"; }
    // The window's safe point during a read: onMessages may press the stop button.
    bool ShouldStop() override { return onMessages && onMessages(); }

    // The events of one kind, without the kind.
    QStringList Of(const QString& kind) const {
        QStringList texts;
        for (const QString& event : events)
            if (event.startsWith(kind + ":"))
                texts << event.mid(kind.size() + 1);
        return texts;
    }

    QStringList events;
    std::function<bool()> onMessages;
};

// The windows' side of the catalogue: what was logged and what was cleared.
class RecordingListener : public CatalogueListener {
public:
    explicit RecordingListener(const Document& document) : document_(document) {}

    void ShowStatus(const QString& text) override { logged << text; }
    void CatalogueClearing() override { recordsWhenCleared = document_.catalogue().count(); }

    QStringList logged;
    int recordsWhenCleared = -1;

private:
    const Document& document_;
};

class DocumentTest : public testing::Test {
protected:
    DocumentTest() {
        document_.SetObserver(&observer_);
        document_.SetCatalogueListener(&listener_);
    }

    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    Pdata& AddRecord(const QString& path, std::uint32_t bits = 0) {
        Catalogue& catalogue = document_.catalogue();
        Pdata& record = catalogue.at(catalogue.AddRecord(std::make_unique<Pdata>(path)));
        record.signatureBits = bits;
        document_.setDataChanged(true);
        return record;
    }

    static void WriteFile(const QString& path, const Bytes& bytes) {
        test::WriteFile(path, ToByteArray(bytes));
    }

    // Reads a database file into the document without a dialog.
    ReadOutcome ReadFile(const QString& path) {
        document_.setPendingDatabasePath(path);
        return document_.ReadDatabase();
    }

    QTemporaryDir dir_;
    ScriptedQuestions questions_;
    RecordingDocumentObserver observer_;
    Document document_{PictureLoader(), questions_};
    RecordingListener listener_{document_};
};

} // namespace lumadex::test
