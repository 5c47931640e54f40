#pragma once

#include "document/user_questions.h"

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

struct AskedText {
    QString caption;
    QString prompt;
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
    std::optional<QString> AskText(const QString& caption, const QString& prompt) override {
        askedTexts.push_back({caption, prompt});
        if (textAnswers.empty()) {
            ADD_FAILURE() << "unexpected text input: " << prompt.toStdString();
            return std::nullopt;
        }
        const std::optional<QString> answer = textAnswers.front();
        textAnswers.pop_front();
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
    std::deque<std::optional<QString>> textAnswers; // nullopt: the input is cancelled
    std::deque<FileChoice> openChoices;
    std::deque<FileChoice> saveChoices;
    std::vector<AskedQuestion> asked;
    std::vector<AskedText> askedTexts;
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

} // namespace lumadex::test
