#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define LUMADEX_PDATA_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMADEX_PDATA_FROM_HEAP 1
#endif
#endif

namespace lumadex {

#ifdef LUMADEX_PDATA_FROM_HEAP
inline constexpr bool kPdataPooled = false;
#else
// Records live in pool blocks, packed without a heap allocation's overhead.
inline constexpr bool kPdataPooled = true;
#endif

// Storage for picture records. A catalogue holds up to millions of them, made in bursts (a
// database read) and destroyed in bursts (Clear All Data); taking them from large blocks
// instead of one heap allocation each makes a read much faster and each record smaller.
// Freed records are reused by later ones; the blocks stay with the process.
//
// Under AddressSanitizer records come from the ordinary heap, so that a record used after
// its destruction is still caught.
void* AllocatePdataStorage(std::size_t size);
void FreePdataStorage(void* storage, std::size_t size) noexcept;

} // namespace lumadex
