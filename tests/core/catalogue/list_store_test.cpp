#include "catalogue/list_key_order.h"
#include "catalogue/record_list_store.h"

#include <QLocale>
#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <string>

namespace lumadex {
namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// "a-c" compares as "ac"; "ab-" and "ab" are equal but for the hyphen, which decides last; unknown
// dates and sizes sort after known ones.
TEST(ListKeyOrderTest, HyphenHasNoWeightButStillTellsKeysApart) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } rows[] = {
        // clang-format off
        {"abc", "ABC", 0}, {"a-b", "A-B", 0}, {"a-c", "ab", 1}, {"ab-", "ab", 1},
        {"-2147483648", "2147483647", 1}, {"0000000017", "0000000100", -1},
        // clang-format on
    };
    for (const QLocale& locale : {kEnglish, QLocale::c()}) {
        const ListKeyOrder order(locale);
        for (const auto& row : rows) {
            const QString a = QString::fromUtf8(row.a), b = QString::fromUtf8(row.b);
            const std::string name = locale.name().toStdString() + ": " + row.a + " vs " + row.b;
            EXPECT_EQ(Sign(order.Compare(a, b)), row.expected) << name;
            EXPECT_EQ(Sign(order.Compare(b, a)), -row.expected) << name;
        }
    }
    EXPECT_LT(ListKeyOrder(QLocale(QLocale::German)).Compare(u"Äpfel", u"Birnen"), 0);
}

// The keys as "a|b|c", readable in a failure message.
std::string JoinedKeys(const RecordListStore& store) {
    QStringList keys;
    for (int i = 0; i < store.count(); ++i)
        keys << store.keyAt(i);
    return keys.join(QLatin1Char('|')).toStdString();
}

// Both stores list the same records in the same order.
void ExpectSameEntries(const RecordListStore& actual, const RecordListStore& expected,
                       const std::string& name) {
    ASSERT_EQ(JoinedKeys(actual), JoinedKeys(expected)) << name;
    for (int i = 0; i < actual.count(); ++i)
        EXPECT_EQ(actual.recordAt(i), expected.recordAt(i)) << name << " at " << i;
}

// Records whose whole path is their key.
QString PathKey(const Pdata& record) {
    return record.fileName;
}

std::deque<Pdata> RecordsAt(std::initializer_list<const char*> paths) {
    std::deque<Pdata> records;
    for (const char* path : paths)
        records.emplace_back(QString::fromUtf8(path));
    return records;
}

// A Reference store lists a record once per addition; a Target store once in all, and lists a
// different record with an equal key too (a copy of the picture in another folder, say).
TEST(RecordListStoreTest, EqualKeysStayInAdditionOrder) {
    std::deque<Pdata> records = RecordsAt({"a.jpg", "A.JPG", "c.jpg", "a-1.jpg", "a1.jpg"});
    Pdata* a = &records[0];
    Pdata* b = &records[1];
    RecordListStore reference(EqualKeys::Accept, ListKeyOrder(kEnglish), PathKey);
    RecordListStore target(EqualKeys::OneEntryPerRecord, ListKeyOrder(kEnglish), PathKey);
    for (RecordListStore* store : {&reference, &target}) {
        EXPECT_EQ(store->Add(&records[2]), 0);
        EXPECT_EQ(store->Add(a), 0);
        EXPECT_EQ(store->Add(b), 1);
    }
    EXPECT_EQ(reference.Add(a), 2);
    EXPECT_EQ(target.Add(a), 0);
    EXPECT_EQ(target.Add(b), 1);
    EXPECT_EQ(JoinedKeys(reference), "a.jpg|A.JPG|a.jpg|c.jpg");
    EXPECT_EQ(JoinedKeys(target), "a.jpg|A.JPG|c.jpg");
    EXPECT_EQ(reference.RemoveRecord(a), 2);
    EXPECT_EQ(JoinedKeys(reference), "A.JPG|c.jpg");

    // "a1.jpg" differs from "a-1.jpg" only by the hyphen: a key of its own.
    EXPECT_EQ(target.Add(&records[3]), 2);
    EXPECT_EQ(target.Add(&records[4]), 3);
    EXPECT_EQ(target.RemoveRecord(a), 1); // entries removed
}

TEST(RecordListStoreTest, BulkAdditionAndRekeyingEqualAddingOneByOne) {
    std::deque<Pdata> records =
        RecordsAt({"m", "b-a", "B", "ba", "z", "b", "a", "M", "BA", "-1", "1", "b"});
    std::vector<Pdata*> additions;
    for (Pdata& record : records)
        additions.push_back(&record);
    additions.push_back(&records[3]); // a record reported a second time

    for (const EqualKeys rule : {EqualKeys::Accept, EqualKeys::OneEntryPerRecord}) {
        RecordListStore oneByOne(rule, ListKeyOrder(kEnglish), PathKey);
        RecordListStore bulk(rule, ListKeyOrder(kEnglish), PathKey);
        for (RecordListStore* store : {&oneByOne, &bulk})
            store->Add(&records.back()); // bulk addition to a store that is not empty
        for (Pdata* record : additions)
            oneByOne.Add(record);
        bulk.AddAll(additions);
        ExpectSameEntries(bulk, oneByOne, rule == EqualKeys::Accept ? "accept" : "one per record");
    }

    // New keys (the paths reversed) re-sort the store as if it had been filled with them.
    const SortKeyFunction reversed = [](const Pdata& record) {
        QString key = record.fileName;
        std::reverse(key.begin(), key.end());
        return key;
    };
    RecordListStore rekeyed(EqualKeys::Accept, ListKeyOrder(kEnglish), PathKey);
    RecordListStore expected(EqualKeys::Accept, ListKeyOrder(kEnglish), reversed);
    rekeyed.AddAll(additions);
    for (Pdata* record : additions)
        expected.Add(record);
    rekeyed.Rekey(reversed);
    ExpectSameEntries(rekeyed, expected, "rekeyed");
}

} // namespace
} // namespace lumadex
