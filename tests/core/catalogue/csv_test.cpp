#include "catalogue/csv_rename.h"
#include "catalogue/csv_split.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(CsvSplitTest, CommaTextFields) {
    const struct {
        const char* what;
        QString line;
        QStringList fields;
    } rows[] = {
        {"plain", "a.jpg,/pics/,b.jpg", {"a.jpg", "/pics/", "b.jpg"}},
        {"blanks around", "  a.jpg , /pics/ ,b.jpg  ", {"a.jpg", "/pics/", "b.jpg"}},
        {"blank splits", "a.jpg,/my pics/,b.jpg", {"a.jpg", "/my", "pics/", "b.jpg"}},
        {"quoted blank", "a.jpg,\"/my pics/\",b.jpg", {"a.jpg", "/my pics/", "b.jpg"}},
        {"doubled quotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"quoted comma", "\"a,b\",c", {"a,b", "c"}},
        {"empty quoted", "\"\",x", {"", "x"}},
        {"two commas", "a,,b", {"a", "", "b"}},
        {"leading comma", ",a", {"", "a"}},
        {"trailing comma", "a,b,", {"a", "b"}},
        {"unclosed quote", "x,\"open, end", {"x", "open, end"}},
        {"text after quote", "\"ab\"cd,e", {"ab", "cd", "e"}},
        {"control chars",
         "\t\x01"
         "a\x1f"
         "b",
         {"a", "b"}},
        {"only blanks", " \t ", {}},
        {"empty", "", {}},
        {"nul ends the line", QString("a,b") + QChar(0) + ",c", {"a", "b"}},
        {"non-ASCII", "ä.jpg,/bilder/,ö.jpg", {"ä.jpg", "/bilder/", "ö.jpg"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SplitCommaText(row.line), row.fields) << row.what;
}

TEST(CsvSplitTest, LineEndings) {
    const struct {
        const char* what;
        QString text;
        QStringList lines;
    } rows[] = {
        {"mixed", "h\r\na\nb\rc", {"h", "a", "b", "c"}},
        {"ending at end", "x\r\n", {"x"}},
        {"blank line", "x\r\n\r\n", {"x", ""}},
        {"CR then CR LF", "\r\r\n", {"", ""}},
        {"LF CR is two", "a\n\rb", {"a", "", "b"}},
        {"empty", "", {}},
        {"nul ends the text", QString("a\nb") + QChar(0) + "\nc", {"a", "b"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SplitTextLines(row.text), row.lines) << row.what;
}

class CsvRenameTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* path : {"/pics/a.jpg", "/pics/c.jpg", "/my pics/a.jpg", "/other/z.jpg"})
            pictures_.catalogue().AddRecord(std::make_unique<Pdata>(QString::fromUtf8(path)));
    }

    const Pdata* Record(const char* path) const {
        const int index = pictures_.catalogue().FindRecord(QString::fromUtf8(path));
        return index < 0 ? nullptr : &pictures_.catalogue().at(index);
    }

    QStringList Paths() const {
        QStringList paths;
        for (int i = 0; i < pictures_.catalogue().count(); ++i)
            paths << pictures_.catalogue().at(i).fileName;
        return paths;
    }

    PictureCatalogue pictures_{PictureLoader()};
};

TEST_F(CsvRenameTest, HeaderOnlyChangesNothing) {
    for (const char* text : {"old,folder,new", "old,folder,new\r\n", ""}) {
        const CsvRenameResult result = RenameFromCsvText(pictures_, QString::fromUtf8(text));
        EXPECT_EQ(result.changedCount, 0) << text;
        EXPECT_FALSE(result.invalid) << text;
        EXPECT_EQ(result.StatusText(), "0 FileName Changed.");
    }
    EXPECT_FALSE(pictures_.dataChanged());
}

TEST_F(CsvRenameTest, RenamesTheStoredPathIgnoringCase) {
    const Pdata* a = Record("/pics/a.jpg");
    const CsvRenameResult result = RenameFromCsvText(
        pictures_, u"Name,Folder,New\r\nA.JPG,/PICS/,b.jpg\r\nz.jpg,/other/,y.jpg");
    EXPECT_EQ(result.changedCount, 2);
    EXPECT_FALSE(result.invalid);
    EXPECT_EQ(result.StatusText(), "2 FileName Changed.");
    EXPECT_TRUE(pictures_.dataChanged());
    // The same record, found under its new path; the catalogue stays in path order.
    EXPECT_EQ(Record("/pics/b.jpg"), a);
    EXPECT_EQ(a->fileName, "/PICS/b.jpg");
    EXPECT_EQ(Record("/pics/a.jpg"), nullptr);
    EXPECT_EQ(Paths(),
              (QStringList{"/my pics/a.jpg", "/other/y.jpg", "/PICS/b.jpg", "/pics/c.jpg"}));
}

TEST_F(CsvRenameTest, FoldersWithBlanksMustBeQuoted) {
    const CsvRenameResult unquoted = RenameFromCsvText(pictures_, u"h\na.jpg,/my pics/,b.jpg");
    EXPECT_EQ(unquoted.changedCount, 0);
    EXPECT_FALSE(unquoted.invalid);
    EXPECT_FALSE(pictures_.dataChanged());

    const CsvRenameResult quoted = RenameFromCsvText(pictures_, u"h\na.jpg,\"/my pics/\",b.jpg");
    EXPECT_EQ(quoted.changedCount, 1);
    EXPECT_NE(Record("/my pics/b.jpg"), nullptr);
}

TEST_F(CsvRenameTest, ShortLineStopsButKeepsEarlierChanges) {
    const CsvRenameResult result = RenameFromCsvText(
        pictures_,
        u"h\rmissing.jpg,/pics/,x.jpg\ra.jpg,/pics/,b.jpg\rc.jpg,/pics/\rz.jpg,/other/,y.jpg");
    EXPECT_TRUE(result.invalid);
    EXPECT_EQ(result.changedCount, 1);
    EXPECT_EQ(result.StatusText(), "1 FileName Changed.");
    EXPECT_NE(Record("/pics/b.jpg"), nullptr);
    EXPECT_NE(Record("/pics/c.jpg"), nullptr);
    EXPECT_NE(Record("/other/z.jpg"), nullptr);
    EXPECT_TRUE(pictures_.dataChanged());
}

TEST_F(CsvRenameTest, ReadsUtf8FilesAndRefusesMissingOnes) {
    pictures_.catalogue().AddRecord(std::make_unique<Pdata>(QStringLiteral("/bilder/äpfel.jpg")));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath("rename.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Old,Folder,New,Note\r\n\xC3\x84PFEL.jpg,/bilder/,birnen.jpg,extra field\r\n");
    file.close();

    const CsvRenameResult result = RenameFromCsvFile(pictures_, file.fileName());
    EXPECT_EQ(result.changedCount, 1);
    EXPECT_FALSE(result.invalid);
    EXPECT_NE(Record("/bilder/birnen.jpg"), nullptr);

    const CsvRenameResult missing = RenameFromCsvFile(pictures_, folder.filePath("none.csv"));
    EXPECT_TRUE(missing.invalid);
    EXPECT_EQ(missing.StatusText(), "0 FileName Changed.");
}

} // namespace
} // namespace lumadex
