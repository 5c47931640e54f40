#include "platform/server_block.h"

#include <QtEndian>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace lumadex {
namespace {

// A block name of this test run, so that a running program's block is never touched.
std::string UniqueBlockName() {
    static std::atomic<int> counter{0};
    return "/lumadex-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// The block as a companion program sees it: the bare mapping, without ServerBlock.
class RawMapping {
public:
    explicit RawMapping(const std::string& name) {
        descriptor_ = ::shm_open(name.c_str(), O_RDWR, 0);
        if (descriptor_ >= 0) {
            void* view = ::mmap(nullptr, ServerBlock::kSize, PROT_READ | PROT_WRITE, MAP_SHARED,
                                descriptor_, 0);
            if (view != MAP_FAILED)
                bytes_ = static_cast<unsigned char*>(view);
        }
    }
    ~RawMapping() {
        if (bytes_)
            ::munmap(bytes_, ServerBlock::kSize);
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    unsigned char* bytes() { return bytes_; }

private:
    int descriptor_ = -1;
    unsigned char* bytes_ = nullptr;
};

TEST(ServerBlock, CopiesOfOneNameShareHandlesAndTheLaterWriteWins) {
    const std::string name = UniqueBlockName();
    ServerBlock first(name.c_str());
    ServerBlock second(name.c_str());
    ASSERT_TRUE(first.isOpen());
    ASSERT_TRUE(second.isOpen());

    first.WriteMainWindowHandle(0x01020304);
    second.WriteMainWindowHandle(0xA0B0C0D0);
    EXPECT_EQ(first.MainWindowHandle(), 0xA0B0C0D0u);

    // A companion reads this program's handle at offset 0 and leaves its own at 4 or 8, all
    // little-endian.
    RawMapping companion(name);
    ASSERT_NE(companion.bytes(), nullptr);
    const unsigned char expected[4] = {0xD0, 0xC0, 0xB0, 0xA0};
    EXPECT_EQ(std::memcmp(companion.bytes(), expected, 4), 0);
    qToLittleEndian<quint32>(0x11111111, companion.bytes() + 4);
    qToLittleEndian<quint32>(0x22222222, companion.bytes() + 8);
    EXPECT_EQ(first.BrenothHandle(), 0x11111111u);
    EXPECT_EQ(first.QuillanHandle(), 0x22222222u);
}

TEST(ServerBlock, PathFieldHoldsAtMostItsRoomAndNeverReadsPastTheBlock) {
    const std::string name = UniqueBlockName();
    ServerBlock block(name.c_str());
    ServerBlock reader(name.c_str());
    ASSERT_TRUE(block.isOpen());

    const QByteArray longest(ServerBlock::kMaxPathBytes, 'a');
    EXPECT_TRUE(block.WritePath(longest));
    EXPECT_EQ(reader.Path(), longest);
    EXPECT_TRUE(block.WritePath("/b.jpg"));
    EXPECT_EQ(reader.Path(), "/b.jpg") << "a shorter path ends at its own zero";
    EXPECT_FALSE(block.WritePath(longest + 'x'));
    EXPECT_EQ(reader.Path(), "/b.jpg") << "a path one byte too long leaves the field alone";

    // A companion that filled the whole field without a terminating zero.
    RawMapping companion(name);
    ASSERT_NE(companion.bytes(), nullptr);
    std::memset(companion.bytes() + ServerBlock::kPathOffset, 'z',
                ServerBlock::kSize - ServerBlock::kPathOffset);
    EXPECT_EQ(reader.Path(), QByteArray(ServerBlock::kSize - ServerBlock::kPathOffset, 'z'));
}

TEST(ServerBlock, BlockLivesWhileAnyUserHoldsItAndGoesWithTheLast) {
    const std::string name = UniqueBlockName();
    auto first = std::make_unique<ServerBlock>(name.c_str());
    auto second = std::make_unique<ServerBlock>(name.c_str());
    first->WriteMainWindowHandle(42);
    first->WritePath("/a.png");
    first.reset();
    auto later = std::make_unique<ServerBlock>(name.c_str());
    EXPECT_EQ(later->MainWindowHandle(), 42u);
    EXPECT_EQ(later->Path(), "/a.png");

    second.reset();
    later.reset();
    EXPECT_LT(::shm_open(name.c_str(), O_RDONLY, 0), 0) << "the name went with the last user";
    ServerBlock fresh(name.c_str());
    EXPECT_EQ(fresh.MainWindowHandle(), 0u);
    EXPECT_EQ(fresh.Path(), "");
}

} // namespace
} // namespace lumadex
