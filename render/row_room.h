// Room between staff rows: how far each row of a page stands lower than the row spacing puts it,
// so that what hangs below a row (low notes, numerals, lyrics, marks) keeps clear of what stands
// above the next. Found from the skylines of the page drawn as if every row had room.
#pragma once

#include <vector>

#include "render/ink_canvas.h"

namespace shinofu::render {

// ink: the page as drawn with every item keeping clear of its own row only; bands: each row's five
// lines, top to bottom. A gap whose ink overlaps opens to keep gap pixels; the rows below move
// down, no lower than pageBottom, taking room from gaps that have more than they need when the
// page's foot has too little. Layout units per row (unit pixels each); empty when nothing moves.
std::vector<double> rowDrops(const std::vector<Ink>& ink, const std::vector<Box>& bands, int gap, int pageBottom,
                             double unit);

}  // namespace shinofu::render
