#include "render/anchored_place.h"

#include "render/page_drawer.h"

namespace shinofu::render {

int visibleOrdinal(const model::Score& score, int part) {
    if (!score.part(part).visible) return 0;
    int ordinal = 0;
    for (int p = 1; p <= part; ++p) ordinal += score.part(p).visible ? 1 : 0;
    return ordinal;
}

int chorusPartner(const model::Score& score, const PageTables& tables, int part) {
    const int ordinal = visibleOrdinal(score, part);
    if (ordinal == 0 || ordinal % 2 != 0 || ordinal > 2 * tables.chorusCount) return 0;
    for (int other = 1; other < part; ++other) {
        if (visibleOrdinal(score, other) == ordinal - 1) return other;
    }
    return 0;
}

std::optional<AnchoredPlace> anchoredPlace(DrawContext& context, int part, int position) {
    const int ordinal = visibleOrdinal(context.score, part);
    if (ordinal == 0 || position < 0) return std::nullopt;
    const LinePosition at = posToLine(context.tables, context.score.measureLen(), position);
    if (at.line < 0) return std::nullopt;
    const int row = firstRowOf(ordinal, context.tables.chorusCount) + context.tables.stavesPerSystem * at.line;
    context.geometry.selectLine(at.line + 1);
    context.atRow(row);
    return AnchoredPlace{row, at.measure, at.offset, at.line, context.geometry.staffBase(row)};
}

std::optional<StaffPoint> staffPointOf(const model::Score& score, const ViewState& view, const PageTables& tables,
                                       int part, int position) {
    const int ordinal = visibleOrdinal(score, part);
    if (ordinal == 0 || position < 0) return std::nullopt;
    const LinePosition at = posToLine(tables, score.measureLen(), position);
    if (at.line < 0) return std::nullopt;
    PageGeometry geometry(score, view, tables);
    geometry.selectLine(at.line + 1);
    const int row = firstRowOf(ordinal, tables.chorusCount) + tables.stavesPerSystem * at.line;
    return StaffPoint{px(geometry.noteX(at.measure, at.offset)), px(geometry.staffBase(row))};
}

}  // namespace shinofu::render
