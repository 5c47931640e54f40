#include "main/menu_captions.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <array>

namespace lumadex {
namespace {

// The menu item that carries the action ActionMovePath and shows its caption.
constexpr char kMovePathItem[] = "MovePath1";

// Japanese captions: a description of the command, then the English caption in parentheses;
// a trailing "..." of the English caption follows the parenthesis. Top-level menus carry a
// one-letter accelerator only. A few items have wordings of their own (FolderExplorer1,
// ActionMovePath, CopyRefListToClipboard1, ImportListfromClipboard1, SetSusiePlugins1,
// RunCorvalin1, SendQuillanRight1).
constexpr auto kCaptions = std::to_array<MenuCaption>({
    {"File1", "&File", "ファイル(&F)", true},
    {"Open1", "Add &Pictures...", "画像の読み込み(Add &Pictures)..."},
    {"AddPicturefromDir1", "Add Pictures from &Folder...",
     "フォルダから画像を読み込み(Add Pictures from &Folder)..."},
    {"Opendatabase1", "&Open Database...", "データベースを開く(&Open Database)..."},
    {"Savedatabase1", "&Save Database", "データベースの保存(&Save Database)"},
    {"MergeDatabase1", "&Import Database...", "データベースの取り込み(&Import Database)..."},
    {"Savedatabaseas1", "Save Database &As...",
     "名前を付けてデータベースを保存(Save Database &As)..."},
    {"Exit1", "&Exit", "終了(&Exit)"},
    {"ClearHistory1", "&Clear History", "履歴の消去(&Clear History)"},
    {"OptimizeHistory1", "&Optimize History", "履歴の整理(&Optimize History)"},

    {"DataBase1", "&Database", "データベース(&D)", true},
    {"ClearAllDataEntry1", "Clear &All Data Entries", "全データの消去(Clear &All Data Entries)"},
    {"ClearAllDataEntryinRefList1", "Clear All Data Entries in &Ref. List",
     "左リストのデータを全て消去(Clear All Data Entries in &Ref. List)"},
    {"DeleteDataEntry1", "&Clear Selected Data Entry",
     "選択したデータの消去(&Clear Selected Data Entry)"},
    {"ReanalizeAllinRefList1", "Reanalize All in Ref. &List",
     "左リストの画像を全て再解析(Reanalize All in Ref. &List)"},
    {"Makemismatch1", "&Make Mismatch", "非類似として登録(&Make Mismatch)"},
    {"MemoEditor1", "M&emo Manager...", "メモ管理(M&emo Manager)..."},
    {"ExportMemo1", "&Export Memo...", "メモの書き出し(&Export Memo)..."},
    {"FolderExplorer1", "&Folder Explorer...", "フォルダエクスプローラを表示(&Folder Explorer...)"},
    {"ImportMemo1", "&Import Memo...", "メモの読み込み(&Import Memo)..."},

    {"Action1", "&ImageList", "画像リスト(&I)", true},
    {"ViewRefference1", "View &Reference", "左の画像を表示(View &Reference)"},
    {"TiewTaget1", "View &Taget", "右の画像を表示(View &Taget)"},
    {"CopyRef1", "Co&py Reference...", "左の画像をコピー(Co&py Reference)..."},
    {"MoveRef1", "Mo&ve Reference...", "左の画像を移動(Mo&ve Reference)..."},
    {"DeleteRef1", "De&lete Reference", "左の画像を削除(De&lete Reference)"},
    {"Copy1", "&Copy Target...", "右の画像をコピー(&Copy Target)..."},
    {"Move1", "&Move Target...", "右の画像を移動(&Move Target)..."},
    {"Delete1", "&Delete Target", "右の画像を削除(&Delete Target)"},
    {"Rename1", "&Rename Target...", "右の画像の名前を変更(&Rename Target)..."},
    {"Refind1", "Re&fresh", "再検索(Re&fresh)"},
    {"CopyRefListToClipboard1", "Copy List to Clipboard(&E)",
     "左リストをクリップボードにコピー(Copy List to Clipboard(&E))"},
    {"CopyPairListtoClipboardE1", "Copy &Pair List to Clipboard",
     "組のリストをクリップボードにコピー(Copy &Pair List to Clipboard)"},
    {"ImportListfromClipboard1", "Search List from &Clipboard",
     "クリップボードから左リストに取り込み(Search List by Clipboard)"},
    {"ImportListfromClipboard2", "&Import List from Clipboard",
     "クリップボードからリストを取り込み(&Import List from Clipboard)"},
    {"OverwrightMoveRefTarg1", "Overwrite Move Ref -> Targ",
     "左の画像を右に上書き移動(Overwrite Move Ref -> Targ)"},
    {"OverwrightMoveRefTarg2", "Overwrite Move Ref <- Targ",
     "右の画像を左に上書き移動(Overwrite Move Ref <- Targ)"},

    {"Option1", "&Tool", "ツール(&T)", true},
    {"Setup1", "&Option...", "オプション設定(&Option)..."},
    {"ShowNavigator1", "Show &Navigator", "ナビゲータを表示(Show &Navigator)"},
    {"ShowThumnail1", "Show &Thumbnail Window",
     "サムネイルウィンドウを表示(Show &Thumbnail Window)"},
    {"SearchUnlinkedData", "Search &Unlinked Data...",
     "リンク切れデータの検索(Search &Unlinked Data)..."},
    {"ChangeAllFilePath1", "&Change All File Path...",
     "全ファイルのパスを変更(&Change All File Path)..."},
    {"ActionMovePath", "&Move Folder...", "フォルダの内容を一括移動(&Move Folder...)"},
    {"ChangeFilenamewithCSV1", "Change Filename with CS&V...",
     "CSVファイルでファイル名を変更(Change Filename with CS&V)..."},
    {"SetSusiePlugins1", "Set Susie &Plugins", "Ｓｕｓｉｅプラグインの設定(Set Susie &Plugins)"},
    {"SetPluginDirectory1", "Set Plugin &Folder...",
     "プラグインフォルダの設定(Set Plugin &Folder)..."},
    {"StopUsingPlugins1", "Stop &Using Plugins", "プラグインの使用を停止(Stop &Using Plugins)"},
    {"RunCorvalin1", "Run &Corvalin", "Corvalinを起動(Run &Corvalin)"},
    {"RunBrenoth1", "&Run Brenoth", "Brenothを起動(&Run Brenoth)"},
    {"SendBrenoth1", "&Send Brenoth", "Brenothに送る(&Send Brenoth)"},
    {"RunQuillan1", "Run &Quillan", "Quillanを起動(Run &Quillan)"},
    {"SendQuillanLeft1", "Send Quillan &Left", "Quillan の左に読み込み(Send Quillan &Left)"},
    {"SendQuillanRight1", "Send Quillan &Right", "Quillan の右に読み込み(Send Quillan &Right)"},
    {"MenuMismatchEditor", "&Mismatch Editor...", "非類似グループの編集(&Mismatch Editor)..."},
    {"SlideShow1", "&Slide Show...", "スライドショー(&Slide Show)..."},
    {"SynthesisView1", "S&ynthesis View", "合成表示(S&ynthesis View)"},
    {"SyncMemo1", "Synchronize &Memo", "メモの同期(Synchronize &Memo)"},
    {"CompairwithClipboard1", "Compare with &Clipboard",
     "クリップボードの画像と比較(Compare with &Clipboard)"},

    {"Help1", "&Help", "ヘルプ(&H)", true},
    {"Help2", "&Help", "マニュアルを開く(&Help)"},
    {"About1", "&About...", "バージョン情報(&About)..."},
});

// The actions and menus reachable from root: its QAction and QMenu descendants and, through
// the action lists of its widgets, menus (with their actions) that live elsewhere in the object
// tree, as when a menu bar shows menus parented to the window.
struct MenuObjects {
    QList<QAction*> actions;
    QList<QMenu*> menus;
};

MenuObjects MenuObjectsUnder(QObject& root) {
    MenuObjects found{root.findChildren<QAction*>(), root.findChildren<QMenu*>()};
    if (auto* rootAction = qobject_cast<QAction*>(&root))
        found.actions.append(rootAction);
    if (auto* rootMenu = qobject_cast<QMenu*>(&root))
        found.menus.append(rootMenu);
    QList<QWidget*> pending = root.findChildren<QWidget*>();
    if (auto* rootWidget = qobject_cast<QWidget*>(&root))
        pending.append(rootWidget);
    QSet<QAction*> knownActions(found.actions.begin(), found.actions.end());
    QSet<QMenu*> knownMenus(found.menus.begin(), found.menus.end());
    QSet<QWidget*> walked;
    while (!pending.isEmpty()) {
        QWidget* widget = pending.takeLast();
        if (walked.contains(widget))
            continue;
        walked.insert(widget);
        for (QAction* action : widget->actions()) {
            if (!knownActions.contains(action)) {
                knownActions.insert(action);
                found.actions.append(action);
            }
            if (QMenu* menu = action->menu()) {
                if (!knownMenus.contains(menu)) {
                    knownMenus.insert(menu);
                    found.menus.append(menu);
                }
                pending.append(menu);
            }
        }
    }
    return found;
}

const MenuCaption* RowForObjectName(const QString& objectName) {
    if (objectName == QLatin1String(kMovePathItem))
        return FindMenuCaption(u"ActionMovePath");
    return FindMenuCaption(objectName);
}

} // namespace

std::span<const MenuCaption> MenuCaptions() {
    return kCaptions;
}

const MenuCaption* FindMenuCaption(QStringView name) {
    const auto row = std::find_if(kCaptions.begin(), kCaptions.end(), [&](const MenuCaption& r) {
        return name == QLatin1String(r.name);
    });
    return row == kCaptions.end() ? nullptr : &*row;
}

QString CaptionText(const MenuCaption& row, bool japanese) {
    return QString::fromUtf8(japanese ? row.japanese : row.english);
}

void SetMenuLanguage(QObject& root, bool japanese) {
    const MenuObjects objects = MenuObjectsUnder(root);
    for (QAction* action : objects.actions) {
        if (const MenuCaption* row = RowForObjectName(action->objectName()))
            action->setText(CaptionText(*row, japanese));
    }
    for (QMenu* menu : objects.menus) {
        if (const MenuCaption* row = RowForObjectName(menu->objectName()))
            menu->setTitle(CaptionText(*row, japanese));
    }
}

} // namespace lumadex
