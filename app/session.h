// Everything one run of the editor works on: the score, the configuration and the shell's state.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "edit/edit_state.h"
#include "edit/score_history.h"
#include "midi/play_settings.h"
#include "model/configuration.h"
#include "model/excess_notes.h"
#include "model/header_parser.h"
#include "model/new_score.h"
#include "model/score.h"
#include "model/score_reader.h"
#include "numeric/flute_choice.h"
#include "output/print_layout.h"
#include "render/view_state.h"

namespace shinofu::app {

struct Session {
    model::Score score;
    model::Configuration config = model::configurationWithoutFile();
    model::NameLayout names = model::rememberNameLayout(score);  // places for older files' names
    bool formatFlag = false;  // the reader's assumption for a score named on the command line
    std::filesystem::path currentFile;  // where the file dialogs start
    std::filesystem::path scoreFile;    // the score's own file, for 上書き保存; empty for a new or imported one
    edit::EditState edit;
    int partDisplayMode = 0;  // what the part display entries do: 0..3, "Prt=" in the status bar
    render::ViewState view;
    numeric::FluteChoice flute;
    midi::PlaySettings playSettings;
    output::PrintSettings print;
    edit::ScoreHistory history;
    model::ExcessReport announcedExcess;  // each part's overfull measure the status bar last named
    int crowdedItems = 0;  // items of the page in view that found no room clear of the others
    std::pair<int, int> announcedCrowding;  // the page and its crowded items the status bar last named

    model::ScoreDefaults scoreDefaults() const { return {config.measPerLine, config.defaultFluteKey, names}; }
    model::ReadOptions readOptions(bool formatFlagForRead) const;
    // Positions, and the accidentals and sounding pitches the fingering and the drawing read.
    void refreshDerivedState();
    // Every part by -7..7 semitones, with the accidentals in effect brought up to date first.
    bool transpose(int steps);
    // Every part an octave up or down.
    bool shiftOctave(bool up);
    // Forgets every reference into the records (display starts, current note, entry point):
    // they belong to the score being replaced.
    void forgetPlacesInScore();

    // Undo starts over: another score was opened or begun.
    void startHistory();  // also forgets which overfull measures were announced
    // After a user action: a change of the score becomes one step named caption; returns whether
    // it did.
    bool recordStep(const std::string& caption);
    // Restores the state before the last step (or after the next undone one) and returns the
    // step's caption; nothing when there is none.
    std::optional<std::string> undoStep();
    std::optional<std::string> redoStep();
    // Saved to its file: undoing or redoing back to this state counts as saved again.
    void markSaved();

private:
    std::vector<std::string> historyLines();
    std::optional<std::string> restore(std::optional<edit::ScoreHistory::Step> step);
};

// A part display entry "1".."6" as the mode says: numerals of that part alone (0) or on and off (1),
// the part's staff shown or hidden (2; the last shown staff stays), its clef switched (3).
void applyPartDisplayEntry(Session& session, int part);

}  // namespace shinofu::app
