// Splits arbitrary text into CSV lines and fields and applies it as a rename list to a small
// catalogue, checking that the catalogue keeps its records and its order.
#include "catalogue/csv_rename.h"
#include "catalogue/csv_split.h"
#include "catalogue/path_order.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace lumadex;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckFields(QStringView line) {
    for (const QString& field : SplitCommaText(line))
        Check(field.size() <= line.size());
}

void CheckRename(QStringView text, qsizetype lineCount) {
    PictureCatalogue pictures{PictureLoader()};
    for (const char* path : {"/a/a.jpg", "/a/b.jpg", "/a/A.JPG", "/my pics/x.jpg", "/\"q\"/y.jpg"})
        pictures.catalogue().AddRecord(std::make_unique<Pdata>(QString::fromUtf8(path)));
    const int count = pictures.catalogue().count();

    const CsvRenameResult result = RenameFromCsvText(pictures, text);
    Check(result.changedCount >= 0 && result.changedCount <= std::max<qsizetype>(lineCount - 1, 0));
    Check(pictures.dataChanged() == (result.changedCount > 0));
    Check(pictures.catalogue().count() == count);
    for (int i = 1; i < count; ++i) {
        Check(ComparePathKeys(pictures.catalogue().at(i - 1).fileName,
                              pictures.catalogue().at(i).fileName) <= 0);
    }
    for (int i = 0; i < count; ++i)
        Check(pictures.catalogue().FindRecord(pictures.catalogue().at(i).fileName) >= 0);
    Check(result.StatusText().endsWith(QStringLiteral(" FileName Changed.")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = SplitTextLines(text);
    for (const QString& line : lines) {
        Check(!line.contains(u'\r') && !line.contains(u'\n'));
        CheckFields(line);
    }
    CheckFields(text);
    CheckRename(text, lines.size());
    return 0;
}
