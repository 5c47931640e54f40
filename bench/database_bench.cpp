// Writes and reads a database of a million records and compares each with moving the same
// bytes without building or parsing them; prints the memory a loaded record costs.
//
// Usage: database_bench [record count] [folder for the files]

#include "bench_library.h"
#include "document/document.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

using namespace lumadex;
using bench::FillCatalogue;
using bench::SaveTo;
using Clock = std::chrono::steady_clock;

constexpr int kRepeats = 5;

// The fastest of kRepeats runs, in seconds.
double Fastest(const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The whole file in one buffer, read as the database reader reads it.
QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const qint64 count = file.read(bytes.data() + got, bytes.size() - got);
        if (count <= 0)
            return {};
        got += count;
    }
    return bytes;
}

// Touches every byte, a word at a time: the least any reader of the bytes does.
std::uint64_t WalkBytes(const QByteArray& bytes) {
    std::uint64_t sum = 0;
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.constData() + i, sizeof word);
        sum += word;
    }
    for (; i < bytes.size(); ++i)
        sum += std::uint8_t(bytes[i]);
    return sum;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const QString databasePath = QDir(folder).filePath("bench.lx2");
    const QString copyPath = QDir(folder).filePath("bench-copy.lx2");

    double writeSeconds = 0;
    {
        SaveTo questions(databasePath);
        Document document(PictureLoader(), questions);
        FillCatalogue(document, count);
        writeSeconds = Fastest([&] {
            document.setDataChanged(true);
            if (document.SaveAs() != SaveOutcome::Saved)
                std::fprintf(stderr, "save failed\n");
        });
    }
    const QByteArray bytes = ReadAll(databasePath);
    const double plainWriteSeconds = Fastest([&] {
        QFile file(copyPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::fprintf(stderr, "plain write failed\n");
    });
    // The save replaces the file only once it is complete and synced; the same done with the
    // finished bytes.
    const double replacingWriteSeconds = Fastest([&] {
        QSaveFile file(copyPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            std::fprintf(stderr, "replacing write failed\n");
    });

    // The plain read runs beside each parsing read, so that both see the same machine load.
    std::uint64_t sum = 0;
    double plainReadSeconds = 1e30;
    double readSeconds = 1e30;
    std::size_t heapGrowth = 0;
    std::size_t utf16Bytes = 0;
    std::size_t utf8Bytes = 0;
    int recordsRead = 0;
    for (int i = 0; i < kRepeats; ++i) {
        const auto plainStart = Clock::now();
        {
            const QByteArray again = ReadAll(databasePath);
            sum += WalkBytes(again);
        }
        plainReadSeconds = std::min(
            plainReadSeconds, std::chrono::duration<double>(Clock::now() - plainStart).count());

        SaveTo questions(databasePath);
        const std::size_t heapBefore = HeapInUse();
        auto document = std::make_unique<Document>(PictureLoader(), questions);
        document->setPendingDatabasePath(databasePath);
        const auto start = Clock::now();
        document->ReadDatabase();
        readSeconds =
            std::min(readSeconds, std::chrono::duration<double>(Clock::now() - start).count());
        heapGrowth = HeapInUse() - heapBefore;
        // Pooled records reuse the slots of records destroyed before, so the heap does not
        // show them: each costs its slot.
        if (kPdataPooled)
            heapGrowth += std::size_t(document->catalogue().count()) * sizeof(Pdata);
        recordsRead = document->catalogue().count();
        utf16Bytes = utf8Bytes = 0;
        for (int r = 0; r < recordsRead; ++r) {
            const QString& path = document->catalogue().at(r).fileName;
            utf16Bytes += std::size_t(path.size()) * sizeof(QChar);
            utf8Bytes += std::size_t(path.toUtf8().size());
        }
    }

    std::printf("records: %d written, %d read back; file %lld bytes\n", count, recordsRead,
                static_cast<long long>(bytes.size()));
    std::printf("write: %.3f s; the same bytes written whole: replacing the file %.3f s, ratio "
                "%.2f (goal <= 3); plain write without sync %.3f s, ratio %.2f\n",
                writeSeconds, replacingWriteSeconds, writeSeconds / replacingWriteSeconds,
                plainWriteSeconds, writeSeconds / plainWriteSeconds);
    std::printf("read:  %.3f s, plain read and walk %.3f s, ratio %.2f (goal <= 3)  [sum %llu]\n",
                readSeconds, plainReadSeconds, readSeconds / plainReadSeconds,
                static_cast<unsigned long long>(sum));
    std::printf("memory per record beyond its path's characters (2 bytes each): %.1f bytes "
                "(goal <= 200)\n",
                double(heapGrowth - utf16Bytes) / recordsRead);
    std::printf("memory per record beyond its path's UTF-8 bytes: %.1f bytes\n",
                double(heapGrowth - utf8Bytes) / recordsRead);
    return 0;
}
