#include "output/score_page.h"

#include "numeric/fingering_overlay.h"
#include "numeric/numeric_page.h"
#include "render/song_data_symbols.h"

namespace shinofu::output {

void drawScorePage(platform::Canvas& canvas, const model::Score& score, const render::ViewState& view,
                   const render::PageOptions& options) {
    if (view.numericDisplay) {
        numeric::NumericPageFrame frame{view.viewWidth, view.viewHeight, view.originX, view.originY,
                                        view.backColor, view.drawColor, options.clear};
        numeric::drawNumPage(canvas, score, frame);
        return;
    }
    numeric::FingeringOverlay overlay;
    render::SongDataSymbols songData;
    render::PageOptions withLayers = options;
    withLayers.layers.insert(withLayers.layers.begin(), {&overlay, &songData});
    render::drawPage(canvas, score, view, withLayers);
}

}  // namespace shinofu::output
