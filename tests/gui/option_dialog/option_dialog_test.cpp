#include "core/store/scoped_settings_home.h"
#include "option_dialog/TOption.h"
#include "option_dialog/option_radio_group.h"
#include "store/database_header.h"
#include "support/files.h"
#include "support/scripted_questions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

// Brings the control's page to the front and clicks the control's box, as a user would.
void ClickControl(TOption& dialog, QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QWidget* page = button;
    while (page != nullptr && dialog.PageControl1->indexOf(page) < 0)
        page = page->parentWidget();
    if (page != nullptr)
        dialog.PageControl1->setCurrentWidget(page);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The value an option's control shows, read the way its kind holds it.
int ShownValue(const TOption& dialog, OptionId id) {
    QWidget* control = dialog.ControlOf(id);
    switch (RowOf(id).kind) {
    case OptionKind::CheckBox:
    case OptionKind::RadioButton:
        return static_cast<QAbstractButton*>(control)->isChecked() ? 1 : 0;
    case OptionKind::TrackBar:
        return static_cast<QSlider*>(control)->value();
    case OptionKind::RadioGroup:
        return static_cast<OptionRadioGroup*>(control)->ItemIndex();
    case OptionKind::NumberEdit:
        return static_cast<QLineEdit*>(control)->text().toInt();
    }
    return -1;
}

// Every option's control shows the model's value.
void ExpectShown(const TOption& dialog, const OptionModel& model) {
    for (const OptionRow& row : OptionRows())
        EXPECT_EQ(ShownValue(dialog, row.id), model.value(row.id)) << row.name;
}

class OptionDialog : public ::testing::Test {
protected:
    test::ScopedSettingsHome home;
    OptionModel model;
    test::ScriptedQuestions questions;
    TOption dialog{model, questions};
};

TEST_F(OptionDialog, ControlsShowTheModelAndTheUnofferedOnesAreHidden) {
    dialog.show();
    ExpectShown(dialog, OptionModel());
    EXPECT_FALSE(dialog.PageControl1->isTabVisible(dialog.PageControl1->indexOf(dialog.Memo)));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             dialog.TargetListDragDrop, dialog.HistoryCount, dialog.GroupBoxSlideShow})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();

    // A model changed elsewhere is shown with its enabling and labels, as no user change.
    ASSERT_TRUE(model.setValue(OptionId::DoubleCheck, 0));
    ASSERT_TRUE(model.setValue(OptionId::CheckBoxSameSizeOnly, 1));
    ASSERT_TRUE(model.setValue(OptionId::bySimilarity, 1));
    ASSERT_TRUE(model.setValue(OptionId::TrackBar2, 10));
    dialog.ShowOptions();
    ExpectShown(dialog, model);
    EXPECT_EQ(dialog.TrackBar1->maximum(), 4);
    EXPECT_TRUE(dialog.TrackBarSizeRange->isEnabled());
    EXPECT_EQ(dialog.LabelInterval->text(), "15 Sec.");
    EXPECT_FALSE(dialog.changed);
    EXPECT_FALSE(dialog.searchChanged);
}

TEST_F(OptionDialog, ControlsSetTheModelTheirLabelsAndTheFlags) {
    dialog.show();
    // Clicking the radio button already checked changes nothing.
    ClickControl(dialog, dialog.byName);
    EXPECT_FALSE(dialog.changed);
    ClickControl(dialog, dialog.OverWrite);
    EXPECT_EQ(model.value(OptionId::Ask), 0);
    EXPECT_TRUE(dialog.changed);
    dialog.TrackBar2->setValue(29);
    EXPECT_EQ(dialog.LabelInterval->text(), "1 Hour");
    EXPECT_EQ(model.value(OptionId::TrackBar2), 29);
    dialog.JpegQuality->setValue(40);
    EXPECT_EQ(dialog.LabelQual->text(), "40");
    ClickControl(dialog, dialog.Compress->Item(3));
    EXPECT_EQ(model.value(OptionId::Compress), 3);
    EXPECT_FALSE(dialog.searchChanged);
    ClickControl(dialog, dialog.NotStrict);
    EXPECT_TRUE(dialog.searchChanged);

    // Double Check disables its track bar and narrows the looseness range to 0..4.
    dialog.TrackBar1->setValue(12);
    ClickControl(dialog, dialog.DoubleCheck);
    EXPECT_FALSE(dialog.TrackBar3->isEnabled());
    EXPECT_EQ(dialog.TrackBar1->maximum(), 4);
    EXPECT_EQ(model.value(OptionId::TrackBar1), 4);

    ClickControl(dialog, dialog.DoubleCheck);
    EXPECT_TRUE(dialog.TrackBar3->isEnabled());
    EXPECT_EQ(dialog.TrackBar1->maximum(), 15);
}

// Ok keeping the changes, and the window's menus and sort order going back with Cancel, are
// the application's test.
TEST_F(OptionDialog, CancelRestoresTheOptionsAsTheDialogOpened) {
    // A search made outdated before the dialog opened stays outdated after Cancel.
    ASSERT_TRUE(model.setValue(OptionId::TrackBar1, 3));
    ASSERT_TRUE(model.searchChanged());
    dialog.changed = true;
    const OptionModel opened = model;
    QTimer::singleShot(0, &dialog, [this] {
        EXPECT_FALSE(dialog.changed);
        ClickControl(dialog, dialog.RadioButtonbySize);
        ClickControl(dialog, dialog.DoubleCheck);
        dialog.JpegQuality->setValue(90);
        EXPECT_TRUE(dialog.changed);
        QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(model == opened);
    EXPECT_TRUE(model.searchChanged());
    ExpectShown(dialog, opened);
    EXPECT_EQ(dialog.LabelQual->text(), "75");
    EXPECT_FALSE(dialog.changed);
}

// Sends the mouse's arrival on a control.
void Enter(QWidget& control) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&control, &enter);
}

TEST_F(OptionDialog, EveryOptionControlShowsItsLongHintWhileJapaneseIsChosen) {
    dialog.show();
    QSignalSpy hints(&dialog, &TOption::LongHintShown);
    for (const OptionRow& row : OptionRows()) {
        Enter(*dialog.ControlOf(row.id));
        ASSERT_EQ(hints.count(), 1) << row.name;
        const QString hint = hints.takeFirst().at(0).toString();
        EXPECT_FALSE(hint.isEmpty()) << row.name;
        EXPECT_FALSE(hint.contains(QLatin1Char('|'))) << row.name;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(dialog.ControlOf(row.id), &leave);
        ASSERT_EQ(hints.count(), 1) << row.name;
        EXPECT_TRUE(hints.takeFirst().at(0).toString().isEmpty()) << row.name;
    }

    ClickControl(dialog, dialog.UseJapneseMenu);
    hints.clear();
    Enter(*dialog.TrackBarSizeRange);
    EXPECT_TRUE(hints.isEmpty());
}

// The file's rules are the store's; here the dialog saves and loads it, and reports a failed
// write and an old format.
TEST_F(OptionDialog, LoadDefaultRestoresWhatSetDefaultSavedAndFileProblemsAreReported) {
    dialog.show();
    EXPECT_FALSE(dialog.LoadDefault->isEnabled());
    const QString file = QDir(home.path()).filePath("default.lx2");
    ASSERT_TRUE(QDir().mkdir(file));
    questions.answers.push_back(Answer::Ok);
    QTest::mouseClick(dialog.SetDefault, Qt::LeftButton);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, "Can't open default.lx2");
    EXPECT_EQ(questions.asked[0].caption, "Warning");
    ASSERT_TRUE(QDir().rmdir(file));

    ClickControl(dialog, dialog.UseJapneseMenu);
    ClickControl(dialog, dialog.RadioButtonbyDate);
    dialog.JpegQuality->setValue(40);
    QTest::mouseClick(dialog.SetDefault, Qt::LeftButton);
    EXPECT_TRUE(dialog.LoadDefault->isEnabled());
    // Everything back to the creation defaults, except an option kept outside the file.
    model = OptionModel();
    ASSERT_TRUE(model.setValue(OptionId::HistoryCount, 9));
    dialog.ShowOptions();
    dialog.changed = false;
    QSignalSpy languages(&dialog, &TOption::MenuLanguageChosen);
    QTest::mouseClick(dialog.LoadDefault, Qt::LeftButton);
    EXPECT_EQ(model.value(OptionId::JpegQuality), 40);
    ExpectShown(dialog, model);
    EXPECT_EQ(model.value(OptionId::HistoryCount), 9);
    EXPECT_EQ(dialog.LabelQual->text(), "40");
    EXPECT_TRUE(dialog.changed);
    ASSERT_EQ(languages.count(), 1);
    EXPECT_FALSE(languages.at(0).at(0).toBool());

    OptionModel written;
    ASSERT_TRUE(written.setValue(OptionId::ConfirmDelete, 0));
    DatabaseHeader header = BuildDatabaseHeader(written, -1, 0);
    header[5] = '4'; // the last digit of the format version
    test::WriteFile(
        file, QByteArray(reinterpret_cast<const char*>(header.data()), qsizetype(header.size())));
    QSignalSpy statusTexts(&dialog, &TOption::StatusText);
    QTest::mouseClick(dialog.LoadDefault, Qt::LeftButton);
    ASSERT_EQ(statusTexts.count(), 1);
    EXPECT_EQ(statusTexts.at(0).at(0).toString(),
              "Read OLD 'default.lx?'. Some options may be not set.");
    EXPECT_FALSE(dialog.ConfirmDelete->isChecked());
}

} // namespace
} // namespace lumadex
