#include "edit/mark_commands.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "edit/edit_mode.h"
#include "edit/selection.h"
#include "model/line_fit.h"

namespace shinofu::edit {
namespace {

model::LineScale lineScale(const model::Score& score, const render::ViewState& view) {
    return model::fitScoreLine(score, view.viewWidth, view.noteSize, std::max(1, score.song.measPerLine));
}

model::TMark markAt(const model::Score& score, int page, int anchor, std::string text, int fontIndex, int fontSize,
                    int dx, int dy) {
    model::TMark mark;
    mark.page = page;
    mark.anchorPos = anchor;
    mark.measOffset = anchor % std::max(1, score.measureLen());
    mark.width = static_cast<int>(text.size()) * fontSize / 2;
    mark.height = fontSize;
    mark.text = std::move(text);
    mark.fontIndex = fontIndex;
    mark.fontSize = fontSize;
    mark.dx = dx;
    mark.dy = dy;
    return mark;
}

void finishMarks(model::Score& score, EditState& state, bool toPlainEditing) {
    clearSelection(score, state);
    if (toPlainEditing) state.editMode = kEditMode;
    markChanged(score);
}

}  // namespace

model::TMark performanceMark(const model::Score& score, MarkKind kind, int anchor, int page) {
    if (kind == MarkKind::Breath) {
        model::TMark mark = markAt(score, page, anchor, "W", 1, 8, -4, -10);
        mark.breath = true;
        return mark;
    }
    const bool other = kind == MarkKind::Other;
    const char* text = kind == MarkKind::Fermata ? "V" : kind == MarkKind::Rit ? "^" : kind == MarkKind::ATempo ? "_" : "?";
    model::TMark mark = markAt(score, page, anchor, text, other ? 0 : 1, other ? 8 : 14, 0, -15);
    mark.fermata = kind == MarkKind::Fermata;
    mark.rit = kind == MarkKind::Rit;
    mark.aTempo = kind == MarkKind::ATempo;
    mark.other = other;
    return mark;
}

model::TMark dynamicsMark(const model::Score& score, int dynamics, int anchor, int page) {
    // The music font's letters for ppp .. fff.
    static constexpr const char* kGlyphs[] = {"H", "D", "F", "E", "B", "C", "A", "G"};
    model::TMark mark = markAt(score, page, anchor, kGlyphs[std::clamp(dynamics, 1, 8) - 1], 1, 12, 0,
                                  model::kDynamicsDefaultDy);
    mark.dynamics = static_cast<uint8_t>(std::clamp(dynamics, 1, 8));
    return mark;
}

model::TMark hairpinMark(const model::Score& score, model::HairpinRole role, int anchor, int page, double sixteenthWidth) {
    model::TMark mark = markAt(score, page, anchor, " ", 1, 8, 0, -10);
    mark.dx = static_cast<int>(std::lround(sixteenthWidth + (mark.measOffset - 1) * sixteenthWidth / 3));
    mark.hairpin = role;
    return mark;
}

std::optional<model::TScoreSym> measureSign(model::SymbolKind kind, int measureStart, int page, double measureWidth) {
    struct SignValues {
        model::SymbolKind kind;
        std::string_view text;
        int dy;
        int fontSize;  // 0: the symbol default
        int width;     // 0: the symbol default
        int height;    // 0: the symbol default
        bool atRightEnd;
        int dx;  // when not at the right end
    };
    static constexpr SignValues kSigns[] = {
        {model::kStop, " ", -10, 0, 12, 14, true, 0},         {model::kDaCapo, "X", -23, 14, 0, 0, true, 0},
        {model::kDalSegno, "Y", -23, 14, 0, 0, true, 0},      {model::kSegno, "Z", -23, 14, 0, 0, false, 0},
        {model::kFine, "]", -23, 14, 0, 0, true, 0},          {model::kRepeatRight, " ", -10, 14, 12, 14, true, 0},
        {model::kRepeatLeft, " ", -10, 14, 14, 14, false, 0}, {model::kFirstEnding, "1.", -17, 6, 0, 0, false, 3},
        {model::kSecondEnding, "2.", -17, 6, 0, 0, false, 3}, {model::kCoda, "[", -23, 14, 0, 0, false, 0},
        {model::kToCoda, "\\", -23, 14, 0, 0, true, 0},
    };
    const auto* values = std::find_if(std::begin(kSigns), std::end(kSigns), [kind](const SignValues& v) { return v.kind == kind; });
    if (values == std::end(kSigns)) return std::nullopt;
    model::TScoreSym sign;
    sign.kind = kind;
    sign.text.assign(values->text);
    sign.page = page;
    sign.anchorPos = measureStart;
    sign.measOffset = 0;
    // At the measure's right end: 12 layout units left of its bar line.
    sign.dx = values->atRightEnd ? static_cast<int>(std::lround(measureWidth - 12)) : values->dx;
    sign.dy = values->dy;
    if (values->fontSize) sign.fontSize = values->fontSize;
    if (values->width) sign.width = values->width;
    if (values->height) sign.height = values->height;
    sign.fontIndex = kind == model::kFirstEnding || kind == model::kSecondEnding ? 0 : 1;
    return sign;
}

bool addMark(model::Score& score, const render::ViewState& view, EditState& state, MarkKind kind) {
    model::TNote* note = state.curNote;
    if (!note || note->isEndMarker()) return false;
    if (kind == MarkKind::Breath) {
        model::TNote* after = note->next;
        if (!after || after->isEndMarker()) return false;
        score.part(score.curPart).marks.push_back(performanceMark(score, kind, after->startPos, view.curPage));
        finishMarks(score, state, false);
        return true;
    }
    score.part(score.curPart).marks.push_back(performanceMark(score, kind, note->startPos, view.curPage));
    finishMarks(score, state, true);
    return true;
}

bool addDynamics(model::Score& score, const render::ViewState& view, EditState& state, int dynamics) {
    model::TNote* note = state.curNote;
    if (!note || note->isEndMarker() || dynamics < 1 || dynamics > 8) return false;
    score.part(score.curPart).marks.push_back(dynamicsMark(score, dynamics, note->startPos, view.curPage));
    finishMarks(score, state, true);
    return true;
}

bool addHairpin(model::Score& score, const render::ViewState& view, EditState& state, model::HairpinRole role) {
    const std::vector<model::TNote*> selected = selectedNotes(score);
    if (selected.empty()) return false;
    const double sixteenth = lineScale(score, view).sixteenthWidth;
    for (model::TNote* note : selected) {
        score.part(score.curPart).marks.push_back(hairpinMark(score, role, note->startPos, view.curPage, sixteenth));
    }
    finishMarks(score, state, true);
    return true;
}

bool addMeasureSign(model::Score& score, const render::ViewState& view, EditState& state, model::SymbolKind kind) {
    if (!state.click) return false;
    const auto sign = measureSign(kind, state.click->measureStart, view.curPage, lineScale(score, view).measureWidth);
    if (!sign) return false;
    for (int part = 1; part <= score.partCount; ++part) score.part(part).symbols.push_back(*sign);
    markChanged(score);
    return true;
}

}  // namespace shinofu::edit
