#include <gtest/gtest.h>

#include "model/score_writer.h"
#include "model/symbol_record.h"
#include "platform/text_codec.h"
#include "score_builder.h"

using namespace shinofu::model;
using shinofu::testing::addNote;

namespace {

// Lines of the note section of part 1: after the header's "$END", before the section's "$END".
std::vector<std::string> noteLinesOf(const std::vector<std::string>& file) {
    auto begin = std::find(file.begin(), file.end(), "$END") + 1;
    auto end = std::find(begin, file.end(), "$END");
    return {begin, end};
}

std::vector<std::string> lyricLinesOf(const std::vector<std::string>& file) {
    auto begin = std::find(file.begin(), file.end(), "$STARTL") + 1;
    auto end = std::find(begin, file.end(), "$END");
    return {begin, end};
}

}  // namespace

TEST(ScoreWriter, NewEmptyScoreByteForByte) {
    Score score;
    const std::vector<std::string> expected = {
        "$V:3",
        "$FONT:ＭＳ ゴシック,ShinofuMusic,HG行書体,ＭＳ Ｐ明朝",
        // The six song-data symbols each in a place of its own.
        "$NAME:,1,-8,0,211,6,6,10,10,0,;,1,-8,0,440,18,6,10,10,0,;,1,-8,0,440,26,6,10,10,0,",
        "$TEMPO:=60,1,-8,0,36,39,9,6,6,0,M,1,-8,0,31,33,7,15,15,8,4/4",
        "$KEY:C,8,8本,1,-8,0,14,37,4,8,8,0,",
        "$MeasNum:4",
        "$NumScore:12,8,2,2,0,0,ＭＳ ゴシック",
        "$NFont: 3.50, 5.00,0",
        "$Instrument:73",
        "$NOTEsize:1",
        "$FClef:f",
        "$END",
        "$END",
        "$NEND",
        "$STARTM",
        "$END",
        "$STARTS",
        "$END",
        "$STARTL",
        "",
        "$END",
    };
    auto lines = scoreFileLines(score);
    EXPECT_EQ(lines, expected);
    std::string bytes = shinofu::platform::encodeLines(lines).bytes;
    EXPECT_EQ(bytes.substr(0, 6), "$V:3\r\n");
    EXPECT_NE(bytes.find("$KEY:C,8,8\x96\x7b,1"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 17), "$STARTL\r\n\r\n$END\r\n");
}

TEST(ScoreWriter, NoteLinesBreakAtMeasureEnds) {
    Score score;
    for (int i = 0; i < 8; ++i) addNote(score, 1, kMiddleC, 12);
    auto lines = noteLinesOf(scoreFileLines(score));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u");
    EXPECT_EQ(lines[1], lines[0]);
}

TEST(ScoreWriter, NoteCrossingTheBarlineEndsItsLine) {
    Score score;
    for (int i = 0; i < 3; ++i) addNote(score, 1, kMiddleC, 12);
    addNote(score, 1, 16, 18);  // dotted quarter across the barline
    addNote(score, 1, 17, 12);
    auto lines = noteLinesOf(scoreFileLines(score));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,d1 n n 144 u");
    EXPECT_EQ(lines[1], "e1 n n 96 u");  // the running sum restarted at 0
}

TEST(ScoreWriter, NoteItemTokens) {
    TNote note;
    note.pitch = 17;
    note.accidental = kSharp;
    note.slur = kRoleStart;
    note.beam = kRoleStart;
    note.len = 6;
    EXPECT_EQ(noteItem(note, false), "e1 # ssrs 48 u");
    note.tie = kRoleStart;
    EXPECT_EQ(noteItem(note, false), "e1 # sstsrs 48 u");
    note = TNote{};
    note.pitch = 19;
    note.tie = kRoleEnd;
    note.len = 24;
    note.stemUp = false;
    note.playTime = 2000;
    EXPECT_EQ(noteItem(note, true), "g1 n tf 192 d $T2000 $V60");
    EXPECT_EQ(noteItem(note, false), "g1 n tf 192 d");
    note = TNote{};
    note.pitch = kRest;
    note.len = 6;
    note.curveStart = 4;  // curves are written only with a group role
    EXPECT_EQ(noteItem(note, false), "rest n n 48 u");
    note.pitch = 15;
    note.slur = kRoleStart;
    note.curveEnd = -2;
    EXPECT_EQ(noteItem(note, false), "c1 n ss-4+0+-2 48 u");
    note = TNote{};
    note.pitch = kHiddenRest;
    note.accidental = kDoubleFlat;
    note.triplet = kRoleMiddle;
    note.sextuplet = kRoleEnd;
    note.slur = kRoleEndAndStart;
    EXPECT_EQ(noteItem(note, false), "no d sw3m6f 96 u");
}

TEST(ScoreWriter, PerformanceDataOnlyWithTheFlag) {
    Score score;
    addNote(score, 1, kMiddleC, 12).playTime = 1234;
    auto plain = scoreFileLines(score);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), "$TempoVeloData"), 0);
    EXPECT_EQ(noteLinesOf(plain)[0], "c1 n n 96 u");
    score.writePerfData = true;
    auto withData = scoreFileLines(score);
    EXPECT_EQ(std::count(withData.begin(), withData.end(), "$TempoVeloData"), 1);
    EXPECT_EQ(noteLinesOf(withData)[0], "c1 n n 96 u $T1234 $V60");
}

TEST(ScoreWriter, SymbolRecords) {
    TScoreSym title;
    title.text = "さくら";
    EXPECT_EQ(formatSymbolRecord(title), "さくら,1,-8,0,0,0,6,10,10,0,");
    title.anchorPos = 96;
    title.fontIndex = 2;
    title.bold = true;
    title.italic = true;
    title.dx = -3;
    EXPECT_EQ(formatSymbolRecord(title), "さくら,1,768,0,-3,0,6,10,10,19,");
}

TEST(ScoreWriter, SymbolAndMarkSections) {
    Score score;
    TScoreSym segno;
    segno.text = "Z";
    segno.kind = kSegno;
    TScoreSym free;
    free.text = "元気に";
    score.part(1).symbols.push_back(segno);
    score.part(1).symbols.push_back(free);
    TMark mark;
    mark.text = "W";
    mark.breath = true;
    score.part(1).marks.push_back(mark);
    TMark dynamics;
    dynamics.dynamics = 5;
    score.part(1).marks.push_back(dynamics);
    TMark hairpin;
    hairpin.hairpin = 3;
    score.part(1).marks.push_back(hairpin);
    auto lines = scoreFileLines(score);
    auto at = std::find(lines.begin(), lines.end(), "$STARTM");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(at[1], "Z,1,-8,0,0,0,6,10,10,0,$Sseni");
    EXPECT_EQ(at[2], "元気に,1,-8,0,0,0,6,10,10,0,元気に");
    EXPECT_EQ(at[3], "$END");
    at = std::find(lines.begin(), lines.end(), "$STARTS");
    EXPECT_EQ(at[1], "W,1,-8,0,0,0,6,10,10,0,$breath");
    EXPECT_EQ(at[2], ",1,-8,0,0,0,6,10,10,0,$Rmf");
    EXPECT_EQ(at[3], ",1,-8,0,0,0,6,10,10,0,$Cdcst");
}

TEST(ScoreWriter, TextsThatWouldBreakTheFileAreWrittenFullWidth) {
    EXPECT_EQ(fileSafeText("a,b;c"), "a，b；c");
    EXPECT_EQ(fileSafeText("$100"), "＄100");
    EXPECT_EQ(fileSafeText("/x/y"), "／x/y");
    EXPECT_EQ(fileSafeText("two\r\nlines"), "two  lines");
    Score score;
    score.fixedSymbol(kTitleSymbol).text = "春;夏,秋";
    auto lines = scoreFileLines(score);
    EXPECT_EQ(lines[2].rfind("$NAME:春；夏，秋,1,-8,", 0), 0u);
}

TEST(ScoreWriter, LyricsKeepEmptyItemsAndSkipRestsAndTopB) {
    Score score;
    for (int i = 0; i < 3; ++i) addNote(score, 1, kMiddleC, 12);
    addNote(score, 1, kRest, 12);
    addNote(score, 1, kHighestPitch, 12).lyric = "x";  // "b3" carries no lyric
    addNote(score, 1, 16, 12).lyric = "あ";
    addNote(score, 1, 17, 12).lyric = "い";
    auto lyrics = lyricLinesOf(scoreFileLines(score));
    ASSERT_EQ(lyrics.size(), 1u);
    EXPECT_EQ(lyrics[0], ",,,あ,い");
}

TEST(ScoreWriter, LyricLinesBreakEvery48Records) {
    Score score;
    for (int i = 0; i < 50; ++i) addNote(score, 1, kMiddleC, 12).lyric = std::to_string(i);
    auto lyrics = lyricLinesOf(scoreFileLines(score));
    ASSERT_EQ(lyrics.size(), 2u);
    EXPECT_EQ(std::count(lyrics[0].begin(), lyrics[0].end(), ','), 47);
    EXPECT_EQ(lyrics[1], "48,49");
}

TEST(ScoreWriter, LyricLineOfOneEmptyItemStaysOpen) {
    Score score;
    for (int i = 0; i < 47; ++i) addNote(score, 1, kRest, 12);
    addNote(score, 1, kMiddleC, 12);  // the 48th record, with an empty lyric
    addNote(score, 1, kMiddleC, 12).lyric = "あ";
    auto lyrics = lyricLinesOf(scoreFileLines(score));
    ASSERT_EQ(lyrics.size(), 2u);
    EXPECT_EQ(lyrics[0], ",あ");
    EXPECT_EQ(lyrics[1], "");
}

TEST(ScoreWriter, HeaderOptionalLines) {
    Score score;
    score.song.lineMeasures[0] = 4;
    score.song.lineMeasures[1] = 3;
    score.song.lineMeasures[3] = 9;  // after the first 0: not written
    score.song.keySig = 14;
    score.partCount = 2;
    score.part(2).fClef = true;
    score.numeric.numSizeRatio = 12.5;
    score.numeric.numBold = true;
    score.largeNoteHeads = false;
    auto lines = scoreFileLines(score);
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("$MEAS:4,3"));
    EXPECT_EQ(lines[4].substr(0, 10), "$KEY:C-,8,");
    EXPECT_TRUE(has("$Instrument:73,116"));
    EXPECT_TRUE(has("$FClef:f,t"));
    EXPECT_TRUE(has("$NFont:12.50, 5.00,1"));
    EXPECT_TRUE(has("$NOTEsize:0"));
    EXPECT_TRUE(has("$START"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "$STARTL"), 2);
}
