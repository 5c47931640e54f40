// Re-sorting a long Reference list: the list store's own Rekey (a collation per comparison)
// against ResortList (a prepared collation key per entry). Prints both times and their ratio.
#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"
#include "catalogue/sort_key_resort.h"

#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace lumadex;

std::vector<std::unique_ptr<Pdata>> MakeRecords(int count) {
    std::mt19937 random(12345);
    const char* const words[] = {"IMG-2023-", "img", "DSC", "scan-", "photo_", "Beach", "2024-05-"};
    std::vector<std::unique_ptr<Pdata>> records;
    records.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString folder = QStringLiteral("/home/user/Pictures/%1/").arg(random() % 500);
        const QString name =
            QStringLiteral("%1%2.jpg").arg(words[random() % 7]).arg(random() % 100000);
        auto record = std::make_unique<Pdata>(folder + name);
        record->fileSize = std::int32_t(random() % 20000000);
        record->fileTime = std::int32_t(1000000000 + random() % 700000000);
        records.push_back(std::move(record));
    }
    return records;
}

// Processor time of this thread, so that other work on the machine does not count.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void Measure(const char* title, const QLocale& locale, SortKeyFunction keyOf,
             const std::vector<std::unique_ptr<Pdata>>& records) {
    auto fill = [&](RecordListStore& store) {
        std::vector<RecordListStore::Entry> entries;
        for (const auto& record : records)
            entries.push_back({QString(), record.get()});
        store.AddAll(std::move(entries));
    };
    RecordListStore byRekey(EqualKeys::Accept, ListKeyOrder(locale));
    RecordListStore byResort(EqualKeys::Accept, ListKeyOrder(locale));
    fill(byRekey);
    fill(byResort);

    const double start = CpuSeconds();
    byRekey.Rekey(keyOf);
    const double middle = CpuSeconds();
    ResortList(byResort, keyOf, locale);
    const double rekey = middle - start;
    const double resort = CpuSeconds() - middle;

    bool same = byRekey.count() == byResort.count();
    for (int i = 0; same && i < byRekey.count(); ++i)
        same = byRekey.recordAt(i) == byResort.recordAt(i);
    std::printf("%-28s %-6s Rekey %6.2f s cpu  ResortList %6.2f s cpu  ratio %5.1fx  %s\n", title,
                qPrintable(locale.name()), rekey, resort, rekey / resort,
                same ? "same order" : "ORDER DIFFERS");
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const auto records = MakeRecords(count);
    std::printf("%d records\n", count);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        Measure("Name, SmartSort", locale, SortKeyFor(SortMode::Name, true), records);
        Measure("PathName", locale, SortKeyFor(SortMode::PathName, false), records);
        Measure("Date", locale, SortKeyFor(SortMode::Date, false), records);
    }
    return 0;
}
