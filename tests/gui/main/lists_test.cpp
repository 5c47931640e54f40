#include "catalogue/picture_catalogue.h"
#include "gui/main_window_fixture.h"
#include "support/testdata.h"

#include <QAbstractItemModelTester>
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

TEST_F(MainListsTest, StatusShowsTheFileOrElseTheStoredValuesOrMultiplySelected) {
    const qint64 fileTime = 1'500'000'000;
    const QString present = WriteFileAt(FileIn(files.path(), "present.jpg"), 1234, fileTime);
    const QString gone = FileIn(files.path(), "gone.jpg");
    const QString neverKnown = FileIn(files.path(), "unknown.jpg");
    // The found file's record does not know its size yet: selecting it fills size and time in.
    Pdata& found = AddRecord(present, kLookA, -1, -1);
    Pdata& stored = AddRecord(gone, kLookA, 500, 1'400'000'000);
    Pdata& unknown = AddRecord(neverKnown, kLookA, -1, -1);
    ListAll();

    // Each row: the file, and what follows its path in either list's status.
    const struct {
        QString path;
        QString facts;
    } rows[] = {{present, " (1234 bytes," + CLibraryTime(fileTime) + ")"},
                {gone, " <500 bytes," + CLibraryTime(1'400'000'000) + ">"},
                {neverKnown, " <?? bytes,unknown time>"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        const Pdata& record = document.catalogue().at(document.catalogue().FindRecord(row.path));
        Select(Window().ListBox1, record);
        EXPECT_EQ(Status1(), "<= " + row.path + row.facts);
        // All three are alike: select this one from the Target list of another reference.
        Select(Window().ListBox1, &record == &found ? stored : found);
        Select(Window().ListBox2, record);
        EXPECT_EQ(Status2(), "=> " + row.path + row.facts);
    }
    EXPECT_EQ(found.fileSize, 1234);
    EXPECT_TRUE(document.dataChanged());

    // Two targets selected at once have no single status, and no single row to find.
    Select(Window().ListBox1, unknown);
    Select(Window().ListBox2, found);
    EXPECT_TRUE(Window().FindinRef->isEnabled());
    Window().ListBox2->selectionModel()->select(
        Window().targetModel->index(RowOf(Window().ListBox2, stored)), QItemSelectionModel::Select);
    EXPECT_EQ(Status2(), QStringLiteral("Multiply selected"));
    EXPECT_FALSE(Window().FindinRef->isEnabled());
    Window().ListBox2->selectionModel()->clearSelection();
    EXPECT_EQ(Status2(), QString());
}

TEST_F(MainListsTest, ResortingKeepsTheSelectedRecordOrElseItsRowAndKeysMoveIt) {
    Pdata& small = AddRecord(QStringLiteral("/p/a.jpg"), kLookA, 10);
    Pdata& large = AddRecord(QStringLiteral("/p/b.jpg"), kLookB, 30);
    Pdata& middle = AddRecord(QStringLiteral("/p/c.jpg"), kLookA, 20);
    Pdata& unknown = AddRecord(QStringLiteral("/p/d.jpg"), kLookB, -1);
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

    // The list leaves the keypad's keys to the window, and moves by arrows.
    Window().show();
    Window().ListBox1->SelectRow(0);
    Window().ListBox1->setFocus();
    for (Qt::Key key : {Qt::Key_1, Qt::Key_3, Qt::Key_4, Qt::Key_6, Qt::Key_7, Qt::Key_9}) {
        QTest::keyClick(Window().ListBox1, key, Qt::KeypadModifier);
        EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 0) << "key " << key;
    }
    QTest::keyClick(Window().ListBox1, Qt::Key_Down);
    EXPECT_EQ(Window().ListBox1->FirstSelectedRow(), 1);
}

TEST_F(MainListsTest, TargetCommandsAndADisabledListThatKeepsTheTargetsAndIsGreyed) {
    Pdata& old = AddRecord(QStringLiteral("/p/old.jpg"), kLookA);
    Pdata& alike = AddRecord(QStringLiteral("/p/alike.jpg"), kLookA);
    Pdata& other = AddRecord(QStringLiteral("/p/other.jpg"), kLookB);
    ListAll();
    // Find in Reference List makes the target the reference; Remove from List drops only the row.
    Select(Window().ListBox1, old);
    Select(Window().ListBox2, alike);
    Window().FindinRef->trigger();
    EXPECT_EQ(document.currentReference(), &alike);
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{old.fileName});
    Select(Window().ListBox2, old);
    Window().RemovefromList1->trigger();
    EXPECT_TRUE(ListedPaths(Window().ListBox2).isEmpty());
    EXPECT_EQ(Window().referenceStore().count(), 3);

    Select(Window().ListBox1, old);
    Window().DisableAutoFind->click();
    EXPECT_FALSE(Window().ListBox1->isEnabled());
    // A selection made while disabled leaves the Target list as it was.
    Select(Window().ListBox1, other);
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{alike.fileName});
    Window().DisableAutoFind->click();
    Select(Window().ListBox1, alike);
    EXPECT_EQ(ListedPaths(Window().ListBox2), QStringList{old.fileName});

    AnalysisObserver observer;
    const QString photo = TestDataPath("photos/baboon.jpg");
    ASSERT_EQ(document.pictures().AnalyseFile(photo, observer), ItemResult::Done);
    // Under the filter "All" the new picture joins the Reference list at once.
    const int newRow = Window().referenceStore().IndexOfRecord(
        &document.catalogue().at(document.catalogue().FindRecord(photo)));
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
    Window().DisableAutoFind->click();
    EXPECT_EQ(colour(oldRow, text), QColor(192, 192, 192));
    EXPECT_EQ(colour(newRow, text), QColor(255, 0, 0));
}

TEST_F(MainListsTest, InfoFieldsShowTheStoredNameAndSizeAndRowsTheirNameOrPath) {
    // Sizes either side of 1 KiB; each record is the other's first match, selected on the right.
    Pdata& small = AddRecord(QStringLiteral("/p/small.jpg"), kLookA, 1023);
    Pdata& half = AddRecord(QStringLiteral("/p/half.jpg"), kLookA, 1536);
    ListAll();
    Select(Window().ListBox1, small);
    EXPECT_EQ(Window().STFnam1->text(), QStringLiteral(" small.jpg"));
    EXPECT_EQ(Window().STFSize1->text(), QStringLiteral("1023"));
    EXPECT_EQ(Window().STFnam2->text(), QStringLiteral(" half.jpg"));
    Select(Window().ListBox1, half);
    EXPECT_EQ(Window().STFSize1->text(), QStringLiteral("1.50K"));
    EXPECT_EQ(Window().STFnam2->text(), QStringLiteral(" small.jpg"));

    const QModelIndex first = Window().referenceModel->index(0);
    EXPECT_EQ(first.data().toString(), QStringLiteral("half.jpg"));
    document.options().setValue(OptionId::ShoePathName, 1);
    Window().OptionsApplied();
    EXPECT_EQ(first.data().toString(), QStringLiteral("/p/half.jpg"));
}

} // namespace
} // namespace lumadex::test
