#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/pdata.h"
#include "search/full_search.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace lumadex::test {

// The low n bits set: flips n bits of a bits word.
constexpr std::uint32_t LowBits(int n) {
    return n >= 32 ? 0xFFFFFFFFu : (1u << n) - 1;
}

// Changes the low bit of the first n cells of a levels word: n differing cells.
constexpr std::uint32_t LowCells(int n) {
    std::uint32_t mask = 0;
    for (int k = 0; k < n; ++k)
        mask |= 1u << (2 * k);
    return mask;
}

inline Pdata& AddPicture(Catalogue& catalogue, const QString& path, std::uint32_t bits,
                         std::uint32_t levels, std::int32_t fileSize = kUnknown,
                         std::uint16_t mismatchId = 0) {
    auto record = std::make_unique<Pdata>(path);
    record->signatureBits = bits;
    record->signatureLevels = levels;
    record->fileSize = fileSize;
    record->mismatchId = mismatchId;
    return catalogue.at(catalogue.AddRecord(std::move(record)));
}

// Records every event of a full search as a line of text, and can press stop at a record.
class RecordingObserver : public FullSearchObserver {
public:
    QStringList events;
    QStringList listed;
    int messageRuns = 0;
    int stopAtMessageRun = -1; // this call of ShouldStop answers stop
    bool targetListEmpty = true;

    void ClearReferenceList() override { events << "clear"; }
    void RecordListed(Pdata& record) override {
        events << "list " + record.fileName;
        listed << record.fileName;
    }
    void ShowProgress(const FullSearchProgress& progress) override {
        events << "status " + FullSearchStatusText(progress);
    }
    void ShowResult(const QString& text) override { events << "result " + text; }
    bool ShouldStop() override { return messageRuns++ == stopAtMessageRun; }
    bool TargetListEmpty() const override { return targetListEmpty; }
};

} // namespace lumadex::test
