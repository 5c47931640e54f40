#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace lumadex {

// Every option of the option dialog, named as its control. The order is the order of the
// database header's option bytes; options kept outside the header come last.
enum class OptionId {
    AutoViewLeft,
    AutoViewRight,
    KeepAspectRatio,
    AllowRobustOperation,
    ShowMemoonPreview,
    UseJapneseMenu,
    TargetListDragDrop,
    DoubleCheck,
    NotStrict,
    ShowreferenceinTarget,
    CheckBoxSameSizeOnly,
    ExcludeSameFolder,
    OverWrite,
    Skip,
    Ask,
    SameDriveOnly,
    NotUpdateListatAction,
    TrackMoveCopy,
    ConfirmDelete,
    Replace,
    DontAdd,
    NotCare,
    ConfirmClear,
    ShoePathName,
    SmartSort,
    byName,
    byPathname,
    RadioButtonbyDate,
    RadioButtonbySize,
    bySimilarity,
    TrackBar2,
    WrapAround,
    FixedPosition,
    FixedSize,
    Stretch,
    TrackBar1,
    TrackBar3,
    InitialStatus,
    AutoExpand,
    AutoSync,
    TrackBarSizeRange,
    JpegQuality,
    GrayScale,
    Compress,
    DeleteEmptyFolderafterFileMove,
    HistoryCount,
    AutoRenameAtMerge,
};

inline constexpr int kOptionCount = int(OptionId::AutoRenameAtMerge) + 1;

enum class OptionKind {
    CheckBox,    // 0 or 1
    RadioButton, // 0 or 1; exactly one button of its group is checked
    RadioGroup,  // item index
    TrackBar,    // position
    NumberEdit,  // number typed into an edit
};

// The groups of radio buttons. A group's value is the value its header field holds.
enum class RadioChoice {
    None,
    WhenTargetExists,   // OverWrite 0, Skip 1, Ask 2
    AddingSameFilename, // Replace 0, DontAdd 1, NotCare 2
    Sortby,             // byName 0, byPathname 1, RadioButtonbyDate 2, RadioButtonbySize 3,
                        // bySimilarity 4
};

// How an option's value is kept in the header's field.
enum class HeaderEncoding {
    NotStored,
    Unsigned,   // the field holds the value
    SignedByte, // a whole byte read as a signed 8-bit value
    Choice,     // the field holds the choice value of the group's checked button
};

// Where an option lives in the 128-byte database header: `width` bits of byte `byte`,
// starting at bit `shift`.
struct HeaderSlot {
    int byte = -1;
    int shift = 0;
    int width = 0;

    constexpr unsigned mask() const { return ((1u << width) - 1u) << shift; }
};

struct OptionRow {
    OptionId id;
    std::string_view name;
    OptionKind kind;
    int defaultValue;
    int minimum;
    int maximum; // TrackBar1: the maximum while DoubleCheck is checked
    HeaderSlot slot;
    HeaderEncoding encoding;
    RadioChoice choice = RadioChoice::None; // radio buttons: their group
    int choiceValue = 0;                    // radio buttons: the group's value when checked
    std::optional<OptionId> enabledBy = {}; // the check box that enables this control
    bool affectsSearch = false;             // a change makes the last search outdated
};

// One row per option, indexed by OptionId.
std::span<const OptionRow> OptionRows();
const OptionRow& RowOf(OptionId id);
// The option whose control has exactly this name.
std::optional<OptionId> FindOption(std::string_view name);

} // namespace lumadex
