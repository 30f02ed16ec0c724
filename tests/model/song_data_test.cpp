#include <gtest/gtest.h>

#include "model/song_data_template.h"
#include "score_builder.h"

using namespace shinofu::model;

TEST(SongData, NewScoreShowsTheExampleTemplate) {
    Score score;
    auto lines = songDataTemplate(score);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "/$NAME:曲名,作詞者名,作曲者名");
    EXPECT_EQ(lines[5], "/$KEY:B-,6  調子,笛の本数");
    EXPECT_EQ(lines[10], "$END");
}

TEST(SongData, ApplyingTheUntouchedExampleKeepsNamesAndEmptiesTheTempo) {
    Score score;
    score.fixedSymbol(kTitleSymbol).text = "題";
    score.song.meterIndex = 1;
    score.song.keySig = 3;
    applySongData(songDataTemplate(score), score, 6);
    EXPECT_EQ(score.title(), "題");
    EXPECT_EQ(score.meter().text, "3/4");
    EXPECT_EQ(score.song.keySig, 3);
    EXPECT_EQ(score.song.fluteKey, 6);
    EXPECT_EQ(score.song.tempoText, "");
    EXPECT_EQ(score.song.tempo, 75);
    EXPECT_TRUE(score.songDataSet);
}

TEST(SongData, FilledTemplateRoundTrips) {
    Score score;
    applySongData({"$NAME:さくら,作詞,作曲", "$TEMPO:allegro,3/4", "$KEY:F#,7", "$MEAS:4,3,5,4,4,2,3,4,6", "$END"}, score,
                  8);
    EXPECT_EQ(score.title(), "さくら");
    EXPECT_EQ(score.lyricist(), "作詞");
    EXPECT_EQ(score.song.tempo, 95);
    EXPECT_EQ(score.meter().text, "3/4");
    EXPECT_EQ(score.song.keySig, 6);
    EXPECT_EQ(score.song.fluteKey, 7);
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "7本");
    auto lines = songDataTemplate(score);
    const std::vector<std::string> expected = {"$NAME:さくら,作詞,作曲", "$TEMPO:allegro,3/4", "$KEY:F#,7",
                                               "$MEAS:4,3,5,4,4,2,3,4", "$MEAS:6", "$END"};
    EXPECT_EQ(lines, expected);
    auto counts = score.song.lineMeasures;
    applySongData(lines, score, 8);
    EXPECT_EQ(score.song.lineMeasures, counts);
}

TEST(SongData, EditorFormsChangeTextsButNotPlaces) {
    Score score;
    score.fixedSymbol(kTitleSymbol).dx = 77;
    score.fixedSymbol(kTempoSymbol).dx = 5;
    applySongData({"$NAME:a,b,c", "$TEMPO:120,2/4", "$END"}, score, 8);
    EXPECT_EQ(score.fixedSymbol(kTitleSymbol).dx, 77);
    EXPECT_EQ(score.fixedSymbol(kTempoSymbol).dx, 5);
    EXPECT_EQ(score.fixedSymbol(kTempoSymbol).text, "=120");
    EXPECT_EQ(score.song.tempo, 120);
    EXPECT_DOUBLE_EQ(score.song.msPerUnit, 60000.0 / (120 * 12));
}

TEST(SongData, EightCountsMakeOneLineAndEmptyMeasLineClearsTheTable) {
    Score score;
    applySongData({"$MEAS:1,2,3,4,5,6,7,8", "$END"}, score, 8);
    auto lines = songDataTemplate(score);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("$MEAS:", 0) == 0; }),
              1);
    applySongData({"$MEAS:", "$END"}, score, 8);
    EXPECT_EQ(score.song.lineMeasures[0], 0);
    EXPECT_EQ(songDataTemplate(score)[3], "$MEAS:");
}
