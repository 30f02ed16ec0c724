#include <gtest/gtest.h>

#include "edit/edit_mode.h"
#include "edit/note_commands.h"
#include "edit/note_division.h"
#include "edit_fixture.h"
#include "model/key_signature.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class NoteCommands : public EditTest {};

}  // namespace

TEST_F(NoteCommands, LengthsHalveDoubleAndTakeADotByTheirTables) {
    struct Case {
        int len;
        int halved;
        int doubled;
        int dotSet;
        int dotCleared;
    };
    for (const Case& c : {Case{2, 2, 4, 2, 2}, Case{3, 3, 6, 3, 3}, Case{6, 3, 12, 9, 6}, Case{9, 9, 18, 9, 6},
                          Case{12, 6, 24, 18, 12}, Case{18, 9, 36, 18, 12}, Case{24, 12, 48, 36, 24},
                          Case{48, 24, 48, 48, 48}, Case{36, 36, 36, 36, 24}, Case{32, 16, 32, 32, 32}}) {
        auto run = [&](auto command) {
            model::Score fresh;
            shinofu::testing::readNotes(fresh, {}, {"c1 n n " + std::to_string(c.len * 8) + " u"});
            EditState state;
            state.curNote = fresh.part(1).partHead;
            command(fresh, state);
            return *fresh.part(1).partHead;
        };
        EXPECT_EQ(run([](model::Score& s, EditState& e) { halveLength(s, e); }).len, c.halved) << c.len;
        EXPECT_EQ(run([](model::Score& s, EditState& e) { doubleLength(s, e); }).len, c.doubled) << c.len;
        EXPECT_EQ(run([](model::Score& s, EditState& e) { changeDot(s, e, DotChange::Set); }).len, c.dotSet) << c.len;
        EXPECT_EQ(run([](model::Score& s, EditState& e) { changeDot(s, e, DotChange::Clear); }).len, c.dotCleared) << c.len;
        const model::TNote doubled = run([](model::Score& s, EditState& e) { doubleLength(s, e); });
        EXPECT_EQ(doubled.playTime, model::playTimeFor(doubled.len, model::Score().song.msPerUnit)) << c.len;
    }
}

TEST_F(NoteCommands, PitchStepsAndOctavesStayInRange) {
    read("rest n n 96 u,rest n n 96 u,b3 n n 96 d,c- n n 96 u,a2 n n 96 d,c3 n n 96 d,b- n n 96 u");
    state_.curNote = note(0);
    EXPECT_TRUE(stepPitch(score_, state_, true));
    EXPECT_EQ(note(0)->pitch, 22);  // c2
    state_.curNote = note(1);
    EXPECT_TRUE(stepPitch(score_, state_, false));
    EXPECT_EQ(note(1)->pitch, 17);  // e1
    state_.curNote = note(2);
    EXPECT_FALSE(stepPitch(score_, state_, true));
    state_.curNote = note(3);
    EXPECT_FALSE(stepPitch(score_, state_, false));
    EXPECT_TRUE(stepPitch(score_, state_, true));
    EXPECT_EQ(model::pitchName(note(3)->pitch), "d-");
    for (int i : {4, 5}) note(i)->selected = true;
    const uint8_t semitone = note(4)->semitone;
    EXPECT_TRUE(shiftOctave(score_, state_, true));
    EXPECT_EQ(model::pitchName(note(4)->pitch), "a3");
    EXPECT_EQ(note(4)->semitone, semitone + 12);
    EXPECT_EQ(model::pitchName(note(5)->pitch), "c3");  // would leave the range
    EXPECT_FALSE(note(4)->stemUp);
    note(4)->selected = note(5)->selected = false;
    note(6)->selected = true;
    EXPECT_FALSE(shiftOctave(score_, state_, false));  // b- has no octave below
}

TEST_F(NoteCommands, AccidentalsStemsRestsAndHiddenRests) {
    read("c1 n n 96 u,d1 n n 96 u,rest n n 96 u,e1 n n 96 u");
    note(0)->selected = note(1)->selected = note(2)->selected = true;
    EXPECT_TRUE(setAccidental(score_, model::kSharp));
    EXPECT_EQ(items(), "c1 # n 96 u,d1 # n 96 u,rest # n 96 u,e1 n n 96 u");
    EXPECT_TRUE(flipStems(score_));
    EXPECT_EQ(items(), "c1 # n 96 d,d1 # n 96 d,rest # n 96 d,e1 n n 96 u");
    EXPECT_TRUE(hideRests(score_));
    EXPECT_EQ(note(2)->pitch, model::kHiddenRest);
    EXPECT_TRUE(showHiddenRests(score_));
    EXPECT_EQ(note(2)->pitch, model::kRest);
    state_.curNote = note(3);
    EXPECT_TRUE(noteToRest(state_));
    EXPECT_EQ(note(3)->accidental, model::kNoAccidental);
    EXPECT_TRUE(restToNote(score_, state_));
    EXPECT_EQ(model::pitchName(note(3)->pitch), "g1");
    EXPECT_EQ(note(3)->semitone, model::semitoneOfPitch(19, 0));
}

TEST_F(NoteCommands, InsertBeforeTheFirstNoteMovesTheHead) {
    read("c1 n n 96 u,d1 n n 96 u");
    view_.displayStart[0] = note(0);
    pick(0);
    ASSERT_TRUE(insertCopy(score_, view_, state_));
    EXPECT_EQ(score_.part(1).partHead, state_.entryTarget);
    EXPECT_EQ(view_.displayStart[0], nullptr);  // the display starts at the new head
    EXPECT_TRUE(score_.part(1).partHead->selected);
    EXPECT_EQ(state_.editMode, kInsertOnceMode);
    state_.inputLen = 6;
    ASSERT_TRUE(enterPitch(score_, state_, 18));  // f1
    EXPECT_EQ(items(), "f1 n n 48 u,c1 n n 96 u,d1 n n 96 u");
    EXPECT_EQ(state_.editMode, kEditMode);
}

TEST_F(NoteCommands, DeletingRepairsTiesAndSlursAndTheHead) {
    read("c1 n ts 96 u,c1 n tw 96 u,c1 n tf 96 u,d1 n n 96 u");
    pick(2);
    ASSERT_TRUE(deleteNote(score_, view_, state_));
    EXPECT_EQ(items(), "c1 n ts 96 u,c1 n tf 96 u,d1 n n 96 u");  // the chain's middle now ends it
    EXPECT_EQ(state_.curNote, nullptr);
    pick(0);
    ASSERT_TRUE(deleteNote(score_, view_, state_));
    EXPECT_EQ(items(), "c1 n tf 96 u,d1 n n 96 u");  // the first record goes without repair
    EXPECT_EQ(score_.part(1).partHead->prev, nullptr);
    read("e1 n ss 96 u,f1 n sf 96 u");
    pick(0);
    ASSERT_TRUE(deleteNote(score_, view_, state_));
    pick(0);
    ASSERT_TRUE(deleteNote(score_, view_, state_));
    EXPECT_EQ(items(), "");
    EXPECT_TRUE(score_.part(1).partHead->isEndMarker());
    EXPECT_FALSE(deleteNote(score_, view_, state_));
}

TEST_F(NoteCommands, AddModeAppendsAtTheEndOfThePart) {
    read("c1 n n 96 u,d1 n n 192 u");
    startAddMode(score_, view_, state_, tables_);
    EXPECT_EQ(state_.editMode, kNewMode);
    EXPECT_EQ(state_.measFill, 36);
    state_.inputLen = 6;
    ASSERT_TRUE(enterPitch(score_, state_, 22));  // c2: stem down from b1 on
    ASSERT_TRUE(enterPitch(score_, state_, model::kRest));
    EXPECT_EQ(items(), "c1 n n 96 u,d1 n n 192 u,c2 n n 48 d,rest n n 48 u");
    EXPECT_TRUE(state_.entryTarget->isEndMarker());
    EXPECT_EQ(state_.curNote, note(3));
    EXPECT_EQ(state_.measFill, 0);
    // An empty part takes notes too.
    read("");
    startAddMode(score_, view_, state_, tables_);
    ASSERT_TRUE(enterPitch(score_, state_, 15));
    EXPECT_EQ(items(), "c1 n n 48 u");
}

TEST_F(NoteCommands, InsertModeTakesNotesUntilEscapeDropsTheLastRest) {
    read("c1 n n 96 u,d1 n n 96 u");
    pick(0);
    ASSERT_TRUE(startInsertAfter(score_, state_));
    for (uint8_t pitch : {17, 18, 19}) ASSERT_TRUE(enterPitch(score_, state_, pitch));
    EXPECT_EQ(items(), "c1 n n 96 u,e1 n n 96 u,f1 n n 96 u,g1 n n 96 u,rest n n 96 u,d1 n n 96 u");
    endEntry(score_, state_);
    EXPECT_EQ(items(), "c1 n n 96 u,e1 n n 96 u,f1 n n 96 u,g1 n n 96 u,d1 n n 96 u");
    EXPECT_EQ(state_.editMode, kEditMode);
}

TEST_F(NoteCommands, DivideSplitsByTheTableAndHalvesTheRest) {
    EXPECT_EQ(dividedLength(18)->first, 12);
    EXPECT_EQ(dividedLength(36)->second, 12);
    EXPECT_EQ(dividedLength(8)->first, 4);
    EXPECT_EQ(dividedLength(9)->first, 6);  // a dotted eighth: its eighth and the dot
    EXPECT_EQ(dividedLength(9)->second, 3);
    EXPECT_EQ(dividedLength(3)->first, 2);
    EXPECT_FALSE(dividedLength(1));
    read("c1 # rsts 144 u,d1 n rftf 48 u");
    note(0)->closingMark = 5;
    pick(0);
    ASSERT_TRUE(divideNote(score_, state_));
    EXPECT_EQ(items(), "c1 # tsrs 96 u,c1 # tmrm 48 u,d1 n tfrf 48 u");
    EXPECT_EQ(note(1)->closingMark, 5);
    EXPECT_EQ(note(0)->closingMark, 0);
    pick(2);
    ASSERT_TRUE(divideNote(score_, state_));
    EXPECT_EQ(items(), "c1 # tsrs 96 u,c1 # tmrm 48 u,d1 n tmrm 24 u,d1 n tfrf 24 u");
}
