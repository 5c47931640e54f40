#pragma once

#include "catalogue/picture_loader.h"
#include "core/catalogue/adding_test_tree.h"
#include "core/store/scoped_settings_home.h"
#include "document/document.h"
#include "folders/TDirSel.h"
#include "main/TMain.h"
#include "main/main_windows.h"
#include "main/record_list_model.h"
#include "main/record_list_view.h"
#include "support/files.h"
#include "support/scripted_questions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace lumadex::test {

inline QString FileIn(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

inline QStringList ListedPaths(RecordListView* list) {
    QStringList paths;
    for (int row = 0; row < list->recordModel()->rowCount(); ++row)
        paths.append(list->recordModel()->recordAt(row)->fileName);
    return paths;
}

// A main window over a document whose questions are scripted, in a settings folder of its own.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() : document(NativePictureLoader(), questions) {}
    // The window's destruction asks about changes still unsaved; the tests of this fixture
    // that are not about the shutdown drop them first.
    void TearDown() override { document.ClearChangeFlags(); }

    TMain& Window() {
        if (!window)
            window = std::make_unique<TMain>(document, questions);
        return *window;
    }

    // A record with the given signature; records with equal words are alike.
    Pdata& AddRecord(const QString& path, std::uint32_t words, std::int32_t size = 1000,
                     std::int32_t time = 1'600'000'000) {
        auto record = std::make_unique<Pdata>(path);
        record->signatureBits = words;
        record->signatureLevels = words;
        record->fileSize = size;
        record->fileTime = time;
        Pdata& added = *record;
        document.catalogue().AddRecord(std::move(record));
        return added;
    }

    // Lists every record, as the refresh does while the data filter shows "All".
    void ListAll() {
        document.UpdateTitle(false);
        Window().MenuItem(QStringLiteral("Refind1"))->trigger();
    }

    int RowOf(RecordListView* list, const Pdata& record) {
        return list->recordModel()->store().IndexOfRecord(&record);
    }
    void Select(RecordListView* list, const Pdata& record) { list->SelectRow(RowOf(list, record)); }

    QString Status1() { return Window().StatusBar1Panel0->text(); }
    QString Count1() { return Window().StatusBar1Panel1->text(); }
    QString Status2() { return Window().StatusBar2Panel0->text(); }

    ScopedSettingsHome settings;
    QTemporaryDir files;
    ScriptedQuestions questions;
    Document document;
    std::unique_ptr<TMain> window;
};

// Words far apart from each other, so that records carrying different ones are not alike.
inline constexpr std::uint32_t kLookA = 0x00000000u;
inline constexpr std::uint32_t kLookB = 0x0F0F0F0Fu;

// A database file of records "/db/<name>" (of the given sizes, if any), written by a document
// of its own with the options given.
inline QString WriteDatabase(const QString& path, std::initializer_list<const char*> names,
                             const OptionModel& options = {},
                             std::initializer_list<std::int32_t> sizes = {}) {
    ScriptedQuestions questions;
    Document other(NativePictureLoader(), questions);
    other.options() = options;
    auto size = sizes.begin();
    for (const char* name : names) {
        auto record = std::make_unique<Pdata>(QStringLiteral("/db/") + QLatin1String(name));
        record->signatureBits = kLookA;
        if (size != sizes.end())
            record->fileSize = *size++;
        other.catalogue().AddRecord(std::move(record));
    }
    questions.saveChoices.push_back(Chosen(path));
    EXPECT_EQ(other.SaveAs(), SaveOutcome::Saved);
    return path;
}

// The program's windows as the program builds them, with scripted questions, in a settings
// folder of their own.
class AppTest : public testing::Test {
protected:
    void SetUp() override { LUMADEX_REQUIRE_TESTDATA("photos"); }
    // The main window's destruction asks about changes still unsaved; the tests of this
    // fixture that are not about the shutdown drop them first.
    void TearDown() override {
        if (windows)
            windows->document().ClearChangeFlags();
    }

    // Builds the windows (again, as a fresh start of the program would).
    MainWindows& Start(const QString& startDatabase = {}) {
        windows.reset();
        auto scripted = std::make_unique<ScriptedQuestions>();
        questions = scripted.get();
        windows = std::make_unique<MainWindows>(std::move(scripted), startDatabase);
        windows->main().show();
        return *windows;
    }
    TMain& Main() { return windows->main(); }
    QString Caption(const char* item) { return Main().MenuItem(QString::fromLatin1(item))->text(); }
    int ReferenceRows() { return Main().ListBox1->recordModel()->rowCount(); }
    QStringList Catalogued() { return CataloguePaths(windows->document().pictures()); }
    QString Status2() { return Main().StatusBar2Panel0->text(); }

    ScopedSettingsHome settings;
    PictureTree tree;
    ScriptedQuestions* questions = nullptr;
    std::unique_ptr<MainWindows> windows;
};

} // namespace lumadex::test
