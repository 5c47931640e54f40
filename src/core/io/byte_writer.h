#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lumadex {

// Appends little-endian values to a growing byte buffer.
class ByteWriter {
public:
    void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(std::uint32_t(value)); }
    void WriteBytes(std::span<const std::uint8_t> bytes);
    // A u32 byte count followed by the bytes, without terminator.
    void WriteString(std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    // Hands the buffer over and leaves the writer empty.
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace lumadex
