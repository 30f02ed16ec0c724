#include "output/score_page.h"

#include "numeric/fingering_overlay.h"
#include "numeric/numeric_page.h"
#include "render/lyric_layer.h"
#include "render/mark_layer.h"
#include "render/symbol_layer.h"

namespace shinofu::output {

render::PageItems drawScorePage(platform::Canvas& canvas, const model::Score& score, const render::ViewState& view,
                   const render::PageOptions& options) {
    if (view.numericDisplay) {
        numeric::NumericPageFrame frame{view.viewWidth, view.viewHeight, view.originX, view.originY,
                                        view.backColor, view.drawColor, options.clear, options.tints};
        numeric::drawNumPage(canvas, score, frame);
        return {};
    }
    numeric::FingeringOverlay overlay;
    render::LyricLayer lyrics;
    render::SymbolLayer symbols;
    render::MarkLayer marks;
    render::PageOptions withLayers = options;
    withLayers.layers.insert(withLayers.layers.begin(), {&overlay, &lyrics, &symbols, &marks});
    render::drawPage(canvas, score, view, withLayers);
    render::PageItems items = symbols.items();
    items.insert(items.end(), marks.items().begin(), marks.items().end());
    return items;
}

}  // namespace shinofu::output
