#include "render/song_data_symbols.h"

#include "render/drawn_text.h"
#include "render/music_codes.h"

namespace shinofu::render {
namespace {

constexpr int kMusicFontIndex = 1;  // font index 1 of a score is always the music font

}  // namespace

platform::FontDescription symbolFont(const DrawContext& context, const model::SymbolFields& symbol) {
    platform::FontDescription font;
    font.height = px(symbol.fontSize * context.geometry.unit());
    font.weight = symbol.bold ? 700 : 400;
    font.italic = symbol.italic;
    const int index = symbol.fontIndex >= 0 && symbol.fontIndex < model::kFontCount ? symbol.fontIndex : 0;
    font.face = index == kMusicFontIndex ? kMusicFace : context.score.fonts[index];
    return font;
}

void SongDataSymbols::pageDrawn(DrawContext& context, int) {
    const auto& symbols = context.score.part(1).symbols;
    if (context.view.curPage != 1 || symbols.size() < model::fixedSymCount) return;
    // Offsets are in units of two pixels at normal zoom.
    const double scale = context.geometry.unit() * 2 / context.view.noteSize;
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.setTextBackground(false, context.view.backColor);
    for (int i = 0; i < model::fixedSymCount; ++i) {
        const model::TScoreSym& symbol = symbols[static_cast<size_t>(i)];
        if (symbol.text.empty()) continue;
        context.canvas.text(px(symbol.dx * scale - context.view.originX), px(symbol.dy * scale - context.view.originY),
                            drawnText(symbol.text), symbolFont(context, symbol));
    }
}

}  // namespace shinofu::render
