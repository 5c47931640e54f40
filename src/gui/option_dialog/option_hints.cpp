#include "option_dialog/option_hints.h"

#include <string_view>

namespace lumadex {
namespace {

struct ControlHint {
    std::string_view controlName;
    const char* hint; // UTF-8
};

constexpr ControlHint kHints[] = {
    {"AutoViewLeft", "|左リスト（参照）で選んだ画像を自動的にプレビューします"},
    {"AutoViewRight", "|右リスト（ターゲット）で選んだ画像を自動的にプレビューします"},
    {"KeepAspectRatio", "|プレビュー画像の縦横比を保って表示します"},
    {"AllowRobustOperation", "|長い処理の途中でも画面の操作と中止ボタンを受け付けます"},
    {"ShowMemoonPreview", "|プレビューのヒントに画像のメモを表示します"},
    {"UseJapneseMenu", "|メニューとヒントを日本語で表示します"},
    {"TargetListDragDrop", "|右リストから他のプログラムへドラッグ＆ドロップできるようにします"},
    {"byName", "|ファイル名の順に並べます"},
    {"byPathname", "|フォルダを含むパス名の順に並べます"},
    {"RadioButtonbyDate", "|ファイルの日付の順に並べます"},
    {"RadioButtonbySize", "|ファイルサイズの順に並べます"},
    {"bySimilarity", "|似ている画像の順に並べます"},
    {"ShoePathName", "|リストにフォルダを含むフルパスを表示します"},
    {"SmartSort", "|名前の中の最初の数字を数値として比べて並べます"},
    {"NotStrict", "|わずかに異なる画像も似た画像として検索します"},
    {"TrackBar1", "Looseness|似ていると判定する許容範囲です。右ほどゆるく、左ほど厳しくなります"},
    {"DoubleCheck", "|候補の画像を、より厳しい条件でもう一度比べます"},
    {"TrackBar3", "DoubleCheck|ダブルチェックの許容範囲です。右ほどゆるくなります"},
    {"ShowreferenceinTarget", "|右リストに参照画像自身も表示します"},
    {"CheckBoxSameSizeOnly", "|画像のファイルサイズも比べます"},
    {"TrackBarSizeRange", "The leftmost position means the same size|"
                          "サイズの許容範囲です。左端は同じサイズの画像だけを対象にします"},
    {"ExcludeSameFolder", "|参照画像と同じフォルダにある画像を検索結果から除きます"},
    {"OverWrite", "|コピー先・移動先に同じ名前のファイルがあれば上書きします"},
    {"Skip", "|コピー先・移動先に同じ名前のファイルがあればコピー・移動しません"},
    {"Ask", "|コピー先・移動先に同じ名前のファイルがあれば、上書きするか名前を変えるか確認します"},
    {"ConfirmDelete", "|ファイルを削除する前に確認します"},
    {"TrackMoveCopy", "|ファイルの移動・コピー・名前の変更にデータベースを追従させます"},
    {"NotUpdateListatAction", "|ファイル操作の後で左リストを自動的に更新しません"},
    {"SameDriveOnly", "|別のドライブへ移動した画像はデータベースから外します"},
    {"DeleteEmptyFolderafterFileMove", "|ファイルの移動・削除で空になったフォルダを削除します"},
    {"HistoryCount", "|ファイル履歴に残すデータベースの数です"},
    {"Replace", "|同じファイル名の画像を追加するとき、今のデータを置き換えます"},
    {"NotCare", "|同じファイル名かどうかを気にせず追加します"},
    {"DontAdd", "|同じファイル名の画像はデータベースに追加しません"},
    {"ConfirmClear", "|データエントリを消去する前に確認します"},
    {"AutoRenameAtMerge", "|データベースを取り込んだ後、データベースの名前を自動的に変えます"},
    {"TrackBar2", "Interval|スライドショーで次の画像を表示するまでの時間です"},
    {"WrapAround", "|スライドショーが最後の画像まで進んだら最初に戻ります"},
    {"Stretch", "|原寸表示の画像をウィンドウに合わせて拡大・縮小します"},
    {"FixedPosition", "|原寸表示ウィンドウの位置を固定します"},
    {"FixedSize", "|原寸表示ウィンドウの大きさを固定します"},
    {"InitialStatus", "|メモマネージャのツリーを開いたときの状態です"},
    {"AutoExpand", "|選択に合わせてメモのツリーを自動的に展開します"},
    {"AutoSync", "|ファイルを削除したとき、メモを自動的に同期します"},
    {"JpegQuality", "Quality|JPEG で保存するときの画質です（25～100）"},
    {"GrayScale", "|JPEG をグレースケールで保存します"},
    {"Compress", "|PNG で保存するときの圧縮の方法です"},
    {"SetDefault", "|今の設定を既定値として保存します"},
    {"LoadDefault", "|保存した既定値を読み込みます"},
};

} // namespace

QString OptionHint(QStringView controlName) {
    for (const ControlHint& entry : kHints) {
        if (controlName ==
            QLatin1StringView(entry.controlName.data(), qsizetype(entry.controlName.size())))
            return QString::fromUtf8(entry.hint);
    }
    return {};
}

QString ShortHint(const QString& hint) {
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace lumadex
