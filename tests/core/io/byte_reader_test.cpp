#include "io/byte_reader.h"
#include "io/byte_writer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumadex {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ByteReaderTest, ReadsBackWhatTheWriterLaidOutLittleEndian) {
    ByteWriter writer;
    writer.WriteU8(0xAB);
    writer.WriteU16(0x1234);
    writer.WriteU32(0x89ABCDEF);
    writer.WriteI32(-2);
    writer.WriteString("Hi");
    EXPECT_EQ(writer.bytes(), (Bytes{0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF,
                                     0xFF, 2, 0, 0, 0, 'H', 'i'}));
    ByteReader reader(writer.bytes());
    EXPECT_EQ(reader.ReadU8(), 0xAB);
    EXPECT_EQ(reader.ReadU16(), 0x1234);
    EXPECT_EQ(reader.ReadU32(), 0x89ABCDEFu);
    EXPECT_EQ(reader.ReadI32(), -2);
    EXPECT_EQ(reader.ReadString(), "Hi");
    EXPECT_TRUE(reader.atEnd());
}

TEST(ByteReaderTest, AReadPastTheEndFailsConsumesNothingAndTheFailureSticks) {
    const Bytes bytes = {1, 2, 3};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.ReadU16(), 0x0201);
    EXPECT_EQ(reader.ReadU32(), 0u);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.position(), 2u);
    EXPECT_EQ(reader.remaining(), 1u);
    EXPECT_EQ(reader.ReadU8(), 0) << "the byte left is not handed out after a failure";
    EXPECT_FALSE(reader.Skip(0));
}

TEST(ByteReaderTest, StoredStringsOf256BytesOrMoreEndAtTheirFirstZero) {
    struct Row {
        std::size_t length;
        std::size_t zeroAt; // npos: no zero byte
        std::size_t expectedLength;
    };
    constexpr std::size_t npos = std::string::npos;
    const Row rows[] = {
        {10, 3, 10}, {255, 100, 255}, {256, 100, 100}, {256, npos, 256}, {300, 0, 0}};
    for (const Row& row : rows) {
        std::string stored(row.length, 'x');
        if (row.zeroAt != npos)
            stored[row.zeroAt] = '\0';
        ByteWriter writer;
        writer.WriteString(stored);
        writer.WriteU32(0xCAFEF00D);
        ByteReader reader(writer.bytes());
        SCOPED_TRACE("length " + std::to_string(row.length));
        EXPECT_EQ(reader.ReadString(), stored.substr(0, row.expectedLength));
        EXPECT_EQ(reader.ReadU32(), 0xCAFEF00Du) << "the whole length is consumed";
    }
}

} // namespace
} // namespace lumadex
