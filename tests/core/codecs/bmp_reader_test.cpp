// Decodes real BMP files and compares them with Qt's reader, pixel by pixel.

#include "codecs/bmp_reader.h"
#include "support/testdata.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace lumadex {
namespace {

using test::ReadWholeFile;
using test::TestDataPath;

Colour FromQt(QRgb rgb) {
    return MakeColour(std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)));
}

QImage ReadWithQt(const QString& path) {
    return QImageReader(path, "bmp").read();
}

// Qt's colour of a pixel; an index beyond a palette reads as transparent black, without the
// warning QImage::pixel prints for it.
QRgb QtPixel(const QImage& image, int x, int y) {
    if (image.colorCount() == 0)
        return image.pixel(x, y);
    const int index = image.pixelIndex(x, y);
    return index < image.colorCount() ? image.color(index) : 0;
}

// What a comparison with Qt leaves out.
enum class Except {
    Nothing,
    // Qt scales an alpha channel narrower than 8 bits by shifting (1-bit 1 becomes 128); we keep
    // the largest value opaque.
    NarrowAlpha,
    // Pixels an RLE picture skips stay index 0 here; Qt leaves them unset.
    SkippedPixels,
};

// True when the colours are equal, except that each channel selected by roughChannels may be
// off by one.
bool SameColour(Colour ours, Colour theirs, Colour roughChannels) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = int((ours >> shift) & 0xFF) - int((theirs >> shift) & 0xFF);
        const int allowed = ((roughChannels >> shift) & 0xFF) ? 1 : 0;
        if (std::abs(difference) > allowed)
            return false;
    }
    return true;
}

// Empty when ours shows the same picture as theirs (colours, palette indices of 8-bit paletted
// pictures, and alpha where we keep it); otherwise the first difference.
std::string Differences(const Bitmap& ours, const QImage& theirs, Except except = Except::Nothing,
                        Colour roughChannels = 0) {
    if (ours.width() != theirs.width() || ours.height() != theirs.height())
        return "sizes differ";
    // Qt may swap the two entries of a 1-bit palette, so only 8-bit indices are compared.
    const bool compareIndices = ours.isPaletted() && theirs.format() == QImage::Format_Indexed8;
    const bool compareAlpha = ours.hasAlpha() && except != Except::NarrowAlpha;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            if (except == Except::SkippedPixels && ours.paletteIndex(x, y) == 0)
                continue;
            const QRgb their = QtPixel(theirs, x, y);
            if (!SameColour(ours.pixel(x, y), FromQt(their), roughChannels) ||
                (compareIndices && ours.paletteIndex(x, y) != theirs.pixelIndex(x, y)) ||
                (compareAlpha && ours.alphaRow(y)[x] != qAlpha(their))) {
                return "at (" + std::to_string(x) + "," + std::to_string(y) + "): ours " +
                       std::to_string(ours.pixel(x, y)) + ", Qt's " + std::to_string(their);
            }
        }
    }
    return {};
}

// Decodes a file of the shared pictures (a path below the test-data folder).
Bitmap DecodeFile(const QString& file, DecodeStatus expected = DecodeStatus::Ok) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(TestDataPath(file));
    EXPECT_FALSE(bytes.empty()) << file.toStdString();
    Bitmap bitmap;
    EXPECT_EQ(ReadBmp(bytes, bitmap), expected) << file.toStdString();
    return bitmap;
}

QStringList BmpFilesIn(const QString& folder) {
    QStringList files;
    for (const QString& name : QDir(TestDataPath(folder)).entryList({"*.bmp"}, QDir::Files))
        files << folder + "/" + name;
    return files;
}

// The bits per pixel in a file's info or core header.
int StoredDepth(const QString& file) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(TestDataPath(file));
    const std::size_t at = bytes.at(14) == 12 ? 24 : 28;
    return bytes.at(at) | (bytes.at(at + 1) << 8);
}

// Channel masks of a 0x00BBGGRR colour.
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

// Files we read differently from Qt, or that Qt refuses. The expected picture comes from a good
// file showing the same picture, read by Qt.
struct Deviation {
    const char* sameAs;
    Except except = Except::Nothing;
    // Channels wider than 8 bits, which Qt 6.4 reads as 0 and we round to the nearest 8-bit
    // value: they are compared with sameAs (itself rounded from a finer picture, so they may be
    // off by one), the other channels with Qt's reading of the file.
    Colour wideChannels = 0;
};

const std::map<QString, Deviation> kDeviations = {
    // Ending early by an end-of-picture code, or skipping pixels by deltas.
    {"q/pal4rlecut.bmp", {"g/pal4rle.bmp", Except::SkippedPixels}},
    {"q/pal8rlecut.bmp", {"g/pal8rle.bmp", Except::SkippedPixels}},
    {"q/pal4rletrns.bmp", {"g/pal4rle.bmp", Except::SkippedPixels}},
    {"q/pal8rletrns.bmp", {"g/pal8rle.bmp", Except::SkippedPixels}},
    {"q/rgba16-4444.bmp", {nullptr, Except::NarrowAlpha}},
    {"q/rgba16-5551.bmp", {nullptr, Except::NarrowAlpha}},
    // A core palette of 252 entries, cut short by the pixels; Qt reads 256 and shifts indices.
    {"q/pal8os2sp.bmp", {"g/pal8os2.bmp"}},
    {"q/pal8oversizepal.bmp", {"g/pal8.bmp"}}, // 300 palette entries: 256 used
    {"q/rgb32h52.bmp", {"g/rgb24.bmp"}},       // 52-byte info header
    {"q/rgba32h56.bmp", {"q/rgba32-1.bmp"}},   // 56-byte info header
    {"q/rgb16-3103.bmp", {"g/rgb24.bmp", Except::Nothing, kGreen}},
    {"q/rgb32-111110.bmp", {"g/rgb24.bmp", Except::Nothing, kRed | kGreen | kBlue}},
    {"q/rgb32-7187.bmp", {"g/rgb24.bmp", Except::Nothing, kGreen}},
    {"q/rgba16-1924.bmp", {"q/rgba32-1.bmp", Except::NarrowAlpha, kGreen}},
    {"q/rgba32-1010102.bmp", {"q/rgba32-1.bmp", Except::NarrowAlpha, kRed | kGreen | kBlue}},
    {"q/rgba32-61754.bmp", {"q/rgba32-1.bmp", Except::NarrowAlpha, kGreen}},
    {"q/rgba32-81284.bmp", {"q/rgba32-1.bmp", Except::NarrowAlpha, kGreen}},
    // Bad files where only fields that decoding does not use are wrong: image size, densities,
    // file size, a palette size beyond 256 (the 252 entries stored are used).
    {"b/badbitssize.bmp", {"g/pal1.bmp"}},
    {"b/baddens1.bmp", {"g/pal1.bmp"}},
    {"b/baddens2.bmp", {"g/pal1.bmp"}},
    {"b/badfilesize.bmp", {"g/pal1.bmp"}},
    {"b/badpalettesize.bmp", {"g/pal8.bmp"}},
    {"b/pal8badindex.bmp", {nullptr}}}; // indices beyond the palette read black, as in Qt

// Questionable files we refuse, kinds the Windows bitmap functions do not take: OS/2 2.x headers
// (Qt reads the 64-byte one), 2 bits per pixel, embedded JPEG or PNG, RLE24, Huffman, alpha bit
// fields, 64 bits.
const QStringList kRefusedQuestionable = {
    "q/pal8os2v2.bmp",  "q/pal8os2v2-sz.bmp", "q/pal8os2v2-16.bmp", "q/pal1huffmsb.bmp",
    "q/pal2.bmp",       "q/pal2color.bmp",    "q/rgb24jpeg.bmp",    "q/rgb24png.bmp",
    "q/rgb24rle24.bmp", "q/rgba32abf.bmp",    "q/rgba64.bmp"};

// Qt's reading of a file, its wide channels taken from another reading of the same picture.
QImage WithChannelsFrom(const QImage& file, const QImage& sameAs, Colour channels) {
    QImage result = file.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QRgb own = result.pixel(x, y);
            const Colour colour =
                (FromQt(own) & ~channels) | (FromQt(sameAs.pixel(x, y)) & channels);
            result.setPixel(x, y,
                            qRgba(RedOf(colour), GreenOf(colour), BlueOf(colour), qAlpha(own)));
        }
    }
    return result;
}

// The picture a file should decode to, read by Qt. Good files standing in for it are compared
// by colour, as their palettes may differ.
QImage ExpectedPicture(const QString& path, const Deviation* deviation) {
    const QImage own = ReadWithQt(TestDataPath(path));
    if (!deviation || !deviation->sameAs)
        return own;
    const QImage sameAs = ReadWithQt(TestDataPath(QString("bmpsuite/") + deviation->sameAs));
    if (deviation->wideChannels != 0)
        return WithChannelsFrom(own, sameAs, deviation->wideChannels);
    return sameAs.convertToFormat(QImage::Format_ARGB32);
}

// Good files are read like Qt reads them, at the depth they store (24 above 8 bits), and so are
// questionable files unless listed above; bad files (and an OS/2 bitmap array) are refused unless
// listed above.
TEST(BmpReader, FilesMatchQtOrAreRefused) {
    LUMADEX_REQUIRE_TESTDATA("bmpsuite/q");
    QStringList files = BmpFilesIn("jpeg/generated");
    for (const char* folder : {"g", "q", "b", "x"})
        files += BmpFilesIn(QString("bmpsuite/") + folder);
    ASSERT_GE(files.size(), 90);
    for (const QString& path : files) {
        const QString file = QString(path).remove("bmpsuite/");
        SCOPED_TRACE(file.toStdString());
        const auto found = kDeviations.find(file);
        const Deviation* deviation = found == kDeviations.end() ? nullptr : &found->second;
        const bool bad = file.startsWith("b/") || file.startsWith("x/");
        if (file == "b/reallybig.bmp") {
            EXPECT_TRUE(DecodeFile(path, DecodeStatus::BadDimensions).isEmpty());
        } else if (kRefusedQuestionable.contains(file) || (bad && !deviation)) {
            EXPECT_TRUE(DecodeFile(path, DecodeStatus::Failed).isEmpty());
        } else {
            const Bitmap ours = DecodeFile(path);
            const QImage theirs = ExpectedPicture(path, deviation);
            ASSERT_FALSE(theirs.isNull());
            EXPECT_EQ(Differences(ours, theirs, deviation ? deviation->except : Except::Nothing,
                                  deviation ? deviation->wideChannels : 0),
                      "");
            if (!bad && !file.startsWith("q/")) {
                const int storedDepth = StoredDepth(path);
                EXPECT_EQ(ours.bitsPerPixel(), storedDepth <= 8 ? storedDepth : 24);
            }
        }
    }
}

TEST(BmpReader, KeepsTheAlphaOfAnAlphaMaskAndShowsOtherFilesOpaque) {
    LUMADEX_REQUIRE_TESTDATA("jpeg/generated");
    EXPECT_TRUE(DecodeFile("jpeg/generated/photo_32bit_alpha.bmp").hasAlpha());
    EXPECT_TRUE(DecodeFile("bmpsuite/q/rgba16-4444.bmp").hasAlpha());
    // The unused fourth byte of a plain 32-bit file carries no alpha, whatever it holds.
    EXPECT_FALSE(DecodeFile("bmpsuite/q/rgb32fakealpha.bmp").hasAlpha());
}

// BMP files built byte by byte: size guards, headers and masks that the suite's files do not show.

constexpr DecodeStatus kOk = DecodeStatus::Ok;
constexpr DecodeStatus kFailed = DecodeStatus::Failed;
constexpr DecodeStatus kBadDimensions = DecodeStatus::BadDimensions;

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                     int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

// The fields of a BMP file. The defaults make a 4 x 2 8-bit picture with a 4-entry palette
// whose indices read "0123/3210" (rows top-down).
struct TestBmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 4;
    std::int32_t height = 2;
    std::uint32_t bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 4;
    // Red, green, blue (and alpha), inside a header of at least 56 bytes.
    std::vector<std::uint32_t> masks = {};
    std::vector<Colour> palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    std::vector<std::uint8_t> pixels = {3, 2, 1, 0, 0, 1, 2, 3}; // bottom row first
    std::optional<std::uint32_t> pixelOffset = {};               // default: after the palette

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> file(14 + headerSize, 0);
        file[0] = 'B';
        file[1] = 'M';
        PutLittleEndian(file, 14, headerSize, 4);
        const int fieldSize = headerSize == 12 ? 2 : 4;
        PutLittleEndian(file, 18, std::uint32_t(width), fieldSize);
        PutLittleEndian(file, 18 + fieldSize, std::uint32_t(height), fieldSize);
        PutLittleEndian(file, 18 + 2 * fieldSize, 1, 2);
        PutLittleEndian(file, 20 + 2 * fieldSize, bits, 2);
        if (headerSize > 12) {
            PutLittleEndian(file, 30, compression, 4);
            PutLittleEndian(file, 46, coloursUsed, 4);
        }
        for (std::size_t i = 0; i < masks.size(); ++i)
            PutLittleEndian(file, 54 + 4 * i, masks[i], 4);
        for (Colour colour : palette) {
            file.insert(file.end(), {BlueOf(colour), GreenOf(colour), RedOf(colour)});
            if (headerSize != 12)
                file.push_back(0);
        }
        PutLittleEndian(file, 10, pixelOffset.value_or(std::uint32_t(file.size())), 4);
        file.insert(file.end(), pixels.begin(), pixels.end());
        PutLittleEndian(file, 2, std::uint32_t(file.size()), 4);
        return file;
    }
};

// A 2 x 1 bit-field picture with a V5 header.
TestBmp BitFields(std::vector<std::uint32_t> masks, std::uint32_t bits = 32,
                  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(8)) {
    return {.headerSize = 124,
            .width = 2,
            .height = 1,
            .bits = bits,
            .compression = 3,
            .coloursUsed = 0,
            .masks = std::move(masks),
            .palette = {},
            .pixels = std::move(pixels)};
}

DecodeStatus Decode(const TestBmp& bmp, Bitmap& out, int maxDimension = kMaxPictureDimension) {
    return ReadBmp(bmp.bytes(), out, maxDimension);
}

struct HeaderCase {
    const char* name;
    TestBmp bmp;
    DecodeStatus expected;
    int maxDimension = kMaxPictureDimension;
};

TEST(BmpSynthetic, HeadersAreCheckedBeforeAnyPixel) {
    const HeaderCase cases[] = {
        {"picture at the size limit", {}, kOk, 4},
        {"width over the limit", {}, kBadDimensions, 3},
        {"top-down height over the limit", {.height = -5}, kBadDimensions, 4},
        {"width 0", {.width = 0}, kBadDimensions},
        {"lowest height", {.height = INT_MIN}, kBadDimensions, INT_MAX},
        {"huge picture in a tiny file", {.width = 10000, .height = 10000}, kFailed},
        {"bigger than memory", {.width = INT_MAX, .height = INT_MAX, .bits = 32}, kFailed, INT_MAX},
        {"RLE4 with 8 bits", {.compression = 2}, kFailed},
        {"bit fields with 8 bits", BitFields({0xE0, 0x1C, 0x03}, 8), kFailed},
        {"16 bits in a core header", {.headerSize = 12, .bits = 16, .palette = {}}, kFailed},
        {"pixel offset beyond the file", {.pixelOffset = 1000}, kFailed},
        {"last row without padding", {.width = 3, .pixels = {3, 2, 1, 0, 0, 1, 2}}, kOk},
        {"last row one byte short", {.width = 3, .pixels = {3, 2, 1, 0, 0, 1}}, kFailed},
        {"alpha overlaps blue", BitFields({0xFF0000, 0xFF00, 0xFF, 0xFF80}), kFailed},
        {"green in two pieces", BitFields({0xFF0000, 0xF00F, 0xF0, 0}), kFailed},
        {"alpha in two pieces", BitFields({0xFF0000, 0xFF00, 0xFF, 0xF1000000}), kFailed},
        {"16-bit mask above bit 15", BitFields({0x1F0000, 0xFC00, 0x3FF, 0}, 16), kFailed}};
    for (const HeaderCase& row : cases) {
        Bitmap out;
        EXPECT_EQ(Decode(row.bmp, out, row.maxDimension), row.expected) << row.name;
        EXPECT_EQ(out.isEmpty(), row.expected != kOk) << row.name;
    }
}

// Bit-field channels are scaled to 8 bits, the largest value of a narrow alpha opaque (Qt, by
// shifting, reads it otherwise; the suite's files skip that comparison). Alpha 0 everywhere is
// taken for an unused channel.
TEST(BmpSynthetic, BitFieldPixels) {
    // 10-bit channels 1023, 512, 2; 2-bit alpha 0, then 3.
    const TestBmp wide =
        BitFields({0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000}, 32, {2, 0, 0xF8, 0x3F, 0, 0, 0, 0xC0});
    Bitmap out;
    ASSERT_EQ(Decode(wide, out), kOk);
    EXPECT_EQ(out.pixel(0, 0), MakeColour(255, 128, 0));
    ASSERT_TRUE(out.hasAlpha());
    EXPECT_EQ(out.alphaRow(0)[0], 0);
    EXPECT_EQ(out.alphaRow(0)[1], 255);

    ASSERT_EQ(
        Decode(BitFields({0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 32, {1, 2, 3, 0, 4, 5, 6, 0}), out),
        kOk);
    EXPECT_EQ(out.pixel(1, 0), MakeColour(6, 5, 4));
    EXPECT_FALSE(out.hasAlpha());
}

// Every prefix of a real file either fails or, when only padding is missing, decodes to the same
// picture as the whole file; none reads past its end (the sanitizer build checks that).
TEST(BmpSynthetic, EveryTruncationOfRealFiles) {
    LUMADEX_REQUIRE_TESTDATA("bmpsuite/g");
    for (const char* name : {"g/pal1.bmp", "g/pal4rle.bmp", "g/pal8os2.bmp", "g/rgb16-565.bmp",
                             "q/rgba16-4444.bmp", "q/pal8rletrns.bmp"}) {
        const std::vector<std::uint8_t> whole =
            ReadWholeFile(TestDataPath(QString("bmpsuite/") + name));
        Bitmap full;
        ASSERT_EQ(ReadBmp(whole, full), kOk) << name;
        std::vector<std::uint8_t> buffer(whole.size());
        for (std::size_t length = 0; length < whole.size(); ++length) {
            // The prefix ends where the buffer ends, so a read past it is a buffer overflow.
            const auto prefix = std::span(buffer).last(length);
            std::copy_n(whole.begin(), length, prefix.begin());
            Bitmap out;
            if (ReadBmp(prefix, out) != kOk)
                continue;
            ASSERT_EQ(out.width(), full.width()) << name << " cut at " << length;
            ASSERT_EQ(out.height(), full.height()) << name << " cut at " << length;
            for (int y = 0; y < full.height(); ++y) {
                for (int x = 0; x < full.width(); ++x)
                    ASSERT_EQ(out.pixel(x, y), full.pixel(x, y)) << name << " cut at " << length;
            }
        }
    }
}

} // namespace
} // namespace lumadex
