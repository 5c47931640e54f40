#include "catalogue/extensions.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

// Short extensions must end a mask entry; four characters or more need not. The extension
// starts at the last dot of the file name.
TEST(ExtensionsTest, AcceptedExtensions) {
    EXPECT_EQ(ExtensionOf(u"/pics.d/a.b.JPEG"), ".JPEG");
    EXPECT_EQ(ExtensionOf(u"/pics.d/noext"), "");
    const QString native = QString::fromUtf16(kNativeExtensionMask);
    const struct {
        const char* extension;
        QString mask;
        bool accepted;
    } rows[] = {
        {".JPG", native, true},   {".JPE", native, true},      {".Jpeg", native, true},
        {".bmp", native, true},   {".png", native, true},      {".pn", native, false},
        {".gif", native, false},  {"", native, false},         {".", native, false},
        {".jpgx", native, false}, {".pi", "*.pic;*.pi", true}, {".pi", "*.pi;*.pic", true},
        {".pi", "*.pic", false},  {".tif", "*.tiff", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsAcceptedExtension(QString::fromUtf8(row.extension), row.mask), row.accepted)
            << row.extension << " in " << row.mask.toStdString();
    }
}

} // namespace
} // namespace lumadex
