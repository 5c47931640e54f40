// The memo store's block in the database file: store version, group count, slot count, then
// each group (name, id) and each slot (name, group id). Integers are u32 little-endian, names a
// u32 byte count and the bytes.

#include "memo/data_manage.h"
#include "memo/unique_name.h"
#include "io/byte_reader.h"
#include "io/byte_writer.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace lumadex {

namespace {

// Every group and slot takes at least a name length and an id.
constexpr std::size_t kSmallestEntryBytes = 8;

std::optional<std::int32_t> ShiftedId(std::int32_t id, std::int32_t offset) {
    const std::int64_t shifted = std::int64_t(id) + offset;
    if (shifted < std::numeric_limits<std::int32_t>::min() ||
        shifted > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(shifted);
}

// Room for the entries a block claims, bounded by what the bytes left can hold.
std::size_t PlausibleCount(std::uint32_t claimed, const ByteReader& reader) {
    return std::min<std::size_t>(claimed, reader.remaining() / kSmallestEntryBytes);
}

// A memo or group name is text, which ends at a zero byte whatever its stored length. Keeping
// the zero would let a renamed duplicate ("name" + "1") reach 256 bytes and read back shorter.
std::string NameText(std::string stored) {
    stored.erase(std::find(stored.begin(), stored.end(), '\0'), stored.end());
    return stored;
}

} // namespace

bool DataManage::ReadMemoBlock(ByteReader& reader) {
    const std::int32_t version = reader.ReadI32();
    const std::uint32_t groupCount = reader.ReadU32();
    const std::uint32_t slotCount = reader.ReadU32();
    if (reader.failed())
        return false;
    storeVersion_ = version;
    return ReadGroups(reader, groupCount) && ReadSlots(reader, slotCount);
}

bool DataManage::ReadGroups(ByteReader& reader, std::uint32_t count) {
    groups_.reserve(groups_.size() + PlausibleCount(count, reader));
    // Names are only added while reading, so each base's search for a free suffix can resume
    // where the previous one ended.
    std::unordered_map<std::string, int> nextSuffix;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = NameText(reader.ReadString());
        const std::int32_t id = reader.ReadI32();
        if (reader.failed())
            return false;
        const std::optional<std::int32_t> shifted = ShiftedId(id, groupIdOffset_);
        if (!shifted) {
            reader.Fail();
            return false;
        }
        const auto isTaken = [this](const std::string& candidate) {
            return groupNameUses_.contains(candidate);
        };
        AddGroup(FirstUnusedName(name, isTaken, nextSuffix[name]), *shifted);
    }
    return true;
}

bool DataManage::ReadSlots(ByteReader& reader, std::uint32_t count) {
    slots_.reserve(slots_.size() + PlausibleCount(count, reader));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = NameText(reader.ReadString());
        const std::int32_t id = reader.ReadI32();
        if (reader.failed())
            return false;
        if (slots_.size() >= std::size_t(std::numeric_limits<int>::max())) {
            reader.Fail();
            return false;
        }
        if (id == kFreeSlotGroupId) {
            freeSlots_.push(slotCount());
            slots_.emplace_back();
            continue;
        }
        const std::optional<std::int32_t> shifted = ShiftedId(id, groupIdOffset_);
        if (!shifted || *shifted == kFreeSlotGroupId) {
            reader.Fail();
            return false;
        }
        slots_.push_back({std::move(name), *shifted});
    }
    return true;
}

void DataManage::WriteMemoBlock(ByteWriter& writer) const {
    writer.WriteI32(storeVersion_);
    writer.WriteU32(std::uint32_t(groups_.size()));
    writer.WriteU32(std::uint32_t(slots_.size()));
    for (const MemoGroup& group : groups_) {
        writer.WriteString(group.name);
        writer.WriteI32(group.id);
    }
    for (const MemoSlot& slot : slots_) {
        writer.WriteString(slot.name);
        writer.WriteI32(slot.groupId);
    }
}

} // namespace lumadex
