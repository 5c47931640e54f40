#include "codecs/jpeg_codec.h"
#include "support/testdata.h"

#include <QByteArray>
#include <QImage>
#include <cmath>
#include <cstring>

namespace lumadex {
namespace {

// Peak signal-to-noise ratio over the colour channels of two same-sized pictures, in dB.
double Psnr(const Bitmap& a, const Bitmap& b) {
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Colour p = a.pixel(x, y);
            const Colour q = b.pixel(x, y);
            for (int shift : {0, 8, 16}) {
                const double d = double((p >> shift) & 255) - double((q >> shift) & 255);
                squares += d * d;
            }
        }
    const double mean = squares / (3.0 * a.width() * a.height());
    return mean == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

std::uint8_t Channel(int x, int y, int channel) {
    const double waves[] = {x * 2.2, y * 3.1, 128 + 100 * std::sin((x + y) / 20.0)};
    return std::uint8_t(waves[channel]);
}

// A smooth picture, the kind of content JPEG is made for; paletted depths get a colour ramp.
Bitmap SmoothPicture(int depth) {
    Bitmap bitmap(96, 64, depth);
    bitmap.fill(0);
    const int entries = bitmap.isPaletted() ? 1 << depth : 0;
    std::vector<Colour> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(MakeColour(Channel(i * 95 / entries, 0, 0),
                                     Channel(0, i * 63 / entries, 1),
                                     Channel(i * 95 / entries, i * 63 / entries, 2)));
    bitmap.setPalette(palette);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const unsigned r = Channel(x, y, 0), g = Channel(x, y, 1), b = Channel(x, y, 2);
            std::uint8_t* row = bitmap.row(y);
            if (bitmap.isPaletted()) {
                const unsigned index = unsigned(x + y) * unsigned(entries) / 160;
                row[x * depth / 8] |= std::uint8_t(index << (8 - depth - x * depth % 8));
            } else if (depth >= 24) {
                std::uint8_t* p = row + x * depth / 8;
                p[0] = std::uint8_t(b), p[1] = std::uint8_t(g), p[2] = std::uint8_t(r);
            } else {
                const unsigned word = depth == 16 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                                  : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
                row[2 * x] = std::uint8_t(word), row[2 * x + 1] = std::uint8_t(word >> 8);
            }
        }
    return bitmap;
}

Bitmap Decoded(const std::vector<std::uint8_t>& file) {
    Bitmap bitmap;
    EXPECT_EQ(ReadJpeg(file, bitmap), DecodeStatus::Ok);
    return bitmap;
}

std::vector<std::uint8_t> Encoded(const Bitmap& bitmap, int quality, bool grayscale = false) {
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(WriteJpeg(bitmap, quality, grayscale, file));
    return file;
}

// Two-colour pictures have hard edges, where JPEG loses most.
TEST(JpegWriterTest, RoundTripKeepsThePictureAtEveryDepth) {
    for (auto [depth, minPsnr] : {std::pair{1, 25.0},
                                  {4, 33.0},
                                  {8, 40.0},
                                  {15, 36.0},
                                  {16, 36.0},
                                  {24, 40.0},
                                  {32, 40.0}}) {
        SCOPED_TRACE(testing::Message() << depth << " bits per pixel");
        const Bitmap source = SmoothPicture(depth);
        const Bitmap decoded = Decoded(Encoded(source, 90));
        ASSERT_EQ(decoded.width(), source.width());
        ASSERT_EQ(decoded.height(), source.height());
        EXPECT_EQ(decoded.bitsPerPixel(), 24);
        EXPECT_GT(Psnr(source, decoded), minPsnr);
    }
}

TEST(JpegWriterTest, QualityIsClampedTo25Through100) {
    const Bitmap source = SmoothPicture(24);
    EXPECT_EQ(Encoded(source, -40), Encoded(source, 25));
    EXPECT_EQ(Encoded(source, 24), Encoded(source, 25));
    EXPECT_EQ(Encoded(source, 101), Encoded(source, 100));
    std::size_t previousSize = 0;
    double previousPsnr = 0;
    for (int quality : {25, 26, 50, 99, 100}) {
        const auto file = Encoded(source, quality);
        const double psnr = Psnr(source, Decoded(file));
        EXPECT_GT(file.size(), previousSize) << "quality " << quality;
        EXPECT_GT(psnr, previousPsnr) << "quality " << quality;
        previousSize = file.size();
        previousPsnr = psnr;
    }
}

// The frame marker names the process: C0 is baseline sequential, C2 would be progressive.
TEST(JpegWriterTest, WritesBaselineColourOrGreyFilesThatQtReads) {
    const Bitmap source = SmoothPicture(32);
    Bitmap luma(source.width(), source.height(), 24);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const Colour c = source.pixel(x, y);
            const double grey = 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c);
            std::memset(luma.row(y) + 3 * x, int(std::lround(grey)), 3);
        }
    for (bool grayscale : {false, true}) {
        SCOPED_TRACE(grayscale ? "grey" : "colour");
        const auto file = Encoded(source, 90, grayscale);
        const QByteArray bytes(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
        EXPECT_TRUE(bytes.startsWith("\xFF\xD8") && bytes.endsWith("\xFF\xD9"));
        EXPECT_TRUE(bytes.contains("\xFF\xC0") && !bytes.contains("\xFF\xC2"));
        const QImage image = QImage::fromData(bytes, "JPEG");
        EXPECT_EQ(image.size(), QSize(source.width(), source.height()));
        EXPECT_EQ(image.format() == QImage::Format_Grayscale8, grayscale);
        const Bitmap decoded = Decoded(file);
        EXPECT_EQ(decoded.bitsPerPixel(), grayscale ? 8 : 24);
        EXPECT_GT(Psnr(grayscale ? luma : source, decoded), 38.0);
    }
}

TEST(JpegWriterTest, RefusesBitmapsItCannotEncode) {
    std::vector<std::uint8_t> file{1, 2, 3};
    EXPECT_FALSE(WriteJpeg(Bitmap(), 75, false, file));
    EXPECT_TRUE(file.empty());
    file = {1, 2, 3};
    Bitmap tooWide(65501, 1, 24); // beyond what a JPEG frame can hold
    tooWide.fill(0);
    EXPECT_FALSE(WriteJpeg(tooWide, 75, false, file));
    EXPECT_TRUE(file.empty());
}

TEST(JpegWriterTest, EncodesPhotosLargerThanTheFirstOutputBuffer) {
    LUMADEX_REQUIRE_TESTDATA("photos");
    const Bitmap photo =
        Decoded(test::ReadWholeFile(test::TestDataPath("photos/mate_GreenMeadow.jpg")));
    const auto file = Encoded(photo, 95);
    ASSERT_GT(file.size(), 256u * 1024u);
    EXPECT_GT(Psnr(photo, Decoded(file)), 33.0);
}

} // namespace
} // namespace lumadex
