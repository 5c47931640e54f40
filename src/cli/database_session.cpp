#include "cli/database_session.h"

#include "catalogue/picture_loader.h"

#include <QFileInfo>
#include <cstdio>

namespace lumadex::cli {

class DatabaseSession::Questions : public UserQuestions {
public:
    explicit Questions(QString databasePath) : databasePath_(std::move(databasePath)) {}

    Answer Ask(const QString& text, const QString&, MessageButtons buttons, MessageIcon) override {
        switch (buttons) {
        case MessageButtons::Ok:
            std::fprintf(stderr, "%s\n", qUtf8Printable(text));
            return Answer::Ok;
        case MessageButtons::YesNo:
            // Keep names as given ("Change file extension...") and clear when asked to.
            return text.startsWith(QLatin1String("Clear")) ? Answer::Yes : Answer::No;
        case MessageButtons::YesNoCancel:
            return Answer::No;
        }
        return Answer::No;
    }
    // Nothing is typed in a batch run.
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    FileChoice ChooseFileToOpen(const FileDialogRequest&) override {
        return {FileChoiceStatus::Cancelled, {}};
    }
    FileChoice ChooseFileToSave(const FileDialogRequest&) override {
        return {FileChoiceStatus::Chosen, databasePath_};
    }

private:
    QString databasePath_;
};

class DatabaseSession::Listener : public CatalogueListener {
public:
    void ShowStatus(const QString& text) override {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        ++problems;
    }
    int problems = 0;
};

DatabaseSession::DatabaseSession(QString databasePath)
    : databasePath_(std::move(databasePath)),
      questions_(std::make_unique<Questions>(databasePath_)),
      listener_(std::make_unique<Listener>()),
      document_(std::make_unique<Document>(NativePictureLoader(), *questions_)) {
    document_->SetCatalogueListener(listener_.get());
}

DatabaseSession::~DatabaseSession() = default;

int DatabaseSession::problemsReported() const {
    return listener_->problems;
}

bool DatabaseSession::Open(bool createMissing) {
    if (createMissing && !QFileInfo::exists(databasePath_))
        return true;
    document_->setPendingDatabasePath(databasePath_);
    const ReadOutcome outcome = document_->ReadDatabase();
    return outcome == ReadOutcome::Complete;
}

bool DatabaseSession::Save() {
    return document_->Save() == SaveOutcome::Saved;
}

} // namespace lumadex::cli
