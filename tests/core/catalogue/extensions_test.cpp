#include "catalogue/extensions.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(ExtensionsTest, ExtensionOfTakesTheLastDotOfTheFileName) {
    struct Row {
        const char* path;
        const char* extension;
    };
    const Row rows[] = {
        {"/pics/a.jpg", ".jpg"},  {"/pics/a.b.JPEG", ".JPEG"},
        {"/pics/noext", ""},      {"/pics.d/noext", ""},
        {"/pics/name.", "."},     {"/pics/.hidden", ".hidden"},
        {"relative.png", ".png"}, {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ExtensionOf(QString::fromUtf8(row.path)), QString::fromUtf8(row.extension))
            << row.path;
}

TEST(ExtensionsTest, AcceptedExtensionsUnderTheNativeMask) {
    struct Row {
        const char* extension;
        bool accepted;
    };
    const Row rows[] = {
        {".jpg", true},  {".JPG", true}, {".jif", true},   {".JPE", true},    {".jpeg", true},
        {".Jpeg", true}, {".bmp", true}, {".png", true},   {".PNG", true},    {".pn", false},
        {".jp", false},  {".bm", false}, {".gif", false},  {".ico", false},   {".txt", false},
        {"", false},     {".", false},   {".jpgx", false}, {".jpeg2", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsAcceptedExtension(QString::fromUtf8(row.extension),
                                      QString::fromUtf16(kNativeExtensionMask)),
                  row.accepted)
            << row.extension;
    }
}

TEST(ExtensionsTest, ShortExtensionsMustEndAMaskEntry) {
    struct Row {
        const char* extension;
        const char* mask;
        bool accepted;
    };
    const Row rows[] = {
        {".pi", "*.pic;*.pi", true}, // a later entry matches although an earlier one begins so
        {".pi", "*.pi;*.pic", true}, {".pi", "*.pic", false},
        {".ab", "*.ab", true},    // at the very end of the mask
        {".tif", "*.tiff", true}, // four characters or more need not end an entry
        {".tiff", "*.tiff", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(
            IsAcceptedExtension(QString::fromUtf8(row.extension), QString::fromUtf8(row.mask)),
            row.accepted)
            << row.extension << " in " << row.mask;
    }
}

} // namespace
} // namespace lumadex
