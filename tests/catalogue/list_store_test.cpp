#include "catalogue/list_key_order.h"
#include "catalogue/record_list_store.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <string>

namespace lumadex {
namespace {

const QLocale kLocales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                            QLocale(QLocale::German, QLocale::Germany),
                            QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c()};

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(ListKeyOrderTest, HyphenHasNoWeightButStillTellsKeysApart) {
    struct Row {
        const char* a;
        const char* b;
        int expected;
    };
    const Row rows[] = {
        {"abc", "ABC", 0},
        {"a-b", "A-B", 0},
        {"a-c", "ab", 1}, // compared as "ac" and "ab"
        {"ab-", "ab", 1}, // equal but for the hyphen: the hyphen decides last
        {"a-b", "a-c", -1},
        {"-2147483648", "2147483647", 1}, // unknown dates and sizes sort after known ones
        {"-2147483648", "0000000000", 1},
        {"0000000017", "0000000100", -1},
        {"img-2.jpg", "img1.jpg", 1},
    };
    for (const QLocale& locale : kLocales) {
        const ListKeyOrder order(locale);
        for (const Row& row : rows) {
            const QString a = QString::fromUtf8(row.a);
            const QString b = QString::fromUtf8(row.b);
            EXPECT_EQ(Sign(order.Compare(a, b)), row.expected)
                << locale.name().toStdString() << ": " << row.a << " vs " << row.b;
            EXPECT_EQ(Sign(order.Compare(b, a)), -row.expected)
                << locale.name().toStdString() << ": " << row.b << " vs " << row.a;
        }
        // Keys that differ only in their hyphens are two keys, in a fixed order.
        EXPECT_NE(order.Compare(u"ab", u"a-b"), 0) << locale.name().toStdString();
    }
}

TEST(ListKeyOrderTest, FollowsTheLocalesCollation) {
    const ListKeyOrder german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_LT(german.Compare(u"Äpfel", u"Birnen"), 0);
    EXPECT_LT(german.Compare(u"apfel", u"Birnen"), 0);
    EXPECT_LT(german.Compare(u"Birnen", u"cherry"), 0);
}

TEST(ListKeyOrderTest, SortsWithoutContradictions) {
    // A sort needs a strict weak order: with hyphens in play this is easy to get wrong.
    QStringList keys = {"ab", "a-b", "A-B",  "-ab", "ab-",        "a--b",
                        "aB", "abc", "a-bc", "ac",  "a-c",        "b",
                        "-b", "",    "-",    "--",  "2147483647", "-2147483648"};
    const ListKeyOrder order(kLocales[0]);
    for (const QString& a : keys) {
        EXPECT_EQ(order.Compare(a, a), 0) << a.toStdString();
        for (const QString& b : keys) {
            EXPECT_EQ(Sign(order.Compare(a, b)), -Sign(order.Compare(b, a)))
                << a.toStdString() << " vs " << b.toStdString();
            for (const QString& c : keys) {
                if (order.Less(a, b) && order.Less(b, c)) {
                    EXPECT_TRUE(order.Less(a, c))
                        << a.toStdString() << " < " << b.toStdString() << " < " << c.toStdString();
                }
            }
        }
    }
}

// A few records to point at; the store never owns them.
struct Records {
    std::deque<Pdata> all;
    Pdata* Make(const char* path) { return &all.emplace_back(QString::fromUtf8(path)); }
};

QStringList KeysOf(const RecordListStore& store) {
    QStringList keys;
    for (int i = 0; i < store.count(); ++i)
        keys << store.keyAt(i);
    return keys;
}

// The keys as "a|b|c", readable in a failure message.
std::string JoinedKeys(const RecordListStore& store) {
    return KeysOf(store).join(QLatin1Char('|')).toStdString();
}

TEST(RecordListStoreTest, ReferenceStoreKeepsEqualKeysInAdditionOrder) {
    Records records;
    Pdata* a = records.Make("/x/a.jpg");
    Pdata* b = records.Make("/y/a.jpg");
    Pdata* c = records.Make("/z/c.jpg");
    RecordListStore store(EqualKeys::Accept, ListKeyOrder(kLocales[0]));
    EXPECT_EQ(store.Add("c.jpg", c), 0);
    EXPECT_EQ(store.Add("a.jpg", a), 0);
    EXPECT_EQ(store.Add("A.JPG", b), 1);
    EXPECT_EQ(store.Add("a.jpg", a), 2);

    EXPECT_EQ(JoinedKeys(store), "a.jpg|A.JPG|a.jpg|c.jpg");
    EXPECT_EQ(store.recordAt(1), b);
    EXPECT_EQ(store.IndexOfRecord(a), 0);
    EXPECT_EQ(store.IndexOfRecord(c), 3);

    EXPECT_EQ(store.RemoveRecord(a), 2);
    EXPECT_EQ(store.RemoveRecord(a), 0);
    EXPECT_EQ(JoinedKeys(store), "A.JPG|c.jpg");
    EXPECT_EQ(store.IndexOfRecord(a), -1);
}

TEST(RecordListStoreTest, TargetStoreKeepsOneEntryPerKeyHoldingTheLastRecordAdded) {
    Records records;
    Pdata* first = records.Make("/x/img.jpg");
    Pdata* second = records.Make("/y/IMG.JPG");
    Pdata* other = records.Make("/y/img-1.jpg");
    RecordListStore store(EqualKeys::KeepLastAdded, ListKeyOrder(kLocales[0]));
    EXPECT_EQ(store.Add("img.jpg", first), 0);
    EXPECT_EQ(store.Add("img-1.jpg", other), 1);
    EXPECT_EQ(store.Add("IMG.JPG", second), 0);
    EXPECT_EQ(store.Add("img.jpg", second), 0);

    EXPECT_EQ(JoinedKeys(store), "img.jpg|img-1.jpg");
    EXPECT_EQ(store.recordAt(0), second);
    EXPECT_EQ(store.recordAt(1), other);
    // "img1.jpg" differs from "img-1.jpg" only by the hyphen: a key of its own.
    const int added = store.Add("img1.jpg", first);
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(store.keyAt(added), "img1.jpg");
    EXPECT_EQ(store.recordAt(added), first);
    EXPECT_EQ(store.RemoveRecord(second), 1);
    EXPECT_EQ(store.count(), 2);
}

TEST(RecordListStoreTest, AddAllAndRekeyGiveWhatAddingOneByOneGives) {
    Records records;
    std::vector<RecordListStore::Entry> entries;
    const char* keys[] = {"m", "b-a", "B", "ba", "z", "b", "a", "M", "ba", "-1", "1"};
    for (const char* key : keys)
        entries.push_back({QString::fromUtf8(key), records.Make(key)});

    for (const EqualKeys rule : {EqualKeys::Accept, EqualKeys::KeepLastAdded}) {
        RecordListStore oneByOne(rule, ListKeyOrder(kLocales[0]));
        RecordListStore bulk(rule, ListKeyOrder(kLocales[0]));
        oneByOne.Add("b", records.Make("early"));
        bulk.Add("b", oneByOne.recordAt(0));
        for (const auto& entry : entries)
            oneByOne.Add(entry.key, entry.record);
        bulk.AddAll(entries);
        ASSERT_EQ(JoinedKeys(bulk), JoinedKeys(oneByOne)) << int(rule);
        for (int i = 0; i < bulk.count(); ++i)
            EXPECT_EQ(bulk.recordAt(i), oneByOne.recordAt(i)) << int(rule) << " at " << i;

        // New keys from the records' paths, reversed: the store re-sorts itself.
        bulk.Rekey([](const Pdata& record) {
            QString key = record.fileName;
            std::reverse(key.begin(), key.end());
            return key;
        });
        const QStringList rekeyed = KeysOf(bulk);
        const ListKeyOrder order(kLocales[0]);
        EXPECT_TRUE(std::is_sorted(
            rekeyed.begin(), rekeyed.end(),
            [&order](const QString& a, const QString& b) { return order.Less(a, b); }))
            << JoinedKeys(bulk);
    }
}

} // namespace
} // namespace lumadex
