<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>keys</name>
    <message>
        <source>追加モード</source>
        <translation>Append mode</translation>
    </message>
    <message>
        <source>削除（表示のみ）</source>
        <translation>Delete (display only)</translation>
    </message>
    <message>
        <source>表示位置の移動</source>
        <translation>Scroll the view</translation>
    </message>
    <message>
        <source>表示位置の大きな移動</source>
        <translation>Scroll the view far</translation>
    </message>
    <message>
        <source>小節コピー</source>
        <translation>Copy measures</translation>
    </message>
    <message>
        <source>小節上書貼付</source>
        <translation>Paste measures over</translation>
    </message>
    <message>
        <source>小節切り取り</source>
        <translation>Cut measures</translation>
    </message>
    <message>
        <source>選択音符を1オクターブ上へ</source>
        <translation>Selected notes up an octave</translation>
    </message>
    <message>
        <source>選択音符を1オクターブ下へ</source>
        <translation>Selected notes down an octave</translation>
    </message>
    <message>
        <source>後ろに挿入（挿入モード）</source>
        <translation>Insert after (insert mode)</translation>
    </message>
    <message>
        <source>音符を削除</source>
        <translation>Delete note</translation>
    </message>
    <message>
        <source>長さを半分に</source>
        <translation>Halve the length</translation>
    </message>
    <message>
        <source>音高を1段上へ</source>
        <translation>Pitch up a step</translation>
    </message>
    <message>
        <source>長さを倍に</source>
        <translation>Double the length</translation>
    </message>
    <message>
        <source>音高を1段下へ</source>
        <translation>Pitch down a step</translation>
    </message>
    <message>
        <source>休符に</source>
        <translation>Make a rest</translation>
    </message>
    <message>
        <source>棒上下変更</source>
        <translation>Flip stem</translation>
    </message>
    <message>
        <source>選択を次の音符へ広げる</source>
        <translation>Extend selection to the next note</translation>
    </message>
    <message>
        <source>次のCtrlキーを第2の意味に</source>
        <translation>Next Ctrl key in its second meaning</translation>
    </message>
    <message>
        <source>タイ／スラー解除</source>
        <translation>Remove tie / slur</translation>
    </message>
    <message>
        <source>スラー設定</source>
        <translation>Set slur</translation>
    </message>
    <message>
        <source>付点の切り替え</source>
        <translation>Toggle dot</translation>
    </message>
    <message>
        <source>タイ設定</source>
        <translation>Set tie</translation>
    </message>
    <message>
        <source>連桁設定</source>
        <translation>Set beams</translation>
    </message>
    <message>
        <source>連桁解除</source>
        <translation>Remove beams</translation>
    </message>
    <message>
        <source>選択保持</source>
        <translation>Hold selection</translation>
    </message>
    <message>
        <source>音符を入力</source>
        <translation>Enter a note</translation>
    </message>
    <message>
        <source>休符を入力</source>
        <translation>Enter a rest</translation>
    </message>
    <message>
        <source>1小節の長さ</source>
        <translation>One measure long</translation>
    </message>
    <message>
        <source>音価を選ぶ</source>
        <translation>Choose the note value</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>menu</name>
    <message>
        <source>新規作成&amp;N</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>ファイル読込&amp;R</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>旧ファイル（．ｇｄ２）読込</source>
        <translation>Open old file (.gd2)...</translation>
    </message>
    <message>
        <source>演奏データ付五線譜面</source>
        <translation>Score with performance data</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>演奏設定読み込み</source>
        <translation>Open play settings...</translation>
    </message>
    <message>
        <source>演奏設定保存</source>
        <translation>Save play settings...</translation>
    </message>
    <message>
        <source>譜面の保存&amp;S</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>MIDIファイル読み込み</source>
        <translation>Import MIDI file...</translation>
    </message>
    <message>
        <source>MusicXML読み込み</source>
        <translation>Import MusicXML...</translation>
    </message>
    <message>
        <source>録音から採譜</source>
        <translation>Transcribe a recording...</translation>
    </message>
    <message>
        <source>画面ファイル保存&amp;C</source>
        <translation>Save page as pi&amp;cture</translation>
    </message>
    <message>
        <source>WMFファイル(&amp;W)</source>
        <translation>&amp;WMF file...</translation>
    </message>
    <message>
        <source>EMFファイル(&amp;E)</source>
        <translation>&amp;EMF file...</translation>
    </message>
    <message>
        <source>JPEGファイル(&amp;J)</source>
        <translation>&amp;JPEG file...</translation>
    </message>
    <message>
        <source>クリップボードにコピー(&amp;C)</source>
        <translation>&amp;Copy to clipboard</translation>
    </message>
    <message>
        <source>マウスで領域指定(&amp;M)</source>
        <translation>Select area with the &amp;mouse</translation>
    </message>
    <message>
        <source>PNGファイル(&amp;N)</source>
        <translation>P&amp;NG file...</translation>
    </message>
    <message>
        <source>SVGファイル(&amp;S)</source>
        <translation>&amp;SVG file...</translation>
    </message>
    <message>
        <source>PDFファイル(&amp;P)</source>
        <translation>&amp;PDF file...</translation>
    </message>
    <message>
        <source>数字符データ保存</source>
        <translation>Save fingering data (.dt)...</translation>
    </message>
    <message>
        <source>MIDIファイル作成&amp;M</source>
        <translation>Export &amp;MIDI file...</translation>
    </message>
    <message>
        <source>MIDIファイル作成（旧）</source>
        <translation>Export MIDI file (old)...</translation>
    </message>
    <message>
        <source>WAVファイル作成</source>
        <translation>Export WAV file...</translation>
    </message>
    <message>
        <source>MusicXML保存</source>
        <translation>Export MusicXML...</translation>
    </message>
    <message>
        <source>プリンター設定(&amp;U)</source>
        <translation>Printer set&amp;up...</translation>
    </message>
    <message>
        <source>画面印刷(&amp;P)</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>譜面設定保存</source>
        <translation>Save score settings</translation>
    </message>
    <message>
        <source>終了&amp;X</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>調子（＃の数）</source>
        <translation>Key (number of ♯)</translation>
    </message>
    <message>
        <source>0（ハ長調／イ短調）</source>
        <translation>0 (C major / A minor)</translation>
    </message>
    <message>
        <source>1（ト長調／ホ短調）</source>
        <translation>1 (G major / E minor)</translation>
    </message>
    <message>
        <source>2（ニ長調／ロ短調）</source>
        <translation>2 (D major / B minor)</translation>
    </message>
    <message>
        <source>3（イ長調／嬰ヘ短調）</source>
        <translation>3 (A major / F♯ minor)</translation>
    </message>
    <message>
        <source>4（ホ長調／嬰ハ短調）</source>
        <translation>4 (E major / C♯ minor)</translation>
    </message>
    <message>
        <source>5（ロ長調／嬰ト短調）</source>
        <translation>5 (B major / G♯ minor)</translation>
    </message>
    <message>
        <source>6（嬰ヘ長調／嬰ニ短調）</source>
        <translation>6 (F♯ major / D♯ minor)</translation>
    </message>
    <message>
        <source>7（嬰ハ長調／嬰イ短調）</source>
        <translation>7 (C♯ major / A♯ minor)</translation>
    </message>
    <message>
        <source>調子（♭の数）</source>
        <translation>Key (number of ♭)</translation>
    </message>
    <message>
        <source>０（ハ長調／イ短調）</source>
        <translation>0 (C major / A minor)</translation>
    </message>
    <message>
        <source>１（ヘ長調／ニ短調）</source>
        <translation>1 (F major / D minor)</translation>
    </message>
    <message>
        <source>２（変ロ長調／ト短調）</source>
        <translation>2 (B♭ major / G minor)</translation>
    </message>
    <message>
        <source>３（変ホ長調／ハ短調）</source>
        <translation>3 (E♭ major / C minor)</translation>
    </message>
    <message>
        <source>４（変イ長調／ヘ短調）</source>
        <translation>4 (A♭ major / F minor)</translation>
    </message>
    <message>
        <source>５（変ニ長調／変ロ短調）</source>
        <translation>5 (D♭ major / B♭ minor)</translation>
    </message>
    <message>
        <source>６（変ト長調／変ホ短調）</source>
        <translation>6 (G♭ major / E♭ minor)</translation>
    </message>
    <message>
        <source>７（変ハ長調／変イ短調）</source>
        <translation>7 (C♭ major / A♭ minor)</translation>
    </message>
    <message>
        <source>拍子</source>
        <translation>Time signature</translation>
    </message>
    <message>
        <source>曲名等設定&amp;I</source>
        <translation>Title and song data</translation>
    </message>
    <message>
        <source>設定開始&lt;画面表示&gt;&amp;S</source>
        <translation>&amp;Start editing &lt;shown&gt;</translation>
    </message>
    <message>
        <source>設定完了&lt;画面削除&gt;&amp;E</source>
        <translation>&amp;End editing &lt;hidden&gt;</translation>
    </message>
    <message>
        <source>パートの数 &amp;P</source>
        <translation>Number of &amp;parts</translation>
    </message>
    <message>
        <source>小節数 &amp;M</source>
        <translation>&amp;Measures per line</translation>
    </message>
    <message>
        <source>終止線/反復記号&amp;S</source>
        <translation>Bar lines and repeat &amp;signs</translation>
    </message>
    <message>
        <source>終止線</source>
        <translation>Final bar line</translation>
    </message>
    <message>
        <source>括弧</source>
        <translation>Volta bracket</translation>
    </message>
    <message>
        <source>括弧1</source>
        <translation>Bracket 1</translation>
    </message>
    <message>
        <source>括弧2</source>
        <translation>Bracket 2</translation>
    </message>
    <message>
        <source>セーニョ</source>
        <translation>Segno</translation>
    </message>
    <message>
        <source>リピート( :|| )</source>
        <translation>Repeat ( :|| )</translation>
    </message>
    <message>
        <source>リピート( ||: )</source>
        <translation>Repeat ( ||: )</translation>
    </message>
    <message>
        <source>強弱記号</source>
        <translation>Dynamics</translation>
    </message>
    <message>
        <source>ｐ</source>
        <translation>p</translation>
    </message>
    <message>
        <source>ｍｐ</source>
        <translation>mp</translation>
    </message>
    <message>
        <source>ｐｐ</source>
        <translation>pp</translation>
    </message>
    <message>
        <source>ｐｐｐ</source>
        <translation>ppp</translation>
    </message>
    <message>
        <source>ｆ</source>
        <translation>f</translation>
    </message>
    <message>
        <source>ｍｆ</source>
        <translation>mf</translation>
    </message>
    <message>
        <source>ｆｆ</source>
        <translation>ff</translation>
    </message>
    <message>
        <source>ｆｆｆ</source>
        <translation>fff</translation>
    </message>
    <message>
        <source>クレッシェンド</source>
        <translation>Crescendo</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
    <message>
        <source>デクレッシェンド</source>
        <translation>Decrescendo</translation>
    </message>
    <message>
        <source>その他記号&amp;E</source>
        <translation>Oth&amp;er signs</translation>
    </message>
    <message>
        <source>ブレス&amp;B</source>
        <translation>&amp;Breath</translation>
    </message>
    <message>
        <source>フェルマータ</source>
        <translation>Fermata</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>オクターブ変更</source>
        <translation>Change octave</translation>
    </message>
    <message>
        <source>1オクターブ上へ</source>
        <translation>Up an octave</translation>
    </message>
    <message>
        <source>1オクターブ下へ</source>
        <translation>Down an octave</translation>
    </message>
    <message>
        <source>記号編集&amp;Z</source>
        <translation>Edit signs</translation>
    </message>
    <message>
        <source>小節編集モードに &amp;M</source>
        <translation>&amp;Measure editing mode</translation>
    </message>
    <message>
        <source>元に戻す &amp;U</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し &amp;R</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>挿入 &amp;I</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>切り取り &amp;T</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー &amp;C</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>挿入貼付</source>
        <translation>Paste and insert</translation>
    </message>
    <message>
        <source>上書貼付 &amp;P</source>
        <translation>&amp;Paste over</translation>
    </message>
    <message>
        <source>削除 &amp;D</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>クリップボードにコピー（クリアあり）</source>
        <translation>Copy to clipboard (and clear)</translation>
    </message>
    <message>
        <source>クリップボードにコピー(クリアなし）</source>
        <translation>Copy to clipboard (keep)</translation>
    </message>
    <message>
        <source>クリップボードから挿入貼付</source>
        <translation>Insert from clipboard</translation>
    </message>
    <message>
        <source>クリップボードから上書貼付</source>
        <translation>Paste over from clipboard</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>追加&amp;A</source>
        <translation>&amp;Append</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>棒上下変更 &amp;B</source>
        <translation>Flip stem (&amp;B)</translation>
    </message>
    <message>
        <source>タイ、スラー</source>
        <translation>Ties and slurs</translation>
    </message>
    <message>
        <source>タイ設定</source>
        <translation>Set tie</translation>
    </message>
    <message>
        <source>スラー</source>
        <translation>Slur</translation>
    </message>
    <message>
        <source>設定(次と)</source>
        <translation>Set (with next)</translation>
    </message>
    <message>
        <source>終末</source>
        <translation>End</translation>
    </message>
    <message>
        <source>タイ解除</source>
        <translation>Remove tie</translation>
    </message>
    <message>
        <source>スラー解除</source>
        <translation>Remove slur</translation>
    </message>
    <message>
        <source>タイ／スラー曲線設定</source>
        <translation>Tie / slur curve...</translation>
    </message>
    <message>
        <source>休符非表示</source>
        <translation>Hide rests</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>解除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>選択保持 &amp;H</source>
        <translation>&amp;Hold selection</translation>
    </message>
    <message>
        <source>連桁</source>
        <translation>Beams</translation>
    </message>
    <message>
        <source>連桁設定</source>
        <translation>Set beams</translation>
    </message>
    <message>
        <source>連桁解除</source>
        <translation>Remove beams</translation>
    </message>
    <message>
        <source>３連符設定</source>
        <translation>Set triplet</translation>
    </message>
    <message>
        <source>３連符解除</source>
        <translation>Remove triplet</translation>
    </message>
    <message>
        <source>自動設定</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>連桁解除(1小節)</source>
        <translation>Remove beams (1 measure)</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>五線譜面／数字譜面</source>
        <translation>Staff / numeric notation</translation>
    </message>
    <message>
        <source>数字譜面</source>
        <translation>Numeric notation</translation>
    </message>
    <message>
        <source>五線譜面</source>
        <translation>Staff notation</translation>
    </message>
    <message>
        <source>印刷用表示</source>
        <translation>Print view</translation>
    </message>
    <message>
        <source>記号表示編集</source>
        <translation>Show and edit signs</translation>
    </message>
    <message>
        <source>描画色変更</source>
        <translation>Drawing colour</translation>
    </message>
    <message>
        <source>背景色変更</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>編集描画色変更</source>
        <translation>Editing drawing colour</translation>
    </message>
    <message>
        <source>編集背景色変更</source>
        <translation>Editing background colour</translation>
    </message>
    <message>
        <source>小節番号表示／非表示</source>
        <translation>Measure numbers</translation>
    </message>
    <message>
        <source>パート表示設定</source>
        <translation>Part display</translation>
    </message>
    <message>
        <source>パート表示設定モード切換</source>
        <translation>Part display mode</translation>
    </message>
    <message>
        <source>数字符表示パート選択</source>
        <translation>Part shown in numerals</translation>
    </message>
    <message>
        <source>数字符表示／非表示</source>
        <translation>Numerals shown / hidden</translation>
    </message>
    <message>
        <source>パート譜表示／非表示</source>
        <translation>Parts shown / hidden</translation>
    </message>
    <message>
        <source>ト音記号/ヘ音記号</source>
        <translation>Treble / bass clef</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>次のページ</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>前のページ</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>全ページ表示</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>ページ幅表示</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>再表示(&amp;R)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <source>音符入力パネル表示</source>
        <translation>Note entry panel</translation>
    </message>
    <message>
        <source>音符選択フォーム表示</source>
        <translation>Note palette</translation>
    </message>
    <message>
        <source>グリッド表示</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>×グリッド表示&amp;E</source>
        <translation>× Show grid (&amp;E)</translation>
    </message>
    <message>
        <source>４分グリッド&amp;4</source>
        <translation>Quarter grid (&amp;4)</translation>
    </message>
    <message>
        <source>８分グリッド&amp;8</source>
        <translation>Eighth grid (&amp;8)</translation>
    </message>
    <message>
        <source>１６分グリッド&amp;1</source>
        <translation>Sixteenth grid (&amp;1)</translation>
    </message>
    <message>
        <source>４分の３グリッド&amp;X</source>
        <translation>Quarter triplet grid (&amp;X)</translation>
    </message>
    <message>
        <source>８分の３グリッド&amp;Y</source>
        <translation>Eighth triplet grid (&amp;Y)</translation>
    </message>
    <message>
        <source>１６分の３グリッド&amp;Z</source>
        <translation>Sixteenth triplet grid (&amp;Z)</translation>
    </message>
    <message>
        <source>譜面設定データ表示</source>
        <translation>Show score settings</translation>
    </message>
    <message>
        <source>データ表示</source>
        <translation>Show data</translation>
    </message>
    <message>
        <source>笛の自動設定</source>
        <translation>Choose flute automatically</translation>
    </message>
    <message>
        <source>〇</source>
        <translation>0 (〇)</translation>
    </message>
    <message>
        <source>一</source>
        <translation>1 (一)</translation>
    </message>
    <message>
        <source>四</source>
        <translation>4 (四)</translation>
    </message>
    <message>
        <source>五</source>
        <translation>5 (五)</translation>
    </message>
    <message>
        <source>連桁モード設定</source>
        <translation>Beam mode</translation>
    </message>
    <message>
        <source>フォントサイズ／位置</source>
        <translation>Font size / position...</translation>
    </message>
    <message>
        <source>音符サイズ</source>
        <translation>Note size</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>笛変更</source>
        <translation>Flute</translation>
    </message>
    <message>
        <source>数字譜設定&amp;N</source>
        <translation>&amp;Numeric notation settings...</translation>
    </message>
    <message>
        <source>演奏&amp;P</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>演奏設定&amp;I</source>
        <translation>Play sett&amp;ings...</translation>
    </message>
    <message>
        <source>チューナー</source>
        <translation>Tuner</translation>
    </message>
    <message>
        <source>練習（演奏について行く）</source>
        <translation>Play along (follow my playing)</translation>
    </message>
    <message>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>ループ（選んだ小節）</source>
        <translation>Loop (picked measures)</translation>
    </message>
    <message>
        <source>カウントイン（1小節）</source>
        <translation>Count-in (1 measure)</translation>
    </message>
    <message>
        <source>メトロノーム</source>
        <translation>Metronome</translation>
    </message>
    <message>
        <source>伴奏なし</source>
        <translation>No accompaniment</translation>
    </message>
    <message>
        <source>伴奏：ほかのパート</source>
        <translation>Accompaniment: other parts</translation>
    </message>
    <message>
        <source>伴奏：全パート（小さく）</source>
        <translation>Accompaniment: all parts (softly)</translation>
    </message>
    <message>
        <source>棒固定</source>
        <translation>Fixed stems</translation>
    </message>
    <message>
        <source>移調</source>
        <translation>Transpose</translation>
    </message>
    <message>
        <source>コーラス譜面</source>
        <translation>Chorus score</translation>
    </message>
    <message>
        <source>数字符</source>
        <translation>Numerals</translation>
    </message>
    <message>
        <source>歌詞入力&amp;L</source>
        <translation>&amp;Lyrics</translation>
    </message>
    <message>
        <source>歌詞全削除</source>
        <translation>Delete all lyrics</translation>
    </message>
    <message>
        <source>画面クリア</source>
        <translation>Clear view</translation>
    </message>
    <message>
        <source>言語／Language</source>
        <translation>Language / 言語</translation>
    </message>
    <message>
        <source>システムに合わせる</source>
        <translation>As the system</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語 (Japanese)</translation>
    </message>
    <message>
        <source>ファイル&amp;F</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>五線譜設定&amp;S</source>
        <translation>&amp;Staff</translation>
    </message>
    <message>
        <source>小節編集&amp;M</source>
        <translation>&amp;Measures</translation>
    </message>
    <message>
        <source>音符編集&amp;N</source>
        <translation>&amp;Notes</translation>
    </message>
    <message>
        <source>表示&amp;V</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>取り消し（編集モードに）</source>
        <translation>Cancel (back to editing)</translation>
    </message>
    <message>
        <source>表示中心移動</source>
        <translation>Centre the view here</translation>
    </message>
    <message>
        <source>上げる</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下げる</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>音符追加</source>
        <translation>Add note</translation>
    </message>
    <message>
        <source>オクターブ設定</source>
        <translation>Entry octave</translation>
    </message>
    <message>
        <source>ハ～ロ</source>
        <translation>C4–B4</translation>
    </message>
    <message>
        <source>上一点ハ～ロ</source>
        <translation>C5–B5</translation>
    </message>
    <message>
        <source>上二点ハ～ロ</source>
        <translation>C6–B6</translation>
    </message>
    <message>
        <source>臨時記号</source>
        <translation>Accidental</translation>
    </message>
    <message>
        <source>♯</source>
        <translation>♯</translation>
    </message>
    <message>
        <source>♭</source>
        <translation>♭</translation>
    </message>
    <message>
        <source>ナチュラル</source>
        <translation>Natural</translation>
    </message>
    <message>
        <source>♭♭</source>
        <translation>♭♭</translation>
    </message>
    <message>
        <source>記号削除</source>
        <translation>Remove accidental</translation>
    </message>
    <message>
        <source>音符（全～１６分）</source>
        <translation>Note value (whole to 16th)</translation>
    </message>
    <message>
        <source>４分音符</source>
        <translation>Quarter note</translation>
    </message>
    <message>
        <source>８分音符</source>
        <translation>Eighth note</translation>
    </message>
    <message>
        <source>１６分音符</source>
        <translation>Sixteenth note</translation>
    </message>
    <message>
        <source>２分音符</source>
        <translation>Half note</translation>
    </message>
    <message>
        <source>全音符</source>
        <translation>Whole note</translation>
    </message>
    <message>
        <source>音符（付点）</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>タイ／スラー</source>
        <translation>Tie / slur</translation>
    </message>
    <message>
        <source>スラー設定(次と)</source>
        <translation>Set slur (with next)</translation>
    </message>
    <message>
        <source>スラー開始</source>
        <translation>Slur start</translation>
    </message>
    <message>
        <source>スラー終末</source>
        <translation>Slur end</translation>
    </message>
    <message>
        <source>過剰音符チェック</source>
        <translation>Check overfull measures</translation>
    </message>
    <message>
        <source>音符分割</source>
        <translation>Split note</translation>
    </message>
    <message>
        <source>音符／休符変更</source>
        <translation>Note / rest</translation>
    </message>
    <message>
        <source>音符を休符に</source>
        <translation>Note to rest</translation>
    </message>
    <message>
        <source>休符を音符に</source>
        <translation>Rest to note</translation>
    </message>
    <message>
        <source>３連符</source>
        <translation>Triplet</translation>
    </message>
    <message>
        <source>貼り付ける</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>音符パネル表示／非表示</source>
        <translation>Show / hide note panel</translation>
    </message>
    <message>
        <source>『音符選択』フォーム表示・非表示</source>
        <translation>Show / hide the note palette</translation>
    </message>
    <message>
        <source>♪選択</source>
        <translation>♪ Palette</translation>
    </message>
    <message>
        <source>小節数固定表示へ</source>
        <translation>To a fixed number of measures per line</translation>
    </message>
    <message>
        <source>小節固定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>小節数可変表示へ</source>
        <translation>To a variable number of measures per line</translation>
    </message>
    <message>
        <source>小節可変</source>
        <translation>Var</translation>
    </message>
    <message>
        <source>全体表示／通常表示</source>
        <translation>Whole page / normal view</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>Whole</translation>
    </message>
    <message>
        <source>五線譜・数字譜</source>
        <translation>Staff / numeric notation</translation>
    </message>
    <message>
        <source>五線/数字</source>
        <translation>Staff/Num</translation>
    </message>
    <message>
        <source>音符編集・小節編集</source>
        <translation>Note editing / measure editing</translation>
    </message>
    <message>
        <source>音符/小節</source>
        <translation>Note/Meas</translation>
    </message>
    <message>
        <source>モードを「編集」に。（「ESC」キーの機能）</source>
        <translation>Back to editing mode (the Esc key)</translation>
    </message>
    <message>
        <source>→(上の方をクリック)次のページに。←(下の方をクリック)前のページに戻る。</source>
        <translation>→ (click the upper half) next page. ← (click the lower half) previous page.</translation>
    </message>
    <message>
        <source>頁⇔</source>
        <translation>Pg ⇔</translation>
    </message>
    <message>
        <source>表示を可変モード（２）に。</source>
        <translation>Variable view mode (2)</translation>
    </message>
    <message>
        <source>可変(2)</source>
        <translation>Var (2)</translation>
    </message>
    <message>
        <source>表示を固定モード（１）に。</source>
        <translation>Fixed view mode (1)</translation>
    </message>
    <message>
        <source>固定(1)</source>
        <translation>Fix (1)</translation>
    </message>
    <message>
        <source>音符編集モードに &amp;M</source>
        <translation>Note editing &amp;mode</translation>
    </message>
    <message>
        <source>連桁１拍を解除</source>
        <translation>Beams per beat: off</translation>
    </message>
    <message>
        <source>連桁１拍に設定</source>
        <translation>Beams per beat: on</translation>
    </message>
    <message>
        <source>棒自動</source>
        <translation>Automatic stems</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>灰色（暗）</source>
        <translation>Grey (dark)</translation>
    </message>
    <message>
        <source>灰色（明）</source>
        <translation>Grey (light)</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>オリーブ</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>濃緑色</source>
        <translation>Bright green</translation>
    </message>
    <message>
        <source>赤紫</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>紫</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>空色</source>
        <translation>Sky blue</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>藍</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>暗青緑</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>濃紺色</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>水色</source>
        <translation>Light blue</translation>
    </message>
    <message>
        <source>藍色</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>○グリッド表示&amp;E</source>
        <translation>○ Show grid (&amp;E)</translation>
    </message>
    <message>
        <source>数字符表示／非表示選択</source>
        <translation>Choose numerals shown / hidden</translation>
    </message>
    <message>
        <source>パート譜表示／非表示選択</source>
        <translation>Choose parts shown / hidden</translation>
    </message>
    <message>
        <source>ト音記号／ヘ音記号</source>
        <translation>Treble / bass clef</translation>
    </message>
    <message>
        <source>一本</source>
        <translation>1-hon (一本)</translation>
    </message>
    <message>
        <source>二本</source>
        <translation>2-hon (二本)</translation>
    </message>
    <message>
        <source>三本</source>
        <translation>3-hon (三本)</translation>
    </message>
    <message>
        <source>四本</source>
        <translation>4-hon (四本)</translation>
    </message>
    <message>
        <source>五本</source>
        <translation>5-hon (五本)</translation>
    </message>
    <message>
        <source>六本</source>
        <translation>6-hon (六本)</translation>
    </message>
    <message>
        <source>七本</source>
        <translation>7-hon (七本)</translation>
    </message>
    <message>
        <source>八本</source>
        <translation>8-hon (八本)</translation>
    </message>
    <message>
        <source>九本</source>
        <translation>9-hon (九本)</translation>
    </message>
    <message>
        <source>十本</source>
        <translation>10-hon (十本)</translation>
    </message>
    <message>
        <source>十一本</source>
        <translation>11-hon (十一本)</translation>
    </message>
    <message>
        <source>十二本</source>
        <translation>12-hon (十二本)</translation>
    </message>
</context>
<context>
    <name>ui</name>
    <message>
        <source>使い方:
  shinofu [--audio-input SOUND] [FILE]   エディタを開く（SOUND: マイクの代わりに聞く録音）
  shinofu new OUT.gd4                    新規作成の譜面を書き出す
  shinofu convert IN OUT [--page N] [--numeric] [--part N] [--transpose N] [--octave ±1]
                         [--tempo N] [--meter 3/4] [--pickup N]（録音の採譜、N: 弱起の拍数）
    IN:  .gd4 .gd3 .gd2 .mid .midi .musicxml .xml .mxl .wav .flac .ogg .mp3
    OUT: .gd4 .png .svg .jpg .jpeg .pdf .emf .wmf .mid .wav .dt .musicxml .json
</source>
        <translation>Usage:
  shinofu [--audio-input SOUND] [FILE]   open the editor (SOUND: a recording heard instead of the microphone)
  shinofu new OUT.gd4                    write a new score
  shinofu convert IN OUT [--page N] [--numeric] [--part N] [--transpose N] [--octave ±1]
                         [--tempo N] [--meter 3/4] [--pickup N] (transcribing a recording, N: pickup beats)
    IN:  .gd4 .gd3 .gd2 .mid .midi .musicxml .xml .mxl .wav .flac .ogg .mp3
    OUT: .gd4 .png .svg .jpg .jpeg .pdf .emf .wmf .mid .wav .dt .musicxml .json
</translation>
    </message>
    <message>
        <source>読み込めない形式です: </source>
        <translation>Cannot read this format: </translation>
    </message>
    <message>
        <source> には 1 以上の数が要ります
</source>
        <translation> needs a number of 1 or more
</translation>
    </message>
    <message>
        <source>--tempo には 30 から 300 までの数が要ります
</source>
        <translation>--tempo needs a number from 30 to 300
</translation>
    </message>
    <message>
        <source>--meter には 2/4 3/4 4/4 3/8 6/8 のどれかが要ります
</source>
        <translation>--meter needs one of 2/4 3/4 4/4 3/8 6/8
</translation>
    </message>
    <message>
        <source>--pickup には弱起の拍数（0 から拍子の拍数 − 1 まで）が要ります
</source>
        <translation>--pickup needs the beats before the first bar line (0 to one less than the measure)
</translation>
    </message>
    <message>
        <source> には -7 から 7 までの数が要ります
</source>
        <translation> needs a number from -7 to 7
</translation>
    </message>
    <message>
        <source> には -1 か 1 が要ります
</source>
        <translation> needs -1 or 1
</translation>
    </message>
    <message>
        <source>知らないオプションです: </source>
        <translation>Unknown option: </translation>
    </message>
    <message>
        <source>メタファイルを作れません：</source>
        <translation>Cannot make the metafile: </translation>
    </message>
    <message>
        <source>Shift-JIS で書けない文字を「?」にしました:</source>
        <translation>Characters Shift-JIS cannot hold were written as &quot;?&quot;:</translation>
    </message>
    <message>
        <source>書き出せない形式です: </source>
        <translation>Cannot write this format: </translation>
    </message>
    <message>
        <source>メモリが足りないため中止しました
</source>
        <translation>Stopped: not enough memory
</translation>
    </message>
    <message>
        <source>デバッグ表示</source>
        <translation>Debug view</translation>
    </message>
    <message>
        <source>スラー編集</source>
        <translation>Edit slur</translation>
    </message>
    <message>
        <source>開始位置</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終了位置</source>
        <translation>End</translation>
    </message>
    <message>
        <source>中央位置</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>曲線を変えるタイ・スラーがありません。音符を選ぶか、タイかスラーを設定して下さい。</source>
        <translation>No tie or slur to shape. Pick a note, or set a tie or slur first.</translation>
    </message>
    <message>
        <source>旧ファイル読込</source>
        <translation>Open old file</translation>
    </message>
    <message>
        <source>Ver1,Ver2五線譜面Files|*.gd2|Any Files|*.*|</source>
        <translation>Version 1 and 2 scores|*.gd2|Any Files|*.*|</translation>
    </message>
    <message>
        <source>演奏データ付五線譜面読込</source>
        <translation>Open score with performance data</translation>
    </message>
    <message>
        <source>演奏データ五線譜面|*.gd3|五線譜面Files|*.gd2|Any Files|*.*|</source>
        <translation>Scores with performance data|*.gd3|Scores|*.gd2|Any Files|*.*|</translation>
    </message>
    <message>
        <source>ファイル読込</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Ver3五線譜面Files|*.gd4|Any Files|*.*|</source>
        <translation>Version 3 scores|*.gd4|Any Files|*.*|</translation>
    </message>
    <message>
        <source>次の文字は Shift-JIS で書けないため「?」として保存しました：</source>
        <translation>These characters cannot be written in Shift-JIS and were saved as &quot;?&quot;: </translation>
    </message>
    <message>
        <source>過剰音符小節があります</source>
        <translation>Some measures are overfull</translation>
    </message>
    <message>
        <source>譜面データ保存</source>
        <translation>Save score</translation>
    </message>
    <message>
        <source>演奏データ五線譜面|*.gd3|五線譜面|*.gd2|Any Files|*.*|</source>
        <translation>Scores with performance data|*.gd3|Scores|*.gd2|Any Files|*.*|</translation>
    </message>
    <message>
        <source>五線譜面|*.gd4|Any Files|*.*|</source>
        <translation>Scores|*.gd4|Any Files|*.*|</translation>
    </message>
    <message>
        <source>数字符データ保存</source>
        <translation>Save fingering data (.dt)...</translation>
    </message>
    <message>
        <source>数字符データ|*.dt|Any Files|*.*|</source>
        <translation>Fingering data|*.dt|Any Files|*.*|</translation>
    </message>
    <message>
        <source>  篠笛譜面作成ソフト Ver1.0 (Shinofu 2026)</source>
        <translation>  Shinobue score editor Ver1.0 (Shinofu 2026)</translation>
    </message>
    <message>
        <source>音符入力</source>
        <translation>Note entry</translation>
    </message>
    <message>
        <source>五線をクリックして音符を入力。下段：パレットを左に／連結解除／ト音・ヘ音記号／パレットを右に</source>
        <translation>Click the staff to enter a note. Bottom row: palette left / unlink / treble or bass clef / palette right</translation>
    </message>
    <message>
        <source>歌詞</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>Tab・スペース：次の音符へ&#x3000;Enter：一文字ずつ割り振り&#x3000;Insert：後ろへずらす&#x3000;Delete：前へ詰める&#x3000;Esc：終了</source>
        <translation>Tab, Space: next note   Enter: one character per note   Insert: shift right   Delete: shift left   Esc: done</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>曲データの処理中</source>
        <translation>Working on the score</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>&lt;小節編集&gt;</source>
        <translation>&lt;Measures&gt;</translation>
    </message>
    <message>
        <source>Len=99 音高=rest Pos=9999</source>
        <translation>Len=99 Pitch=rest Pos=9999</translation>
    </message>
    <message>
        <source>ファイル保存は？</source>
        <translation>Save the file?</translation>
    </message>
    <message>
        <source>&#x3000;パート%1 第%2小節</source>
        <translation>  part %1 measure %2</translation>
    </message>
    <message>
        <source>過剰音符小節があります：</source>
        <translation>Overfull measures:</translation>
    </message>
    <message>
        <source>このページは記号の置き場が足りず、%1個が重なっています（行間隔を広げるか行数を減らすと空きます）</source>
        <translation>This page has too little room for its signs: %1 overlap (wider line spacing or fewer lines make room)</translation>
    </message>
    <message>
        <source>元に戻す操作はありません</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>やり直す操作はありません</source>
        <translation>Nothing to redo</translation>
    </message>
    <message>
        <source>元に戻しました：</source>
        <translation>Undone: </translation>
    </message>
    <message>
        <source>やり直しました：</source>
        <translation>Redone: </translation>
    </message>
    <message>
        <source>録音から採譜</source>
        <translation>Transcribe a recording...</translation>
    </message>
    <message>
        <source>音声ファイル|*.wav;*.flac;*.ogg;*.mp3|Any Files|*.*|</source>
        <translation>Sound files|*.wav;*.flac;*.ogg;*.mp3|Any Files|*.*|</translation>
    </message>
    <message>
        <source>データメモ</source>
        <translation>Data memo</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>MIDIファイル作成</source>
        <translation>Export MIDI file</translation>
    </message>
    <message>
        <source>MIDIファイル|*.MID|</source>
        <translation>MIDI files|*.MID|</translation>
    </message>
    <message>
        <source>MIDIファイル読み込み</source>
        <translation>Import MIDI file...</translation>
    </message>
    <message>
        <source>MusicXMLファイルが大きすぎます：</source>
        <translation>The MusicXML file is too large: </translation>
    </message>
    <message>
        <source>MusicXML読み込み</source>
        <translation>Import MusicXML...</translation>
    </message>
    <message>
        <source>MusicXML保存</source>
        <translation>Export MusicXML...</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>過剰な音符がある小節発見!</source>
        <translation>Found measures with too many notes!</translation>
    </message>
    <message>
        <source>Len=%1 音高=%2 Pos=%3</source>
        <translation>Len=%1 Pitch=%2 Pos=%3</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>暗青緑</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>紫</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>茶</source>
        <translation>Brown</translation>
    </message>
    <message>
        <source>赤紫</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>数字譜設定</source>
        <translation>Numeric notation settings</translation>
    </message>
    <message>
        <source>フォント名</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>やや大</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>やや小</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>フォント色</source>
        <translation>Font colour</translation>
    </message>
    <message>
        <source>罫線色</source>
        <translation>Rule colour</translation>
    </message>
    <message>
        <source>段数</source>
        <translation>Tiers</translation>
    </message>
    <message>
        <source>行数</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>列数</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>印刷プレビュー</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>行間隔：</source>
        <translation>Line spacing: </translation>
    </message>
    <message>
        <source>行数：</source>
        <translation>Lines: </translation>
    </message>
    <message>
        <source>音符の相対サイズ：</source>
        <translation>Relative note size: </translation>
    </message>
    <message>
        <source>追</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>挿</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Ovr</translation>
    </message>
    <message>
        <source>音符/記号の選択,編集</source>
        <translation>Notes and signs</translation>
    </message>
    <message>
        <source>８分音符</source>
        <translation>Eighth note</translation>
    </message>
    <message>
        <source>１６分音符</source>
        <translation>Sixteenth note</translation>
    </message>
    <message>
        <source>全休符</source>
        <translation>Whole rest</translation>
    </message>
    <message>
        <source>２分休符</source>
        <translation>Half rest</translation>
    </message>
    <message>
        <source>４分休符</source>
        <translation>Quarter rest</translation>
    </message>
    <message>
        <source>８分休符</source>
        <translation>Eighth rest</translation>
    </message>
    <message>
        <source>１６分休符</source>
        <translation>Sixteenth rest</translation>
    </message>
    <message>
        <source>３連４分音符</source>
        <translation>Quarter-note triplet</translation>
    </message>
    <message>
        <source>３連８分音符</source>
        <translation>Eighth-note triplet</translation>
    </message>
    <message>
        <source>３連１６分音符</source>
        <translation>Sixteenth-note triplet</translation>
    </message>
    <message>
        <source>ダブルフラット</source>
        <translation>Double flat</translation>
    </message>
    <message>
        <source>タイ（右クリックで解除）</source>
        <translation>Tie (right click removes)</translation>
    </message>
    <message>
        <source>スラー（右クリックで解除）</source>
        <translation>Slur (right click removes)</translation>
    </message>
    <message>
        <source>棒の上下変更</source>
        <translation>Flip stem</translation>
    </message>
    <message>
        <source>演奏</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>表示開始位置を１小節前に</source>
        <translation>Start the view a measure earlier</translation>
    </message>
    <message>
        <source>連桁設定（右クリックで選択音符の連桁）</source>
        <translation>Set beams (right click: beam the selected notes)</translation>
    </message>
    <message>
        <source>１小節連桁解除</source>
        <translation>Remove the measure&apos;s beams</translation>
    </message>
    <message>
        <source>記号編集</source>
        <translation>Edit signs</translation>
    </message>
    <message>
        <source>編集モードに</source>
        <translation>Back to editing</translation>
    </message>
    <message>
        <source>記号とレイアウトの選択に</source>
        <translation>To signs and layout</translation>
    </message>
    <message>
        <source>クレッシェンド開始</source>
        <translation>Crescendo start</translation>
    </message>
    <message>
        <source>クレッシェンド終了</source>
        <translation>Crescendo end</translation>
    </message>
    <message>
        <source>デクレッシェンド開始</source>
        <translation>Decrescendo start</translation>
    </message>
    <message>
        <source>デクレッシェンド終了</source>
        <translation>Decrescendo end</translation>
    </message>
    <message>
        <source>セーニョ</source>
        <translation>Segno</translation>
    </message>
    <message>
        <source>終止線</source>
        <translation>Final bar line</translation>
    </message>
    <message>
        <source>フェルマータ</source>
        <translation>Fermata</translation>
    </message>
    <message>
        <source>ブレス</source>
        <translation>Breath</translation>
    </message>
    <message>
        <source>括弧1</source>
        <translation>Bracket 1</translation>
    </message>
    <message>
        <source>リピート( ||: )</source>
        <translation>Repeat ( ||: )</translation>
    </message>
    <message>
        <source>括弧2</source>
        <translation>Bracket 2</translation>
    </message>
    <message>
        <source>リピート( :|| )</source>
        <translation>Repeat ( :|| )</translation>
    </message>
    <message>
        <source>表示開始位置を１小節後ろに（右クリックで先頭に）</source>
        <translation>Start the view a measure later (right click: the beginning)</translation>
    </message>
    <message>
        <source>表示開始位置を１小節前に（右クリックで先頭に）</source>
        <translation>Start the view a measure earlier (right click: the beginning)</translation>
    </message>
    <message>
        <source>音符等を大きく</source>
        <translation>Larger notes</translation>
    </message>
    <message>
        <source>行数を増やす</source>
        <translation>More lines</translation>
    </message>
    <message>
        <source>行間隔を広く</source>
        <translation>Wider line spacing</translation>
    </message>
    <message>
        <source>小節数を増やす</source>
        <translation>More measures per line</translation>
    </message>
    <message>
        <source>音符の選択に戻る</source>
        <translation>Back to the notes</translation>
    </message>
    <message>
        <source>音符編集モード：追→追加、挿→挿入、上→上書、右クリックで解除。</source>
        <translation>Note entry mode: Add appends, Ins inserts, Ovr overwrites; right click leaves it.</translation>
    </message>
    <message>
        <source>譜面画像の保存</source>
        <translation>Save score picture</translation>
    </message>
    <message>
        <source>譜面の画像を作れませんでした</source>
        <translation>Could not make the picture of the score</translation>
    </message>
    <message>
        <source>早</source>
        <translation>early</translation>
    </message>
    <message>
        <source>遅</source>
        <translation>late</translation>
    </message>
    <message>
        <source>抜</source>
        <translation>miss</translation>
    </message>
    <message>
        <source>よい</source>
        <translation>good</translation>
    </message>
    <message>
        <source>音程（セント）</source>
        <translation>pitch (cents)</translation>
    </message>
    <message>
        <source>早い</source>
        <translation>early</translation>
    </message>
    <message>
        <source>遅い</source>
        <translation>late</translation>
    </message>
    <message>
        <source>抜け</source>
        <translation>missed</translation>
    </message>
    <message>
        <source>ここから後に吹く音符がありません</source>
        <translation>No notes to play from here on</translation>
    </message>
    <message>
        <source>演奏／一時停止／停止／先頭へ（Shift: ページ送り）</source>
        <translation>Play / pause / stop / to the start (Shift: turn pages)</translation>
    </message>
    <message>
        <source>テンポ</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>強さ</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>楽器</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>開始点値</source>
        <translation>Start value</translation>
    </message>
    <message>
        <source>終了点値</source>
        <translation>End value</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>全削</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>継続</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>始preset</source>
        <translation>Start preset</translation>
    </message>
    <message>
        <source>終preset</source>
        <translation>End preset</translation>
    </message>
    <message>
        <source>編集開始</source>
        <translation>Start editing</translation>
    </message>
    <message>
        <source>編集の設定保存</source>
        <translation>Save the edit</translation>
    </message>
    <message>
        <source>編集破棄</source>
        <translation>Discard the edit</translation>
    </message>
    <message>
        <source>値を複写</source>
        <translation>Copy values</translation>
    </message>
    <message>
        <source>値を貼付</source>
        <translation>Paste values</translation>
    </message>
    <message>
        <source>名前順に</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>追加分を作成順に</source>
        <translation>Added ones by creation</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>表示戻す</source>
        <translation>Reset view</translation>
    </message>
    <message>
        <source>楽器モード: パート番号（p または p:V強さ）を入れてダブルクリック</source>
        <translation>Instrument mode: type the part number (p or p:Vvelocity) and double-click</translation>
    </message>
    <message>
        <source>（入力装置なし）</source>
        <translation>(no input device)</translation>
    </message>
    <message>
        <source>既定の入力装置</source>
        <translation>Default input device</translation>
    </message>
    <message>
        <source>音声入力</source>
        <translation>Sound input</translation>
    </message>
    <message>
        <source>クリック音量</source>
        <translation>Click volume</translation>
    </message>
    <message>
        <source>演奏設定 </source>
        <translation>Play settings </translation>
    </message>
    <message>
        <source>データが存在しません</source>
        <translation>There is no data</translation>
    </message>
    <message>
        <source>演奏設定ファイル|*.pst|Any Files|*.*|</source>
        <translation>Play settings|*.pst|Any Files|*.*|</translation>
    </message>
    <message>
        <source>演奏設定保存</source>
        <translation>Save play settings...</translation>
    </message>
    <message>
        <source>演奏設定読み込み</source>
        <translation>Open play settings...</translation>
    </message>
    <message>
        <source>演奏設定ファイルではありません</source>
        <translation>Not a play settings file</translation>
    </message>
    <message>
        <source>演奏の速さ（1分間の四分音符の数）</source>
        <translation>Playing speed (quarter notes per minute)</translation>
    </message>
    <message>
        <source>ループ：選んだ小節（小節編集では Shift で範囲）を止めるまで繰り返す</source>
        <translation>Loop: repeat the picked measures (Shift picks a range in measure editing) until stopped</translation>
    </message>
    <message>
        <source>予</source>
        <translation>C</translation>
    </message>
    <message>
        <source>カウントイン：演奏の前に1小節、拍を鳴らす</source>
        <translation>Count-in: one measure of beats before playing</translation>
    </message>
    <message>
        <source>拍</source>
        <translation>♩</translation>
    </message>
    <message>
        <source>メトロノーム：演奏中に拍を鳴らす</source>
        <translation>Metronome: sound the beats while playing</translation>
    </message>
    <message>
        <source>言語の設定を保存できません</source>
        <translation>Cannot save the language setting</translation>
    </message>
    <message>
        <source>言語は次に起動したときから変わります（Restart Shinofu to change the language）</source>
        <translation>The language changes the next time Shinofu starts (次の起動から変わります)</translation>
    </message>
    <message>
        <source>歌詞を入れる音符を選んで下さい</source>
        <translation>Pick the note to put lyrics on</translation>
    </message>
    <message>
        <source>音声入力の装置がありません</source>
        <translation>No sound input device</translation>
    </message>
    <message>
        <source>音声入力の装置を開けません: </source>
        <translation>Cannot open the sound input device: </translation>
    </message>
    <message>
        <source>設定ファイルを用意できません：</source>
        <translation>Cannot prepare the settings file: </translation>
    </message>
    <message>
        <source> ディレクトリが作れません</source>
        <translation> folder cannot be made</translation>
    </message>
    <message>
        <source> ディレクトリを作成しました</source>
        <translation> folder made</translation>
    </message>
    <message>
        <source>作業フォルダに移れません：</source>
        <translation>Cannot change to the working folder: </translation>
    </message>
    <message>
        <source>記号などの変更</source>
        <translation>Change signs</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>上下</source>
        <translation>Up/down</translation>
    </message>
    <message>
        <source>左右</source>
        <translation>Left/right</translation>
    </message>
    <message>
        <source>フォント名選択</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>書体</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>太字斜体</source>
        <translation>Bold italic</translation>
    </message>
    <message>
        <source>追加開始</source>
        <translation>Start adding</translation>
    </message>
    <message>
        <source>位置表示</source>
        <translation>Show position</translation>
    </message>
    <message>
        <source>位置変更</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>位置表示：ドラッグして記号の位置を指定</source>
        <translation>Show position: drag to place the sign</translation>
    </message>
    <message>
        <source>採譜の設定</source>
        <translation>Transcription</translation>
    </message>
    <message>
        <source>演奏から推定</source>
        <translation>From the playing</translation>
    </message>
    <message>
        <source>テンポ（♩＝）</source>
        <translation>Tempo (♩ =)</translation>
    </message>
    <message>
        <source>拍子</source>
        <translation>Time signature</translation>
    </message>
    <message>
        <source>なし（最初の音から小節）</source>
        <translation>None (the first note starts a measure)</translation>
    </message>
    <message>
        <source> 拍</source>
        <translation> beats</translation>
    </message>
    <message>
        <source>弱起</source>
        <translation>Pickup</translation>
    </message>
    <message>
        <source>調から選ぶ</source>
        <translation>From the key</translation>
    </message>
    <message>
        <source>笛</source>
        <translation>Flute</translation>
    </message>
    <message>
        <source>基準ピッチ（A）</source>
        <translation>Reference pitch (A)</translation>
    </message>
    <message>
        <source>採譜</source>
        <translation>Transcribe</translation>
    </message>
    <message>
        <source>%1%2 セント</source>
        <translation>%1%2 cents</translation>
    </message>
    <message>
        <source>音を待っています</source>
        <translation>Waiting for a note</translation>
    </message>
    <message>
        <source>チューナー</source>
        <translation>Tuner</translation>
    </message>
    <message>
        <source>基準ピッチ A =</source>
        <translation>Reference A =</translation>
    </message>
    <message>
        <source>入力なし</source>
        <translation>No input</translation>
    </message>
    <message>
        <source>入力: </source>
        <translation>Input: </translation>
    </message>
    <message>
        <source>WAVファイル作成</source>
        <translation>Export WAV file...</translation>
    </message>
    <message>
        <source>WAVファイル|*.wav|</source>
        <translation>WAV files|*.wav|</translation>
    </message>
    <message>
        <source>音声を解析する部品を読み込めません：</source>
        <translation>Cannot load the sound analysis module: </translation>
    </message>
    <message>
        <source>音声を解析する部品が、このプログラムと版が合わないか、この音声を扱えません（%1 Hz）</source>
        <translation>The sound analysis module does not match this program or cannot handle this sound (%1 Hz)</translation>
    </message>
    <message>
        <source>演奏が聞こえませんでした</source>
        <translation>No playing was heard</translation>
    </message>
    <message>
        <source>%1 % の音が正しい高さ、平均 %2 セント（音程 %3・早い %4・遅い %5・抜け %6・余分 %7）</source>
        <translation>%1 % of notes in tune, on average %2 cents (pitch %3, early %4, late %5, missed %6, extra %7)</translation>
    </message>
    <message>
        <source>音声ファイルを読めません：</source>
        <translation>Cannot read the sound file: </translation>
    </message>
    <message>
        <source>音声ファイルの形式が扱えません：</source>
        <translation>Cannot handle this sound file format: </translation>
    </message>
    <message>
        <source>音声ファイルが長すぎます（%1分まで）：</source>
        <translation>The sound file is too long (up to %1 minutes): </translation>
    </message>
    <message>
        <source>音声の変換を始められません：</source>
        <translation>Cannot start converting the sound: </translation>
    </message>
    <message>
        <source>音声の変換に失敗しました：</source>
        <translation>Converting the sound failed: </translation>
    </message>
    <message>
        <source>音が聞き取れませんでした</source>
        <translation>No notes could be heard</translation>
    </message>
    <message>
        <source>テンポは演奏から推定しました（%1）</source>
        <translation>Tempo taken from the playing (%1)</translation>
    </message>
    <message>
        <source>録音は A=%1 Hz に合わせて聞きました</source>
        <translation>The recording was heard tuned to A=%1 Hz</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>小節編集</source>
        <translation>Measures</translation>
    </message>
    <message>
        <source>音符編集</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>挿入2</source>
        <translation>Insert 2</translation>
    </message>
    <message>
        <source>複写</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼付</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>小節Undo</source>
        <translation>Measure undo</translation>
    </message>
    <message>
        <source>小節挿入</source>
        <translation>Insert measure</translation>
    </message>
    <message>
        <source>小節切取</source>
        <translation>Cut measure</translation>
    </message>
    <message>
        <source>小節削除</source>
        <translation>Delete measure</translation>
    </message>
    <message>
        <source>小節複写</source>
        <translation>Copy measure</translation>
    </message>
    <message>
        <source>小節貼付</source>
        <translation>Paste measure</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>曲データ</source>
        <translation>Song data</translation>
    </message>
    <message>
        <source>演奏設定</source>
        <translation>Play settings</translation>
    </message>
    <message>
        <source>歌詞入力</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>数字符設定</source>
        <translation>Numerals</translation>
    </message>
    <message>
        <source>印刷表示</source>
        <translation>Print view</translation>
    </message>
    <message>
        <source>小節編集モードで使えます（音符/小節ボタン）</source>
        <translation>Works in measure editing mode (the Note/Meas button)</translation>
    </message>
    <message>
        <source>小節をクリックして選んでから使えます</source>
        <translation>Click a measure to pick it first</translation>
    </message>
    <message>
        <source>貼り付ける小節がありません（先にコピーか切り取り）</source>
        <translation>No measures to paste (copy or cut first)</translation>
    </message>
    <message>
        <source>音符をクリックして選んでから使えます</source>
        <translation>Click a note to pick it first</translation>
    </message>
    <message>
        <source>高さの違う音はタイでつなげません（スラーを使ってください）</source>
        <translation>Notes of different pitch cannot be tied (use a slur)</translation>
    </message>
    <message>
        <source>元に戻せません：</source>
        <translation>Cannot undo: </translation>
    </message>
    <message>
        <source>元に戻すための保存ができません：</source>
        <translation>Cannot save for undo: </translation>
    </message>
    <message>
        <source>やり直しのための保存ができません：</source>
        <translation>Cannot save for redo: </translation>
    </message>
    <message>
        <source>五線に書けない高さの音をオクターブ移しました</source>
        <translation>Notes too high or low for the staff were moved by an octave</translation>
    </message>
    <message>
        <source>音符のないファイルです（空の楽譜として読み込みました）</source>
        <translation>The file has no notes (opened as an empty score)</translation>
    </message>
    <message>
        <source>×シーケンス</source>
        <translation>× sequence</translation>
    </message>
    <message>
        <source>拍子が対応していません</source>
        <translation>Unsupported time signature</translation>
    </message>
    <message>
        <source>MIDIファイルではありません</source>
        <translation>Not a MIDI file</translation>
    </message>
    <message>
        <source>このファイルはサポートしていません（フォーマット2：独立した複数の曲）</source>
        <translation>This file is not supported (format 2: several independent songs)</translation>
    </message>
    <message>
        <source>このファイルはサポートしていません（SMPTEタイムコードの時間単位）</source>
        <translation>This file is not supported (SMPTE time code units)</translation>
    </message>
    <message>
        <source>このファイルはサポートしていません（トラックがありません）</source>
        <translation>This file is not supported (it has no tracks)</translation>
    </message>
    <message>
        <source>MIDIファイルが途中で切れています</source>
        <translation>The MIDI file is cut short</translation>
    </message>
    <message>
        <source>MIDIファイルが壊れています</source>
        <translation>The MIDI file is broken</translation>
    </message>
    <message>
        <source>MIDIファイルの分解能が０です</source>
        <translation>The MIDI file&apos;s resolution is 0</translation>
    </message>
    <message>
        <source>同じ時刻のイベントが多すぎるMIDIファイルです</source>
        <translation>The MIDI file has too many events at one time</translation>
    </message>
    <message>
        <source>大きすぎる楽譜です（%1小節まで）</source>
        <translation>The score is too large (up to %1 measures)</translation>
    </message>
    <message>
        <source>大きすぎる楽譜です（1パート%1音符まで）</source>
        <translation>The score is too large (up to %1 notes per part)</translation>
    </message>
    <message>
        <source>譜面ファイルではありません：</source>
        <translation>Not a score file: </translation>
    </message>
    <message>
        <source>時間順（timewise）のMusicXMLには対応していません</source>
        <translation>Timewise MusicXML is not supported</translation>
    </message>
    <message>
        <source>MusicXMLではありません</source>
        <translation>Not MusicXML</translation>
    </message>
    <message>
        <source>MusicXMLにパートの一覧（part-list）がありません</source>
        <translation>The MusicXML has no part list (part-list)</translation>
    </message>
    <message>
        <source>パート一覧にないパートを読み飛ばしました</source>
        <translation>Skipped parts missing from the part list</translation>
    </message>
    <message>
        <source>拍子より長い小節がありました</source>
        <translation>Some measures were longer than the time signature</translation>
    </message>
    <message>
        <source>弱起の小節の前を休符で埋めました</source>
        <translation>Filled the pickup measure with rests before its notes</translation>
    </message>
    <message>
        <source>調号の変更は最初の調号だけを読みました</source>
        <translation>Key changes: only the first key was read</translation>
    </message>
    <message>
        <source>拍子の変更は最初の拍子だけを読みました</source>
        <translation>Time signature changes: only the first was read</translation>
    </message>
    <message>
        <source>複数の譜表があるパートは最初の声部だけを読みました</source>
        <translation>Parts on several staves: only the first voice was read</translation>
    </message>
    <message>
        <source>装飾音と小さな音符（cue）は表示できないので読み飛ばしました</source>
        <translation>Grace and cue notes cannot be shown and were skipped</translation>
    </message>
    <message>
        <source>MusicXMLの音名が読めません</source>
        <translation>A MusicXML pitch cannot be read</translation>
    </message>
    <message>
        <source>和音は一番上の音だけを読みました</source>
        <translation>Chords: only the top note was read</translation>
    </message>
    <message>
        <source>３連符のほかの連符は近い長さにしました</source>
        <translation>Tuplets other than triplets were given the nearest lengths</translation>
    </message>
    <message>
        <source>複数の声部があるパートは最初の声部だけを読みました</source>
        <translation>Parts with several voices: only the first voice was read</translation>
    </message>
    <message>
        <source>MusicXMLの中で実体（ENTITY）が宣言されているので読みません</source>
        <translation>The MusicXML declares entities (ENTITY) and is not read</translation>
    </message>
    <message>
        <source>MXLファイルが壊れています</source>
        <translation>The MXL file is broken</translation>
    </message>
    <message>
        <source>MXLファイルに楽譜がありません</source>
        <translation>The MXL file holds no score</translation>
    </message>
    <message>
        <source>MXLファイルの中の楽譜が大きすぎます</source>
        <translation>The score inside the MXL file is too large</translation>
    </message>
    <message>
        <source>７番目からのパートは読み飛ばしました</source>
        <translation>Parts from the 7th on were skipped</translation>
    </message>
    <message>
        <source>呂</source>
        <translation>ro</translation>
    </message>
    <message>
        <source>甲</source>
        <translation>kan</translation>
    </message>
    <message>
        <source>大甲</source>
        <translation>daikan</translation>
    </message>
    <message>
        <source>画像を JPEG にできません：</source>
        <translation>Cannot make the JPEG picture: </translation>
    </message>
    <message>
        <source>画像を PNG にできません：</source>
        <translation>Cannot make the PNG picture: </translation>
    </message>
    <message>
        <source>PDF を作れません：</source>
        <translation>Cannot make the PDF: </translation>
    </message>
    <message>
        <source>SVG を作れません：</source>
        <translation>Cannot make the SVG: </translation>
    </message>
    <message>
        <source>演奏データを作れません</source>
        <translation>Cannot make the performance data</translation>
    </message>
    <message>
        <source>WAVファイルは4GiBまでです（この演奏は約%1GiB）：</source>
        <translation>WAV files hold up to 4 GiB (this performance is about %1 GiB): </translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません</source>
        <translation>Not enough disk space</translation>
    </message>
    <message>
        <source>アクセスの許可がありません</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>Read-only location</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>It is a folder</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1MiBまで）：</source>
        <translation>The file is too large (up to %1 MiB): </translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>ファイルを書き込めません</source>
        <translation>Cannot write the file</translation>
    </message>
    <message>
        <source>内蔵シンセサイザー（FluidSynth）</source>
        <translation>Built-in synthesizer (FluidSynth)</translation>
    </message>
    <message>
        <source>サウンドフォントがありません（音は鳴りません）: timgm6mb-soundfont を入れてください</source>
        <translation>No SoundFont (no sound): install timgm6mb-soundfont</translation>
    </message>
    <message>
        <source>シンセサイザーを開けません（音は鳴りません）</source>
        <translation>Cannot open the synthesizer (no sound)</translation>
    </message>
    <message>
        <source>音声出力を開けません（音は鳴りません）</source>
        <translation>Cannot open the audio output (no sound)</translation>
    </message>
    <message>
        <source>MIDI出力を開けません（音は鳴りません）</source>
        <translation>Cannot open the MIDI output (no sound)</translation>
    </message>
    <message>
        <source>サウンドフォントがありません: timgm6mb-soundfont を入れてください</source>
        <translation>No SoundFont: install timgm6mb-soundfont</translation>
    </message>
    <message>
        <source>シンセサイザーを開けません</source>
        <translation>Cannot open the synthesizer</translation>
    </message>
    <message>
        <source>シンセサイザーを準備中…</source>
        <translation>Getting the synthesizer ready…</translation>
    </message>
    <message>
        <source>FreeType を初期化できません</source>
        <translation>Cannot start FreeType</translation>
    </message>
    <message>
        <source>楽譜フォント（lilypond-fonts の Emmentaler）が見つかりません</source>
        <translation>Music font not found (Emmentaler from lilypond-fonts)</translation>
    </message>
    <message>
        <source>ト/へ</source>
        <translation>G/F</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>暗灰色</source>
        <translation>Dark grey</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>明灰色</source>
        <translation>Light grey</translation>
    </message>
    <message>
        <source>紺</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>水色</source>
        <translation>Light blue</translation>
    </message>
    <message>
        <source>黄緑</source>
        <translation>Yellow-green</translation>
    </message>
    <message>
        <source>長</source>
        <translation>L+</translation>
    </message>
    <message>
        <source>短</source>
        <translation>L−</translation>
    </message>
    <message>
        <source>連</source>
        <translation>Bm</translation>
    </message>
    <message>
        <source>解</source>
        <translation>Bm×</translation>
    </message>
    <message>
        <source>記</source>
        <translation>Sgn</translation>
    </message>
    <message>
        <source>編</source>
        <translation>Ed</translation>
    </message>
    <message>
        <source>記号</source>
        <translation>Sig</translation>
    </message>
    <message>
        <source>小-</source>
        <translation>M−</translation>
    </message>
    <message>
        <source>間-</source>
        <translation>Sp−</translation>
    </message>
    <message>
        <source>行-</source>
        <translation>Ln−</translation>
    </message>
    <message>
        <source>音-</source>
        <translation>N−</translation>
    </message>
    <message>
        <source>音+</source>
        <translation>N+</translation>
    </message>
    <message>
        <source>行+</source>
        <translation>Ln+</translation>
    </message>
    <message>
        <source>間+</source>
        <translation>Sp+</translation>
    </message>
    <message>
        <source>小+</source>
        <translation>M+</translation>
    </message>
    <message>
        <source>戻</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>全音符</source>
        <translation>Whole note</translation>
    </message>
    <message>
        <source>付点２分音符</source>
        <translation>Dotted half note</translation>
    </message>
    <message>
        <source>２分音符</source>
        <translation>Half note</translation>
    </message>
    <message>
        <source>付点４分音符</source>
        <translation>Dotted quarter note</translation>
    </message>
    <message>
        <source>４分音符</source>
        <translation>Quarter note</translation>
    </message>
    <message>
        <source>付点８分音符</source>
        <translation>Dotted eighth note</translation>
    </message>
    <message>
        <source>シャープ（右クリックで臨時記号削除）</source>
        <translation>Sharp (right click removes the accidental)</translation>
    </message>
    <message>
        <source>フラット</source>
        <translation>Flat</translation>
    </message>
    <message>
        <source>ナチュラル</source>
        <translation>Natural</translation>
    </message>
    <message>
        <source>ダブルシャープ</source>
        <translation>Double sharp</translation>
    </message>
    <message>
        <source>音長を長く</source>
        <translation>Longer note</translation>
    </message>
    <message>
        <source>音長を短く</source>
        <translation>Shorter note</translation>
    </message>
    <message>
        <source>音高を上に</source>
        <translation>Pitch up</translation>
    </message>
    <message>
        <source>音高を下に</source>
        <translation>Pitch down</translation>
    </message>
    <message>
        <source>表示開始位置を１小節後ろに</source>
        <translation>Start the view a measure later</translation>
    </message>
    <message>
        <source>ｐｐｐ</source>
        <translation>ppp</translation>
    </message>
    <message>
        <source>ｐｐ</source>
        <translation>pp</translation>
    </message>
    <message>
        <source>ｐ</source>
        <translation>p</translation>
    </message>
    <message>
        <source>ｍｐ</source>
        <translation>mp</translation>
    </message>
    <message>
        <source>ｍｆ</source>
        <translation>mf</translation>
    </message>
    <message>
        <source>ｆ</source>
        <translation>f</translation>
    </message>
    <message>
        <source>ｆｆ</source>
        <translation>ff</translation>
    </message>
    <message>
        <source>ｆｆｆ</source>
        <translation>fff</translation>
    </message>
    <message>
        <source>小節数を減らす</source>
        <translation>Fewer measures per line</translation>
    </message>
    <message>
        <source>行間隔を狭く</source>
        <translation>Narrower line spacing</translation>
    </message>
    <message>
        <source>行数を減らす</source>
        <translation>Fewer lines</translation>
    </message>
    <message>
        <source>音符等を小さく</source>
        <translation>Smaller notes</translation>
    </message>
    <message>
        <source>演奏設定 テンポはゼロにできません </source>
        <translation>Play settings: the tempo cannot be zero </translation>
    </message>
    <message>
        <source>次の現在の設定値を書き換えて左余白、右余白、上余白、下余白を</source>
        <translation>Change the values on the next line to set the left, right, top and bottom margins,</translation>
    </message>
    <message>
        <source>設定し、「保存」をクリックして下さい</source>
        <translation>then click &quot;Save&quot;.</translation>
    </message>
    <message>
        <source>入力する値は、全体に対する割合(%)を入れて下さい。</source>
        <translation>Each value is a share (%) of the whole page.</translation>
    </message>
    <message>
        <source>不要なデホルトのヘッダ、フッタを設定して下さい。</source>
        <translation>Set the margins so that the default header and footer are left out.</translation>
    </message>
    <message>
        <source>--pickup には弱起の拍数（0 から %1 まで）が要ります
</source>
        <translation>--pickup needs the beats before the first bar line (0 to %1)
</translation>
    </message>
    <message>
        <source>パート %1 はありません（%2 パートまで）
</source>
        <translation>Part %1 does not exist (the score has %2 parts)
</translation>
    </message>
    <message>
        <source>ページ %1 はありません（%2 ページまで）
</source>
        <translation>Page %1 does not exist (the score has %2 pages)
</translation>
    </message>
    <message>
        <source>Shinofu 篠笛譜面作成支援</source>
        <translation>Shinofu 篠譜 - shinobue score editor</translation>
    </message>
    <message>
        <source>演奏について行きます（%1）。終えるときはもう一度「練習（演奏について行く）」</source>
        <translation>Following your playing (%1). To end, choose &quot;Play along (follow my playing)&quot; again</translation>
    </message>
    <message>
        <source>MusicXMLが壊れています（%1行目）</source>
        <translation>The MusicXML is broken (line %1)</translation>
    </message>
    <message>
        <source>拍子 %1 は対応していないので4/4にしました</source>
        <translation>Time signature %1 is not supported: 4/4 was used</translation>
    </message>
    <message>
        <source>Acoustic Grand Piano:ピアノ</source>
        <translation>Acoustic Grand Piano</translation>
    </message>
    <message>
        <source>Accoustic Guitar(nylon):ギター</source>
        <translation>Accoustic Guitar(nylon)</translation>
    </message>
    <message>
        <source>Violin:ヴァイオリン</source>
        <translation>Violin</translation>
    </message>
    <message>
        <source>Flute:フルート</source>
        <translation>Flute</translation>
    </message>
    <message>
        <source>Recorder:リコーダー</source>
        <translation>Recorder</translation>
    </message>
    <message>
        <source>Shakuhachi:尺八</source>
        <translation>Shakuhachi</translation>
    </message>
    <message>
        <source>Ocarina:オカリナ</source>
        <translation>Ocarina</translation>
    </message>
    <message>
        <source>Shamisen:三味線</source>
        <translation>Shamisen</translation>
    </message>
    <message>
        <source>Koto:琴</source>
        <translation>Koto</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
</TS>
