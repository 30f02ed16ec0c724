// The geometry of the numeric score page: strips read right to left, a cell a beat.
#pragma once

#include "model/colour.h"
#include "model/score.h"

namespace shinofu::numeric {

constexpr int kNumMarginX = 100;  // pixels left and right of the strips
constexpr int kNumMarginY = 80;   // pixels above each block and below the last

// The sixteen colours the numeric settings choose from by index.
model::Colour numericColour(int choice);
// Symbol height as a share of the cell width, by size choice 0 (大) .. 4 (小).
double numericSymbolRatio(int sizeChoice);

struct NumericPageLayout {
    int cellUnits;   // length units of one cell: a quarter, or an eighth in 3/8 and 6/8
    int stripLen;    // length units down one strip
    int blockLen;    // length units across one block
    int total;       // length of the part
    int fullBlocks;
    int lastStrips;  // strips filled in the last, partial block
    double cellW;
    double cellH;
    int tiers;
    int rows;
    int columns;

    // Where a position of the part falls: block b, strip s from the left, position p in the strip.
    struct Place {
        int block;
        int strip;
        int position;
    };
    Place placeOf(int position) const;
    double blockTop(int block) const { return kNumMarginY + block * (rows * cellH + kNumMarginY); }
    double stripLeft(int strip) const { return kNumMarginX + strip * cellW; }
};

NumericPageLayout numericPageLayout(const model::Score& score, int part, int pageWidth, int pageHeight);

}  // namespace shinofu::numeric
