#include "store/database_record_batch.h"

#include "catalogue/path_order.h"

#include <QChar>
#include <utility>

namespace lumadex {
namespace {

// The path upper-cased code point by code point: equal exactly when ComparePathKeys finds the
// paths equal.
QString PathKey(QStringView path) {
    QString key;
    key.reserve(path.size());
    for (qsizetype i = 0; i < path.size();) {
        char32_t codePoint = path[i++].unicode();
        if (QChar::isHighSurrogate(codePoint) && i < path.size() &&
            QChar::isLowSurrogate(path[i].unicode()))
            codePoint = QChar::surrogateToUcs4(char16_t(codePoint), path[i++].unicode());
        codePoint = QChar::toUpper(codePoint);
        if (QChar::requiresSurrogates(codePoint)) {
            key += QChar(QChar::highSurrogate(codePoint));
            key += QChar(QChar::lowSurrogate(codePoint));
        } else {
            key += QChar(char16_t(codePoint));
        }
    }
    return key;
}

} // namespace

void RecordBatch::Meet(const QString& path, PathOrigin origin) {
    metOrigin_ = origin;
    same_ = -1;
    if (!indexed_ && !records_.empty()) {
        // Paths met under one folder generation begin with the same folder text, so only what
        // follows it needs comparing.
        const qsizetype shared =
            origin.folderGeneration == lastOrigin_.folderGeneration ? origin.folderLength : 0;
        const QStringView last = records_.back()->fileName;
        const int order = ComparePathKeys(last.sliced(shared), QStringView(path).sliced(shared));
        if (order == 0)
            same_ = runStart_;
        if (order <= 0)
            return;
        IndexAllPaths();
    }
    if (indexed_) {
        metKey_ = PathKey(path);
        same_ = firstOfKey_.value(metKey_, -1);
    }
}

void RecordBatch::Add(std::unique_ptr<Pdata> record) {
    const int index = int(records_.size());
    if (same_ < 0) {
        if (indexed_)
            firstOfKey_.insert(metKey_, index);
        else
            runStart_ = index;
    }
    records_.push_back(std::move(record));
    lastOrigin_ = metOrigin_;
}

std::vector<std::unique_ptr<Pdata>> RecordBatch::TakeRecords() {
    firstOfKey_.clear();
    indexed_ = false;
    runStart_ = -1;
    same_ = -1;
    return std::exchange(records_, {});
}

void RecordBatch::IndexAllPaths() {
    firstOfKey_.reserve(qsizetype(records_.size()) + 1);
    // Backwards, so that the first record of each key is the one the index keeps.
    for (int i = int(records_.size()) - 1; i >= 0; --i)
        firstOfKey_.insert(PathKey(records_[std::size_t(i)]->fileName), i);
    indexed_ = true;
}

} // namespace lumadex
