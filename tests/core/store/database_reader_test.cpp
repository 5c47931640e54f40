#include "catalogue/catalogue.h"
#include "core/store/database_layout_bytes.h"
#include "memo/data_manage.h"
#include "options/option_model.h"
#include "search/mismatch_num.h"
#include "store/database_reader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::AppendMemoBlock;
using test::AppendRecord;
using test::Bytes;
using test::HeaderBytes;
using test::Named;
using test::StoredRecord;

// The open database's parts, read into by each test.
struct Parts {
    Catalogue catalogue;
    DataManage memos;
    MismatchNum numbers;
    OptionModel options;

    DatabaseReadResult Read(const Bytes& bytes, bool merge = false) {
        DatabaseReadObserver observer;
        return ReadDatabaseBytes(bytes, {catalogue, memos, numbers, options, merge}, observer);
    }
    QStringList paths() const {
        QStringList list;
        for (int i = 0; i < catalogue.count(); ++i)
            list << catalogue.at(i).fileName;
        return list;
    }
};

std::vector<std::uint32_t> Links(const Pdata& record) {
    const auto links = record.MemoLinkIndices();
    return {links.begin(), links.end()};
}

// A current-format file: header, memo block, records.
Bytes CurrentFile(const std::vector<StoredRecord>& records, std::uint8_t sameNameRule = 1,
                  const std::vector<test::StoredName>& slots = {}) {
    return test::DatabaseBytes(8, records, sameNameRule, {{"Who", 100}}, slots);
}

// Every field set; the sub-index entry holds Top 11, Left 12, Bottom 13, Right 14.
const StoredRecord kFull = {
    "/photos/trip/IMG_0001.JPG", 0xA1A2A3A4, 0xB1B2B3B4, 7, 4096, 1000000000, {1, 0},
    {{9, 10, 11, 12, 13, 14}}};

TEST(DatabaseReader, ReadsEveryFormatVersion) {
    for (int version = 1; version <= 8; ++version) {
        SCOPED_TRACE(version);
        Bytes bytes = HeaderBytes("00" + std::to_string(version), 1, 1, 2);
        if (version >= 4)
            AppendMemoBlock(bytes, {{"Who", 100}}, {{"Ann", 100}, {"Bob", 100}});
        AppendRecord(bytes, version, kFull);
        AppendRecord(bytes, version, Named("IMG_0002.JPG"));

        Parts parts;
        const DatabaseReadResult result = parts.Read(bytes);
        EXPECT_EQ(result.status, DatabaseReadStatus::Complete);
        EXPECT_EQ(result.header.isOldFormat(), version < 5);
        EXPECT_EQ(result.header.selectedIndex, version >= 6 ? 1 : -1);
        ASSERT_EQ(parts.paths(),
                  (QStringList{"/photos/trip/IMG_0001.JPG", "/photos/trip/IMG_0002.JPG"}));
        const Pdata& record = parts.catalogue.at(0);
        EXPECT_EQ(record.signatureBits, 0xA1A2A3A4u);
        EXPECT_EQ(record.signatureLevels, 0xB1B2B3B4u);
        EXPECT_EQ(record.mismatchId, version >= 3 ? 7 : 0);
        EXPECT_EQ(parts.numbers.IsFree(7), version < 3);
        EXPECT_EQ(record.fileSize, version >= 5 ? 4096 : -1);
        EXPECT_EQ(record.fileTime, version >= 5 ? 1000000000 : -1);
        EXPECT_EQ(Links(record),
                  (version >= 4 ? std::vector<std::uint32_t>{1, 0} : std::vector<std::uint32_t>{}));
        ASSERT_EQ(record.SubIndexCount(), version >= 7 ? 1 : 0);
        if (version >= 7) {
            EXPECT_EQ(record.SubIndexAt(0), (SubIndexEntry{9, 10, 12, 11, 14, 13}));
        }
    }
}

TEST(DatabaseReader, StoredPaths) {
    const std::string longest = "/" + std::string(1022, 'x');
    struct Row {
        const char* name;
        std::vector<StoredRecord> records;
        DatabaseReadStatus status;
        QStringList paths;
    };
    const Row rows[] = {{"names follow the folder stored last, letter case included",
                         {Named("/a/b/1.jpg"), Named("2.jpg"), Named("/a/B/3.jpg"), Named("4.jpg"),
                          Named("/a/b/c/5.jpg"), Named("\xC3\xA9.jpg"), Named("")},
                         DatabaseReadStatus::Complete,
                         {"/a/b/1.jpg", "/a/b/2.jpg", "/a/B/3.jpg", "/a/B/4.jpg", "/a/b/c/",
                          "/a/b/c/5.jpg", QString::fromUtf8("/a/b/c/\xC3\xA9.jpg")}},
                        {"1023 bytes fit, 1024 break the file there",
                         {Named("/a/1.jpg"), Named(longest), Named("/b/" + std::string(1021, 'y')),
                          Named("/c/3.jpg")},
                         DatabaseReadStatus::Broken,
                         {"/a/1.jpg", QString::fromStdString(longest)}},
                        {"a name before any folder breaks the file",
                         {Named("name.jpg"), Named("/a/1.jpg")},
                         DatabaseReadStatus::Broken,
                         {}}};
    for (const Row& row : rows) {
        Parts parts;
        EXPECT_EQ(parts.Read(CurrentFile(row.records)).status, row.status) << row.name;
        EXPECT_EQ(parts.paths(), row.paths) << row.name;
    }
}

// A file of three records and where each record ends.
struct SmallFile {
    Bytes bytes;
    std::size_t recordsStart = 0;
    std::vector<std::size_t> recordEnds;
};

SmallFile MakeSmallFile() {
    SmallFile file;
    file.bytes = HeaderBytes("008", /*NotCare*/ 2, 0, 3);
    AppendMemoBlock(file.bytes, {{"Who", 100}}, {{"Ann", 100}, {"Bob", 100}});
    file.recordsStart = file.bytes.size();
    for (const StoredRecord& record :
         {kFull, StoredRecord{"IMG_0002.JPG", 1, 2, 0, 5, 6, {0}, {}},
          StoredRecord{"/photos/zoo/lion.png", 3, 4, 9, 7, 8, {}, {{1, 2, 3, 4, 5, 6}}}}) {
        AppendRecord(file.bytes, 8, record);
        file.recordEnds.push_back(file.bytes.size());
    }
    return file;
}

TEST(DatabaseReader, TruncatedFileKeepsTheRecordsBeforeTheCut) {
    const SmallFile file = MakeSmallFile();
    for (std::size_t length = 0; length < file.bytes.size(); ++length) {
        Parts parts;
        const DatabaseReadStatus status =
            parts.Read(Bytes(file.bytes.begin(), file.bytes.begin() + long(length))).status;
        const auto whole = std::count_if(file.recordEnds.begin(), file.recordEnds.end(),
                                         [&](std::size_t end) { return end <= length; });
        const bool atBoundary = length == file.recordsStart ||
                                (whole > 0 && file.recordEnds[std::size_t(whole - 1)] == length);
        EXPECT_EQ(status, length < 3   ? DatabaseReadStatus::NotDatabase
                          : atBoundary ? DatabaseReadStatus::Complete
                                       : DatabaseReadStatus::Broken)
            << length;
        EXPECT_EQ(parts.catalogue.count(), whole) << length;
    }
}

TEST(DatabaseReader, DamageAnywhereNeverLosesTheRecordsBeforeIt) {
    const SmallFile file = MakeSmallFile();
    Parts whole;
    ASSERT_EQ(whole.Read(file.bytes).status, DatabaseReadStatus::Complete);
    for (std::size_t offset = 0; offset < file.bytes.size(); ++offset) {
        for (const std::uint8_t value : {0x00, 0x04, 0x7F, 0xFF}) {
            Bytes damaged = file.bytes;
            damaged[offset] = value;
            Parts parts;
            parts.Read(damaged);
            if (offset < file.recordsStart)
                continue; // header or memo block: only that nothing breaks
            for (std::size_t i = 0; i < file.recordEnds.size() && file.recordEnds[i] <= offset;
                 ++i) {
                const Pdata& original = whole.catalogue.at(int(i));
                const int found = parts.catalogue.FindRecord(original.fileName);
                ASSERT_GE(found, 0) << offset;
                EXPECT_EQ(Links(parts.catalogue.at(found)), Links(original)) << offset;
            }
        }
    }
}

TEST(DatabaseReader, MergeShiftsMemoLinksAndMismatchGroupsPastThoseInUse) {
    Parts parts;
    parts.memos.AddGroup("Who", 100);
    parts.memos.AddMemo("Zed", 100);
    parts.numbers.Mark(4);
    StoredRecord grouped = kFull;
    grouped.mismatchId = 2;
    grouped.links = {1, 1, 2, 0, 0xFFFFFFFF}; // a repeat, a slot past the file's two, a huge one
    const Bytes bytes = CurrentFile({grouped, Named("/x/y.jpg")}, 1, {{"Ann", 100}, {"Bob", 100}});

    ASSERT_EQ(parts.Read(bytes, /*merge*/ true).status, DatabaseReadStatus::Complete);
    EXPECT_EQ(Links(parts.catalogue.at(0)), (std::vector<std::uint32_t>{2, 1}));
    EXPECT_EQ(parts.memos.groups(), (std::vector<MemoGroup>{{"Who", 100}, {"Who1", 200}}));
    EXPECT_EQ(parts.memos.slots(),
              (std::vector<MemoSlot>{{"Zed", 100}, {"Ann", 200}, {"Bob", 200}}));
    EXPECT_EQ(parts.catalogue.at(0).mismatchId, 6);
    EXPECT_EQ(parts.catalogue.at(1).mismatchId, 0);
    EXPECT_FALSE(parts.numbers.IsFree(6));
    EXPECT_EQ(parts.options, OptionModel()) << "a merge leaves the options alone";
}

TEST(DatabaseReader, SameNameRuleDecidesAboutARepeatedPath) {
    const StoredRecord first = {"/a/Pic.jpg", 1, 1, 0, 10, 10, {0, 1}, {}};
    const StoredRecord second = {"/A/PIC.JPG", 2, 2, 0, 20, 20, {2, 1}, {}};
    struct Row {
        const char* rule;
        std::uint8_t value;
        QStringList paths;
        std::vector<std::uint32_t> bits;
        std::vector<std::vector<std::uint32_t>> links;
    };
    const Row rows[] = {{"Replace", 0, {"/A/PIC.JPG"}, {2}, {{2, 1, 0}}},
                        {"DontAdd", 1, {"/a/Pic.jpg"}, {1}, {{0, 1, 2}}},
                        {"NotCare", 2, {"/a/Pic.jpg", "/A/PIC.JPG"}, {1, 2}, {{0, 1}, {2, 1}}}};
    for (const Row& row : rows) {
        Parts parts;
        const Bytes bytes =
            CurrentFile({first, second}, row.value, {{"a", 100}, {"b", 100}, {"c", 100}});
        EXPECT_EQ(parts.Read(bytes).status, DatabaseReadStatus::Complete) << row.rule;
        ASSERT_EQ(parts.paths(), row.paths) << row.rule;
        for (int i = 0; i < parts.catalogue.count(); ++i) {
            EXPECT_EQ(parts.catalogue.at(i).signatureBits, row.bits[std::size_t(i)]) << row.rule;
            EXPECT_EQ(Links(parts.catalogue.at(i)), row.links[std::size_t(i)]) << row.rule;
        }
    }
}

TEST(DatabaseReader, RecordsOutOfOrderStillMeetTheSameNameRule) {
    Parts parts;
    parts.catalogue.AddRecord(std::make_unique<Pdata>(QStringLiteral("/b/V.JPG")));
    const Bytes bytes =
        CurrentFile({Named("/m/x.jpg", 1), Named("/c/y.jpg", 2), Named("/z/w.jpg", 3),
                     Named("/b/v.jpg", 4), Named("/M/X.JPG", 5), Named("/z/w.jpg", 6)},
                    /*DontAdd*/ 1);
    ASSERT_EQ(parts.Read(bytes, /*merge*/ true).status, DatabaseReadStatus::Complete);
    EXPECT_EQ(parts.paths(), (QStringList{"/b/V.JPG", "/c/y.jpg", "/m/x.jpg", "/z/w.jpg"}));
    EXPECT_EQ(parts.catalogue.at(2).signatureBits, 1u);
    EXPECT_EQ(parts.catalogue.at(3).signatureBits, 3u);
}

} // namespace
} // namespace lumadex
