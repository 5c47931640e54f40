#include "catalogue/pdata.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumadex {
namespace {

std::vector<std::uint32_t> LinksOf(const Pdata& record) {
    const auto links = record.MemoLinkIndices();
    return {links.begin(), links.end()};
}

TEST(PdataTest, NewRecordHasInitialValues) {
    const Pdata record(QStringLiteral("/pictures/a.jpg"));
    EXPECT_EQ(record.fileName, QStringLiteral("/pictures/a.jpg"));
    EXPECT_EQ(record.mismatchId, 0);
    EXPECT_EQ(record.signatureBits, 0u);
    EXPECT_EQ(record.signatureLevels, 0u);
    EXPECT_EQ(record.fileSize, -1);
    EXPECT_EQ(record.fileTime, -1);
    EXPECT_EQ(record.groupNo, -1);
    EXPECT_EQ(record.MemoLinkCount(), 0);
    EXPECT_EQ(record.SubIndexCount(), 0);
}

TEST(PdataTest, RecordStaysSmall) {
    // A catalogue holds up to a million records; every byte here is paid a million times.
    EXPECT_LE(sizeof(Pdata), 64u);
}

TEST(PdataTest, MemoLinksKeepOrderAndRefuseDuplicates) {
    Pdata record(QStringLiteral("a"));
    EXPECT_EQ(record.AddMemoLink(7), 0);
    EXPECT_EQ(record.AddMemoLink(3), 1);
    EXPECT_EQ(record.AddMemoLink(7), -1);
    EXPECT_EQ(record.AddMemoLink(0), 2);
    EXPECT_EQ(LinksOf(record), (std::vector<std::uint32_t>{7, 3, 0}));
    EXPECT_TRUE(record.HasMemo(3));
    EXPECT_FALSE(record.HasMemo(4));

    EXPECT_EQ(record.RemoveMemoLink(3), 1);
    EXPECT_EQ(record.RemoveMemoLink(3), -1);
    EXPECT_EQ(LinksOf(record), (std::vector<std::uint32_t>{7, 0}));
    EXPECT_EQ(record.RemoveMemoLink(7), 0);
    EXPECT_EQ(record.RemoveMemoLink(0), 0);
    EXPECT_EQ(record.MemoLinkCount(), 0);
    EXPECT_EQ(record.AddMemoLink(0xFFFFFFFFu), 0);
    EXPECT_EQ(record.MemoLinkAt(0), 0xFFFFFFFFu);
}

TEST(PdataTest, AddMemoLinksFromMergesWithoutDuplicates) {
    Pdata record(QStringLiteral("a"));
    record.AddMemoLink(5);
    record.AddMemoLink(1);
    Pdata other(QStringLiteral("b"));
    other.AddMemoLink(1);
    other.AddMemoLink(9);
    other.AddMemoLink(5);
    other.AddMemoLink(2);

    record.AddMemoLinksFrom(other);
    EXPECT_EQ(LinksOf(record), (std::vector<std::uint32_t>{5, 1, 9, 2}));
    record.AddMemoLinksFrom(record);
    EXPECT_EQ(LinksOf(record), (std::vector<std::uint32_t>{5, 1, 9, 2}));
    EXPECT_EQ(LinksOf(other), (std::vector<std::uint32_t>{1, 9, 5, 2}));
}

TEST(PdataTest, SubIndexEntriesAreAddedDeletedAndCleared) {
    Pdata record(QStringLiteral("a"));
    record.ClearSubIndex();
    record.DeleteSubIndex(0);
    EXPECT_EQ(record.SubIndexCount(), 0);

    record.AddSubIndex(1, 2, 0, 0, 16, 16);
    record.AddSubIndex(3, 4, 10, 20, 30, 40);
    record.AddSubIndex(5, 6, 1, 1, 17, 17);
    ASSERT_EQ(record.SubIndexCount(), 3);
    EXPECT_EQ(record.SubIndexAt(1), (SubIndexEntry{3, 4, 10, 20, 30, 40}));

    record.DeleteSubIndex(3);
    record.DeleteSubIndex(-1);
    EXPECT_EQ(record.SubIndexCount(), 3);
    record.DeleteSubIndex(1);
    ASSERT_EQ(record.SubIndexCount(), 2);
    EXPECT_EQ(record.SubIndexAt(0).bits, 1u);
    EXPECT_EQ(record.SubIndexAt(1).bits, 5u);

    record.ClearSubIndex();
    EXPECT_EQ(record.SubIndexCount(), 0);
    record.AddSubIndex(7, 8, 2, 2, 18, 18);
    EXPECT_EQ(record.SubIndexCount(), 1);
}

} // namespace
} // namespace lumadex
