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

std::unique_ptr<Pdata> Record(const char* path) {
    return std::make_unique<Pdata>(QString::fromUtf8(path));
}

// The paths as "a|b|c", readable in a failure message.
std::string JoinedPaths(const Catalogue& catalogue) {
    QStringList paths;
    for (int i = 0; i < catalogue.count(); ++i)
        paths << catalogue.at(i).fileName;
    return paths.join(QLatin1Char('|')).toStdString();
}

TEST(PathOrderTest, ComparesUpperCasedPathsOrdinally) {
    struct Row {
        const char* a;
        const char* b;
        int expected;
    };
    const Row rows[] = {
        {"/pics/a.jpg", "/PICS/A.JPG", 0},
        {"/pics/a.jpg", "/pics/b.jpg", -1},
        {"/pics/B.jpg", "/pics/a.jpg", 1},
        {"/pics/a", "/pics/a.jpg", -1},
        {"", "", 0},
        {"", "a", -1},
        // Upper-cased, the underscore (0x5F) sorts after every letter.
        {"/pics/a_b", "/pics/AZ", 1},
        {"/bilder/übung.jpg", "/BILDER/ÜBUNG.JPG", 0},
        {"/bilder/über.jpg", "/bilder/zebra.jpg", 1},
        {"/фото/кот.jpg", "/ФОТО/КОТ.JPG", 0},
        // Characters beyond the basic plane (surrogate pairs) compare by code point.
        {"/p/\xF0\x9D\x90\x80.jpg", "/p/\xEF\xBF\xBD.jpg", 1},
        {"/p/\xF0\x90\x90\xA8", "/p/\xF0\x90\x90\x80", 0}, // Deseret small and capital letter
    };
    for (const Row& row : rows) {
        const QString a = QString::fromUtf8(row.a);
        const QString b = QString::fromUtf8(row.b);
        EXPECT_EQ(ComparePathKeys(a, b), row.expected) << row.a << " vs " << row.b;
        EXPECT_EQ(ComparePathKeys(b, a), -row.expected) << row.b << " vs " << row.a;
    }
}

TEST(CatalogueTest, FindRecordIgnoresLetterCase) {
    Catalogue catalogue;
    catalogue.AddRecord(Record("/pics/Holiday/IMG_0001.JPG"));
    catalogue.AddRecord(Record("/pics/zoo.png"));
    catalogue.AddRecord(Record("/pics/apple.bmp"));

    EXPECT_EQ(JoinedPaths(catalogue), "/pics/apple.bmp|/pics/Holiday/IMG_0001.JPG|/pics/zoo.png");
    EXPECT_EQ(catalogue.FindRecord(u"/pics/holiday/img_0001.jpg"), 1);
    EXPECT_EQ(catalogue.FindRecord(u"/PICS/HOLIDAY/IMG_0001.JPG"), 1);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/ZOO.PNG"), 2);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/apple.bm"), -1);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/zoo.png "), -1);
    EXPECT_EQ(catalogue.FindRecord(u""), -1);
    EXPECT_EQ(Catalogue().FindRecord(u"/pics/zoo.png"), -1);
}

TEST(CatalogueTest, EqualPathsAreKeptInTheOrderAdded) {
    Catalogue catalogue;
    auto first = Record("/pics/a.jpg");
    auto second = Record("/PICS/A.JPG");
    auto third = Record("/pics/a.jpg");
    Pdata* firstRecord = first.get();
    Pdata* secondRecord = second.get();
    Pdata* thirdRecord = third.get();
    catalogue.AddRecord(Record("/pics/b.jpg"));
    EXPECT_EQ(catalogue.AddRecord(std::move(first)), 0);
    EXPECT_EQ(catalogue.AddRecord(std::move(second)), 1);
    EXPECT_EQ(catalogue.AddRecord(std::move(third)), 2);

    EXPECT_EQ(catalogue.FindRecord(u"/Pics/A.jpg"), 0);
    EXPECT_EQ(catalogue.IndexOf(firstRecord), 0);
    EXPECT_EQ(catalogue.IndexOf(secondRecord), 1);
    EXPECT_EQ(catalogue.IndexOf(thirdRecord), 2);
    const Pdata stranger(QStringLiteral("/pics/a.jpg"));
    EXPECT_EQ(catalogue.IndexOf(&stranger), -1);
    EXPECT_EQ(catalogue.IndexOf(nullptr), -1);

    catalogue.RemoveAt(1);
    EXPECT_EQ(catalogue.IndexOf(thirdRecord), 1);
    EXPECT_EQ(catalogue.count(), 3);
    std::unique_ptr<Pdata> taken = catalogue.TakeAt(0);
    EXPECT_EQ(taken.get(), firstRecord);
    EXPECT_EQ(catalogue.FindRecord(u"/pics/a.jpg"), 0);
}

TEST(CatalogueTest, ChangePathKeepsTheOrder) {
    Catalogue catalogue;
    catalogue.AddRecord(Record("/a/1.jpg"));
    catalogue.AddRecord(Record("/a/2.jpg"));
    catalogue.AddRecord(Record("/a/3.jpg"));
    Pdata* moved = &catalogue.at(0);

    EXPECT_EQ(catalogue.ChangePath(0, QStringLiteral("/b/1.jpg")), 2);
    EXPECT_EQ(&catalogue.at(2), moved);
    EXPECT_EQ(catalogue.FindRecord(u"/B/1.JPG"), 2);
    EXPECT_EQ(catalogue.FindRecord(u"/a/1.jpg"), -1);
}

TEST(CatalogueTest, AddRecordsInBulkMatchesAddingOneByOne) {
    // A database file normally arrives in order; a hand-edited or merged one may not.
    QStringList paths;
    for (int i = 0; i < 300; ++i)
        paths << QStringLiteral("/pics/%1/img%2.jpg").arg(i % 7).arg(i % 50);
    std::mt19937 random(7);
    const struct {
        const char* name;
        bool shuffle;
        int alreadyPresent;
    } cases[] = {{"sorted into empty", false, 0},
                 {"shuffled into empty", true, 0},
                 {"sorted into filled", false, 120},
                 {"shuffled into filled", true, 120}};
    for (const auto& c : cases) {
        QStringList batchPaths = paths;
        std::sort(batchPaths.begin(), batchPaths.end(),
                  [](const QString& a, const QString& b) { return PathKeyLess(a, b); });
        if (c.shuffle)
            std::shuffle(batchPaths.begin(), batchPaths.end(), random);

        Catalogue oneByOne;
        Catalogue bulk;
        for (int i = 0; i < c.alreadyPresent; ++i) {
            oneByOne.AddRecord(std::make_unique<Pdata>(batchPaths[i]));
            bulk.AddRecord(std::make_unique<Pdata>(batchPaths[i]));
        }
        std::vector<std::unique_ptr<Pdata>> batch;
        for (qsizetype i = c.alreadyPresent; i < batchPaths.size(); ++i) {
            auto record = std::make_unique<Pdata>(batchPaths[i]);
            record->groupNo = int(i); // tells records with equal paths apart
            auto twin = std::make_unique<Pdata>(batchPaths[i]);
            twin->groupNo = int(i);
            oneByOne.AddRecord(std::move(twin));
            batch.push_back(std::move(record));
        }
        bulk.AddRecords(std::move(batch));

        ASSERT_EQ(bulk.count(), oneByOne.count()) << c.name;
        for (int i = 0; i < bulk.count(); ++i) {
            EXPECT_EQ(bulk.at(i).fileName, oneByOne.at(i).fileName) << c.name << " at " << i;
            EXPECT_EQ(bulk.at(i).groupNo, oneByOne.at(i).groupNo) << c.name << " at " << i;
        }
        for (const QString& path : paths)
            EXPECT_GE(bulk.FindRecord(path.toUpper()), 0) << c.name << ": " << path.toStdString();
    }
}

} // namespace
} // namespace lumadex
