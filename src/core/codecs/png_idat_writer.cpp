#include "codecs/png_idat_writer.h"

#include "codecs/png_chunk.h"
#include "codecs/png_error.h"
#include "codecs/png_format.h"

namespace lumadex::png {

IdatWriter::IdatWriter(std::vector<std::uint8_t>& out, int level, std::size_t chunkSize)
    : out_(out), buffer_(chunkSize) {
    if (deflateInit(&stream_, level) != Z_OK)
        throw EPngError(png_message::kWriteError);
    stream_.next_out = buffer_.data();
    stream_.avail_out = uInt(buffer_.size());
}

IdatWriter::~IdatWriter() {
    deflateEnd(&stream_);
}

void IdatWriter::add(std::span<const std::uint8_t> data) {
    stream_.next_in = const_cast<Bytef*>(data.data());
    stream_.avail_in = uInt(data.size());
    run(Z_NO_FLUSH);
}

void IdatWriter::finish() {
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    run(Z_FINISH);
    if (stream_.avail_out < buffer_.size())
        emitChunk();
}

void IdatWriter::run(int flush) {
    for (;;) {
        const int result = deflate(&stream_, flush);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            throw EPngError(png_message::kWriteError);
        const bool done = flush == Z_FINISH ? result == Z_STREAM_END : stream_.avail_in == 0;
        if (stream_.avail_out == 0)
            emitChunk();
        if (done)
            return;
        if (result == Z_BUF_ERROR)
            throw EPngError(png_message::kWriteError);
    }
}

void IdatWriter::emitChunk() {
    const std::size_t used = buffer_.size() - stream_.avail_out;
    AppendChunk(out_, kIDAT, {buffer_.data(), used});
    stream_.next_out = buffer_.data();
    stream_.avail_out = uInt(buffer_.size());
}

} // namespace lumadex::png
