#pragma once

#include "catalogue/memo_links.h"
#include "catalogue/pdata_pool.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lumadex {

// signatureBits of a record that has no signature; analysis never produces it.
constexpr std::uint32_t kNoSignature = 0xFFFFFFFFu;
// fileSize, fileTime and groupNo value meaning "unknown" or "none".
constexpr std::int32_t kUnknown = -1;

// The signature of one rectangle of a picture (right and bottom exclusive, picture pixels).
struct SubIndexEntry {
    std::uint32_t bits = 0;
    std::uint32_t levels = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    friend bool operator==(const SubIndexEntry&, const SubIndexEntry&) = default;
};

// One picture file known to the catalogue. Kept small: a catalogue may hold a million of them.
// The path is the catalogue's sort key; change it only through Catalogue::ChangePath.
class Pdata {
public:
    explicit Pdata(QString path) : fileName(std::move(path)) {}

    static void* operator new(std::size_t size) { return AllocatePdataStorage(size); }
    static void operator delete(void* storage, std::size_t size) noexcept {
        FreePdataStorage(storage, size);
    }

    QString fileName;
    std::uint32_t signatureBits = 0;
    std::uint32_t signatureLevels = 0;
    std::int32_t fileSize = kUnknown; // bytes at analysis
    std::int32_t fileTime = kUnknown; // modification time at analysis, seconds since 1970 UTC
    std::int32_t groupNo = kUnknown;  // working field of the full search
    std::uint16_t mismatchId = 0;     // 0 = in no mismatch group

    // Memo links: indices of memo slots, each at most once.
    int AddMemoLink(std::uint32_t memoIndex) { return memoLinks_.add(memoIndex); }
    void AddMemoLinksFrom(const Pdata& other);
    int RemoveMemoLink(std::uint32_t memoIndex) { return memoLinks_.remove(memoIndex); }
    bool HasMemo(std::uint32_t memoIndex) const { return memoLinks_.find(memoIndex) >= 0; }
    int MemoLinkCount() const { return memoLinks_.count(); }
    std::span<const std::uint32_t> MemoLinkIndices() const { return memoLinks_.indices(); }

    // Sub-index: signatures of rectangles of the picture. The list is created on the first
    // addition and then kept, even when emptied.
    void AddSubIndex(std::uint32_t bits, std::uint32_t levels, std::int32_t Left, std::int32_t Top,
                     std::int32_t Right, std::int32_t Bottom);
    int SubIndexCount() const { return subIndex_ ? int(subIndex_->size()) : 0; }
    // Entry i, 0 <= i < SubIndexCount().
    const SubIndexEntry& SubIndexAt(int i) const { return (*subIndex_)[std::size_t(i)]; }
    // Removes entry i; does nothing when i is out of range.
    void DeleteSubIndex(int i);
    void ClearSubIndex();

private:
    MemoLinks memoLinks_;
    std::unique_ptr<std::vector<SubIndexEntry>> subIndex_;
};

} // namespace lumadex
