#include "core/store/scoped_settings_home.h"
#include "options/option_model.h"
#include "store/database_header.h"
#include "store/default_options_file.h"
#include "support/files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using enum OptionId;

// The header built from options, relabelled with the given last version digit.
QByteArray HeaderOfVersion(const OptionModel& options, char lastDigit = '8') {
    DatabaseHeader header = BuildDatabaseHeader(options, -1, 0);
    header[5] = std::uint8_t(lastDigit);
    return QByteArray(reinterpret_cast<const char*>(header.data()), qsizetype(header.size()));
}

class DefaultOptionsFile : public ::testing::Test {
protected:
    QString pathOf(const char* name) const { return QDir(folder).filePath(name); }

    test::ScopedSettingsHome home;
    QString folder = ProgramFolder();
};

TEST_F(DefaultOptionsFile, SetDefaultThenLoadDefaultRestoresStoredOptions) {
    OptionModel saved;
    ASSERT_TRUE(saved.setValue(NotCare, 1));
    ASSERT_TRUE(saved.setValue(TrackBar1, 11));
    ASSERT_TRUE(saved.setValue(HistoryCount, 9));
    ASSERT_TRUE(saved.setValue(AutoRenameAtMerge, 1));
    EXPECT_FALSE(HasDefaultOptionsFile(folder));
    test::WriteFile(pathOf("default.lx2"), QByteArray(500, 'x'));
    ASSERT_TRUE(SaveDefaultOptions(folder, saved));
    EXPECT_TRUE(HasDefaultOptionsFile(folder));
    EXPECT_EQ(test::ReadFile(pathOf("default.lx2")), HeaderOfVersion(saved));

    OptionModel loaded;
    const LoadDefaultOptionsResult result = LoadDefaultOptions(folder, loaded);
    EXPECT_EQ(result.source, DefaultOptionsSource::CurrentName);
    OptionModel expected = saved;
    expected.setValue(HistoryCount, 20);
    expected.setValue(AutoRenameAtMerge, 0);
    EXPECT_EQ(loaded, expected) << "everything but HistoryCount and AutoRenameAtMerge";
}

TEST_F(DefaultOptionsFile, OlderNameIsReadWhenTheCurrentOneIsMissing) {
    OptionModel stored;
    stored.setValue(ConfirmClear, 0);
    test::WriteFile(pathOf("default.lxb"), HeaderOfVersion(stored, '4'));
    OptionModel old;
    const LoadDefaultOptionsResult oldResult = LoadDefaultOptions(folder, old);
    EXPECT_EQ(oldResult.source, DefaultOptionsSource::OlderName);
    EXPECT_EQ(oldResult.statusText(), "Read OLD 'default.lx?'. Some options may be not set.");
    EXPECT_FALSE(old.isChecked(ConfirmClear));
    EXPECT_FALSE(HasDefaultOptionsFile(folder)) << "the button follows the current name";

    OptionModel current;
    current.setValue(SmartSort, 1);
    ASSERT_TRUE(SaveDefaultOptions(folder, current));
    OptionModel loaded;
    const LoadDefaultOptionsResult result = LoadDefaultOptions(folder, loaded);
    EXPECT_EQ(result.source, DefaultOptionsSource::CurrentName) << "the current name wins";
    EXPECT_TRUE(loaded.isChecked(ConfirmClear));
}

TEST_F(DefaultOptionsFile, MissingBrokenOrUnwritableFilesLeaveTheOptionsAlone) {
    OptionModel options;
    options.setValue(Skip, 1);
    const OptionModel before = options;
    EXPECT_EQ(LoadDefaultOptions(folder, options).source, DefaultOptionsSource::None);
    EXPECT_EQ(options, before);

    const QByteArray broken[] = {QByteArray("LXA008") + QByteArray(122, '\0'),
                                 HeaderOfVersion(OptionModel()).left(100)};
    for (const QByteArray& bytes : broken) {
        test::WriteFile(pathOf("default.lx2"), bytes);
        EXPECT_FALSE(LoadDefaultOptions(folder, options).applied) << bytes.size() << " bytes";
        EXPECT_EQ(options, before);
    }

    const QString notAFolder = pathOf("plain-file");
    test::WriteFile(notAFolder, "x");
    EXPECT_FALSE(SaveDefaultOptions(notAFolder, OptionModel()));
    EXPECT_STREQ(kCantOpenDefaultOptionsMessage, "Can't open default.lx2");
}

} // namespace
} // namespace lumadex
