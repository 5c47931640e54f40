#include "catalogue/catalogue.h"

#include "catalogue/path_order.h"

#include <algorithm>
#include <iterator>

namespace lumadex {
namespace {

bool RecordLess(const std::unique_ptr<Pdata>& a, const std::unique_ptr<Pdata>& b) {
    return PathKeyLess(a->fileName, b->fileName);
}

} // namespace

int Catalogue::FindRecord(QStringView path) const {
    const auto it = std::lower_bound(records_.begin(), records_.end(), path,
                                     [](const std::unique_ptr<Pdata>& record, QStringView key) {
                                         return PathKeyLess(record->fileName, key);
                                     });
    if (it == records_.end() || ComparePathKeys((*it)->fileName, path) != 0)
        return -1;
    return int(it - records_.begin());
}

int Catalogue::IndexOf(const Pdata* record) const {
    if (record == nullptr)
        return -1;
    const int first = FindRecord(record->fileName);
    if (first < 0)
        return -1;
    for (int i = first; i < count() && ComparePathKeys(at(i).fileName, record->fileName) == 0;
         ++i) {
        if (&at(i) == record)
            return i;
    }
    return -1;
}

int Catalogue::AddRecord(std::unique_ptr<Pdata> record) {
    const auto place = std::upper_bound(records_.begin(), records_.end(), record, RecordLess);
    const auto inserted = records_.insert(place, std::move(record));
    return int(inserted - records_.begin());
}

void Catalogue::AddRecords(std::vector<std::unique_ptr<Pdata>> records, RecordOrder order) {
    if (order != RecordOrder::PathOrder &&
        !std::is_sorted(records.begin(), records.end(), RecordLess))
        std::stable_sort(records.begin(), records.end(), RecordLess);
    const auto oldCount = std::ptrdiff_t(records_.size());
    records_.insert(records_.end(), std::make_move_iterator(records.begin()),
                    std::make_move_iterator(records.end()));
    const auto middle = records_.begin() + oldCount;
    if (middle != records_.begin() && middle != records_.end() && RecordLess(*middle, middle[-1]))
        std::inplace_merge(records_.begin(), middle, records_.end(), RecordLess);
}

void Catalogue::RemoveAt(int index) {
    records_.erase(records_.begin() + index);
}

std::unique_ptr<Pdata> Catalogue::TakeAt(int index) {
    std::unique_ptr<Pdata> record = std::move(records_[std::size_t(index)]);
    records_.erase(records_.begin() + index);
    return record;
}

int Catalogue::ChangePath(int index, QString newPath) {
    std::unique_ptr<Pdata> record = TakeAt(index);
    record->fileName = std::move(newPath);
    return AddRecord(std::move(record));
}

} // namespace lumadex
