// Hostile input never crashes or hangs the reader and leaves a model every walk can use.
#include <gtest/gtest.h>

#include <random>

#include "model/score_json.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "platform/text_codec.h"
#include "score_builder.h"

using namespace shinofu::model;

namespace {

void expectUsableModel(Score& score) {
    ASSERT_GE(score.partCount, 1);
    ASSERT_LE(score.partCount, kMaxParts);
    for (int part = 1; part <= kMaxParts; ++part) {
        ASSERT_NE(score.part(part).partHead, nullptr);
        int64_t position = 0;
        forEachNote(score.part(part).partHead, [&](const TNote& note) {
            EXPECT_GE(note.len, 0);
            EXPECT_EQ(note.startPos, std::min<int64_t>(position, INT32_MAX));
            position += note.len;
        });
    }
    EXPECT_GE(score.song.measPerLine, 1);
    EXPECT_GE(score.song.fluteKey, 1);
    EXPECT_LE(score.song.fluteKey, 12);
    EXPECT_GT(score.song.msPerUnit, 0);
    for (const auto& symbol : score.part(1).symbols) {
        EXPECT_GE(symbol.fontIndex, 0);
        EXPECT_LT(symbol.fontIndex, kFontCount);
    }
    // The model must still write and dump.
    EXPECT_FALSE(scoreFileLines(score).empty());
    EXPECT_FALSE(scoreToJson(score).empty());
}

std::string validFile() {
    Score score;
    for (int i = 0; i < 20; ++i) shinofu::testing::addNote(score, 1, static_cast<uint8_t>(8 + i), 6).lyric = "か";
    score.part(1).symbols.push_back(TScoreSym{});
    score.part(1).marks.push_back(TMark{});
    return shinofu::platform::encodeLines(scoreFileLines(score)).bytes;
}

ReadOptions optionsWithFlag(bool formatFlag) {
    ReadOptions options;
    options.formatFlag = formatFlag;
    return options;
}

}  // namespace

TEST(ReaderRobustness, RandomBytes) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(rng() % 2000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() % 256);
        Score score;
        readScore(shinofu::platform::decodeLines(bytes), score, optionsWithFlag(rng() % 2 == 0));
        expectUsableModel(score);
    }
}

TEST(ReaderRobustness, EveryTruncationOfAValidFile) {
    std::string bytes = validFile();
    for (size_t length = 0; length <= bytes.size(); length += 7) {
        Score score;
        readScore(shinofu::platform::decodeLines(bytes.substr(0, length)), score, ReadOptions{});
        expectUsableModel(score);
    }
}

TEST(ReaderRobustness, MutatedValidFiles) {
    std::string bytes = validFile();
    std::mt19937 rng(11);
    const char* splices[] = {",", ";", "$", "-", "+", " ", "\r\n", "99999999999", "-2147483648", "$START\r\n",
                             "$STARTM\r\n", "$END\r\n", "$S", "$R", "$C", "/", "nw", "x"};
    for (int round = 0; round < 300; ++round) {
        std::string mutated = bytes;
        for (int edits = 0; edits < 5; ++edits) {
            size_t at = rng() % mutated.size();
            mutated.insert(at, splices[rng() % std::size(splices)]);
        }
        Score score;
        readScore(shinofu::platform::decodeLines(mutated), score, optionsWithFlag(rng() % 2 == 0));
        expectUsableModel(score);
    }
}

TEST(ReaderRobustness, HugeNumbersAndLongLines) {
    std::vector<std::string> lines = {"$V:1e308", "$MeasNum:2147483647", "$MEAS:-5,1000000,3", "$TEMPO:99999999999999,4/4",
                                      "$Chorus:-7", "$NFont:1e999,nan,1", "$END"};
    std::string notes;
    for (int i = 0; i < 20000; ++i) notes += "c1 n n 2147483647 u $T-5 $V999999999999,";
    lines.push_back(notes);
    lines.push_back(std::string(1 << 20, 'x'));
    lines.push_back("$STARTM");
    lines.push_back(std::string(100000, ','));
    Score score;
    readScore(lines, score, optionsWithFlag(false));
    expectUsableModel(score);
    EXPECT_EQ(score.song.lineMeasures[0], 3);
    EXPECT_EQ(score.chorusCount, 0);
    EXPECT_EQ(score.song.tempo, 75);
}
