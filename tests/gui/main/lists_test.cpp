#include "catalogue/picture_catalogue.h"
#include "gui/main_window_fixture.h"
#include "support/testdata.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDateTime>
#include <QTest>
#include <ctime>

namespace lumadex::test {
namespace {

// ctime's own text without its line feed: the oracle for the status texts' times.
QString CLibraryTime(std::int64_t time) {
    const std::time_t value = std::time_t(time);
    QString text = QString::fromLatin1(std::ctime(&value));
    text.chop(1);
    return text;
}

// A file of the given size and modification time.
QString WriteFileAt(const QString& path, int size, qint64 time) {
    WriteFile(path, QByteArray(size, 'x'));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::Append));
    EXPECT_TRUE(
        file.setFileTime(QDateTime::fromSecsSinceEpoch(time), QFileDevice::FileModificationTime));
    return path;
}

using MainListsTest = MainWindowTest;

TEST_F(MainListsTest, ReferenceAndTargetStatusShowTheFileOrElseTheStoredValues) {
    const qint64 fileTime = 1'500'000'000;
    const QString present = WriteFileAt(FileIn(files.path(), "present.jpg"), 1234, fileTime);
    const QString gone = FileIn(files.path(), "gone.jpg");
    const QString neverKnown = FileIn(files.path(), "unknown.jpg");
    // The found file's record does not know its size yet: selecting it fills size and time in.
    Pdata& found = AddRecord(present, kLookA, -1, -1);
    AddRecord(gone, kLookA, 500, 1'400'000'000);
    AddRecord(neverKnown, kLookA, -1, -1);
    ListAll();

    const struct {
        const char* name;
        QString path;
        QString reference;
        QString target;
    } rows[] = {
        {"file found", present, "<= " + present + " (1234 bytes," + CLibraryTime(fileTime) + ")",
         "=> " + present + " (1234 bytes," + CLibraryTime(fileTime) + ")"},
        {"file gone, stored time", gone,
         "<= " + gone + " <500 bytes," + CLibraryTime(1'400'000'000) + ">",
         "=> " + gone + " <500 bytes," + CLibraryTime(1'400'000'000) + ">"},
        {"file gone, time never known", neverKnown, "<= " + neverKnown + " <?? bytes,unknown time>",
         "=> " + neverKnown + " <?? bytes,unknown time>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Pdata& record = document.catalogue().at(document.catalogue().FindRecord(row.path));
        Select(Window().ListBox1, record);
        EXPECT_EQ(Status1(), row.reference);
        // All three are alike, so each lists the other two; select this one from the
        // Target list of another reference.
        const Pdata& other =
            document.catalogue().at(&record == &document.catalogue().at(0) ? 1 : 0);
        Select(Window().ListBox1, other);
        Select(Window().ListBox2, record);
        EXPECT_EQ(Status2(), row.target);
        EXPECT_EQ(Window().currentTarget(), &record);
    }
    EXPECT_EQ(found.fileSize, 1234);
    EXPECT_EQ(found.fileTime, fileTime);
    EXPECT_TRUE(document.dataChanged());
}

TEST_F(MainListsTest, SeveralTargetsSelectedShowMultiplySelectedAndDisableFindInRefList) {
    Pdata& reference = AddRecord(QStringLiteral("/nowhere/a.jpg"), kLookA);
    Pdata& first = AddRecord(QStringLiteral("/nowhere/b.jpg"), kLookA);
    Pdata& second = AddRecord(QStringLiteral("/nowhere/c.jpg"), kLookA);
    AddRecord(QStringLiteral("/nowhere/other.jpg"), kLookB);
    ListAll();
    Select(Window().ListBox1, reference);
    ASSERT_EQ(ListedPaths(Window().ListBox2), (QStringList{first.fileName, second.fileName}));

    Select(Window().ListBox2, first);
    EXPECT_TRUE(Window().FindinRef->isEnabled());
    Window().ListBox2->selectionModel()->select(
        Window().targetModel->index(RowOf(Window().ListBox2, second)), QItemSelectionModel::Select);
    EXPECT_EQ(Status2(), QStringLiteral("Multiply selected"));
    EXPECT_FALSE(Window().FindinRef->isEnabled());

    Window().ListBox2->selectionModel()->clearSelection();
    EXPECT_EQ(Status2(), QString());
    EXPECT_EQ(Window().currentTarget(), nullptr);
}

TEST_F(MainListsTest, ResortingKeepsTheSelectedRecordOrElseItsRow) {
    Pdata& small = AddRecord(QStringLiteral("/p/a.jpg"), kLookA, 10);
    Pdata& large = AddRecord(QStringLiteral("/p/b.jpg"), kLookB, 30);
    Pdata& middle = AddRecord(QStringLiteral("/p/c.jpg"), kLookC, 20);
    Pdata& unknown = AddRecord(QStringLiteral("/p/d.jpg"), kLookD, -1);
    const auto mode = QAbstractItemModelTester::FailureReportingMode::Fatal;
    QAbstractItemModelTester referenceTester(Window().referenceModel, mode);
    QAbstractItemModelTester targetTester(Window().targetModel, mode);
    ListAll();
    Select(Window().ListBox1, large);
    ASSERT_EQ(Window().ListBox1->FirstSelectedRow(), 1);

    Window().ComboBoxSort->setCurrentIndex(3);
    Q_EMIT Window().ComboBoxSort->activated(3);
    // Largest first, unknown size last; the selection moved with its record.
    EXPECT_EQ(ListedPaths(Window().ListBox1),
              (QStringList{large.fileName, middle.fileName, small.fileName, unknown.fileName}));
    EXPECT_EQ(Window().ListBox1->FirstSelectedRecord(), &large);
    EXPECT_EQ(document.options().choice(RadioChoice::Sortby), 3);
    EXPECT_EQ(Status1().left(3 + large.fileName.size()), "<= " + large.fileName);

    // A record that left the list leaves the selection on the row it held.
    Select(Window().ListBox1, middle);
    Window().RememberSelection(Window().ListBox1);
    document.pictures().DeleteRecord(document.catalogue().IndexOf(&middle));
    Window().RestoreSelection(Window().ListBox1);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRecord(), &small);
    // ... or on the last row when it was the last.
    Select(Window().ListBox1, unknown);
    Window().RememberSelection(Window().ListBox1);
    document.pictures().DeleteRecord(document.catalogue().IndexOf(&unknown));
    Window().RestoreSelection(Window().ListBox1);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRecord(), &small);
}

TEST_F(MainListsTest, NewPicturesAreRedAndYellowWhenSelectedAndADisabledListIsGreyed) {
    Pdata& old = AddRecord(QStringLiteral("/p/old.jpg"), kLookA);
    ListAll();
    AnalysisObserver observer;
    const QString photo = TestDataPath("photos/baboon.jpg");
    ASSERT_EQ(document.pictures().AnalyseFile(photo, observer), ItemResult::Done);
    // Under the filter "All" the new picture joins the Reference list at once.
    const int newRow = document.catalogue().FindRecord(photo) >= 0
                           ? Window().referenceStore().IndexOfRecord(
                                 &document.catalogue().at(document.catalogue().FindRecord(photo)))
                           : -1;
    ASSERT_GE(newRow, 0);
    const int oldRow = RowOf(Window().ListBox1, old);
    const auto colour = [&](int row, int role) {
        return Window().referenceModel->index(row).data(role).value<QColor>();
    };
    const int text = Qt::ForegroundRole;
    const int selectedText = RecordListModel::SelectedForegroundRole;
    EXPECT_EQ(colour(newRow, text), QColor(255, 0, 0));
    EXPECT_EQ(colour(newRow, selectedText), QColor(255, 255, 0));
    EXPECT_EQ(colour(oldRow, text), QColor(Qt::black));
    EXPECT_EQ(colour(oldRow, selectedText), QColor(Qt::white));
    EXPECT_EQ(Window().referenceModel->index(newRow).data(Qt::DisplayRole).toString(),
              QStringLiteral("baboon.jpg"));

    Window().DisableAutoFind->click();
    EXPECT_FALSE(Window().ListBox1->isEnabled());
    EXPECT_EQ(colour(oldRow, text), QColor(192, 192, 192));
    EXPECT_EQ(colour(oldRow, selectedText), QColor(Qt::white));
    EXPECT_EQ(colour(newRow, text), QColor(255, 0, 0));
    Window().DisableAutoFind->click();
    EXPECT_TRUE(Window().ListBox1->isEnabled());
    EXPECT_EQ(colour(oldRow, text), QColor(Qt::black));
}

TEST_F(MainListsTest, DisabledReferenceKeepsTheTargetList) {
    Pdata& a = AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
    Pdata& b = AddRecord(QStringLiteral("/p/b.jpg"), kLookA);
    Pdata& c = AddRecord(QStringLiteral("/p/c.jpg"), kLookB);
    Pdata& d = AddRecord(QStringLiteral("/p/d.jpg"), kLookB);
    ListAll();
    Select(Window().ListBox1, a);
    ASSERT_EQ(ListedPaths(Window().ListBox2), QStringList{b.fileName});
    Window().DisableAutoFind->click();
    Select(Window().ListBox1, c);
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{b.fileName});
    Window().DisableAutoFind->click();
    Select(Window().ListBox1, d);
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{c.fileName});
}

TEST_F(MainListsTest, FindInRefListSelectsTheTargetAndRemoveFromListDropsOnlyTheRow) {
    Pdata& a = AddRecord(QStringLiteral("/p/a.jpg"), kLookA);
    Pdata& b = AddRecord(QStringLiteral("/p/b.jpg"), kLookA);
    Pdata& c = AddRecord(QStringLiteral("/p/c.jpg"), kLookA);
    ListAll();
    Select(Window().ListBox1, a);
    Select(Window().ListBox2, c);
    Window().FindinRef->trigger();
    EXPECT_EQ(Window().ListBox1->FirstSelectedRecord(), &c);
    EXPECT_EQ(document.currentReference(), &c);
    EXPECT_EQ(ListedPaths(Window().ListBox2), (QStringList{a.fileName, b.fileName}));

    Select(Window().ListBox2, a);
    Window().RemovefromList1->trigger();
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{b.fileName});
    EXPECT_EQ(Window().ListBox2->FirstSelectedRecord(), &b);
    EXPECT_EQ(ListedPaths(Window().ListBox1), (QStringList{a.fileName, b.fileName, c.fileName}));
    EXPECT_EQ(document.catalogue().count(), 3);
}

TEST_F(MainListsTest, ReferenceListLeavesKeypadKeysToTheWindowAndMovesByItsOwnKeys) {
    for (int i = 0; i < 5; ++i)
        AddRecord(QStringLiteral("/p/%1.jpg").arg(i), kLookA + std::uint32_t(i) * kLookB);
    ListAll();
    Window().show();
    Window().ListBox1->SelectRow(1);
    Window().ListBox1->setFocus();
    for (Qt::Key key : {Qt::Key_1, Qt::Key_3, Qt::Key_4, Qt::Key_6, Qt::Key_7, Qt::Key_9}) {
        QTest::keyClick(Window().ListBox1, key, Qt::KeypadModifier);
        EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 1) << "key " << key;
    }
    QTest::keyClick(Window().ListBox1, Qt::Key_Down);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 2);
    // The list's own keys move through its rows.
    QTest::keyClick(Window().ListBox1, Qt::Key_End);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 4);
    QTest::keyClick(Window().ListBox1, Qt::Key_Home);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 0);
}

TEST_F(MainListsTest, InfoFieldsShowTheStoredNameSizeAndDate) {
    const struct {
        const char* name;
        std::int32_t size;
        QString expected;
    } rows[] = {
        {"small.jpg", 1023, "1023"},
        {"half.jpg", 1536, "1.50K"},
    };
    for (const auto& row : rows)
        AddRecord(QStringLiteral("/p/") + QLatin1String(row.name), kLookA, row.size);
    ListAll();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = QStringLiteral("/p/") + QLatin1String(row.name);
        Select(Window().ListBox1, document.catalogue().at(document.catalogue().FindRecord(path)));
        EXPECT_EQ(Window().STFnam1->text(), QLatin1Char(' ') + QLatin1String(row.name));
        EXPECT_EQ(Window().STFSize1->text(), row.expected);
        EXPECT_FALSE(Window().STFDate->text().isEmpty());
        // The first match is selected on the right and described the same way.
        EXPECT_EQ(Window().STFnam2->text(),
                  QLatin1Char(' ') + Window().currentTarget()->fileName.section('/', -1));
    }
    Window().ListBox2->selectionModel()->clearSelection();
    EXPECT_EQ(Window().STFnam2->text(), QString());
    EXPECT_EQ(Window().STFSize2->text(), QString());
}

TEST_F(MainListsTest, ShowPathNameDecidesTheRowText) {
    AddRecord(QStringLiteral("/p/q/a.jpg"), kLookA);
    ListAll();
    const auto rowText = [&] {
        return Window().referenceModel->index(0).data(Qt::DisplayRole).toString();
    };
    EXPECT_EQ(rowText(), QStringLiteral("a.jpg"));
    document.options().setValue(OptionId::ShoePathName, 1);
    Window().OptionsApplied();
    EXPECT_EQ(rowText(), QStringLiteral("/p/q/a.jpg"));
}

} // namespace
} // namespace lumadex::test
