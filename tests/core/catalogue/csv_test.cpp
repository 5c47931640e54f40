#include "catalogue/csv_rename.h"
#include "catalogue/csv_split.h"
#include "core/catalogue/adding_test_tree.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(CsvSplitTest, LinesAndCommaTextFields) {
    const struct {
        const char* what;
        QString line;
        QStringList fields;
    } rows[] = {
        {"blanks around and inside", "  a.jpg , /my pics/ ,b  ", {"a.jpg", "/my", "pics/", "b"}},
        {"quoted blank and comma", "\"/my pics/\",\"a,b\"", {"/my pics/", "a,b"}},
        {"doubled quotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"empty fields", "\"\",a,,b,", {"", "a", "", "b"}},
        {"leading comma", ",a", {"", "a"}},
        {"unclosed quote", "x,\"open, end", {"x", "open, end"}},
        {"text after quote", "\"ab\"cd,e", {"ab", "cd", "e"}},
        {"control chars", "\t\001a\037b", {"a", "b"}},
        {"only blanks", " \t ", {}},
        {"nul ends the line", QString("a,b") + QChar(0) + ",c", {"a", "b"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SplitCommaText(row.line), row.fields) << row.what;

    const struct {
        const char* what;
        QString text;
        QStringList lines;
    } texts[] = {
        {"mixed", "h\r\na\nb\rc", {"h", "a", "b", "c"}},
        {"blank line and ending at end", "x\r\n\r\n", {"x", ""}},
        {"CR then CR LF", "\r\r\n", {"", ""}},
        {"LF CR is two", "a\n\rb", {"a", "", "b"}},
        {"nul ends the text", QString("a\nb") + QChar(0) + "\nc", {"a", "b"}},
    };
    for (const auto& text : texts)
        EXPECT_EQ(SplitTextLines(text.text), text.lines) << text.what;
}

// A catalogue of four records.
struct RenameScene {
    PictureCatalogue pictures{PictureLoader()};
    RenameScene() {
        for (const char* path : {"/pics/a.jpg", "/pics/c.jpg", "/my pics/a.jpg", "/other/z.jpg"})
            pictures.catalogue().AddRecord(std::make_unique<Pdata>(QString::fromUtf8(path)));
    }
};

// Lines after the header name a file, its folder (case ignored) and the new name; a line of
// fewer fields ends the renaming but keeps the changes before it.
TEST(CsvRenameTest, RenamesTheStoredPaths) {
    const QStringList unchanged = {"/my pics/a.jpg", "/other/z.jpg", "/pics/a.jpg", "/pics/c.jpg"};
    const struct {
        const char* name;
        QString text;
        int changed;
        bool invalid;
        QStringList paths;
    } rows[] = {
        // clang-format off
        {"header and line end", "old,folder,new\r\n", 0, false, unchanged},
        {"names and folders in other case",
         "Name,Folder,New\r\nA.JPG,/PICS/,b.jpg\r\nz.jpg,/other/,y.jpg", 2, false,
         {"/my pics/a.jpg", "/other/y.jpg", "/PICS/b.jpg", "/pics/c.jpg"}},
        {"quoted folder with a blank", "h\na.jpg,\"/my pics/\",b.jpg", 1, false,
         {"/my pics/b.jpg", "/other/z.jpg", "/pics/a.jpg", "/pics/c.jpg"}},
        {"short line",
         "h\rmissing.jpg,/pics/,x.jpg\ra.jpg,/pics/,b.jpg\rc.jpg,/pics/\rz.jpg,/other/,y.jpg",
         1, true, {"/my pics/a.jpg", "/other/z.jpg", "/pics/b.jpg", "/pics/c.jpg"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        RenameScene scene;
        const Pdata* first = &scene.pictures.catalogue().at(2);
        const CsvRenameResult result = RenameFromCsvText(scene.pictures, row.text);
        EXPECT_EQ(result.changedCount, row.changed) << row.name;
        EXPECT_EQ(result.invalid, row.invalid) << row.name;
        EXPECT_EQ(result.StatusText(), QStringLiteral("%1 FileName Changed.").arg(row.changed))
            << row.name;
        EXPECT_EQ(test::CataloguePaths(scene.pictures), row.paths) << row.name;
        // A renamed record is the same record, found under its new path.
        const int renamed = scene.pictures.catalogue().IndexOf(first);
        EXPECT_EQ(scene.pictures.catalogue().FindRecord(first->fileName), renamed) << row.name;
    }
}

} // namespace
} // namespace lumadex
