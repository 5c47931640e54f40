#include "search/mismatch_num.h"

#include <gtest/gtest.h>
#include <set>

namespace lumadex {
namespace {

TEST(MismatchNumTest, HandsOutTheLowestFreeNumberFromOneAndReusesReleasedOnes) {
    MismatchNum numbers;
    EXPECT_EQ(numbers.Allocate(), 1);
    numbers.Release(1);
    EXPECT_EQ(numbers.HighestUsed(), 1) << "releasing never lowers the highest";
    EXPECT_EQ(numbers.Allocate(), 1);
    EXPECT_EQ(numbers.Allocate(), 2);
    numbers.Release(0);
    EXPECT_FALSE(numbers.IsFree(0)) << "0 means no group and is never handed out";
    numbers.Mark(4);
    EXPECT_EQ(numbers.Allocate(), 3);
    EXPECT_EQ(numbers.Allocate(), 5);
    numbers.Mark(2);
    EXPECT_EQ(numbers.HighestUsed(), 5);
    numbers.Mark(65535); // above the allocated range: marked, never handed out
    EXPECT_EQ(numbers.HighestUsed(), 65535);
    EXPECT_EQ(numbers.Allocate(), 6);

    numbers.Clear();
    EXPECT_EQ(numbers.HighestUsed(), 0);
    EXPECT_TRUE(numbers.IsFree(65535));
    EXPECT_FALSE(numbers.IsFree(0));
}

TEST(MismatchNumTest, WhenAll8191NumbersAreTakenAllocateRefusesInsteadOfSharing65535) {
    MismatchNum numbers;
    for (int expected = 1; expected <= 8191; ++expected)
        ASSERT_EQ(numbers.Allocate(), expected);
    EXPECT_EQ(numbers.Allocate(), std::nullopt);
    numbers.Release(4000);
    EXPECT_EQ(numbers.Allocate(), 4000);
    EXPECT_EQ(numbers.Allocate(), std::nullopt);
}

TEST(MismatchMergeTest, SumsBeyond16BitsGetFreeNumbersThatJoinNoOtherGroup) {
    MismatchNum numbers;
    const std::set<std::uint16_t> existing = {1, 2, 10, 65530};
    for (std::uint16_t number : existing)
        numbers.Mark(number);
    MismatchMerge merge(numbers);

    const std::uint16_t wrapped = merge.Renumber(10);
    EXPECT_NE(wrapped, 0);
    EXPECT_FALSE(existing.contains(wrapped)) << wrapped;
    EXPECT_LT(wrapped, 65530) << "below every shifted number";
    EXPECT_EQ(merge.Renumber(10), wrapped) << "one read group stays one group";
    EXPECT_EQ(merge.Renumber(5), 65535) << "a sum that fits keeps the plain rule";

    MismatchNum ten;
    ten.Mark(10);
    MismatchMerge tenMerge(ten);
    const std::uint16_t forOverflow = tenMerge.Renumber(65530);
    EXPECT_EQ(tenMerge.Renumber(1), 11);
    EXPECT_LT(forOverflow, 10) << "numbers for overflows never collide with later sums";
}

} // namespace
} // namespace lumadex
