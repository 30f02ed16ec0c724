// The symbol dialog's commands on one score symbol or performance mark, its free-text additions,
// and in its other use the size, drop and weight of the fingering overlay.
#pragma once

#include <string>

#include "model/score.h"
#include "render/item_bounds.h"
#include "render/view_state.h"

namespace shinofu::edit {

// The symbol or mark being edited: which list, which part, which entry.
struct SymbolTarget {
    render::ItemKind kind;
    int part;
    int index;
};

// Null when the target no longer exists (deleted, or the score replaced).
model::SymbolFields* symbolFields(model::Score& score, const SymbolTarget& target);

bool nudgeSymbol(model::Score& score, const SymbolTarget& target, int dx, int dy);
// Up one point, or down one while above 3; width and height follow.
bool stepSymbolSize(model::Score& score, const SymbolTarget& target, bool up);
bool setSymbolFont(model::Score& score, const SymbolTarget& target, int fontIndex);
bool setSymbolStyle(model::Score& score, const SymbolTarget& target, bool bold, bool italic);
// An empty text becomes " ", so the symbol can still be found and picked.
bool setSymbolText(model::Score& score, const SymbolTarget& target, std::string text);

// Where the position marker stands on the view, whose top-left corner places a symbol.
struct MarkerPlace {
    int x;  // pixels of the view
    int y;
};
// A plain text at the marker in the target's part; the size field read as a number, else 10.
void addTextSymbol(model::Score& score, const render::ViewState& view, int part, const MarkerPlace& marker,
                   const std::string& text, const std::string& sizeField, int fontIndex);
// Moves a score symbol (not a mark) to the marker.
bool moveSymbolTo(model::Score& score, const render::ViewState& view, const SymbolTarget& target, const MarkerPlace& marker);
// Marks go; the song data's own texts become " "; a sign goes from every part; a text from its list.
bool deleteSymbol(model::Score& score, const SymbolTarget& target);

// The fingering overlay's drop and size ("フォントサイズ／位置") and its weight.
bool stepOverlayDrop(model::Score& score, bool up);
bool stepOverlaySize(model::Score& score, const render::ViewState& view, bool up);
void setOverlayBold(model::Score& score, bool bold);

}  // namespace shinofu::edit
