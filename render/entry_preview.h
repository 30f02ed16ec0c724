// The note a press in the entry overlay would enter, drawn in the edit colour where it would stand,
// so the pointer shows pitch and grid position before the press.
#pragma once

#include "model/score.h"
#include "platform/canvas.h"
#include "render/hit_test.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::render {

// position: length units inside the hit measure; pitch 0 draws a rest.
void drawEntryPreview(platform::Canvas& canvas, const model::Score& score, const ViewState& view,
                      const PageTables& tables, const ScoreHit& hit, int position, uint8_t pitch, int len);

}  // namespace shinofu::render
