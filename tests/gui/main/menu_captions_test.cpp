#include "main/menu_captions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

namespace lumadex {
namespace {

// A menu bar built from the table the way the main window builds it: one QMenu per top-level
// row whose menu action carries the row's name, one QAction per item row, plus an item the
// captions must leave alone.
struct TableMenuBar {
    QMenuBar bar;
    QAction* foreign = nullptr;

    TableMenuBar() {
        QMenu* menu = nullptr;
        for (const MenuCaption& row : MenuCaptions()) {
            if (row.topLevel) {
                menu = bar.addMenu(QStringLiteral("design"));
                menu->menuAction()->setObjectName(row.name);
            } else {
                menu->addAction(QStringLiteral("design"))->setObjectName(row.name);
            }
        }
        foreign = menu->addAction(QStringLiteral("foreign"));
        foreign->setObjectName("SomethingElse1");
    }

    QAction* item(const char* name) { return bar.findChild<QAction*>(name); }
};

TEST(MenuCaptions, SwitchingSetsEveryCaptionBothWaysAndNothingElse) {
    TableMenuBar menus;
    menus.item("Exit1")->setEnabled(false);
    menus.item("SendQuillanLeft1")->setCheckable(true);
    menus.item("SendQuillanLeft1")->setChecked(true);
    int triggered = 0;
    QObject::connect(menus.item("Help2"), &QAction::triggered, [&] { ++triggered; });

    for (const bool japanese : {true, false}) {
        SetMenuLanguage(menus.bar, japanese);
        for (const MenuCaption& row : MenuCaptions()) {
            QAction* action = menus.item(row.name);
            ASSERT_NE(action, nullptr) << row.name;
            EXPECT_EQ(action->text(), CaptionText(row, japanese))
                << row.name << (japanese ? " (Japanese)" : " (English)");
        }
        EXPECT_EQ(menus.foreign->text(), "foreign");
        EXPECT_FALSE(menus.item("Exit1")->isEnabled());
        EXPECT_TRUE(menus.item("SendQuillanLeft1")->isChecked());
    }
    menus.item("Help2")->trigger();
    EXPECT_EQ(triggered, 1);
}

TEST(MenuCaptions, MenusNamedThemselvesOrParentedElsewhereAreFound) {
    // Menus owned by the window rather than by the bar, named on the QMenu instead of its
    // action; the MovePath1 item shows the caption of the action ActionMovePath.
    QMainWindow window;
    auto* file = new QMenu(QStringLiteral("design"), &window);
    file->setObjectName("File1");
    window.menuBar()->addMenu(file);
    auto* movePath = new QAction(QStringLiteral("design"), &window);
    movePath->setObjectName("MovePath1");
    file->addAction(movePath);

    SetMenuLanguage(*window.menuBar(), true);
    EXPECT_EQ(file->title(), "ファイル(&F)");
    EXPECT_EQ(movePath->text(), "フォルダの内容を一括移動(&Move Folder...)");
    SetMenuLanguage(window, false);
    EXPECT_EQ(file->menuAction()->text(), "&File");
    EXPECT_EQ(movePath->text(), "&Move Folder...");
}

// One row per item under the five menus, each with a caption of its own in either language.
TEST(MenuCaptions, TableHoldsEachItemOnceWithBothCaptions) {
    QSet<QString> names;
    QStringList topLevel;
    for (const MenuCaption& row : MenuCaptions()) {
        EXPECT_FALSE(names.contains(row.name)) << "duplicate item " << row.name;
        names.insert(row.name);
        if (row.topLevel)
            topLevel.append(row.name);
        const QString english = CaptionText(row, false);
        const QString japanese = CaptionText(row, true);
        EXPECT_FALSE(english.trimmed().isEmpty()) << row.name;
        EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(),
                                [](QChar c) { return c.unicode() >= 0x3000; }))
            << row.name << " has no Japanese caption";
    }
    EXPECT_EQ(topLevel, QStringList({"File1", "DataBase1", "Action1", "Option1", "Help1"}));
}

} // namespace
} // namespace lumadex
