#include <gtest/gtest.h>

#include "edit/transposition.h"
#include "edit_fixture.h"
#include "model/key_signature.h"

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
    std::vector<int> chromatics() {
        std::vector<int> numbers;
        for (const model::TNote* note : shinofu::testing::notesOf(score_, 1)) {
            numbers.push_back(chromaticOf(note->pitch, note->accidental, score_.song.keySig));
        }
        return numbers;
    }
    // Every chromatic number from..to written in the key, as a part.
    void chromaticScale(int keySig, int from, int to) {
        std::string notes;
        for (int s = from; s <= to; ++s) {
            const WrittenNote note = writtenForm(s, keySig);
            notes += std::string(notes.empty() ? "" : ",") + std::string(model::pitchName(note.pitch)) + " " +
                     std::string(model::accidentalToken(note.accidental)) + " n 48 u";
        }
        read(notes);
        score_.song.keySig = static_cast<uint8_t>(keySig);
        for (model::TNote* note = score_.part(1).partHead; !note->isEndMarker(); note = note->next) {
            note->effAccidental = note->accidental;
        }
    }
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
            chromaticScale(key, 13, 48);
            const std::vector<int> before = chromatics();
            ASSERT_TRUE(transpose(score_, steps));
            const std::vector<int> after = chromatics();
            for (size_t i = 0; i < before.size(); ++i) {
                ASSERT_EQ(after[i], before[i] + steps) << "key " << key << " steps " << steps;
                // The semitone field follows the note's written place.
                EXPECT_EQ(shinofu::testing::notesOf(score_, 1)[i]->semitone,
                          model::semitoneOfPitch(shinofu::testing::notesOf(score_, 1)[i]->pitch, score_.song.keySig));
            }
            for (model::TNote* note = score_.part(1).partHead; !note->isEndMarker(); note = note->next) {
                note->effAccidental = note->accidental;
            }
            ASSERT_TRUE(transpose(score_, -steps));
            EXPECT_EQ(chromatics(), before) << "key " << key << " steps " << steps;
            if (transposedKey(transposedKey(key, steps), -steps) == key) {
                std::string original;
                for (int s = 13; s <= 48; ++s) {
                    const WrittenNote note = writtenForm(s, key);
                    original += std::string(original.empty() ? "" : " ") + std::string(model::pitchName(note.pitch)) +
                                std::string(model::accidentalToken(note.accidental));
                }
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
