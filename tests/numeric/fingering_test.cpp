#include <gtest/gtest.h>

#include "midi/performance_pass.h"
#include "support/read_notes.h"
#include "numeric/fingering.h"
#include "numeric/fingering_grid.h"
#include "numeric/flute_choice.h"

using namespace shinofu;
using namespace shinofu::numeric;

namespace {

void readNotes(model::Score& score, const std::vector<std::string>& header, const std::vector<std::string>& notes) {
    shinofu::testing::readNotes(score, header, notes);
    midi::performancePass(score);
}

}  // namespace

TEST(Fingering, WorkedExamples) {
    EXPECT_EQ(numeralOf(15, model::kNoAccidental, 8, 0).symbol, "一");
    EXPECT_EQ(numeralOf(15, model::kNoAccidental, 8, 0).index, 16);
    EXPECT_EQ(numeralOf(15, model::kNoAccidental, 10, 0).symbol, "-");
    EXPECT_EQ(numeralOf(16, model::kNoAccidental, 8, 0).symbol, "二");
    EXPECT_EQ(numeralOf(16, model::kSharp, 8, 0).symbol, "三x");
    EXPECT_EQ(numeralOf(16, model::kSharp, 8, 0).index, 19);
}

TEST(Fingering, NaturalSemitones) {
    EXPECT_EQ(naturalSemitone(1), 1);
    EXPECT_EQ(naturalSemitone(8), 13);  // "c0": the same value non-notes give
    EXPECT_EQ(naturalSemitone(kFingeringTableSize), 13);
    EXPECT_EQ(naturalSemitone(15), 25);
    EXPECT_EQ(naturalSemitone(35), 60);
    EXPECT_TRUE(keySharpens(18, 1));   // F in G major
    EXPECT_FALSE(keySharpens(15, 1));
    EXPECT_TRUE(keyFlattens(21, 8));   // B in F major
    EXPECT_TRUE(keyFlattens(18, 14));  // F in C flat major
}

TEST(Fingering, WrittenAccidentalsReplaceTheSignature) {
    // In G major F sounds sharp; a written sharp there is the same F sharp, a natural F natural.
    EXPECT_EQ(semitoneOf(true, 18, model::kNoAccidental, 1), 31);
    EXPECT_EQ(semitoneOf(false, 18, model::kNoAccidental, 1), 31);
    EXPECT_EQ(semitoneOf(false, 18, model::kSharp, 1), 31);
    EXPECT_EQ(semitoneOf(false, 18, model::kNatural, 1), 30);
    EXPECT_EQ(semitoneOf(false, 18, model::kFlat, 1), 29);
    // Double accidentals move two semitones from the letter in every key.
    EXPECT_EQ(semitoneOf(false, 15, model::kDoubleSharp, 0), 27);
    EXPECT_EQ(semitoneOf(false, 15, model::kDoubleFlat, 0), 23);
    EXPECT_EQ(semitoneOf(false, 21, model::kDoubleFlat, 8), 34);
    // The key alone, as the model's semitone field holds it.
    EXPECT_EQ(semitoneOf(true, 21, model::kSharp, 8), 35);
}

TEST(Fingering, TableCopiesAndOutOfRange) {
    for (int k = 41; k <= 52; ++k) EXPECT_EQ(fingeringAt(k), fingeringAt(k - 12)) << k;
    EXPECT_EQ(fingeringAt(13), "筒");
    EXPECT_EQ(fingeringAt(26), "０");
    EXPECT_EQ(fingeringAt(40), "８");
    EXPECT_EQ(fingeringAt(97), "２x^");
    EXPECT_EQ(fingeringAt(108), "８^");
    EXPECT_EQ(fingeringAt(0), "");
    EXPECT_EQ(fingeringAt(5), "-");
    EXPECT_EQ(fingeringAt(-12), "-");  // code 1 on 十二本
    EXPECT_EQ(numeralOf(1, model::kNoAccidental, 12, 0).index, -12);
    EXPECT_EQ(numeralOf(1, model::kNoAccidental, 12, 0).symbol, "-");
    EXPECT_EQ(fingeringAt(113), "-");
    EXPECT_TRUE(hasOctaveDot(42));
    EXPECT_FALSE(hasOctaveDot(41));
    EXPECT_EQ(baseSymbol("二x"), "二");
    EXPECT_TRUE(hasMeriMark("五x"));
    EXPECT_FALSE(hasMeriMark("x"));
}

TEST(Fingering, ASoundingKeyHasTheNumeralItsWrittenNoteHas) {
    for (int flute = 1; flute <= kFluteCount; ++flute) {
        for (uint8_t pitch = 1; pitch <= 35; ++pitch) {
            for (uint8_t accidental : {model::kNoAccidental, model::kSharp, model::kFlat, model::kNatural}) {
                model::TNote note;
                note.pitch = pitch;
                note.effAccidental = accidental;
                const Numeral written = numeralOf(pitch, accidental, flute, 0);
                const Numeral heard = numeralOfKey(midi::midiNoteOf(note, 0), flute);
                EXPECT_EQ(heard.symbol, written.symbol) << int{pitch} << " on " << flute;
                EXPECT_EQ(heard.index, written.index);
            }
        }
    }
    // The register follows the way the numeral is written.
    EXPECT_EQ(registerOf(numeralOfKey(60, 8)), Register::Ro);  // 一
    EXPECT_EQ(registerOf({fingeringAt(26), 26}), Register::Ro);  // ０ of the low octave
    EXPECT_EQ(registerOf({fingeringAt(28), 28}), Register::Kan);
    EXPECT_EQ(registerOf({fingeringAt(41), 41}), Register::Kan);
    EXPECT_EQ(registerOf({fingeringAt(42), 42}), Register::Daikan);
    EXPECT_EQ(registerOf({fingeringAt(14), 14}), Register::None);  // no fingering below 筒 but 筒
    EXPECT_EQ(registerOf(numeralOfKey(30, 8)), Register::None);
    EXPECT_STREQ(registerName(Register::Daikan), "大甲");
}

TEST(FluteChoice, AutomaticChoicesAndTheKeyText) {
    model::Score score;
    FluteChoice choice;
    setFueAuto(score, choice, AutoFlute::Ichi);
    EXPECT_EQ(score.song.fluteKey, 8);  // C major: 八本 puts C on 一
    setFueAuto(score, choice, AutoFlute::Zero);
    EXPECT_EQ(score.song.fluteKey, 10);
    EXPECT_EQ(score.fixedSymbol(model::kFluteKeySymbol).text, "10本");
    EXPECT_FALSE(choice.manual);
    setFueAuto(score, choice, AutoFlute::Go);
    EXPECT_EQ(score.song.fluteKey, 1);
    setFueAuto(score, choice, AutoFlute::Yon);
    EXPECT_EQ(score.song.fluteKey, 3);
    // Seven sharps and five flats, six sharps and six flats, ... are the same keys.
    for (auto mode : {AutoFlute::Ichi, AutoFlute::Zero, AutoFlute::Go, AutoFlute::Yon}) {
        EXPECT_EQ(autoFluteFor(mode, 7), autoFluteFor(mode, 12));
        EXPECT_EQ(autoFluteFor(mode, 6), autoFluteFor(mode, 13));
        EXPECT_EQ(autoFluteFor(mode, 5), autoFluteFor(mode, 14));
    }
    changeFlute(score, choice, 12);
    EXPECT_TRUE(choice.manual);
    EXPECT_EQ(score.fixedSymbol(model::kFluteKeySymbol).text, "12本");
    changeFlute(score, choice, 13);
    EXPECT_EQ(score.song.fluteKey, 12);
}

TEST(FluteChoice, TheTonicTakesTheModesFingeringInEveryKey) {
    // Tonic letters of keys 0..14 as staff positions of the octave of middle C, with their accidental.
    const uint8_t tonics[] = {15, 19, 16, 20, 17, 21, 18, 15, 18, 21, 17, 20, 16, 19, 15};
    const std::pair<AutoFlute, const char*> modes[] = {
        {AutoFlute::Ichi, "一"}, {AutoFlute::Zero, "０"}, {AutoFlute::Go, "五"}, {AutoFlute::Yon, "四"}};
    for (int key = 0; key < 15; ++key) {
        for (const auto& [mode, symbol] : modes) {
            const int flute = autoFluteFor(mode, key);
            // The tonic in one of its octaves takes the fingering.
            bool found = false;
            for (int octave = -7; octave <= 7; octave += 7) {
                found |= numeralOf(static_cast<uint8_t>(tonics[key] + octave), model::kNoAccidental, flute, key).symbol ==
                         symbol;
            }
            EXPECT_TRUE(found) << "key " << key << " mode " << symbol;
        }
    }
}

TEST(FingeringGrid, TwoMeasuresOfQuarters) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u", "g1 n n 96 u,a1 n n 96 u,b1 n n 96 u,c2 n n 96 u"});
    auto lines = fingeringGridLines(score, 1);
    ASSERT_EQ(lines.size(), 3u);
    const std::string commas(12, ',');
    EXPECT_EQ(lines[0], "\"一\"" + commas + "\"二\"" + commas + "\"三\"" + commas + "\"四\"" + commas);
    EXPECT_EQ(lines[1], "\"五\"" + commas + "\"六\"" + commas + "\"七\"" + commas + "\"１\"" + commas);
    EXPECT_EQ(lines[2], "");
}

TEST(FingeringGrid, TiesRestsDotsAndCarriedAccidentals) {
    model::Score score;
    readNotes(score, {},
              {"c1 n n 192 u,d1 n ts 192 u,d1 n tf 192 u,rest n n 48 u,e1 n n 72 u,f1 # n 24 u,f1 n n 48 u,f1 n n 384 u"});
    auto lines = fingeringGridLines(score, 1);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\"一\"" + std::string(24, ',') + "\"二\"" + std::string(24, ','));
    // The tied half gives only its commas; the sharp carries to the next f1 of the measure only.
    EXPECT_EQ(lines[1], std::string(24, ',') + std::string(6, ',') + "\"三\"" + std::string(9, ',') + "\"五x\"" +
                            std::string(3, ',') + "\"五x\"" + std::string(6, ','));
    EXPECT_EQ(lines[2], "\"四\"" + std::string(48, ','));
    EXPECT_EQ(lines[3], "");
}
