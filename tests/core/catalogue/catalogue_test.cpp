#include "catalogue/catalogue.h"
#include "catalogue/path_order.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>

namespace lumadex {
namespace {

// The paths as "a|b|c", readable in a failure message.
std::string JoinedPaths(const Catalogue& catalogue) {
    QStringList paths;
    for (int i = 0; i < catalogue.count(); ++i)
        paths << catalogue.at(i).fileName;
    return paths.join(QLatin1Char('|')).toStdString();
}

TEST(PathOrderTest, ComparesUpperCasedPathsByCodePoint) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } rows[] = {
        // "_" (0x5F) follows every upper-cased letter; U+1D400 follows U+FFFD; Deseret small and
        // capital letters are equal.
        // clang-format off
        {"/pics/a.jpg", "/PICS/A.JPG", 0}, {"/pics/a", "/pics/a.jpg", -1},
        {"/pics/a_b", "/pics/AZ", 1}, {"/bilder/übung.jpg", "/BILDER/ÜBUNG.JPG", 0},
        {"/p/\xF0\x9D\x90\x80", "/p/\xEF\xBF\xBD", 1},
        {"/p/\xF0\x90\x90\xA8", "/p/\xF0\x90\x90\x80", 0},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QString a = QString::fromUtf8(row.a);
        const QString b = QString::fromUtf8(row.b);
        EXPECT_EQ(ComparePathKeys(a, b), row.expected) << row.a << " vs " << row.b;
        EXPECT_EQ(ComparePathKeys(b, a), -row.expected) << row.b << " vs " << row.a;
    }
}

// Records stay in path order whatever the letter case; equal paths in the order added.
TEST(CatalogueTest, FindsRecordsWhateverTheLetterCase) {
    Catalogue catalogue;
    for (const char* path : {"/pics/Holiday/IMG_0001.JPG", "/pics/zoo.png", "/pics/apple.bmp"})
        catalogue.AddRecord(std::make_unique<Pdata>(QString::fromUtf8(path)));
    auto twin = std::make_unique<Pdata>(QStringLiteral("/pics/a.jpg"));
    const Pdata* first = twin.get();
    EXPECT_EQ(catalogue.AddRecord(std::move(twin)), 0);
    EXPECT_EQ(catalogue.AddRecord(std::make_unique<Pdata>(QStringLiteral("/PICS/A.JPG"))), 1);
    EXPECT_EQ(JoinedPaths(catalogue),
              "/pics/a.jpg|/PICS/A.JPG|/pics/apple.bmp|/pics/Holiday/IMG_0001.JPG|/pics/zoo.png");
    EXPECT_EQ(catalogue.FindRecord(u"/pics/holiday/img_0001.jpg"), 3);
    EXPECT_EQ(catalogue.FindRecord(u"/Pics/A.jpg"), 0);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/apple.bm"), -1);
    const Pdata stranger(QStringLiteral("/pics/a.jpg"));
    EXPECT_EQ(catalogue.IndexOf(&stranger), -1);

    EXPECT_EQ(catalogue.ChangePath(2, QStringLiteral("/z/apple.bmp")), 4);
    EXPECT_EQ(catalogue.FindRecord(u"/Z/APPLE.BMP"), 4);
    EXPECT_EQ(catalogue.TakeAt(0).get(), first);
    catalogue.RemoveAt(0);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/a.jpg"), -1);
}

TEST(CatalogueTest, BulkAdditionEqualsAddingOneByOne) {
    // A database file arrives in path order; a merged or hand-made one may not.
    QStringList paths;
    for (int i = 0; i < 300; ++i)
        paths << QStringLiteral("/pics/%1/IMG%2.jpg").arg(i % 7).arg(i % 50);
    std::sort(paths.begin(), paths.end(), PathKeyLess);
    QStringList shuffled = paths;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));

    for (const QStringList* order : {&paths, &shuffled}) {
        for (const int alreadyPresent : {0, 120}) {
            Catalogue oneByOne;
            Catalogue bulk;
            std::vector<std::unique_ptr<Pdata>> batch;
            for (int i = 0; i < order->size(); ++i) {
                const auto record = [&] {
                    auto made = std::make_unique<Pdata>((*order)[i]);
                    made->groupNo = i; // tells records with equal paths apart
                    return made;
                };
                oneByOne.AddRecord(record());
                if (i < alreadyPresent)
                    bulk.AddRecord(record());
                else
                    batch.push_back(record());
            }
            bulk.AddRecords(std::move(batch));
            ASSERT_EQ(bulk.count(), oneByOne.count());
            for (int i = 0; i < bulk.count(); ++i)
                ASSERT_EQ(bulk.at(i).groupNo, oneByOne.at(i).groupNo)
                    << (order == &paths ? "sorted" : "shuffled") << alreadyPresent << " at " << i;
        }
    }
}

} // namespace
} // namespace lumadex
