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

} // namespace lumadex::test
