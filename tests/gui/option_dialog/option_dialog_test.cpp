#include "gui/option_dialog/option_test_support.h"
#include "option_dialog/TOption.h"
#include "option_dialog/option_radio_group.h"
#include "support/scripted_questions.h"

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

namespace lumadex {
namespace {

using test::ClickControl;
using test::ClickNamed;
using test::NameOf;
using test::ShownValue;

class OptionDialog : public ::testing::Test {
protected:
    OptionModel model;
    test::ScriptedQuestions questions;
    TOption dialog{model, questions};
};

TEST_F(OptionDialog, FreshModelShowsEveryDefaultAndHidesTheUnofferedControls) {
    dialog.show();
    for (const OptionRow& row : OptionRows()) {
        QWidget* control = dialog.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control, dialog.ControlOf(row.id)) << row.name;
        EXPECT_EQ(ShownValue(dialog, row.id), row.defaultValue) << row.name;
    }
    EXPECT_EQ(dialog.LabelInterval->text(), "2 Sec.");
    EXPECT_EQ(dialog.LabelQual->text(), "75");
    EXPECT_EQ(dialog.TrackBar1->maximum(), 15);
    EXPECT_FALSE(dialog.TrackBarSizeRange->isEnabled());
    EXPECT_TRUE(dialog.SameDriveOnly->isEnabled());
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.TabSheet1);
    EXPECT_FALSE(dialog.PageControl1->isTabVisible(dialog.PageControl1->indexOf(dialog.Memo)));
    for (QWidget* hidden : {static_cast<QWidget*>(dialog.TargetListDragDrop),
                            static_cast<QWidget*>(dialog.HistoryCount),
                            static_cast<QWidget*>(dialog.AutoRenameAtMerge),
                            static_cast<QWidget*>(dialog.GroupBoxSlideShow)})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_FALSE(dialog.changed);
    EXPECT_FALSE(dialog.searchChanged);
}

TEST_F(OptionDialog, ClickingAControlSetsTheModelAndTheFlags) {
    const struct {
        const char* control;
        OptionId option;
        int valueAfter;
        bool changed;
        bool searchChanged;
    } rows[] = {
        {"AutoViewLeft", OptionId::AutoViewLeft, 0, true, false},
        {"ShoePathName", OptionId::ShoePathName, 1, true, false},
        {"NotStrict", OptionId::NotStrict, 0, true, true},
        {"DoubleCheck", OptionId::DoubleCheck, 0, true, true},
        {"ShowreferenceinTarget", OptionId::ShowreferenceinTarget, 1, true, true},
        {"CheckBoxSameSizeOnly", OptionId::CheckBoxSameSizeOnly, 1, true, true},
        // Skipping the reference's folder changes which pictures are found.
        {"ExcludeSameFolder", OptionId::ExcludeSameFolder, 1, true, true},
        {"OverWrite", OptionId::Ask, 0, true, false},
        {"NotCare", OptionId::DontAdd, 0, true, false},
        // Stored options that must reach the database file when it is saved.
        {"SameDriveOnly", OptionId::SameDriveOnly, 1, true, false},
        {"NotUpdateListatAction", OptionId::NotUpdateListatAction, 0, true, false},
        {"DeleteEmptyFolderafterFileMove", OptionId::DeleteEmptyFolderafterFileMove, 1, true,
         false},
        {"GrayScale", OptionId::GrayScale, 1, true, false},
        // Clicking the button already checked changes nothing.
        {"Ask", OptionId::Ask, 1, false, false},
        {"byName", OptionId::byName, 1, false, false},
    };
    for (const auto& row : rows) {
        OptionModel options;
        test::ScriptedQuestions noQuestions;
        TOption fresh(options, noQuestions);
        fresh.show();
        ClickNamed(fresh, row.control);
        EXPECT_EQ(options.value(row.option), row.valueAfter) << row.control;
        EXPECT_EQ(ShownValue(fresh, row.option), row.valueAfter) << row.control;
        EXPECT_EQ(fresh.changed, row.changed) << row.control;
        EXPECT_EQ(fresh.searchChanged, row.searchChanged) << row.control;
    }
}

TEST_F(OptionDialog, TrackBarsAndItemGroupsSetTheModelAndTheirLabels) {
    dialog.show();
    dialog.TrackBar2->setValue(19);
    EXPECT_EQ(dialog.LabelInterval->text(), "1 Min.");
    dialog.TrackBar2->setValue(29);
    EXPECT_EQ(dialog.LabelInterval->text(), "1 Hour");
    EXPECT_EQ(model.value(OptionId::TrackBar2), 29);
    EXPECT_TRUE(dialog.changed);
    EXPECT_FALSE(dialog.searchChanged);

    dialog.JpegQuality->setValue(40);
    EXPECT_EQ(dialog.LabelQual->text(), "40");
    EXPECT_EQ(model.value(OptionId::JpegQuality), 40);

    ClickControl(dialog, dialog.Compress->Item(3));
    EXPECT_EQ(model.value(OptionId::Compress), 3);
    EXPECT_FALSE(dialog.searchChanged);

    dialog.TrackBar3->setValue(4);
    EXPECT_EQ(model.value(OptionId::TrackBar3), 4);
    EXPECT_TRUE(dialog.searchChanged);
}

TEST_F(OptionDialog, EachCheckBoxEnablesItsDependentControl) {
    dialog.show();
    const struct {
        QAbstractButton* enabler;
        QWidget* dependent;
    } rows[] = {
        {dialog.NotStrict, dialog.TrackBar1},
        {dialog.DoubleCheck, dialog.TrackBar3},
        {dialog.CheckBoxSameSizeOnly, dialog.TrackBarSizeRange},
        {dialog.TrackMoveCopy, dialog.SameDriveOnly},
    };
    for (const auto& row : rows) {
        const std::string name = row.enabler->objectName().toStdString();
        EXPECT_EQ(row.dependent->isEnabled(), row.enabler->isChecked()) << name;
        ClickControl(dialog, row.enabler);
        EXPECT_EQ(row.dependent->isEnabled(), row.enabler->isChecked()) << name << " clicked";
        ClickControl(dialog, row.enabler);
        EXPECT_EQ(row.dependent->isEnabled(), row.enabler->isChecked()) << name << " again";
    }
}

TEST_F(OptionDialog, LoosenessIsLimitedToFourWhileDoubleCheckIsOff) {
    dialog.show();
    dialog.TrackBar1->setValue(12);
    ASSERT_EQ(model.value(OptionId::TrackBar1), 12);

    ClickControl(dialog, dialog.DoubleCheck);
    EXPECT_EQ(dialog.TrackBar1->maximum(), 4);
    EXPECT_EQ(dialog.TrackBar1->value(), 4);
    EXPECT_EQ(model.value(OptionId::TrackBar1), 4);
    dialog.TrackBar1->setValue(9);
    EXPECT_EQ(model.value(OptionId::TrackBar1), 4);

    ClickControl(dialog, dialog.DoubleCheck);
    EXPECT_EQ(dialog.TrackBar1->maximum(), 15);
    EXPECT_EQ(dialog.TrackBar1->value(), 4);
    dialog.TrackBar1->setValue(15);
    EXPECT_EQ(model.value(OptionId::TrackBar1), 15);
}

TEST_F(OptionDialog, ShowOptionsFollowsAModelChangedElsewhere) {
    ASSERT_TRUE(model.setValue(OptionId::DoubleCheck, 0));
    ASSERT_TRUE(model.setValue(OptionId::CheckBoxSameSizeOnly, 1));
    ASSERT_TRUE(model.setValue(OptionId::bySimilarity, 1));
    ASSERT_TRUE(model.setValue(OptionId::Compress, 0));
    ASSERT_TRUE(model.setValue(OptionId::TrackBar2, 10));
    dialog.ShowOptions();
    for (const OptionRow& row : OptionRows())
        EXPECT_EQ(ShownValue(dialog, row.id), model.value(row.id)) << row.name;
    EXPECT_EQ(dialog.TrackBar1->maximum(), 4);
    EXPECT_FALSE(dialog.TrackBar3->isEnabled());
    EXPECT_TRUE(dialog.TrackBarSizeRange->isEnabled());
    EXPECT_EQ(dialog.LabelInterval->text(), "15 Sec.");
    EXPECT_FALSE(dialog.changed);
}

TEST_F(OptionDialog, SortButtonsChooseTheSortComboItem) {
    dialog.show();
    QSignalSpy sortOrders(&dialog, &TOption::SortOrderChosen);
    const struct {
        QRadioButton* button;
        int comboIndex;
    } rows[] = {{dialog.bySimilarity, 4},
                {dialog.RadioButtonbySize, 3},
                {dialog.RadioButtonbyDate, 2},
                {dialog.byPathname, 1},
                {dialog.byName, 0}};
    for (const auto& row : rows) {
        const std::string name = row.button->objectName().toStdString();
        ClickControl(dialog, row.button);
        ASSERT_FALSE(sortOrders.isEmpty()) << name;
        EXPECT_EQ(sortOrders.takeLast().at(0).toInt(), row.comboIndex) << name;
        EXPECT_EQ(model.choice(RadioChoice::Sortby), row.comboIndex) << name;
    }
    ClickControl(dialog, dialog.byName);
    EXPECT_TRUE(sortOrders.isEmpty());
}

TEST_F(OptionDialog, CancelRestoresTheOptionsAsTheDialogOpened) {
    // A search made outdated before the dialog opened stays outdated after Cancel.
    ASSERT_TRUE(model.setValue(OptionId::TrackBar1, 3));
    ASSERT_TRUE(model.searchChanged());
    const OptionModel opened = model;
    QSignalSpy languages(&dialog, &TOption::MenuLanguageChosen);
    QSignalSpy sortOrders(&dialog, &TOption::SortOrderChosen);
    dialog.show();
    ClickControl(dialog, dialog.UseJapneseMenu);
    ASSERT_EQ(languages.count(), 1);
    EXPECT_FALSE(languages.at(0).at(0).toBool());
    ClickControl(dialog, dialog.RadioButtonbySize);
    ClickControl(dialog, dialog.DoubleCheck);
    dialog.JpegQuality->setValue(90);
    ASSERT_TRUE(dialog.changed);

    QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(model == opened);
    EXPECT_TRUE(model.searchChanged());
    for (const OptionRow& row : OptionRows())
        EXPECT_EQ(ShownValue(dialog, row.id), opened.value(row.id)) << row.name;
    EXPECT_EQ(dialog.LabelQual->text(), "75");
    EXPECT_FALSE(dialog.changed);
    EXPECT_FALSE(dialog.searchChanged);
    // The menus and the sort combo go back with the options.
    ASSERT_EQ(languages.count(), 2);
    EXPECT_TRUE(languages.last().at(0).toBool());
    ASSERT_EQ(sortOrders.count(), 2);
    EXPECT_EQ(sortOrders.last().at(0).toInt(), 0);
}

TEST_F(OptionDialog, ExecReturnsWithTheButtonPressed) {
    const struct {
        QPushButton* button;
        int result;
        bool keeps;
    } rows[] = {{dialog.OkButton, QDialog::Accepted, true},
                {dialog.CancelButton, QDialog::Rejected, false}};
    for (const auto& row : rows) {
        const std::string name = row.button->objectName().toStdString();
        const bool smartSortBefore = model.isChecked(OptionId::SmartSort);
        QTimer::singleShot(0, &dialog, [&] {
            ClickControl(dialog, dialog.SmartSort);
            QTest::mouseClick(row.button, Qt::LeftButton);
        });
        EXPECT_EQ(dialog.exec(), row.result) << name;
        const bool expected = row.keeps ? !smartSortBefore : smartSortBefore;
        EXPECT_EQ(model.isChecked(OptionId::SmartSort), expected) << name;
        EXPECT_EQ(dialog.changed, row.keeps) << name;
    }
}

TEST_F(OptionDialog, ReopeningClearsChangedAndCancelGoesBackToTheNewOpening) {
    dialog.show();
    ClickControl(dialog, dialog.FixedSize);
    dialog.accept();
    ASSERT_TRUE(dialog.changed);
    dialog.show();
    EXPECT_FALSE(dialog.changed);
    ClickControl(dialog, dialog.FixedPosition);
    dialog.reject();
    EXPECT_TRUE(model.isChecked(OptionId::FixedSize));
    EXPECT_FALSE(model.isChecked(OptionId::FixedPosition));
}

// Sends the mouse's arrival on a control and its leaving.
void Hover(QWidget& control, QEvent::Type type) {
    if (type == QEvent::Enter) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&control, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&control, &leave);
    }
}

TEST_F(OptionDialog, EveryOptionControlShowsItsLongHintWhileJapaneseIsChosen) {
    dialog.show();
    QSignalSpy hints(&dialog, &TOption::LongHintShown);
    for (const OptionRow& row : OptionRows()) {
        Hover(*dialog.ControlOf(row.id), QEvent::Enter);
        ASSERT_EQ(hints.count(), 1) << row.name;
        const QString hint = hints.takeFirst().at(0).toString();
        EXPECT_FALSE(hint.isEmpty()) << row.name;
        EXPECT_FALSE(hint.contains(QLatin1Char('|'))) << row.name;
        Hover(*dialog.ControlOf(row.id), QEvent::Leave);
        ASSERT_EQ(hints.count(), 1) << row.name;
        EXPECT_TRUE(hints.takeFirst().at(0).toString().isEmpty()) << row.name;
    }
    EXPECT_EQ(dialog.TrackBarSizeRange->toolTip(), "The leftmost position means the same size");

    ClickControl(dialog, dialog.UseJapneseMenu);
    hints.clear();
    Hover(*dialog.TrackBarSizeRange, QEvent::Enter);
    EXPECT_TRUE(hints.isEmpty());
}

} // namespace
} // namespace lumadex
