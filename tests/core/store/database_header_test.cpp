#include "options/option_model.h"
#include "store/database_header.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using enum OptionId;

// The header of a model at its creation defaults, written out from the layout table:
// byte 6  AutoViewLeft, AutoViewRight, KeepAspectRatio, AllowRobustOperation,
//         ShowMemoonPreview, UseJapneseMenu                          = 0111 1011
// byte 7  DoubleCheck, NotStrict                                     = 0000 0011
// byte 8  Ask (2), NotUpdateListatAction, TrackMoveCopy, ConfirmDelete = 1110 0010
// byte 9  DontAdd (1); byte 10 ConfirmClear; byte 11 byName (0); byte 12 TrackBar2 1;
// byte 13 WrapAround, Stretch; byte 14 TrackBar1 8 / TrackBar3 2; byte 17 quality 75;
// byte 18 Compress 1.
DatabaseHeader DefaultHeader(std::array<std::uint8_t, 4> selected,
                             std::array<std::uint8_t, 4> count) {
    DatabaseHeader header{};
    const std::uint8_t start[] = {'L',  'X',  'B',  '0',  '0',  '8',  0x7B, 0x03, 0xE2, 0x01,
                                  0x01, 0x00, 0x01, 0x09, 0x82, 0x00, 0x00, 0x4B, 0x01, 0x00};
    std::copy(std::begin(start), std::end(start), header.begin());
    std::copy(selected.begin(), selected.end(), header.begin() + 120);
    std::copy(count.begin(), count.end(), header.begin() + 124);
    return header;
}

DatabaseHeader DefaultHeader() {
    return DefaultHeader({0xFF, 0xFF, 0xFF, 0xFF}, {0, 0, 0, 0});
}

OptionModel ModelWith(const std::vector<std::pair<OptionId, int>>& values) {
    OptionModel model;
    for (const auto& [id, value] : values)
        EXPECT_TRUE(model.setValue(id, value)) << RowOf(id).name;
    return model;
}

void ExpectSameStoredOptions(const OptionModel& actual, const OptionModel& expected) {
    for (const OptionRow& row : OptionRows()) {
        if (row.encoding != HeaderEncoding::NotStored) {
            EXPECT_EQ(actual.value(row.id), expected.value(row.id)) << row.name;
        }
    }
}

// Every option away from its default at once.
OptionModel EverythingChanged() {
    OptionModel model;
    for (const OptionRow& row : OptionRows()) {
        if (row.kind == OptionKind::CheckBox)
            model.setValue(row.id, 1 - row.defaultValue);
    }
    const std::pair<OptionId, int> others[] = {
        {Skip, 1},         {NotCare, 1},       {RadioButtonbySize, 1},
        {DoubleCheck, 1},  {TrackBar1, 13},    {TrackBar3, 3},
        {TrackBar2, 17},   {InitialStatus, 1}, {TrackBarSizeRange, 6},
        {JpegQuality, 42}, {Compress, 2},      {HistoryCount, 7}};
    for (const auto& [id, value] : others)
        EXPECT_TRUE(model.setValue(id, value)) << RowOf(id).name;
    return model;
}

TEST(DatabaseHeaderBuild, EveryOptionLandsInItsOwnBits) {
    const OptionModel defaults;
    EXPECT_EQ(BuildDatabaseHeader(defaults, -1, 0), DefaultHeader());
    // Bytes 6 to 19 with every option away from its default, from the layout table.
    DatabaseHeader expected = DefaultHeader({0x78, 0x56, 0x34, 0x12}, {0x2C, 0x01, 0x00, 0x00});
    const std::uint8_t changed[] = {0x80, 0x71, 0x11, 0x02, 0x06, 0x03, 0x11,
                                    0x06, 0xD3, 0x07, 0x06, 0xAA, 0x02, 0x01};
    std::copy(std::begin(changed), std::end(changed), expected.begin() + 6);
    EXPECT_EQ(BuildDatabaseHeader(EverythingChanged(), 0x12345678, 300), expected);

    // Turning DoubleCheck off lowers TrackBar1 from 8 to its new maximum 4.
    expected = DefaultHeader();
    expected[7] = 0x02;
    expected[14] = 0x42;
    EXPECT_EQ(BuildDatabaseHeader(ModelWith({{DoubleCheck, 0}}), -1, 0), expected);
}

TEST(DatabaseHeaderApply, RestoresEveryStoredOptionInBothDirections) {
    const OptionModel changed = EverythingChanged();
    OptionModel target;
    ApplyDatabaseHeader(BuildDatabaseHeader(changed, 3, 4), target);
    ExpectSameStoredOptions(target, changed);
    EXPECT_EQ(target.value(HistoryCount), 20) << "HistoryCount is not stored";

    OptionModel back = changed;
    ApplyDatabaseHeader(BuildDatabaseHeader(OptionModel(), -1, 0), back);
    ExpectSameStoredOptions(back, OptionModel());
    EXPECT_EQ(back.value(HistoryCount), 7);
}

// A header of the given version written by hand: selectedIndex 5 at 120, 10 records at 124.
DatabaseHeader HandWrittenHeader(const char digits[3], std::uint8_t byte7, std::uint8_t byte14,
                                 std::uint8_t byte17, std::uint8_t byte18) {
    DatabaseHeader header = DefaultHeader({5, 0, 0, 0}, {10, 0, 0, 0});
    std::copy(digits, digits + 3, header.begin() + 3);
    header[7] = byte7;
    header[14] = byte14;
    header[17] = byte17;
    header[18] = byte18;
    return header;
}

struct VersionCase {
    const char* digits;
    std::uint8_t byte7, byte14, byte17, byte18;
    int version;
    std::int32_t selectedIndex, recordCount;
    bool oldFormat;
    int trackBar1, trackBar3, jpegQuality, grayScale, compress;
};

TEST(DatabaseHeaderApply, VersionRules) {
    const VersionCase cases[] = {
        // Old trackbar encoding: TrackBar1 = bits 2-3 of byte 7 plus 1, TrackBar3 = 4.
        {"001", 0x0B, 0x00, 0x00, 0x03, 1, -1, 0, true, 3, 4, 75, 0, 1},
        {"004", 0x0F, 0x00, 0x00, 0x03, 4, -1, 0, true, 4, 4, 75, 0, 1},
        {"005", 0x03, 0x82, 0x00, 0x03, 5, -1, 10, false, 8, 2, 75, 0, 1},
        {"006", 0x03, 0xA3, 0x3C, 0x03, 6, 5, 10, false, 10, 3, 60, 0, 1},
        {"007", 0x07, 0x00, 0x00, 0x03, 7, 5, 10, false, 2, 4, 75, 0, 1},
        {"008", 0x03, 0xC1, 0xE0, 0x03, 8, 5, 10, false, 12, 1, 96, 1, 3},
        {"008", 0x0F, 0x00, 0x4B, 0x02, 8, 5, 10, false, 4, 4, 75, 0, 2},
        // Only the last digit counts.
        {"118", 0x03, 0x82, 0x4B, 0x03, 8, 5, 10, false, 8, 2, 75, 0, 3}};
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(std::string(c.digits) + " byte7=" + std::to_string(c.byte7));
        OptionModel model;
        const DatabaseHeaderInfo info = ApplyDatabaseHeader(
            HandWrittenHeader(c.digits, c.byte7, c.byte14, c.byte17, c.byte18), model);
        EXPECT_EQ(info.check, HeaderCheck::Valid);
        EXPECT_EQ(info.formatVersion, c.version);
        EXPECT_EQ(info.selectedIndex, c.selectedIndex);
        EXPECT_EQ(info.recordCount, c.recordCount);
        EXPECT_EQ(info.isOldFormat(), c.oldFormat);
        EXPECT_EQ(model.value(TrackBar1), c.trackBar1);
        EXPECT_EQ(model.value(TrackBar3), c.trackBar3);
        EXPECT_EQ(model.value(JpegQuality), c.jpegQuality);
        EXPECT_EQ(model.value(GrayScale), c.grayScale);
        EXPECT_EQ(model.value(Compress), c.compress);
    }
}

TEST(DatabaseHeaderApply, ValuesBeyondAControlsRangeAreBroughtIntoIt) {
    struct Case {
        const char* what;
        std::map<int, std::uint8_t> bytes;
        OptionId option;
        int expected;
    };
    const Case cases[] = {
        {"TrackBar1 nibble 0", {{14, 0x0F}}, TrackBar1, 1},
        {"TrackBar3 nibble 15", {{14, 0x0F}}, TrackBar3, 4},
        {"TrackBar1 12 without DoubleCheck", {{7, 0x02}, {14, 0xC1}}, TrackBar1, 4},
        {"TrackBar2 -1", {{12, 0xFF}}, TrackBar2, 0},
        {"TrackBar2 100", {{12, 0x64}}, TrackBar2, 29},
        {"TrackBarSizeRange ignores the high nibble", {{16, 0xF3}}, TrackBarSizeRange, 3},
        {"JpegQuality 5", {{17, 0x85}}, JpegQuality, 25},
        {"GrayScale beside quality 5", {{17, 0x85}}, GrayScale, 1},
        {"JpegQuality 127", {{17, 0x7F}}, JpegQuality, 100},
        {"Compress 9", {{18, 0x09}}, Compress, 3},
        // A choice value that names no button leaves the group as it was.
        {"sort 7", {{11, 0x07}}, RadioButtonbySize, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DatabaseHeader header = DefaultHeader();
        for (const auto& [byte, value] : c.bytes)
            header[std::size_t(byte)] = value;
        OptionModel model = ModelWith({{RadioButtonbySize, 1}});
        ApplyDatabaseHeader(header, model);
        EXPECT_EQ(model.value(c.option), c.expected);
    }
}

TEST(DatabaseHeaderApply, MagicCheck) {
    const DatabaseHeader valid = DefaultHeader();
    using Raw = std::vector<std::uint8_t>;
    Raw wrongMagic(valid.begin(), valid.end());
    wrongMagic[2] = 'A';
    const std::pair<Raw, HeaderCheck> cases[] = {
        {{}, HeaderCheck::NotLumadexDatabase},
        {wrongMagic, HeaderCheck::NotLumadexDatabase},
        {{'L', 'X', 'B'}, HeaderCheck::Truncated},
        {Raw(valid.begin(), valid.end() - 1), HeaderCheck::Truncated}};
    const OptionModel changed = EverythingChanged();
    for (const auto& [bytes, expected] : cases) {
        OptionModel model = changed;
        const DatabaseHeaderInfo info = ApplyDatabaseHeader(bytes, model);
        EXPECT_EQ(info.check, expected) << bytes.size() << " bytes";
        EXPECT_EQ(model, changed) << "options must stay as they were";
        EXPECT_EQ(info.recordCount, 0);
    }
    Raw longer(valid.begin(), valid.end());
    longer.resize(4000, 0x55);
    OptionModel model = changed;
    EXPECT_EQ(ApplyDatabaseHeader(longer, model).check, HeaderCheck::Valid) << "a whole database";
    ExpectSameStoredOptions(model, OptionModel());
}

} // namespace
} // namespace lumadex
