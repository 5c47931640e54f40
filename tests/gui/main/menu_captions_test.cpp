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
// row whose menu action carries the row's name, one QAction per item row, plus objects the
// captions must leave alone.
struct TableMenuBar {
    QMenuBar bar;
    QAction* separator = nullptr;
    QAction* unnamed = nullptr;
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
        separator = menu->addSeparator();
        separator->setObjectName("N10");
        unnamed = menu->addAction(QStringLiteral("unnamed"));
        foreign = menu->addAction(QStringLiteral("foreign"));
        foreign->setObjectName("SomethingElse1");
    }

    QAction* item(const char* name) { return bar.findChild<QAction*>(name); }
};

TEST(MenuCaptions, SwitchingSetsEveryCaptionBothWaysAndNothingElse) {
    TableMenuBar menus;
    menus.item("Exit1")->setEnabled(false);
    menus.item("RunCorvalin1")->setVisible(false);
    menus.item("SendQuillanLeft1")->setCheckable(true);
    menus.item("SendQuillanLeft1")->setChecked(true);
    int triggered = 0;
    QObject::connect(menus.item("Help2"), &QAction::triggered, [&] { ++triggered; });

    for (const bool japanese : {true, false, true}) {
        SetMenuLanguage(menus.bar, japanese);
        for (const MenuCaption& row : MenuCaptions()) {
            QAction* action = menus.item(row.name);
            ASSERT_NE(action, nullptr) << row.name;
            EXPECT_EQ(action->text(), CaptionText(row, japanese))
                << row.name << (japanese ? " (Japanese)" : " (English)");
        }
        EXPECT_EQ(menus.unnamed->text(), "unnamed");
        EXPECT_EQ(menus.foreign->text(), "foreign");
        EXPECT_TRUE(menus.separator->text().isEmpty());
        EXPECT_FALSE(menus.item("Exit1")->isEnabled());
        EXPECT_FALSE(menus.item("RunCorvalin1")->isVisible());
        EXPECT_TRUE(menus.item("SendQuillanLeft1")->isChecked());
        EXPECT_TRUE(menus.item("Open1")->isEnabled());
        EXPECT_TRUE(menus.item("Open1")->isVisible());
    }
    EXPECT_EQ(menus.item("File1")->text(), "ファイル(&F)");
    EXPECT_EQ(menus.item("Open1")->text(), "画像の読み込み(Add &Pictures)...");
    EXPECT_EQ(menus.item("ActionMovePath")->text(), "フォルダの内容を一括移動(&Move Folder...)");
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
    QAction* exit = file->addAction(QStringLiteral("design"));
    exit->setObjectName("Exit1");
    auto* tool = new QMenu(QStringLiteral("design"), &window);
    tool->setObjectName("Option1");
    window.menuBar()->addMenu(tool);
    auto* movePath = new QAction(QStringLiteral("design"), &window);
    movePath->setObjectName("MovePath1");
    tool->addAction(movePath);

    SetMenuLanguage(*window.menuBar(), true);
    EXPECT_EQ(file->title(), "ファイル(&F)");
    EXPECT_EQ(tool->title(), "ツール(&T)");
    EXPECT_EQ(exit->text(), "終了(&Exit)");
    EXPECT_EQ(movePath->text(), "フォルダの内容を一括移動(&Move Folder...)");

    SetMenuLanguage(window, false);
    EXPECT_EQ(file->menuAction()->text(), "&File");
    EXPECT_EQ(tool->title(), "&Tool");
    EXPECT_EQ(exit->text(), "&Exit");
    EXPECT_EQ(movePath->text(), "&Move Folder...");
}

// One row per item, under the five menus. Japanese items read a description, then the English
// caption in parentheses, with a trailing "..." moved behind the parenthesis; a few items have
// wordings of their own.
TEST(MenuCaptions, TableHoldsEachItemOnceWithBothCaptions) {
    QSet<QString> names;
    QStringList topLevel;
    for (const MenuCaption& row : MenuCaptions()) {
        EXPECT_FALSE(names.contains(row.name)) << "duplicate item " << row.name;
        names.insert(row.name);
        if (row.topLevel)
            topLevel.append(row.name);
    }
    EXPECT_EQ(topLevel, QStringList({"File1", "DataBase1", "Action1", "Option1", "Help1"}));
    EXPECT_TRUE(MenuCaptions().front().topLevel);

    const QSet<QString> ownWording = {"FolderExplorer1", "ActionMovePath",
                                      "CopyRefListToClipboard1", "ImportListfromClipboard1"};
    const QString ellipsis = QStringLiteral("...");
    for (const MenuCaption& row : MenuCaptions()) {
        const QString english = CaptionText(row, false);
        const QString japanese = CaptionText(row, true);
        if (row.topLevel) {
            const QString accelerator = english.mid(english.indexOf('&'), 2);
            EXPECT_TRUE(japanese.endsWith("(" + accelerator + ")")) << row.name;
            continue;
        }
        if (ownWording.contains(row.name)) {
            EXPECT_NE(japanese, english) << row.name;
            continue;
        }
        const bool dots = english.endsWith(ellipsis);
        const QString inner = dots ? english.chopped(ellipsis.size()) : english;
        const QString tail = "(" + inner + ")" + (dots ? ellipsis : QString());
        EXPECT_TRUE(japanese.endsWith(tail)) << row.name << ": " << japanese.toStdString();
        const QString description = japanese.chopped(tail.size());
        EXPECT_FALSE(description.trimmed().isEmpty()) << row.name;
        EXPECT_TRUE(std::any_of(description.begin(), description.end(),
                                [](QChar c) { return c.unicode() >= 0x3000; }))
            << row.name << " has no Japanese description";
    }
}

} // namespace
} // namespace lumadex
