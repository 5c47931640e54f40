#include "store/database_header.h"
#include "store/default_options_file.h"
#include "options/option_model.h"
#include "core/store/scoped_settings_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using enum OptionId;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray HeaderBytes(const DatabaseHeader& header) {
    return QByteArray(reinterpret_cast<const char*>(header.data()), qsizetype(header.size()));
}

// A header of the given version, built from options and relabelled.
QByteArray HeaderOfVersion(const OptionModel& options, char lastDigit) {
    DatabaseHeader header = BuildDatabaseHeader(options, -1, 0);
    header[5] = std::uint8_t(lastDigit);
    return HeaderBytes(header);
}

class DefaultOptionsFile : public ::testing::Test {
protected:
    QString pathOf(const char* name) const { return QDir(folder).filePath(name); }

    test::ScopedSettingsHome home;
    QString folder = ProgramFolder();
};

TEST_F(DefaultOptionsFile, SetDefaultThenLoadDefaultRestoresStoredOptions) {
    OptionModel saved;
    for (const auto& [id, value] : {std::pair{UseJapneseMenu, 0},
                                    {NotCare, 1},
                                    {TrackBar1, 11},
                                    {TrackBar3, 0},
                                    {RadioButtonbyDate, 1},
                                    {JpegQuality, 40},
                                    {GrayScale, 1},
                                    {Compress, 3},
                                    {HistoryCount, 9},
                                    {AutoRenameAtMerge, 1},
                                    {DeleteEmptyFolderafterFileMove, 1}})
        ASSERT_TRUE(saved.setValue(id, value));
    EXPECT_FALSE(HasDefaultOptionsFile(folder));
    WriteFile(pathOf("default.lx2"), QByteArray(500, 'x'));
    ASSERT_TRUE(SaveDefaultOptions(folder, saved));
    EXPECT_TRUE(HasDefaultOptionsFile(folder));
    EXPECT_EQ(ReadFile(pathOf("default.lx2")), HeaderBytes(BuildDatabaseHeader(saved, -1, 0)));

    OptionModel loaded;
    const LoadDefaultOptionsResult result = LoadDefaultOptions(folder, loaded);
    EXPECT_EQ(result.source, DefaultOptionsSource::CurrentName);
    EXPECT_TRUE(result.applied);
    EXPECT_EQ(result.statusText(), QString());

    OptionModel expected = saved;
    expected.setValue(HistoryCount, 20);
    expected.setValue(AutoRenameAtMerge, 0);
    EXPECT_EQ(loaded, expected) << "everything but HistoryCount and AutoRenameAtMerge";
}

TEST_F(DefaultOptionsFile, OlderNameIsReadWhenTheCurrentOneIsMissing) {
    struct Case {
        char versionDigit;
        QString status;
    };
    const Case cases[] = {{'4', "Read OLD 'default.lx?'. Some options may be not set."}, {'8', ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.versionDigit);
        OptionModel stored;
        stored.setValue(ConfirmClear, 0);
        WriteFile(pathOf("default.lxb"), HeaderOfVersion(stored, c.versionDigit));

        OptionModel loaded;
        const LoadDefaultOptionsResult result = LoadDefaultOptions(folder, loaded);
        EXPECT_EQ(result.source, DefaultOptionsSource::OlderName);
        EXPECT_TRUE(result.applied);
        EXPECT_EQ(result.statusText(), c.status);
        EXPECT_FALSE(loaded.isChecked(ConfirmClear));
        EXPECT_FALSE(HasDefaultOptionsFile(folder)) << "the button follows the current name";
    }
}

TEST_F(DefaultOptionsFile, CurrentNameWinsOverTheOlderOne) {
    OptionModel current;
    current.setValue(SmartSort, 1);
    OptionModel older;
    older.setValue(FixedSize, 1);
    ASSERT_TRUE(SaveDefaultOptions(folder, current));
    WriteFile(pathOf("default.lxb"), HeaderOfVersion(older, '3'));

    OptionModel loaded;
    const LoadDefaultOptionsResult result = LoadDefaultOptions(folder, loaded);
    EXPECT_EQ(result.source, DefaultOptionsSource::CurrentName);
    EXPECT_FALSE(result.oldFormat);
    EXPECT_TRUE(loaded.isChecked(SmartSort));
    EXPECT_FALSE(loaded.isChecked(FixedSize));
}

TEST_F(DefaultOptionsFile, MissingOrBrokenFilesLeaveTheOptionsAlone) {
    OptionModel options;
    options.setValue(Skip, 1);
    const OptionModel before = options;

    LoadDefaultOptionsResult result = LoadDefaultOptions(folder, options);
    EXPECT_EQ(result.source, DefaultOptionsSource::None);
    EXPECT_FALSE(result.applied);
    EXPECT_EQ(options, before);

    const QByteArray broken[] = {QByteArray("LXA008") + QByteArray(122, '\0'),
                                 HeaderOfVersion(OptionModel(), '8').left(100), QByteArray()};
    for (const QByteArray& bytes : broken) {
        WriteFile(pathOf("default.lx2"), bytes);
        result = LoadDefaultOptions(folder, options);
        EXPECT_EQ(result.source, DefaultOptionsSource::CurrentName);
        EXPECT_FALSE(result.applied) << bytes.size() << " bytes";
        EXPECT_EQ(options, before);
    }
}

TEST_F(DefaultOptionsFile, FailedSetDefaultIsReported) {
    const QString notAFolder = pathOf("plain-file");
    WriteFile(notAFolder, "x");
    EXPECT_FALSE(SaveDefaultOptions(notAFolder, OptionModel()));
    EXPECT_STREQ(kCantOpenDefaultOptionsMessage, "Can't open default.lx2");
}

} // namespace
} // namespace lumadex
