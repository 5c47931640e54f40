#include "codecs/jpeg_codec.h"
#include "support/testdata.h"

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace lumadex {
namespace {

// Peak signal-to-noise ratio over the colour channels of two same-sized pictures, in dB.
double Psnr(const Bitmap& a, const Bitmap& b) {
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16}) {
                const double d =
                    double((a.pixel(x, y) >> shift) & 255) - double((b.pixel(x, y) >> shift) & 255);
                squares += d * d;
            }
    const double mean = squares / (3.0 * a.width() * a.height());
    return mean == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

// A smooth picture, the kind of content JPEG is made for. Level v is the colour (v, 255 - v,
// v / 2): the 8-bit picture stores v as the index of a palette of those colours, the others
// their blue, green and red bytes, so that swapped channels show.
Bitmap SmoothPicture(int depth) {
    Bitmap bitmap(96, 64, depth);
    bitmap.fill(0);
    std::vector<Colour> palette;
    for (int v = 0; depth == 8 && v < 256; ++v)
        palette.push_back(MakeColour(std::uint8_t(v), std::uint8_t(255 - v), std::uint8_t(v / 2)));
    bitmap.setPalette(palette);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const auto v = std::uint8_t(128 + 100 * std::sin((x + 2 * y) / 20.0));
            std::uint8_t* p = bitmap.row(y) + x * depth / 8;
            if (depth == 8) {
                p[0] = v;
            } else {
                p[0] = v / 2;
                p[1] = std::uint8_t(255 - v);
                p[2] = v;
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

// A 24-bit picture of the luma of each pixel: what a grey file should hold.
Bitmap Luma(const Bitmap& source) {
    Bitmap luma(source.width(), source.height(), 24);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const Colour c = source.pixel(x, y);
            const double grey = 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c);
            std::fill_n(luma.row(y) + 3 * x, 3, std::uint8_t(std::lround(grey)));
        }
    return luma;
}

// 24- and 32-bit rows go to the library as they are, other depths through a converted row. The
// frame marker names the process: C0 is baseline sequential, C2 would be progressive.
TEST(JpegWriterTest, WritesBaselineColourOrGreyFilesThatQtAndWeReadBack) {
    for (const auto& [depth, grayscale] :
         {std::pair{8, false}, {24, false}, {32, false}, {32, true}}) {
        SCOPED_TRACE(testing::Message()
                     << depth << " bits per pixel" << (grayscale ? ", grey" : ""));
        const Bitmap source = SmoothPicture(depth);
        const auto file = Encoded(source, 90, grayscale);
        const QByteArray bytes(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
        EXPECT_TRUE(bytes.contains("\xFF\xC0") && !bytes.contains("\xFF\xC2"));
        const QImage image = QImage::fromData(bytes, "JPEG");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.format() == QImage::Format_Grayscale8, grayscale);
        const Bitmap decoded = Decoded(file);
        ASSERT_EQ(decoded.width(), source.width());
        ASSERT_EQ(decoded.height(), source.height());
        EXPECT_EQ(decoded.bitsPerPixel(), grayscale ? 8 : 24);
        EXPECT_GT(Psnr(grayscale ? Luma(source) : source, decoded), 38.0);
    }
}

// Clamped at both ends, used in between: 26 and 99 differ from the ends, and more is bigger.
TEST(JpegWriterTest, QualityIsClampedTo25Through100) {
    const Bitmap source = SmoothPicture(24);
    const auto lowest = Encoded(source, 25);
    const auto highest = Encoded(source, 100);
    EXPECT_EQ(Encoded(source, 24), lowest);
    EXPECT_EQ(Encoded(source, 101), highest);
    EXPECT_LT(lowest.size(), Encoded(source, 26).size());
    EXPECT_LT(Encoded(source, 99).size(), highest.size());
}

TEST(JpegWriterTest, RefusesBitmapsItCannotEncode) {
    Bitmap tooWide(65501, 1, 24); // beyond what a JPEG frame can hold
    tooWide.fill(0);
    Bitmap empty;
    for (const Bitmap* bitmap : {&tooWide, &empty}) {
        std::vector<std::uint8_t> file{1, 2, 3};
        EXPECT_FALSE(WriteJpeg(*bitmap, 75, false, file));
        EXPECT_TRUE(file.empty());
    }
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
