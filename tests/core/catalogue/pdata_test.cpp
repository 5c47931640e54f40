#include "catalogue/pdata.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumadex {
namespace {

std::vector<std::uint32_t> LinksOf(const Pdata& record) {
    const auto links = record.MemoLinkIndices();
    return {links.begin(), links.end()};
}

TEST(PdataTest, RecordStaysSmall) {
    // A catalogue holds up to a million records; every byte here is paid a million times.
    EXPECT_LE(sizeof(Pdata), 64u);
}

TEST(PdataTest, MemoLinksKeepTheirOrderAndOccurOnce) {
    Pdata record(QStringLiteral("a"));
    EXPECT_EQ(record.AddMemoLink(7), 0);
    EXPECT_EQ(record.AddMemoLink(3), 1);
    EXPECT_EQ(record.AddMemoLink(7), -1);
    EXPECT_EQ(record.AddMemoLink(0xFFFFFFFFu), 2);
    EXPECT_EQ(record.RemoveMemoLink(3), 1);
    EXPECT_EQ(record.RemoveMemoLink(3), -1);

    Pdata other(QStringLiteral("b"));
    for (const std::uint32_t index : {1u, 0xFFFFFFFFu, 9u, 7u})
        other.AddMemoLink(index);
    record.AddMemoLinksFrom(other);
    record.AddMemoLinksFrom(record);
    EXPECT_EQ(LinksOf(record), (std::vector<std::uint32_t>{7, 0xFFFFFFFFu, 1, 9}));
}

} // namespace
} // namespace lumadex
