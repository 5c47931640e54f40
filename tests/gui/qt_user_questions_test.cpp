#include "app/qt_user_questions.h"

#include <QApplication>
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
    } rows[] = {
        {QMessageBox::Yes, MessageButtons::YesNoCancel, Answer::Yes},
        {QMessageBox::No, MessageButtons::YesNoCancel, Answer::No},
        {QMessageBox::Cancel, MessageButtons::YesNoCancel, Answer::Cancel},
        {QMessageBox::No, MessageButtons::YesNo, Answer::No},
        {QMessageBox::Ok, MessageButtons::Ok, Answer::Ok},
    };
    for (const auto& row : rows) {
        PressWhenShown(row.pressed);
        EXPECT_EQ(questions.Ask("Data changed.Save?", "[New]", row.buttons, MessageIcon::Question),
                  row.expected)
            << "button " << int(row.pressed);
    }
}

} // namespace
} // namespace lumadex
