#include <gtest/gtest.h>

#include "model/json_writer.h"
#include "model/key_signature.h"
#include "model/meter.h"
#include "model/new_score.h"
#include "model/score.h"
#include "score_builder.h"

using namespace shinofu::model;
using shinofu::testing::addNote;
using shinofu::testing::notesOf;

TEST(ScoreModel, NewScoreHasSixEmptyPartsAndTheFixedSymbols) {
    Score score;
    for (int part = 1; part <= kMaxParts; ++part) {
        ASSERT_NE(score.part(part).partHead, nullptr);
        EXPECT_TRUE(score.part(part).partHead->isEndMarker());
        EXPECT_EQ(score.part(part).partHead->pitch, kEndMarker);
        EXPECT_TRUE(notesOf(score, part).empty());
    }
    ASSERT_EQ(score.part(1).symbols.size(), static_cast<size_t>(fixedSymCount));
    EXPECT_EQ(score.fixedSymbol(kTempoSymbol).text, "=60");
    EXPECT_EQ(score.fixedSymbol(kMetronomeSymbol).text, "M");
    EXPECT_EQ(score.fixedSymbol(kMetronomeSymbol).fontSize, 15);
    EXPECT_EQ(score.fixedSymbol(kMetronomeSymbol).fontIndex, 1);
    EXPECT_EQ(score.fixedSymbol(kFluteKeySymbol).text, "8本");
    EXPECT_EQ(score.partCount, 1);
    EXPECT_EQ(score.song.tempo, 60);
    EXPECT_DOUBLE_EQ(score.song.msPerUnit, 1000.0 / 12.0);
    EXPECT_EQ(score.part(1).instrument, 73);
    EXPECT_EQ(score.part(2).instrument, 116);
    EXPECT_TRUE(score.part(1).visible);
    EXPECT_FALSE(score.part(2).visible);
}

TEST(ScoreModel, NewScorePlacesFixedSymbolsApartAndClearsTexts) {
    Score score;
    score.fixedSymbol(kTitleSymbol).text = "さくら";
    score.fixedSymbol(kTitleSymbol).dx = 40;
    score.fixedSymbol(kTitleSymbol).fontSize = 18;
    score.part(2).symbols.push_back(TScoreSym{});
    score.part(1).marks.push_back(TMark{});
    addNote(score, 1, kMiddleC, 12);
    ScoreDefaults defaults;
    defaults.names.composer.dx = 300;
    defaults.names.composer.dy = 9;
    newScore(score, defaults);
    EXPECT_EQ(score.fixedSymbol(kTitleSymbol).text, "");
    EXPECT_EQ(score.fixedSymbol(kTitleSymbol).fontSize, 18);  // sizes stay
    // Names the score settings never placed take their own places; remembered ones are kept.
    EXPECT_EQ(score.fixedSymbol(kTitleSymbol).dx, kTitlePlace.dx);
    EXPECT_EQ(score.fixedSymbol(kComposerSymbol).dx, 300);
    EXPECT_EQ(score.fixedSymbol(kComposerSymbol).dy, 9);
    // No two of the six symbols share a place.
    for (int a = 0; a < fixedSymCount; ++a) {
        for (int b = a + 1; b < fixedSymCount; ++b) {
            const auto& first = score.fixedSymbol(static_cast<FixedSymbol>(a));
            const auto& second = score.fixedSymbol(static_cast<FixedSymbol>(b));
            EXPECT_FALSE(first.dx == second.dx && first.dy == second.dy) << a << " " << b;
        }
    }
    EXPECT_TRUE(score.part(2).symbols.empty());
    EXPECT_TRUE(score.part(1).marks.empty());
    EXPECT_TRUE(notesOf(score, 1).empty());
}

TEST(ScoreModel, InitialisedRecordIsAnEndMarkerWithTempoPlayTime) {
    TNote note;
    note.pitch = 3;
    note.lyric = "x";
    initNote(note, 60000.0 / (120 * 12));
    EXPECT_EQ(note.pitch, kEndMarker);
    EXPECT_EQ(note.len, 12);
    EXPECT_EQ(note.playTime, 500);
    EXPECT_EQ(note.velocity, 60);
    EXPECT_EQ(note.accidental, kNoAccidental);
    EXPECT_EQ(note.semitone, 69);
    EXPECT_TRUE(note.stemUp);
    EXPECT_TRUE(note.lyric.empty());
}

TEST(ScoreModel, PositionsAreRunningSumsAndMeasuresFollowTheMeter) {
    Score score;
    for (int len : {12, 12, 12, 12, 2}) addNote(score, 1, kMiddleC, len);
    addNote(score, 2, kRest, 6);
    addNote(score, 2, kHiddenRest, 6);
    score.recomputePositions();
    auto notes = notesOf(score, 1);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[3]->startPos, 36);
    EXPECT_EQ(notes[3]->endPos, 48);
    EXPECT_EQ(notes[4]->startPos, 48);  // the second 4/4 measure holds 2 units
    EXPECT_EQ(score.part(1).totalLength, 50);
    EXPECT_EQ(score.part(2).totalLength, 6);  // hidden rests are markers, not counted
    EXPECT_EQ(score.scoreLength(), 50);
}

TEST(ScoreModel, AppendKeepsTheListDoublyLinked) {
    Score score;
    TNote& a = addNote(score, 1, 15, 12);
    TNote& b = addNote(score, 1, 16, 12);
    EXPECT_EQ(score.part(1).partHead, &a);
    EXPECT_EQ(a.next, &b);
    EXPECT_EQ(b.prev, &a);
    EXPECT_TRUE(b.next->isEndMarker());
    EXPECT_EQ(b.next->prev, &b);
    score.curPart = 1;
    a.selected = b.selected = true;
    b.next->prev = nullptr;
    TNote* end = walkToEndOfCurrentPart(score);
    EXPECT_EQ(end, b.next);
    EXPECT_EQ(end->prev, &b);
    EXPECT_FALSE(a.selected || b.selected);
}

TEST(ScoreModel, MetersGiveMeasureLengths) {
    const int expected[][2] = {{16, 48}, {12, 36}, {8, 24}, {6, 18}, {12, 36}};
    for (int i = 0; i < kMeterCount; ++i) {
        EXPECT_EQ(meterAt(i).sixteenthsPerMeasure, expected[i][0]) << i;
        EXPECT_EQ(meterAt(i).measureLen, expected[i][1]) << i;
        EXPECT_EQ(meterIndexFromText(meterAt(i).text), i);
    }
    EXPECT_FALSE(meterIndexFromText("5/4"));
}

struct SemitoneCase {
    uint8_t pitch;
    int keySig;
    int semitone;
};

class Semitone : public ::testing::TestWithParam<SemitoneCase> {};

TEST_P(Semitone, OfPitchUnderKey) {
    EXPECT_EQ(semitoneOfPitch(GetParam().pitch, GetParam().keySig), GetParam().semitone);
}

INSTANTIATE_TEST_SUITE_P(Examples, Semitone,
                         ::testing::Values(SemitoneCase{1, 0, 1}, SemitoneCase{2, 0, 3}, SemitoneCase{8, 0, 13},
                                           SemitoneCase{15, 0, 25}, SemitoneCase{35, 0, 60},
                                           SemitoneCase{18, 0, 30}, SemitoneCase{18, 1, 31},
                                           SemitoneCase{21, 0, 36}, SemitoneCase{21, 8, 35},
                                           // C# major sharpens every letter; C- major flattens every letter
                                           SemitoneCase{15, 7, 26}, SemitoneCase{21, 7, 37},
                                           SemitoneCase{15, 14, 24}, SemitoneCase{18, 14, 29},
                                           // two sharps cover F and C, not G
                                           SemitoneCase{15, 2, 26}, SemitoneCase{19, 2, 32},
                                           // two flats cover B and E, not A
                                           SemitoneCase{17, 9, 28}, SemitoneCase{20, 9, 34}));

TEST(KeySignature, LettersAndCounts) {
    for (int key = 0; key < kKeyCount; ++key) EXPECT_EQ(keyFromLetter(keyLetter(key)), key) << key;
    EXPECT_EQ(keyLetter(9), "B-");
    EXPECT_EQ(keyLetter(14), "C-");
    EXPECT_EQ(keyAccidentalCount(7), 7);
    EXPECT_EQ(keyAccidentalCount(8), 1);
    EXPECT_EQ(keyAccidentalCount(14), 7);
    EXPECT_FALSE(keyFromLetter("H"));
}

TEST(JsonText, EveryTextIsValidUtf8WithTheReplacementCharacterForWhatIsNot) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(jsonQuoted("篠笛 \"x\"\n"), "\"篠笛 \\\"x\\\"\\n\"");
    EXPECT_EQ(jsonQuoted("a\xFF" "b"), "\"a" + replacement + "b\"");
    EXPECT_EQ(jsonQuoted("篠\xE7\xAC"), "\"篠" + replacement + replacement + "\"");  // cut short
    EXPECT_EQ(jsonQuoted("\xC0\xAF"), "\"" + replacement + replacement + "\"");     // overlong
    EXPECT_EQ(jsonQuoted("\xED\xA0\x80"), "\"" + replacement + replacement + replacement + "\"");  // a surrogate
    EXPECT_EQ(jsonQuoted("\xF0\x9F\x8E\xB5"), "\"\xF0\x9F\x8E\xB5\"");  // beyond the first plane: kept
}
