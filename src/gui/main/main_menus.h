#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace lumadex {

// The main menu: every item is a QAction whose object name is the item's name and whose text
// is its English caption; separators between groups of items.
struct MainMenus {
    QMenu* file = nullptr;
    QMenu* database = nullptr;
    QMenu* imageList = nullptr;
    QMenu* tool = nullptr;
    QMenu* help = nullptr;
    QAction* historySeparator = nullptr; // the File menu's history items follow it
    QHash<QString, QAction*> items;      // by item name, the menus' own actions included
};
MainMenus BuildMainMenus(QMenuBar& menuBar);

// Items hidden each time the main window is shown: commands kept out of this edition.
const QStringList& ItemsHiddenAtShow();

} // namespace lumadex
