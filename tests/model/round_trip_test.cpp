// Writing a score and reading the file back gives the same model, for varied generated scores.
#include <gtest/gtest.h>

#include <random>

#include "model/score_json.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "platform/text_codec.h"
#include "score_builder.h"

using namespace shinofu::model;
using shinofu::testing::addNote;
using shinofu::testing::notesOf;

namespace {

const char* const kTexts[] = {"", "さくら", "a,b", "x;y", "$dollar", "/slash", "長い題名ですよ", "ｶﾅ", "\\", " "};

SymbolFields randomFields(std::mt19937& rng) {
    SymbolFields f;
    f.text = kTexts[rng() % std::size(kTexts)];
    f.page = 1 + static_cast<int>(rng() % 5);
    f.anchorPos = static_cast<int>(rng() % 400) - 1;
    f.measOffset = static_cast<int>(rng() % 48);
    f.dx = static_cast<int>(rng() % 200) - 100;
    f.dy = static_cast<int>(rng() % 200) - 100;
    f.width = static_cast<int>(rng() % 100);
    f.height = static_cast<int>(rng() % 30);
    f.fontSize = 1 + static_cast<int>(rng() % 30);
    f.fontIndex = static_cast<int>(rng() % 4);
    f.bold = rng() % 2;
    f.italic = rng() % 2;
    return f;
}

void fillRandomScore(Score& score, unsigned seed) {
    std::mt19937 rng(seed);
    score.partCount = 1 + static_cast<int>(rng() % kMaxParts);
    score.song.keySig = static_cast<int>(rng() % 15);
    score.song.meterIndex = static_cast<int>(rng() % kMeterCount);
    score.song.fluteKey = 1 + static_cast<int>(rng() % 12);
    score.song.measPerLine = 2 + static_cast<int>(rng() % 7);
    score.writePerfData = rng() % 2;
    score.largeNoteHeads = rng() % 2;
    score.numeric.tiers = 1 + static_cast<int>(rng() % 20);
    score.numeric.numSizeRatio = static_cast<int>(rng() % 800) / 100.0;
    score.numeric.numBold = rng() % 2;
    for (int i = 0, n = static_cast<int>(rng() % 12); i < n; ++i) score.song.lineMeasures[i] = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < 3; ++i) {
        static_cast<SymbolFields&>(score.fixedSymbol(static_cast<FixedSymbol>(i))) = randomFields(rng);
    }
    score.song.tempoText = std::to_string(40 + rng() % 160);
    score.fixedSymbol(kTempoSymbol).text = "=" + score.song.tempoText;
    score.setTempo(std::stoi(score.song.tempoText));
    const int lengths[] = {2, 3, 4, 6, 8, 9, 12, 16, 18, 24, 32, 36, 48};
    const uint8_t pitches[] = {kRest, kHiddenRest, 1, 8, 15, 17, 21, 28, 34, 35};
    for (int part = 1; part <= score.partCount; ++part) {
        score.part(part).instrument = static_cast<int>(rng() % 128);
        score.part(part).fClef = rng() % 2;
        for (int i = 0, n = static_cast<int>(rng() % 150); i < n; ++i) {
            uint8_t pitch = rng() % 3 ? static_cast<uint8_t>(1 + rng() % 35) : pitches[rng() % std::size(pitches)];
            TNote& note = addNote(score, part, pitch, lengths[rng() % std::size(lengths)]);
            note.accidental = static_cast<uint8_t>(rng() % 6);
            note.stemUp = rng() % 2;
            note.beam = static_cast<uint8_t>(rng() % 4);
            note.triplet = static_cast<uint8_t>(rng() % 4);
            note.sextuplet = static_cast<uint8_t>(rng() % 4);
            note.tie = static_cast<uint8_t>(rng() % 5);
            note.slur = static_cast<uint8_t>(rng() % 5);
            bool startsCurve = note.slur == 1 || note.slur == 4 || note.tie == 1 || note.tie == 4;
            if (startsCurve && rng() % 2) {
                note.curveStart = static_cast<int>(rng() % 21) - 10;
                note.curveMid = static_cast<int>(rng() % 21) - 10;
                note.curveEnd = static_cast<int>(rng() % 21) - 10;
            }
            if (score.writePerfData) {
                note.playTime = static_cast<int>(rng() % 5000);
                note.velocity = 1 + static_cast<int>(rng() % 127);
            }
            if (pitch >= 1 && pitch <= 34 && rng() % 3) note.lyric = kTexts[rng() % std::size(kTexts)];
        }
        for (int i = 0, n = static_cast<int>(rng() % 6); i < n; ++i) {
            TScoreSym symbol;
            static_cast<SymbolFields&>(symbol) = randomFields(rng);
            const uint8_t kinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
            symbol.kind = kinds[rng() % std::size(kinds)];
            score.part(part).symbols.push_back(symbol);
        }
        for (int i = 0, n = static_cast<int>(rng() % 6); i < n; ++i) {
            TMark mark;
            static_cast<SymbolFields&>(mark) = randomFields(rng);
            mark.breath = rng() % 2;
            mark.dynamics = static_cast<uint8_t>(rng() % 9);
            mark.hairpin = static_cast<uint8_t>(rng() % 5);
            score.part(part).marks.push_back(mark);
        }
    }
    score.recomputePositions();
}

// What a text becomes in the file: the characters a comma-separated line cannot carry are full-width.
std::string storedText(const std::string& text) {
    std::string out;
    for (char c : text) out += c == ',' ? "，" : c == ';' ? "；" : std::string(1, c);
    if (!out.empty() && out[0] == '$') out.replace(0, 1, "＄");
    if (!out.empty() && out[0] == '/') out.replace(0, 1, "／");
    return out;
}

std::string storedLyric(const std::string& text) {
    std::string out;
    for (char c : text) out += c == ',' ? "，" : std::string(1, c);
    if (!out.empty() && out[0] == '$') out.replace(0, 1, "＄");
    if (!out.empty() && out[0] == '/') out.replace(0, 1, "／");
    return out;
}

// A title's leading spaces come back full-width: header values lose plain leading spaces.
std::string storedTitle(const std::string& text) {
    return text == " " ? "　" : storedText(text);
}

void expectSameFields(const SymbolFields& a, const SymbolFields& b, const std::string& where) {
    EXPECT_EQ(storedText(a.text), b.text) << where;
    EXPECT_EQ(a.page, b.page) << where;
    EXPECT_EQ(a.anchorPos, b.anchorPos) << where;
    EXPECT_EQ(a.measOffset, b.measOffset) << where;
    EXPECT_EQ(a.dx, b.dx) << where;
    EXPECT_EQ(a.dy, b.dy) << where;
    EXPECT_EQ(a.width, b.width) << where;
    EXPECT_EQ(a.height, b.height) << where;
    EXPECT_EQ(a.fontSize, b.fontSize) << where;
    EXPECT_EQ(a.fontIndex, b.fontIndex) << where;
    EXPECT_EQ(a.bold, b.bold) << where;
    EXPECT_EQ(a.italic, b.italic) << where;
}

void expectSameScore(const Score& a, const Score& b) {
    EXPECT_EQ(a.partCount, b.partCount);
    EXPECT_EQ(a.song.keySig, b.song.keySig);
    EXPECT_EQ(a.song.meterIndex, b.song.meterIndex);
    EXPECT_EQ(a.song.fluteKey, b.song.fluteKey);
    EXPECT_EQ(a.song.measPerLine, b.song.measPerLine);
    EXPECT_EQ(a.song.lineMeasures, b.song.lineMeasures);
    EXPECT_EQ(a.song.tempo, b.song.tempo);
    EXPECT_EQ(storedTitle(a.title()), b.title());
    EXPECT_EQ(a.writePerfData, b.writePerfData);
    EXPECT_EQ(a.largeNoteHeads, b.largeNoteHeads);
    EXPECT_EQ(a.numeric, b.numeric);
    EXPECT_EQ(a.fonts, b.fonts);
    for (int i = 0; i < fixedSymCount; ++i) {
        SymbolFields expected = a.fixedSymbol(static_cast<FixedSymbol>(i));
        if (i == kTitleSymbol) expected.text = storedTitle(expected.text);
        expectSameFields(expected, b.fixedSymbol(static_cast<FixedSymbol>(i)), "fixed symbol " + std::to_string(i));
    }
    for (int part = 1; part <= a.partCount; ++part) {
        EXPECT_EQ(a.part(part).instrument, b.part(part).instrument);
        EXPECT_EQ(a.part(part).fClef, b.part(part).fClef);
        auto notesA = notesOf(a, part);
        auto notesB = notesOf(b, part);
        ASSERT_EQ(notesA.size(), notesB.size()) << "part " << part;
        for (size_t i = 0; i < notesA.size(); ++i) {
            const TNote& x = *notesA[i];
            const TNote& y = *notesB[i];
            std::string where = "part " + std::to_string(part) + " note " + std::to_string(i);
            EXPECT_EQ(x.pitch == 36 ? kHiddenRest : x.pitch, y.pitch) << where;
            EXPECT_EQ(x.len, y.len) << where;
            EXPECT_EQ(x.startPos, y.startPos) << where;
            EXPECT_EQ(x.accidental, y.accidental) << where;
            EXPECT_EQ(x.stemUp, y.stemUp) << where;
            EXPECT_EQ(x.beam, y.beam) << where;
            EXPECT_EQ(x.tie, y.tie) << where;
            EXPECT_EQ(x.slur, y.slur) << where;
            EXPECT_EQ(x.triplet, y.triplet) << where;
            EXPECT_EQ(x.sextuplet, y.sextuplet) << where;
            EXPECT_EQ(x.curveStart, y.curveStart) << where;
            EXPECT_EQ(x.curveMid, y.curveMid) << where;
            EXPECT_EQ(x.curveEnd, y.curveEnd) << where;
            EXPECT_EQ(x.semitone, y.semitone) << where;
            EXPECT_EQ(x.playTime, y.playTime) << where;
            EXPECT_EQ(x.velocity, y.velocity) << where;
            if (x.pitch >= 1 && x.pitch <= 34) {
                EXPECT_EQ(storedLyric(x.lyric), y.lyric) << where;
            } else {
                EXPECT_EQ(y.lyric, "") << where;
            }
        }
        const auto& symbolsA = a.part(part).symbols;
        const auto& symbolsB = b.part(part).symbols;
        ASSERT_EQ(symbolsA.size(), symbolsB.size()) << "part " << part;
        for (size_t i = part == 1 ? fixedSymCount : 0; i < symbolsA.size(); ++i) {
            expectSameFields(symbolsA[i], symbolsB[i], "symbol " + std::to_string(i));
            EXPECT_EQ(symbolsA[i].kind, symbolsB[i].kind);
        }
        const auto& marksA = a.part(part).marks;
        const auto& marksB = b.part(part).marks;
        ASSERT_EQ(marksA.size(), marksB.size()) << "part " << part;
        for (size_t i = 0; i < marksA.size(); ++i) {
            expectSameFields(marksA[i], marksB[i], "mark " + std::to_string(i));
            EXPECT_EQ(marksA[i].breath, marksB[i].breath);
            EXPECT_EQ(marksA[i].dynamics, marksB[i].dynamics);
            EXPECT_EQ(marksA[i].hairpin, marksB[i].hairpin);
        }
    }
}

}  // namespace

class RoundTrip : public ::testing::TestWithParam<unsigned> {};

TEST_P(RoundTrip, WriteThenReadGivesTheSameModel) {
    Score original;
    fillRandomScore(original, GetParam());
    // Through the bytes of a real file, so the codec is part of the trip.
    std::string bytes = shinofu::platform::encodeLines(scoreFileLines(original)).bytes;
    Score reread;
    readScore(shinofu::platform::decodeLines(bytes), reread, ReadOptions{});
    expectSameScore(original, reread);
    // A second trip changes nothing at all.
    Score again;
    readScore(scoreFileLines(reread), again, ReadOptions{});
    EXPECT_EQ(scoreToJson(reread), scoreToJson(again));
    EXPECT_EQ(scoreFileLines(reread), scoreFileLines(again));
}

INSTANTIATE_TEST_SUITE_P(GeneratedScores, RoundTrip, ::testing::Range(1u, 41u));

TEST(RoundTrip, KeyOfSevenFlatsSurvives) {
    Score score;
    score.song.keySig = 14;
    addNote(score, 1, 15, 12);
    Score reread;
    readScore(scoreFileLines(score), reread, ReadOptions{});
    EXPECT_EQ(reread.song.keySig, 14);
    EXPECT_EQ(notesOf(reread, 1)[0]->semitone, 24);
}

TEST(RoundTrip, LyricsStayAlignedAroundALineOfOneEmptyLyric) {
    Score score;
    for (int i = 0; i < 47; ++i) addNote(score, 1, kRest, 3);
    addNote(score, 1, 15, 3);
    for (int i = 0; i < 100; ++i) addNote(score, 1, 16, 3).lyric = std::to_string(i);
    Score reread;
    readScore(scoreFileLines(score), reread, ReadOptions{});
    auto notes = notesOf(reread, 1);
    EXPECT_EQ(notes[47]->lyric, "");
    EXPECT_EQ(notes[48]->lyric, "0");
    EXPECT_EQ(notes.back()->lyric, "99");
}
