// Beams and triplets: set and cleared by hand on the selection, set automatically for a measure,
// and the re-flow that rebuilds a part's measures after a note was inserted or deleted.
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"

namespace shinofu::edit {

// The length within which automatic beaming joins notes, by meter and beam mode.
int beamSpan(const model::Score& score, bool beamPerBeat);

bool setBeams(model::Score& score);
bool clearBeams(model::Score& score);
bool setTriplets(model::Score& score);
bool clearTriplets(model::Score& score);

// One measure from `first`, counting from `measureFill` units into it: triplets of 2, 4 and 8
// units, then beams within each span; a short note crossing a span end is split into two tied notes.
void beamMeasure(model::Score& score, model::TNote* first, int measureFill, bool beamPerBeat);
// Clears the beams of the measure from `first`.
void clearMeasureBeams(model::Score& score, model::TNote* first);

// Every measure of a part beamed automatically from its start (after an import).
void beamPart(model::Score& score, int part, bool beamPerBeat);

// Rebuilds the current part from `from` on: tied notes merged, cut again at the bar lines with
// ties, every measure beamed again.
void reflowPart(model::Score& score, model::TNote* from, bool beamPerBeat);

}  // namespace shinofu::edit
