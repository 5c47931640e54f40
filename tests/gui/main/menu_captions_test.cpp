#include "main/menu_captions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

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

// One row per item under the five menus, each with a caption of its own in either language.
TEST(MenuCaptions, SwitchingSetsEveryCaptionBothWaysAndNothingElse) {
    QStringList names;
    QStringList topLevel;
    for (const MenuCaption& row : MenuCaptions()) {
        names << row.name;
        if (row.topLevel)
            topLevel << row.name;
    }
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(topLevel, QStringList({"File1", "DataBase1", "Action1", "Option1", "Help1"}));

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
            const QString caption = CaptionText(row, japanese);
            EXPECT_EQ(action->text(), caption) << row.name << " Japanese " << japanese;
            EXPECT_TRUE(japanese ? std::any_of(caption.begin(), caption.end(),
                                               [](QChar c) { return c.unicode() >= 0x3000; })
                                 : !caption.trimmed().isEmpty())
                << row.name << " has no caption of its own, Japanese " << japanese;
        }
        EXPECT_EQ(menus.foreign->text(), "foreign");
        EXPECT_FALSE(menus.item("Exit1")->isEnabled());
        EXPECT_TRUE(menus.item("SendQuillanLeft1")->isChecked());
    }
    menus.item("Help2")->trigger();
    EXPECT_EQ(triggered, 1);
}

} // namespace
} // namespace lumadex
