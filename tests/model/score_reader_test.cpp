#include <gtest/gtest.h>

#include "model/header_parser.h"
#include "model/score_reader.h"
#include "model/tempo_words.h"
#include "score_builder.h"

using namespace shinofu::model;
using shinofu::testing::fileWithNotes;
using shinofu::testing::notesOf;
using shinofu::testing::readLines;

TEST(ScoreReader, FormatFlagAndLengthScale) {
    Score score;
    // Opened as an old file, the "$V:3" line still selects the current format.
    auto report = readLines(score, fileWithNotes({"$V:3"}, {"c1 n n 96 u"}), false);
    EXPECT_TRUE(report.formatFlag);
    EXPECT_EQ(notesOf(score, 1)[0]->len, 12);
    // An old file without "$V:" opened as current format has its lengths divided by 8.
    report = readLines(score, fileWithNotes({}, {"c1 n n 12 u"}), true);
    EXPECT_EQ(notesOf(score, 1)[0]->len, 1);
    report = readLines(score, fileWithNotes({"$V:2.5"}, {"c1 n n 12 u"}), false);
    EXPECT_FALSE(report.formatFlag);
    EXPECT_EQ(notesOf(score, 1)[0]->len, 12);
}

TEST(ScoreReader, GroupsCurvesAndAccidentals) {
    Score score;
    readLines(score, fileWithNotes({}, {"e1 # sstfrm-2+0+1 48 d, f1 x 3s6f 48 u, g1 d qs 48, a1 - tw-5 48 ud"}));
    auto notes = notesOf(score, 1);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0]->slur, kRoleStart);
    EXPECT_EQ(notes[0]->tie, kRoleEnd);
    EXPECT_EQ(notes[0]->beam, kRoleMiddle);
    EXPECT_EQ(notes[0]->curveStart, 2);
    EXPECT_EQ(notes[0]->curveMid, 0);
    EXPECT_EQ(notes[0]->curveEnd, 1);
    EXPECT_FALSE(notes[0]->stemUp);
    EXPECT_EQ(notes[0]->accidental, kSharp);
    EXPECT_EQ(notes[0]->semitone, 29);
    EXPECT_EQ(notes[1]->triplet, kRoleStart);
    EXPECT_EQ(notes[1]->sextuplet, kRoleEnd);
    EXPECT_EQ(notes[1]->accidental, kDoubleSharp);
    EXPECT_EQ(notes[2]->accidental, kDoubleFlat);
    EXPECT_EQ(notes[2]->slur + notes[2]->tie + notes[2]->beam, 0);  // unknown kind letter ignored
    EXPECT_TRUE(notes[2]->stemUp);  // no stem token
    EXPECT_EQ(notes[3]->tie, kRoleEndAndStart);
    EXPECT_EQ(notes[3]->curveStart, 5);
    EXPECT_FALSE(notes[3]->stemUp);  // a "d" wins
    EXPECT_EQ(notes[3]->accidental, kNatural);
}

TEST(ScoreReader, CurvesOnlyOnNotesThatStartACurve) {
    Score score;
    readLines(score, fileWithNotes({}, {"c1 n rs-4+1+2 48 u"}));
    EXPECT_EQ(notesOf(score, 1)[0]->curveStart, 0);
}

TEST(ScoreReader, UnknownPitchIsAHiddenRestAndVelocityBounds) {
    Score score;
    readLines(score, fileWithNotes({}, {"h9 n n 96 u $V0,c1 n n 96 u $V128 $T5,c1 n n 96 u $V127 $T2000,,d1"}));
    auto notes = notesOf(score, 1);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0]->pitch, kHiddenRest);
    EXPECT_EQ(notes[0]->velocity, 60);
    EXPECT_EQ(notes[1]->velocity, 60);
    EXPECT_EQ(notes[1]->playTime, 5);
    EXPECT_EQ(notes[1]->loadedPlayTime, 5);
    EXPECT_EQ(notes[2]->velocity, 127);
    EXPECT_EQ(notes[2]->loadedVelocity, 127);
    EXPECT_EQ(notes[3]->pitch, kHiddenRest);  // an empty item
    EXPECT_EQ(notes[4]->pitch, 16);
    EXPECT_EQ(notes[4]->len, 12);  // no length token: the record default
}

TEST(ScoreReader, PlayTimeFollowsTheFileTempo) {
    Score score;
    readLines(score, fileWithNotes({"$V:3", "$TEMPO:=120,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,3/4"},
                                   {"c1 n n 96 u"}));
    EXPECT_EQ(score.song.tempo, 120);
    EXPECT_EQ(score.song.tempoText, "120");
    EXPECT_EQ(score.meter().text, "3/4");
    EXPECT_EQ(notesOf(score, 1)[0]->playTime, 500);
}

TEST(ScoreReader, PartsAndSections) {
    Score score;
    std::vector<std::string> lines = {
        "$V:3", "$Instrument:1,x,2,300,3", "$FClef:f,t", "$END", "c1 n n 96 u", "$START", "/ a comment",
        "d1 n n 96 u,e1 n n 96 u", "$END", "$NEND",
        "$STARTM", "/c", "Z,2,96,0,5,-23,14,14,14,8,$Sseni", "short,1,2", "$END",
        "$STARTM", "自由,1,-8,0,0,0,6,10,10,3,自由", "X,1,-8,0,0,0,6,10,10,8,$Sbogus", "$END",
        "$STARTS", "W,1,48,0,-4,-10,9,4,8,8,$breath", "$END",
        "$STARTS", ",1,0,0,0,-15,9,4,12,8,$Rmf", ",1,0,0,0,-5,9,4,12,8,$Cdcst", ",1,0,0,0,0,9,4,12,8,$Rq", "$END",
        "$STARTL", "あ", "$END",
        "$STARTL", "", "い,う,え", "$END"};
    readLines(score, lines);
    EXPECT_EQ(score.partCount, 2);
    EXPECT_EQ(score.part(1).instrument, 1);
    // A field that is no program keeps its part's default and the next values stay on their parts.
    EXPECT_EQ(score.part(2).instrument, kDefaultInstruments[1]);
    EXPECT_EQ(score.part(3).instrument, 2);
    EXPECT_EQ(score.part(4).instrument, kDefaultInstruments[3]);
    EXPECT_EQ(score.part(5).instrument, 3);
    EXPECT_TRUE(score.part(2).fClef);
    ASSERT_EQ(score.part(1).symbols.size(), 7u);  // six fixed ones and the segno
    const TScoreSym& segno = score.part(1).symbols[6];
    EXPECT_EQ(segno.kind, kSegno);
    EXPECT_EQ(segno.page, 2);
    EXPECT_EQ(segno.anchorPos, 12);
    EXPECT_EQ(segno.dx, 5);
    EXPECT_EQ(segno.fontIndex, 1);
    ASSERT_EQ(score.part(2).symbols.size(), 2u);
    EXPECT_EQ(score.part(2).symbols[0].text, "自由");
    EXPECT_TRUE(score.part(2).symbols[0].bold);
    EXPECT_TRUE(score.part(2).symbols[0].italic);
    EXPECT_EQ(score.part(2).symbols[1].kind, kPlainText);
    ASSERT_EQ(score.part(1).marks.size(), 1u);
    EXPECT_TRUE(score.part(1).marks[0].breath);
    EXPECT_EQ(score.part(1).marks[0].anchorPos, 6);
    ASSERT_EQ(score.part(2).marks.size(), 3u);
    EXPECT_EQ(score.part(2).marks[0].dynamics, 5);
    EXPECT_EQ(score.part(2).marks[1].hairpin, 3);
    EXPECT_EQ(score.part(2).marks[2].dynamics, 0);
    EXPECT_EQ(notesOf(score, 1)[0]->lyric, "あ");
    auto part2 = notesOf(score, 2);
    EXPECT_EQ(part2[0]->lyric, "い");
    EXPECT_EQ(part2[1]->lyric, "う");  // "え" is beyond the last note and dropped
}

TEST(ScoreReader, LyricsSkipRestsAndTopB) {
    Score score;
    std::vector<std::string> lines = fileWithNotes({"$V:3"}, {"c1 n n 96 u,rest n n 96 u,b3 n n 96 u,no n n 96 u,d1 n n 96 u"});
    lines[lines.size() - 2] = "さ,く";
    readLines(score, lines);
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[0]->lyric, "さ");
    EXPECT_EQ(notes[2]->lyric, "");
    EXPECT_EQ(notes[4]->lyric, "く");
}

TEST(ScoreReader, MoreThanSixPartsReadsTheFirstSix) {
    std::vector<std::string> notes = {"c1 n n 96 u"};
    for (int part = 2; part <= 8; ++part) {
        notes.push_back("$START");
        notes.push_back(std::string("d1 n n ") + std::to_string(96 * part) + " u");
    }
    std::vector<std::string> lines = {"$V:3", "$END"};
    lines.insert(lines.end(), notes.begin(), notes.end());
    lines.push_back("$END");
    lines.push_back("$NEND");
    for (int part = 1; part <= 8; ++part) {
        lines.push_back("$STARTM");
        lines.push_back("t" + std::to_string(part) + ",1,-8,0,0,0,6,10,10,0,t");
        lines.push_back("$END");
    }
    for (int part = 1; part <= 8; ++part) {
        lines.push_back("$STARTS");
        lines.push_back("$END");
    }
    for (int part = 1; part <= 8; ++part) {
        lines.push_back("$STARTL");
        lines.push_back("ら");
        lines.push_back("$END");
    }
    Score score;
    auto report = readLines(score, lines);
    EXPECT_EQ(score.partCount, 6);
    EXPECT_EQ(report.droppedParts, 2);
    EXPECT_EQ(report.droppedSections, 6);
    EXPECT_EQ(notesOf(score, 6)[0]->len, 72);
    EXPECT_EQ(score.part(6).symbols.back().text, "t6");
    EXPECT_EQ(notesOf(score, 6)[0]->lyric, "ら");
}

TEST(ScoreReader, OpeningReplacesThePreviousScore) {
    Score score;
    readLines(score, fileWithNotes({"$V:3", "$FClef:t", "$Chorus:1", "$MEAS:3,5"}, {"c1 n n 96 u", "$START", "d1 n n 96 u"}));
    ASSERT_EQ(score.partCount, 2);
    EXPECT_EQ(score.chorusCount, 1);
    EXPECT_FALSE(notesOf(score, 2)[0]->stemUp);  // chorus: the even part points down
    score.part(3).symbols.push_back(TScoreSym{});
    readLines(score, fileWithNotes({"$V:3"}, {"e1 n n 96 u"}));
    EXPECT_EQ(score.partCount, 1);
    EXPECT_EQ(score.chorusCount, 0);
    EXPECT_FALSE(score.part(1).fClef);
    EXPECT_TRUE(notesOf(score, 2).empty());
    EXPECT_TRUE(score.part(3).symbols.empty());
    EXPECT_EQ(score.song.lineMeasures[0], 0);
    EXPECT_TRUE(score.songDataSet);
}

TEST(ScoreReader, OldFormatSymbolTokensCreateMarksAndSymbols) {
    Score score;
    readLines(score,
              fileWithNotes({}, {"c1 n n 12 u $Rmf,d1 n n 6 u $brth,e1 n n 6 u $Ccrst $Sseni,f1 n n 24 u $Sdacp $Sxyz"}),
              false);
    const Part& part = score.part(1);
    ASSERT_EQ(part.marks.size(), 3u);
    EXPECT_EQ(part.marks[0].dynamics, 5);
    EXPECT_EQ(part.marks[0].text, "B");
    EXPECT_EQ(part.marks[0].anchorPos, 0);
    EXPECT_EQ(part.marks[0].dy, -15);
    EXPECT_EQ(part.marks[0].width, 9);
    EXPECT_EQ(part.marks[0].fontIndex, 1);
    EXPECT_TRUE(part.marks[1].breath);
    EXPECT_EQ(part.marks[1].anchorPos, 18);  // the end of the note
    EXPECT_EQ(part.marks[2].hairpin, 1);
    EXPECT_EQ(part.marks[2].anchorPos, 18);
    ASSERT_EQ(part.symbols.size(), 9u);
    const TScoreSym& segno = part.symbols[6];
    EXPECT_EQ(segno.kind, kSegno);
    EXPECT_EQ(segno.text, "Z");
    EXPECT_EQ(segno.anchorPos, 24);
    EXPECT_EQ(segno.dy, -23);
    EXPECT_EQ(segno.dx, 0);
    const TScoreSym& daCapo = part.symbols[7];
    EXPECT_EQ(daCapo.kind, kDaCapo);
    EXPECT_EQ(daCapo.anchorPos, 48 - 48);
    EXPECT_EQ(daCapo.fontIndex, 1);
    EXPECT_EQ(part.symbols[8].kind, kPlainText);
    EXPECT_EQ(part.symbols[8].text, "xyz");
}

TEST(ScoreReader, SymbolTokensAreIgnoredInTheCurrentFormat) {
    Score score;
    readLines(score, fileWithNotes({"$V:3"}, {"c1 n n 96 u $Rmf $Sseni"}));
    EXPECT_TRUE(score.part(1).marks.empty());
    EXPECT_EQ(score.part(1).symbols.size(), 6u);
}

TEST(HeaderParser, ShortFormsOfOlderFiles) {
    Score score;
    NameLayout names = rememberNameLayout(score);
    names.title.dx = 50;
    names.title.fontSize = 20;
    names.lyricist.fontSize = 9;
    names.composer.dx = 70;
    ReadOptions options;
    options.formatFlag = false;
    options.names = names;
    options.defaultFluteKey = 7;
    readScore({"$NAME:さくら,作詞,作曲", "$TEMPO:120,3/4", "$KEY:F#,x", "$END"}, score, options);
    EXPECT_EQ(score.title(), "さくら");
    EXPECT_EQ(score.composer(), "作曲");
    const TScoreSym& title = score.fixedSymbol(kTitleSymbol);
    EXPECT_EQ(title.dx, 50);
    EXPECT_EQ(title.fontSize, 20);
    EXPECT_EQ(title.width, 6 * 20 / 2);
    EXPECT_EQ(score.fixedSymbol(kComposerSymbol).dx, 70);
    EXPECT_EQ(score.fixedSymbol(kComposerSymbol).fontSize, 9);  // the lyricist's size
    const TScoreSym& tempo = score.fixedSymbol(kTempoSymbol);
    EXPECT_EQ(tempo.text, "=120");
    EXPECT_EQ(tempo.fontSize, 6);
    EXPECT_EQ(tempo.dx, 36);
    EXPECT_EQ(score.fixedSymbol(kMetronomeSymbol).text, "M");
    EXPECT_EQ(score.song.tempo, 120);
    EXPECT_EQ(score.meter().text, "3/4");
    EXPECT_EQ(score.song.keySig, 6);
    EXPECT_EQ(score.song.fluteKey, 7);
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "7本");
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).dy, 37);
}

TEST(HeaderParser, TempoWordsAndMeters) {
    Score score;
    HeaderContext editor;
    editor.fromEditor = true;
    parseHeaderLine("$TEMPO:allegro,3/4", score, editor);
    applyTempoText(score);
    EXPECT_EQ(score.song.tempo, 95);
    EXPECT_EQ(score.meter().text, "3/4");
    EXPECT_EQ(score.fixedSymbol(kMetronomeSymbol).text, "");
    parseHeaderLine("$TEMPO:Allegretto,5/4", score, editor);
    applyTempoText(score);
    EXPECT_EQ(score.song.tempo, 90);
    EXPECT_EQ(score.meter().text, "3/4");
    parseHeaderLine("$TEMPO:=100,4/4", score, editor);
    applyTempoText(score);
    EXPECT_EQ(score.song.tempo, 75);  // "=100" is not a whole number
    parseHeaderLine("$TEMPO:0", score, editor);
    applyTempoText(score);
    // No tempo: the words' default, never a division by zero; the page shows what plays.
    EXPECT_EQ(score.song.tempo, kUnknownTempoWord);
    EXPECT_EQ(score.song.tempoText, "75");
    EXPECT_EQ(score.fixedSymbol(kTempoSymbol).text, "=75");
    EXPECT_GT(score.song.msPerUnit, 0);
    parseHeaderLine("$TEMPO:2", score, editor);
    applyTempoText(score);
    EXPECT_EQ(score.song.tempo, kMinTempo);  // nor slower than a MIDI file can hold
    EXPECT_EQ(score.fixedSymbol(kTempoSymbol).text, "=4");
}

TEST(HeaderParser, FontsKeepUnnamedOnesAndNumbersTakeDefaults) {
    Score score;
    HeaderContext file;
    parseHeaderLine("$FONT:A,B", score, file);
    EXPECT_EQ(score.fonts[0], "A");
    EXPECT_EQ(score.fonts[1], "B");
    EXPECT_EQ(score.fonts[2], "HG行書体");
    parseHeaderLine("$NumScore:x,0,3,-1,2,99,IPA ゴシック,太", score, file);
    EXPECT_EQ(score.numeric.tiers, 12);
    EXPECT_EQ(score.numeric.rows, 8);
    EXPECT_EQ(score.numeric.columns, 3);
    EXPECT_EQ(score.numeric.fontSizeChoice, 2);
    EXPECT_EQ(score.numeric.fontColorChoice, 2);
    EXPECT_EQ(score.numeric.ruleColorChoice, 0);
    EXPECT_EQ(score.numeric.fontName, "IPA ゴシック,太");
    HeaderContext startUp;
    startUp.numericApplies = false;
    parseHeaderLine("$NumScore:1,1,1,1,1,1,X", score, startUp);
    EXPECT_EQ(score.numeric.tiers, 12);
    parseHeaderLine("$NFont:4", score, file);
    EXPECT_DOUBLE_EQ(score.numeric.numSizeRatio, 4.0);
    EXPECT_DOUBLE_EQ(score.numeric.numDrop, 5.0);
    parseHeaderLine("$NFont: x, 6.25,1", score, file);
    EXPECT_DOUBLE_EQ(score.numeric.numSizeRatio, 3.5);
    EXPECT_DOUBLE_EQ(score.numeric.numDrop, 6.25);
    EXPECT_TRUE(score.numeric.numBold);
    parseHeaderLine("$MeasNum:x", score, file);
    EXPECT_EQ(score.song.measPerLine, 4);
    parseHeaderLine("$MeasNum:0", score, file);
    EXPECT_EQ(score.song.measPerLine, 4);
    EXPECT_EQ(parseHeaderLine("$END", score, file), HeaderLine::End);
}

TEST(HeaderParser, KeyLettersIncludingSevenFlats) {
    Score score;
    HeaderContext editor;
    editor.fromEditor = true;
    parseHeaderLine("$KEY:C-,6", score, editor);
    EXPECT_EQ(score.song.keySig, 14);
    parseHeaderLine("$KEY:Q,6", score, editor);
    EXPECT_EQ(score.song.keySig, 14);  // unknown letters keep the key
    parseHeaderLine("$KEY:B-,13", score, editor);
    EXPECT_EQ(score.song.keySig, 9);
    EXPECT_EQ(score.song.fluteKey, 12);  // no thirteenth flute
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "12本");
    parseHeaderLine("$KEY:C,x", score, editor);
    EXPECT_EQ(score.song.fluteKey, kDefaultFluteKey);
}

TEST(HeaderParser, FluteKeyOutOfRangeInTheFullFormRewritesItsText) {
    Score score;
    HeaderContext file;
    parseHeaderLine("$KEY:C,0,0本,1,-8,0,14,37,4,8,8,0,", score, file);
    EXPECT_EQ(score.song.fluteKey, 1);
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "1本");
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).dx, 14);  // the record's place stays
    parseHeaderLine("$KEY:C,6,六本,1,-8,0,14,37,4,8,8,0,", score, file);
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "六本");  // a flute in range keeps the file's text
}
