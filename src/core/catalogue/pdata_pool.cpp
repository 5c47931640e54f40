#include "catalogue/pdata_pool.h"

#include "catalogue/pdata.h"

#include <atomic>
#include <memory>
#include <new>
#include <vector>

namespace lumadex {
namespace {

#ifndef LUMADEX_PDATA_FROM_HEAP

// Fixed-size slots carved from blocks; freed slots form a list that is used first.
class PdataPool {
public:
    void* Allocate() {
        Lock lock(busy_);
        if (freeList_) {
            FreeSlot* slot = freeList_;
            freeList_ = slot->next;
            return slot;
        }
        if (nextInBlock_ == kSlotsPerBlock) {
            blocks_.push_back(std::make_unique_for_overwrite<Slot[]>(kSlotsPerBlock));
            nextInBlock_ = 0;
        }
        return &blocks_.back()[nextInBlock_++];
    }

    void Free(void* storage) noexcept {
        Lock lock(busy_);
        auto* slot = static_cast<FreeSlot*>(storage);
        slot->next = freeList_;
        freeList_ = slot;
    }

private:
    struct FreeSlot {
        FreeSlot* next;
    };
    struct Slot {
        alignas(Pdata) std::byte bytes[sizeof(Pdata)];
    };
    // Records are made and destroyed on the window thread, but nothing forbids a worker
    // thread; the lock is uncontended in practice and costs a few instructions.
    class Lock {
    public:
        explicit Lock(std::atomic_flag& flag) : flag_(flag) {
            while (flag_.test_and_set(std::memory_order_acquire))
                flag_.wait(true, std::memory_order_relaxed);
        }
        ~Lock() {
            flag_.clear(std::memory_order_release);
            flag_.notify_one();
        }

    private:
        std::atomic_flag& flag_;
    };

    static constexpr std::size_t kSlotsPerBlock = 8192;

    std::atomic_flag busy_;
    FreeSlot* freeList_ = nullptr;
    std::vector<std::unique_ptr<Slot[]>> blocks_;
    std::size_t nextInBlock_ = kSlotsPerBlock;
};

// Never destroyed: records of static objects may outlive any pool object.
PdataPool& Pool() {
    static auto* pool = new PdataPool;
    return *pool;
}

#endif

} // namespace

void* AllocatePdataStorage(std::size_t size) {
#ifndef LUMADEX_PDATA_FROM_HEAP
    if (size == sizeof(Pdata))
        return Pool().Allocate();
#endif
    return ::operator new(size);
}

void FreePdataStorage(void* storage, [[maybe_unused]] std::size_t size) noexcept {
    if (!storage)
        return;
#ifndef LUMADEX_PDATA_FROM_HEAP
    if (size == sizeof(Pdata)) {
        Pool().Free(storage);
        return;
    }
#endif
    ::operator delete(storage);
}

} // namespace lumadex
