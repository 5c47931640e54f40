#include "platform/server_block.h"

#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// Lifetime of the named block. A named shared memory object outlives its users until it is
// unlinked, while the program expects the block to exist exactly as long as somebody uses it:
// every copy of the program and every companion finds the others' handles in it, and a block
// left behind by a finished run would hand stale window handles to the next one. So each user
// holds a shared file lock on the block while it has it open, and a user that closes it
// unlinks the name only when it can take the lock exclusively, that is when nobody else holds
// it. A user that opened the name just before it was unlinked notices the unlinked object
// once its lock is granted and opens the name afresh.

namespace lumadex {
namespace {

constexpr int kOpenAttempts = 4;

int LockRetryingOnSignal(int descriptor, int operation) {
    int result;
    do {
        result = ::flock(descriptor, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

// Opens the named object with a shared lock held, sized to at least `size` bytes; -1 on
// failure.
int OpenLockedObject(const char* name, std::size_t size) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        const int descriptor = ::shm_open(name, O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        if (descriptor < 0)
            return -1;
        struct stat status {};
        if (LockRetryingOnSignal(descriptor, LOCK_SH) != 0 || ::fstat(descriptor, &status) != 0) {
            ::close(descriptor);
            return -1;
        }
        if (status.st_nlink == 0) { // unlinked by its last user while we were opening it
            ::close(descriptor);
            continue;
        }
        if (static_cast<std::size_t>(status.st_size) < size &&
            ::ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
            ::close(descriptor);
            return -1;
        }
        return descriptor;
    }
    return -1;
}

} // namespace

ServerBlock::ServerBlock(const char* name) : name_(name) {
    descriptor_ = OpenLockedObject(name_.constData(), kSize);
    if (descriptor_ < 0)
        return;
    void* view = ::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor_, 0);
    if (view == MAP_FAILED) {
        ::close(descriptor_);
        descriptor_ = -1;
        return;
    }
    view_ = static_cast<unsigned char*>(view);
}

ServerBlock::~ServerBlock() {
    if (view_)
        ::munmap(view_, kSize);
    if (descriptor_ < 0)
        return;
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0)
        ::shm_unlink(name_.constData());
    ::close(descriptor_);
}

void ServerBlock::WriteMainWindowHandle(quint32 handle) {
    WriteWord(kMainWindowOffset, handle);
}

quint32 ServerBlock::MainWindowHandle() const {
    return ReadWord(kMainWindowOffset);
}

quint32 ServerBlock::BrenothHandle() const {
    return ReadWord(kBrenothOffset);
}

quint32 ServerBlock::QuillanHandle() const {
    return ReadWord(kQuillanOffset);
}

bool ServerBlock::WritePath(const QByteArray& path) {
    if (!view_ || static_cast<std::size_t>(path.size()) > kMaxPathBytes)
        return false;
    std::memcpy(view_ + kPathOffset, path.constData(), static_cast<std::size_t>(path.size()));
    view_[kPathOffset + static_cast<std::size_t>(path.size())] = 0;
    return true;
}

QByteArray ServerBlock::Path() const {
    if (!view_)
        return {};
    const char* field = reinterpret_cast<const char*>(view_ + kPathOffset);
    const std::size_t room = kSize - kPathOffset;
    const void* zero = std::memchr(field, 0, room);
    const std::size_t length = zero ? static_cast<const char*>(zero) - field : room;
    return QByteArray(field, static_cast<qsizetype>(length));
}

void ServerBlock::WriteWord(std::size_t offset, quint32 value) {
    if (view_)
        qToLittleEndian(value, view_ + offset);
}

quint32 ServerBlock::ReadWord(std::size_t offset) const {
    return view_ ? qFromLittleEndian<quint32>(view_ + offset) : 0;
}

} // namespace lumadex
