#pragma once

#include "document/document.h"
#include "store/database_layout_bytes.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace lumadex::test {

struct AskedQuestion {
    QString text;
    QString caption;
    MessageButtons buttons;
    MessageIcon icon;
};

// Answers questions and file dialogs from scripts; anything unscripted fails the test.
class ScriptedQuestions : public UserQuestions {
public:
    Answer Ask(const QString& text, const QString& caption, MessageButtons buttons,
               MessageIcon icon) override {
        asked.push_back({text, caption, buttons, icon});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    FileChoice ChooseFileToOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Next(openChoices, "open");
    }
    FileChoice ChooseFileToSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Next(saveChoices, "save");
    }

    std::deque<Answer> answers;
    std::deque<FileChoice> openChoices;
    std::deque<FileChoice> saveChoices;
    std::vector<AskedQuestion> asked;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

private:
    static FileChoice Next(std::deque<FileChoice>& choices, const char* dialog) {
        if (choices.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return {};
        }
        const FileChoice choice = choices.front();
        choices.pop_front();
        return choice;
    }
};

inline FileChoice Chosen(const QString& path) {
    return {FileChoiceStatus::Chosen, path};
}

// Status texts and window events in the order they came, as "kind:text".
class RecordingDocumentObserver : public DocumentObserver {
public:
    void ShowStatus(StatusField field, const QString& text) override {
        static const char* const kinds[] = {"progress:", "count:", "result:"};
        events << kinds[int(field)] + text;
    }
    void ShowCaption(const QString& caption) override { events << "caption:" + caption; }
    void ShowStopButton(bool shown) override { events << (shown ? "stop shown" : "stop hidden"); }
    void LetMessagesRun() override {
        if (onMessages)
            onMessages();
    }
    void DatabaseRead(Pdata* recordToSelect, const QString& folder) override {
        events << "read:" + (recordToSelect ? recordToSelect->fileName : QString("none")) + "|" +
                      folder;
    }
    void DataCleared() override { events << "data cleared"; }

    // The events of one kind, without the kind.
    QStringList Of(const QString& kind) const {
        QStringList texts;
        for (const QString& event : events)
            if (event.startsWith(kind + ":"))
                texts << event.mid(kind.size() + 1);
        return texts;
    }

    QStringList events;
    std::function<void()> onMessages;
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
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }

    static QByteArray ContentsOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Reads a database file into the document without a dialog.
    ReadOutcome ReadFile(const QString& path) {
        document_.setPendingDatabasePath(path);
        return document_.ReadDatabase();
    }

    QStringList CataloguePaths() const {
        QStringList paths;
        for (int i = 0; i < document_.catalogue().count(); ++i)
            paths << document_.catalogue().at(i).fileName;
        return paths;
    }

    QTemporaryDir dir_;
    ScriptedQuestions questions_;
    RecordingDocumentObserver observer_;
    Document document_{PictureLoader(), questions_};
    RecordingListener listener_{document_};
};

} // namespace lumadex::test
