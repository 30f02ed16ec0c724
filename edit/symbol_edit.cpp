#include "edit/symbol_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "edit/selection.h"
#include "platform/text_codec.h"

namespace shinofu::edit {
namespace {

constexpr int kSmallestSize = 3;
constexpr int kDefaultTextSize = 10;
constexpr double kOverlayStep = 0.2;
constexpr double kOverlayFloor = 3.0;

// Width in layout units: half the font size for each byte the file writes.
int widthOf(const std::string& text, int fontSize) { return platform::TextCodec::sjisLength(text) * fontSize / 2; }

int layoutUnits(double pixels, double origin, double unit) { return static_cast<int>(std::lround((pixels + origin) / unit)); }

}  // namespace

model::SymbolFields* symbolFields(model::Score& score, const SymbolTarget& target) {
    if (target.part < 1 || target.part > model::kMaxParts || target.index < 0) return nullptr;
    model::Part& part = score.part(target.part);
    const auto index = static_cast<size_t>(target.index);
    if (target.kind == render::ItemKind::Mark) return index < part.marks.size() ? &part.marks[index] : nullptr;
    return index < part.symbols.size() ? &part.symbols[index] : nullptr;
}

bool nudgeSymbol(model::Score& score, const SymbolTarget& target, int dx, int dy) {
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields || (dx == 0 && dy == 0)) return false;
    fields->dx += dx;
    fields->dy += dy;
    markChanged(score);
    return true;
}

bool stepSymbolSize(model::Score& score, const SymbolTarget& target, bool up) {
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields) return false;
    if (up) {
        ++fields->fontSize;
    } else if (fields->fontSize > kSmallestSize) {
        --fields->fontSize;
    }
    fields->width = widthOf(fields->text, fields->fontSize);
    fields->height = fields->fontSize;
    markChanged(score);
    return true;
}

bool setSymbolFont(model::Score& score, const SymbolTarget& target, int fontIndex) {
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields || fontIndex < 0 || fontIndex >= model::kFontCount || fields->fontIndex == fontIndex) return false;
    fields->fontIndex = fontIndex;
    markChanged(score);
    return true;
}

bool setSymbolStyle(model::Score& score, const SymbolTarget& target, bool bold, bool italic) {
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields || (fields->bold == bold && fields->italic == italic)) return false;
    fields->bold = bold;
    fields->italic = italic;
    markChanged(score);
    return true;
}

bool setSymbolText(model::Score& score, const SymbolTarget& target, std::string text) {
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields) return false;
    if (text.empty()) text = " ";
    fields->text = std::move(text);
    fields->width = widthOf(fields->text, fields->fontSize);
    markChanged(score);
    return true;
}

void addTextSymbol(model::Score& score, const render::ViewState& view, int part, const MarkerPlace& marker,
                   const std::string& text, const std::string& sizeField, int fontIndex) {
    model::TScoreSym symbol;
    int size = kDefaultTextSize;
    const auto [end, error] = std::from_chars(sizeField.data(), sizeField.data() + sizeField.size(), size);
    if (error != std::errc() || end != sizeField.data() + sizeField.size() || size < 1) size = kDefaultTextSize;
    symbol.kind = model::kPlainText;
    symbol.page = view.curPage;
    symbol.text = text.empty() ? " " : text;
    symbol.fontSize = size;
    symbol.fontIndex = fontIndex >= 0 && fontIndex < model::kFontCount ? fontIndex : 0;
    symbol.dx = layoutUnits(marker.x, view.originX, view.drawUnit());
    symbol.dy = layoutUnits(marker.y, view.originY, view.drawUnit()) - size;
    symbol.width = widthOf(symbol.text, size);
    symbol.height = size;
    score.part(std::clamp(part, 1, model::kMaxParts)).symbols.push_back(std::move(symbol));
    markChanged(score);
}

bool moveSymbolTo(model::Score& score, const render::ViewState& view, const SymbolTarget& target, const MarkerPlace& marker) {
    if (target.kind != render::ItemKind::Symbol) return false;
    model::SymbolFields* fields = symbolFields(score, target);
    if (!fields) return false;
    fields->dx = layoutUnits(marker.x, view.originX, view.drawUnit());
    fields->dy = layoutUnits(marker.y, view.originY, view.drawUnit()) - fields->fontSize;
    markChanged(score);
    return true;
}

bool deleteSymbol(model::Score& score, const SymbolTarget& target) {
    if (!symbolFields(score, target)) return false;
    model::Part& part = score.part(target.part);
    const auto index = static_cast<size_t>(target.index);
    if (target.kind == render::ItemKind::Mark) {
        part.marks.erase(part.marks.begin() + static_cast<std::ptrdiff_t>(index));
    } else if (target.part == 1 && target.index < model::fixedSymCount) {
        part.symbols[index].text = " ";  // the song data keeps its places
    } else if (const model::TScoreSym sign = part.symbols[index]; sign.kind != model::kPlainText) {
        for (int other = 1; other <= model::kMaxParts; ++other) {
            auto& symbols = score.part(other).symbols;
            const size_t fixed = other == 1 ? model::fixedSymCount : 0;
            for (size_t i = symbols.size(); i-- > fixed;) {
                if (symbols[i].kind == sign.kind && symbols[i].anchorPos == sign.anchorPos) {
                    symbols.erase(symbols.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            }
        }
    } else {
        part.symbols.erase(part.symbols.begin() + static_cast<std::ptrdiff_t>(index));
    }
    markChanged(score);
    return true;
}

bool stepOverlayDrop(model::Score& score, bool up) {
    double& drop = score.numeric.numDrop;
    if (up && drop <= kOverlayFloor) return false;
    drop += up ? -kOverlayStep : kOverlayStep;
    markChanged(score);
    return true;
}

bool stepOverlaySize(model::Score& score, const render::ViewState& view, bool up) {
    double& size = score.numeric.numSizeRatio;
    if (!up && size <= kOverlayFloor) return false;
    size += (up ? 1.0 : -1.0) / std::max(0.1, view.drawUnit());
    markChanged(score);
    return true;
}

void setOverlayBold(model::Score& score, bool bold) {
    if (score.numeric.numBold == bold) return;
    score.numeric.numBold = bold;
    markChanged(score);
}

}  // namespace shinofu::edit
