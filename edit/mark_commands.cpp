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

model::TMark markAt(const model::Score& score, const render::ViewState& view, int anchor, std::string text,
                    int fontIndex, int fontSize, int dx, int dy) {
    model::TMark mark;
    mark.page = view.curPage;
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

bool addMark(model::Score& score, const render::ViewState& view, EditState& state, MarkKind kind) {
    model::TNote* note = state.curNote;
    if (!note || note->isEndMarker()) return false;
    if (kind == MarkKind::Breath) {
        model::TNote* after = note->next;
        if (!after || after->isEndMarker()) return false;
        model::TMark mark = markAt(score, view, after->startPos, "W", 1, 8, -4, -10);
        mark.breath = true;
        score.part(score.curPart).marks.push_back(std::move(mark));
        finishMarks(score, state, false);
        return true;
    }
    const bool other = kind == MarkKind::Other;
    const char* text = kind == MarkKind::Fermata ? "V" : kind == MarkKind::Rit ? "^" : kind == MarkKind::ATempo ? "_" : "?";
    model::TMark mark = markAt(score, view, note->startPos, text, other ? 0 : 1, other ? 8 : 14, 0, -15);
    mark.fermata = kind == MarkKind::Fermata;
    mark.rit = kind == MarkKind::Rit;
    mark.aTempo = kind == MarkKind::ATempo;
    mark.other = other;
    score.part(score.curPart).marks.push_back(std::move(mark));
    finishMarks(score, state, true);
    return true;
}

bool addDynamics(model::Score& score, const render::ViewState& view, EditState& state, int dynamics) {
    // The music font's letters for ppp .. fff.
    static constexpr const char* kGlyphs[] = {"H", "D", "F", "E", "B", "C", "A", "G"};
    model::TNote* note = state.curNote;
    if (!note || note->isEndMarker() || dynamics < 1 || dynamics > 8) return false;
    model::TMark mark = markAt(score, view, note->startPos, kGlyphs[dynamics - 1], 1, 12, 0, -15);
    mark.dynamics = static_cast<uint8_t>(dynamics);
    score.part(score.curPart).marks.push_back(std::move(mark));
    finishMarks(score, state, true);
    return true;
}

bool addHairpin(model::Score& score, const render::ViewState& view, EditState& state, model::HairpinRole role) {
    const std::vector<model::TNote*> selected = selectedNotes(score);
    if (selected.empty()) return false;
    const double sixteenth = lineScale(score, view).sixteenthWidth;
    for (model::TNote* note : selected) {
        model::TMark mark = markAt(score, view, note->startPos, " ", 1, 8, 0, -10);
        mark.dx = static_cast<int>(std::lround(sixteenth + (mark.measOffset - 1) * sixteenth / 3));
        mark.hairpin = role;
        score.part(score.curPart).marks.push_back(std::move(mark));
    }
    finishMarks(score, state, true);
    return true;
}

bool addMeasureSign(model::Score& score, const render::ViewState& view, EditState& state, model::SymbolKind kind) {
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
    if (!state.click || values == std::end(kSigns)) return false;
    model::TScoreSym sign;
    sign.kind = kind;
    sign.text.assign(values->text);
    sign.page = view.curPage;
    sign.anchorPos = state.click->measureStart;
    sign.measOffset = 0;
    // At the measure's right end: 12 layout units left of its bar line.
    sign.dx = values->atRightEnd ? static_cast<int>(std::lround(lineScale(score, view).measureWidth - 12)) : values->dx;
    sign.dy = values->dy;
    if (values->fontSize) sign.fontSize = values->fontSize;
    if (values->width) sign.width = values->width;
    if (values->height) sign.height = values->height;
    sign.fontIndex = kind == model::kFirstEnding || kind == model::kSecondEnding ? 0 : 1;
    for (int part = 1; part <= score.partCount; ++part) score.part(part).symbols.push_back(sign);
    markChanged(score);
    return true;
}

}  // namespace shinofu::edit
