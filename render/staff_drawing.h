// One staff: clef, key signature, time signature, staff lines, bar lines and measure numbers.
#pragma once

#include "render/draw_context.h"

namespace shinofu::render {

struct StaffPlacement {
    int row;           // staff row on the page, from 1
    bool fClef;
    double bottomY;    // y of the bottom staff line, pixels
    double leftX;      // where the staff lines begin, pixels
    int lineIndex;     // the line's entry in the page tables, for measure numbers
    bool firstSystem;  // carries the time signature
};

void draw5lines(DrawContext& context, const StaffPlacement& staff);

// One accidental glyph (0 sharp .. 4 double flat) whose reference x lies right of the glyph.
void drawTempSym(DrawContext& context, int kind, double y, double x);

// A thin line in the given colour, for ledger lines and the like.
void nsLine(DrawContext& context, double x1, double y1, model::Colour colour, double y2, double x2);

}  // namespace shinofu::render
