#include "catalogue/picture_preparation.h"
#include "core/catalogue/adding_test_tree.h"
#include "core/catalogue/test_pictures.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <QtEndian>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

// A stand-in picture format: "TEST", width and height as little-endian u32, then anything.
// Its pixels are a fixed pattern of the given size.
QByteArray TestPictureFile(std::uint32_t width, std::uint32_t height, int fileSize) {
    const std::uint32_t size[] = {qToLittleEndian(width), qToLittleEndian(height)};
    QByteArray bytes = "TEST" + QByteArray(reinterpret_cast<const char*>(size), 8);
    bytes.resize(std::max<qsizetype>(fileSize, bytes.size()), 'x');
    bytes.resize(fileSize);
    return bytes;
}

Bitmap TestPattern(int width, int height) {
    return test::PaintedPicture(width, height, [](int x, int y) {
        return MakeColour(std::uint8_t(x * 7), std::uint8_t(y * 5), std::uint8_t(x + y));
    });
}

// The loader refuses pictures larger than it allows.
std::optional<DecodeStatus> ReadTestPicture(const PictureFile& file, Bitmap& out, int) {
    if (file.bytes.size() < 12 || std::memcmp(file.bytes.data(), "TEST", 4) != 0)
        return DecodeStatus::Failed;
    out = TestPattern(qFromLittleEndian<std::int32_t>(file.bytes.data() + 4),
                      qFromLittleEndian<std::int32_t>(file.bytes.data() + 8));
    return DecodeStatus::Ok;
}

PictureLoader TestLoader() {
    PictureLoader loader;
    loader.AddLast(ReadTestPicture);
    return loader;
}

class AnalysisTest : public ::testing::Test {
protected:
    void SetUp() override { pictures_.SetListener(&window_); }

    test::PictureTree tree_;
    PictureCatalogue pictures_{TestLoader()};
    test::AddingWindow window_;
};

TEST_F(AnalysisTest, RefusedFilesAreReportedAndLeaveNoRecord) {
    tree_.MakeFolder("folder.test");
    struct Row {
        const char* name;
        QByteArray bytes; // empty: do not write the file
        const char* message;
    };
    const Row rows[] = {
        {"1023 bytes", TestPictureFile(20, 20, 1023), "File is too small,"},
        {"not a picture", QByteArray(4096, 'z'), "Read failed,"},
        {"missing", QByteArray(), "Read failed,"},
        {"folder.test", QByteArray(), "Read failed,"},
        {"10001 x 50", TestPictureFile(10001, 50, 2000), "File read failed,"},
        {"15 x 200", TestPictureFile(15, 200, 2000), "Cant analyze,"},
    };
    int logged = 0;
    for (const Row& row : rows) {
        QString path = tree_.Path(row.name);
        if (!row.bytes.isEmpty())
            path = tree_.Write(row.name, row.bytes);
        window_.events.clear();
        EXPECT_EQ(pictures_.AnalyseFile(path, window_), ItemResult::Skipped) << row.name;
        const QString message = QString::fromUtf8(row.message) + path;
        EXPECT_EQ(window_.events, (QStringList{"status1:Reading " + path, "caption:Reading " + path,
                                               "logged:" + message}))
            << row.name;
        EXPECT_EQ(pictures_.errorHistory().messageCount(), ++logged) << row.name;
    }
    EXPECT_EQ(pictures_.catalogue().count(), 0);
    EXPECT_EQ(window_.analysed, 0);
    EXPECT_FALSE(pictures_.dataChanged());
}

TEST_F(AnalysisTest, AnalysedFileBecomesANewRecord) {
    const QString path = tree_.Write("Picture.test", TestPictureFile(300, 200, 1024));
    EXPECT_EQ(pictures_.AnalyseFile(path, window_), ItemResult::Done);
    EXPECT_EQ(window_.events,
              (QStringList{"status1:Reading " + path, "caption:Reading " + path, "picture:300x200",
                           "status1:Analyzing", "caption:Analyzing " + path}));
    ASSERT_EQ(pictures_.catalogue().count(), 1);
    const Pdata& record = pictures_.catalogue().at(0);
    EXPECT_EQ(record.fileSize, 1024);
    Pdata expected(path);
    ComputeSignature(TestPattern(300, 200), expected, false, 0, 0, 0, 0);
    EXPECT_EQ(record.signatureBits, expected.signatureBits);
    EXPECT_EQ(record.signatureLevels, expected.signatureLevels);
    EXPECT_EQ(pictures_.newAdded(), std::vector<Pdata*>{&pictures_.catalogue().at(0)});
    EXPECT_EQ(window_.target.recordAt(0), &pictures_.catalogue().at(0));
    EXPECT_TRUE(pictures_.dataChanged());

    // The largest picture accepted.
    const QString wide = tree_.Write("wide.test", TestPictureFile(10000, 16, 1024));
    EXPECT_EQ(pictures_.AnalyseFile(wide, window_), ItemResult::Done);
}

// File times outside the range a record holds are clamped.
TEST_F(AnalysisTest, FileTimesAreClampedToTheRecordsRange) {
    const struct {
        QDate modified;
        std::int32_t expected;
    } rows[] = {{QDate(2001, 2, 3), 981158400},
                {QDate(1960, 1, 1), -315619200},
                {QDate(2100, 1, 1), INT32_MAX},
                {QDate(1900, 1, 1), INT32_MIN}};
    for (const auto& row : rows) {
        const QString path = tree_.Write(row.modified.toString(), TestPictureFile(20, 20, 1500));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (!file.setFileTime(QDateTime(row.modified, QTime(0, 0), Qt::UTC),
                              QFileDevice::FileModificationTime))
            continue; // the file system cannot hold this time
        file.close();
        EXPECT_EQ(PreparePicture(path, pictures_.loader()).fileTime, row.expected) << row.expected;
    }
}

TEST_F(AnalysisTest, AbortLeavesNoRecordAndIsNotLogged) {
    const QString path = tree_.Write("a.test", TestPictureFile(300, 200, 2000));
    window_.stopAfterAnalysed = 0;
    EXPECT_EQ(pictures_.AnalyseFile(path, window_), ItemResult::Stopped);
    EXPECT_EQ(window_.events.last(), "status2:Aborted");
    EXPECT_EQ(pictures_.catalogue().count(), 0);
    EXPECT_EQ(pictures_.errorHistory().messageCount(), 0);
}

TEST_F(AnalysisTest, DeletedRecordLeavesEveryListFirst) {
    const QString first = tree_.Write("1.test", TestPictureFile(20, 20, 2000));
    const QString second = tree_.Write("2.test", TestPictureFile(30, 20, 2000));
    ASSERT_EQ(pictures_.AnalyseFile(first, window_), ItemResult::Done);
    ASSERT_EQ(pictures_.AnalyseFile(second, window_), ItemResult::Done);
    pictures_.setDataChanged(false);
    Pdata* doomed = &pictures_.catalogue().at(0);
    Pdata* kept = &pictures_.catalogue().at(1);
    pictures_.DeleteRecord(0);
    EXPECT_EQ(window_.removed, std::vector<Pdata*>{doomed});
    EXPECT_EQ(pictures_.newAdded(), std::vector<Pdata*>{kept});
    EXPECT_EQ(pictures_.catalogue().count(), 1);
    EXPECT_TRUE(pictures_.dataChanged());
}

TEST(PictureLoaderTest, FirstDecoderThatTakesTheFileDecides) {
    const test::PictureTree tree;
    const QString path = tree.Write("x.Abc", TestPictureFile(40, 30, 100));
    // The first decoder declines, the second takes the file; the third is never asked.
    QStringList asked;
    PictureLoader loader;
    loader.AddLast([&asked](const PictureFile& f, Bitmap&, int) -> std::optional<DecodeStatus> {
        asked << f.upperExtension.toString();
        return std::nullopt;
    });
    loader.AddLast(ReadTestPicture);
    loader.AddLast([](const PictureFile&, Bitmap&, int) -> std::optional<DecodeStatus> {
        ADD_FAILURE();
        return DecodeStatus::Failed;
    });
    Bitmap picture;
    EXPECT_EQ(loader.LoadPicture(path, picture), DecodeStatus::Ok);
    EXPECT_EQ(picture.width(), 40);
    EXPECT_EQ(asked, QStringList{".ABC"});
    // A decoder's picture larger than asked for is refused.
    EXPECT_EQ(loader.LoadPicture(path, picture, 39), DecodeStatus::BadDimensions);
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(loader.LoadPicture(tree.root(), picture), DecodeStatus::Failed);

    // A decoder put in front is asked first; one that throws fails the load.
    loader.AddFirst([](const PictureFile&, Bitmap&, int) -> std::optional<DecodeStatus> {
        throw std::runtime_error("broken");
    });
    EXPECT_EQ(loader.LoadPicture(path, picture), DecodeStatus::Failed);
}

} // namespace
} // namespace lumadex
