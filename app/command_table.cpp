#include "app/command_table.h"

#include "app/view_colours.h"
#include "platform/ui_text.h"
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
        item(UI_TEXT("menu", "新規作成&N")),
        item(UI_TEXT("menu", "ファイル読込&R")),
        item(UI_TEXT("menu", "旧ファイル（．ｇｄ２）読込")),
        submenu(UI_TEXT("menu", "演奏データ付五線譜面"),
                items({UI_TEXT("menu", "読み込み"), UI_TEXT("menu", "保存"), UI_TEXT("menu", "演奏設定読み込み"),
                       UI_TEXT("menu", "演奏設定保存")})),
        item(UI_TEXT("menu", "譜面の保存&S")),
        item(UI_TEXT("menu", "上書き保存")),
        item(UI_TEXT("menu", "MIDIファイル読み込み")),
        item(UI_TEXT("menu", "MusicXML読み込み")),
        item(UI_TEXT("menu", "録音から採譜")),
        submenu(UI_TEXT("menu", "画面ファイル保存&C"),
                items({UI_TEXT("menu", "WMFファイル(&W)"), UI_TEXT("menu", "EMFファイル(&E)"),
                       UI_TEXT("menu", "JPEGファイル(&J)"), UI_TEXT("menu", "クリップボードにコピー(&C)"),
                       UI_TEXT("menu", "マウスで領域指定(&M)"), UI_TEXT("menu", "PNGファイル(&N)"),
                       UI_TEXT("menu", "SVGファイル(&S)"), UI_TEXT("menu", "PDFファイル(&P)")})),
        item(UI_TEXT("menu", "数字符データ保存")),
        item(UI_TEXT("menu", "MIDIファイル作成&M")),
        item(UI_TEXT("menu", "MIDIファイル作成（旧）")),
        item(UI_TEXT("menu", "WAVファイル作成")),
        item(UI_TEXT("menu", "MusicXML保存")),
        item(UI_TEXT("menu", "プリンター設定(&U)")),
        item(UI_TEXT("menu", "画面印刷(&P)")),
        item(UI_TEXT("menu", "譜面設定保存")),
        item(UI_TEXT("menu", "終了&X")),
    };
}

std::vector<MenuEntry> staffMenu() {
    return {
        submenu(UI_TEXT("menu", "調子（＃の数）"),
                items({UI_TEXT("menu", "0（ハ長調／イ短調）"), UI_TEXT("menu", "1（ト長調／ホ短調）"),
                       UI_TEXT("menu", "2（ニ長調／ロ短調）"), UI_TEXT("menu", "3（イ長調／嬰ヘ短調）"),
                       UI_TEXT("menu", "4（ホ長調／嬰ハ短調）"), UI_TEXT("menu", "5（ロ長調／嬰ト短調）"),
                       UI_TEXT("menu", "6（嬰ヘ長調／嬰ニ短調）"), UI_TEXT("menu", "7（嬰ハ長調／嬰イ短調）")})),
        submenu(UI_TEXT("menu", "調子（♭の数）"),
                items({UI_TEXT("menu", "０（ハ長調／イ短調）"), UI_TEXT("menu", "１（ヘ長調／ニ短調）"),
                       UI_TEXT("menu", "２（変ロ長調／ト短調）"), UI_TEXT("menu", "３（変ホ長調／ハ短調）"),
                       UI_TEXT("menu", "４（変イ長調／ヘ短調）"), UI_TEXT("menu", "５（変ニ長調／変ロ短調）"),
                       UI_TEXT("menu", "６（変ト長調／変ホ短調）"), UI_TEXT("menu", "７（変ハ長調／変イ短調）")})),
        submenu(UI_TEXT("menu", "拍子"), items({"4/4", "3/4", "2/4", "3/8", "6/8"})),
        submenu(UI_TEXT("menu", "曲名等設定&I"),
                items({UI_TEXT("menu", "設定開始<画面表示>&S"), UI_TEXT("menu", "設定完了<画面削除>&E")})),
        submenu(UI_TEXT("menu", "パートの数 &P"), items({"&1", "&2", "&3", "&4", "&5", "&6"})),
        submenu(UI_TEXT("menu", "小節数 &M"), items({"&2", "&3", "&4", "&5", "&6", "7", "8"})),
        submenu(UI_TEXT("menu", "終止線/反復記号&S"),
                {item(UI_TEXT("menu", "終止線")),
                 submenu(UI_TEXT("menu", "括弧"), items({UI_TEXT("menu", "括弧1"), UI_TEXT("menu", "括弧2")})),
                 item("D.S."), item(UI_TEXT("menu", "セーニョ")), item("Fine"), item("D.C."), item("Coda"),
                 item("to Coda"), item(UI_TEXT("menu", "リピート( :|| )")), item(UI_TEXT("menu", "リピート( ||: )"))}),
        submenu(UI_TEXT("menu", "強弱記号"),
                {submenu(UI_TEXT("menu", "ｐ"), items({UI_TEXT("menu", "ｍｐ"), UI_TEXT("menu", "ｐ"),
                                                      UI_TEXT("menu", "ｐｐ"), UI_TEXT("menu", "ｐｐｐ")})),
                 submenu(UI_TEXT("menu", "ｆ"), items({UI_TEXT("menu", "ｍｆ"), UI_TEXT("menu", "ｆ"),
                                                      UI_TEXT("menu", "ｆｆ"), UI_TEXT("menu", "ｆｆｆ")}))}),
        submenu("cres/decres &C",
                {submenu(UI_TEXT("menu", "クレッシェンド"), items({UI_TEXT("menu", "開始"), UI_TEXT("menu", "終了")})),
                 submenu(UI_TEXT("menu", "デクレッシェンド"), items({UI_TEXT("menu", "開始"), UI_TEXT("menu", "終了")}))}),
        submenu(UI_TEXT("menu", "その他記号&E"),
                items({UI_TEXT("menu", "ブレス&B"), UI_TEXT("menu", "フェルマータ"), "rit", "a tempo",
                       UI_TEXT("menu", "その他")})),
        submenu(UI_TEXT("menu", "オクターブ変更"),
                items({UI_TEXT("menu", "1オクターブ上へ"), UI_TEXT("menu", "1オクターブ下へ")})),
        item(UI_TEXT("menu", "記号編集&Z")),
    };
}

std::vector<MenuEntry> measureMenu() {
    std::vector<MenuEntry> entries = items(
        {UI_TEXT("menu", "小節編集モードに &M"), UI_TEXT("menu", "元に戻す &U"), UI_TEXT("menu", "やり直し &R"),
         UI_TEXT("menu", "挿入 &I"), UI_TEXT("menu", "切り取り &T"), UI_TEXT("menu", "コピー &C"),
         UI_TEXT("menu", "挿入貼付"), UI_TEXT("menu", "上書貼付 &P"), UI_TEXT("menu", "削除 &D"),
         UI_TEXT("menu", "クリップボードにコピー（クリアあり）"), UI_TEXT("menu", "クリップボードにコピー(クリアなし）"),
         UI_TEXT("menu", "クリップボードから挿入貼付"), UI_TEXT("menu", "クリップボードから上書貼付")});
    entries.push_back(submenu(UI_TEXT("menu", "オクターブ変更"),
                              items({UI_TEXT("menu", "1オクターブ上へ"), UI_TEXT("menu", "1オクターブ下へ")})));
    return entries;
}

std::vector<MenuEntry> noteMenu() {
    return {
        item(UI_TEXT("menu", "元に戻す")),
        item(UI_TEXT("menu", "やり直し")),
        submenu(UI_TEXT("menu", "上書き"), items({UI_TEXT("menu", "開始"), UI_TEXT("menu", "終了")})),
        item(UI_TEXT("menu", "追加&A")),
        item(UI_TEXT("menu", "挿入 &I")),
        item(UI_TEXT("menu", "削除 &D")),
        item(UI_TEXT("menu", "貼り付け")),
        submenu(UI_TEXT("menu", "オクターブ変更"), items({UI_TEXT("menu", "上へ"), UI_TEXT("menu", "下へ")})),
        item(UI_TEXT("menu", "棒上下変更 &B")),
        submenu(UI_TEXT("menu", "タイ、スラー"),
                {item(UI_TEXT("menu", "タイ設定")),
                 submenu(UI_TEXT("menu", "スラー"), items({UI_TEXT("menu", "設定(次と)"), UI_TEXT("menu", "開始"),
                                                          UI_TEXT("menu", "終末")})),
                 item(UI_TEXT("menu", "タイ解除")), item(UI_TEXT("menu", "スラー解除")),
                 item(UI_TEXT("menu", "タイ／スラー曲線設定"))}),
        submenu(UI_TEXT("menu", "休符非表示"), items({UI_TEXT("menu", "設定"), UI_TEXT("menu", "解除")})),
        item(UI_TEXT("menu", "選択保持 &H")),
        submenu(UI_TEXT("menu", "連桁"),
                items({UI_TEXT("menu", "連桁設定"), UI_TEXT("menu", "連桁解除"), UI_TEXT("menu", "３連符設定"),
                       UI_TEXT("menu", "３連符解除"), UI_TEXT("menu", "自動設定"), UI_TEXT("menu", "連桁解除(1小節)")})),
    };
}

std::vector<MenuEntry> viewMenu() {
    const auto shownOrHidden = [] { return items({UI_TEXT("menu", "表示"), UI_TEXT("menu", "非表示")}); };
    return {
        submenu(UI_TEXT("menu", "五線譜面／数字譜面"), items({UI_TEXT("menu", "数字譜面"), UI_TEXT("menu", "五線譜面")})),
        item(UI_TEXT("menu", "印刷用表示")),
        item(UI_TEXT("menu", "記号表示編集")),
        submenu(UI_TEXT("menu", "描画色変更"), colourItems(drawColourChoices())),
        submenu(UI_TEXT("menu", "背景色変更"), colourItems(backColourChoices())),
        submenu(UI_TEXT("menu", "編集描画色変更"), colourItems(editDrawColourChoices())),
        submenu(UI_TEXT("menu", "編集背景色変更"), colourItems(editBackColourChoices())),
        submenu(UI_TEXT("menu", "小節番号表示／非表示"), shownOrHidden()),
        submenu(UI_TEXT("menu", "パート表示設定"), items({"1", "2", "3", "4", "5", "6"})),
        submenu(UI_TEXT("menu", "パート表示設定モード切換"),
                items({UI_TEXT("menu", "数字符表示パート選択"), UI_TEXT("menu", "数字符表示／非表示"),
                       UI_TEXT("menu", "パート譜表示／非表示"), UI_TEXT("menu", "ト音記号/ヘ音記号")})),
        submenu(UI_TEXT("menu", "ページ"), items({UI_TEXT("menu", "次のページ"), UI_TEXT("menu", "前のページ")})),
        item(UI_TEXT("menu", "全ページ表示")),
        item(UI_TEXT("menu", "ページ幅表示")),
        item(UI_TEXT("menu", "再表示(&R)")),
        submenu(UI_TEXT("menu", "音符入力パネル表示"), shownOrHidden()),
        submenu(UI_TEXT("menu", "音符選択フォーム表示"), shownOrHidden()),
        submenu(UI_TEXT("menu", "グリッド表示"),
                items({UI_TEXT("menu", "×グリッド表示&E"), UI_TEXT("menu", "４分グリッド&4"),
                       UI_TEXT("menu", "８分グリッド&8"), UI_TEXT("menu", "１６分グリッド&1"),
                       UI_TEXT("menu", "４分の３グリッド&X"), UI_TEXT("menu", "８分の３グリッド&Y"),
                       UI_TEXT("menu", "１６分の３グリッド&Z")})),
        item(UI_TEXT("menu", "譜面設定データ表示")),
        item(UI_TEXT("menu", "データ表示")),
        item("dazadar"),
    };
}

std::vector<MenuEntry> optionMenu() {
    std::vector<MenuEntry> flutes = {submenu(UI_TEXT("menu", "笛の自動設定"),
                                             items({UI_TEXT("menu", "〇"), UI_TEXT("menu", "一"), UI_TEXT("menu", "四"),
                                                    UI_TEXT("menu", "五")}))};
    for (int flute = 1; flute <= numeric::kFluteCount; ++flute) flutes.push_back(item(numeric::fluteName(flute)));
    return {
        item(UI_TEXT("menu", "連桁モード設定")),
        item(UI_TEXT("menu", "フォントサイズ／位置")),
        submenu(UI_TEXT("menu", "音符サイズ"), items({UI_TEXT("menu", "大"), UI_TEXT("menu", "小")})),
        submenu(UI_TEXT("menu", "笛変更"), flutes),
        item(UI_TEXT("menu", "数字譜設定&N")),
        item(UI_TEXT("menu", "演奏&P")),
        item(UI_TEXT("menu", "演奏設定&I")),
        item(UI_TEXT("menu", "チューナー")),
        item(UI_TEXT("menu", "練習（演奏について行く）")),
        submenu(UI_TEXT("menu", "練習"),
                items({UI_TEXT("menu", "ループ（選んだ小節）"), UI_TEXT("menu", "カウントイン（1小節）"),
                       UI_TEXT("menu", "メトロノーム"), UI_TEXT("menu", "伴奏なし"), UI_TEXT("menu", "伴奏：ほかのパート"),
                       UI_TEXT("menu", "伴奏：全パート（小さく）")})),
        item(UI_TEXT("menu", "棒固定")),
        submenu(UI_TEXT("menu", "移調"), items({"+&7(+#/-♭)", "+6", "+&5(-#/+♭)", "+4", "+3", "+2", "+1", "-1", "-2",
                                                "-3", "-4", "-5(+&#/-♭)", "-6", "&-7(-#/+♭)"})),
        submenu(UI_TEXT("menu", "コーラス譜面"),
                {item("1+2"), item("1+2 3+4"), item(UI_TEXT("menu", "解除")),
                 submenu(UI_TEXT("menu", "数字符"), items({UI_TEXT("menu", "表示"), UI_TEXT("menu", "非表示")}))}),
        submenu(UI_TEXT("menu", "歌詞入力&L"), items({UI_TEXT("menu", "歌詞入力&L"), UI_TEXT("menu", "歌詞全削除")})),
        item(UI_TEXT("menu", "画面クリア")),
        submenu(UI_TEXT("menu", "言語／Language"),
                items({UI_TEXT("menu", "システムに合わせる"), UI_TEXT("menu", "日本語"), "English"})),
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
        submenu(UI_TEXT("menu", "ファイル&F"), fileMenu()),
        submenu(UI_TEXT("menu", "五線譜設定&S"), staffMenu()),
        submenu(UI_TEXT("menu", "小節編集&M"), measureMenu()),
        submenu(UI_TEXT("menu", "音符編集&N"), noteMenu()),
        submenu(UI_TEXT("menu", "表示&V"), viewMenu()),
        submenu(UI_TEXT("menu", "オプション(&O)"), optionMenu()),
        item(UI_TEXT("menu", "ヘルプ(&H)")),
        item(UI_TEXT("menu", "終了(&X)")),
    };
    return menu;
}

const std::vector<MenuEntry>& popupMenu() {
    static const std::vector<MenuEntry> menu = {
        item(UI_TEXT("menu", "取り消し（編集モードに）")),
        item(UI_TEXT("menu", "表示中心移動")),
        submenu(UI_TEXT("menu", "オクターブ変更"), items({UI_TEXT("menu", "上げる"), UI_TEXT("menu", "下げる")})),
        item(UI_TEXT("menu", "音符追加")),
        submenu(UI_TEXT("menu", "オクターブ設定"),
                items({UI_TEXT("menu", "ハ～ロ"), UI_TEXT("menu", "上一点ハ～ロ"), UI_TEXT("menu", "上二点ハ～ロ")})),
        submenu(UI_TEXT("menu", "臨時記号"), items({UI_TEXT("menu", "♯"), UI_TEXT("menu", "♭"), UI_TEXT("menu", "ナチュラル"),
                                                    "X", UI_TEXT("menu", "♭♭"), UI_TEXT("menu", "記号削除")})),
        submenu(UI_TEXT("menu", "音符（全～１６分）"),
                items({UI_TEXT("menu", "４分音符"), UI_TEXT("menu", "８分音符"), UI_TEXT("menu", "１６分音符"),
                       UI_TEXT("menu", "２分音符"), UI_TEXT("menu", "全音符")})),
        submenu(UI_TEXT("menu", "音符（付点）"), items({UI_TEXT("menu", "設定"), UI_TEXT("menu", "クリア")})),
        submenu(UI_TEXT("menu", "タイ／スラー"),
                items({UI_TEXT("menu", "タイ設定"), UI_TEXT("menu", "スラー設定(次と)"), UI_TEXT("menu", "スラー開始"),
                       UI_TEXT("menu", "スラー終末"), UI_TEXT("menu", "タイ解除"), UI_TEXT("menu", "スラー解除")})),
        item(UI_TEXT("menu", "過剰音符チェック")),
        item(UI_TEXT("menu", "音符分割")),
        submenu(UI_TEXT("menu", "音符／休符変更"), items({UI_TEXT("menu", "音符を休符に"), UI_TEXT("menu", "休符を音符に")})),
        submenu(UI_TEXT("menu", "連桁"), items({UI_TEXT("menu", "連桁設定"), UI_TEXT("menu", "連桁解除"),
                                                UI_TEXT("menu", "３連符"), UI_TEXT("menu", "３連符解除")})),
        item(UI_TEXT("menu", "貼り付ける")),
        item(UI_TEXT("menu", "音符パネル表示／非表示")),
    };
    return menu;
}

const std::vector<ToolButton>& toolButtons() {
    static const std::vector<ToolButton> buttons = {
        {UI_TEXT("menu", "『音符選択』フォーム表示・非表示"), UI_TEXT("menu", "♪選択")},
        {UI_TEXT("menu", "小節数固定表示へ"), UI_TEXT("menu", "小節固定")},
        {UI_TEXT("menu", "小節数可変表示へ"), UI_TEXT("menu", "小節可変")},
        {UI_TEXT("menu", "全体表示／通常表示"), UI_TEXT("menu", "全体")},
        {UI_TEXT("menu", "五線譜・数字譜"), UI_TEXT("menu", "五線/数字")},
        {UI_TEXT("menu", "音符編集・小節編集"), UI_TEXT("menu", "音符/小節")},
        {UI_TEXT("menu", "モードを「編集」に。（「ESC」キーの機能）"), "ESC"},
        {UI_TEXT("menu", "→(上の方をクリック)次のページに。←(下の方をクリック)前のページに戻る。"), UI_TEXT("menu", "頁⇔")},
        {UI_TEXT("menu", "表示を可変モード（２）に。"), UI_TEXT("menu", "可変(2)")},
        {UI_TEXT("menu", "表示を固定モード（１）に。"), UI_TEXT("menu", "固定(1)")},
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
    // One inside the words ("+&7", a translation's "&New") leaves its letter; "&&" is an ampersand.
    std::string words;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
        words += caption[i];
        if (caption[i] == '&') ++i;
    }
    return words;
}

}  // namespace

std::string shownPath(const std::string& path) {
    const std::string separator = kPathSeparator;
    std::string shown;
    for (size_t from = 0;;) {
        const size_t end = path.find(separator, from);
        shown += ui::text("menu", path.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) return shown;
        shown += separator;
        from = end + separator.size();
    }
}

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
