#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>
#include <zlib.h>

namespace lumadex::png {

// Deflates the filtered rows and cuts the compressed stream into IDAT chunks of chunkSize bytes
// (the last one shorter), appended to out as they fill.
class IdatWriter {
public:
    IdatWriter(std::vector<std::uint8_t>& out, int level, std::size_t chunkSize);
    ~IdatWriter();
    IdatWriter(const IdatWriter&) = delete;
    IdatWriter& operator=(const IdatWriter&) = delete;

    void add(std::span<const std::uint8_t> data);
    // Ends the compressed stream and writes the last chunk.
    void finish();

private:
    // Runs deflate until it needs more input (or, finishing, until the stream ends).
    void run(int flush);
    void emitChunk();

    std::vector<std::uint8_t>& out_;
    z_stream stream_{};
    std::vector<std::uint8_t> buffer_;
};

} // namespace lumadex::png
