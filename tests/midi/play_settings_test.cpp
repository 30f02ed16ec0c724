#include "midi/play_settings.h"

#include <gtest/gtest.h>

#include "support/read_notes.h"

using namespace shinofu;
using namespace shinofu::midi;
using shinofu::testing::notesOf;
using shinofu::testing::readNotes;


TEST(PlaySettings, ATempoCurveSetsThePlayTimesAlongItsRange) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u"});
    score.recomputePositions();
    applyTempoSetting(score, 1, {"A", 0, 96, 600, 1200});
    const auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[0]->playTime, 1000);  // 60.0
    EXPECT_EQ(notes[4]->playTime, 667);   // at 48: 90.0, 12 × 5000 / 90
    EXPECT_EQ(notes[8]->playTime, 500);   // the range's last note: 120.0
    EXPECT_EQ(notes[9]->playTime, model::playTimeFor(12, score.song.msPerUnit));  // past the range
    EXPECT_EQ(notes[4]->prevPlayTime, 1000);
    const int before = notes[2]->velocity;
    applyVelocitySetting(score, 1, {"v", 24, 24, 10, 100});  // equal ends change nothing
    EXPECT_EQ(notes[2]->velocity, before);
    applyVelocitySetting(score, 1, {"v", 0, 96, 20, 100});
    EXPECT_EQ(notes[4]->velocity, 60);
    for (const model::TNote* note : notes) const_cast<model::TNote*>(note)->loadedPlayTime = 800;
    resetTempo(score, 1);
    EXPECT_EQ(notes[4]->playTime, 800);
}

TEST(PlaySettings, PstFilesReadBackAndSkipWhatDoesNotParse) {
    const PlaySettings settings{{{"A", 0, 96, 600, 1200}, {".48", 48, 192, 1200, 900}}, {{"v", 0, 96, 20, 100}}};
    const std::vector<std::string> lines = pstLines(settings);
    EXPECT_EQ(lines, (std::vector<std::string>{"$tempo", "A:0:96,600:1200", ".48:48:192,1200:900", "$velo", "v:0:96,20:100"}));
    EXPECT_EQ(parsePst(lines), settings);
    const PlaySettings velocityOnly{{}, {{"v", 0, 96, 20, 100}}};
    EXPECT_EQ(parsePst(pstLines(velocityOnly)), velocityOnly);
    EXPECT_FALSE(parsePst({"A:0:96,600:1200"}));
    EXPECT_FALSE(parsePst({}));
    const auto skipped = parsePst({"$tempo", "B:0:x,1:2", "no numbers", "C:1:2,3:4"});
    ASSERT_TRUE(skipped);
    ASSERT_EQ(skipped->tempoSettings.size(), 1u);
    EXPECT_EQ(skipped->tempoSettings[0].settingName, "C");
    EXPECT_EQ(settingDisplay({"A", 0, 96, 600, 1200}), "A:0:96, 60.0:120.0");
}

TEST(PlaySettings, RangesBeyondTheScoreApplyOnlyWhereNotesAre) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,c1 n n 96 u"});
    score.recomputePositions();
    applyTempoSetting(score, 1, {"far", 5000, 9000, 600, 1200});
    for (const model::TNote* note : notesOf(score, 1)) EXPECT_EQ(note->playTime, model::playTimeFor(12, score.song.msPerUnit));
    applyTempoSetting(score, 1, {"half", 12, 9000, 600, 600});
    EXPECT_EQ(notesOf(score, 1)[1]->playTime, 1000);
}

TEST(PlaySettings, InstrumentNamesAndThePlayTime) {
    EXPECT_STREQ(instrumentNames()[0], "Acoustic Grand Piano:ピアノ");
    EXPECT_STREQ(instrumentNames()[77], "Shakuhachi:尺八");
    EXPECT_STREQ(instrumentNames()[127], "Gunshot");
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u"});
    score.part(1).partHead->playTime = 83500;
    EXPECT_EQ(playTimeText(score, 1), " 1:23.500");
}
