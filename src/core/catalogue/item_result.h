#pragma once

#include <cstdint>

namespace lumadex {

// Outcome of an operation on one item of a batch (one file, one record).
enum class ItemResult : std::int32_t {
    Done = 0,
    Skipped = 1,  // skipped or failed, already reported; the batch goes on
    Stopped = -1, // stopped by the user; the batch ends
};

} // namespace lumadex
