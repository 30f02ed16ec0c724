#include "render/entry_preview.h"

#include "render/draw_context.h"
#include "render/note_drawing.h"
#include "render/page_geometry.h"

namespace shinofu::render {
namespace {

constexpr uint8_t kHighestStemUpPitch = 20;  // a1; from b1 the stem goes down

}  // namespace

void drawEntryPreview(platform::Canvas& canvas, const model::Score& score, const ViewState& view,
                      const PageTables& tables, const ScoreHit& hit, int position, uint8_t pitch, int len) {
    if (hit.line < 1 || hit.line > tables.systemsPerPage || hit.staff < 1 || hit.part < 1 || len < 1) return;
    ViewState preview = view;
    preview.drawColor = view.editDrawColor;
    PageGeometry geometry(score, preview, tables);
    geometry.selectLine(hit.line);
    DrawContext context{canvas, score, preview, tables, geometry};
    model::TNote ghost;
    ghost.pitch = pitch;
    ghost.len = len;
    ghost.stemUp = pitch <= kHighestStemUpPitch;
    const NoteSpot spot{(hit.line - 1) * std::max(1, tables.stavesPerSystem) + hit.staff, hit.measure, position + 1,
                        score.part(hit.part).fClef};
    canvas.setPen({view.editDrawColor, context.thinPenWidth()});
    if (pitch == model::kRest) {
        drawRest(context, ghost, spot);
    } else {
        drawOnpu(context, ghost, spot);
    }
}

}  // namespace shinofu::render
