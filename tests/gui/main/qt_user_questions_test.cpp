#include "main/qt_user_questions.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

// Presses the given button of the message box as soon as it is shown.
void PressWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(button)->click();
    });
}

TEST(QtUserQuestionsTest, EachPressedButtonIsTheAnswer) {
    QtUserQuestions questions;
    const struct {
        QMessageBox::StandardButton pressed;
        MessageButtons buttons;
        Answer expected;
    } rows[] = {{QMessageBox::Yes, MessageButtons::YesNoCancel, Answer::Yes},
                {QMessageBox::Cancel, MessageButtons::YesNoCancel, Answer::Cancel},
                {QMessageBox::No, MessageButtons::YesNo, Answer::No},
                {QMessageBox::Ok, MessageButtons::Ok, Answer::Ok}};
    for (const auto& row : rows) {
        PressWhenShown(row.pressed);
        EXPECT_EQ(questions.Ask("Data changed.Save?", "[New]", row.buttons, MessageIcon::Question),
                  row.expected)
            << "button " << int(row.pressed);
    }
}

TEST(QtUserQuestionsTest, TextInputGivesTheTypedTextOrNothingWhenCancelled) {
    QtUserQuestions questions;
    for (const bool accepted : {true, false}) {
        QTimer::singleShot(0, [accepted] {
            auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->labelText(), "Folder Name");
            input->setTextValue(QStringLiteral("holiday"));
            accepted ? input->accept() : input->reject();
        });
        const std::optional<QString> typed = questions.AskText("New Folder", "Folder Name");
        EXPECT_EQ(typed,
                  accepted ? std::optional<QString>(QStringLiteral("holiday")) : std::nullopt)
            << "accepted " << accepted;
    }
}

} // namespace
} // namespace lumadex
