// Everything one run of the editor works on: the score, the configuration and the shell's state.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/header_parser.h"
#include "model/new_score.h"
#include "model/score.h"
#include "model/score_reader.h"
#include "numeric/flute_choice.h"
#include "render/view_state.h"

namespace shinofu::app {

struct Session {
    model::Score score;
    model::Configuration config = model::configurationWithoutFile();
    model::NameLayout names = model::rememberNameLayout(score);  // places for older files' names
    bool formatFlag = false;  // the reader's assumption for a score named on the command line
    std::filesystem::path currentFile;
    int editMode = 0;
    render::ViewState view;
    numeric::FluteChoice flute;

    model::ScoreDefaults scoreDefaults() const { return {config.measPerLine, config.defaultFluteKey, names}; }
    model::ReadOptions readOptions(bool formatFlagForRead) const;
    // Positions, and the accidentals and sounding pitches the fingering and the drawing read.
    void refreshDerivedState();
};

}  // namespace shinofu::app
