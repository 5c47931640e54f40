// Times the full similar-picture search on synthetic catalogues of 100 000 and 1 000 000
// records against the straightforward scan written below, checks that both list the same
// records in the same order, and prints both times and their ratio.
//
// The signatures are drawn like real ones: the photographs of the shared test data are decoded
// and signed, and every synthetic picture mixes their cells and bits with random ones; a few
// per cent are look-alikes of earlier pictures (some bits flipped, some cells changed, a
// similar file size, often the same folder, now and then a mismatch group).
//
// Usage: search_bench [records...] [--prefix K] [--full]
//   records   catalogue sizes (default 100000 1000000)
//   --prefix  for catalogues above 100 000 records the straightforward scan searches only the
//             first K records (default 20000) and its full time is extrapolated; the project's
//             search is timed in full and also stopped after K records to check the listings
//   --full    run the straightforward scan in full whatever the size

#include "catalogue/catalogue.h"
#include "catalogue/path_order.h"
#include "catalogue/picture_loader.h"
#include "catalogue/signature.h"
#include "search/full_search.h"
#include "search/index_plan.h"
#include "search/similarity_index.h"
#include "search/similarity_scan.h"

#include <QDir>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace lumadex {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Words {
    std::uint32_t bits;
    std::uint32_t levels;
};

// Pictures painted when the photographs are missing: gradients, stripes and blobs.
Bitmap PaintedPicture(int variant) {
    Bitmap picture(96, 72, 24);
    std::mt19937 random{std::uint32_t(variant)};
    const int cx = int(random() % 96), cy = int(random() % 72), radius = 10 + int(random() % 40);
    const int stripe = 4 + int(random() % 20);
    for (int y = 0; y < 72; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < 96; ++x) {
            const bool inBlob = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
            row[3 * x] = std::uint8_t(inBlob ? 230 : (x * variant) % 256);
            row[3 * x + 1] = std::uint8_t((y * 3 + variant * 17) % 256);
            row[3 * x + 2] = std::uint8_t(((x / stripe) % 2) * 200 + variant);
        }
    }
    return picture;
}

std::vector<Words> BaseSignatures() {
    std::vector<Words> bases;
    const QDir photos(QStringLiteral(LUMADEX_TESTDATA_DIR) + "/photos");
    const PictureLoader loader = NativePictureLoader();
    for (const QString& name : photos.entryList({"*.jpg", "*.png"}, QDir::Files, QDir::Name)) {
        Bitmap bitmap;
        if (loader.LoadPicture(photos.filePath(name), bitmap) != DecodeStatus::Ok)
            continue;
        Pdata record(name);
        if (ComputeSignature(bitmap, record, false, 0, 0, 0, 0) != -1)
            bases.push_back({record.signatureBits, record.signatureLevels});
    }
    std::printf("signatures of %zu photographs", bases.size());
    int painted = 0;
    while (bases.size() < 32) {
        Pdata record(QStringLiteral("painted"));
        ComputeSignature(PaintedPicture(++painted), record, false, 0, 0, 0, 0);
        bases.push_back({record.signatureBits, record.signatureLevels});
    }
    std::printf(" and %d painted pictures\n", painted);
    return bases;
}

class SyntheticCatalogue {
public:
    explicit SyntheticCatalogue(std::vector<Words> bases) : bases_(std::move(bases)) {}

    void Fill(Catalogue& catalogue, int count) {
        std::vector<std::unique_ptr<Pdata>> records;
        records.reserve(std::size_t(count));
        std::uint16_t nextGroup = 1;
        for (int i = 0; i < count; ++i) {
            if (!records.empty() && Chance(kLookAlikePercent)) {
                Pdata& original = *records[random_() % records.size()];
                records.push_back(LookAlike(original, i));
                if (Chance(2)) {
                    if (original.mismatchId == 0)
                        original.mismatchId = nextGroup++;
                    records.back()->mismatchId = original.mismatchId;
                }
            } else {
                records.push_back(Original(i));
            }
        }
        // Records read from a database file are allocated in catalogue order; so are these.
        std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
            return PathKeyLess(a->fileName, b->fileName);
        });
        std::vector<std::unique_ptr<Pdata>> inOrder;
        inOrder.reserve(records.size());
        for (auto& record : records) {
            auto copy = std::make_unique<Pdata>(std::move(record->fileName));
            copy->signatureBits = record->signatureBits;
            copy->signatureLevels = record->signatureLevels;
            copy->fileSize = record->fileSize;
            copy->fileTime = record->fileTime;
            copy->mismatchId = record->mismatchId;
            inOrder.push_back(std::move(copy));
        }
        records.clear();
        catalogue.AddRecords(std::move(inOrder));
    }

private:
    static constexpr int kLookAlikePercent = 3;
    static constexpr int kFolders = 4000;

    bool Chance(int percent) { return int(random_() % 100) < percent; }

    // Each cell and bit comes from a photograph at the same place or, mostly, is random, with
    // random noise on top, so that unrelated pictures rarely match by chance.
    std::unique_ptr<Pdata> Original(int serial) {
        const Words& base = bases_[random_() % bases_.size()];
        const Words& other = bases_[random_() % bases_.size()];
        const auto randomBits = std::uint32_t(random_());
        const auto randomLevels = std::uint32_t(random_());
        const auto fromBase = std::uint32_t(random_()) & std::uint32_t(random_());
        const auto fromOther = std::uint32_t(random_()) & ~fromBase & std::uint32_t(random_());
        const std::uint32_t randomPart = ~(fromBase | fromOther);
        std::uint32_t cells = 0; // one mask bit per cell: the cell comes from the base
        for (int k = 0; k < 16; ++k)
            cells |= (Chance(35) ? 3u : 0u) << (2 * k);
        auto record = std::make_unique<Pdata>(Path(int(random_() % kFolders), serial));
        record->signatureBits =
            (base.bits & fromBase) | (other.bits & fromOther) | (randomBits & randomPart);
        record->signatureLevels = (base.levels & cells) | (randomLevels & ~cells);
        record->fileSize = 30'000 + int(random_() % 12'000'000);
        record->fileTime = 1'200'000'000 + int(random_() % 400'000'000);
        return record;
    }

    std::unique_ptr<Pdata> LookAlike(const Pdata& original, int serial) {
        const QString folder =
            Chance(40) ? QDir(original.fileName).path().section('/', 0, -2) : QString();
        auto record = std::make_unique<Pdata>(
            folder.isEmpty() ? Path(int(random_() % kFolders), serial)
                             : folder + QString("/img%1.jpg").arg(serial, 7, 10, QChar('0')));
        std::uint32_t bits = original.signatureBits;
        for (int flips = int(random_() % 11); flips > 0; --flips)
            bits ^= 1u << (random_() % 32);
        std::uint32_t levels = original.signatureLevels;
        for (int changes = int(random_() % 4); changes > 0; --changes) {
            const unsigned shift = 2 * unsigned(random_() % 16);
            levels = (levels & ~(3u << shift)) | (std::uint32_t(random_() % 4) << shift);
        }
        record->signatureBits = bits;
        record->signatureLevels = levels;
        record->fileSize =
            std::int32_t(original.fileSize * (0.9 + 0.2 * double(random_() % 1000) / 1000));
        record->fileTime = original.fileTime + int(random_() % 100'000);
        return record;
    }

    static QString Path(int folder, int serial) {
        return QString("/photos/f%1/img%2.jpg")
            .arg(folder, 4, 10, QChar('0'))
            .arg(serial, 7, 10, QChar('0'));
    }

    std::vector<Words> bases_;
    std::mt19937_64 random_{20240611};
};

// The full search as the straightforward algorithm: every record not yet found is compared
// with every later record; a record found by an earlier one is listed without being searched.
// Ends after stopAfter records. The catalogue holds no regions, so they are not searched.
std::vector<const Pdata*> StraightforwardSearch(Catalogue& catalogue, const SearchOptions& options,
                                                int stopAfter) {
    std::vector<const Pdata*> listed;
    SimilarityScan scan(catalogue, options);
    const int count = catalogue.count();
    for (int i = 0; i < std::min(count, stopAfter); ++i) {
        Pdata& record = catalogue.at(i);
        if (record.groupNo != kUnknown) {
            record.groupNo = kUnknown;
            listed.push_back(&record);
            continue;
        }
        bool isListed = false;
        for (int j = scan.FindNextSimilar(i - 1, 1, record); j != -1;
             j = scan.FindNextSimilar(j, 1, record)) {
            if (j == i)
                continue;
            if (!isListed)
                listed.push_back(&record);
            isListed = true;
            catalogue.at(j).groupNo = i;
        }
    }
    for (int i = 0; i < count; ++i)
        catalogue.at(i).groupNo = kUnknown;
    return listed;
}

class Listing : public FullSearchObserver {
public:
    explicit Listing(int stopAfter) : stopAfter_(stopAfter) {}
    std::vector<const Pdata*> listed;

    void RecordListed(Pdata& record) override { listed.push_back(&record); }
    bool ShouldStop() override { return ++runs_ > stopAfter_; }

private:
    int stopAfter_;
    int runs_ = 0;
};

std::vector<const Pdata*> ProjectSearch(Catalogue& catalogue, int stopAfter) {
    Listing listing(stopAfter);
    ListSimilarPictures(catalogue, FullSearchSettings(), listing);
    return listing.listed;
}

void RunCatalogue(const std::vector<Words>& bases, int count, int prefix, bool full) {
    Catalogue catalogue;
    Clock::time_point start = Clock::now();
    SyntheticCatalogue(bases).Fill(catalogue, count);
    std::printf("\n%d records (made in %.1f s)\n", count, SecondsSince(start));

    const SearchOptions defaults;
    const IndexPlan plan = PlanIndex(defaults);
    start = Clock::now();
    const SimilarityIndex index(catalogue, plan);
    std::printf("  index: %zu tables of %d key bits, %.1f bytes per record, built in %.3f s\n",
                plan.tables.size(), plan.keyBits, double(index.memoryBytes()) / count,
                SecondsSince(start));

    start = Clock::now();
    const std::vector<const Pdata*> ours = ProjectSearch(catalogue, count);
    const double ourSeconds = SecondsSince(start);
    std::printf("  project's full search:      %10.3f s, %zu listed (%.2f %%)\n", ourSeconds,
                ours.size(), 100.0 * double(ours.size()) / count);

    const bool sampled = !full && count > 100'000 && prefix < count;
    const int searched = sampled ? prefix : count;
    start = Clock::now();
    const std::vector<const Pdata*> straight = StraightforwardSearch(catalogue, defaults, searched);
    const double straightSeconds = SecondsSince(start);

    bool identical = false;
    double straightTotal = straightSeconds;
    if (sampled) {
        const std::vector<const Pdata*> oursPrefix = ProjectSearch(catalogue, searched);
        identical = oursPrefix == straight;
        // Searching record i costs about count - i comparisons.
        const double n = count, k = searched;
        straightTotal = straightSeconds * (n * (n + 1) / 2) / (k * n - k * (k - 1) / 2);
        std::printf("  straightforward scan:       %10.3f s for the first %d records searched\n",
                    straightSeconds, searched);
        std::printf("                  EXTRAPOLATED %10.1f s for all %d records (cost of record "
                    "i taken as count - i)\n",
                    straightTotal, count);
        std::printf("  listings of the first %d records identical: %s (%zu listed)\n", searched,
                    identical ? "yes" : "NO", straight.size());
    } else {
        identical = ours == straight;
        std::printf("  straightforward scan:       %10.3f s, %zu listed\n", straightSeconds,
                    straight.size());
        std::printf("  listings identical: %s\n", identical ? "yes" : "NO");
    }
    std::printf("  ratio straightforward / project: %.1f%s (goal >= 20)\n",
                straightTotal / ourSeconds, sampled ? " (straightforward time extrapolated)" : "");
}

} // namespace
} // namespace lumadex

int main(int argc, char** argv) {
    std::vector<int> sizes;
    int prefix = 20'000;
    bool full = false;
    for (int a = 1; a < argc; ++a) {
        if (std::strcmp(argv[a], "--prefix") == 0 && a + 1 < argc)
            prefix = std::atoi(argv[++a]);
        else if (std::strcmp(argv[a], "--full") == 0)
            full = true;
        else
            sizes.push_back(std::atoi(argv[a]));
    }
    if (sizes.empty())
        sizes = {100'000, 1'000'000};
    const std::vector<lumadex::Words> bases = lumadex::BaseSignatures();
    for (int count : sizes)
        lumadex::RunCatalogue(bases, count, prefix, full);
    return 0;
}
