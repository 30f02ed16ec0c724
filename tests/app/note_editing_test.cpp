// Note editing as a user does it: presses on the rendered page, keys, menu entries, save and reopen.
#include <gtest/gtest.h>

#include <fstream>

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "app/play_settings_window.h"
#include "app/playback_commands.h"
#include "edit/edit_mode.h"
#include "edit/mark_commands.h"
#include "main_window_fixture.h"
#include "numeric/flute_choice.h"
#include "midi/play_settings.h"
#include "model/score_writer.h"
#include "render/page_geometry.h"

using namespace shinofu;
using namespace shinofu::app;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

namespace {

class NoteEditing : public MainWindowTest {
protected:
    NoteEditing() : MainWindowTest("notes") {}

    // The pixel of a note head on the first system: its measure, its position and its step.
    QPoint headOf(int measure, int position, const char* pitch) {
        const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
        render::PageGeometry g(session_.score, session_.view, tables);
        g.selectLine(1);
        const int step = render::PageGeometry::stepIndex(*model::pitchFromName(pitch), false);
        const double u = session_.view.drawUnit();
        return QPoint(static_cast<int>(g.noteX(measure, position) + 2 * u),
                      static_cast<int>(g.staffBase(1) + (24 - 1.5 * step) * u));
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(window_->scoreView(), Qt::LeftButton, modifiers, at);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_->scoreView(), key, modifiers);
    }
    std::string firstItems(const model::Score& score, int count) {
        std::string joined;
        const model::TNote* note = score.part(1).partHead;
        for (int i = 0; i < count && !note->isEndMarker(); ++i, note = note->next) {
            joined += (i ? "," : "") + model::noteItem(*note, false);
        }
        return joined;
    }
};

}  // namespace

TEST_F(NoteEditing, ClickRaiseLengthenSharpenTieDeleteSaveAndReopen) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    ASSERT_EQ(firstItems(session_.score, 3), "d2 n n 96 d,d2 n n 96 d,e2 n n 192 d");
    click(headOf(1, 0, "d2"));
    EXPECT_EQ(session_.edit.curNote, nullptr);  // the first press picks the measure
    EXPECT_TRUE(session_.view.edit.shown);
    click(headOf(1, 0, "d2"));
    ASSERT_EQ(session_.edit.curNote, session_.score.part(1).partHead);
    EXPECT_EQ(window.statusText("mode"), "<音符編集>");
    EXPECT_EQ(window.statusText("note"), "Len=12 音高=d2 Pos=  12");

    key(Qt::Key_Up);     // raise by a staff step
    key(Qt::Key_Right);  // lengthen: a quarter becomes a half
    trigger({"pop-up", "臨時記号", "♯"});
    EXPECT_FALSE(session_.score.saved);
    EXPECT_EQ(firstItems(session_.score, 2), "e2 # n 192 d,d2 n n 96 d");

    // Ctrl+press adds the second note of the measure; a tie joins it to the first.
    trigger({"pop-up", "臨時記号", "記号削除"});
    key(Qt::Key_Down);
    click(headOf(1, 24, "d2"), Qt::ControlModifier);
    ASSERT_TRUE(session_.score.part(1).partHead->next->selected);
    trigger({"音符編集&N", "タイ、スラー", "タイ設定"});
    EXPECT_EQ(firstItems(session_.score, 2), "d2 n ts 192 d,d2 n tf 96 d");
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);

    // The lengthened note pushed the rest along: the note drawn at the middle of measure 2 is a d2.
    click(headOf(2, 24, "d2"));
    click(headOf(2, 24, "d2"));
    ASSERT_NE(session_.edit.curNote, nullptr);
    EXPECT_EQ(model::pitchName(session_.edit.curNote->pitch), "d2");
    EXPECT_EQ(session_.edit.curNote->startPos, 72);
    trigger({"音符編集&N", "削除 &D"});
    const auto edited = model::scoreFileLines(session_.score);

    dialogs_.answers.push_back(home_.root() / "edited");
    trigger({"ファイル&F", "譜面の保存&S"});
    EXPECT_TRUE(session_.score.saved);
    trigger({"ファイル&F", "新規作成&N"});
    dialogs_.answers.push_back(home_.root() / "edited.gd4");
    trigger({"ファイル&F", "ファイル読込&R"});
    EXPECT_EQ(model::scoreFileLines(session_.score), edited);
    EXPECT_EQ(firstItems(session_.score, 6), "d2 n ts 192 d,d2 n tf 96 d,e2 n n 192 d,d2 n n 96 d,e2 n n 192 d,d2 n n 96 d");
}

TEST_F(NoteEditing, AddModeEntersNotesFromTheKeys) {
    MainWindow& window = start();
    trigger({"ファイル&F", "新規作成&N"});
    trigger({"音符編集&N", "追加&A"});
    EXPECT_EQ(window.statusText("mode"), "<新規>");
    key(Qt::Key_8);
    for (Qt::Key letter : {Qt::Key_C, Qt::Key_D, Qt::Key_E}) key(letter);
    key(Qt::Key_G, Qt::ShiftModifier);
    key(Qt::Key_Escape);
    EXPECT_EQ(firstItems(session_.score, 5), "c1 n n 48 u,d1 n n 48 u,e1 n n 48 u,g2 n n 48 d");
    EXPECT_EQ(window.statusText("mode"), "<編集>");
}

TEST_F(NoteEditing, PopupCommandsReachTheirNotes) {
    start();
    window_->openAtStart(kDemo);
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    trigger({"pop-up", "音符分割"});
    EXPECT_EQ(firstItems(session_.score, 3), "d2 n n 48 d,d2 n n 48 d,d2 n n 96 d");
    click(headOf(1, 12, "d2"), Qt::ControlModifier);
    trigger({"pop-up", "音符／休符変更", "音符を休符に"});
    EXPECT_EQ(model::pitchName(session_.score.part(1).partHead->next->next->pitch), "rest");
    trigger({"pop-up", "音符（付点）", "設定"});
    EXPECT_EQ(session_.score.part(1).partHead->next->next->len, 18);
    trigger({"pop-up", "過剰音符チェック"});  // the first measure now holds 54 units
    EXPECT_TRUE(session_.view.edit.shown);
    EXPECT_EQ(session_.view.edit.measure, 1);
    window_->tool("モードを「編集」に。（「ESC」キーの機能）")->click();
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
    EXPECT_EQ(session_.edit.curNote, nullptr);
    trigger({"オプション(&O)", "棒固定"});
    EXPECT_FALSE(session_.edit.autoStem);
    EXPECT_EQ(window_->action(commandPath({"オプション(&O)", "棒固定"}))->text(), "棒自動");
}

TEST_F(NoteEditing, ANewScoreForgetsTheNotesOfTheOldOne) {
    start();
    window_->openAtStart(kDemo);
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    ASSERT_NE(session_.edit.curNote, nullptr);
    trigger({"ファイル&F", "新規作成&N"});
    EXPECT_EQ(session_.edit.curNote, nullptr);
    EXPECT_EQ(session_.edit.editMode, edit::kNewMode);  // ready for notes: the cursor on the first measure
    EXPECT_TRUE(session_.view.edit.shown);
    EXPECT_EQ(session_.view.edit.measure, 1);
    key(Qt::Key_Up);  // nothing left to act on
    EXPECT_TRUE(session_.score.part(1).partHead->isEndMarker());
}

TEST_F(NoteEditing, BeamsTripletsKeysAndTranspositionFromTheMenus) {
    start();
    window_->openAtStart(kDemo);
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    click(headOf(1, 12, "d2"), Qt::ControlModifier);
    trigger({"音符編集&N", "連桁", "３連符設定"});
    EXPECT_EQ(firstItems(session_.score, 3), "d2 n 3s 64 d,d2 n 3f 64 d,e2 n n 192 d");
    trigger({"pop-up", "連桁", "３連符解除"});
    EXPECT_EQ(firstItems(session_.score, 2), "d2 n n 96 d,d2 n n 96 d");
    trigger({"オプション(&O)", "連桁モード設定"});
    EXPECT_TRUE(session_.edit.beamPerBeat);
    EXPECT_EQ(window_->action(commandPath({"オプション(&O)", "連桁モード設定"}))->text(), "連桁１拍を解除");

    trigger({"オプション(&O)", "移調", "+&5(-#/+♭)"});
    EXPECT_EQ(session_.score.song.keySig, 9);  // F up a fourth: B♭ major
    EXPECT_FALSE(session_.score.saved);
    trigger({"五線譜設定&S", "調子（＃の数）", "2（ニ長調／ロ短調）"});
    EXPECT_EQ(session_.score.song.keySig, 2);
    const std::string before = firstItems(session_.score, 1);
    trigger({"五線譜設定&S", "オクターブ変更", "1オクターブ下へ"});
    EXPECT_NE(firstItems(session_.score, 1), before);
}

TEST_F(NoteEditing, PlayStartsAndStopsAPerformanceWithItsMarker) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"オプション(&O)", "演奏&P"});
    QFrame* marker = window.scoreView()->findChild<QFrame*>("LbPosPanel");
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(marker->isVisibleTo(window.scoreView()));
    // The first events reach the marker through the event loop, however busy the machine.
    EXPECT_TRUE(QTest::qWaitFor([marker] { return marker->x() > 0; }, 30000));
    trigger({"オプション(&O)", "演奏&P"});  // Play while playing stops
    EXPECT_FALSE(marker->isVisibleTo(window.scoreView()));
    // Whatever the status bar said since, a silent performance says why again.
    window.setStatusText("message", "something else");
    trigger({"オプション(&O)", "演奏&P"});
    EXPECT_EQ(window.statusText("message").toStdString(), "test");
    trigger({"オプション(&O)", "演奏&P"});
}

TEST_F(NoteEditing, ThePlayBarAndTheSpeedBox) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    QWidget* bar = window.findChild<QWidget*>("playbtnvd");
    auto* speed = window.findChild<QLineEdit*>("Edit2");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->text(), "72");
    auto cell = [&](int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(bar, Qt::LeftButton, modifiers, QPoint(index * 19 + 9, 9));
    };
    PlaybackController* engine = &window.playback();
    cell(0);
    EXPECT_TRUE(engine->engine().playing());
    cell(1);
    EXPECT_TRUE(engine->engine().paused());
    cell(0);
    EXPECT_FALSE(engine->engine().paused());
    cell(2);
    EXPECT_FALSE(engine->engine().playing());
    speed->setText("144");
    QMetaObject::invokeMethod(speed, "editingFinished");
    EXPECT_DOUBLE_EQ(engine->engine().speedFactor(), 0.5);
    cell(3, Qt::ShiftModifier);  // Shift: to the last page
    EXPECT_EQ(session_.view.curPage, 1);  // the demo has one
}

TEST_F(NoteEditing, PlaybackSettingsShapeTheTempoAndTravelThroughPstFiles) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"オプション(&O)", "演奏設定&I"});
    PlaySettingsWindow* settings = window.playSettings();
    ASSERT_TRUE(settings->isVisible());
    EXPECT_EQ(window.statusText("mode"), "<演奏設定>");
    EXPECT_EQ(settings->list()->count(), 128);  // instrument mode first
    settings->list()->setCurrentRow(77);
    EXPECT_TRUE(settings->applyInstrument("1:v90"));
    EXPECT_EQ(session_.score.part(1).instrument, 77);
    EXPECT_EQ(session_.score.part(1).partHead->velocity, 90);

    settings->setMode(PlaySettingsWindow::Tempo);
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    click(headOf(2, 0, "d2"));
    click(headOf(2, 0, "d2"));
    EXPECT_EQ(settings->startBox()->text(), "72.0");  // the note's present tempo
    settings->endBox()->setText("144");
    ASSERT_TRUE(settings->addSetting());
    const model::TNote* second = session_.score.part(1).partHead->next->next->next;  // measure 2's first note
    EXPECT_EQ(second->playTime, 417);  // 12 × 5000 / 144
    ASSERT_EQ(settings->settings().tempoSettings.size(), 1u);

    dialogs_.answers.push_back(home_.root() / "curve");
    trigger({"ファイル&F", "演奏データ付五線譜面", "演奏設定保存"});
    shinofu::platform::IoError error;
    auto bytes = shinofu::platform::readFileBytes(home_.root() / "curve.pst", error);
    ASSERT_TRUE(bytes) << error.message;
    EXPECT_EQ(*bytes, "$tempo\r\n.0:0:48,720:1440\r\n");
    trigger({"ファイル&F", "新規作成&N"});
    window.openAtStart(kDemo);
    dialogs_.answers.push_back(home_.root() / "curve.pst");
    trigger({"ファイル&F", "演奏データ付五線譜面", "演奏設定読み込み"});
    EXPECT_EQ(session_.score.part(1).partHead->next->next->next->playTime, 417);
    trigger({"オプション(&O)", "演奏設定&I"});
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
}

TEST_F(NoteEditing, PlaybackSettingsEditTheirList) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"オプション(&O)", "演奏設定&I"});
    PlaySettingsWindow* settings = window.playSettings();
    settings->loadSettings(*midi::parsePst({"$tempo", "B:0:48,720:1440", "A:48:96,1440:720"}));
    settings->setMode(PlaySettingsWindow::Tempo);
    ASSERT_EQ(settings->list()->count(), 2);
    settings->sortByName(true);
    EXPECT_EQ(settings->list()->item(0)->text().toStdString(), "A:48:96,1440:720");
    settings->list()->setCurrentRow(0);
    settings->insertCopy();  // the copy in front of A
    EXPECT_EQ(settings->settings().tempoSettings.size(), 3u);
    settings->sortByName(false);
    settings->list()->setCurrentRow(0);
    ASSERT_TRUE(settings->beginEdit());
    EXPECT_EQ(settings->startBox()->text(), "72.0");
    settings->endBox()->setText("72");
    ASSERT_TRUE(settings->saveEdit());
    EXPECT_EQ(settings->settings().tempoSettings[0].endValue, 720);
    settings->copyValues();
    settings->startBox()->clear();
    settings->pasteValues();
    EXPECT_EQ(settings->startBox()->text(), "72.0");
    const model::TNote* measureTwo = session_.score.part(1).partHead->next->next->next;
    const int before = measureTwo->playTime;
    settings->undoLast();  // the last setting goes and its notes take back their play times
    EXPECT_EQ(settings->settings().tempoSettings.size(), 2u);
    EXPECT_NE(measureTwo->playTime, before);
    settings->list()->clearSelection();
    settings->list()->setCurrentRow(-1);
    EXPECT_FALSE(settings->beginEdit());
    EXPECT_EQ(dialogs_.messages.back(), "データが存在しません");
    settings->deleteAll();
    EXPECT_TRUE(settings->settings().tempoSettings.empty());
}

TEST_F(NoteEditing, MidiImportReplacesTheScoreOnlyWhenTheFileReads) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const auto demo = model::scoreFileLines(session_.score);
    std::ofstream(home_.root() / "broken.mid", std::ios::binary) << "MThd broken";
    dialogs_.answers.push_back(home_.root() / "broken.mid");
    trigger({"ファイル&F", "MIDIファイル読み込み"});
    EXPECT_EQ(dialogs_.messages.back(), "MIDIファイルが途中で切れています：" + (home_.root() / "broken.mid").string());
    EXPECT_EQ(model::scoreFileLines(session_.score), demo);  // untouched
    dialogs_.answers.push_back(home_.root() / "demo");
    trigger({"ファイル&F", "MIDIファイル作成&M"});
    dialogs_.answers.push_back(home_.root() / "demo.MID");
    trigger({"ファイル&F", "MIDIファイル読み込み"});
    EXPECT_EQ(session_.score.title(), "demo");
    EXPECT_EQ(firstItems(session_.score, 3), "d2 n n 96 d,d2 n n 96 d,e2 n n 192 d");
    EXPECT_TRUE(window.windowTitle().startsWith("demo"));

    // A file in another key comes in on the flute for its key, whatever flute was chosen before.
    trigger({"オプション(&O)", "移調", "+2"});
    const int key = session_.score.song.keySig;
    const int handChosen = numeric::autoFluteFor(session_.flute.mode, key) % 12 + 1;
    dialogs_.answers.push_back(home_.root() / "moved");
    trigger({"ファイル&F", "MIDIファイル作成&M"});
    numeric::changeFlute(session_.score, session_.flute, handChosen);
    dialogs_.answers.push_back(home_.root() / "moved.MID");
    trigger({"ファイル&F", "MIDIファイル読み込み"});
    if (window.questionShown()) {  // the transposed score is not saved: its changes are let go
        window.answerQuestion();
        trigger({"ファイル&F", "MIDIファイル読み込み"});
    }
    ASSERT_EQ(session_.score.song.keySig, key);
    EXPECT_EQ(session_.score.song.fluteKey, numeric::autoFluteFor(session_.flute.mode, key));
    // A new score's title names no file.
    trigger({"ファイル&F", "新規作成&N"});
    if (window.questionShown()) window.answerQuestion();
    EXPECT_EQ(window.windowTitle(), "Shinofu 篠笛譜面作成支援");
}

TEST_F(NoteEditing, MusicXmlSentOutAndBroughtBackThroughTheMenus) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const auto demo = model::scoreFileLines(session_.score);
    std::ofstream(home_.root() / "broken.musicxml") << "<score-partwise><part-list>";
    dialogs_.answers.push_back(home_.root() / "broken.musicxml");
    trigger({"ファイル&F", "MusicXML読み込み"});
    EXPECT_TRUE(dialogs_.messages.back().starts_with("MusicXMLが壊れています")) << dialogs_.messages.back();
    EXPECT_TRUE(dialogs_.messages.back().ends_with("broken.musicxml")) << dialogs_.messages.back();
    EXPECT_EQ(model::scoreFileLines(session_.score), demo);  // untouched

    dialogs_.answers.push_back(home_.root() / "sakura");
    trigger({"ファイル&F", "MusicXML保存"});
    ASSERT_TRUE(std::filesystem::exists(home_.root() / "sakura.musicxml"));
    trigger({"ファイル&F", "新規作成&N"});
    dialogs_.answers.push_back(home_.root() / "sakura.musicxml");
    trigger({"ファイル&F", "MusicXML読み込み"});
    EXPECT_EQ(session_.score.title(), "さくらさくら");
    EXPECT_EQ(firstItems(session_.score, 3), "d2 n n 96 d,d2 n n 96 d,e2 n n 192 d");
    EXPECT_TRUE(window.windowTitle().startsWith("さくらさくら"));
    EXPECT_TRUE(session_.score.saved);  // nothing to save until it is edited
}

TEST_F(NoteEditing, MarksAndSignsFromTheMenusAreSaved) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const size_t signsBefore = session_.score.part(1).symbols.size();
    click(headOf(2, 0, "d2"));  // picks measure 2
    trigger({"五線譜設定&S", "終止線/反復記号&S", "D.C."});
    ASSERT_EQ(session_.score.part(1).symbols.size(), signsBefore + 1);
    EXPECT_EQ(session_.score.part(1).symbols.back().kind, model::kDaCapo);
    EXPECT_EQ(session_.score.part(1).symbols.back().anchorPos, 48);

    click(headOf(2, 0, "d2"));  // the second press picks the note
    ASSERT_NE(session_.edit.curNote, nullptr);
    trigger({"五線譜設定&S", "強弱記号", "ｆ", "ｍｆ"});
    ASSERT_EQ(session_.score.part(1).marks.size(), 1u);
    EXPECT_EQ(session_.score.part(1).marks[0].dynamics, 5);
    EXPECT_EQ(window.statusText("mode"), "<編集>");
    EXPECT_TRUE(window.action("五線譜設定&S › その他記号&E › ブレス&B")->isEnabled());
    EXPECT_TRUE(window.action("五線譜設定&S › cres/decres &C › クレッシェンド › 開始")->isEnabled());

    const std::filesystem::path saved = home_.root() / "marked.gd4";
    dialogs_.answers = {saved};
    trigger({"ファイル&F", "譜面の保存&S"});
    platform::IoError error;
    const std::string bytes = platform::readFileBytes(saved, error).value_or("");
    EXPECT_NE(bytes.find("$Sdacp"), std::string::npos);
    EXPECT_NE(bytes.find("$Rmf"), std::string::npos);
}

TEST_F(NoteEditing, PointerEntryInTheOverlayAddsOverwritesAndEndsOnARightClick) {
    MainWindow& window = start();
    trigger({"音符編集&N", "追加&A"});
    ASSERT_EQ(session_.edit.editMode, edit::kNewMode);
    EXPECT_TRUE(session_.view.edit.shown);
    EXPECT_EQ(session_.view.edit.measure, 1);
    // Four quarters into the cursor measure fill it; the cursor moves on.
    const char* const pitches[] = {"g1", "a1", "b1", "c2"};
    for (int i = 0; i < 4; ++i) click(headOf(1, 12 * i, pitches[i]));
    EXPECT_EQ(firstItems(session_.score, 4), "g1 n n 96 u,a1 n n 96 u,b1 n n 96 d,c2 n n 96 d");
    EXPECT_EQ(session_.view.edit.measure, 2);
    click(headOf(1, 0, "d2"));  // outside the overlay now: nothing is entered
    click(headOf(2, 0, "d2"));
    EXPECT_EQ(firstItems(session_.score, 6), "g1 n n 96 u,a1 n n 96 u,b1 n n 96 d,c2 n n 96 d,d2 n n 96 d");

    // The pointer over the overlay previews the note in the edit colour; away from it the page returns.
    QTest::mouseMove(window.scoreView(), headOf(2, 12, "e2"));
    QTest::mouseMove(window.scoreView(), headOf(4, 0, "e2"));

    QTest::mouseClick(window.scoreView(), Qt::RightButton, Qt::NoModifier, headOf(2, 12, "e2"));
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);

    trigger({"音符編集&N", "上書き", "開始"});
    EXPECT_EQ(session_.edit.editMode, edit::kOverwriteMode);
    click(headOf(1, 12, "a1"));  // picks measure 1 for the overlay
    click(headOf(1, 12, "e1"));  // writes e1 over a1
    EXPECT_EQ(firstItems(session_.score, 5), "g1 n n 96 u,e1 n n 96 u,b1 n n 96 d,c2 n n 96 d,d2 n n 96 d");
    trigger({"音符編集&N", "上書き", "終了"});
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
}

TEST_F(NoteEditing, EveryActionIsOneStepToUndoAndRedoBackToTheSavedState) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const auto original = model::scoreFileLines(session_.score);
    QAction* undo = window.action("音符編集&N › 元に戻す");
    EXPECT_FALSE(undo->isEnabled());

    // A key, a pop-up entry, a menu command and a melody typed note by note.
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    key(Qt::Key_Up);
    EXPECT_EQ(undo->text().toStdString(), "元に戻す：音高を1段上へ");
    trigger({"pop-up", "臨時記号", "♯"});
    EXPECT_EQ(undo->text().toStdString(), "元に戻す：臨時記号 ♯");
    trigger({"音符編集&N", "オクターブ変更", "下へ"});
    EXPECT_EQ(undo->text().toStdString(), "元に戻す：オクターブ変更 下へ");
    key(Qt::Key_Escape);
    const auto beforeTyping = model::scoreFileLines(session_.score);
    trigger({"音符編集&N", "追加&A"});
    for (Qt::Key letter : {Qt::Key_C, Qt::Key_D, Qt::Key_E}) key(letter);
    key(Qt::Key_Escape);
    const auto edited = model::scoreFileLines(session_.score);
    ASSERT_NE(edited, beforeTyping);
    EXPECT_FALSE(session_.score.saved);

    // Three typed notes are three steps; Ctrl+Z where it means nothing else, the menu, Alt+Backspace.
    for (int note = 0; note < 3; ++note) key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model::scoreFileLines(session_.score), beforeTyping);
    trigger({"音符編集&N", "元に戻す"});
    for (int step = 0; step < 2; ++step) key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(model::scoreFileLines(session_.score), original);
    EXPECT_TRUE(session_.score.saved);  // back where the file is
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(window.statusText("message").toStdString(), "元に戻しました：音高を1段上へ");

    // Redo walks the same steps forward; a new action then ends what could be redone.
    for (int step = 0; step < 6; ++step) key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(model::scoreFileLines(session_.score), edited);
    EXPECT_FALSE(session_.score.saved);
    trigger({"音符編集&N", "元に戻す"});
    trigger({"五線譜設定&S", "拍子", "3/4"});
    EXPECT_FALSE(window.action("音符編集&N › やり直し")->isEnabled());
    EXPECT_EQ(undo->text().toStdString(), "元に戻す：拍子 3/4");
}

TEST_F(NoteEditing, APageWithoutRoomForItsItemsSaysSoOnce) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    EXPECT_EQ(session_.crowdedItems, 0);  // the demo has room
    // Rows packed as close as they go on a narrow sheet, every note with a fermata and a rit.: no
    // room between them.
    for (model::TNote* note = session_.score.part(1).partHead; !note->isEndMarker(); note = note->next) {
        for (auto kind : {edit::MarkKind::Fermata, edit::MarkKind::Rit}) {
            session_.score.part(1).marks.push_back(edit::performanceMark(session_.score, kind, note->startPos, 1));
        }
    }
    session_.view.lineSpacing = 16;
    session_.view.viewWidth = 300;
    window.redraw();
    window.updateStatus();
    EXPECT_GT(session_.crowdedItems, 0);
    EXPECT_EQ(window.statusText("message").toStdString(),
              "このページは記号の置き場が足りず、" + std::to_string(session_.crowdedItems) +
                  "個が重なっています（行間隔を広げるか行数を減らすと空きます）");
    window.setStatusText("message", "");
    window.redraw();
    window.updateStatus();  // the same page, already named
    EXPECT_EQ(window.statusText("message").toStdString(), "");
}

TEST_F(NoteEditing, AnActionThatLeavesAMeasureOverfullSaysSoOnce) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    click(headOf(1, 0, "d2"));
    click(headOf(1, 0, "d2"));
    // A length set past the bar line without re-flowing, as an overwrite can leave it.
    session_.score.part(1).partHead->len = 384;
    key(Qt::Key_Up);
    EXPECT_EQ(window.statusText("message").toStdString(), "過剰音符小節があります：　パート1 第1小節");
    window.setStatusText("message", "");
    key(Qt::Key_Down);  // still overfull, already named
    EXPECT_EQ(window.statusText("message").toStdString(), "");
}
