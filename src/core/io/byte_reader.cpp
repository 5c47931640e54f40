#include "io/byte_reader.h"

#include <algorithm>

namespace lumadex {

namespace {

// Stored strings of this length or more are cut at their first zero byte.
constexpr std::size_t kZeroTerminatedFrom = 256;

} // namespace

const std::uint8_t* ByteReader::Take(std::size_t count) {
    if (failed_ || count > remaining()) {
        failed_ = true;
        return nullptr;
    }
    const std::uint8_t* start = data_.data() + position_;
    position_ += count;
    return start;
}

std::uint8_t ByteReader::ReadU8() {
    const std::uint8_t* p = Take(1);
    return p ? p[0] : 0;
}

std::uint16_t ByteReader::ReadU16() {
    const std::uint8_t* p = Take(2);
    return p ? std::uint16_t(p[0] | (p[1] << 8)) : 0;
}

std::uint32_t ByteReader::ReadU32() {
    const std::uint8_t* p = Take(4);
    if (!p)
        return 0;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::int32_t ByteReader::ReadI32() {
    return std::int32_t(ReadU32());
}

std::span<const std::uint8_t> ByteReader::ReadBytes(std::size_t count) {
    const std::uint8_t* p = Take(count);
    return p ? std::span<const std::uint8_t>(p, count) : std::span<const std::uint8_t>();
}

bool ByteReader::Skip(std::size_t count) {
    return Take(count) != nullptr;
}

std::string ByteReader::ReadString(std::uint32_t maxLength) {
    const std::size_t start = position_;
    const std::uint32_t length = ReadU32();
    if (failed_)
        return {};
    if (length > maxLength || length > remaining()) {
        position_ = start;
        failed_ = true;
        return {};
    }
    return StoredStringFromBytes(ReadBytes(length));
}

std::string StoredStringFromBytes(std::span<const std::uint8_t> bytes) {
    auto end = bytes.end();
    if (bytes.size() >= kZeroTerminatedFrom)
        end = std::find(bytes.begin(), bytes.end(), std::uint8_t(0));
    return std::string(bytes.begin(), end);
}

} // namespace lumadex
