// Decodes real BMP files and compares them with Qt's reader, pixel by pixel.

#include "codecs/bmp_reader.h"
#include "support/testdata.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <sstream>
#include <string>

namespace lumadex {
namespace {

using test::ReadWholeFile;
using test::TestDataPath;

Colour FromQt(QRgb rgb) {
    return MakeColour(std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)));
}

QImage ReadWithQt(const QString& path) {
    QImageReader reader(path, "bmp");
    return reader.read();
}

bool IsQtPaletted(const QImage& image) {
    return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
           image.format() == QImage::Format_MonoLSB;
}

// Qt's colour of a pixel; an index beyond a palette reads as transparent black, without the
// warning QImage::pixel prints for it.
QRgb QtPixel(const QImage& image, int x, int y) {
    if (!IsQtPaletted(image))
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
// pictures, and alpha where we keep it); otherwise the first difference and how many pixels
// differ.
std::string Differences(const Bitmap& ours, const QImage& theirs, Except except = Except::Nothing,
                        Colour roughChannels = 0) {
    if (ours.width() != theirs.width() || ours.height() != theirs.height())
        return "sizes differ";
    // Qt may swap the two entries of a 1-bit palette, so only 8-bit indices are compared.
    const bool compareIndices = ours.isPaletted() && theirs.format() == QImage::Format_Indexed8;
    const bool compareAlpha = ours.hasAlpha() && except != Except::NarrowAlpha;
    std::ostringstream first;
    int differing = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            if (except == Except::SkippedPixels && ours.paletteIndex(x, y) == 0)
                continue;
            const QRgb their = QtPixel(theirs, x, y);
            const bool same =
                SameColour(ours.pixel(x, y), FromQt(their), roughChannels) &&
                (!compareIndices || ours.paletteIndex(x, y) == theirs.pixelIndex(x, y)) &&
                (!compareAlpha || ours.alphaRow(y)[x] == qAlpha(their));
            if (!same && differing++ == 0)
                first << "first at (" << x << "," << y << "): ours " << std::hex << ours.pixel(x, y)
                      << " alpha " << (ours.hasAlpha() ? int(ours.alphaRow(y)[x]) : 255)
                      << ", Qt's " << their << std::dec;
        }
    }
    if (differing == 0)
        return {};
    first << "; " << differing << " pixels differ";
    return first.str();
}

// Decodes a file of the shared pictures (a path below the test-data folder).
Bitmap Decode(const QString& file, DecodeStatus expected = DecodeStatus::Ok) {
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

TEST(BmpReader, GoodFilesMatchQt) {
    LUMADEX_REQUIRE_TESTDATA("bmpsuite/g");
    const QStringList files = BmpFilesIn("bmpsuite/g") + BmpFilesIn("jpeg/generated");
    ASSERT_GE(files.size(), 30);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QImage theirs = ReadWithQt(TestDataPath(file));
        const Bitmap ours = Decode(file);
        EXPECT_EQ(Differences(ours, theirs), "");
        const int storedDepth = StoredDepth(file);
        EXPECT_EQ(ours.bitsPerPixel(), storedDepth <= 8 ? storedDepth : 24);
    }
}

// Channel masks of a 0x00BBGGRR colour.
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

// Files we read differently from Qt, or that Qt refuses. The expected picture comes from a good
// file showing the same picture, read by Qt.
struct Deviation {
    const char* file;
    const char* sameAs;
    Except except = Except::Nothing;
    // Channels wider than 8 bits, which Qt 6.4 reads as 0 and we round to the nearest 8-bit
    // value: they are compared with sameAs (itself rounded from a finer picture, so they may be
    // off by one), the other channels with Qt's reading of the file.
    Colour wideChannels = 0;
};

const Deviation kDeviations[] = {
    // Ending early by an end-of-picture code, or skipping pixels by deltas.
    {"q/pal4rlecut.bmp", "g/pal4rle.bmp", Except::SkippedPixels},
    {"q/pal8rlecut.bmp", "g/pal8rle.bmp", Except::SkippedPixels},
    {"q/pal4rletrns.bmp", "g/pal4rle.bmp", Except::SkippedPixels},
    {"q/pal8rletrns.bmp", "g/pal8rle.bmp", Except::SkippedPixels},
    {"q/rgba16-4444.bmp", nullptr, Except::NarrowAlpha},
    {"q/rgba16-5551.bmp", nullptr, Except::NarrowAlpha},
    // A core palette of 252 entries, cut short by the pixels; Qt reads 256 and shifts indices.
    {"q/pal8os2sp.bmp", "g/pal8os2.bmp"},
    {"q/pal8oversizepal.bmp", "g/pal8.bmp"}, // 300 palette entries: 256 used
    {"q/rgb32h52.bmp", "g/rgb24.bmp"},       // 52-byte info header
    {"q/rgba32h56.bmp", "q/rgba32-1.bmp"},   // 56-byte info header
    {"q/rgb16-3103.bmp", "g/rgb24.bmp", Except::Nothing, kGreen},
    {"q/rgb32-111110.bmp", "g/rgb24.bmp", Except::Nothing, kRed | kGreen | kBlue},
    {"q/rgb32-7187.bmp", "g/rgb24.bmp", Except::Nothing, kGreen},
    {"q/rgba16-1924.bmp", "q/rgba32-1.bmp", Except::NarrowAlpha, kGreen},
    {"q/rgba32-1010102.bmp", "q/rgba32-1.bmp", Except::NarrowAlpha, kRed | kGreen | kBlue},
    {"q/rgba32-61754.bmp", "q/rgba32-1.bmp", Except::NarrowAlpha, kGreen},
    {"q/rgba32-81284.bmp", "q/rgba32-1.bmp", Except::NarrowAlpha, kGreen},
    // Bad files where only fields that decoding does not use are wrong: image size, densities,
    // file size, a palette size beyond 256 (the 252 entries stored are used).
    {"b/badbitssize.bmp", "g/pal1.bmp"},
    {"b/baddens1.bmp", "g/pal1.bmp"},
    {"b/baddens2.bmp", "g/pal1.bmp"},
    {"b/badfilesize.bmp", "g/pal1.bmp"},
    {"b/badpalettesize.bmp", "g/pal8.bmp"},
    {"b/pal8badindex.bmp", nullptr}, // indices beyond the palette read black, as in Qt
};

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
QImage ExpectedPicture(const QString& file, const Deviation* deviation) {
    const QImage own = ReadWithQt(TestDataPath("bmpsuite/" + file));
    if (!deviation || !deviation->sameAs)
        return own;
    const QImage sameAs = ReadWithQt(TestDataPath(QString("bmpsuite/") + deviation->sameAs));
    if (deviation->wideChannels != 0)
        return WithChannelsFrom(own, sameAs, deviation->wideChannels);
    return sameAs.convertToFormat(QImage::Format_ARGB32);
}

const Deviation* FindDeviation(const QString& file) {
    for (const Deviation& deviation : kDeviations) {
        if (file == deviation.file)
            return &deviation;
    }
    return nullptr;
}

// Questionable files are read like Qt reads them, unless listed above; bad files (and an OS/2
// bitmap array) are refused, unless listed above.
TEST(BmpReader, QuestionableAndBadFiles) {
    LUMADEX_REQUIRE_TESTDATA("bmpsuite/q");
    QStringList files;
    for (const char* folder : {"q", "b", "x"})
        files += BmpFilesIn(QString("bmpsuite/") + folder);
    ASSERT_GE(files.size(), 60);
    for (const QString& path : files) {
        const QString file = path.mid(QString("bmpsuite/").size());
        SCOPED_TRACE(file.toStdString());
        const Deviation* deviation = FindDeviation(file);
        const bool bad = file.startsWith("b/") || file.startsWith("x/");
        if (file == "b/reallybig.bmp") {
            EXPECT_TRUE(Decode(path, DecodeStatus::BadDimensions).isEmpty());
        } else if (kRefusedQuestionable.contains(file) || (bad && !deviation)) {
            EXPECT_TRUE(Decode(path, DecodeStatus::Failed).isEmpty());
        } else {
            const Bitmap ours = Decode(path);
            const QImage theirs = ExpectedPicture(file, deviation);
            ASSERT_FALSE(theirs.isNull());
            EXPECT_EQ(Differences(ours, theirs, deviation ? deviation->except : Except::Nothing,
                                  deviation ? deviation->wideChannels : 0),
                      "");
        }
    }
}

TEST(BmpReader, KeepsTheAlphaOfAnAlphaMaskAndShowsOtherFilesOpaque) {
    LUMADEX_REQUIRE_TESTDATA("jpeg/generated");
    EXPECT_TRUE(Decode("jpeg/generated/photo_32bit_alpha.bmp").hasAlpha());
    EXPECT_TRUE(Decode("bmpsuite/q/rgba16-4444.bmp").hasAlpha());
    // The unused fourth byte of a plain 32-bit file carries no alpha, whatever it holds.
    EXPECT_FALSE(Decode("bmpsuite/q/rgb32fakealpha.bmp").hasAlpha());
}

} // namespace
} // namespace lumadex
