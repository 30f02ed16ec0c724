// Placed items on the staff page keep clear of notes, staff signs and one another: each case drawn
// with the formulas' places alone (where the items overlap) and with the clearance (where they keep
// the gap), on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "edit/mark_commands.h"
#include "output/score_page.h"
#include "platform/recording_canvas.h"
#include "render/hit_test.h"
#include "render/ink_canvas.h"
#include "render/page_geometry.h"
#include "render/page_drawer.h"
#include "render/page_tables.h"
#include "support/read_notes.h"

using namespace shinofu;
using render::Ink;
using render::InkKind;
using shinofu::testing::readNotes;

namespace {

// The page's ink; items receives where the hit test finds the symbols and marks, rowDrop how far
// the rows were moved apart.
std::vector<Ink> pageInk(const model::Score& score, bool keepClear, render::PageItems* items = nullptr,
                         std::vector<double>* rowDrop = nullptr, const render::ViewState& view = {}) {
    std::vector<Ink> ink;
    platform::RecordingCanvas canvas;
    render::PageOptions options;
    options.ink = &ink;
    options.keepClear = keepClear;
    options.rowDrop = rowDrop;
    const render::PageItems drawn = output::drawScorePage(canvas, score, view, options);
    if (items) *items = drawn;
    return ink;
}

// The closest two items come, of which the first is of kind `of`: below -1 when they overlap (the
// boxes are rounded outwards: -1 is touching).
// Only pairs where one is a placed item count; a note's own pieces and the staff lines never do.
int closest(const std::vector<Ink>& ink, InkKind of, InkKind to) {
    int nearest = 1000;
    for (const Ink& a : ink) {
        if (a.kind != of) continue;
        for (const Ink& b : ink) {
            if (b.kind != to || a.owner == b.owner) continue;
            const int apartX = std::max(b.box.left - a.box.right, a.box.left - b.box.right);
            const int apartY = std::max(b.box.top - a.box.bottom, a.box.top - b.box.bottom);
            nearest = std::min(nearest, std::max(apartX, apartY));
        }
    }
    return nearest;
}

const double kUnit = 2.0;  // the default view's layout unit in pixels
const int kGap = render::clearanceGap(kUnit);

}  // namespace

TEST(Clearance, AStartRepeatAtALineStartStandsRightOfTheTimeSignature) {
    model::Score score;
    readNotes(score, {}, {"c2 n n 384 u,c2 n n 384 u,c2 n n 384 u,c2 n n 384 u,c2 n n 384 u"});
    score.recomputePositions();
    const auto sign = edit::measureSign(model::kRepeatLeft, 0, 1, 100);
    ASSERT_TRUE(sign);
    score.part(1).symbols.push_back(*sign);
    EXPECT_LT(closest(pageInk(score, false), InkKind::Symbol, InkKind::Staff), -1);
    const auto ink = pageInk(score, true);
    EXPECT_GE(closest(ink, InkKind::Symbol, InkKind::Staff), kGap);
    // It moved right only: still on the staff's height, left of the first note.
    int signLeft = 1000, firstNote = 1000;
    for (const Ink& piece : ink) {
        if (piece.kind == InkKind::Symbol) signLeft = std::min(signLeft, piece.box.left);
        if (piece.kind == InkKind::Note) firstNote = std::min(firstNote, piece.box.left);
    }
    EXPECT_LT(signLeft, firstNote);
}

TEST(Clearance, ADefaultDynamicAtTheFirstNoteGoesUnderTheStaffClearOfNotesAndLyrics) {
    model::Score score;
    readNotes(score, {}, {"g1 n n 96 u,a1 n n 96 u,b1 n n 96 u,c2 n n 96 u"});
    score.recomputePositions();
    for (model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) note->lyric = "さ";
    score.fixedSymbol(model::kTempoSymbol).text = "=72";
    score.fixedSymbol(model::kTempoSymbol).dx = 36;
    score.fixedSymbol(model::kTempoSymbol).dy = 39;
    score.part(1).marks.push_back(edit::dynamicsMark(score, 5, 0, 1));
    EXPECT_LT(closest(pageInk(score, false), InkKind::Mark, InkKind::Symbol), -1);
    render::PageItems items;
    const auto ink = pageInk(score, true, &items);
    for (InkKind other : {InkKind::Symbol, InkKind::Note, InkKind::Numeral, InkKind::Lyric}) {
        EXPECT_GE(closest(ink, InkKind::Mark, other), kGap) << static_cast<int>(other);
    }
    const render::ViewState view;
    const render::PageTables tables = render::buildPageTables(score, view);
    render::PageGeometry g(score, view, tables);
    for (const Ink& piece : ink) {
        if (piece.kind == InkKind::Mark) {
            EXPECT_GT(piece.box.top, g.staffBase(1) + 9 * kUnit);  // under the bottom line
        }
    }
    // The pointer finds it where it is drawn.
    const auto mark = std::find_if(items.begin(), items.end(), [](const auto& item) { return item.kind == render::ItemKind::Mark; });
    ASSERT_NE(mark, items.end());
    EXPECT_GT(mark->top, g.staffBase(1) + 9 * kUnit);
    // A dynamic the user moved keeps its own way: up, away from the staff.
    score.part(1).marks.back().dy = model::kDynamicsDefaultDy - 1;
    for (const Ink& piece : pageInk(score, true)) {
        if (piece.kind == InkKind::Mark) {
            EXPECT_LT(piece.box.bottom, g.staffBase(1));
        }
    }
}

TEST(Clearance, SongDataTextsNeverOverlapOneAnotherAtAnySize) {
    for (int size : {6, 12, 24, 40}) {
        model::Score score;
        readNotes(score, {}, {"c2 n n 384 u"});
        score.recomputePositions();
        const char* texts[] = {"さくらさくら", "作詞者の名前", "作曲者の名前", "=72"};
        const std::pair<int, int> places[] = {{200, 5}, {400, 20}, {400, 20}, {36, 39}};  // lyricist and composer alike
        for (int i = 0; i < 4; ++i) {
            auto& symbol = score.fixedSymbol(static_cast<model::FixedSymbol>(i));
            symbol.text = texts[i];
            symbol.dx = places[i].first;
            symbol.dy = places[i].second;
            symbol.fontSize = size;
        }
        EXPECT_LT(closest(pageInk(score, false), InkKind::Symbol, InkKind::Symbol), -1) << "size " << size;
        EXPECT_GE(closest(pageInk(score, true), InkKind::Symbol, InkKind::Symbol), kGap) << "size " << size;
    }
}

TEST(Clearance, NumeralsAndLyricsGoBelowALowBeam) {
    model::Score score;
    // Notes in the lower spaces with their stems down: the beam lies across the numerals' place.
    readNotes(score, {}, {"g1 n rs 48 d,a1 n rm 48 d,g1 n rm 48 d,a1 n rf 48 d,c2 n n 192 u"});
    score.recomputePositions();
    for (model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) note->lyric = "ら";
    model::TNote* note = score.part(1).partHead;
    for (int beamed = 0; beamed < 4; ++beamed, note = note->next) note->stemUp = false;
    const auto formula = pageInk(score, false);
    EXPECT_LT(closest(formula, InkKind::Numeral, InkKind::Note), -1);
    const auto ink = pageInk(score, true);
    // Nothing overlaps now (a numeral that only touched stays; those that moved keep the gap).
    EXPECT_GE(closest(ink, InkKind::Numeral, InkKind::Note), -1);
    EXPECT_GE(closest(ink, InkKind::Lyric, InkKind::Note), -1);
    EXPECT_GE(closest(ink, InkKind::Lyric, InkKind::Numeral), -1);
    // Only what was in the way moved: the last note's numeral (stem up) keeps its formula place.
    auto lastOf = [](const std::vector<Ink>& pieces, InkKind kind) {
        Ink last{};
        for (const Ink& piece : pieces) {
            if (piece.kind == kind && piece.box.left >= last.box.left) last = piece;
        }
        return last.box.top;
    };
    EXPECT_EQ(lastOf(ink, InkKind::Numeral), lastOf(formula, InkKind::Numeral));
}

// Random scores with marks and dynamics: an item whose formula place overlaps nothing drawn before
// it stays there, and an item that moved keeps the gap from everything drawn before it.
TEST(Clearance, ItemsMoveOnlyWhenInTheWayAndThenKeepTheGap) {
    std::mt19937 rng(20261208);
    const char* pitches[] = {"g1", "b1", "d2", "f2", "a2", "c1", "rest"};
    int moved = 0;
    for (int round = 0; round < 30; ++round) {
        std::string notes;
        for (int i = 0; i < 32; ++i) {
            notes += (i ? "," : "") + std::string(pitches[rng() % std::size(pitches)]) + " n n 96 " + (rng() % 2 ? "u" : "d");
        }
        model::Score score;
        readNotes(score, {}, {notes});
        score.recomputePositions();
        for (model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) {
            if (rng() % 3 == 0) score.part(1).marks.push_back(edit::dynamicsMark(score, 1 + static_cast<int>(rng() % 8), note->startPos, 1));
            if (rng() % 5 == 0) {
                score.part(1).marks.push_back(
                    edit::performanceMark(score, static_cast<edit::MarkKind>(1 + rng() % 3), note->startPos, 1));
            }
        }
        const auto formula = pageInk(score, false);
        std::vector<double> rowDrop;
        const auto ink = pageInk(score, true, nullptr, &rowDrop);
        ASSERT_EQ(formula.size(), ink.size());
        // Where the formula puts an item once its row has been moved apart from the one above.
        auto rowShift = [&](const Ink& piece) {
            const size_t row = static_cast<size_t>(piece.row - 1);
            return row < rowDrop.size() ? static_cast<int>(std::lround(rowDrop[row] * render::ViewState{}.drawUnit())) : 0;
        };
        auto nearEarlier = [&](size_t item, const render::Box& box, int gap) {
            for (size_t j = 0; j < ink.size() && ink[j].owner < ink[item].owner; ++j) {
                if (ink[j].kind != InkKind::Ground && ink[j].kind != InkKind::StaffLine && box.near(ink[j].box, gap)) return true;
            }
            return false;
        };
        for (size_t i = 0; i < ink.size(); ++i) {
            if (!render::isPlacedItem(ink[i].kind)) continue;
            const render::Box placed = formula[i].box.moved(0, rowShift(ink[i]));
            if (ink[i].box.top != placed.top || ink[i].box.left != placed.left) {
                ++moved;
                EXPECT_FALSE(nearEarlier(i, ink[i].box, kGap)) << "round " << round;
            } else if (!nearEarlier(i, placed, -1)) {
                EXPECT_EQ(ink[i].box.bottom, placed.bottom);
            }
        }
    }
    EXPECT_GT(moved, 20);  // the scores put items in the way often enough to prove something
}

TEST(Clearance, RowsMoveApartWhereTheirItemsWouldMeetAndThePointerFollows) {
    // A low first line with lyrics, a high second line with fermatas: at a narrow row spacing what
    // hangs below the one meets what stands above the other.
    std::string low, high;
    for (int i = 0; i < 16; ++i) {
        low += (i ? "," : "") + std::string("c1 n n 96 u");
        high += std::string(",") + "a2 n n 96 d";
    }
    model::Score score;
    readNotes(score, {}, {low + high});
    score.recomputePositions();
    int index = 0;
    for (model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next, ++index) {
        if (index < 16) note->lyric = "さ";
        else score.part(1).marks.push_back(edit::performanceMark(score, edit::MarkKind::Fermata, note->startPos, 1));
    }
    auto rowsMeet = [](const std::vector<Ink>& ink) {
        for (const Ink& a : ink) {
            for (const Ink& b : ink) {
                if (a.row == 1 && b.row == 2 && (render::isPlacedItem(a.kind) || render::isPlacedItem(b.kind)) &&
                    b.kind != InkKind::Ground && b.kind != InkKind::StaffLine && a.box.near(b.box, -1)) {
                    return true;
                }
            }
        }
        return false;
    };
    render::ViewState narrow;
    narrow.lineSpacing = 26;
    std::vector<double> rowDrop;
    ASSERT_TRUE(rowsMeet(pageInk(score, false, nullptr, nullptr, narrow)));
    EXPECT_FALSE(rowsMeet(pageInk(score, true, nullptr, &rowDrop, narrow)));
    ASSERT_GE(rowDrop.size(), 2u);
    EXPECT_EQ(rowDrop[0], 0);
    EXPECT_GT(rowDrop[1], 0);
    // The pointer finds the second line's staff where it is drawn, pitch for pitch.
    const render::PageTables tables = render::buildPageTables(score, narrow);
    render::ViewState drawn = narrow;
    drawn.rowDrop = rowDrop;
    const double at = render::PageGeometry(score, narrow, tables).staffBase(2);
    const double dropped = render::PageGeometry(score, drawn, tables).staffBase(2);
    EXPECT_GT(dropped, at);
    const render::ScoreHit hit = render::hitToScore(score, drawn, tables, 300, static_cast<int>(dropped) + 7);
    const render::ScoreHit plain = render::hitToScore(score, narrow, tables, 300, static_cast<int>(at) + 7);
    EXPECT_EQ(hit.line, 2);
    EXPECT_EQ(hit.step, plain.step);
    // At the usual spacing the rows have room: the page stays as the row spacing puts it.
    pageInk(score, true, nullptr, &rowDrop);
    EXPECT_TRUE(rowDrop.empty());
}

TEST(Clearance, AChorusPairDrawsTheSignsItsPartsShareOnce) {
    model::Score score;
    readNotes(score, {}, {"c2 n n 384 u", "$START", "a1 n n 384 d"});
    score.recomputePositions();
    score.chorusCount = 1;
    for (int part : {1, 2}) score.part(part).symbols.push_back(*edit::measureSign(model::kCoda, 0, 1, 100));
    score.part(2).symbols.push_back(*edit::measureSign(model::kFine, 0, 1, 100));  // its own: drawn
    render::PageItems items;
    pageInk(score, true, &items);
    auto drawn = [&](int part, int index) {
        return std::count_if(items.begin(), items.end(), [&](const auto& item) { return item.part == part && item.index == index; });
    };
    EXPECT_EQ(drawn(1, model::fixedSymCount), 1);
    EXPECT_EQ(drawn(2, 0), 0);
    EXPECT_EQ(drawn(2, 1), 2);  // its bar line and its text
}

TEST(Clearance, AHairlineOverlapsWhatItCrosses) {
    // A hairpin's closed end is one pixel high: it must still meet the ink it is drawn over.
    platform::RecordingCanvas target;
    render::InkCanvas ink(target);
    ink.beginItem(InkKind::Symbol);
    ink.rectangle(64, 221, 73, 232);
    ink.beginItem(InkKind::Mark);
    for (int y : {223, 226, 229}) EXPECT_TRUE(ink.overlaps({66, y, 85, y + 1})) << y;
    EXPECT_FALSE(ink.overlaps({66, 233, 85, 234}));
}

TEST(Clearance, ATieLeavingTheLineStopsShortOfTheRepeatThatClosesIt) {
    model::Score score;
    readNotes(score, {}, {"c2 n n 384 u,c2 n n 384 u,c2 n n 384 u,c2 n n 384 u,c2 n n 384 u"});
    score.recomputePositions();
    model::TNote* fourth = score.part(1).partHead->next->next->next;
    fourth->tie = model::kRoleStart;
    fourth->next->tie = model::kRoleEnd;
    score.part(1).symbols.push_back(*edit::measureSign(model::kRepeatRight, fourth->startPos, 1, 100));
    EXPECT_GE(closest(pageInk(score, true), InkKind::Note, InkKind::Symbol), -1);
}

TEST(Clearance, ItemsCrowdedOutNeverLeaveTheSheet) {
    // Every mark, dynamic and sign on the first notes: more than fits above the staff.
    model::Score score;
    readNotes(score, {}, {"g1 n n 96 u,a1 n n 96 u,b1 n n 96 u,c2 n n 96 u,d2 n n 384 u"});
    score.recomputePositions();
    const model::TNote* first = score.part(1).partHead;
    auto& marks = score.part(1).marks;
    for (auto kind : {edit::MarkKind::Breath, edit::MarkKind::Fermata, edit::MarkKind::Rit, edit::MarkKind::ATempo}) {
        marks.push_back(edit::performanceMark(score, kind, first->next->startPos, 1));
    }
    for (int dynamics = 1; dynamics <= 8; ++dynamics) marks.push_back(edit::dynamicsMark(score, dynamics, first->startPos, 1));
    marks.push_back(edit::hairpinMark(score, model::kCrescendoStart, first->startPos, 1, 12));
    marks.push_back(edit::hairpinMark(score, model::kCrescendoEnd, first->next->next->startPos, 1, 12));
    for (int kind = 1; kind <= 12; ++kind) {
        if (const auto sign = edit::measureSign(static_cast<model::SymbolKind>(kind), 0, 1, 100)) score.part(1).symbols.push_back(*sign);
    }
    render::ViewState view;
    view.topMargin = 24;  // the staff near the sheet's top
    for (const Ink& piece : pageInk(score, true, nullptr, nullptr, view)) {
        if (!render::isPlacedItem(piece.kind)) continue;
        EXPECT_GE(piece.box.top, 0) << static_cast<int>(piece.kind);
        EXPECT_LE(piece.box.bottom, render::pageFoot(view));
    }
}
