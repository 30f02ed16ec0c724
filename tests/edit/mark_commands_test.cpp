#include "edit/mark_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "edit/edit_mode.h"
#include "edit_fixture.h"
#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "model/line_fit.h"
#include "model/score_reader.h"
#include "model/score_writer.h"

namespace {

using namespace shinofu;
using edit::MarkKind;

class MarkCommands : public shinofu::testing::EditTest {
protected:
    // Four measures of quarters in 4/4: positions 0, 12, 24, 36, 48, ...
    void readQuarters() { read("c1 n n 96 u,d1 n n 96 u,e1 n n 48 u,f1 n n 48 u,g1 n n 96 u,a1 n n 384 u,b1 n n 384 u,c2 n n 384 d"); }
    const model::TMark& lastMark() { return score_.part(1).marks.back(); }
    void clickMeasure(int measureInLine) {
        edit::ClickedMeasure click{};
        click.hit.measure = measureInLine;
        click.hit.line = 1;
        click.hit.staff = 1;
        click.hit.part = 1;
        click.measureStart = render::measureStartOf(score_, view_, tables_, click.hit);
        state_.click = click;
    }
    model::LineScale scale() { return model::fitScoreLine(score_, view_.viewWidth, view_.noteSize, score_.song.measPerLine); }
};

TEST_F(MarkCommands, DynamicsAndTextMarksStandOnTheCurrentNote) {
    readQuarters();
    pick(4);  // g1 at position 36
    score_.saved = true;
    ASSERT_TRUE(edit::addDynamics(score_, view_, state_, 5));  // mf
    const model::TMark& mf = lastMark();
    EXPECT_EQ(mf.dynamics, 5);
    EXPECT_EQ(mf.text, "B");
    EXPECT_EQ(mf.anchorPos, 36);
    EXPECT_EQ(mf.measOffset, 36);
    EXPECT_EQ(mf.fontSize, 12);
    EXPECT_EQ(mf.width, 6);
    EXPECT_EQ(mf.height, 12);
    EXPECT_EQ(mf.fontIndex, 1);
    EXPECT_EQ(mf.dy, -15);
    EXPECT_EQ(state_.editMode, edit::kEditMode);
    EXPECT_EQ(state_.curNote, nullptr);
    EXPECT_FALSE(note(4)->selected);
    EXPECT_FALSE(score_.saved);

    pick(5);  // a1 at 48: offset 0 of measure 2
    ASSERT_TRUE(edit::addMark(score_, view_, state_, MarkKind::Fermata));
    EXPECT_TRUE(lastMark().fermata);
    EXPECT_EQ(lastMark().text, "V");
    EXPECT_EQ(lastMark().measOffset, 0);
    EXPECT_EQ(lastMark().fontSize, 14);
    EXPECT_EQ(lastMark().width, 7);
    pick(5);
    ASSERT_TRUE(edit::addMark(score_, view_, state_, MarkKind::Other));
    EXPECT_EQ(lastMark().text, "?");
    EXPECT_EQ(lastMark().fontIndex, 0);
    EXPECT_EQ(lastMark().fontSize, 8);
    for (auto [kind, text] : {std::pair{MarkKind::Rit, "^"}, std::pair{MarkKind::ATempo, "_"}}) {
        pick(6);
        ASSERT_TRUE(edit::addMark(score_, view_, state_, kind));
        EXPECT_EQ(lastMark().text, text);
        EXPECT_EQ(lastMark().anchorPos, 96);
    }
    EXPECT_TRUE(score_.part(1).marks[3].rit);
    EXPECT_TRUE(score_.part(1).marks[4].aTempo);

    state_.curNote = nullptr;
    EXPECT_FALSE(edit::addDynamics(score_, view_, state_, 1));
    EXPECT_EQ(score_.part(1).marks.size(), 5u);
}

TEST_F(MarkCommands, TheBreathGoesBeforeTheNextNoteAndKeepsTheMode) {
    readQuarters();
    pick(1);  // d1 at 12; the next note starts at 24
    ASSERT_TRUE(edit::addMark(score_, view_, state_, MarkKind::Breath));
    EXPECT_TRUE(lastMark().breath);
    EXPECT_EQ(lastMark().text, "W");
    EXPECT_EQ(lastMark().anchorPos, 24);
    EXPECT_EQ(lastMark().dx, -4);
    EXPECT_EQ(lastMark().dy, -10);
    EXPECT_EQ(lastMark().fontSize, 8);
    EXPECT_EQ(state_.editMode, 4);
    pick(7);  // the last note: nothing follows it
    EXPECT_FALSE(edit::addMark(score_, view_, state_, MarkKind::Breath));
    EXPECT_EQ(score_.part(1).marks.size(), 1u);
}

TEST_F(MarkCommands, HairpinsMarkEverySelectedNote) {
    readQuarters();
    EXPECT_FALSE(edit::addHairpin(score_, view_, state_, model::kCrescendoStart));
    note(2)->selected = true;  // e1 at 24
    note(3)->selected = true;  // f1 at 30
    ASSERT_TRUE(edit::addHairpin(score_, view_, state_, model::kCrescendoStart));
    ASSERT_EQ(score_.part(1).marks.size(), 2u);
    const double w = scale().sixteenthWidth;
    EXPECT_EQ(score_.part(1).marks[0].hairpin, model::kCrescendoStart);
    EXPECT_EQ(score_.part(1).marks[0].dx, std::lround(w + 23 * w / 3));
    EXPECT_EQ(score_.part(1).marks[1].dx, std::lround(w + 29 * w / 3));
    EXPECT_EQ(score_.part(1).marks[1].text, " ");
    EXPECT_FALSE(note(2)->selected);
}

TEST_F(MarkCommands, MeasureSignsGoIntoEveryPartAtTheClickedMeasure) {
    readQuarters();
    score_.partCount = 3;
    EXPECT_FALSE(edit::addMeasureSign(score_, view_, state_, model::kDaCapo));  // no measure clicked
    clickMeasure(2);
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kDaCapo));
    const int rightEnd = static_cast<int>(std::lround(scale().measureWidth - 12));
    for (int part = 1; part <= 3; ++part) {
        ASSERT_EQ(score_.part(part).symbols.size(), part == 1 ? 7u : 1u) << part;  // part 1 holds the song data too
        const model::TScoreSym& sign = score_.part(part).symbols.back();
        EXPECT_EQ(sign.kind, model::kDaCapo);
        EXPECT_EQ(sign.text, "X");
        EXPECT_EQ(sign.anchorPos, 48);
        EXPECT_EQ(sign.dx, rightEnd);
        EXPECT_EQ(sign.dy, -23);
        EXPECT_EQ(sign.fontIndex, 1);
    }
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kFirstEnding));
    EXPECT_EQ(score_.part(2).symbols.back().text, "1.");
    EXPECT_EQ(score_.part(2).symbols.back().fontIndex, 0);
    EXPECT_EQ(score_.part(2).symbols.back().dx, 3);
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kStop));
    EXPECT_EQ(score_.part(2).symbols.back().fontSize, 10);
    EXPECT_EQ(score_.part(2).symbols.back().width, 12);
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kToCoda));
    EXPECT_EQ(score_.part(2).symbols.back().text, "\\");
}

TEST_F(MarkCommands, ADaCapoAlFinePlacedByTheCommandsPlaysAsOneAfterSavingAndReading) {
    read("c1 n n 384 u,d1 n n 384 u,e1 n n 384 u");
    clickMeasure(1);
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kFine));
    clickMeasure(3);
    ASSERT_TRUE(edit::addMeasureSign(score_, view_, state_, model::kDaCapo));

    model::Score reread;
    model::readScore(model::scoreFileLines(score_), reread, {});
    reread.recomputePositions();
    midi::placeNavigationMarks(reread);
    const auto list = midi::buildPerfList(reread);
    ASSERT_NE(list, nullptr);
    midi::linkNavigation(*list);
    // Three measures, then back to the start, then the Fine ends it after the first measure. The
    // Fine counts only once the D.C. has been taken, as the player follows it.
    std::vector<int> played;
    bool returned = false;
    for (size_t i = 0; i < list->size() && played.size() < 10;) {
        const auto& event = list->events()[i];
        if (event.isNoteOn) played.push_back(list->sound(event).midiNote);
        const int jump = list->jump(i);
        if (jump == midi::kEndJump) {
            if (returned) break;
            ++i;
        } else if (jump != midi::kNoJump && !returned) {
            returned = true;
            i = static_cast<size_t>(jump);
        } else {
            ++i;
        }
    }
    EXPECT_EQ(played, (std::vector<int>{60, 62, 64, 60}));
}

}  // namespace
