#include "codecs/jpeg_codec.h"
#include "core/codecs/codec_test_helpers.h"
#include "support/testdata.h"

#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <map>
#include <span>
#include <unistd.h>

namespace lumadex {
namespace {

std::vector<std::uint8_t> ReadJpegTestFile(const QString& relative) {
    return test::ReadWholeFile(test::TestDataPath(relative));
}

// Qt's own JPEG reader, without applying EXIF orientation.
QImage DecodeWithQt(const QString& relative) {
    QImageReader reader(test::TestDataPath(relative));
    reader.setAutoTransform(false);
    return reader.read();
}

// Encodes a picture straight with libjpeg, for files with features our writer never uses: a scan
// script, arithmetic coding. Flat pictures are mid-grey, the others gradients.
std::vector<std::uint8_t> EncodeWithLibjpeg(int width, int height, int components, bool flat,
                                            const std::vector<jpeg_scan_info>& script = {},
                                            bool arithmetic = false) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.arith_code = arithmetic;
    cinfo.scan_info = script.empty() ? nullptr : script.data();
    cinfo.num_scans = int(script.size());
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = flat ? 128 : JSAMPLE(int(i) + y * 3);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return file;
}

constexpr DecodeStatus kOk = DecodeStatus::Ok;
constexpr DecodeStatus kFailed = DecodeStatus::Failed;
constexpr DecodeStatus kBad = DecodeStatus::BadDimensions;
constexpr int kMax = kMaxPictureDimension;

DecodeStatus Decode(std::span<const std::uint8_t> bytes, int maxDimension = kMax) {
    Bitmap bitmap;
    return ReadJpeg(bytes, bitmap, maxDimension);
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.stride() != b.stride())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), a.stride()) != 0)
            return false;
    return true;
}

// Files of the test folders that are not decoded; all others must decode like Qt's reader.
const std::map<QString, DecodeStatus> kRefused = {
    {"jpeg/generated/empty.jpg", kFailed},
    {"jpeg/generated/only_soi.jpg", kFailed},
    {"jpeg/generated/text_named_as.jpg", kFailed},
    {"jpeg/generated/wrong_extension_png_named.jpg", kFailed},
    {"jpeg/jpeg-decoder/reftest/images/mozilla/jpg-size-6x6.jpg", kFailed}, // a PNG inside
    {"jpeg/generated/truncated_half.jpg", kFailed},
    {"jpeg/generated/truncated_progressive_third.jpg", kFailed},
    {"photos/truncated_jpeg_from_skimage.jpg", kFailed},
    {"jpeg/jpeg-decoder/reftest/images/partial_progressive.jpg", kFailed},    // scans cut short
    {"jpeg/jpeg-decoder/reftest/images/progressive-missing-dc.jpg", kFailed}, // AC before DC
    {"jpeg/libjpeg-turbo/monkey12.jpg", kFailed},                             // 12-bit samples
    {"jpeg/jpeg-decoder/crashtest/images/null_height.jpg", kBad},
    {"jpeg/jpeg-decoder/crashtest/images/invalid-dimensions.jpg", kBad},
    {"jpeg/jpeg-decoder/crashtest/images/max_size.jpg", kBad},
};

QStringList TestJpegs() {
    QStringList paths;
    for (const char* folder : {"jpeg", "photos"}) {
        QDirIterator it(test::TestDataPath(folder), {"*.jpg", "*.jpeg"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            if (file.size() < 200 * 1024) // keeps the run short; the large photos add nothing
                paths << file.filePath().mid(test::TestDataDir().size() + 1);
        }
    }
    return paths;
}

// Qt's reader runs the same library with the same settings (accurate integer DCT, smooth chroma
// upsampling), so pixels agree exactly. Only CMYK differs: Qt truncates where we round. Crash
// test files may be refused or accepted, but never with a word on the console.
TEST(JpegReaderTest, EveryTestFileDecodesLikeQtOrIsRefused) {
    LUMADEX_REQUIRE_TESTDATA("jpeg");
    const QStringList paths = TestJpegs();
    ASSERT_GT(paths.size(), test::ExtendedRun() ? 250 : 150);
    QTemporaryFile console;
    ASSERT_TRUE(console.open());
    std::fflush(stderr);
    const int savedStderr = dup(STDERR_FILENO);
    dup2(console.handle(), STDERR_FILENO);
    // One bitmap decodes every file, as analysis does: nothing of a previous picture may
    // survive into the next one or a failure.
    std::vector<std::pair<DecodeStatus, Bitmap>> results;
    Bitmap reused(4, 4, 24);
    for (const QString& path : paths) {
        const DecodeStatus status = ReadJpeg(ReadJpegTestFile(path), reused);
        results.emplace_back(status, reused);
    }
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    EXPECT_EQ(console.size(), 0);

    for (qsizetype i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i].toStdString());
        const auto& [status, bitmap] = results[std::size_t(i)];
        const bool crashTest = paths[i].contains("crashtest") || paths[i].contains("lossless");
        const auto refusal = kRefused.find(paths[i]);
        if (refusal != kRefused.end() || !crashTest) {
            EXPECT_EQ(status, refusal != kRefused.end() ? refusal->second : kOk);
        }
        EXPECT_EQ(bitmap.isEmpty(), status != kOk);
        const QImage expected = DecodeWithQt(paths[i]);
        if (status != kOk || (crashTest && expected.isNull()))
            continue;
        EXPECT_EQ(bitmap.bitsPerPixel(), expected.format() == QImage::Format_Grayscale8 ? 8 : 24);
        const bool cmyk = paths[i].contains("cmyk") || paths[i].contains("ycck");
        EXPECT_EQ(test::DifferenceFromQt(bitmap, expected, true, cmyk ? 1 : 0), "");
    }
}

std::vector<std::uint8_t> WithFrameSize(std::vector<std::uint8_t> file, int width, int height) {
    std::size_t i = 2; // walk the segments up to the first start-of-frame marker
    while (file[i + 1] < 0xC0 || file[i + 1] > 0xC3)
        i += 2 + ((std::size_t(file[i + 2]) << 8) | file[i + 3]);
    const std::uint8_t size[] = {std::uint8_t(height >> 8), std::uint8_t(height),
                                 std::uint8_t(width >> 8), std::uint8_t(width)};
    std::memcpy(&file[i + 5], size, sizeof size);
    return file;
}

std::vector<std::uint8_t> FlatPicture(int width, int height, bool arithmetic = false) {
    return EncodeWithLibjpeg(width, height, 1, true, {}, arithmetic);
}

// Header checks come before any pixel memory is taken. A flat 4096 x 4096 picture coded
// arithmetically fits in about 150 bytes: so large a claim from so small a file is refused.
TEST(JpegReaderTest, ChecksTheFrameHeader) {
    LUMADEX_REQUIRE_TESTDATA("jpeg");
    const auto small = ReadJpegTestFile("jpeg/generated/size_33x65.jpg");
    struct Row {
        const char* name;
        std::vector<std::uint8_t> file;
        int maxDimension;
        DecodeStatus expected;
    } const rows[] = {{"10000 wide", FlatPicture(10000, 16), kMax, kOk},
                      {"10001 wide", FlatPicture(10001, 16), kMax, kBad},
                      {"10001 high", FlatPicture(16, 10001), kMax, kBad},
                      {"at the caller's limit", small, 65, kOk},
                      {"above the caller's limit", small, 64, kBad},
                      {"negative limit", small, -1, kBad},
                      {"zero width", WithFrameSize(small, 0, 65), kMax, kBad},
                      {"huge Huffman claim", WithFrameSize(small, 9000, 9000), kMax, kFailed},
                      {"1024 x 1024 arithmetic", FlatPicture(1024, 1024, true), kMax, kOk},
                      {"4096 x 4096 arithmetic", FlatPicture(4096, 4096, true), kMax, kFailed}};
    for (const Row& row : rows)
        EXPECT_EQ(Decode(row.file, row.maxDimension), row.expected) << row.name;
}

// Lengths to cut a file to: evenly spread, the last bytes before the end marker, and the start
// of every marker after the first scan header (between progressive scans).
std::vector<std::size_t> CutLengths(const std::vector<std::uint8_t>& file) {
    const std::size_t whole = file.size() - 2;
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length < whole; length += whole / 47 + 1)
        lengths.push_back(length);
    for (std::size_t back = 1; back <= 16; ++back)
        lengths.push_back(whole - back);
    bool inScans = false;
    for (std::size_t i = 2; i + 3 < whole; ++i) {
        const std::uint8_t code = file[i + 1];
        if (file[i] != 0xFF || code == 0x00 || code == 0xFF || (code >= 0xD0 && code <= 0xD7))
            continue;
        if (inScans)
            lengths.push_back(i);
        else if (code != 0xDA) // skip a header segment whole
            i += 1 + ((std::size_t(file[i + 2]) << 8) | file[i + 3]);
        inScans = inScans || code == 0xDA;
    }
    return lengths;
}

// Every cut before the end marker is refused. Without only the two bytes of the end marker
// the picture is whole and a user expects to see it; where completeness cannot be told from the
// data (arithmetic decoders pad a cut scan silently; a sequential file may lack a component's
// scan) the file is refused.
TEST(JpegReaderTest, Truncations) {
    LUMADEX_REQUIRE_TESTDATA("jpeg");
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> rows;
    for (const char* path : {"base_420.jpg", "progressive_420.jpg", "grayscale_progressive.jpg",
                             "restart_every_7_blocks.jpg", "cmyk_adobe.jpg", "arithmetic_420.jpg",
                             "arithmetic_progressive_420.jpg"})
        rows.emplace_back(path, ReadJpegTestFile(QString("jpeg/generated/") + path));
    // One scan per component, each coding every coefficient at once.
    rows.emplace_back(
        "non-interleaved sequential",
        EncodeWithLibjpeg(64, 48, 3, false,
                          {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}}));

    for (const auto& [name, file] : rows) {
        SCOPED_TRACE(name);
        for (std::size_t length : CutLengths(file))
            EXPECT_NE(Decode(std::span(file).first(length)), kOk) << "cut to " << length;
        ASSERT_EQ(file[file.size() - 2], 0xFF);
        ASSERT_EQ(file[file.size() - 1], 0xD9);
        const bool whole = name.find("arithmetic") == std::string::npos &&
                           name.find("non-interleaved") == std::string::npos;
        Bitmap complete, cut;
        ASSERT_EQ(ReadJpeg(file, complete), kOk);
        EXPECT_EQ(ReadJpeg(std::span(file).first(file.size() - 2), cut), whole ? kOk : kFailed);
        EXPECT_TRUE(!whole || SamePixels(complete, cut));
    }
}

// A DC scan, then for each AC coefficient a first scan at bit topBit and a refinement scan for
// each lower bit: legal, but hundreds of scans.
TEST(JpegReaderTest, RefusesFilesWithHundredsOfScans) {
    for (auto [topBit, expected] : {std::pair{5, kOk}, {10, kFailed}}) {
        std::vector<jpeg_scan_info> script{{1, {0}, 0, 0, 0, 0}};
        for (int k = 1; k < DCTSIZE2; ++k)
            for (int bit = topBit; bit >= 0; --bit)
                script.push_back({1, {0}, k, k, bit == topBit ? 0 : bit + 1, bit});
        EXPECT_EQ(Decode(EncodeWithLibjpeg(48, 40, 1, false, script)), expected)
            << script.size() << " scans";
    }
}

} // namespace
} // namespace lumadex
