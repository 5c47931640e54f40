#pragma once

#include <cstdint>
#include <functional>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace lumadex {

class ByteReader;
class ByteWriter;

// Group id of a free memo slot.
inline constexpr std::int32_t kFreeSlotGroupId = -1;
// Group ids made by the program start here.
inline constexpr std::int32_t kFirstGroupId = 100;
// Store version of a store made by the program.
inline constexpr std::int32_t kCurrentStoreVersion = 1;

// One memo slot. Its position in the store is the memo index picture records hold. A free slot
// has group id kFreeSlotGroupId and an empty name.
struct MemoSlot {
    std::string name;
    std::int32_t groupId = kFreeSlotGroupId;

    bool isFree() const { return groupId == kFreeSlotGroupId; }
    bool operator==(const MemoSlot&) const = default;
};

struct MemoGroup {
    std::string name;
    std::int32_t id = 0;

    bool operator==(const MemoGroup&) const = default;
};

// A memo listed with the index of its slot.
struct MemoEntry {
    int index = -1;
    std::string name;
    std::int32_t groupId = kFreeSlotGroupId;

    bool operator==(const MemoEntry&) const = default;
};

// The memo store of the open database: memo slots (name and group id, addressed by index) and
// memo groups (name and id). Names are UTF-8 bytes, kept exactly as stored in the database.
//
// Slots are never removed: deleting a memo frees its slot, and adding one reuses the lowest
// free slot, so memo indices held by records stay valid for as long as the store is not cleared.
// Positions and indices are ints; lookups answer -1 for "not found".
class DataManage {
public:
    const std::vector<MemoSlot>& slots() const { return slots_; }
    const std::vector<MemoGroup>& groups() const { return groups_; }
    int slotCount() const { return int(slots_.size()); }
    int groupCount() const { return int(groups_.size()); }
    // The memo a record's link refers to, or nullptr when the index is past the slots or free.
    const MemoSlot* MemoAt(std::uint32_t index) const;

    // Position of the group with both this name and id if there is one, else of the group
    // appended with them.
    int AddGroup(const std::string& name, std::int32_t id);
    // Frees the slot of every memo of the group, then removes the first group with that id.
    void DeleteGroup(std::int32_t id);
    // Gives the memo the lowest free slot, or a new slot at the end, and returns its index;
    // -1 (nothing added) for the free-slot group id.
    int AddMemo(const std::string& name, std::int32_t groupId);
    // Frees the slot FindMemo gives; nothing when the memo is not there.
    void DeleteMemo(const std::string& name, std::int32_t groupId);

    // The smallest id from kFirstGroupId upward that no group has.
    std::int32_t NewGroupId() const;
    // base, or base with the first decimal suffix no group name has.
    std::string UniqueGroupName(const std::string& base) const;
    // base, or base with the first decimal suffix no memo of the group has.
    std::string UniqueMemoName(const std::string& base, std::int32_t groupId) const;
    // The largest group id; 0 when there is no group.
    std::int32_t HighestGroupId() const;

    // Index of the first memo slot with exactly this name and group id.
    int FindMemo(const std::string& name, std::int32_t groupId) const;
    std::int32_t GroupIdAt(int position) const;
    int GroupPositionOfId(std::int32_t id) const;
    int GroupPositionOfName(const std::string& name) const;
    // The memos of the group in slot order; with group id 0 and all set, every slot, free ones
    // included.
    std::vector<MemoEntry> MemosOfGroup(std::int32_t groupId, bool all = false) const;

    // Renames a memo to wanted made unique among the other memos of its group; returns the name
    // given, or an empty string when index is not a memo.
    std::string RenameMemo(int index, const std::string& wanted);
    // Moves a memo into another group under its name made unique there, keeping its index;
    // returns the name given, or an empty string when index is not a memo or the group id is
    // the free-slot id.
    std::string MoveMemo(int index, std::int32_t groupId);
    // Renames the first group with this id to wanted made unique among the other groups; returns
    // the name given, or an empty string when there is no such group.
    std::string RenameGroup(std::int32_t id, const std::string& wanted);

    // Empties groups and slots and sets the group id offset to 0.
    void Clear();

    // Added to every group id read from a memo block; set to HighestGroupId() before a merge.
    std::int32_t groupIdOffset() const { return groupIdOffset_; }
    void setGroupIdOffset(std::int32_t offset) { groupIdOffset_ = offset; }
    // Taken from the last memo block read and written back unchanged.
    std::int32_t storeVersion() const { return storeVersion_; }

    // Reads a memo block at the reader's position and appends it to the store: each group under
    // a name unique among the groups, every id shifted by the group id offset, free slots kept
    // free. Returns false, with the reader failed, when the block is truncated or holds an id
    // that cannot be shifted; the groups and slots read completely before that stay.
    bool ReadMemoBlock(ByteReader& reader);
    void WriteMemoBlock(ByteWriter& writer) const;

private:
    std::string UniqueMemoNameExcept(const std::string& base, std::int32_t groupId,
                                     int exceptIndex) const;
    std::function<bool(const std::string&)> GroupNameTakenExcept(int exceptPosition) const;
    void SetGroupName(int position, std::string name);
    void ForgetGroupName(const std::string& name);
    bool IsMemo(int index) const;
    void FreeSlot(int index);

    bool ReadGroups(ByteReader& reader, std::uint32_t count);
    bool ReadSlots(ByteReader& reader, std::uint32_t count);

    std::vector<MemoSlot> slots_;
    std::vector<MemoGroup> groups_;
    // Indices of the free slots, lowest on top.
    std::priority_queue<int, std::vector<int>, std::greater<int>> freeSlots_;
    // How many groups carry each name, for naming new groups without scanning them all.
    std::unordered_map<std::string, int> groupNameUses_;
    std::int32_t groupIdOffset_ = 0;
    std::int32_t storeVersion_ = kCurrentStoreVersion;
};

} // namespace lumadex
