#include "app/command_table.h"

#include "app/view_colours.h"
#include "numeric/flute_choice.h"
#include "numeric/fingering.h"

namespace shinofu::app {
namespace {

MenuEntry item(std::string caption) { return {std::move(caption), {}}; }
MenuEntry submenu(std::string caption, std::vector<MenuEntry> children) {
    return {std::move(caption), std::move(children)};
}
std::vector<MenuEntry> items(std::initializer_list<const char*> captions) {
    std::vector<MenuEntry> entries;
    for (const char* caption : captions) entries.push_back(item(caption));
    return entries;
}
std::vector<MenuEntry> colourItems(const std::vector<ColourChoice>& choices) {
    std::vector<MenuEntry> entries;
    for (const ColourChoice& choice : choices) entries.push_back(item(choice.caption));
    return entries;
}

std::vector<MenuEntry> fileMenu() {
    return {
        item("新規作成&N"),
        item("ファイル読込&R"),
        item("旧ファイル（．ｇｄ２）読込"),
        submenu("演奏データ付五線譜面", items({"読み込み", "保存", "演奏設定読み込み", "演奏設定保存"})),
        item("譜面の保存&S"),
        item("上書き保存"),
        item("MIDIファイル読み込み"),
        item("MusicXML読み込み"),
        item("録音から採譜"),
        submenu("画面ファイル保存&C", items({"WMFファイル(&W)", "EMFファイル(&E)", "JPEGファイル(&J)",
                                             "クリップボードにコピー(&C)", "マウスで領域指定(&M)", "PNGファイル(&N)",
                                             "SVGファイル(&S)", "PDFファイル(&P)"})),
        item("数字符データ保存"),
        item("MIDIファイル作成&M"),
        item("MIDIファイル作成（旧）"),
        item("WAVファイル作成"),
        item("MusicXML保存"),
        item("プリンター設定(&U)"),
        item("画面印刷(&P)"),
        item("譜面設定保存"),
        item("終了&X"),
    };
}

std::vector<MenuEntry> staffMenu() {
    return {
        submenu("調子（＃の数）", items({"0（ハ長調／イ短調）", "1（ト長調／ホ短調）", "2（ニ長調／ロ短調）",
                                          "3（イ長調／嬰ヘ短調）", "4（ホ長調／嬰ハ短調）", "5（ロ長調／嬰ト短調）",
                                          "6（嬰ヘ長調／嬰ニ短調）", "7（嬰ハ長調／嬰イ短調）"})),
        submenu("調子（♭の数）", items({"０（ハ長調／イ短調）", "１（ヘ長調／ニ短調）", "２（変ロ長調／ト短調）",
                                          "３（変ホ長調／ハ短調）", "４（変イ長調／ヘ短調）", "５（変ニ長調／変ロ短調）",
                                          "６（変ト長調／変ホ短調）", "７（変ハ長調／変イ短調）"})),
        submenu("拍子", items({"4/4", "3/4", "2/4", "3/8", "6/8"})),
        submenu("曲名等設定&I", items({"設定開始<画面表示>&S", "設定完了<画面削除>&E"})),
        submenu("パートの数 &P", items({"&1", "&2", "&3", "&4", "&5", "&6"})),
        submenu("小節数 &M", items({"&2", "&3", "&4", "&5", "&6", "7", "8"})),
        submenu("終止線/反復記号&S",
                {item("終止線"), submenu("括弧", items({"括弧1", "括弧2"})), item("D.S."), item("セーニョ"),
                 item("Fine"), item("D.C."), item("Coda"), item("to Coda"), item("リピート( :|| )"),
                 item("リピート( ||: )")}),
        submenu("強弱記号", {submenu("ｐ", items({"ｍｐ", "ｐ", "ｐｐ", "ｐｐｐ"})),
                             submenu("ｆ", items({"ｍｆ", "ｆ", "ｆｆ", "ｆｆｆ"}))}),
        submenu("cres/decres &C", {submenu("クレッシェンド", items({"開始", "終了"})),
                                   submenu("デクレッシェンド", items({"開始", "終了"}))}),
        submenu("その他記号&E", items({"ブレス&B", "フェルマータ", "rit", "a tempo", "その他"})),
        submenu("オクターブ変更", items({"1オクターブ上へ", "1オクターブ下へ"})),
        item("記号編集&Z"),
    };
}

std::vector<MenuEntry> measureMenu() {
    std::vector<MenuEntry> entries = items({"小節編集モードに &M", "元に戻す &U", "やり直し &R", "挿入 &I", "切り取り &T",
                                            "コピー &C", "挿入貼付", "上書貼付 &P", "削除 &D",
                                            "クリップボードにコピー（クリアあり）", "クリップボードにコピー(クリアなし）",
                                            "クリップボードから挿入貼付", "クリップボードから上書貼付"});
    entries.push_back(submenu("オクターブ変更", items({"1オクターブ上へ", "1オクターブ下へ"})));
    return entries;
}

std::vector<MenuEntry> noteMenu() {
    return {
        item("元に戻す"),
        item("やり直し"),
        submenu("上書き", items({"開始", "終了"})),
        item("追加&A"),
        item("挿入 &I"),
        item("削除 &D"),
        item("貼り付け"),
        submenu("オクターブ変更", items({"上へ", "下へ"})),
        item("棒上下変更 &B"),
        submenu("タイ、スラー", {item("タイ設定"), submenu("スラー", items({"設定(次と)", "開始", "終末"})),
                                 item("タイ解除"), item("スラー解除"), item("タイ／スラー曲線設定")}),
        submenu("休符非表示", items({"設定", "解除"})),
        item("選択保持 &H"),
        submenu("連桁", items({"連桁設定", "連桁解除", "３連符設定", "３連符解除", "自動設定", "連桁解除(1小節)"})),
    };
}

std::vector<MenuEntry> viewMenu() {
    return {
        submenu("五線譜面／数字譜面", items({"数字譜面", "五線譜面"})),
        item("印刷用表示"),
        item("記号表示編集"),
        submenu("描画色変更", colourItems(drawColourChoices())),
        submenu("背景色変更", colourItems(backColourChoices())),
        submenu("編集描画色変更", colourItems(editDrawColourChoices())),
        submenu("編集背景色変更", colourItems(editBackColourChoices())),
        submenu("小節番号表示／非表示", items({"表示", "非表示"})),
        submenu("パート表示設定", items({"1", "2", "3", "4", "5", "6"})),
        submenu("パート表示設定モード切換",
                items({"数字符表示パート選択", "数字符表示／非表示", "パート譜表示／非表示", "ト音記号/ヘ音記号"})),
        submenu("ページ", items({"次のページ", "前のページ"})),
        item("全ページ表示"),
        item("ページ幅表示"),
        item("再表示(&R)"),
        submenu("音符入力パネル表示", items({"表示", "非表示"})),
        submenu("音符選択フォーム表示", items({"表示", "非表示"})),
        submenu("グリッド表示", items({"×グリッド表示&E", "４分グリッド&4", "８分グリッド&8", "１６分グリッド&1",
                                       "４分の３グリッド&X", "８分の３グリッド&Y", "１６分の３グリッド&Z"})),
        item("譜面設定データ表示"),
        item("データ表示"),
        item("dazadar"),
    };
}

std::vector<MenuEntry> optionMenu() {
    std::vector<MenuEntry> flutes = {submenu("笛の自動設定", items({"〇", "一", "四", "五"}))};
    for (int flute = 1; flute <= numeric::kFluteCount; ++flute) flutes.push_back(item(numeric::fluteName(flute)));
    return {
        item("連桁モード設定"),
        item("フォントサイズ／位置"),
        submenu("音符サイズ", items({"大", "小"})),
        submenu("笛変更", flutes),
        item("数字譜設定&N"),
        item("演奏&P"),
        item("演奏設定&I"),
        item("チューナー"),
        item("練習（演奏について行く）"),
        submenu("練習", items({"ループ（選んだ小節）", "カウントイン（1小節）", "メトロノーム", "伴奏なし", "伴奏：ほかのパート",
                                "伴奏：全パート（小さく）"})),
        item("棒固定"),
        submenu("移調", items({"+&7(+#/-♭)", "+6", "+&5(-#/+♭)", "+4", "+3", "+2", "+1", "-1", "-2", "-3", "-4",
                               "-5(+&#/-♭)", "-6", "&-7(-#/+♭)"})),
        submenu("コーラス譜面", {item("1+2"), item("1+2 3+4"), item("解除"), submenu("数字符", items({"表示", "非表示"}))}),
        submenu("歌詞入力&L", items({"歌詞入力&L", "歌詞全削除"})),
        item("画面クリア"),
    };
}

void collectLeaves(const std::vector<MenuEntry>& menu, std::vector<std::string>& prefix,
                   std::vector<std::string>& paths) {
    for (const MenuEntry& entry : menu) {
        prefix.push_back(entry.caption);
        if (entry.isSubmenu()) {
            collectLeaves(entry.children, prefix, paths);
        } else {
            paths.push_back(commandPath(prefix));
        }
        prefix.pop_back();
    }
}

}  // namespace

const std::vector<MenuEntry>& mainMenu() {
    static const std::vector<MenuEntry> menu = {
        submenu("ファイル&F", fileMenu()),   submenu("五線譜設定&S", staffMenu()), submenu("小節編集&M", measureMenu()),
        submenu("音符編集&N", noteMenu()),   submenu("表示&V", viewMenu()),        submenu("オプション(&O)", optionMenu()),
        item("ヘルプ(&H)"),                  item("終了(&X)"),
    };
    return menu;
}

const std::vector<MenuEntry>& popupMenu() {
    static const std::vector<MenuEntry> menu = {
        item("取り消し（編集モードに）"),
        item("表示中心移動"),
        submenu("オクターブ変更", items({"上げる", "下げる"})),
        item("音符追加"),
        submenu("オクターブ設定", items({"ハ～ロ", "上一点ハ～ロ", "上二点ハ～ロ"})),
        submenu("臨時記号", items({"♯", "♭", "ナチュラル", "X", "♭♭", "記号削除"})),
        submenu("音符（全～１６分）", items({"４分音符", "８分音符", "１６分音符", "２分音符", "全音符"})),
        submenu("音符（付点）", items({"設定", "クリア"})),
        submenu("タイ／スラー", items({"タイ設定", "スラー設定(次と)", "スラー開始", "スラー終末", "タイ解除", "スラー解除"})),
        item("過剰音符チェック"),
        item("音符分割"),
        submenu("音符／休符変更", items({"音符を休符に", "休符を音符に"})),
        submenu("連桁", items({"連桁設定", "連桁解除", "３連符", "３連符解除"})),
        item("貼り付ける"),
        item("音符パネル表示／非表示"),
    };
    return menu;
}

const std::vector<ToolButton>& toolButtons() {
    static const std::vector<ToolButton> buttons = {
        {"『音符選択』フォーム表示・非表示", "♪選択"},
        {"小節数固定表示へ", "小節固定"},
        {"小節数可変表示へ", "小節可変"},
        {"全体表示／通常表示", "全体"},
        {"五線譜・数字譜", "五線/数字"},
        {"音符編集・小節編集", "音符/小節"},
        {"モードを「編集」に。（「ESC」キーの機能）", "ESC"},
        {"→(上の方をクリック)次のページに。←(下の方をクリック)前のページに戻る。", "頁⇔"},
        {"表示を可変モード（２）に。", "可変(2)"},
        {"表示を固定モード（１）に。", "固定(1)"},
    };
    return buttons;
}

std::string commandPath(const std::vector<std::string>& captions) {
    std::string path;
    for (const std::string& caption : captions) {
        if (!path.empty()) path += kPathSeparator;
        path += caption;
    }
    return path;
}

std::vector<std::string> leafPaths(const std::vector<MenuEntry>& menu) {
    std::vector<std::string> prefix;
    std::vector<std::string> paths;
    collectLeaves(menu, prefix, paths);
    return paths;
}

namespace {

// "(&X)", " &X" and "&X" at the end are the keyboard's, not the words'.
std::string withoutAccelerator(std::string caption) {
    if (const size_t open = caption.rfind("(&"); open != std::string::npos && caption.back() == ')') caption.erase(open);
    if (const size_t amp = caption.rfind('&'); amp != std::string::npos && amp + 2 == caption.size()) {
        caption.erase(amp, amp == 0 ? 1 : 2);
    }
    while (!caption.empty() && caption.back() == ' ') caption.pop_back();
    return caption;
}

}  // namespace

std::string commandCaption(const std::string& path) {
    const std::string separator = kPathSeparator;
    const size_t last = path.rfind(separator);
    if (last == std::string::npos) return withoutAccelerator(path);
    const std::string caption = withoutAccelerator(path.substr(last + separator.size()));
    // An entry of a submenu says little without it: "拍子 3/4", "オクターブ変更 下へ".
    const size_t before = path.rfind(separator, last - 1);
    if (before == std::string::npos) return caption;
    return withoutAccelerator(path.substr(before + separator.size(), last - before - separator.size())) + " " + caption;
}

}  // namespace shinofu::app
