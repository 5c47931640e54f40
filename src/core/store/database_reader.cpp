#include "store/database_reader.h"

#include "catalogue/catalogue.h"
#include "memo/data_manage.h"
#include "search/mismatch_num.h"
#include "io/byte_reader.h"
#include "store/database_format.h"
#include "store/database_record_batch.h"
#include "store/database_stored_path.h"
#include "options/option_model.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace lumadex {
namespace {

// Reads little-endian values from bytes already known to be there.
class FieldCursor {
public:
    explicit FieldCursor(const std::uint8_t* at) : at_(at) {}

    std::uint16_t U16() {
        const auto value = std::uint16_t(at_[0] | at_[1] << 8);
        at_ += 2;
        return value;
    }
    std::uint32_t U32() {
        const std::uint32_t value = std::uint32_t(at_[0]) | std::uint32_t(at_[1]) << 8 |
                                    std::uint32_t(at_[2]) << 16 | std::uint32_t(at_[3]) << 24;
        at_ += 4;
        return value;
    }
    std::int32_t I32() { return std::int32_t(U32()); }

private:
    const std::uint8_t* at_;
};

// Values of the AddingSameFilename choice.
enum class SameNameRule { Replace = 0, DontAdd = 1, NotCare = 2 };

class DatabaseParser {
public:
    DatabaseParser(std::span<const std::uint8_t> bytes, DatabaseTarget target,
                   DatabaseReadObserver& observer)
        : bytes_(bytes), reader_(bytes), target_(target), observer_(observer),
          slotBase_(std::uint32_t(target.memos.slotCount())) {
        if (target.merge)
            mismatchMerge_.emplace(target.mismatchNumbers);
        target.memos.setGroupIdOffset(target.memos.HighestGroupId());
    }

    DatabaseReadResult Read() {
        result_.header = target_.merge ? ReadDatabaseHeaderInfo(bytes_)
                                       : ApplyDatabaseHeader(bytes_, target_.options);
        result_.status = ReadAfterHeader();
        const RecordOrder order =
            batch_.inPathOrder() ? RecordOrder::PathOrder : RecordOrder::Unknown;
        target_.catalogue.AddRecords(batch_.TakeRecords(), order);
        return result_;
    }

private:
    DatabaseReadStatus ReadAfterHeader() {
        switch (result_.header.check) {
        case HeaderCheck::NotLumadexDatabase:
            return DatabaseReadStatus::NotDatabase;
        case HeaderCheck::Truncated:
            return DatabaseReadStatus::Broken;
        case HeaderCheck::Valid:
            break;
        }
        observer_.HeaderRead(result_.header);
        layout_ = RecordLayout::ForVersion(result_.header.formatVersion);
        reader_.Skip(kDatabaseHeaderSize);
        if (layout_.memo && !ReadMemoBlock())
            return DatabaseReadStatus::Broken;
        // The header's count sizes the batch, but never beyond what the bytes left could hold.
        batch_.Reserve(std::min<std::size_t>(std::size_t(result_.header.recordCount),
                                             reader_.remaining() / layout_.smallestRecordBytes()));
        while (!reader_.atEnd()) {
            std::unique_ptr<Pdata> record = ReadRecord();
            if (!record)
                return DatabaseReadStatus::Broken;
            Place(std::move(record));
            if (observer_.ShouldStop())
                return DatabaseReadStatus::Stopped;
        }
        return DatabaseReadStatus::Complete;
    }

    bool ReadMemoBlock() {
        const int groupsBefore = target_.memos.groupCount();
        const bool read = target_.memos.ReadMemoBlock(reader_);
        fileSlotCount_ = std::uint32_t(target_.memos.slotCount()) - slotBase_;
        if (fileSlotCount_ > 0 || target_.memos.groupCount() != groupsBefore)
            result_.changed = true;
        return read;
    }

    // One record, or nullptr when the bytes end inside it or its path cannot be taken.
    std::unique_ptr<Pdata> ReadRecord() {
        const std::uint32_t pathLength = reader_.ReadU32();
        if (pathLength > kMaxStoredPathBytes)
            return nullptr;
        std::optional<QString> path = paths_.Expand(reader_.ReadBytes(pathLength));
        const std::span<const std::uint8_t> fixed = reader_.ReadBytes(layout_.fixedFieldBytes());
        if (reader_.failed() || !path)
            return nullptr;
        auto record = std::make_unique<Pdata>(std::move(*path));
        FieldCursor fields(fixed.data());
        record->signatureBits = fields.U32();
        record->signatureLevels = fields.U32();
        const std::uint16_t mismatchId = layout_.mismatchId ? fields.U16() : 0;
        if (layout_.sizeAndTime) {
            record->fileSize = fields.I32();
            record->fileTime = fields.I32();
        }
        if (layout_.memo && !ReadMemoLinks(fields.U32(), *record))
            return nullptr;
        if (layout_.subIndex && !ReadSubIndex(*record))
            return nullptr;
        record->mismatchId = MarkMismatchId(mismatchId);
        return record;
    }

    bool ReadMemoLinks(std::uint32_t count, Pdata& record) {
        if (count > reader_.remaining() / 4)
            return false;
        FieldCursor links(reader_.ReadBytes(4 * std::size_t(count)).data());
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t index = links.U32();
            // A link to a slot the file does not hold would point at whatever slot is made
            // there later; it is dropped.
            if (index < fileSlotCount_)
                record.AddMemoLink(index + slotBase_);
        }
        return true;
    }

    bool ReadSubIndex(Pdata& record) {
        const std::uint32_t count = reader_.ReadU32();
        if (reader_.failed() || count > reader_.remaining() / kSubIndexEntryBytes)
            return false;
        FieldCursor entries(reader_.ReadBytes(kSubIndexEntryBytes * count).data());
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t bits = entries.U32();
            const std::uint32_t levels = entries.U32();
            const std::int32_t top = entries.I32();
            const std::int32_t left = entries.I32();
            const std::int32_t bottom = entries.I32();
            const std::int32_t right = entries.I32();
            record.AddSubIndex(bits, levels, left, top, right, bottom);
        }
        return true;
    }

    std::uint16_t MarkMismatchId(std::uint16_t numberRead) {
        if (mismatchMerge_)
            return mismatchMerge_->Renumber(numberRead);
        target_.mismatchNumbers.Mark(numberRead);
        return numberRead;
    }

    // Applies the same-name rule and adds the record unless the rule drops it.
    void Place(std::unique_ptr<Pdata> record) {
        batch_.Meet(record->fileName, paths_.origin());
        Pdata* present = RecordWithSamePath(record->fileName);
        if (present) {
            switch (SameNameRule(target_.options.choice(RadioChoice::AddingSameFilename))) {
            case SameNameRule::Replace:
                // The record read takes over the present one's place: the result is that of
                // destroying the present record and adding the new one, without moving any.
                record->AddMemoLinksFrom(*present);
                *present = std::move(*record);
                result_.changed = true;
                CountAdded();
                return;
            case SameNameRule::DontAdd: {
                const int linksBefore = present->MemoLinkCount();
                present->AddMemoLinksFrom(*record);
                if (present->MemoLinkCount() != linksBefore)
                    result_.changed = true;
                observer_.DuplicateDropped(result_.recordsAdded);
                return;
            }
            case SameNameRule::NotCare:
                break;
            }
        }
        batch_.Add(std::move(record));
        result_.changed = true;
        CountAdded();
    }

    Pdata* RecordWithSamePath(const QString& path) {
        if (!target_.catalogue.isEmpty()) {
            const int index = target_.catalogue.FindRecord(path);
            if (index >= 0)
                return &target_.catalogue.at(index);
        }
        return batch_.SamePath();
    }

    void CountAdded() {
        ++result_.recordsAdded;
        if (result_.recordsAdded % kProgressStep == 0)
            observer_.RecordsAdded(result_.recordsAdded);
    }

    std::span<const std::uint8_t> bytes_;
    ByteReader reader_;
    DatabaseTarget target_;
    DatabaseReadObserver& observer_;
    DatabaseReadResult result_;
    RecordLayout layout_;
    const std::uint32_t slotBase_;
    std::uint32_t fileSlotCount_ = 0;
    std::optional<MismatchMerge> mismatchMerge_;
    PathExpander paths_;
    RecordBatch batch_;
};

} // namespace

DatabaseReadResult ReadDatabaseBytes(std::span<const std::uint8_t> bytes, DatabaseTarget target,
                                     DatabaseReadObserver& observer) {
    return DatabaseParser(bytes, target, observer).Read();
}

} // namespace lumadex
