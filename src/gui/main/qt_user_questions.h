#pragma once

#include "document/user_questions.h"

class QWidget;

namespace lumadex {

// Puts the questions and file choices to the user with Qt's message boxes, input dialog and
// file dialogs, centred on the parent window.
class QtUserQuestions : public UserQuestions {
public:
    explicit QtUserQuestions(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer Ask(const QString& text, const QString& caption, MessageButtons buttons,
               MessageIcon icon) override;
    std::optional<QString> AskText(const QString& caption, const QString& prompt) override;
    FileChoice ChooseFileToOpen(const FileDialogRequest& request) override;
    FileChoice ChooseFileToSave(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

} // namespace lumadex
