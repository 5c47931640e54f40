#include "main/qt_user_questions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace lumadex {
namespace {

QMessageBox::Icon IconFor(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

Answer AnswerFor(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setNameFilters(request.nameFilters);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

FileChoice Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {FileChoiceStatus::Cancelled, {}};
    return {FileChoiceStatus::Chosen, dialog.selectedFiles().constFirst()};
}

} // namespace

Answer QtUserQuestions::Ask(const QString& text, const QString& caption, MessageButtons buttons,
                            MessageIcon icon) {
    QMessageBox box(IconFor(icon), caption, text, ButtonsFor(buttons), parent_);
    return AnswerFor(box.exec());
}

std::optional<QString> QtUserQuestions::AskText(const QString& caption, const QString& prompt) {
    QInputDialog input(parent_);
    input.setObjectName(QStringLiteral("TextInput"));
    input.setWindowTitle(caption);
    input.setLabelText(prompt);
    if (input.exec() != QDialog::Accepted)
        return std::nullopt;
    return input.textValue();
}

FileChoice QtUserQuestions::ChooseFileToOpen(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Prepare(dialog, request);
    return Run(dialog);
}

FileChoice QtUserQuestions::ChooseFileToSave(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog, request);
    return Run(dialog);
}

} // namespace lumadex
