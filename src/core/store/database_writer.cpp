#include "store/database_writer.h"

#include "catalogue/catalogue.h"
#include "memo/data_manage.h"
#include "io/byte_writer.h"
#include "store/database_format.h"
#include "store/database_stored_path.h"

#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace lumadex {
namespace {

// Bytes gathered before they are handed to the sink.
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
// The signatures, mismatch number, size and time of a record.
constexpr std::size_t kFixedRecordBytes = 8 + 2 + 8;

// Gathers little-endian values in a buffer and passes it on to the sink in chunks.
class ChunkedOutput {
public:
    explicit ChunkedOutput(ByteSink& sink) : sink_(sink) {}

    bool failed() const { return failed_; }

    // Makes room for count more bytes: the buffer grows up to a chunk, and once it holds one,
    // what was gathered is passed on.
    void Reserve(std::size_t count) {
        const std::size_t needed = used_ + count;
        if (needed <= buffer_.size())
            return;
        if (needed <= kChunkBytes) {
            buffer_.resize(std::clamp(2 * buffer_.size(), needed, kChunkBytes));
            return;
        }
        Flush();
        if (count > buffer_.size())
            buffer_.resize(count);
    }
    // Start of the room made by Reserve; Advance moves past what was put there.
    std::uint8_t* cursor() { return buffer_.data() + used_; }
    void Advance(std::size_t count) { used_ += count; }

    // Put* write into room already reserved.
    void PutU16(std::uint16_t value) {
        std::uint8_t* out = cursor();
        out[0] = std::uint8_t(value);
        out[1] = std::uint8_t(value >> 8);
        used_ += 2;
    }
    void PutU32(std::uint32_t value) {
        StoreU32(cursor(), value);
        used_ += 4;
    }
    void PutI32(std::int32_t value) { PutU32(std::uint32_t(value)); }

    void Write(std::span<const std::uint8_t> bytes) {
        Reserve(bytes.size());
        std::copy(bytes.begin(), bytes.end(), cursor());
        used_ += bytes.size();
    }

    void Flush() {
        if (!failed_ && used_ > 0)
            failed_ = !sink_.Write(std::span(buffer_.data(), used_));
        used_ = 0;
    }

    static void StoreU32(std::uint8_t* out, std::uint32_t value) {
        out[0] = std::uint8_t(value);
        out[1] = std::uint8_t(value >> 8);
        out[2] = std::uint8_t(value >> 16);
        out[3] = std::uint8_t(value >> 24);
    }

private:
    ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

class RecordEncoder {
public:
    RecordEncoder(ChunkedOutput& out, DatabaseWriteObserver& observer)
        : out_(out), observer_(observer) {}

    void Encode(const Pdata& record) {
        if (FolderPartLength(record.fileName) == 0) {
            observer_.RecordLeftOut(record);
            return;
        }
        const QStringView stored = paths_.Shorten(record.fileName);
        out_.Reserve(4 + 3 * std::size_t(stored.size()) + kFixedRecordBytes);
        const std::size_t pathBytes = EncodeUtf8(stored, out_.cursor() + 4);
        if (pathBytes > kMaxStoredPathBytes) {
            observer_.RecordLeftOut(record);
            return;
        }
        ChunkedOutput::StoreU32(out_.cursor(), std::uint32_t(pathBytes));
        out_.Advance(4 + pathBytes);
        paths_.Stored(record.fileName, stored);

        out_.PutU32(record.signatureBits);
        out_.PutU32(record.signatureLevels);
        out_.PutU16(record.mismatchId);
        out_.PutI32(record.fileSize);
        out_.PutI32(record.fileTime);

        const std::span<const std::uint32_t> links = record.MemoLinkIndices();
        out_.Reserve(4 + 4 * links.size());
        out_.PutU32(std::uint32_t(links.size()));
        for (const std::uint32_t link : links)
            out_.PutU32(link);

        const int entries = record.SubIndexCount();
        out_.Reserve(4 + kSubIndexEntryBytes * std::size_t(entries));
        out_.PutU32(std::uint32_t(entries));
        for (int i = 0; i < entries; ++i) {
            const SubIndexEntry& entry = record.SubIndexAt(i);
            out_.PutU32(entry.bits);
            out_.PutU32(entry.levels);
            out_.PutI32(entry.Top);
            out_.PutI32(entry.Left);
            out_.PutI32(entry.Bottom);
            out_.PutI32(entry.Right);
        }
    }

private:
    ChunkedOutput& out_;
    DatabaseWriteObserver& observer_;
    PathShortener paths_;
};

class FileSink : public ByteSink {
public:
    explicit FileSink(QSaveFile& file) : file_(file) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        return file_.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
               qint64(bytes.size());
    }

private:
    QSaveFile& file_;
};

} // namespace

bool EncodeDatabase(const DatabaseHeader& header, const DataManage& memos,
                    const Catalogue& catalogue, ByteSink& sink, DatabaseWriteObserver& observer) {
    ChunkedOutput out(sink);
    out.Write(header);
    ByteWriter memoBlock;
    memos.WriteMemoBlock(memoBlock);
    out.Write(memoBlock.bytes());

    observer.RecordsStarting(catalogue.count());
    RecordEncoder records(out, observer);
    for (int i = 0; i < catalogue.count() && !out.failed(); ++i) {
        records.Encode(catalogue.at(i));
        if (i % kProgressStep == 0)
            observer.RecordReached(i);
    }
    out.Flush();
    return !out.failed();
}

DatabaseWriteStatus WriteDatabaseFile(const QString& path, const DatabaseHeader& header,
                                      const DataManage& memos, const Catalogue& catalogue,
                                      DatabaseWriteObserver& observer) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return DatabaseWriteStatus::CantCreate;
    FileSink sink(file);
    if (!EncodeDatabase(header, memos, catalogue, sink, observer)) {
        file.cancelWriting();
        return DatabaseWriteStatus::WriteFailed;
    }
    return file.commit() ? DatabaseWriteStatus::Written : DatabaseWriteStatus::WriteFailed;
}

} // namespace lumadex
