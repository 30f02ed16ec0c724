#include "app/note_commands.h"

#include <utility>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>

#include "app/command_table.h"
#include "app/curve_dialog.h"
#include "app/main_window.h"
#include "app/measure_commands.h"
#include "app/memo_window.h"
#include "app/play_settings_window.h"
#include "app/qt_ui_text.h"
#include "app/symbol_dialog.h"
#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/key_table.h"
#include "edit/note_commands.h"
#include "edit/note_division.h"
#include "edit/note_picking.h"
#include "edit/palette_commands.h"
#include "edit/pointer_entry.h"
#include "edit/selection.h"
#include "edit/tie_slur.h"
#include "model/excess_notes.h"
#include "platform/qt_canvas.h"
#include "render/anchored_place.h"
#include "render/entry_preview.h"
#include "render/page_drawer.h"

namespace shinofu::app {
namespace {

constexpr int kTopStrip = 20;  // presses in the view's top strip are ignored
const std::string kNotes = "音符編集&N";
const std::string kPopup = "pop-up";

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Qt keys as the virtual-key codes the key table speaks; 0 for keys it does not know.
int virtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape: return edit::kKeyEscape;
    case Qt::Key_Space: return edit::kKeySpace;
    case Qt::Key_Left: return edit::kKeyLeft;
    case Qt::Key_Up: return edit::kKeyUp;
    case Qt::Key_Right: return edit::kKeyRight;
    case Qt::Key_Down: return edit::kKeyDown;
    case Qt::Key_Insert: return edit::kKeyInsert;
    case Qt::Key_Delete: return edit::kKeyDelete;
    case Qt::Key_Backspace: return edit::kKeyBackspace;
    default: break;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    return 0;
}

}  // namespace

void finish(MainWindow& window, Session& session, bool changed) {
    if (changed) edit::markChanged(session.score);
    // Whatever changed the score, the key that did it names the step; a press or a panel, "編集".
    const std::string command = std::exchange(session.edit.lastCommand, {});
    window.recordStep(command.empty() ? ui::text("ui", "編集") : command);
    // Escape and space leave measure editing: its menu entry offers it again.
    if (QAction* entry = window.action(commandPath({"小節編集&M", "小節編集モードに &M"}))) {
        entry->setText(session.edit.editMode == edit::kMeasureEditMode ? ui::qtext("menu", "音符編集モードに &M")
                                                                        : ui::qtext("menu", "小節編集モードに &M"));
    }
    window.redraw();
    showCurrentNote(window, session);
    window.updateStatus();
    window.showNotice();
    // The palette shows the value, accidental and mode in force; the curve dialog its target.
    if (QWidget* palette = window.findChild<QWidget*>("TOni2Form")) palette->update();
    if (auto* curves = window.findChild<CurveDialog*>("TslurForm")) curves->followTarget();
}

namespace {

// A command on the picked notes that found none says how to pick them.
void finishOnPicked(MainWindow& window, Session& session, bool changed) {
    if (!changed && edit::nothingPicked(session.score, session.edit)) session.edit.notice = edit::kPickNoteNotice;
    finish(window, session, changed);
}

void showClick(MainWindow& window, const render::ScoreHit& hit) {
    window.setStatusText("click", QString("fx0:%1 fsx0:%2 fy0:%3")
                                      .arg(hit.measure, 2)
                                      .arg(hit.offset, 2)
                                      .arg(hit.line, 2));
}

// Presses, pointer movement and keys of the score view.
class ScoreInput : public QObject {
public:
    ScoreInput(MainWindow& window, Session& session) : QObject(&window), window_(window), session_(session) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (watched == window_.scoreView()) press(*static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::MouseMove:
            if (watched == window_.scoreView()) move(*static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = virtualKey(key->key());
            if (code == 0) return false;
            // Keys act on release, as a held key repeats (each repeat brings its own release). The
            // modifiers are those held when the key went down: some systems report a release
            // without them.
            if (event->type() == QEvent::KeyPress) {
                pressedModifiers_ = key->modifiers();
            } else {
                handle(code, key->modifiers() | pressedModifiers_);
                pressedModifiers_ = Qt::NoModifier;
            }
            return true;
        }
        default: return QObject::eventFilter(watched, event);
        }
    }

private:
    render::PageTables tables() const { return render::buildPageTables(session_.score, session_.view); }

    void press(const QMouseEvent& event) {
        const QPoint at = event.position().toPoint();
        if (at.y() < kTopStrip || session_.view.numericDisplay) return;
        const render::PageTables pageTables = tables();
        const render::ScoreHit hit = render::hitToScore(session_.score, session_.view, pageTables, at.x(), at.y());
        if (session_.edit.editMode == edit::kSymbolEditMode) {
            // Symbol editing: a press on a drawn symbol or mark opens the dialog on it.
            if (event.button() != Qt::LeftButton) return;
            if (const auto item = render::getSymNum(window_.pageItems(), at.x(), at.y())) {
                window_.findChild<SymbolDialog*>("TsymEditForm")->editTarget({item->kind, item->part, item->index});
            }
            return;
        }
        if (edit::isPointerEntryMode(session_.edit.editMode) && edit::insideOverlay(session_.view, hit)) {
            pressInOverlay(event.button(), hit, pageTables);
            return;
        }
        if (event.button() != Qt::LeftButton) return;
        const edit::PressOutcome outcome =
            edit::pressOnScore(session_.score, session_.view, session_.edit, pageTables, hit,
                               {(event.modifiers() & Qt::ShiftModifier) != 0, (event.modifiers() & Qt::ControlModifier) != 0});
        // While the playback settings are open, picked notes give the range of a curve.
        if (outcome.picked && session_.edit.editMode == edit::kPlaybackSettingsMode && session_.edit.curNote) {
            window_.playSettings()->notePicked(*session_.edit.curNote);
        }
        if (outcome.hideSymbolDialog) {
            if (auto* dialog = window_.findChild<QWidget*>("TsymEditForm")) dialog->hide();
        }
        showClick(window_, hit);
        finish(window_, session_, false);
    }

    // The entry overlay: a left press enters a note, a right press ends the entry as Escape does.
    void pressInOverlay(Qt::MouseButton button, const render::ScoreHit& hit, const render::PageTables& pageTables) {
        if (button == Qt::RightButton) {
            escape(window_, session_);
            return;
        }
        if (button != Qt::LeftButton) return;
        const edit::PointerOutcome outcome =
            edit::pressInOverlay(session_.score, session_.view, session_.edit, pageTables, hit,
                                 edit::isRestCell(session_.edit.valueCell), session_.edit.paletteAccidental);
        if (outcome == edit::PointerOutcome::Ended) {
            escape(window_, session_);
            return;
        }
        if (outcome == edit::PointerOutcome::MeasureComplete) edit::showAddCursor(session_.score, session_.view, tables());
        finish(window_, session_, false);
    }

    void move(const QMouseEvent& event) {
        const QPoint at = event.position().toPoint();
        window_.setStatusText("pointer", QString("%1 %2").arg(at.x(), 5).arg(at.y(), 5));
        if (session_.view.numericDisplay) return;
        const render::PageTables pageTables = tables();
        const render::ScoreHit hit = render::hitToScore(session_.score, session_.view, pageTables, at.x(), at.y());
        if (edit::isPointerEntryMode(session_.edit.editMode)) {
            previewEntry(hit, pageTables);
            return;
        }
        showClick(window_, hit);
    }

    // Over the overlay, the note a press would enter follows the pointer.
    void previewEntry(const render::ScoreHit& hit, const render::PageTables& pageTables) {
        if (!edit::insideOverlay(session_.view, hit)) {
            if (previewShown_) window_.showPicture(window_.viewImage());
            previewShown_ = false;
            return;
        }
        const edit::PointerNote note =
            edit::pointerNote(session_.score, session_.view, pageTables, hit, edit::isRestCell(session_.edit.valueCell));
        QImage picture = window_.viewImage().copy();
        QPainter painter(&picture);
        platform::QtCanvas canvas(painter, window_.resources().paths, window_.resources().catalog);
        render::drawEntryPreview(canvas, session_.score, session_.view, pageTables, hit, note.position, note.pitch,
                                 session_.edit.inputLen);
        painter.end();
        window_.showPicture(picture);
        previewShown_ = true;
        window_.setStatusText("click", QString(" x=%1y=%2").arg(note.position, 5).arg(hit.step, 5));
    }

    void handle(int code, Qt::KeyboardModifiers modifiers) {
        // Escape ends what the windows around the score are doing too.
        if (code == edit::kKeyEscape && !(modifiers & Qt::AltModifier)) {
            escape(window_, session_);
            return;
        }
        const render::PageTables pageTables = tables();
        const edit::UndoFiles undo = undoFiles();
        edit::EditTarget target{session_.score, session_.view, session_.edit, pageTables,
                                [&] {
                                    std::vector<std::string> lines = window_.memo()->lines();
                                    for (const std::string& line : undo.snapshot(session_.score)) lines.push_back(line);
                                    window_.memo()->setLines(lines);
                                },
                                [&] { return window_.stepThroughHistory(true); },
                                [&] { return window_.stepThroughHistory(false); },
                                [&] { return window_.overwriteSave(); }};
        const edit::KeyEffect effect =
            edit::handleKey(target, code,
                            {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
                             (modifiers & Qt::AltModifier) != 0});
        if (effect == edit::KeyEffect::None) {
            showCurrentNote(window_, session_);
            window_.updateStatus();
            return;
        }
        if (session_.edit.editMode == edit::kNewMode) edit::showAddCursor(session_.score, session_.view, tables());
        finish(window_, session_, effect == edit::KeyEffect::ScoreChanged);
    }

    MainWindow& window_;
    Session& session_;
    bool previewShown_ = false;
    Qt::KeyboardModifiers pressedModifiers_ = Qt::NoModifier;
};

}  // namespace

void escape(MainWindow& window, Session& session) {
    const render::PageTables tables = render::buildPageTables(session.score, session.view);
    edit::EditTarget target{session.score, session.view, session.edit, tables};
    const bool insertion = session.edit.editMode == edit::kInsertMode;
    if (session.edit.editMode == edit::kPlaybackSettingsMode) window.playSettings()->endRangePicking();
    session.edit.modeButton = edit::kNoModeButton;
    if (QWidget* lyrics = window.findChild<QWidget*>("lyricBox")) lyrics->hide();
    edit::escapeRoutine(target);
    finish(window, session, insertion);
}

namespace {

void bindTiesAndSlurs(MainWindow& window, Session& session) {
    auto op = [&window, &session](edit::TieSlurOp which) {
        return [&window, &session, which] {
            if (edit::nothingPicked(session.score, session.edit)) session.edit.notice = edit::kPickNoteNotice;
            const bool changed = edit::applyTieSlur(session.score, session.edit, which);
            session.edit.editMode = edit::kEditMode;
            edit::clearSelection(session.score, session.edit);
            finish(window, session, changed);
        };
    };
    const std::string menu = commandPath({kNotes, "タイ、スラー"});
    window.bind(menu + kPathSeparator + "タイ設定", op(edit::TieSlurOp::TieSet));
    window.bind(commandPath({menu, "スラー", "設定(次と)"}), op(edit::TieSlurOp::SlurSet));
    window.bind(commandPath({menu, "スラー", "開始"}), op(edit::TieSlurOp::SlurStart));
    window.bind(commandPath({menu, "スラー", "終末"}), op(edit::TieSlurOp::SlurEnd));
    window.bind(menu + kPathSeparator + "タイ解除", op(edit::TieSlurOp::TieClear));
    window.bind(menu + kPathSeparator + "スラー解除", op(edit::TieSlurOp::SlurClear));
    const std::string popup = commandPath({kPopup, "タイ／スラー"});
    const std::pair<const char*, edit::TieSlurOp> popupOps[] = {
        {"タイ設定", edit::TieSlurOp::TieSet},     {"スラー設定(次と)", edit::TieSlurOp::SlurSet},
        {"スラー開始", edit::TieSlurOp::SlurStart}, {"スラー終末", edit::TieSlurOp::SlurEnd},
        {"タイ解除", edit::TieSlurOp::TieClear},   {"スラー解除", edit::TieSlurOp::SlurClear}};
    for (const auto& [caption, which] : popupOps) window.bind(popup + kPathSeparator + caption, op(which));
}

// The excess-note check: the first overfull measure of each part, highlighted on the staff page,
// or the caption of the numeric page.
void checkExcessNotes(MainWindow& window, Session& session) {
    const model::ExcessReport report = model::checkExcessNotes(session.score);
    if (session.view.numericDisplay) {
        if (report.found()) window.setWindowTitle(ui::qtext("ui", "過剰な音符がある小節発見!"));
        return;
    }
    const render::PageTables tables = render::buildPageTables(session.score, session.view);
    const int measPerLine = std::max(1, session.score.song.measPerLine);
    for (int part = 1; part <= session.score.partCount; ++part) {
        const std::optional<int> measure = report.measures[part - 1];
        if (!measure || !session.score.part(part).visible) continue;
        const int lineIndex = (*measure - 1) / measPerLine;
        if (lineIndex / tables.systemsPerPage + 1 != session.view.curPage) continue;
        session.view.edit = {};
        session.view.edit.shown = true;
        session.view.edit.line = lineIndex % tables.systemsPerPage + 1;
        session.view.edit.measure = (*measure - 1) % measPerLine + 1;
        session.view.edit.staff = render::firstRowOf(render::visibleOrdinal(session.score, part), tables.chorusCount);
    }
    window.redraw();
}

void bindBeaming(MainWindow& window, Session& session) {
    auto run = [&window, &session](std::function<bool()> command) {
        return [&window, &session, command = std::move(command)] { finishOnPicked(window, session, command()); };
    };
    const std::string beams = commandPath({kNotes, "連桁"});
    const std::string popup = commandPath({kPopup, "連桁"});
    for (const std::string& menu : {beams, popup}) {
        window.bind(menu + kPathSeparator + "連桁設定", run([&session] { return edit::setBeams(session.score); }));
        window.bind(menu + kPathSeparator + "連桁解除", run([&session] { return edit::clearBeams(session.score); }));
        window.bind(menu + kPathSeparator + "３連符解除", run([&session] { return edit::clearTriplets(session.score); }));
    }
    window.bind(beams + kPathSeparator + "３連符設定", run([&session] { return edit::setTriplets(session.score); }));
    window.bind(popup + kPathSeparator + "３連符", run([&session] { return edit::setTriplets(session.score); }));
    window.bind(beams + kPathSeparator + "自動設定", run([&session] {
                    if (!session.edit.clickMeasNote) return false;
                    edit::beamMeasure(session.score, session.edit.clickMeasNote, 0, session.edit.beamPerBeat);
                    return true;
                }));
    window.bind(beams + kPathSeparator + "連桁解除(1小節)", run([&session] {
                    if (!session.edit.clickMeasNote) return false;
                    edit::clearMeasureBeams(session.score, session.edit.clickMeasNote);
                    return true;
                }));
    const std::string mode = commandPath({"オプション(&O)", "連桁モード設定"});
    window.bind(mode, [&window, &session, mode] {
        session.edit.beamPerBeat = !session.edit.beamPerBeat;
        window.action(mode)->setText(session.edit.beamPerBeat ? ui::qtext("menu", "連桁１拍を解除") : ui::qtext("menu", "連桁１拍に設定"));
    });
}

}  // namespace

void showCurrentNote(MainWindow& window, const Session& session) {
    const model::TNote* note = session.edit.curNote;
    if (!note || note->isEndMarker()) {
        window.setStatusText("note", QString());
        return;
    }
    window.setStatusText("note", ui::qtext("ui", "Len=%1 音高=%2 Pos=%3")
                                     .arg(note->len, 2)
                                     .arg(qt(std::string(model::pitchName(note->pitch))))
                                     .arg(note->endPos, 4));
}

void bindNoteCommands(MainWindow& window, Session& session) {
    auto* input = new ScoreInput(window, session);
    for (QObject* watched : std::initializer_list<QObject*>{&window, window.scrollArea(), window.scrollArea()->viewport(),
                                                           window.scoreView()}) {
        watched->installEventFilter(input);
    }
    window.scoreView()->setMouseTracking(true);
    window.scoreView()->setFocusPolicy(Qt::StrongFocus);

    auto edit = [&window, &session](std::function<bool()> command) {
        return [&window, &session, command = std::move(command)] { finishOnPicked(window, session, command()); };
    };
    auto tables = [&session] { return render::buildPageTables(session.score, session.view); };
    auto addMode = [&window, &session, tables] {
        edit::startAddMode(session.score, session.view, session.edit, tables());
        edit::showAddCursor(session.score, session.view, tables());
        finish(window, session, false);
    };
    window.bind(commandPath({kNotes, "追加&A"}), addMode);
    window.bind(commandPath({kPopup, "音符追加"}), addMode);
    window.bind(commandPath({kNotes, "挿入 &I"}), edit([&session] { return edit::insertAndReflow(session.score, session.view, session.edit); }));
    window.bind(commandPath({kNotes, "削除 &D"}), edit([&session] { return edit::deleteAndReflow(session.score, session.view, session.edit); }));
    bindBeaming(window, session);
    for (const auto& [menu, up, down] : {std::tuple{kNotes, "上へ", "下へ"}, std::tuple{kPopup, "上げる", "下げる"}}) {
        window.bind(commandPath({menu, "オクターブ変更", up}), edit([&session] { return edit::shiftOctave(session.score, session.edit, true); }));
        window.bind(commandPath({menu, "オクターブ変更", down}), edit([&session] { return edit::shiftOctave(session.score, session.edit, false); }));
    }
    window.bind(commandPath({kNotes, "上書き", "開始"}), [&window, &session] {
        session.edit.editMode = edit::kOverwriteMode;
        finish(window, session, false);
    });
    window.bind(commandPath({kNotes, "上書き", "終了"}), [&window, &session] { escape(window, session); });
    window.bind(commandPath({kNotes, "棒上下変更 &B"}), edit([&session] { return edit::flipStems(session.score); }));
    window.bind(commandPath({kNotes, "休符非表示", "設定"}), edit([&session] { return edit::hideRests(session.score); }));
    window.bind(commandPath({kNotes, "休符非表示", "解除"}), edit([&session] { return edit::showHiddenRests(session.score); }));
    window.bind(commandPath({kNotes, "選択保持 &H"}), [&session] { session.edit.selectionHold = true; });
    bindTiesAndSlurs(window, session);

    const char* const octaves[] = {"ハ～ロ", "上一点ハ～ロ", "上二点ハ～ロ"};
    for (int octave = 0; octave < 3; ++octave) {
        window.bind(commandPath({kPopup, "オクターブ設定", octaves[octave]}), [&session, octave] { session.edit.inputOctave = octave; });
    }
    const char* const accidentals[] = {"♯", "♭", "ナチュラル", "X", "♭♭", "記号削除"};
    for (int accidental = 0; accidental < 6; ++accidental) {
        window.bind(commandPath({kPopup, "臨時記号", accidentals[accidental]}),
                    edit([&session, accidental] { return edit::setAccidental(session.score, static_cast<uint8_t>(accidental)); }));
    }
    const std::pair<const char*, int> lengths[] = {{"４分音符", 12}, {"８分音符", 6}, {"１６分音符", 3}, {"２分音符", 24}, {"全音符", 48}};
    for (const auto& [caption, len] : lengths) {
        window.bind(commandPath({kPopup, "音符（全～１６分）", caption}), [&session, len = len] { session.edit.inputLen = len; });
    }
    window.bind(commandPath({kPopup, "音符（付点）", "設定"}),
                edit([&session] { return edit::changeDot(session.score, session.edit, edit::DotChange::Set); }));
    window.bind(commandPath({kPopup, "音符（付点）", "クリア"}),
                edit([&session] { return edit::changeDot(session.score, session.edit, edit::DotChange::Clear); }));
    window.bind(commandPath({kPopup, "過剰音符チェック"}), [&window, &session] { checkExcessNotes(window, session); });
    window.bind(commandPath({kPopup, "音符分割"}), edit([&session] { return edit::divideNote(session.score, session.edit); }));
    window.bind(commandPath({kPopup, "音符／休符変更", "音符を休符に"}), edit([&session] { return edit::noteToRest(session.edit); }));
    window.bind(commandPath({kPopup, "音符／休符変更", "休符を音符に"}),
                edit([&session] { return edit::restToNote(session.score, session.edit); }));
    // Both reach the Escape key's routine: back to editing with nothing selected.
    window.bind(commandPath({kPopup, "取り消し（編集モードに）"}), [&window, &session] { escape(window, session); });
    window.bindTool("モードを「編集」に。（「ESC」キーの機能）", [&window, &session] { escape(window, session); });
    const std::string stemMode = commandPath({"オプション(&O)", "棒固定"});
    window.bind(stemMode, [&window, &session, stemMode] {
        session.edit.autoStem = !session.edit.autoStem;
        window.action(stemMode)->setText(session.edit.autoStem ? ui::qtext("menu", "棒固定") : ui::qtext("menu", "棒自動"));
    });
}

}  // namespace shinofu::app
