#include "catalogue/catalogue.h"
#include "core/store/database_layout_bytes.h"
#include "memo/data_manage.h"
#include "options/option_model.h"
#include "store/database_writer.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::Bytes;

class MemorySink : public ByteSink {
public:
    bool Write(std::span<const std::uint8_t> bytes) override {
        received.insert(received.end(), bytes.begin(), bytes.end());
        return true;
    }

    Bytes received;
};

class Recorder : public DatabaseWriteObserver {
public:
    void RecordsStarting(int recordCount) override { started = recordCount; }
    void RecordReached(int index) override { reached.push_back(index); }
    void RecordLeftOut(const Pdata& record) override { leftOut.push_back(record.fileName); }

    int started = -1;
    std::vector<int> reached;
    QStringList leftOut;
};

Pdata& Add(Catalogue& catalogue, const QString& path) {
    return catalogue.at(catalogue.AddRecord(std::make_unique<Pdata>(path)));
}

Bytes Encode(const DatabaseHeader& header, const DataManage& memos, const Catalogue& catalogue,
             Recorder& recorder) {
    MemorySink sink;
    EXPECT_TRUE(EncodeDatabase(header, memos, catalogue, sink, recorder));
    return sink.received;
}

TEST(DatabaseWriter, WritesTheLayoutByteForByte) {
    DataManage memos;
    memos.AddGroup("Places", 100);
    memos.AddMemo("beach", 100);
    memos.AddMemo("town", 100);
    memos.DeleteMemo("beach", 100);

    Catalogue catalogue;
    Pdata& first = Add(catalogue, "/pics/a/1.jpg");
    first.signatureBits = 0x11223344;
    first.signatureLevels = 0x55667788;
    first.mismatchId = 0x0203;
    first.fileSize = 123456;
    first.fileTime = -1;
    first.AddMemoLink(1);
    first.AddMemoLink(0);
    first.AddSubIndex(7, 8, /*Left*/ 1, /*Top*/ 2, /*Right*/ 3, /*Bottom*/ 4);
    // In catalogue order: a folder differing only in case, the first folder again (stored
    // whole although seen before), a record of the same folder (its name alone), another
    // folder, and a name that is not ASCII.
    Add(catalogue, "/pics/A/2.jpg");
    Add(catalogue, "/pics/a/3.jpg");
    Add(catalogue, "/pics/a/4.jpg");
    Add(catalogue, "/pics/b/5.png");
    Add(catalogue, QString::fromUtf8("/pics/b/\xC3\xA9.png"));

    const OptionModel options;
    const DatabaseHeader header = BuildDatabaseHeader(options, 2, catalogue.count());
    Bytes expected(header.begin(), header.end());
    test::AppendMemoBlock(expected, {{"Places", 100}}, {{"", -1}, {"town", 100}});
    // The sub-index entry is stored as Top, Left, Bottom, Right.
    const test::StoredRecord firstStored = {
        "/pics/a/1.jpg", 0x11223344, 0x55667788, 0x0203, 123456, -1, {1, 0}, {{7, 8, 2, 1, 4, 3}}};
    test::AppendRecord(expected, 8, firstStored);
    for (const char* stored :
         {"/pics/A/2.jpg", "/pics/a/3.jpg", "4.jpg", "/pics/b/5.png", "\xC3\xA9.png"})
        test::AppendRecord(expected, 8, {stored, 0, 0, 0, -1, -1, {}, {}});

    Recorder recorder;
    EXPECT_EQ(Encode(header, memos, catalogue, recorder), expected);
    EXPECT_EQ(recorder.started, 6);
}

TEST(DatabaseWriter, ReportsProgressEvery256Records) {
    Catalogue catalogue;
    for (int i = 0; i < 600; ++i)
        Add(catalogue, QStringLiteral("/p/%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    Recorder recorder;
    Encode(BuildDatabaseHeader(OptionModel(), -1, 600), DataManage(), catalogue, recorder);
    EXPECT_EQ(recorder.reached, (std::vector<int>{0, 256, 512}));
}

TEST(DatabaseWriter, LeavesOutPathsItCannotStore) {
    Catalogue catalogue;
    const QString longFolder = "/" + QString(1020, 'f') + "/";
    Add(catalogue, "/a/fits.jpg");
    Add(catalogue, longFolder + "x.jpg");
    Add(catalogue, longFolder + "y.jpg");
    Add(catalogue, "/z/" + QString(1019, 'n'));  // 1022 bytes: stored whole
    Add(catalogue, "/z/" + QString(1021, 'o'));  // its name alone: 1021 bytes
    Add(catalogue, "/zz/" + QString(1020, 'p')); // 1024 bytes
    Add(catalogue, "no-folder.jpg");

    const DatabaseHeader header = BuildDatabaseHeader(OptionModel(), -1, catalogue.count());
    Bytes expected(header.begin(), header.end());
    test::AppendMemoBlock(expected, {}, {});
    for (const std::string& stored :
         {std::string("/a/fits.jpg"), "/z/" + std::string(1019, 'n'), std::string(1021, 'o')})
        test::AppendRecord(expected, 8, {stored, 0, 0, 0, -1, -1, {}, {}});

    Recorder recorder;
    EXPECT_EQ(Encode(header, DataManage(), catalogue, recorder), expected);
    EXPECT_EQ(recorder.leftOut, (QStringList{longFolder + "x.jpg", longFolder + "y.jpg",
                                             "/zz/" + QString(1020, 'p'), "no-folder.jpg"}));
}

} // namespace
} // namespace lumadex
