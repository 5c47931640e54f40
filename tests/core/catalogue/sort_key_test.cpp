#include "catalogue/list_key_order.h"
#include "catalogue/list_sort.h"
#include "catalogue/sort_key.h"
#include "options/option_model.h"

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace lumadex {
namespace {

TEST(NumberedNameTest, FirstDigitRunBecomesAtLeastSixDigits) {
    // Only ASCII digits count.
    const struct {
        const char* name;
        const char* expected;
    } rows[] = {
        // clang-format off
        {"p2.jpg", "p000002.jpg"}, {"a10b2", "a000010b2"}, {"photo.jpg", "photo.jpg"}, {"", ""},
        {"0", "000000"}, {"123456.png", "123456.png"}, {"1234567.png", "1234567.png"},
        {"v\u0663.jpg", "v\u0663.jpg"},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(NumberedName(QString::fromUtf8(row.name)), QString::fromUtf8(row.expected))
            << row.name;
}

TEST(SortKeyTest, OptionsChooseTheKey) {
    Pdata record(QStringLiteral("/home/me/img7.jpg"));
    record.fileSize = 1536;
    record.fileTime = 1000000000;
    const struct {
        OptionId button;
        bool smart;
        const char* expected;
    } rows[] = {
        // clang-format off
        {OptionId::byName, false, "img7.jpg"}, {OptionId::byName, true, "img000007.jpg"},
        {OptionId::byPathname, false, "/home/me/img7.jpg"},
        {OptionId::byPathname, true, "/home/me/ img000007.jpg"},
        {OptionId::RadioButtonbyDate, true, "1147483647"},
        {OptionId::bySimilarity, false, "2147482111"},
        // clang-format on
    };
    for (const auto& row : rows) {
        OptionModel options;
        ASSERT_TRUE(options.setValue(row.button, 1));
        ASSERT_TRUE(options.setValue(OptionId::SmartSort, row.smart ? 1 : 0));
        EXPECT_EQ(ChooseSortKey(options)(record), QString::fromUtf8(row.expected))
            << RowOf(row.button).name << " smart " << row.smart;
    }
}

// Ten digits counting down, so that the newest and largest sort first; unknown values get a key
// that the list order puts after every known one. Times before 1970 count as the oldest known.
TEST(SortKeyTest, DateAndSizeKeysCountDown) {
    const struct {
        std::int32_t value;
        const char *dateKey, *sizeKey;
    } rows[] = {{2147483647, "0000000000", "0000000000"},
                {-315619200, "2147483647", "-2147483648"},
                {-1, "-2147483648", "-2147483648"}};
    for (const auto& row : rows) {
        Pdata record(QStringLiteral("/p.jpg"));
        record.fileSize = record.fileTime = row.value;
        EXPECT_EQ(DateKey(record), row.dateKey) << row.value;
        EXPECT_EQ(SizeKey(record), row.sizeKey) << row.value;
    }
}

// count records named by two random stems and a random number, in one of three folders; with
// sizes and times, a fifth of them unknown.
std::vector<std::unique_ptr<Pdata>> RandomRecords(const std::vector<const char*>& stems, int count,
                                                  unsigned seed, const QString& folder = "/f%1/") {
    std::mt19937 random(seed);
    const auto stem = [&] { return QString::fromUtf8(stems[random() % stems.size()]); };
    std::vector<std::unique_ptr<Pdata>> records;
    for (int i = 0; i < count; ++i) {
        const QString name = stem() + stem() + QString::number(random() % 40) + ".jpg";
        auto record = std::make_unique<Pdata>(folder.arg(random() % 3) + name);
        record->fileSize = random() % 5 == 0 ? -1 : std::int32_t(random() % 50);
        record->fileTime = random() % 5 == 0 ? -1 : std::int32_t(random() % 50);
        records.push_back(std::move(record));
    }
    return records;
}

TEST(ListSortTest, SameOrderAsAStableSortComparingTheKeys) {
    // Case variants, hyphens that decide only last, equal keys, digit runs, accents, punctuation
    // of every kind. Names that share long beginnings, so that the rest of the key decides, in deep
    // folders, so that path keys share far more than one step of prepared rank bytes; without
    // hyphens, equal rank bytes mean equal keys but for letter case, which only the rank bytes
    // order. Short lists too, whose prepared keys fit in a string's inline buffer.
    const QString deep = "/home/someone/Pictures/Holidays/Event_%1/";
    const std::vector<const char*> longStems = {"IMG_2024_0", "img_2024_0", "IMG_2024_1",
                                                "IMG_2024", "IMG_20"};
    std::vector<const char*> hyphenated = longStems;
    hyphenated.insert(hyphenated.end(), {"IMG-2024_0", "img_2024_0-"});
    const std::vector<std::unique_ptr<Pdata>> recordSets[] = {
        RandomRecords({"img", "IMG", "i-mg", "Img-", "photo", "Photo", "pho-to", "é", "E", "e", "-",
                       "z", "2024-05-01", "20240501", "scan_", "Scan"},
                      600, 7),
        RandomRecords({"a b", "a_b", "a.b",  "a(1)", "a~b", "a'b", "a,b", "A!b",  "a#b", "a+b",
                       "a=b", "a@b", "a[b]", "a{b}", "a$b", "a%b", "a&b", "a;b",  "a`b", "a^b",
                       "ab",  "AB",  "a-b",  "a\\b", "a|b", "a<b", "a?b", "a\"b", "a*b", "a:b",
                       " ",   "Z",   "z9",   "z10",  "aa",  "ch",  "ci"},
                      600, 11),
        RandomRecords(hyphenated, 600, 13, deep), RandomRecords(longStems, 600, 13, deep),
        RandomRecords(hyphenated, 3, 13, deep)};
    const SortKeyFunction keys[] = {NameKey, NumberedNameKey, PathNameKey, NumberedPathNameKey,
                                    DateKey, SizeKey};
    for (std::size_t set = 0; set < std::size(recordSets); ++set) {
        std::vector<Pdata*> records;
        for (const auto& record : recordSets[set])
            records.push_back(record.get());
        for (const QLocale& locale :
             {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
              QLocale(QLocale::Czech), QLocale(QLocale::Danish)}) {
            const ListKeyOrder order(locale);
            for (std::size_t k = 0; k < std::size(keys); ++k) {
                std::vector<Pdata*> expected = records;
                std::stable_sort(expected.begin(), expected.end(), [&](Pdata* a, Pdata* b) {
                    return order.Less(keys[k](*a), keys[k](*b));
                });
                std::vector<Pdata*> sorted = records;
                SortRecordsByKey(sorted, keys[k], order);

                const auto where = "set " + std::to_string(set) + " " +
                                   locale.name().toStdString() + " key " + std::to_string(k);
                for (std::size_t i = 0; i < expected.size(); ++i)
                    ASSERT_EQ(sorted[i], expected[i])
                        << where << " row " << i << ": " << sorted[i]->fileName.toStdString()
                        << " instead of " << expected[i]->fileName.toStdString();
            }
        }
    }
}

} // namespace
} // namespace lumadex
