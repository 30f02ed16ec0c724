#include "app/measure_commands.h"

#include <QAction>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/memo_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"
#include "edit/clipboard_text.h"
#include "edit/edit_mode.h"
#include "edit/key_table.h"
#include "edit/measure_commands.h"
#include "edit/selection.h"
#include "edit/transposition.h"
#include "platform/paths.h"

namespace shinofu::app {
namespace {

const std::string kMeasures = "小節編集&M";
const std::string kModeEntry = commandPath({kMeasures, "小節編集モードに &M"});

void addMemoLines(MainWindow& window, const std::vector<std::string>& added) {
    if (added.empty()) return;
    std::vector<std::string> lines = window.memo()->lines();
    lines.insert(lines.end(), added.begin(), added.end());
    window.memo()->setLines(lines);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Runs a measure command on the session with the undo snapshot it takes first.
template <typename Command>
void runMeasureCommand(MainWindow& window, Session& session, Command command) {
    const render::PageTables tables = render::buildPageTables(session.score, session.view);
    const edit::UndoFiles undo = undoFiles();
    edit::EditTarget target{session.score, session.view, session.edit, tables,
                            [&] { addMemoLines(window, undo.snapshot(session.score)); }};
    const bool changed = command(target);
    if (changed) edit::markChanged(session.score);
    session.score.recomputePositions();
    window.redraw();
    window.updateStatus();
}

void restore(MainWindow& window, Session& session, bool redo) {
    const edit::UndoFiles undo = undoFiles();
    edit::detachClip(session.edit.clip, session.score.measureLen());
    const int mode = session.edit.editMode;
    const edit::UndoFiles::Outcome outcome =
        redo ? undo.redo(session.score, session.readOptions(true)) : undo.undo(session.score, session.readOptions(true));
    addMemoLines(window, outcome.memo);
    if (outcome.result == edit::UndoFiles::Result::Failed) {
        window.dialogs().message(platform::MessageKind::Error, outcome.message);
        return;
    }
    if (outcome.result == edit::UndoFiles::Result::Nothing) return;
    session.forgetPlacesInScore();
    session.edit.editMode = mode;
    edit::markChanged(session.score);
    window.redraw();
}

void copyToClipboard(MainWindow& window, Session& session, bool clearMemo) {
    const render::PageTables tables = render::buildPageTables(session.score, session.view);
    edit::EditTarget target{session.score, session.view, session.edit, tables};
    model::TNote* start = edit::locateMeasure(target);
    const std::optional<edit::MeasureSelection> selection = edit::measureSelection(target);
    if (!start || !selection) {
        session.edit.notice = edit::kPickMeasureNotice;
        return;
    }
    session.edit.clip = edit::MeasureClip{start, session.edit.clip.measCount, session.score.generation(), {}, false};
    std::vector<std::string> lines = clearMemo ? std::vector<std::string>{} : window.memo()->lines();
    const auto measures = edit::measureLines(start, selection->count, session.score.measureLen());
    lines.insert(lines.end(), measures.begin(), measures.end());
    window.memo()->setLines(lines);
    window.clipboard().setText(joined(lines));
}

void pasteFromClipboard(MainWindow& window, Session& session, bool overwrite) {
    if (const std::optional<std::string> text = window.clipboard().text()) {
        std::vector<std::string> lines;
        size_t from = 0;
        while (from <= text->size()) {
            const size_t end = text->find('\n', from);
            std::string line = text->substr(from, end == std::string::npos ? std::string::npos : end - from);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
            if (end == std::string::npos) break;
            from = end + 1;
        }
        window.memo()->setLines(lines);
    }
    runMeasureCommand(window, session, [&](edit::EditTarget& target) {
        if (!edit::requireMeasureMode(session.edit)) return false;
        edit::clipFromLines(window.memo()->lines(), session.edit.clip, session.score);
        return overwrite ? edit::overwritePaste(target, target.snapshot) : edit::insertPaste(target, target.snapshot);
    });
}

}  // namespace

edit::UndoFiles undoFiles() {
    const std::filesystem::path ini = platform::Paths::companionFile(".INI");
    return edit::UndoFiles(ini.parent_path() / ini.stem());
}

void bindMeasureCommands(MainWindow& window, Session& session) {
    auto toggleMode = [&window, &session] {
        window.action(kModeEntry)->setText(ui::qtext("menu", edit::toggleMeasureMode(session.edit)));
        edit::clearSelection(session.score, session.edit);
        session.view.edit = {};
        window.redraw();
    };
    window.bind(kModeEntry, toggleMode);
    window.bindTool("音符編集・小節編集", toggleMode);
    window.bind(commandPath({kMeasures, "元に戻す &U"}), [&window, &session] { restore(window, session, false); });
    window.bind(commandPath({kMeasures, "やり直し &R"}), [&window, &session] { restore(window, session, true); });
    using Command = bool (*)(edit::EditTarget&, const edit::Snapshot&);
    const std::pair<const char*, Command> commands[] = {
        {"挿入 &I", edit::insertMeasure},   {"切り取り &T", edit::cutMeasures}, {"挿入貼付", edit::insertPaste},
        {"上書貼付 &P", edit::overwritePaste}, {"削除 &D", edit::deleteMeasures}};
    for (const auto& [caption, command] : commands) {
        window.bind(commandPath({kMeasures, caption}), [&window, &session, command = command] {
            runMeasureCommand(window, session, [command](edit::EditTarget& target) { return command(target, target.snapshot); });
        });
    }
    window.bind(commandPath({kMeasures, "コピー &C"}), [&window, &session] {
        runMeasureCommand(window, session, [](edit::EditTarget& target) {
            edit::copyMeasures(target);
            return false;
        });
    });
    window.bind(commandPath({kMeasures, "クリップボードにコピー（クリアあり）"}), [&window, &session] { copyToClipboard(window, session, true); });
    window.bind(commandPath({kMeasures, "クリップボードにコピー(クリアなし）"}), [&window, &session] { copyToClipboard(window, session, false); });
    window.bind(commandPath({kMeasures, "クリップボードから挿入貼付"}), [&window, &session] { pasteFromClipboard(window, session, false); });
    window.bind(commandPath({kMeasures, "クリップボードから上書貼付"}), [&window, &session] { pasteFromClipboard(window, session, true); });
    for (const auto& [caption, up] : {std::pair{"1オクターブ上へ", true}, std::pair{"1オクターブ下へ", false}}) {
        window.bind(commandPath({kMeasures, "オクターブ変更", caption}), [&window, &session, up = up] {
            runMeasureCommand(window, session, [up](edit::EditTarget& target) { return edit::shiftMeasuresOctave(target, up); });
        });
    }
    const char* const counts[] = {"&2", "&3", "&4", "&5", "&6", "7", "8"};
    for (int measures = 2; measures <= 8; ++measures) {
        window.bind(commandPath({"五線譜設定&S", "小節数 &M", counts[measures - 2]}), [&window, &session, measures] {
            edit::setMeasuresPerLine(session.score, session.view, measures);
            edit::markChanged(session.score);
            const render::PageTables tables = render::buildPageTables(session.score, session.view);
            edit::EditTarget target{session.score, session.view, session.edit, tables};
            edit::escapeRoutine(target);
            window.action(kModeEntry)->setText(ui::qtext("menu", "小節編集モードに &M"));
            window.redraw();
        });
    }
}

}  // namespace shinofu::app
