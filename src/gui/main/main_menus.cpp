#include "main/main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace lumadex {
namespace {

struct MenuItem {
    const char* name; // nullptr: a separator
    const char* caption;
};

constexpr MenuItem kSeparator{nullptr, nullptr};

QMenu* AddMenu(QMenuBar& menuBar, const MenuItem& title, std::initializer_list<MenuItem> items,
               QHash<QString, QAction*>& byName) {
    QMenu* menu = menuBar.addMenu(QString::fromUtf8(title.caption));
    menu->setObjectName(QString::fromLatin1(title.name) + QStringLiteral("Menu"));
    menu->menuAction()->setObjectName(QString::fromLatin1(title.name));
    byName.insert(QString::fromLatin1(title.name), menu->menuAction());
    for (const MenuItem& item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        byName.insert(action->objectName(), action);
    }
    return menu;
}

} // namespace

MainMenus BuildMainMenus(QMenuBar& menuBar) {
    MainMenus menus;
    menus.file = AddMenu(menuBar, {"File1", "&File"},
                         {{"Open1", "Add &Pictures..."},
                          {"AddPicturefromDir1", "Add Pictures from &Folder..."},
                          kSeparator,
                          {"Opendatabase1", "&Open Database..."},
                          {"Savedatabase1", "&Save Database"},
                          {"MergeDatabase1", "&Import Database..."},
                          {"Savedatabaseas1", "Save Database &As..."},
                          kSeparator,
                          {"Exit1", "&Exit"},
                          kSeparator,
                          {"ClearHistory1", "&Clear History"},
                          {"OptimizeHistory1", "&Optimize History"}},
                         menus.items);
    menus.historySeparator = menus.file->addSeparator();
    menus.historySeparator->setObjectName(QStringLiteral("HistorySeparator"));
    menus.database =
        AddMenu(menuBar, {"DataBase1", "&Database"},
                {{"ClearAllDataEntry1", "Clear &All Data Entries"},
                 {"ClearAllDataEntryinRefList1", "Clear All Data Entries in &Ref. List"},
                 {"DeleteDataEntry1", "&Clear Selected Data Entry"},
                 {"ReanalizeAllinRefList1", "Reanalize All in Ref. &List"},
                 kSeparator,
                 {"Makemismatch1", "&Make Mismatch"},
                 kSeparator,
                 {"MemoEditor1", "M&emo Manager..."},
                 {"ExportMemo1", "&Export Memo..."},
                 {"FolderExplorer1", "&Folder Explorer..."},
                 {"ImportMemo1", "&Import Memo..."}},
                menus.items);
    menus.imageList = AddMenu(menuBar, {"Action1", "&ImageList"},
                              {{"ViewRefference1", "View &Reference"},
                               {"TiewTaget1", "View &Taget"},
                               kSeparator,
                               {"CopyRef1", "Co&py Reference..."},
                               {"MoveRef1", "Mo&ve Reference..."},
                               {"DeleteRef1", "De&lete Reference"},
                               kSeparator,
                               {"Copy1", "&Copy Target..."},
                               {"Move1", "&Move Target..."},
                               {"Delete1", "&Delete Target"},
                               {"Rename1", "&Rename Target..."},
                               kSeparator,
                               {"Refind1", "Re&fresh"},
                               kSeparator,
                               {"CopyRefListToClipboard1", "Copy List to Clipboard(&E)"},
                               {"CopyPairListtoClipboardE1", "Copy &Pair List to Clipboard"},
                               {"ImportListfromClipboard1", "Search List from &Clipboard"},
                               {"ImportListfromClipboard2", "&Import List from Clipboard"},
                               kSeparator,
                               {"OverwrightMoveRefTarg1", "Overwrite Move Ref -> Targ"},
                               {"OverwrightMoveRefTarg2", "Overwrite Move Ref <- Targ"}},
                              menus.items);
    menus.tool = AddMenu(menuBar, {"Option1", "&Tool"},
                         {{"Setup1", "&Option..."},
                          {"ShowNavigator1", "Show &Navigator"},
                          {"ShowThumnail1", "Show &Thumbnail Window"},
                          kSeparator,
                          {"SearchUnlinkedData", "Search &Unlinked Data..."},
                          {"ChangeAllFilePath1", "&Change All File Path..."},
                          {"ActionMovePath", "&Move Folder..."},
                          {"ChangeFilenamewithCSV1", "Change Filename with CS&V..."},
                          kSeparator,
                          {"SetSusiePlugins1", "Set Susie &Plugins"},
                          {"SetPluginDirectory1", "Set Plugin &Folder..."},
                          {"StopUsingPlugins1", "Stop &Using Plugins"},
                          kSeparator,
                          {"RunCorvalin1", "Run &Corvalin"},
                          {"RunBrenoth1", "&Run Brenoth"},
                          {"SendBrenoth1", "&Send Brenoth"},
                          {"RunQuillan1", "Run &Quillan"},
                          {"SendQuillanLeft1", "Send Quillan &Left"},
                          {"SendQuillanRight1", "Send Quillan &Right"},
                          kSeparator,
                          {"MenuMismatchEditor", "&Mismatch Editor..."},
                          {"SlideShow1", "&Slide Show..."},
                          {"SynthesisView1", "S&ynthesis View"},
                          {"SyncMemo1", "Synchronize &Memo"},
                          {"CompairwithClipboard1", "Compare with &Clipboard"}},
                         menus.items);
    menus.help = AddMenu(menuBar, {"Help1", "&Help"}, {{"Help2", "&Help"}, {"About1", "&About..."}},
                         menus.items);
    return menus;
}

const QStringList& ItemsHiddenAtShow() {
    static const QStringList hidden = {
        // The items of the hidden actions ActionChangeAllFilePath, ActionMemoman,
        // ActionImportDatabase and ActionMovePath.
        QStringLiteral("ChangeAllFilePath1"),
        QStringLiteral("MemoEditor1"),
        QStringLiteral("MergeDatabase1"),
        QStringLiteral("ActionMovePath"),
        QStringLiteral("ReanalizeAllinRefList1"),
        QStringLiteral("FolderExplorer1"),
        QStringLiteral("ExportMemo1"),
        QStringLiteral("ImportMemo1"),
        QStringLiteral("CopyRefListToClipboard1"),
        QStringLiteral("CopyPairListtoClipboardE1"),
        QStringLiteral("ImportListfromClipboard1"),
        QStringLiteral("ImportListfromClipboard2"),
        QStringLiteral("RunCorvalin1"),
        QStringLiteral("SlideShow1"),
        QStringLiteral("SyncMemo1")};
    return hidden;
}

} // namespace lumadex
