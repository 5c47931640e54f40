#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace lumadex {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Yes, No, Cancel };

// What a file dialog starts with.
struct FileDialogRequest {
    QString defaultExtension; // added to a typed name without one; no dot
    QString fileName;         // preset name (or pattern) in the name field
    QString folder;           // initial folder; empty leaves it to the dialog
    QStringList nameFilters;  // "description (patterns)", the first one selected
};

enum class FileChoiceStatus {
    Chosen,
    Cancelled,
    DialogFailed, // the dialog could not be shown at all
};

struct FileChoice {
    FileChoiceStatus status = FileChoiceStatus::Cancelled;
    QString path;
};

// The questions and file choices put to the user: modal message boxes, a one-line text input
// and the open and save dialogs. The windows answer them with Qt dialogs; tests script the answers.
class UserQuestions {
public:
    virtual ~UserQuestions() = default;
    virtual Answer Ask(const QString& text, const QString& caption, MessageButtons buttons,
                       MessageIcon icon) = 0;
    // A line of text typed by the user under prompt; nullopt when the input was cancelled.
    virtual std::optional<QString> AskText(const QString& caption, const QString& prompt) = 0;
    // An existing file to read.
    virtual FileChoice ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // A file to write in an existing folder; the dialog asks before an existing file is
    // replaced.
    virtual FileChoice ChooseFileToSave(const FileDialogRequest& request) = 0;
};

} // namespace lumadex
