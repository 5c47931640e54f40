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

// Short extensions must end a mask entry; four characters or more need not.
TEST(ExtensionsTest, AcceptedExtensions) {
    const QString native = QString::fromUtf16(kNativeExtensionMask);
    const struct {
        const char* extension;
        QString mask;
        bool accepted;
    } rows[] = {
        {".jpg", native, true},    {".JPG", native, true},      {".jif", native, true},
        {".JPE", native, true},    {".jpeg", native, true},     {".Jpeg", native, true},
        {".bmp", native, true},    {".png", native, true},      {".PNG", native, true},
        {".pn", native, false},    {".jp", native, false},      {".bm", native, false},
        {".gif", native, false},   {".ico", native, false},     {".txt", native, false},
        {"", native, false},       {".", native, false},        {".jpgx", native, false},
        {".jpeg2", native, false}, {".pi", "*.pic;*.pi", true}, {".pi", "*.pi;*.pic", true},
        {".pi", "*.pic", false},   {".ab", "*.ab", true},       {".tif", "*.tiff", true},
        {".tiff", "*.tiff", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsAcceptedExtension(QString::fromUtf8(row.extension), row.mask), row.accepted)
            << row.extension << " in " << row.mask.toStdString();
    }
}

} // namespace
} // namespace lumadex
