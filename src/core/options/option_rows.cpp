#include "options/option_rows.h"

#include <array>

namespace lumadex {
namespace {

using enum OptionId;

constexpr HeaderSlot Bit(int byte, int bit) {
    return {byte, bit, 1};
}
constexpr HeaderSlot Field(int byte, int shift, int width) {
    return {byte, shift, width};
}

constexpr OptionRow CheckBox(OptionId id, std::string_view name, bool checked, HeaderSlot slot) {
    return {id, name, OptionKind::CheckBox, checked ? 1 : 0, 0, 1, slot, HeaderEncoding::Unsigned};
}

constexpr OptionRow Radio(OptionId id, std::string_view name, bool checked, RadioChoice choice,
                          HeaderSlot slot, int choiceValue) {
    OptionRow row = CheckBox(id, name, checked, slot);
    row.kind = OptionKind::RadioButton;
    row.encoding = HeaderEncoding::Choice;
    row.choice = choice;
    row.choiceValue = choiceValue;
    return row;
}

constexpr OptionRow TrackBar(OptionId id, std::string_view name, int position, int minimum,
                             int maximum, HeaderSlot slot,
                             HeaderEncoding encoding = HeaderEncoding::Unsigned) {
    return {id, name, OptionKind::TrackBar, position, minimum, maximum, slot, encoding};
}

constexpr OptionRow Items(OptionId id, std::string_view name, int item, int itemCount,
                          HeaderSlot slot) {
    OptionRow row = TrackBar(id, name, item, 0, itemCount - 1, slot);
    row.kind = OptionKind::RadioGroup;
    return row;
}

constexpr OptionRow NotStored(OptionId id, std::string_view name, OptionKind kind, int value,
                              int minimum, int maximum) {
    return {id, name, kind, value, minimum, maximum, HeaderSlot{}, HeaderEncoding::NotStored};
}

constexpr OptionRow AffectsSearch(OptionRow row) {
    row.affectsSearch = true;
    return row;
}

constexpr OptionRow EnabledBy(OptionId enabler, OptionRow row) {
    row.enabledBy = enabler;
    return row;
}

constexpr HeaderSlot kTargetExistsSlot = Field(8, 0, 2);
constexpr HeaderSlot kSameFilenameSlot = Field(9, 0, 8);
constexpr HeaderSlot kSortSlot = Field(11, 0, 8);

constexpr std::array<OptionRow, kOptionCount> kRows = {{
    CheckBox(AutoViewLeft, "AutoViewLeft", true, Bit(6, 0)),
    CheckBox(AutoViewRight, "AutoViewRight", true, Bit(6, 1)),
    CheckBox(KeepAspectRatio, "KeepAspectRatio", true, Bit(6, 3)),
    CheckBox(AllowRobustOperation, "AllowRobustOperation", true, Bit(6, 4)),
    CheckBox(ShowMemoonPreview, "ShowMemoonPreview", true, Bit(6, 5)),
    CheckBox(UseJapneseMenu, "UseJapneseMenu", true, Bit(6, 6)),
    CheckBox(TargetListDragDrop, "TargetListDragDrop", false, Bit(6, 7)),
    AffectsSearch(CheckBox(DoubleCheck, "DoubleCheck", true, Bit(7, 0))),
    AffectsSearch(CheckBox(NotStrict, "NotStrict", true, Bit(7, 1))),
    AffectsSearch(CheckBox(ShowreferenceinTarget, "ShowreferenceinTarget", false, Bit(7, 4))),
    AffectsSearch(CheckBox(CheckBoxSameSizeOnly, "CheckBoxSameSizeOnly", false, Bit(7, 5))),
    AffectsSearch(CheckBox(ExcludeSameFolder, "ExcludeSameFolder", false, Bit(7, 6))),
    Radio(OverWrite, "OverWrite", false, RadioChoice::WhenTargetExists, kTargetExistsSlot, 0),
    Radio(Skip, "Skip", false, RadioChoice::WhenTargetExists, kTargetExistsSlot, 1),
    Radio(Ask, "Ask", true, RadioChoice::WhenTargetExists, kTargetExistsSlot, 2),
    EnabledBy(TrackMoveCopy, CheckBox(SameDriveOnly, "SameDriveOnly", false, Bit(8, 4))),
    CheckBox(NotUpdateListatAction, "NotUpdateListatAction", true, Bit(8, 5)),
    CheckBox(TrackMoveCopy, "TrackMoveCopy", true, Bit(8, 6)),
    CheckBox(ConfirmDelete, "ConfirmDelete", true, Bit(8, 7)),
    Radio(Replace, "Replace", false, RadioChoice::AddingSameFilename, kSameFilenameSlot, 0),
    Radio(DontAdd, "DontAdd", true, RadioChoice::AddingSameFilename, kSameFilenameSlot, 1),
    Radio(NotCare, "NotCare", false, RadioChoice::AddingSameFilename, kSameFilenameSlot, 2),
    CheckBox(ConfirmClear, "ConfirmClear", true, Bit(10, 0)),
    CheckBox(ShoePathName, "ShoePathName", false, Bit(10, 1)),
    CheckBox(SmartSort, "SmartSort", false, Bit(10, 2)),
    Radio(byName, "byName", true, RadioChoice::Sortby, kSortSlot, 0),
    Radio(byPathname, "byPathname", false, RadioChoice::Sortby, kSortSlot, 1),
    Radio(RadioButtonbyDate, "RadioButtonbyDate", false, RadioChoice::Sortby, kSortSlot, 2),
    Radio(RadioButtonbySize, "RadioButtonbySize", false, RadioChoice::Sortby, kSortSlot, 3),
    Radio(bySimilarity, "bySimilarity", false, RadioChoice::Sortby, kSortSlot, 4),
    TrackBar(TrackBar2, "TrackBar2", 1, 0, 29, Field(12, 0, 8), HeaderEncoding::SignedByte),
    CheckBox(WrapAround, "WrapAround", true, Bit(13, 0)),
    CheckBox(FixedPosition, "FixedPosition", false, Bit(13, 1)),
    CheckBox(FixedSize, "FixedSize", false, Bit(13, 2)),
    CheckBox(Stretch, "Stretch", true, Bit(13, 3)),
    AffectsSearch(
        EnabledBy(NotStrict, TrackBar(TrackBar1, "TrackBar1", 8, 1, 15, Field(14, 4, 4)))),
    AffectsSearch(
        EnabledBy(DoubleCheck, TrackBar(TrackBar3, "TrackBar3", 2, 0, 4, Field(14, 0, 4)))),
    Items(InitialStatus, "InitialStatus", 0, 2, Bit(15, 0)),
    CheckBox(AutoExpand, "AutoExpand", false, Bit(15, 1)),
    CheckBox(AutoSync, "AutoSync", false, Bit(15, 2)),
    AffectsSearch(EnabledBy(CheckBoxSameSizeOnly, TrackBar(TrackBarSizeRange, "TrackBarSizeRange",
                                                           0, 0, 9, Field(16, 0, 4)))),
    TrackBar(JpegQuality, "JpegQuality", 75, 25, 100, Field(17, 0, 7)),
    CheckBox(GrayScale, "GrayScale", false, Bit(17, 7)),
    Items(Compress, "Compress", 1, 4, Field(18, 0, 4)),
    CheckBox(DeleteEmptyFolderafterFileMove, "DeleteEmptyFolderafterFileMove", false, Bit(19, 0)),
    NotStored(HistoryCount, "HistoryCount", OptionKind::NumberEdit, 20, 0, 99),
    NotStored(AutoRenameAtMerge, "AutoRenameAtMerge", OptionKind::CheckBox, 0, 0, 1),
}};

constexpr bool RowsFollowIds() {
    for (int i = 0; i < kOptionCount; ++i) {
        if (int(kRows[i].id) != i)
            return false;
    }
    return true;
}
static_assert(RowsFollowIds(), "option rows must be in OptionId order");

} // namespace

std::span<const OptionRow> OptionRows() {
    return kRows;
}

const OptionRow& RowOf(OptionId id) {
    return kRows[std::size_t(id)];
}

std::optional<OptionId> FindOption(std::string_view name) {
    for (const OptionRow& row : kRows) {
        if (row.name == name)
            return row.id;
    }
    return std::nullopt;
}

} // namespace lumadex
