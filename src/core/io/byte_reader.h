#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

namespace lumadex {

// Reads little-endian values from a byte buffer without ever reading past its end.
//
// A read that does not fit in the bytes left sets a failure flag, consumes nothing and yields
// zero (or an empty string); once set, the flag stays and every later read fails the same way,
// so a parser can read a whole structure and check failed() once at the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32();

    // The next count bytes as a view into the buffer.
    std::span<const std::uint8_t> ReadBytes(std::size_t count);
    bool Skip(std::size_t count);

    // A string stored as a u32 byte count and the bytes. A string of 256 bytes or more ends at
    // its first zero byte; a shorter one is taken whole. The whole stored length is consumed.
    // A count above maxLength fails the reader.
    std::string ReadString(std::uint32_t maxLength = std::numeric_limits<std::uint32_t>::max());

    // Marks the input as broken; for parsers that find a value they cannot accept.
    void Fail() { failed_ = true; }

    bool failed() const { return failed_; }
    std::size_t position() const { return position_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - position_; }
    bool atEnd() const { return position_ == data_.size(); }

private:
    // Start of the next count bytes, or nullptr (and the failure flag) when they are not there.
    const std::uint8_t* Take(std::size_t count);

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

// The stored string rule of ReadString applied to bytes already taken from a buffer.
std::string StoredStringFromBytes(std::span<const std::uint8_t> bytes);

} // namespace lumadex
