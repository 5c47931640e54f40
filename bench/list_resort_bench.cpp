// Sorting a long Reference list: a plain stable sort that collates two keys per comparison
// (the keys worked out once beforehand) against SortRecordsByKey (a prepared key per record).
// Prints both times and their ratio.
#include "catalogue/list_key_order.h"
#include "catalogue/list_sort.h"
#include "catalogue/sort_key.h"

#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <utility>
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
    const ListKeyOrder order(locale);
    std::vector<Pdata*> byCollating;
    for (const auto& record : records)
        byCollating.push_back(record.get());
    std::vector<Pdata*> byPreparedKeys = byCollating;

    const double start = CpuSeconds();
    std::vector<std::pair<QString, Pdata*>> keyed;
    keyed.reserve(byCollating.size());
    for (Pdata* record : byCollating)
        keyed.emplace_back(keyOf(*record), record);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&](const auto& a, const auto& b) { return order.Less(a.first, b.first); });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        byCollating[i] = keyed[i].second;
    const double middle = CpuSeconds();
    SortRecordsByKey(byPreparedKeys, keyOf, order);
    const double collating = middle - start;
    const double prepared = CpuSeconds() - middle;

    std::printf("%-28s %-6s collating %6.2f s cpu  prepared keys %6.3f s cpu  ratio %6.1fx  %s\n",
                title, qPrintable(locale.name()), collating, prepared, collating / prepared,
                byCollating == byPreparedKeys ? "same order" : "ORDER DIFFERS");
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
