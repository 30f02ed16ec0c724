#include "midi/smf_writer.h"

#include <gtest/gtest.h>

#include "midi/perf_builder.h"
#include "support/read_notes.h"

using namespace shinofu;
using shinofu::testing::readNotes;

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(static_cast<uint8_t>(v));
    return out;
}

std::string fileOf(model::Score& score, const midi::SmfOptions& options) {
    auto list = midi::buildPerfList(score);
    return midi::smfBytes(score, *list, options);
}

std::string trackOf(const std::string& file) { return file.substr(22); }

}  // namespace

TEST(SmfWriter, TwoQuarterNotesByteForByte) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,c1 n n 96 u"});
    std::string file = fileOf(score, {});
    const std::string track = bytes({0x00, 0xFF, 0x03, 0x00, 0x00, 0xFF, 0x01, 0x00, 0x00, 0xFF, 0x02, 0x00,
                                     0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
                                     0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                                     0x00, 0xFF, 0x59, 0x02, 0x00, 0x00,
                                     0x00, 0xC0, 0x49,
                                     0x00, 0x90, 0x3C, 0x44, 0x5C, 0x80, 0x3C, 0x40,
                                     0x04, 0x90, 0x3C, 0x44, 0x5C, 0x80, 0x3C, 0x40,
                                     0x00, 0x80, 0x03, 0x40, 0x04, 0x90, 0x03, 0x00,
                                     0x00, 0xFF, 0x2F, 0x00});
    const std::string header = "MThd" + bytes({0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60}) + "MTrk" +
                               bytes({0, 0, 0, static_cast<int>(track.size())});
    EXPECT_EQ(file, header + track);
}

TEST(SmfWriter, TempoKeyAndMeter) {
    model::Score score;
    readNotes(score, {"$KEY:B-,8", "$TEMPO:=120,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,6/8"}, {"c1 n n 96 u"});
    midi::SmfOptions options;
    options.tempo = 120;
    std::string track = trackOf(fileOf(score, options));
    EXPECT_NE(track.find(bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20})), std::string::npos);
    EXPECT_NE(track.find(bytes({0x00, 0xFF, 0x59, 0x02, 0xFE, 0x00})), std::string::npos);
    EXPECT_NE(track.find(bytes({0x00, 0xFF, 0x58, 0x04, 0x06, 0x03, 0x18, 0x08})), std::string::npos);
    options.tempo = 0;
    EXPECT_NE(trackOf(fileOf(score, options)).find(bytes({0xFF, 0x51, 0x03, 0x0C, 0x35, 0x00})), std::string::npos);
    // Slower than the event can hold: the longest quarter it can say, never a wrapped random value.
    options.tempo = 2;
    EXPECT_NE(trackOf(fileOf(score, options)).find(bytes({0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF})), std::string::npos);
    options.tempo = model::kMinTempo;
    EXPECT_NE(trackOf(fileOf(score, options)).find(bytes({0xFF, 0x51, 0x03, 0xE4, 0xE1, 0xC0})), std::string::npos);
}

TEST(SmfWriter, ATempoTooSlowInTheFileAgreesOnPageAndInTheFile) {
    model::Score score;
    readNotes(score, {"$TEMPO:=2,1,-8,0,36,39,6,10,10,0,M,1,-8,0,31,33,6,10,15,8,4/4"}, {"c1 n n 96 u"});
    EXPECT_EQ(score.song.tempo, model::kMinTempo);
    EXPECT_EQ(score.fixedSymbol(model::kTempoSymbol).text, "=" + std::to_string(model::kMinTempo));
    midi::SmfOptions options;
    options.tempo = score.song.tempo;
    const uint32_t microseconds = 60000000u / model::kMinTempo;
    EXPECT_NE(trackOf(fileOf(score, options))
                  .find(bytes({0xFF, 0x51, 0x03, static_cast<int>(microseconds >> 16), static_cast<int>((microseconds >> 8) & 0xFF),
                               static_cast<int>(microseconds & 0xFF)})),
              std::string::npos);
}

TEST(SmfWriter, LyricNumeralsOnMarkedPartsOnly) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,rest n n 96 u,d3 n n 96 u", "$START", "c1 n n 96 u"});
    midi::SmfOptions options;
    options.lyricParts[0] = true;
    std::string track = trackOf(fileOf(score, options));
    const std::string ichi = bytes({0x00, 0xFF, 0x05, 0x02, 0x88, 0xEA});  // "一" in Shift-JIS
    size_t first = track.find(ichi);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(track.find(ichi, first + 1), std::string::npos);  // part 2's c1 is not marked
    EXPECT_NE(track.find(bytes({0x00, 0xFF, 0x05, 0x03, 0x82, 0x51, '^'})), std::string::npos);  // "２^"
    size_t lyrics = 0;
    for (size_t at = track.find(bytes({0xFF, 0x05})); at != std::string::npos; at = track.find(bytes({0xFF, 0x05}), at + 1)) {
        ++lyrics;
    }
    EXPECT_EQ(lyrics, 2u);  // the rest and the trailing rest have none
    EXPECT_EQ(midi::lyricNumeral(60, 8), "一");
    EXPECT_EQ(midi::lyricNumeral(20, 8), "-");
    EXPECT_EQ(midi::lyricNumeral(127, 8), "-");
}

TEST(SmfWriter, UnevenPartsAreWrittenToTheirEnd) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u", "$START", "e1 n n 384 u,g1 n n 384 u"});
    std::string track = trackOf(fileOf(score, {}));
    // The long part's second note (g1, key 67) is there though part 1 ended long before.
    EXPECT_NE(track.find(bytes({0x91, 0x43, 0x44})), std::string::npos);
    EXPECT_NE(track.find(bytes({0x81, 0x43, 0x40})), std::string::npos);
}

TEST(SmfWriter, VariableLengthQuantities) {
    auto vlq = [](uint32_t value) {
        std::string out;
        midi::appendVariableLength(out, value);
        return out;
    };
    EXPECT_EQ(vlq(0), bytes({0x00}));
    EXPECT_EQ(vlq(92), bytes({0x5C}));
    EXPECT_EQ(vlq(96), bytes({0x60}));
    EXPECT_EQ(vlq(188), bytes({0x81, 0x3C}));
    EXPECT_EQ(vlq(0x0FFFFFFF), bytes({0xFF, 0xFF, 0xFF, 0x7F}));
}
