#include <gtest/gtest.h>

#include <random>

#include "edit/transposition.h"
#include "edit_fixture.h"
#include "model/key_signature.h"
#include "model/measure_spelling.h"
#include "support/read_notes.h"
#include "support/struck_keys.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class Transposition : public EditTest {
protected:
    // The part's notes as "name accidental" pairs.
    std::string written() {
        std::string joined;
        for (const model::TNote* note : shinofu::testing::notesOf(score_, 1)) {
            joined += (joined.empty() ? "" : " ") + std::string(model::pitchName(note->pitch)) +
                      std::string(model::accidentalToken(note->accidental));
        }
        return joined;
    }
    // What the part sounds, as chromatic numbers, read from the MIDI file written for it.
    std::vector<int> chromatics() {
        std::vector<int> numbers;
        for (const auto& struck : shinofu::testing::struckKeys(score_)) numbers.push_back(struck.key - kMiddleCKeyOffset);
        return numbers;
    }
    // Every chromatic number from..to written in the key as a part, spelled with the measure's carry.
    std::string chromaticScale(int keySig, int from, int to) {
        constexpr int kSixteenth = 6;
        std::string notes;
        std::string spelled;
        model::MeasureSpelling spelling(keySig, model::kLengthUnitsPerQuarter * 4);
        for (int s = from; s <= to; ++s) {
            const WrittenNote note = spelling.spell(s);
            spelling.advance(kSixteenth);
            notes += std::string(notes.empty() ? "" : ",") + std::string(model::pitchName(note.pitch)) + " " +
                     std::string(model::accidentalToken(note.accidental)) + " n 48 u";
            spelled += std::string(spelled.empty() ? "" : " ") + std::string(model::pitchName(note.pitch)) +
                       std::string(model::accidentalToken(note.accidental));
        }
        read(notes);
        score_.song.keySig = static_cast<uint8_t>(keySig);
        return spelled;
    }
    static constexpr int kMiddleCKeyOffset = 35;  // MIDI key of chromatic number 0
};

}  // namespace

TEST_F(Transposition, AScaleMovesIntoTheNewKeyWithItsSpelling) {
    read("c1 n n 48 u,d1 n n 48 u,e1 n n 48 u,f1 n n 48 u,g1 n n 48 u,a1 n n 48 u,b1 n n 48 u,c2 n n 48 u");
    ASSERT_TRUE(transpose(score_, 7));
    EXPECT_EQ(score_.song.keySig, 1);  // G
    EXPECT_EQ(written(), "g1n a1n b1n c2n d2n e2n f2n g2n");  // the F♯ from the signature
    read("b1 n n 48 u");
    score_.song.keySig = 8;  // F: the b sounds B♭
    ASSERT_TRUE(transpose(score_, -5));
    EXPECT_EQ(score_.song.keySig, 0);
    EXPECT_EQ(written(), "f1n");
    EXPECT_EQ(transposedKey(2, 1), 10);  // D up a semitone: E♭, not D♯
}

TEST_F(Transposition, NotesAtTheEndsOfTheRangeStayThere) {
    read("c- n n 48 u,b3 n n 48 u");
    ASSERT_TRUE(transpose(score_, -3));
    EXPECT_EQ(chromatics().front(), 1);
    read("b3 n n 48 u");
    score_.song.keySig = 0;
    ASSERT_TRUE(transpose(score_, 5));
    EXPECT_EQ(written(), "b3-");  // B natural in F
}

TEST_F(Transposition, SpellingsOutsideTheWhiteKeys) {
    EXPECT_EQ(model::pitchName(writtenForm(model::semitoneOfPitch(18, 0), 6).pitch), "e1");  // F in F♯ major: E♯
    const WrittenNote cFlat = writtenForm(model::semitoneOfPitch(21, 0), 13);                // B in G♭ major
    EXPECT_EQ(model::pitchName(cFlat.pitch), "c2");
    EXPECT_EQ(cFlat.accidental, model::kNoAccidental);
    // The forms without a staff position are respelled: B♯ below c- as C, C♭ above b3 as B.
    EXPECT_EQ(model::pitchName(writtenForm(1, 7).pitch), "c-");
    EXPECT_EQ(writtenForm(1, 7).accidental, model::kNatural);
    EXPECT_EQ(model::pitchName(writtenForm(60, 14).pitch), "b3");
    EXPECT_EQ(writtenForm(60, 14).accidental, model::kNatural);
    EXPECT_EQ(writtenForm(2, 0).accidental, model::kSharp);  // C♯ in C
    EXPECT_EQ(model::pitchName(writtenForm(11, 8).pitch), "b-");  // B♭ in F: by the signature
}

TEST_F(Transposition, EveryKeyAndStepKeepsTheSoundsAndComesBack) {
    for (int key = 0; key < model::kKeyCount; ++key) {
        for (int steps = -7; steps <= 7; ++steps) {
            if (steps == 0) continue;
            const std::string original = chromaticScale(key, 13, 48);
            const std::vector<int> before = chromatics();
            ASSERT_TRUE(transpose(score_, steps));
            const std::vector<int> after = chromatics();
            ASSERT_EQ(after.size(), before.size());
            for (size_t i = 0; i < before.size(); ++i) {
                ASSERT_EQ(after[i], before[i] + steps) << "key " << key << " steps " << steps;
                // The semitone field follows the note's written place.
                EXPECT_EQ(shinofu::testing::notesOf(score_, 1)[i]->semitone,
                          model::semitoneOfPitch(shinofu::testing::notesOf(score_, 1)[i]->pitch, score_.song.keySig));
            }
            ASSERT_TRUE(transpose(score_, -steps));
            EXPECT_EQ(chromatics(), before) << "key " << key << " steps " << steps;
            if (transposedKey(transposedKey(key, steps), -steps) == key) {
                EXPECT_EQ(written(), original) << "key " << key << " steps " << steps;
            }
        }
    }
}

TEST_F(Transposition, OctavesAndTheSignatureAlone) {
    read("c3 n n 48 d,b2 n n 48 d,b- n n 48 u,c1 n rs 48 u,e1 n rf 48 u");
    ASSERT_TRUE(shiftPartOctave(score_, 1, true));
    EXPECT_EQ(written(), "c3n b3n b0n c2n e2n");
    EXPECT_FALSE(note(3)->stemUp);  // c2 stems down, and the beam's last note follows it
    EXPECT_FALSE(note(4)->stemUp);
    read("b- n n 48 u,c1 n n 48 u");
    ASSERT_TRUE(shiftPartOctave(score_, 1, false));
    EXPECT_EQ(written(), "b-n c0n");
    setKeySignature(score_, 1);
    EXPECT_EQ(written(), "b-n c0n");
    EXPECT_EQ(score_.song.keySig, 1);
}

namespace {

std::vector<int> keysOf(model::Score& score) {
    std::vector<int> keys;
    for (const auto& struck : shinofu::testing::struckKeys(score)) keys.push_back(struck.key);
    return keys;
}

std::vector<int> movedBy(std::vector<int> keys, int step) {
    for (int& key : keys) key += step;
    return keys;
}

// A melody of random notes in a random key: accidentals and naturals inside measures, notes an
// octave from a written accidental, and notes tied over bar lines.
std::string randomMelody(std::mt19937& rng) {
    const char* accidentals[] = {"n", "n", "n", "#", "f", "-"};
    const int lengths[] = {48, 96, 96, 192};
    std::string notes;
    int previous = 15;
    for (int i = 0, count = 8 + static_cast<int>(rng() % 24); i < count; ++i) {
        // Staff positions d0..f2: a step may respell a note one position further (C♭ as B), and an
        // octave either way still stays on the staff.
        int pitch = 9 + static_cast<int>(rng() % 19);
        if (rng() % 4 == 0) pitch = previous + (rng() % 2 ? 7 : -7);  // the carry an octave away
        if (pitch < 9 || pitch > 27) pitch = 15;
        const bool tie = rng() % 6 == 0;
        const std::string name(model::pitchName(static_cast<uint8_t>(pitch)));
        const std::string length = std::to_string(lengths[rng() % 4]);
        notes += (notes.empty() ? "" : ",") + name + " " + accidentals[rng() % 6] + " " + (tie ? "ts " : "n ") + length + " u";
        if (tie) notes += "," + name + " n tf " + length + " u";
        previous = pitch;
    }
    return notes;
}

}  // namespace

TEST_F(Transposition, WhatTheMeasureAlreadyCarriesIsWrittenWhereItWouldChangeTheSound) {
    read("g1 # n 96 u,g1 - n 96 u,g1 n n 96 u");  // in C: G♯ G G
    ASSERT_TRUE(transpose(score_, 2));
    EXPECT_EQ(keysOf(score_), (std::vector<int>{70, 69, 69}));
    read("d1 # n 96 u,e1 n n 96 u");  // in D: D♯ E
    score_.song.keySig = 2;
    ASSERT_TRUE(transpose(score_, 2));
    EXPECT_EQ(keysOf(score_), (std::vector<int>{65, 66}));
    read("f1 # n 96 u,f2 - n 96 u");  // F♯ and the F natural an octave up, moved an octave down
    ASSERT_TRUE(shiftPartOctave(score_, 1, false));
    EXPECT_EQ(keysOf(score_), (std::vector<int>{54, 65}));
}

TEST_F(Transposition, RandomMelodiesSoundMovedByTheStepAndComeBack) {
    std::mt19937 rng(26);
    for (int round = 0; round < 40; ++round) {
        const std::string melody = randomMelody(rng);
        const int key = static_cast<int>(rng() % model::kKeyCount);
        model::Score score;
        shinofu::testing::readNotes(score, {"$KEY:" + std::string(model::keyLetter(key)) + "," + std::to_string(key)}, {melody});
        const std::vector<int> original = keysOf(score);
        ASSERT_FALSE(original.empty());
        for (int steps = -7; steps <= 7; ++steps) {
            if (steps == 0) continue;
            ASSERT_TRUE(transpose(score, steps));
            ASSERT_EQ(keysOf(score), movedBy(original, steps)) << melody << " key " << key << " steps " << steps;
            ASSERT_TRUE(transpose(score, -steps));
            ASSERT_EQ(keysOf(score), original) << melody << " key " << key << " steps " << -steps;
        }
        for (const bool up : {true, false}) {
            ASSERT_TRUE(shiftPartOctave(score, 1, up));
            ASSERT_EQ(keysOf(score), movedBy(original, up ? 12 : -12)) << melody << " key " << key;
            ASSERT_TRUE(shiftPartOctave(score, 1, !up));
            ASSERT_EQ(keysOf(score), original) << melody << " key " << key;
        }
    }
}
