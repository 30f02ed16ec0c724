#include <gtest/gtest.h>

#include "model/configuration.h"
#include "model/new_score.h"
#include "model/score_settings.h"
#include "model/score_writer.h"
#include "score_builder.h"

using namespace shinofu::model;

TEST(Configuration, CommentsAreNotCountedAndNumbersAreChecked) {
    Configuration config = readConfiguration({"/home/flute/shinofu", "/ a comment", "800,x", "blue, white",
                                              "Red,NoSuchColour", "30,10", "5,40,1.5", "x", "10,6,3,1,2,3,IPA明朝",
                                              "white,navy", "A,B,C", "頁;左,L,5.5,12;中,C"});
    EXPECT_EQ(config.workingDirectory, "/home/flute/shinofu");
    EXPECT_EQ(config.viewWidth, 800);
    EXPECT_EQ(config.viewHeight, 1500);
    EXPECT_EQ(config.drawColor, rgb(0, 0, 0xFF));
    EXPECT_EQ(config.backColor, rgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(config.editDrawColor, rgb(0xFF, 0, 0));
    EXPECT_EQ(config.editBackColor, rgb(0x80, 0x80, 0x80));  // unknown name: unchanged
    EXPECT_EQ(config.topMargin, 30);
    EXPECT_EQ(config.rowsPerPage, 10);
    EXPECT_EQ(config.measPerLine, 5);
    EXPECT_EQ(config.lineSpacing, 40);
    EXPECT_DOUBLE_EQ(config.noteSize, 3.0);
    EXPECT_EQ(config.defaultFluteKey, 8);
    EXPECT_EQ(config.numeric.tiers, 10);
    EXPECT_EQ(config.numeric.fontName, "IPA明朝");
    EXPECT_EQ(config.voice2Color, rgb(0, 0, 0x80));
    EXPECT_EQ(config.fonts[2], "C");
    EXPECT_EQ(config.fonts[3], "ＭＳ Ｐ明朝");
    EXPECT_EQ(config.headerItems[0].text, "頁");
    EXPECT_EQ(config.headerItems[1].alignment, 'L');
    EXPECT_DOUBLE_EQ(config.headerItems[1].position, 5.5);
    EXPECT_EQ(config.headerItems[1].fontSize, 12);
    EXPECT_EQ(config.headerItems[2].alignment, 'C');
}

TEST(Configuration, MalformedPairsKeepTheDefaults) {
    Configuration config = readConfiguration({"", "", "", "", "x,5", "4", "13"});
    EXPECT_EQ(config.topMargin, kDefaultTopMargin);
    EXPECT_EQ(config.rowsPerPage, 12);
    EXPECT_EQ(config.measPerLine, 4);
    EXPECT_EQ(config.defaultFluteKey, 8);
}

TEST(Configuration, BuiltInValuesShowAPage) {
    Configuration config = configurationWithoutFile();
    EXPECT_EQ(config.viewWidth, 990);
    EXPECT_EQ(config.viewHeight, 1420);
    EXPECT_NE(config.drawColor, config.backColor);
    EXPECT_GT(config.topMargin, 0);
    EXPECT_EQ(colourFromName("lime"), rgb(0, 0xFF, 0));
    EXPECT_FALSE(colourFromName("PINK"));
}

TEST(ScoreSettings, WrittenLinesAndReadingThemBack) {
    Score score;
    score.fixedSymbol(kTitleSymbol).text = "さくら";
    score.fixedSymbol(kTitleSymbol).dx = 120;
    score.fixedSymbol(kTitleSymbol).fontSize = 14;
    score.fixedSymbol(kComposerSymbol).dy = 22;
    score.song.measPerLine = 5;
    score.largeNoteHeads = false;
    auto lines = scoreSettingsLines(score);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "$V:3");
    EXPECT_EQ(lines[1], "$NAME:,1,-8,0,120,6,6,10,14,0,;,1,-8,0,440,18,6,10,10,0,;,1,-8,0,440,22,6,10,10,0,");
    EXPECT_EQ(lines[2], "$TEMPO:=60,1,-8,0,36,39,9,6,6,0,M,1,-8,0,31,33,7,15,15,8,4/4");
    EXPECT_EQ(lines[3], "$KEY:C,8,8本,1,-8,0,14,37,4,8,8,0,");
    EXPECT_EQ(lines[4], "$MeasNum:5");
    EXPECT_EQ(lines[8], "$NOTEsize:0");

    Score restarted;
    auto result = readScoreSettings(lines, restarted, 8);
    EXPECT_TRUE(result.formatFlag);
    EXPECT_EQ(result.names.title.dx, 120);
    EXPECT_EQ(result.names.title.fontSize, 14);
    EXPECT_EQ(result.names.composer.dy, 22);
    EXPECT_FALSE(restarted.largeNoteHeads);
    newScore(restarted, {5, 8, result.names});
    EXPECT_EQ(restarted.fixedSymbol(kTitleSymbol).dx, 120);
    EXPECT_EQ(restarted.fixedSymbol(kComposerSymbol).dy, 22);
    EXPECT_EQ(restarted.fixedSymbol(kTitleSymbol).text, "");
    EXPECT_EQ(restarted.fixedSymbol(kTempoSymbol).text, "=60");
    EXPECT_EQ(restarted.fixedSymbol(kFluteKeySymbol).text, "8本");
}

TEST(ScoreSettings, NumericLineHasNoEffectAtStart) {
    Score score;
    readScoreSettings({"$V:3", "$NumScore:3,3,3,3,3,3,X"}, score, 8);
    EXPECT_EQ(score.numeric.tiers, 12);
}
