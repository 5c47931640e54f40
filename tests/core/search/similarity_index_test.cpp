#include "core/search/search_fixtures.h"
#include "search/full_search.h"
#include "search/index_plan.h"
#include "search/similarity.h"

#include <gtest/gtest.h>
#include <random>

namespace lumadex {
namespace {

using test::AddPicture;
using test::RecordingObserver;

std::uint32_t FlipRandomBits(std::uint32_t word, int count, std::mt19937& random) {
    for (int k = 0; k < count; ++k)
        word ^= 1u << (random() % 32);
    return word;
}

std::uint32_t ChangeRandomCells(std::uint32_t levels, int count, std::mt19937& random) {
    for (int k = 0; k < count; ++k) {
        const unsigned shift = 2 * (random() % 16);
        levels = (levels & ~(3u << shift)) | ((random() % 4) << shift);
    }
    return levels;
}

// A catalogue with clusters of near-duplicates, shared mismatch groups, sizes around each
// other, folders differing in letter case, subfolders, regions and unsigned records.
void FillRandomCatalogue(Catalogue& catalogue, std::mt19937& random, int count) {
    const char* folders[] = {"/pics", "/Pics", "/PICS/sub", "/pics/Sub", "/other", "/"};
    const std::int32_t sizes[] = {kUnknown, 0, 1000, 1090, 1100, 1210, 800, 2'000'000'000};
    std::vector<Pdata*> made;
    for (int i = 0; i < count; ++i) {
        std::uint32_t bits = random();
        std::uint32_t levels = random();
        std::int32_t size = sizes[random() % std::size(sizes)];
        if (!made.empty() && random() % 3 != 0) {
            const Pdata& original = *made[random() % made.size()];
            bits = FlipRandomBits(original.signatureBits, int(random() % 12), random);
            levels = ChangeRandomCells(original.signatureLevels, int(random() % 5), random);
            if (random() % 2 == 0)
                size = original.fileSize;
        }
        if (random() % 40 == 0)
            bits = kNoSignature;
        const QString path =
            QString("%1/%2.jpg").arg(folders[random() % std::size(folders)]).arg(i);
        Pdata& record =
            AddPicture(catalogue, path.startsWith("//") ? path.mid(1) : path, bits, levels, size,
                       std::uint16_t(random() % 4 == 0 ? 1 + random() % 3 : 0));
        if (!made.empty() && random() % 8 == 0) {
            const Pdata& other = *made[random() % made.size()];
            record.AddSubIndex(FlipRandomBits(other.signatureBits, int(random() % 6), random),
                               other.signatureLevels, 0, 0, 16, 16);
        }
        made.push_back(&record);
    }
}

SearchOptions RandomOptions(std::mt19937& random) {
    const int loosenesses[] = {0, 1, 2, 3, 4, 5, 8, 9, 15, 32};
    const int tolerances[] = {0, 1, 2, 3, 4, 16};
    const int ranges[] = {0, 1, 2, 9};
    SearchOptions options;
    options.notStrict = random() % 4 != 0;
    options.looseness = loosenesses[random() % std::size(loosenesses)];
    options.doubleCheck = random() % 4 != 0;
    options.levelTolerance = tolerances[random() % std::size(tolerances)];
    options.sizeCheck = random() % 3 == 0;
    options.sizeRange = ranges[random() % std::size(ranges)];
    options.excludeSameFolder = random() % 3 == 0;
    return options;
}

// A full search's visible outcome: the events and the group numbers left behind.
QStringList Search(Catalogue& catalogue, FullSearchSettings settings, SearchMethod method,
                   int stopAt) {
    settings.method = method;
    RecordingObserver observer;
    observer.stopAtMessageRun = stopAt;
    ListSimilarPictures(catalogue, settings, observer);
    for (int i = 0; i < catalogue.count(); ++i)
        observer.events << QString::number(catalogue.at(i).groupNo);
    return observer.events;
}

TEST(SimilarityIndexTest, IndexedFullSearchListsExactlyWhatTheScanLists) {
    std::mt19937 random(20240611);
    int listedSomething = 0;
    for (int round = 0; round < 400; ++round) {
        Catalogue catalogue;
        FillRandomCatalogue(catalogue, random, 40 + int(random() % 260));
        FullSearchSettings settings;
        settings.options = RandomOptions(random);
        settings.useSubIndex = random() % 2 == 0;
        const int stopAt = random() % 5 == 0 ? int(random() % catalogue.count()) : -1;
        const QStringList scanned = Search(catalogue, settings, SearchMethod::Scan, stopAt);
        ASSERT_EQ(Search(catalogue, settings, SearchMethod::Index, stopAt), scanned)
            << "round " << round;
        ASSERT_EQ(scanned.count("-1"), catalogue.count()) << "every group number cleared";
        listedSomething += scanned.filter("list ").size() > 0;
    }
    EXPECT_GT(listedSomething, 200) << "the catalogues must hold similar pictures";
}

} // namespace
} // namespace lumadex
