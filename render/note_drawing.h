// Notes and rests of the staff: glyph, augmentation dot, ledger lines and accidental.
#pragma once

#include "model/tnote.h"
#include "render/draw_context.h"

namespace shinofu::render {

struct NoteSpot {
    int row;       // staff row on the page
    int measure;   // measure in the line, from 1
    int position;  // position in the measure, from 1 (length units + 1)
    bool fClef;
};

// Returns the note's unrounded x, which the layers drawn after it start from.
double drawOnpu(DrawContext& context, const model::TNote& note, const NoteSpot& spot);
void drawRest(DrawContext& context, const model::TNote& note, const NoteSpot& spot);

// The note glyph (offset from the glyph base) for a note, or nothing for lengths without one.
std::optional<int> noteGlyphOffset(const model::TNote& note);
// The rest character for a length in the meter, or nothing.
std::optional<char> restGlyph(int len, int meterIndex);

}  // namespace shinofu::render
