// Slurs and ties between notes (procSlur, procTie): from a start note to the next end note of the
// same kind; a curve whose end lies on a later line is drawn in two open arcs, one per line.
#pragma once

#include "model/tnote.h"
#include "render/draw_context.h"
#include "render/note_drawing.h"

namespace shinofu::render {

enum class CurveKind { Slur, Tie };

// Draws the slurs and ties that start at the note, and the second arc of those that end at it
// after starting on an earlier line.
void drawNoteCurves(DrawContext& context, const model::TNote& note, const NoteSpot& spot, double x);

}  // namespace shinofu::render
