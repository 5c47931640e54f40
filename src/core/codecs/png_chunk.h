#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumadex::png {

// Appends one chunk (length, type, data, CRC) to out.
void AppendChunk(std::vector<std::uint8_t>& out, std::uint32_t type,
                 std::span<const std::uint8_t> body);

// The CRC of a chunk's type and data.
std::uint32_t ChunkCrc(std::uint32_t type, std::span<const std::uint8_t> body);

} // namespace lumadex::png
