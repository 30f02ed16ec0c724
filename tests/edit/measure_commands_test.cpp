#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

#include "edit/clipboard_text.h"
#include "edit/edit_mode.h"
#include "edit/measure_commands.h"
#include "edit/undo_files.h"
#include "edit_fixture.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;
namespace fs = std::filesystem;

namespace {

class MeasureCommands : public EditTest {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("shinofu_undo_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    // Picks measures first..last of line 1 in measure editing.
    void select(int first, int last = 0) {
        state_.editMode = kMeasureEditMode;
        state_.click = ClickedMeasure{{first, 1, 1, 1, 1, 10}, 0};
        state_.rangeEnd = render::ScoreHit{last ? last : first, 1, 1, 1, 1, 10};
        tables_ = render::buildPageTables(score_, view_);
    }
    EditTarget target() { return {score_, view_, state_, tables_}; }
    Snapshot snapshot() {
        return [this] { memo_ = undo_.snapshot(score_); };
    }

    fs::path folder_;
    UndoFiles undo_{fs::temp_directory_path() / ("shinofu_undo_" + std::to_string(::getpid())) / "shinofu"};
    std::vector<std::string> memo_;
};

const std::string kFourMeasures =
    "c1 n n 384 u,d1 n n 192 u,e1 n ts 192 u,e1 n tf 192 u,f1 n n 192 u,g1 n rs3s 64 u,a1 n rm3m 64 u,b1 n rf3f 64 u,"
    "c2 n n 192 d";

}  // namespace

TEST_F(MeasureCommands, InsertAddsOneMeasureOfRestsOfTheMeter) {
    read("c1 n n 384 u,d1 n n 384 u");
    select(2);
    EditTarget t = target();
    ASSERT_TRUE(insertMeasure(t, snapshot()));
    EXPECT_EQ(items(), "c1 n n 384 u,rest n n 96 u,rest n n 96 u,rest n n 96 u,rest n n 96 u,d1 n n 384 u");
    score_.song.meterIndex = 4;  // 6/8
    read("c1 n n 288 u");
    score_.song.meterIndex = 4;
    select(1);
    ASSERT_TRUE(insertMeasure(t, snapshot()));
    EXPECT_EQ(note(0)->len, 6);
    EXPECT_EQ(score_.part(1).partHead->pitch, model::kRest);
    EXPECT_EQ(items().find("c1"), std::string("rest n n 48 u,").size() * 6);
}

TEST_F(MeasureCommands, CutMovesTheHeadAndPastesBackInFront) {
    read(kFourMeasures);
    select(1);
    EditTarget t = target();
    ASSERT_TRUE(cutMeasures(t, snapshot()));
    EXPECT_EQ(score_.part(1).partHead->pitch, *model::pitchFromName("d1"));
    EXPECT_EQ(state_.clip.measCount, 1);
    select(3);  // now the measure of the triplet
    ASSERT_TRUE(insertPaste(t, snapshot()));
    EXPECT_EQ(items(), "d1 n n 192 u,e1 n ts 192 u,e1 n tf 192 u,f1 n n 192 u,c1 n n 384 u,g1 n rs3s 64 u,"
                       "a1 n rm3m 64 u,b1 n rf3f 64 u,c2 n n 192 d");
    // Outside measure editing the commands do nothing.
    state_.editMode = kEditMode;
    EXPECT_FALSE(insertPaste(t, snapshot()));
}

TEST_F(MeasureCommands, ACopyIsLiveAndARangeIsTakenInOrder) {
    read(kFourMeasures);
    select(3, 2);  // picked backwards: measures 2 and 3
    EditTarget t = target();
    ASSERT_TRUE(copyMeasures(t));
    EXPECT_EQ(state_.clip.measCount, 2);
    EXPECT_EQ(state_.clip.start, note(1));
    note(2)->pitch = *model::pitchFromName("a1");  // changed after the copy: the paste shows it
    select(1);
    ASSERT_TRUE(insertPaste(t, snapshot()));
    EXPECT_EQ(items().substr(0, 59), "d1 n n 192 u,a1 n ts 192 u,e1 n tf 192 u,f1 n n 192 u,c1 n ");
}

TEST_F(MeasureCommands, OverwriteReplacesTheMeasureWithTheNoteThatCrossesItsBar) {
    read("c1 n n 384 u,d1 n n 288 u,e1 n n 192 u,f1 n n 288 u");
    select(1);
    EditTarget t = target();
    ASSERT_TRUE(copyMeasures(t));
    select(2);
    ASSERT_TRUE(overwritePaste(t, snapshot()));
    EXPECT_EQ(items(), "c1 n n 384 u,c1 n n 384 u,f1 n n 288 u");
}

TEST_F(MeasureCommands, DeleteLeavesTheClipAndTheEndOfThePartStaysLinked) {
    read(kFourMeasures);
    select(3, 4);
    EditTarget t = target();
    ASSERT_TRUE(deleteMeasures(t, snapshot()));
    EXPECT_EQ(items(), "c1 n n 384 u,d1 n n 192 u,e1 n ts 192 u");
    EXPECT_TRUE(state_.clip.empty());
    EXPECT_TRUE(note(2)->next->isEndMarker());
    EXPECT_EQ(note(2)->next->prev, note(2));
    select(4);  // past the end: nothing to cut
    EXPECT_FALSE(cutMeasures(t, snapshot()));
}

TEST_F(MeasureCommands, ThreeLevelsOfUndoAndOneOfRedo) {
    read(kFourMeasures);
    std::vector<std::vector<std::string>> states = {model::scoreFileLines(score_)};
    for (int edit = 0; edit < 4; ++edit) {
        select(1);
        EditTarget t = target();
        ASSERT_TRUE(insertMeasure(t, snapshot()));
        EXPECT_TRUE(memo_.empty() || memo_.front().rfind("Error: ", 0) == 0);
        states.push_back(model::scoreFileLines(score_));
    }
    for (int back = 1; back <= 3; ++back) {
        EXPECT_EQ(undo_.undo(score_, {}).result, UndoFiles::Result::Restored);
        EXPECT_EQ(model::scoreFileLines(score_), states[4 - back]) << back;
    }
    EXPECT_EQ(undo_.undo(score_, {}).result, UndoFiles::Result::Nothing);
    EXPECT_EQ(model::scoreFileLines(score_), states[1]);
    ASSERT_EQ(undo_.redo(score_, {}).result, UndoFiles::Result::Restored);
    EXPECT_EQ(model::scoreFileLines(score_), states[2]);
    ASSERT_EQ(undo_.redo(score_, {}).result, UndoFiles::Result::Restored);  // again: the same state
    EXPECT_EQ(model::scoreFileLines(score_), states[2]);
    EXPECT_FALSE(score_.saved);
}

TEST_F(MeasureCommands, ABrokenSnapshotLeavesTheScoreAlone) {
    read(kFourMeasures);
    select(1);
    EditTarget t = target();
    ASSERT_TRUE(insertMeasure(t, snapshot()));
    const auto edited = model::scoreFileLines(score_);
    std::ofstream(undo_.file("_1.tpu"), std::ios::binary | std::ios::trunc) << "\x01\x02 not a score";
    const UndoFiles::Outcome outcome = undo_.undo(score_, {});
    EXPECT_EQ(outcome.result, UndoFiles::Result::Failed);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(model::scoreFileLines(score_), edited);
    // A snapshot that cannot be written (its folder cannot exist: a file holds the name) is reported
    // and the edit goes ahead.
    std::ofstream(folder_ / "taken") << "a file";
    const UndoFiles nowhere(folder_ / "taken" / "shinofu");
    std::vector<std::string> memo;
    select(1);
    ASSERT_TRUE(insertMeasure(t, [&] { memo = nowhere.snapshot(score_); }));
    EXPECT_NE(model::scoreFileLines(score_), edited);
    ASSERT_FALSE(memo.empty());
    EXPECT_NE(std::find_if(memo.begin(), memo.end(), [](const std::string& line) { return line.rfind("元に戻すための保存ができません", 0) == 0; }),
              memo.end());
}

TEST_F(MeasureCommands, TheClipOutlivesTheScoreItCameFrom) {
    read(kFourMeasures);
    select(2);
    EditTarget t = target();
    ASSERT_TRUE(copyMeasures(t));
    detachClip(state_.clip, score_.measureLen());
    read("c1 n n 384 u");  // the old records are released
    select(1);
    ASSERT_TRUE(insertPaste(t, snapshot()));
    EXPECT_EQ(items(), "d1 n n 192 u,e1 n ts 192 u,c1 n n 384 u");
    // A clip from a replaced score that was not detached pastes nothing.
    MeasureClip stale{note(0), 1, score_.generation(), {}, false};
    state_.clip = stale;
    read("c1 n n 384 u");
    select(1);
    EXPECT_FALSE(insertPaste(t, snapshot()));
}

TEST_F(MeasureCommands, MeasuresTravelThroughClipboardText) {
    read(kFourMeasures);
    const std::vector<std::string> lines = measureLines(note(1), 2, score_.measureLen());
    EXPECT_EQ(lines, (std::vector<std::string>{"d1 n n 192 u", "e1 n ts 192 u", "e1 n tf 192 u", "f1 n n 192 u"}));
    EXPECT_EQ(clipFromLines(lines, state_.clip, score_), 2);
    read("c1 n n 384 u");
    select(1);
    EditTarget t = target();
    ASSERT_TRUE(overwritePaste(t, snapshot()));
    EXPECT_EQ(items(), "d1 n n 192 u,e1 n ts 192 u,e1 n tf 192 u,f1 n n 192 u");
    EXPECT_EQ(clipFromLines({"nonsense", "c1 n n 96 u"}, state_.clip, score_), 0);  // less than a measure
    select(1);
    ASSERT_TRUE(insertPaste(t, snapshot()));  // a 0-measure clip pastes its one note
    EXPECT_EQ(note(0)->len, 12);
}
