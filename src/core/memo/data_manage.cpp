#include "memo/data_manage.h"

#include "memo/unique_name.h"

#include <algorithm>
#include <unordered_set>

namespace lumadex {

const MemoSlot* DataManage::MemoAt(std::uint32_t index) const {
    if (index >= slots_.size() || slots_[index].isFree())
        return nullptr;
    return &slots_[index];
}

int DataManage::AddGroup(const std::string& name, std::int32_t id) {
    if (groupNameUses_.contains(name)) {
        const auto same = std::find(groups_.begin(), groups_.end(), MemoGroup{name, id});
        if (same != groups_.end())
            return int(same - groups_.begin());
    }
    groups_.push_back({name, id});
    ++groupNameUses_[name];
    return groupCount() - 1;
}

void DataManage::DeleteGroup(std::int32_t id) {
    if (id != kFreeSlotGroupId) {
        for (int index = 0; index < slotCount(); ++index) {
            if (slots_[index].groupId == id)
                FreeSlot(index);
        }
    }
    const int position = GroupPositionOfId(id);
    if (position < 0)
        return;
    ForgetGroupName(groups_[position].name);
    groups_.erase(groups_.begin() + position);
}

int DataManage::AddMemo(const std::string& name, std::int32_t groupId) {
    if (groupId == kFreeSlotGroupId)
        return -1;
    if (freeSlots_.empty()) {
        slots_.push_back({name, groupId});
        return slotCount() - 1;
    }
    const int index = freeSlots_.top();
    freeSlots_.pop();
    slots_[index] = {name, groupId};
    return index;
}

void DataManage::DeleteMemo(const std::string& name, std::int32_t groupId) {
    const int index = FindMemo(name, groupId);
    if (index >= 0)
        FreeSlot(index);
}

std::int32_t DataManage::NewGroupId() const {
    // Only ids kFirstGroupId .. kFirstGroupId + groupCount() can block the answer.
    std::vector<bool> taken(groups_.size() + 1, false);
    for (const MemoGroup& group : groups_) {
        const std::int64_t offset = std::int64_t(group.id) - kFirstGroupId;
        if (offset >= 0 && offset < std::int64_t(taken.size()))
            taken[std::size_t(offset)] = true;
    }
    const auto firstFree = std::find(taken.begin(), taken.end(), false);
    return kFirstGroupId + std::int32_t(firstFree - taken.begin());
}

std::string DataManage::UniqueGroupName(const std::string& base) const {
    return FirstUnusedName(base, GroupNameTakenExcept(-1));
}

std::string DataManage::UniqueMemoName(const std::string& base, std::int32_t groupId) const {
    return UniqueMemoNameExcept(base, groupId, -1);
}

std::int32_t DataManage::HighestGroupId() const {
    if (groups_.empty())
        return 0;
    return std::max_element(groups_.begin(), groups_.end(),
                            [](const auto& a, const auto& b) { return a.id < b.id; })
        ->id;
}

int DataManage::FindMemo(const std::string& name, std::int32_t groupId) const {
    if (groupId == kFreeSlotGroupId)
        return -1;
    const auto found = std::find(slots_.begin(), slots_.end(), MemoSlot{name, groupId});
    return found == slots_.end() ? -1 : int(found - slots_.begin());
}

std::int32_t DataManage::GroupIdAt(int position) const {
    if (position < 0 || position >= groupCount())
        return -1;
    return groups_[position].id;
}

int DataManage::GroupPositionOfId(std::int32_t id) const {
    const auto found = std::find_if(groups_.begin(), groups_.end(),
                                    [id](const MemoGroup& group) { return group.id == id; });
    return found == groups_.end() ? -1 : int(found - groups_.begin());
}

int DataManage::GroupPositionOfName(const std::string& name) const {
    if (!groupNameUses_.contains(name))
        return -1;
    const auto found = std::find_if(groups_.begin(), groups_.end(),
                                    [&name](const MemoGroup& group) { return group.name == name; });
    return int(found - groups_.begin());
}

std::vector<MemoEntry> DataManage::MemosOfGroup(std::int32_t groupId, bool all) const {
    const bool everySlot = all && groupId == 0;
    std::vector<MemoEntry> memos;
    for (int index = 0; index < slotCount(); ++index) {
        const MemoSlot& slot = slots_[index];
        if (everySlot || (!slot.isFree() && slot.groupId == groupId))
            memos.push_back({index, slot.name, slot.groupId});
    }
    return memos;
}

std::string DataManage::RenameMemo(int index, const std::string& wanted) {
    if (!IsMemo(index))
        return {};
    MemoSlot& slot = slots_[index];
    slot.name = UniqueMemoNameExcept(wanted, slot.groupId, index);
    return slot.name;
}

std::string DataManage::MoveMemo(int index, std::int32_t groupId) {
    if (!IsMemo(index) || groupId == kFreeSlotGroupId)
        return {};
    MemoSlot& slot = slots_[index];
    slot.name = UniqueMemoNameExcept(slot.name, groupId, index);
    slot.groupId = groupId;
    return slot.name;
}

std::string DataManage::RenameGroup(std::int32_t id, const std::string& wanted) {
    const int position = GroupPositionOfId(id);
    if (position < 0)
        return {};
    SetGroupName(position, FirstUnusedName(wanted, GroupNameTakenExcept(position)));
    return groups_[position].name;
}

void DataManage::Clear() {
    slots_.clear();
    groups_.clear();
    freeSlots_ = {};
    groupNameUses_.clear();
    groupIdOffset_ = 0;
}

std::string DataManage::UniqueMemoNameExcept(const std::string& base, std::int32_t groupId,
                                             int exceptIndex) const {
    std::unordered_set<std::string> taken;
    for (int index = 0; index < slotCount(); ++index) {
        if (index != exceptIndex && !slots_[index].isFree() && slots_[index].groupId == groupId)
            taken.insert(slots_[index].name);
    }
    return FirstUnusedName(base,
                           [&taken](const std::string& name) { return taken.contains(name); });
}

std::function<bool(const std::string&)> DataManage::GroupNameTakenExcept(int exceptPosition) const {
    const std::string* ownName = exceptPosition >= 0 ? &groups_[exceptPosition].name : nullptr;
    return [this, ownName](const std::string& name) {
        const auto uses = groupNameUses_.find(name);
        const int count = uses == groupNameUses_.end() ? 0 : uses->second;
        return count > (ownName && *ownName == name ? 1 : 0);
    };
}

void DataManage::SetGroupName(int position, std::string name) {
    ForgetGroupName(groups_[position].name);
    ++groupNameUses_[name];
    groups_[position].name = std::move(name);
}

void DataManage::ForgetGroupName(const std::string& name) {
    const auto uses = groupNameUses_.find(name);
    if (--uses->second == 0)
        groupNameUses_.erase(uses);
}

bool DataManage::IsMemo(int index) const {
    return index >= 0 && index < slotCount() && !slots_[index].isFree();
}

void DataManage::FreeSlot(int index) {
    slots_[index] = MemoSlot{};
    freeSlots_.push(index);
}

} // namespace lumadex
