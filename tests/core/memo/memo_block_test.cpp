#include "core/store/database_layout_bytes.h"
#include "io/byte_reader.h"
#include "io/byte_writer.h"
#include "memo/data_manage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using test::Bytes;
using test::StoredName;

// A memo block built field by field from the layout, independent of the writer.
Bytes Block(const std::vector<StoredName>& groups, const std::vector<StoredName>& slots,
            std::int32_t version = 1) {
    Bytes bytes;
    test::AppendMemoBlock(bytes, groups, slots, version);
    return bytes;
}

Bytes Written(const DataManage& store) {
    ByteWriter writer;
    store.WriteMemoBlock(writer);
    return writer.TakeBytes();
}

bool ReadInto(DataManage& store, const Bytes& bytes) {
    ByteReader reader(bytes);
    const bool ok = store.ReadMemoBlock(reader);
    EXPECT_EQ(ok, !reader.failed());
    EXPECT_TRUE(!ok || reader.atEnd());
    return ok;
}

TEST(MemoBlockTest, ReadingAWrittenBlockGivesTheSameStoreAndTheSameBytes) {
    DataManage original;
    ASSERT_TRUE(ReadInto(original, Block({}, {}, 7)));
    original.AddGroup("People", 100);
    original.AddGroup(std::string(300, 'g'), 104);
    original.AddMemo("Ann", 100);
    original.AddMemo("gone", 104);
    original.AddMemo(std::string(256, 'n'), 104);
    original.DeleteMemo("gone", 104);
    const Bytes bytes = Written(original);

    DataManage copy;
    ASSERT_TRUE(ReadInto(copy, bytes));
    EXPECT_EQ(copy.groups(), original.groups());
    EXPECT_EQ(copy.slots(), original.slots());
    EXPECT_EQ(Written(copy), bytes);
    EXPECT_EQ(copy.storeVersion(), 7) << "the version read is written back unchanged";
    EXPECT_EQ(copy.AddMemo("new", 100), 1) << "a free slot read stays reusable";
}

TEST(MemoBlockTest, MergedGroupsAreShiftedByTheHighestIdAndRenamedWhenTheirNameExists) {
    DataManage store;
    store.AddGroup("People", 100);
    store.AddGroup("Places", 105);
    store.AddMemo("Ann", 100);
    store.setGroupIdOffset(store.HighestGroupId());
    ASSERT_TRUE(ReadInto(store, Block({{"People", 100}, {"Things", 101}},
                                      {{"Bob", 100}, {"junk", -1}, {"Cup", 101}})));

    EXPECT_EQ(store.groups(),
              (std::vector<MemoGroup>{
                  {"People", 100}, {"Places", 105}, {"People1", 205}, {"Things", 206}}));
    EXPECT_EQ(store.slots(),
              (std::vector<MemoSlot>{{"Ann", 100}, {"Bob", 205}, {"", -1}, {"Cup", 206}}));
    EXPECT_TRUE(store.MemosOfGroup(104).empty())
        << "a free slot read joins no group, keeps no name";
    EXPECT_EQ(store.AddMemo("Dan", 100), 2);
}

TEST(MemoBlockTest, IdsThatCannotBeShiftedMakeTheBlockBroken) {
    const std::int32_t offset = std::numeric_limits<std::int32_t>::max() - 5;
    const auto freeMarker = std::int32_t(-1 - std::int64_t(offset)); // -1 once shifted
    const struct {
        const char* name;
        std::vector<StoredName> groups, slots;
        int groupsKept, slotsKept;
    } rows[] = {{"group id overflows", {{"ok", 3}, {"big", 100}}, {}, 1, 0},
                {"slot id overflows", {}, {{"ok", 5}, {"big", 6}}, 0, 1},
                {"slot id lands on the free marker", {}, {{"odd", freeMarker}}, 0, 0}};
    for (const auto& row : rows) {
        DataManage store;
        store.setGroupIdOffset(offset);
        EXPECT_FALSE(ReadInto(store, Block(row.groups, row.slots))) << row.name;
        EXPECT_EQ(store.groupCount(), row.groupsKept) << row.name;
        EXPECT_EQ(store.slotCount(), row.slotsKept) << row.name;
    }
}

TEST(MemoBlockTest, TruncatedBlocksFailAtEveryLengthAndKeepTheCompleteEntries) {
    const std::vector<StoredName> groups = {{"First", 100}, {std::string(260, 'x'), 101}};
    const std::vector<StoredName> slots = {{"one", 100}, {"", -1}, {"three", 101}};
    const Bytes whole = Block(groups, slots, 3);

    std::vector<std::size_t> groupEnds, slotEnds;
    std::size_t end = 12;
    for (const StoredName& group : groups)
        groupEnds.push_back(end += 8 + group.name.size());
    for (const StoredName& slot : slots)
        slotEnds.push_back(end += 8 + slot.name.size());
    ASSERT_EQ(end, whole.size());
    const auto complete = [](const std::vector<std::size_t>& ends, std::size_t length) {
        return int(
            std::count_if(ends.begin(), ends.end(), [&](std::size_t e) { return e <= length; }));
    };

    for (std::size_t length = 0; length < whole.size(); ++length) {
        // An exact-size copy, so that a read past its end is caught by the sanitizers.
        const Bytes prefix(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        DataManage store;
        ByteReader reader(prefix);
        SCOPED_TRACE(length);
        EXPECT_FALSE(store.ReadMemoBlock(reader));
        EXPECT_EQ(store.groupCount(), complete(groupEnds, length));
        EXPECT_EQ(store.slotCount(), complete(slotEnds, length));
        EXPECT_EQ(store.storeVersion(), length >= 12 ? 3 : 1);
    }
}

TEST(MemoBlockTest, HugeCountsInAShortBlockFailWithoutReservingForThem) {
    Bytes bytes;
    test::PutU32(bytes, 1);
    test::PutU32(bytes, 0xFFFFFFFF);
    test::PutU32(bytes, 0xFFFFFFFF);
    test::PutText(bytes, "only");
    test::PutU32(bytes, 100);
    DataManage store;
    EXPECT_FALSE(ReadInto(store, bytes));
    EXPECT_EQ(store.groupCount(), 1);
    EXPECT_LT(store.groups().capacity(), 16u);
}

} // namespace
} // namespace lumadex
