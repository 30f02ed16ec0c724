// The undo history against a plain model of it: a list of states and a position.
#include "edit/score_history.h"

#include <gtest/gtest.h>

#include <random>

using shinofu::edit::ScoreHistory;

namespace {

std::vector<std::string> state(int n) { return {"$V:3", "c1 n n " + std::to_string(n) + " u", ""}; }

}  // namespace

TEST(ScoreHistory, UndoAndRedoWalkTheStatesActionsMadeAndKnowTheSavedOne) {
    std::mt19937 rng(28);
    ScoreHistory history;
    std::vector<int> states = {0};  // what undo and redo can reach, oldest first
    std::vector<std::string> captions;  // captions[i]: the step from states[i] to states[i + 1]
    size_t at = 0;
    int saved = 0;
    int next = 1;
    history.reset(state(0), true);
    for (int round = 0; round < 3000; ++round) {
        switch (rng() % 5) {
        case 0:
        case 1: {
            // An action; one in four leaves the score as it was and makes no step.
            const bool changes = rng() % 4 != 0;
            const int made = changes ? next++ : states[at];
            EXPECT_EQ(history.record(state(made), "step " + std::to_string(made)), changes);
            if (!changes) break;
            states.resize(at + 1);
            captions.resize(at);
            states.push_back(made);
            captions.push_back("step " + std::to_string(made));
            ++at;
            break;
        }
        case 2: {
            const auto step = history.undo();
            ASSERT_EQ(step.has_value(), at > 0);
            if (!step) break;
            --at;
            EXPECT_EQ(step->lines, state(states[at]));
            EXPECT_EQ(step->caption, captions[at]);
            break;
        }
        case 3: {
            const auto step = history.redo();
            ASSERT_EQ(step.has_value(), at + 1 < states.size());
            if (!step) break;
            EXPECT_EQ(step->caption, captions[at]);
            ++at;
            EXPECT_EQ(step->lines, state(states[at]));
            break;
        }
        default:
            history.markSaved();
            saved = states[at];
            break;
        }
        EXPECT_EQ(history.atSavedState(), states[at] == saved);
        EXPECT_EQ(history.undoCaption(), at > 0 ? std::optional(captions[at - 1]) : std::nullopt);
    }
}

TEST(ScoreHistory, KeepsTheNewestFiveHundredSteps) {
    ScoreHistory history;
    history.reset(state(0), false);
    for (int n = 1; n <= 600; ++n) history.record(state(n), "step");
    int undone = 0;
    while (history.undo()) ++undone;
    EXPECT_EQ(undone, 500);
    EXPECT_EQ(history.redo()->lines, state(101));
}
