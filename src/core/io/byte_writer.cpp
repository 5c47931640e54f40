#include "io/byte_writer.h"

#include <utility>

namespace lumadex {

void ByteWriter::WriteU16(std::uint16_t value) {
    bytes_.push_back(std::uint8_t(value));
    bytes_.push_back(std::uint8_t(value >> 8));
}

void ByteWriter::WriteU32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(std::uint8_t(value >> shift));
}

void ByteWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::WriteString(std::string_view text) {
    WriteU32(std::uint32_t(text.size()));
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    WriteBytes(std::span<const std::uint8_t>(data, text.size()));
}

std::vector<std::uint8_t> ByteWriter::TakeBytes() {
    return std::exchange(bytes_, {});
}

} // namespace lumadex
