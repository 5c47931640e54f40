#pragma once

#include "core/catalogue/adding_test_tree.h"
#include "main/TMain.h"
#include "main/main_windows.h"
#include "main/record_list_model.h"
#include "main/record_list_view.h"
#include "main_window_fixture.h"
#include "support/scripted_questions.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace lumadex::test {

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
    QString Caption(const char* item) const {
        return windows->main().MenuItem(QString::fromLatin1(item))->text();
    }
    int ReferenceRows() { return Main().ListBox1->recordModel()->rowCount(); }

    PrivateSettingsFolder settings;
    PictureTree tree;
    ScriptedQuestions* questions = nullptr;
    std::unique_ptr<MainWindows> windows;
};

} // namespace lumadex::test
