#include "midi/performance_pass.h"

#include <gtest/gtest.h>

#include "support/read_notes.h"

using namespace shinofu;

namespace {

using shinofu::testing::notesOf;

int readAndPass(model::Score& score, const std::vector<std::string>& header, const std::vector<std::string>& notes) {
    shinofu::testing::readNotes(score, header, notes);
    return midi::performancePass(score);
}

}  // namespace

TEST(PerformancePass, SoundingPitchesSilenceAndLength) {
    model::Score score;
    const int length = readAndPass(score, {}, {"c1 n n 96 u,rest n n 96 u,no n n 96 u,b3 n n 96 u", "$START", "c2 n n 48 u"});
    EXPECT_EQ(length, 48);
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[0]->midiNote, 60);
    EXPECT_FALSE(notes[0]->silent);
    EXPECT_EQ(notes[0]->soundLen, 12);
    EXPECT_TRUE(notes[1]->silent);
    EXPECT_EQ(notes[1]->midiNote, -1);
    EXPECT_TRUE(notes[2]->silent);
    EXPECT_EQ(notes[3]->midiNote, 95);
    EXPECT_EQ(notesOf(score, 2)[0]->midiNote, 72);
}

TEST(PerformancePass, KeySignatureSounds) {
    model::Score score;
    readAndPass(score, {"$KEY:B-,8"}, {"b1 n n 96 u,e1 n n 96 u,e1 - n 96 u,a1 n n 96 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[0]->midiNote, 70);  // B flat
    EXPECT_EQ(notes[1]->midiNote, 63);  // E flat
    EXPECT_EQ(notes[2]->midiNote, 64);  // written natural
    EXPECT_EQ(notes[3]->midiNote, 69);
}

TEST(PerformancePass, TiesSoundAsOneNote) {
    model::Score score;
    readAndPass(score, {}, {"c1 n ts 96 u,c1 n tm 96 u,c1 n tf 96 u,d1 n n 96 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[0]->soundLen, 36);
    EXPECT_FALSE(notes[0]->tiedOn);
    EXPECT_TRUE(notes[1]->tiedOn);
    EXPECT_EQ(notes[1]->midiNote, -1);
    EXPECT_TRUE(notes[2]->tiedOn);
    EXPECT_EQ(notes[3]->soundLen, 12);
}

TEST(PerformancePass, AccidentalsCarryThroughTheMeasureAndAnOctaveAway) {
    model::Score score;
    // A sharp on f0 (code 11) carries to f0, f1 (18) and f- (4) of the measure, and not past the bar line.
    readAndPass(score, {}, {"f0 # n 48 u,f0 n n 48 u,f1 n n 48 u,f- n n 48 u,g1 n n 192 u", "f0 n n 384 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[1]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[2]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[3]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[2]->midiNote, 66);
    EXPECT_EQ(notes[4]->effAccidental, model::kNoAccidental);
    EXPECT_EQ(notes[5]->effAccidental, model::kNoAccidental);
}

TEST(PerformancePass, EveryWrittenAccidentalOfTheMeasureCarries) {
    model::Score score;
    // F sharp, then C sharp: a later C of the measure is C sharp too; a natural cancels.
    readAndPass(score, {}, {"f1 # n 48 u,c1 # n 48 u,c1 n n 48 u,f1 n n 48 u,f1 - n 48 u,f1 n n 48 u,c1 n n 96 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[2]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[2]->midiNote, 61);
    EXPECT_EQ(notes[3]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[5]->effAccidental, model::kNatural);
    EXPECT_EQ(notes[5]->midiNote, 65);
    EXPECT_EQ(notes[6]->midiNote, 61);
}

TEST(PerformancePass, AccidentalsDoNotCarryIntoTheNextPart) {
    model::Score score;
    // Part 1 ends inside a measure with a sharp; part 2 begins with the same pitch.
    readAndPass(score, {}, {"f1 # n 96 u", "$START", "f1 n n 96 u"});
    EXPECT_EQ(notesOf(score, 2)[0]->effAccidental, model::kNoAccidental);
}

TEST(PerformancePass, TupletMeasuresResetWithinOneUnit) {
    model::Score score;
    // A measure that ends one unit past its bar line, as rounded tuplets do, still clears the table.
    readAndPass(score, {}, {"f1 # n 96 u,rest n n 296 u", "f1 n n 96 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes.back()->effAccidental, model::kNoAccidental);
}

TEST(PerformancePass, OctaveUpCarryOnlyBelowC2) {
    model::Score score;
    // A sharp on f1 (code 18) carries to f1 and to f0 (11), but not up to f2 (25): 18 + 7 is not below 22.
    readAndPass(score, {}, {"f1 # n 48 u,f1 n n 48 u,f0 n n 48 u,f2 n n 48 u"});
    auto notes = notesOf(score, 1);
    EXPECT_EQ(notes[1]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[2]->effAccidental, model::kSharp);
    EXPECT_EQ(notes[3]->effAccidental, model::kNoAccidental);
    EXPECT_EQ(notes[3]->midiNote, 77);
    // An f2 already given its own accidental in the measure takes a later one written an octave below.
    model::Score second;
    readAndPass(second, {}, {"f2 - n 48 u,f1 # n 48 u,f2 n n 48 u,rest n n 48 u"});
    EXPECT_EQ(notesOf(second, 1)[2]->effAccidental, model::kSharp);
}
