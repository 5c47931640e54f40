#include "codecs/png_chunk.h"

#include "codecs/png_format.h"

#include <zlib.h>

namespace lumadex::png {

std::uint32_t ChunkCrc(std::uint32_t type, std::span<const std::uint8_t> body) {
    const std::uint8_t typeBytes[4] = {std::uint8_t(type >> 24), std::uint8_t(type >> 16),
                                       std::uint8_t(type >> 8), std::uint8_t(type)};
    const uLong crc = crc32(0L, typeBytes, 4);
    // crc32_z restarts when given no buffer, as an empty span may do.
    return std::uint32_t(body.empty() ? crc : crc32_z(crc, body.data(), body.size()));
}

void AppendChunk(std::vector<std::uint8_t>& out, std::uint32_t type,
                 std::span<const std::uint8_t> body) {
    AppendBigEndian32(out, std::uint32_t(body.size()));
    AppendBigEndian32(out, type);
    out.insert(out.end(), body.begin(), body.end());
    AppendBigEndian32(out, ChunkCrc(type, body));
}

} // namespace lumadex::png
