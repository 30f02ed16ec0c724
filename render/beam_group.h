// Beam groups: the beam line through their notes, the stems that reach it, the second beam of
// sixteenths, and the triplet bracket with its "3".
#pragma once

#include <vector>

#include "model/tnote.h"
#include "render/draw_context.h"
#include "render/note_drawing.h"

namespace shinofu::render {

// One note of a group as the beam line sees it.
struct BeamNote {
    double x;        // unrounded note x
    int step;        // staff step
    int offset;      // length units from the group's first note
    bool sixteenth;  // takes the second beam
    bool ownStem;    // its glyph has a stem of its own (a triplet note of a quarter or longer)
};

// The beam's height at each note, in staff steps (the step the stem would reach with no beam).
std::vector<double> beamLine(const std::vector<BeamNote>& notes, bool stemUp);

// Whether a note starts a group that draws from it: a beam or a triplet, of short enough notes.
bool startsBeamGroup(const model::TNote& note);

// The beams, stems and triplet bracket of the group that starts at the note (placed at x).
void drawBeamGroup(DrawContext& context, const model::TNote& first, const NoteSpot& spot, double x);

}  // namespace shinofu::render
