#include "memo/data_manage.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumadex {
namespace {

DataManage StoreWithMemos(const std::vector<MemoSlot>& memos) {
    DataManage store;
    for (const MemoSlot& memo : memos)
        store.AddMemo(memo.name, memo.groupId);
    return store;
}

TEST(DataManageTest, DeletedMemosLeaveFreeSlotsThatNewMemosTakeLowestFirst) {
    DataManage store =
        StoreWithMemos({{"m0", 100}, {"m1", 100}, {"m2", 100}, {"m3", 100}, {"m4", 100}});
    store.DeleteMemo("m3", 100);
    EXPECT_EQ(store.MemoAt(3), nullptr);
    EXPECT_EQ(store.AddMemo("new", 101), 3);

    store.DeleteMemo("m4", 100);
    store.DeleteMemo("m1", 100);
    EXPECT_EQ(store.AddMemo("a", 100), 1);
    EXPECT_EQ(store.AddMemo("b", 100), 4);
    EXPECT_EQ(store.AddMemo("ghost", kFreeSlotGroupId), -1) << "the free-slot id is no group";

    store.AddGroup("A", 100);
    store.setGroupIdOffset(100);
    store.Clear();
    EXPECT_EQ(store.groupCount(), 0);
    EXPECT_EQ(store.groupIdOffset(), 0);
    EXPECT_EQ(store.AddMemo("d", 100), 0) << "no free slot survives a clear";
}

TEST(DataManageTest, FindAndDeleteMatchTheExactNameAndTheGroupId) {
    // 0 is freed; 3 repeats 0 as files may hold; an empty name is still a memo.
    DataManage store =
        StoreWithMemos({{"Red", 100}, {"red", 100}, {"Red", 101}, {"Red", 100}, {"", 102}});
    store.DeleteMemo("Red", 100);
    const struct {
        std::string name;
        std::int32_t groupId;
        int expected;
    } rows[] = {{"Red", 100, 3},  {"red", 100, 1}, {"RED", 100, -1},          {"Red", 101, 2},
                {"Red", 999, -1}, {"", 102, 4},    {"", kFreeSlotGroupId, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(store.FindMemo(row.name, row.groupId), row.expected)
            << '"' << row.name << "\" in " << row.groupId;

    store.DeleteMemo("missing", 100);
    store.DeleteMemo("", kFreeSlotGroupId);
    EXPECT_EQ(store.AddMemo("x", 100), 0);
    EXPECT_EQ(store.AddMemo("y", 100), 5) << "deleting what is not there frees nothing";
}

TEST(DataManageTest, NewGroupIdIsTheSmallestUnusedFrom100) {
    const struct {
        std::vector<std::int32_t> ids;
        std::int32_t expected;
    } rows[] = {{{}, 100},         {{100, 102}, 101},           {{100, 101}, 102},  {{101}, 100},
                {{5, -1, 0}, 100}, {{102, 100, 101, 104}, 103}, {{2147483647}, 100}};
    for (const auto& row : rows) {
        DataManage store;
        for (std::int32_t id : row.ids)
            store.AddGroup("g" + std::to_string(id), id);
        EXPECT_EQ(store.NewGroupId(), row.expected) << ::testing::PrintToString(row.ids);
    }
}

TEST(DataManageTest, UniqueNamesAppendTheFirstUnusedNumber) {
    const struct {
        std::vector<std::string> names;
        std::string base, expected;
    } rows[] = {{{"Group", "Group2"}, "Group", "Group1"},
                {{"Group1", "group"}, "Group", "Group"},
                {{"Tag9", "Tag91"}, "Tag9", "Tag92"},
                {{""}, "", "1"}};
    for (const auto& row : rows) {
        DataManage store;
        std::int32_t id = 100;
        for (const std::string& name : row.names)
            store.AddGroup(name, id++);
        EXPECT_EQ(store.UniqueGroupName(row.base), row.expected)
            << ::testing::PrintToString(row.names) << " base " << row.base;
    }

    // Memo names count only the live memos of their own group.
    DataManage store =
        StoreWithMemos({{"Memo", 100}, {"Memo1", 100}, {"Memo2", 101}, {"Memo2", 100}});
    store.DeleteMemo("Memo2", 100);
    EXPECT_EQ(store.UniqueMemoName("Memo", 100), "Memo2");
    EXPECT_EQ(store.UniqueMemoName("Memo", 101), "Memo");
}

TEST(DataManageTest, DeleteGroupFreesEveryMemoOfItAndRemovesTheGroup) {
    DataManage store =
        StoreWithMemos({{"a", 101}, {"k", 100}, {"a", 101}, {"b", 101}, {"k2", 100}});
    store.AddGroup("Keep", 100);
    store.AddGroup("Drop", 101);
    store.DeleteGroup(101);
    EXPECT_EQ(store.groups(), (std::vector<MemoGroup>{{"Keep", 100}}));
    EXPECT_EQ(store.slots(), (std::vector<MemoSlot>{{}, {"k", 100}, {}, {}, {"k2", 100}}));
    EXPECT_EQ(store.AddMemo("n", 100), 0);
    EXPECT_EQ(store.UniqueGroupName("Drop"), "Drop") << "the deleted group's name is free again";
}

TEST(DataManageTest, RenamingAndMovingKeepTheirOwnNameAndAvoidOthers) {
    DataManage store = StoreWithMemos({{"Memo", 100}, {"Memo1", 100}, {"Sky", 101}, {"Sky1", 101}});
    store.AddGroup("Group", 100);
    store.AddGroup("Group1", 101);
    store.AddGroup("Other", 102);
    const int memo = 0;

    EXPECT_EQ(store.RenameMemo(memo, "Memo1"), "Memo11");
    EXPECT_EQ(store.RenameMemo(memo, "Sky"), "Sky") << "another group's memo does not count";
    EXPECT_EQ(store.MoveMemo(memo, 101), "Sky2");
    EXPECT_EQ(store.MoveMemo(memo, kFreeSlotGroupId), "");

    EXPECT_EQ(store.RenameGroup(101, "Group"), "Group1") << "its own name is not taken";
    EXPECT_EQ(store.RenameGroup(102, "Group"), "Group2");

    store.DeleteMemo("Memo1", 100);
    EXPECT_EQ(store.RenameMemo(1, "Back"), "") << "a free slot is no memo";
    EXPECT_EQ(store.MoveMemo(1, 100), "");
}

} // namespace
} // namespace lumadex
