#include "catalogue/catalogue.h"
#include "memo/data_manage.h"
#include "search/mismatch_num.h"
#include "store/database_layout_bytes.h"
#include "store/database_reader.h"
#include "store/option_model.h"

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

    DatabaseTarget target(bool merge = false) {
        return {catalogue, memos, numbers, options, merge};
    }
    QStringList paths() const {
        QStringList list;
        for (int i = 0; i < catalogue.count(); ++i)
            list << catalogue.at(i).fileName;
        return list;
    }
};

class Recorder : public DatabaseReadObserver {
public:
    void HeaderRead(const DatabaseHeaderInfo& header) override { headers.push_back(header); }
    void RecordsAdded(int count) override { added.push_back(count); }
    void DuplicateDropped(int count) override { dropped.push_back(count); }
    bool ContinueReading() override { return ++records != stopAfter; }

    std::vector<DatabaseHeaderInfo> headers;
    std::vector<int> added;
    std::vector<int> dropped;
    int records = 0;
    int stopAfter = -1;
};

DatabaseReadResult Read(const Bytes& bytes, Parts& parts, bool merge = false) {
    Recorder recorder;
    return ReadDatabaseBytes(bytes, parts.target(merge), recorder);
}

std::vector<std::uint32_t> Links(const Pdata& record) {
    const auto links = record.MemoLinkIndices();
    return {links.begin(), links.end()};
}

// A current-format file: header, memo block, records.
Bytes CurrentFile(const std::vector<StoredRecord>& records, std::uint8_t sameNameRule = 1,
                  const std::vector<test::StoredName>& groups = {},
                  const std::vector<test::StoredName>& slots = {}) {
    Bytes bytes = HeaderBytes("008", sameNameRule, -1, int(records.size()));
    AppendMemoBlock(bytes, groups, slots);
    for (const StoredRecord& record : records)
        AppendRecord(bytes, 8, record);
    return bytes;
}

const StoredRecord kFull = {"/photos/trip/IMG_0001.JPG",
                            0xA1A2A3A4,
                            0xB1B2B3B4,
                            7,
                            4096,
                            1000000000,
                            {1, 0},
                            {{9, 10, /*Top*/ 11, /*Left*/ 12, /*Bottom*/ 13, /*Right*/ 14}}};

TEST(DatabaseReader, ReadsEveryFormatVersion) {
    for (int version = 1; version <= 8; ++version) {
        SCOPED_TRACE(version);
        const std::string digits = "00" + std::to_string(version);
        Bytes bytes = HeaderBytes(digits, 1, 1, 2);
        if (version >= 4)
            AppendMemoBlock(bytes, {{"Who", 100}}, {{"Ann", 100}, {"Bob", 100}});
        AppendRecord(bytes, version, kFull);
        StoredRecord second = kFull;
        second.path = "IMG_0002.JPG";
        second.links = {1};
        AppendRecord(bytes, version, second);

        Parts parts;
        Recorder recorder;
        const DatabaseReadResult result = ReadDatabaseBytes(bytes, parts.target(), recorder);
        EXPECT_EQ(result.status, DatabaseReadStatus::Complete);
        EXPECT_EQ(result.recordsAdded, 2);
        EXPECT_EQ(result.header.formatVersion, version);
        EXPECT_EQ(result.header.isOldFormat(), version < 5);
        EXPECT_EQ(result.header.selectedIndex, version >= 6 ? 1 : -1);
        EXPECT_EQ(result.header.recordCount, version >= 5 ? 2 : 0);
        ASSERT_EQ(recorder.headers.size(), 1u);
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
        EXPECT_EQ(parts.memos.slotCount(), version >= 4 ? 2 : 0);
        ASSERT_EQ(record.SubIndexCount(), version >= 7 ? 1 : 0);
        if (version >= 7) {
            EXPECT_EQ(record.SubIndexAt(0), (SubIndexEntry{9, 10, /*Left*/ 12, /*Top*/ 11,
                                                           /*Right*/ 14, /*Bottom*/ 13}));
        }
    }
}

TEST(DatabaseReader, TakesTheVersionFromItsLastDigit) {
    Bytes bytes = HeaderBytes("118");
    AppendMemoBlock(bytes, {}, {});
    AppendRecord(bytes, 8, kFull);
    Parts parts;
    const DatabaseReadResult result = Read(bytes, parts);
    EXPECT_EQ(result.status, DatabaseReadStatus::Complete);
    EXPECT_EQ(result.header.formatVersion, 8);
    ASSERT_EQ(parts.catalogue.count(), 1);
    EXPECT_EQ(parts.catalogue.at(0).SubIndexCount(), 1);
}

TEST(DatabaseReader, HeaderAloneOfAnOldVersionIsAnEmptyDatabase) {
    Parts parts;
    const DatabaseReadResult result = Read(HeaderBytes("003"), parts);
    EXPECT_EQ(result.status, DatabaseReadStatus::Complete);
    EXPECT_TRUE(result.header.isOldFormat());
    EXPECT_EQ(parts.catalogue.count(), 0);
    EXPECT_FALSE(result.changed);
}

TEST(DatabaseReader, RefusesWhatIsNotADatabase) {
    for (const Bytes& bytes :
         {Bytes{}, Bytes{'L', 'X'}, Bytes{'L', 'X', 'C', '0', '0', '8'}, Bytes(300, 'z')}) {
        Parts parts;
        const DatabaseReadResult result = Read(bytes, parts);
        EXPECT_EQ(result.status, DatabaseReadStatus::NotDatabase) << bytes.size();
        EXPECT_EQ(parts.catalogue.count(), 0);
        EXPECT_EQ(parts.options, OptionModel()) << "options untouched";
    }
}

TEST(DatabaseReader, UndoesPathShortening) {
    const Bytes bytes =
        CurrentFile({Named("/a/b/1.jpg"), Named("2.jpg"), Named("/a/B/3.jpg"), Named("4.jpg"),
                     Named("/a/b/c/5.jpg"), Named("\xC3\xA9.jpg"), Named("")});
    Parts parts;
    ASSERT_EQ(Read(bytes, parts).status, DatabaseReadStatus::Complete);
    EXPECT_EQ(parts.paths(),
              (QStringList{"/a/b/1.jpg", "/a/b/2.jpg", "/a/B/3.jpg", "/a/B/4.jpg", "/a/b/c/",
                           "/a/b/c/5.jpg", QString::fromUtf8("/a/b/c/\xC3\xA9.jpg")}));
}

TEST(DatabaseReader, NameBeforeAnyFolderBreaksTheFile) {
    for (const char* first : {"name.jpg", ""}) {
        Parts parts;
        EXPECT_EQ(Read(CurrentFile({Named(first), Named("/a/1.jpg")}), parts).status,
                  DatabaseReadStatus::Broken)
            << first;
        EXPECT_EQ(parts.catalogue.count(), 0);
    }
}

TEST(DatabaseReader, PathOf1024BytesBreaksTheFileFromThatRecordOn) {
    const std::string longest = "/" + std::string(1022, 'x');
    const Bytes bytes = CurrentFile({Named("/a/1.jpg"), Named(longest),
                                     Named("/b/" + std::string(1021, 'y')), Named("/c/3.jpg")});
    Parts parts;
    const DatabaseReadResult result = Read(bytes, parts);
    EXPECT_EQ(result.status, DatabaseReadStatus::Broken);
    EXPECT_EQ(result.recordsAdded, 2);
    EXPECT_EQ(parts.paths(), (QStringList{"/a/1.jpg", QString::fromStdString(longest)}));
}

// The file of the damage tests: a memo block and three records, with where each record ends.
struct SmallFile {
    Bytes bytes;
    std::size_t recordsStart = 0;
    std::vector<std::size_t> recordEnds;
};

SmallFile MakeSmallFile() {
    SmallFile file;
    file.bytes = HeaderBytes("008", 2, 0, 3);
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
    Parts whole;
    ASSERT_EQ(Read(file.bytes, whole).status, DatabaseReadStatus::Complete);
    for (std::size_t length = 0; length < file.bytes.size(); ++length) {
        SCOPED_TRACE(length);
        Parts parts;
        const DatabaseReadResult result =
            Read(Bytes(file.bytes.begin(), file.bytes.begin() + long(length)), parts);
        const auto complete = std::count_if(file.recordEnds.begin(), file.recordEnds.end(),
                                            [&](std::size_t end) { return end <= length; });
        const bool atBoundary = length == file.recordsStart ||
                                std::find(file.recordEnds.begin(), file.recordEnds.end(), length) !=
                                    file.recordEnds.end();
        const DatabaseReadStatus expected = length < 3   ? DatabaseReadStatus::NotDatabase
                                            : atBoundary ? DatabaseReadStatus::Complete
                                                         : DatabaseReadStatus::Broken;
        EXPECT_EQ(result.status, expected);
        ASSERT_EQ(parts.catalogue.count(), complete);
        for (int i = 0; i < complete; ++i)
            EXPECT_EQ(parts.catalogue.at(i).fileName, whole.catalogue.at(i).fileName);
    }
}

TEST(DatabaseReader, DamageAnywhereNeverLosesTheRecordsBeforeIt) {
    const SmallFile file = MakeSmallFile();
    Parts whole;
    ASSERT_EQ(Read(file.bytes, whole).status, DatabaseReadStatus::Complete);
    for (std::size_t offset = 0; offset < file.bytes.size(); ++offset) {
        for (const std::uint8_t value : {0x00, 0x04, 0x7F, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "offset " << offset << " value " << int(value));
            Bytes damaged = file.bytes;
            damaged[offset] = value;
            Parts parts;
            Read(damaged, parts);
            if (offset < file.recordsStart)
                continue; // header or memo block: only that nothing breaks
            for (std::size_t i = 0; i < file.recordEnds.size() && file.recordEnds[i] <= offset;
                 ++i) {
                const Pdata& original = whole.catalogue.at(int(i));
                const int found = parts.catalogue.FindRecord(original.fileName);
                ASSERT_GE(found, 0);
                EXPECT_EQ(parts.catalogue.at(found).signatureBits, original.signatureBits);
                EXPECT_EQ(Links(parts.catalogue.at(found)), Links(original));
            }
        }
    }
}

TEST(DatabaseReader, HugeCountsInTheFileAreRefusedWithoutAllocating) {
    Bytes bytes = HeaderBytes("008", 1, -1, 0x7FFFFFFF);
    test::PutU32(bytes, 1);
    test::PutU32(bytes, 0xFFFFFFFF); // groups
    test::PutU32(bytes, 0xFFFFFFFF); // slots
    Parts parts;
    EXPECT_EQ(Read(bytes, parts).status, DatabaseReadStatus::Broken);

    for (const std::size_t countAt : {std::size_t(0), std::size_t(1)}) {
        Bytes file = CurrentFile({});
        test::PutText(file, "/a.jpg");
        test::PutU32(file, 0);
        test::PutU32(file, 0);
        test::PutU16(file, 0);
        test::PutU32(file, 0);
        test::PutU32(file, 0);
        if (countAt == 1)
            test::PutU32(file, 0); // no links; then the sub-index count
        test::PutU32(file, 0xFFFFFFFF);
        Parts broken;
        EXPECT_EQ(Read(file, broken).status, DatabaseReadStatus::Broken) << countAt;
        EXPECT_EQ(broken.catalogue.count(), 0);
    }
}

TEST(DatabaseReader, MemoLinksAreShiftedPastTheSlotsPresentAndCheckedAgainstTheFile) {
    Parts parts;
    parts.memos.AddGroup("Who", 100);
    parts.memos.AddMemo("Zed", 100);
    StoredRecord record = kFull;
    record.links = {1, 1, 2, 0, 0xFFFFFFFF}; // a repeat, a slot past the file's two, a huge one
    const Bytes bytes = CurrentFile({record}, 1, {{"Who", 100}}, {{"Ann", 100}, {"Bob", 100}});
    const DatabaseReadResult result = Read(bytes, parts, /*merge*/ true);
    ASSERT_EQ(result.status, DatabaseReadStatus::Complete);
    EXPECT_EQ(Links(parts.catalogue.at(0)), (std::vector<std::uint32_t>{2, 1}));
    EXPECT_EQ(parts.memos.groups(), (std::vector<MemoGroup>{{"Who", 100}, {"Who1", 200}}));
    EXPECT_EQ(parts.memos.slots(),
              (std::vector<MemoSlot>{{"Zed", 100}, {"Ann", 200}, {"Bob", 200}}));
}

TEST(DatabaseReader, MergeRenumbersMismatchGroupsPastTheHighestInUse) {
    Parts parts;
    parts.numbers.Mark(4);
    StoredRecord grouped = kFull;
    grouped.mismatchId = 2;
    const StoredRecord ungrouped = Named("/x/y.jpg");
    const Bytes bytes = CurrentFile({grouped, ungrouped});

    Read(bytes, parts, /*merge*/ true);
    ASSERT_EQ(parts.catalogue.count(), 2);
    EXPECT_EQ(parts.catalogue.at(0).mismatchId, 6);
    EXPECT_EQ(parts.catalogue.at(1).mismatchId, 0);
    EXPECT_FALSE(parts.numbers.IsFree(6));
    EXPECT_TRUE(parts.numbers.IsFree(2));

    Parts opened;
    opened.numbers.Mark(4);
    Read(bytes, opened);
    EXPECT_EQ(opened.catalogue.at(0).mismatchId, 2);
}

TEST(DatabaseReader, AppliesTheHeaderOptionsOnlyWhenNotMerging) {
    Bytes bytes = CurrentFile({}, /*NotCare*/ 2);
    Parts opened;
    Read(bytes, opened);
    EXPECT_TRUE(opened.options.isChecked(OptionId::NotCare));
    EXPECT_FALSE(opened.options.isChecked(OptionId::AllowRobustOperation));

    Parts merged;
    Read(bytes, merged, /*merge*/ true);
    EXPECT_EQ(merged.options, OptionModel());
}

TEST(DatabaseReader, SameNameRuleDecidesAboutARepeatedPath) {
    const StoredRecord first = {"/a/Pic.jpg", 1, 1, 0, 10, 10, {0, 1}, {}};
    const StoredRecord second = {"/A/PIC.JPG", 2, 2, 0, 20, 20, {2, 1}, {}};
    const std::vector<test::StoredName> slots = {{"m0", 100}, {"m1", 100}, {"m2", 100}};
    struct Row {
        const char* rule;
        std::uint8_t value;
        QStringList paths;
        std::vector<std::uint32_t> bits;
        std::vector<std::vector<std::uint32_t>> links;
        std::vector<int> dropped;
    };
    const Row rows[] = {
        {"Replace", 0, {"/A/PIC.JPG"}, {2}, {{2, 1, 0}}, {}},
        {"DontAdd", 1, {"/a/Pic.jpg"}, {1}, {{0, 1, 2}}, {1}},
        {"NotCare", 2, {"/a/Pic.jpg", "/A/PIC.JPG"}, {1, 2}, {{0, 1}, {2, 1}}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Parts parts;
        Recorder recorder;
        const Bytes bytes = CurrentFile({first, second}, row.value, {{"g", 100}}, slots);
        const DatabaseReadResult result = ReadDatabaseBytes(bytes, parts.target(), recorder);
        EXPECT_EQ(result.status, DatabaseReadStatus::Complete);
        EXPECT_EQ(parts.paths(), row.paths);
        for (int i = 0; i < parts.catalogue.count(); ++i) {
            EXPECT_EQ(parts.catalogue.at(i).signatureBits, row.bits[std::size_t(i)]);
            EXPECT_EQ(Links(parts.catalogue.at(i)), row.links[std::size_t(i)]);
        }
        EXPECT_EQ(recorder.dropped, row.dropped);
    }
}

TEST(DatabaseReader, RecordsOutOfOrderStillMeetTheSameNameRule) {
    const Bytes bytes =
        CurrentFile({Named("/m/x.jpg", 1), Named("/c/y.jpg", 2), Named("/z/w.jpg", 3),
                     Named("/b/v.jpg", 4), Named("/M/X.JPG", 5), Named("/z/w.jpg", 6)},
                    /*DontAdd*/ 1);
    Parts parts;
    ASSERT_EQ(Read(bytes, parts).status, DatabaseReadStatus::Complete);
    EXPECT_EQ(parts.paths(), (QStringList{"/b/v.jpg", "/c/y.jpg", "/m/x.jpg", "/z/w.jpg"}));
    EXPECT_EQ(parts.catalogue.at(2).signatureBits, 1u);
    EXPECT_EQ(parts.catalogue.at(3).signatureBits, 3u);
}

TEST(DatabaseReader, RepeatedPathMeetsRecordsAlreadyInTheCatalogue) {
    Parts parts;
    Pdata& present = parts.catalogue.at(parts.catalogue.AddRecord(
        std::make_unique<Pdata>(QStringLiteral("/photos/trip/img_0001.jpg"))));
    present.signatureBits = 99;
    parts.options.setChoice(RadioChoice::AddingSameFilename, 0); // Replace
    const Bytes bytes = CurrentFile({kFull}, 0, {}, {{"a", 100}, {"b", 100}});

    const DatabaseReadResult result = Read(bytes, parts, /*merge*/ true);
    EXPECT_EQ(result.recordsAdded, 1);
    ASSERT_EQ(parts.catalogue.count(), 1);
    EXPECT_EQ(&parts.catalogue.at(0), &present) << "replaced in place";
    EXPECT_EQ(present.fileName, "/photos/trip/IMG_0001.JPG");
    EXPECT_EQ(present.signatureBits, kFull.bits);
}

TEST(DatabaseReader, ReportsProgressAndStopsWhenAsked) {
    std::vector<StoredRecord> records;
    for (int i = 0; i < 600; ++i)
        records.push_back(Named("/p/" + std::to_string(1000 + i) + ".jpg"));
    const Bytes bytes = CurrentFile(records);

    Parts parts;
    Recorder recorder;
    EXPECT_EQ(ReadDatabaseBytes(bytes, parts.target(), recorder).status,
              DatabaseReadStatus::Complete);
    EXPECT_EQ(recorder.added, (std::vector<int>{256, 512}));

    Parts stopped;
    Recorder stopper;
    stopper.stopAfter = 3;
    const DatabaseReadResult result = ReadDatabaseBytes(bytes, stopped.target(), stopper);
    EXPECT_EQ(result.status, DatabaseReadStatus::Stopped);
    EXPECT_EQ(stopped.catalogue.count(), 3);
}

} // namespace
} // namespace lumadex
