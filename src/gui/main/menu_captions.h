#pragma once

#include <QString>
#include <QStringView>
#include <span>

class QObject;

namespace lumadex {

// A row of the main menu's caption table. A top-level row opens a menu; the item rows after
// it, up to the next top-level row, belong to that menu.
struct MenuCaption {
    const char* name;     // object name of the menu item (or of the action ActionMovePath)
    const char* english;  // UTF-8
    const char* japanese; // UTF-8
    bool topLevel = false;
};

// The caption table of the main menu in menu order: File, Database, ImageList, Tool, Help.
std::span<const MenuCaption> MenuCaptions();

// The row of an item name, or nullptr for a name that has no caption.
const MenuCaption* FindMenuCaption(QStringView name);

// The caption of a row in the chosen language.
QString CaptionText(const MenuCaption& row, bool japanese);

// Sets the caption of every menu item found under root from the English or the Japanese set:
// QActions whose object name is an item name (a menu's own action included) and QMenus
// carrying an item name. The menu item MovePath1 shows the caption of its action
// ActionMovePath. Visibility, enabling and connections stay as they are; objects with other
// names are not touched.
void SetMenuLanguage(QObject& root, bool japanese);

} // namespace lumadex
