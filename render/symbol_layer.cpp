#include "render/symbol_layer.h"

#include <algorithm>
#include <vector>

#include "render/anchored_place.h"
#include "render/bar_signs.h"
#include "render/clear_place.h"
#include "render/drawn_text.h"
#include "render/music_codes.h"

namespace shinofu::render {
namespace {

constexpr int kMusicFontIndex = 1;  // font index 1 of a score is always the music font
constexpr double kSignTextDrop = 6;  // layout units from the staff base to the fourth line, where sign texts hang

// Whether signs (from the first index on) hold one like this: the same sign at the same place.
bool hasSign(const std::vector<model::TScoreSym>& symbols, size_t first, const model::TScoreSym& sign) {
    return std::any_of(symbols.begin() + static_cast<std::ptrdiff_t>(std::min(first, symbols.size())), symbols.end(),
                       [&](const model::TScoreSym& other) {
                           return other.kind == sign.kind && other.anchorPos == sign.anchorPos && other.text == sign.text;
                       });
}

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

void SymbolLayer::pageDrawn(DrawContext& context, int pageEnd) {
    items_.clear();
    if (context.score.part(1).symbols.size() < model::fixedSymCount) return;
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.setTextBackground(false, context.view.backColor);
    context.atRow(0);  // song data and free texts belong to the row they stand nearest
    if (context.view.curPage == 1) drawSongData(context);
    // A sign belongs to the page its measure is on: a sign at a page's first measure (and at the
    // score's very first) is drawn there.
    const int pageStart = context.tables.pageStart(context.view.curPage);
    for (int part = 1; part <= context.score.partCount; ++part) {
        if (!context.score.part(part).visible) continue;
        const auto& symbols = context.score.part(part).symbols;
        const int partner = chorusPartner(context.score, context.tables, part);
        for (size_t i = part == 1 ? model::fixedSymCount : 0; i < symbols.size(); ++i) {
            const model::TScoreSym& symbol = symbols[i];
            const int index = static_cast<int>(i);
            // A chorus pair shares its staff's signs: the first part's stands for both.
            const size_t partnerFirst = partner == 1 ? model::fixedSymCount : 0;
            if (partner != 0 && symbol.kind != model::kPlainText &&
                hasSign(context.score.part(partner).symbols, partnerFirst, symbol)) {
                continue;
            }
            if (symbol.kind == model::kPlainText) {
                if (symbol.page != context.view.curPage) continue;
                const double u = context.geometry.unit();
                // A text the user put somewhere stays there; what comes after keeps clear of it.
                context.atRow(0);
                context.beginItem(InkKind::Symbol);
                drawText(context, part, index, px(symbol.dx * u - context.view.originX),
                         px(symbol.dy * u - context.view.originY));
            } else if (symbol.anchorPos >= pageStart && symbol.anchorPos < pageEnd) {
                drawSign(context, part, index);
            }
        }
    }
}

void SymbolLayer::drawSongData(DrawContext& context) {
    // Offsets are in units of two pixels at normal zoom.
    const double scale = context.geometry.unit() * 2 / context.view.noteSize;
    const auto& symbols = context.score.part(1).symbols;
    auto placeOf = [&](int index) {
        const model::TScoreSym& symbol = symbols[static_cast<size_t>(index)];
        return std::pair(px(symbol.dx * scale - context.view.originX), px(symbol.dy * scale - context.view.originY));
    };
    for (int i = 0; i < model::fixedSymCount; ++i) {
        if (i == model::kMetronomeSymbol || symbols[static_cast<size_t>(i)].text.empty()) continue;
        // The tempo's number and its metronome note are one mark: they give way together.
        const bool tempo = i == model::kTempoSymbol && !symbols[model::kMetronomeSymbol].text.empty();
        placeClear(context, InkKind::Symbol, Away::Down, [&](DrawContext& target, int dx, int dy) {
            for (int index : tempo ? std::vector<int>{i, model::kMetronomeSymbol} : std::vector<int>{i}) {
                const auto [x, y] = placeOf(index);
                drawText(target, 1, index, x + dx, y + dy);
            }
        });
    }
}

void SymbolLayer::drawSign(DrawContext& context, int part, int index) {
    const model::TScoreSym& symbol = context.score.part(part).symbols[static_cast<size_t>(index)];
    const SignDrawing drawing = signDrawing(symbol.kind);
    if (!drawing.bar && !drawing.text) return;
    const std::optional<AnchoredPlace> place = anchoredPlace(context, part, symbol.anchorPos);
    if (!place) return;
    if (drawing.bar) {
        // A start repeat gives way to the right (past a line's clef, key and time), an ending's
        // bracket upwards over the notes; a sign at the closing bar line stands on it.
        auto draw = [&](DrawContext& target, int dx, int dy) {
            const auto bounds = drawBarSign(target, place->measure, place->base, *drawing.bar, dx, dy);
            if (bounds && !target.measuring) {
                items_.push_back({ItemKind::Symbol, part, index, (*bounds)[0], (*bounds)[1], (*bounds)[2], (*bounds)[3]});
            }
        };
        if (*drawing.bar == BarSign::StartRepeat || *drawing.bar == BarSign::EndingBracket) {
            placeClear(context, InkKind::Symbol, *drawing.bar == BarSign::StartRepeat ? Away::Right : Away::Up, draw);
        } else {
            context.beginItem(InkKind::Symbol);
            draw(context, 0, 0);
        }
    }
    if (drawing.text) {
        // drawSignText: from the measure's left bar line and the fourth staff line.
        const PageGeometry& g = context.geometry;
        const double u = g.unit();
        const int x = px(u * (g.headWidth() + (place->measure - 1) * g.measureWidth() + symbol.dx) - context.view.originX);
        const int y = px(place->base + (kSignTextDrop + symbol.dy) * u);
        // Away from its staff, to the side its formula puts it.
        placeClear(context, InkKind::Symbol, [&](const Box& ink) { return GiveWay{awayFromStaff(context, ink, place->base)}; },
                   [&](DrawContext& target, int dx, int dy) { drawText(target, part, index, x + dx, y + dy); });
    }
}

void SymbolLayer::drawText(DrawContext& target, int part, int index, int x, int y) {
    const model::TScoreSym& symbol = target.score.part(part).symbols[static_cast<size_t>(index)];
    const std::string text = drawnText(symbol.text);
    platform::FontDescription font = symbolFont(target, symbol);
    if (symbol.kind != model::kPlainText && index >= model::fixedSymCount) font.weight = 400;
    target.canvas.setTextColour(target.view.drawColor);
    target.canvas.text(x, y, text, font);
    if (target.measuring) return;
    items_.push_back({ItemKind::Symbol, part, index, x, y, x + target.canvas.textWidth(text, font),
                      y + target.canvas.textHeight(text, font)});
}

}  // namespace shinofu::render
