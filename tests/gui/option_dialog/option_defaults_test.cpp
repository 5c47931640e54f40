#include "core/store/scoped_settings_home.h"
#include "gui/option_dialog/option_test_support.h"
#include "option_dialog/TOption.h"
#include "store/database_header.h"
#include "store/default_options_file.h"
#include "support/scripted_questions.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace lumadex {
namespace {

using test::ClickControl;
using test::ShownValue;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A defaults file of the given format version holding the options.
QByteArray HeaderOfVersion(const OptionModel& options, char lastVersionDigit) {
    DatabaseHeader header = BuildDatabaseHeader(options, -1, 0);
    header[5] = std::uint8_t(lastVersionDigit);
    return QByteArray(reinterpret_cast<const char*>(header.data()), qsizetype(header.size()));
}

class OptionDefaults : public ::testing::Test {
protected:
    QString pathOf(const char* name) const { return QDir(home.path()).filePath(name); }

    test::ScopedSettingsHome home;
    OptionModel model;
    test::ScriptedQuestions questions;
    TOption dialog{model, questions};
};

TEST_F(OptionDefaults, LoadDefaultRestoresWhatSetDefaultSaved) {
    dialog.show();
    EXPECT_FALSE(dialog.LoadDefault->isEnabled());
    ClickControl(dialog, dialog.UseJapneseMenu);
    ClickControl(dialog, dialog.RadioButtonbyDate);
    ClickControl(dialog, dialog.Skip);
    ClickControl(dialog, dialog.CheckBoxSameSizeOnly);
    dialog.TrackBar1->setValue(11);
    dialog.TrackBarSizeRange->setValue(6);
    dialog.JpegQuality->setValue(40);
    ClickControl(dialog, dialog.Compress->Item(3));
    const OptionModel saved = model;

    QTest::mouseClick(dialog.SetDefault, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(pathOf("default.lx2")));
    EXPECT_TRUE(dialog.LoadDefault->isEnabled());
    EXPECT_TRUE(questions.asked.empty());

    // Everything back to the creation defaults, except the options kept outside the file.
    model = OptionModel();
    ASSERT_TRUE(model.setValue(OptionId::HistoryCount, 9));
    ASSERT_TRUE(model.setValue(OptionId::AutoRenameAtMerge, 1));
    dialog.ShowOptions();
    dialog.changed = false;
    dialog.searchChanged = false;
    QSignalSpy languages(&dialog, &TOption::MenuLanguageChosen);
    QSignalSpy sortOrders(&dialog, &TOption::SortOrderChosen);
    QSignalSpy statusTexts(&dialog, &TOption::StatusText);

    QTest::mouseClick(dialog.LoadDefault, Qt::LeftButton);
    for (const OptionRow& row : OptionRows()) {
        if (row.encoding == HeaderEncoding::NotStored)
            continue;
        EXPECT_EQ(model.value(row.id), saved.value(row.id)) << row.name;
        EXPECT_EQ(ShownValue(dialog, row.id), saved.value(row.id)) << row.name;
    }
    EXPECT_EQ(model.value(OptionId::HistoryCount), 9);
    EXPECT_EQ(model.value(OptionId::AutoRenameAtMerge), 1);
    EXPECT_EQ(dialog.LabelQual->text(), "40");
    EXPECT_TRUE(dialog.TrackBarSizeRange->isEnabled());
    EXPECT_TRUE(dialog.changed);
    EXPECT_TRUE(dialog.searchChanged);
    ASSERT_EQ(languages.count(), 1);
    EXPECT_FALSE(languages.at(0).at(0).toBool());
    ASSERT_EQ(sortOrders.count(), 1);
    EXPECT_EQ(sortOrders.at(0).at(0).toInt(), 2);
    EXPECT_TRUE(statusTexts.isEmpty());
}

TEST_F(OptionDefaults, OldFormatDefaultsApplyWithAWarningText) {
    const struct {
        const char* fileName;
        bool fromButton;
    } rows[] = {{"default.lxb", false}, {"default.lx2", true}};
    for (const auto& row : rows) {
        test::ScopedSettingsHome rowHome;
        OptionModel written;
        ASSERT_TRUE(written.setValue(OptionId::UseJapneseMenu, 0));
        ASSERT_TRUE(written.setValue(OptionId::ConfirmDelete, 0));
        WriteFile(QDir(rowHome.path()).filePath(row.fileName), HeaderOfVersion(written, '4'));
        OptionModel options;
        test::ScriptedQuestions noQuestions;
        TOption fresh(options, noQuestions);
        fresh.show();
        QSignalSpy statusTexts(&fresh, &TOption::StatusText);
        QSignalSpy languages(&fresh, &TOption::MenuLanguageChosen);

        if (row.fromButton)
            QTest::mouseClick(fresh.LoadDefault, Qt::LeftButton);
        else
            fresh.LoadStartDefaults();
        ASSERT_EQ(statusTexts.count(), 1) << row.fileName;
        EXPECT_EQ(statusTexts.at(0).at(0).toString(),
                  "Read OLD 'default.lx?'. Some options may be not set.")
            << row.fileName;
        EXPECT_FALSE(options.isChecked(OptionId::ConfirmDelete)) << row.fileName;
        EXPECT_FALSE(fresh.ConfirmDelete->isChecked()) << row.fileName;
        ASSERT_EQ(languages.count(), 1) << row.fileName;
        EXPECT_FALSE(languages.at(0).at(0).toBool()) << row.fileName;
        EXPECT_EQ(fresh.changed, row.fromButton) << row.fileName;
    }
}

TEST_F(OptionDefaults, StartWithoutDefaultsKeepsTheOptionsAndAnnouncesTheirLanguage) {
    QSignalSpy languages(&dialog, &TOption::MenuLanguageChosen);
    QSignalSpy sortOrders(&dialog, &TOption::SortOrderChosen);
    dialog.LoadStartDefaults();
    EXPECT_TRUE(model == OptionModel());
    ASSERT_EQ(languages.count(), 1);
    EXPECT_TRUE(languages.at(0).at(0).toBool());
    EXPECT_TRUE(sortOrders.isEmpty());
    EXPECT_FALSE(dialog.changed);
}

TEST_F(OptionDefaults, ADefaultsFileThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(QDir(home.path()).mkdir("default.lx2"));
    questions.answers.push_back(Answer::Ok);
    dialog.show();
    QTest::mouseClick(dialog.SetDefault, Qt::LeftButton);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, "Can't open default.lx2");
    EXPECT_EQ(questions.asked[0].caption, "Warning");
}

} // namespace
} // namespace lumadex
