// Thousands of random presses, keys and commands on random scores: no crash (the CI runs this under
// ASan and UBSan), consistent lists, and every score left behind writes and reads back the same.
#include <gtest/gtest.h>

#include <random>

#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/key_table.h"
#include "edit/mark_commands.h"
#include "edit/note_commands.h"
#include "edit/note_division.h"
#include "edit/note_picking.h"
#include "edit/pointer_entry.h"
#include "edit/score_history.h"
#include "edit/selection.h"
#include "edit/tie_slur.h"
#include "edit_fixture.h"
#include "model/score_file.h"
#include "model/score_reader.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class RandomEdits : public EditTest {
protected:
    std::string randomNotes(std::mt19937& rng) {
        static const char* pitches[] = {"rest", "c1", "e1", "g1", "b1", "d2", "f2", "a2", "c-", "b3", "no"};
        static const char* groups[] = {"n", "n", "n", "rs", "rm", "rf", "ts", "tf", "tw", "ss", "sf", "sw", "3s", "3f", "rs3s"};
        static const int lengths[] = {24, 48, 72, 96, 144, 192, 288, 384, 64, 32, 0, 8};
        std::string notes;
        const int count = static_cast<int>(rng() % 60);
        for (int i = 0; i < count; ++i) {
            if (i) notes += ",";
            notes += std::string(pitches[rng() % std::size(pitches)]) + " n " + groups[rng() % std::size(groups)] + " " +
                     std::to_string(lengths[rng() % std::size(lengths)]) + (rng() % 2 ? " u" : " d");
        }
        return notes;
    }

    void randomStep(std::mt19937& rng) {
        tables_ = render::buildPageTables(score_, view_);
        EditTarget target{score_, view_, state_, tables_};
        switch (rng() % 20) {
        case 14:
        case 15:
        case 16: {
            // Any key of the table with its modifiers, now and then in another mode than its own.
            const auto& table = keyTable();
            const KeyBinding& binding = table[rng() % table.size()];
            if (rng() % 3 == 0) state_.editMode = binding.modes[rng() % binding.modes.size()];
            handleKey(target, binding.key, {binding.shift, binding.ctrl, rng() % 20 == 0});
            break;
        }
        case 17: {
            static const int modes[] = {kEditMode, kNoteEditMode, kMeasureEditMode, kNewMode, kInsertMode,
                                        kInsertOnceMode, kOverwriteMode, kPointerInsertMode};
            state_.editMode = modes[rng() % std::size(modes)];
            break;
        }
        case 18: {
            const render::ScoreHit hit = render::hitToScore(score_, view_, tables_, static_cast<int>(rng() % 1100) - 50,
                                                            static_cast<int>(rng() % 600));
            if (rng() % 2) view_.edit = {true, hit.line, hit.measure, hit.staff, false, hit.line, hit.measure, false};
            pressInOverlay(score_, view_, state_, tables_, hit, rng() % 5 == 0, static_cast<uint8_t>(rng() % 6));
            break;
        }
        case 19: {
            const int which = static_cast<int>(rng() % 4);
            if (which == 0) addMark(score_, view_, state_, static_cast<MarkKind>(rng() % 5));
            if (which == 1) addDynamics(score_, view_, state_, static_cast<int>(rng() % 10));
            if (which == 2) addHairpin(score_, view_, state_, static_cast<model::HairpinRole>(1 + rng() % 4));
            if (which == 3) addMeasureSign(score_, view_, state_, static_cast<model::SymbolKind>(1 + rng() % 12));
            break;
        }
        case 12: {
            const int which = static_cast<int>(rng() % 4);
            if (which == 0) setBeams(score_);
            if (which == 1) clearBeams(score_);
            if (which == 2) setTriplets(score_);
            if (which == 3) clearTriplets(score_);
            break;
        }
        case 13:
            if (rng() % 2) {
                beamMeasure(score_, state_.clickMeasNote ? state_.clickMeasNote : score_.part(score_.curPart).partHead,
                            0, rng() % 2 == 0);
            } else {
                // As every caller does: a re-flow merges tied notes, and what pointed at them goes.
                reflowPart(score_, score_.part(score_.curPart).partHead, rng() % 2 == 0);
                keepReferencesInList(score_, state_);
            }
            break;
        case 0:
        case 1:
        case 2: {
            const render::ScoreHit hit = render::hitToScore(score_, view_, tables_, static_cast<int>(rng() % 1100) - 50,
                                                            static_cast<int>(rng() % 1500) - 40);
            pressOnScore(score_, view_, state_, tables_, hit, {rng() % 5 == 0, rng() % 5 == 0});
            break;
        }
        case 3:
        case 4:
        case 5: {
            static const int keys[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyInsert, kKeyDelete, kKeyEscape,
                                       kKeySpace, '0', 'A', 'C', 'D', 'E', 'G', 'Q', 'R', 'S', 'T', 'X', 'Z', 'B', '4', '8'};
            handleKey(target, keys[rng() % std::size(keys)], {rng() % 4 == 0, rng() % 3 == 0, rng() % 10 == 0});
            break;
        }
        case 6: applyTieSlur(score_, state_, static_cast<TieSlurOp>(1 + rng() % 7)); break;
        case 7: divideNote(score_, state_); break;
        case 8: rng() % 2 ? insertCopy(score_, view_, state_) : insertAndReflow(score_, view_, state_); break;
        case 9: setAccidental(score_, static_cast<uint8_t>(rng() % 6)); break;
        case 10: rng() % 2 ? hideRests(score_) : showHiddenRests(score_); break;
        default: startAddMode(score_, view_, state_, tables_); break;
        }
        score_.recomputePositions();
    }

    // Every link goes both ways and the list ends in one end marker.
    void expectConsistentList() {
        const model::TNote* note = score_.part(score_.curPart).partHead;
        ASSERT_EQ(note->prev, nullptr);
        int guard = 0;
        while (!note->isEndMarker()) {
            ASSERT_EQ(note->next->prev, note);
            note = note->next;
            ASSERT_LT(++guard, 100000);
        }
        EXPECT_EQ(note->next, nullptr);
    }
};

}  // namespace

TEST_F(RandomEdits, NeverCrashAndAlwaysWriteBackTheSame) {
    std::mt19937 rng(20261208);
    // 300 scores of 400 steps: some 10^5 presses, keys and commands in every mode.
    for (int score = 0; score < 300; ++score) {
        model::Score fresh;
        state_ = EditState{};
        view_ = render::ViewState{};
        read(randomNotes(rng));
        for (int step = 0; step < 400; ++step) randomStep(rng);
        expectConsistentList();
        const auto written = model::scoreFileLines(score_);
        model::Score reread;
        model::readScore(written, reread, model::ReadOptions{});
        EXPECT_EQ(model::scoreFileLines(reread), written) << "score " << score;
    }
}

namespace {

// The score's text as the editor's history keeps it: with the performance data.
std::vector<std::string> historyLines(model::Score& score) {
    score.writePerfData = true;
    return model::scoreFileLines(score);
}

}  // namespace

// Undo takes the score back through every state an action left, one by one, and redo forward again:
// each restored score is the one the action started from, so nothing an edit did is lost or kept.
TEST_F(RandomEdits, UndoRestoresEveryEarlierScoreAndRedoEveryLaterOne) {
    std::mt19937 rng(20261209);
    model::ReadOptions options;
    options.formatFlag = true;
    size_t steps = 0;
    for (int round = 0; round < 40; ++round) {
        state_ = EditState{};
        view_ = render::ViewState{};
        if (round == 0) {
            platform::IoError error;
            ASSERT_TRUE(model::loadScoreFile(std::string(SHINOFU_SOURCE_DIR) + "/data/demo/sakura.gd4", score_, options,
                                             error));
            score_.recomputePositions();
        } else {
            read(randomNotes(rng));
        }
        ScoreHistory history;
        std::vector<std::vector<std::string>> states = {historyLines(score_)};
        history.reset(states.back(), true);
        for (int step = 0; step < 300; ++step) {
            randomStep(rng);
            auto lines = historyLines(score_);
            if (history.record(lines, "step")) states.push_back(std::move(lines));
        }
        steps += states.size() - 1;
        for (size_t at = states.size() - 1; at > 0; --at) {
            const auto step = history.undo();
            ASSERT_TRUE(step);
            model::readScore(step->lines, score_, options);
            ASSERT_EQ(historyLines(score_), states[at - 1]) << "round " << round << ", undo to " << at - 1;
        }
        EXPECT_FALSE(history.undo());
        EXPECT_TRUE(history.atSavedState());
        for (size_t at = 1; at < states.size(); ++at) {
            const auto step = history.redo();
            ASSERT_TRUE(step);
            model::readScore(step->lines, score_, options);
            ASSERT_EQ(historyLines(score_), states[at]) << "round " << round << ", redo to " << at;
        }
        EXPECT_FALSE(history.redo());
    }
    EXPECT_GT(steps, 1000u);  // the random actions changed the score often enough to prove something
}
