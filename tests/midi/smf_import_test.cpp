#include "midi/smf_import.h"

#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "midi/smf_writer.h"
#include "support/read_notes.h"
#include "support/struck_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "model/score_budget.h"
#include "model/score_writer.h"

using namespace shinofu;
using namespace shinofu::midi;

namespace {

// A Standard MIDI File built byte by byte.
class Smf {
public:
    explicit Smf(int format = 0, int division = 96) : format_(format), division_(division) {}
    Smf& track() {
        tracks_.emplace_back();
        return *this;
    }
    Smf& event(int delta, std::initializer_list<int> bytes) {
        if (tracks_.empty()) track();
        quantity(delta);
        for (int b : bytes) tracks_.back().push_back(static_cast<char>(b));
        return *this;
    }
    Smf& on(int delta, int channel, int key, int velocity = 80) { return event(delta, {0x90 + channel - 1, key, velocity}); }
    Smf& off(int delta, int channel, int key) { return event(delta, {0x80 + channel - 1, key, 0}); }
    std::string bytes() const {
        std::string out = "MThd";
        put(out, 6, 4);
        put(out, format_, 2);
        put(out, static_cast<int>(tracks_.size()), 2);
        put(out, division_, 2);
        for (const std::string& t : tracks_) {
            std::string body = t + std::string("\x00\xFF\x2F\x00", 4);
            out += "MTrk";
            put(out, static_cast<int>(body.size()), 4);
            out += body;
        }
        return out;
    }

private:
    void quantity(int value) {
        std::string bytes(1, static_cast<char>(value & 0x7F));
        for (value >>= 7; value > 0; value >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
        tracks_.back() += bytes;
    }
    static void put(std::string& out, int value, int count) {
        for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    int format_;
    int division_;
    std::vector<std::string> tracks_;
};

struct Imported {
    model::Score score;
    ImportReport report;
    std::string error;
};

std::unique_ptr<Imported> import(const std::string& bytes) {
    auto result = std::make_unique<Imported>();
    const SmfRead read = readSmf(bytes);
    if (!read.file) {
        result->error = read.error;
        return result;
    }
    result->report = importSmf(*read.file, result->score, "曲");
    return result;
}

std::string items(const model::Score& score, int part = 1) {
    std::string joined;
    for (const model::TNote* note = score.part(part).partHead; !note->isEndMarker(); note = note->next) {
        joined += (joined.empty() ? "" : ",") + model::noteItem(*note, false);
    }
    return joined;
}

}  // namespace

TEST(SmfImport, TicksBecomeLengthsRoundedWithTheirBias) {
    EXPECT_EQ(items(import(Smf().on(0, 1, 60).off(96, 1, 60).bytes())->score), "c1 n n 96 u,rest n n 288 u");  // the measure filled
    EXPECT_EQ(items(import(Smf().on(0, 1, 60).off(50, 1, 60).on(46, 1, 62).off(96, 1, 62).bytes())->score),
              "c1 n n 48 u,rest n n 48 u,d1 n n 96 u,rest n n 192 u");  // 6.26 → 6 and a rest of 46 ticks
    EXPECT_EQ(items(import(Smf().on(0, 1, 60).on(51, 1, 60, 0).bytes())->score), "c1 n n 56 u,rest n n 328 u");  // 6.575 → 7
    EXPECT_EQ(items(import(Smf().on(0, 1, 60).off(51, 1, 60).bytes())->score), "c1 n n 48 u,rest n n 288 u,rest n n 48 u");  // 6.385 → 6
    // Touching notes and a gap of a unit or less leave no rest: the note before holds the gap, and
    // what follows keeps its place.
    EXPECT_EQ(items(import(Smf().on(0, 1, 60).off(96, 1, 60).on(8, 1, 62).off(96, 1, 62).bytes())->score),
              "c1 n n 104 u,d1 n n 96 u,rest n n 184 u");
    // Detached notes (a thirty-second's breath after each, a unit and a half) stay on their beats however many.
    Smf detached;
    for (int i = 0; i < 64; ++i) detached.on(i == 0 ? 0 : 12, 1, 60 + i % 5).off(84, 1, 60 + i % 5);
    const auto played = import(detached.bytes());
    int place = 0;
    for (const model::TNote* note = played->score.part(1).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->pitch != model::kRest) {
            EXPECT_EQ(place % 12, 0) << "note at unit " << place;
        }
        place += note->len;
    }
}

TEST(SmfImport, BarLinesAndNoteValuesSplitIntoTiedNotes) {
    // A dotted quarter and a sixteenth (7 sixteenths) after three quarters: cut at the bar, then into values.
    const auto result = import(Smf().on(0, 1, 60).off(288, 1, 60).on(0, 1, 62).off(168, 1, 62).bytes());
    EXPECT_EQ(items(result->score), "c1 n n 288 u,d1 n ts 96 u,d1 n tf 72 u,rest n n 288 u,rest n n 24 u");
    const auto seven = import(Smf().on(0, 1, 60).off(168, 1, 60).bytes());
    EXPECT_EQ(items(seven->score), "c1 n ts 144 u,c1 n tf 24 u,rest n n 192 u,rest n n 24 u");
}

TEST(SmfImport, TripletValuesAreGroupedInThrees) {
    const auto result = import(Smf().on(0, 1, 60).off(32, 1, 60).on(0, 1, 62).off(32, 1, 62).on(0, 1, 64).off(32, 1, 64).bytes());
    EXPECT_EQ(items(result->score), "c1 n 3s 32 u,d1 n 3m 32 u,e1 n 3f 32 u,rest n n 288 u");
}

TEST(SmfImport, TempoMeterKeyAndProgramsComeFromTheFile) {
    const auto result = import(Smf()
                                   .event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})   // 500000 µs: tempo 120
                                   .event(0, {0xFF, 0x58, 4, 6, 3, 24, 8})       // 6/8
                                   .event(0, {0xFF, 0x59, 2, 0xFF, 0})           // one flat
                                   .event(0, {0xC0, 73})
                                   .on(0, 1, 70)                                 // B♭: by the signature
                                   .off(96, 1, 70)
                                   .bytes());
    EXPECT_EQ(result->score.song.tempo, 120);
    EXPECT_EQ(result->score.song.meterIndex, 4);
    EXPECT_EQ(result->score.song.keySig, 8);
    EXPECT_EQ(result->score.part(1).instrument, 73);
    EXPECT_EQ(items(result->score), "b1 n n 96 d,rest n n 192 u");
    EXPECT_EQ(result->score.title(), "曲");
    const auto fiveFour = import(Smf().event(0, {0xFF, 0x58, 4, 5, 2, 24, 8}).on(0, 1, 60).off(96, 1, 60).bytes());
    EXPECT_EQ(fiveFour->score.song.meterIndex, 0);  // left as it was
    const auto threeTwo = import(Smf().event(0, {0xFF, 0x58, 4, 3, 1, 24, 8}).on(0, 1, 60).off(96, 1, 60).bytes());
    EXPECT_EQ(threeTwo->report.notices, std::vector<std::string>{"拍子が対応していません"});
}

TEST(SmfImport, ChannelsBecomeParts) {
    // Channels 1..6 are parts of the same numbers.
    const auto direct = import(Smf().on(0, 3, 60).off(96, 3, 60).bytes());
    EXPECT_EQ(direct->score.partCount, 3);
    EXPECT_EQ(items(direct->score, 3), "c1 n n 96 u,rest n n 288 u");
    // Files on other channels give their first six in channel order, drums only when nothing else plays.
    const auto daw = import(Smf().on(0, 10, 36).on(0, 7, 60).on(0, 12, 64).off(96, 7, 60).off(0, 12, 64).off(0, 10, 36).bytes());
    EXPECT_EQ(daw->score.partCount, 2);
    EXPECT_EQ(items(daw->score, 1), "c1 n n 96 u,rest n n 288 u");
    EXPECT_EQ(items(daw->score, 2), "e1 n n 96 u,rest n n 288 u");
    const auto drums = import(Smf().on(0, 10, 60).off(96, 10, 60).bytes());
    EXPECT_EQ(drums->score.partCount, 1);
    EXPECT_EQ(items(drums->score), "c1 n n 96 u,rest n n 288 u");
}

TEST(SmfImport, FormatOneTracksAreMergedAndOtherEventsSkipped) {
    Smf file(1);
    file.track().event(0, {0xFF, 0x51, 3, 0x0F, 0x42, 0x40});  // a tempo track
    file.track()
        .event(0, {0xF0, 3, 1, 2, 0xF7})     // system exclusive
        .event(0, {0xE0, 0, 64})             // pitch bend
        .on(0, 1, 60)
        .event(96, {60, 0})                  // running status: the same note, velocity 0
        .event(0, {0xD0, 10})                // channel pressure
        .event(0, {0xFF, 0x7F, 2, 1, 2})     // a sequencer-specific meta event
        .on(0, 1, 62)
        .off(96, 1, 62);
    const auto result = import(file.bytes());
    ASSERT_TRUE(result->error.empty()) << result->error;
    EXPECT_EQ(result->score.song.tempo, 60);
    EXPECT_EQ(items(result->score), "c1 n n 96 u,d1 n n 96 u,rest n n 192 u");
}

TEST(SmfImport, BadFilesSayWhy) {
    EXPECT_EQ(import("RIFF....")->error, "MIDIファイルではありません");
    EXPECT_EQ(import(Smf(2).on(0, 1, 60).bytes())->error, "このファイルはサポートしていません（フォーマット2：独立した複数の曲）");
    EXPECT_EQ(import(Smf(0, 0xE728).on(0, 1, 60).bytes())->error,
              "このファイルはサポートしていません（SMPTEタイムコードの時間単位）");
    EXPECT_EQ(import(std::string("MThd\0\0\0\x06\0\0\0\0\0\x60", 14))->error,
              "このファイルはサポートしていません（トラックがありません）");
    EXPECT_EQ(import(Smf(0, 0).on(0, 1, 60).bytes())->error, "MIDIファイルの分解能が０です");
    std::string truncated = Smf().on(0, 1, 60).off(96, 1, 60).bytes();
    truncated.resize(truncated.size() - 5);
    EXPECT_EQ(import(truncated)->error, "MIDIファイルが途中で切れています");
    std::string longer = Smf().on(0, 1, 60).bytes();
    longer[21] = '\x7F';  // a track length past the end of the file
    EXPECT_EQ(import(longer)->error, "MIDIファイルが途中で切れています");
    EXPECT_EQ(import(Smf().event(0, {0x40, 0x40}).bytes())->error, "MIDIファイルが壊れています");  // data without a status
    Smf crowded;
    for (int i = 0; i < (1 << 16) + 10; ++i) crowded.on(0, 1, 60);
    EXPECT_EQ(import(crowded.bytes())->error, "同じ時刻のイベントが多すぎるMIDIファイルです");
}

TEST(SmfImport, AValidFileWithoutNotesIsAnEmptyScoreWithANotice) {
    const auto empty = import(Smf().track().bytes());
    ASSERT_TRUE(empty->error.empty()) << empty->error;
    EXPECT_EQ(empty->report.notices, std::vector<std::string>{"音符のないファイルです（空の楽譜として読み込みました）"});
    EXPECT_EQ(empty->score.partCount, 1);
    EXPECT_EQ(items(empty->score), "");
    EXPECT_TRUE(import(Smf().on(0, 1, 60).off(96, 1, 60).bytes())->report.notices.empty());
}

TEST(SmfImport, MutatedFilesNeverCrash) {
    Smf file(1);
    file.track().event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20}).event(0, {0xFF, 0x58, 4, 3, 2, 24, 8});
    file.track();
    for (int i = 0; i < 40; ++i) file.on(i % 3 == 0 ? 0 : 24, 1 + i % 8, 50 + i % 30).off(36, 1 + i % 8, 50 + i % 30);
    const std::string seed = file.bytes();
    std::mt19937 rng(1208);
    const char* configured = std::getenv("SHINOFU_FUZZ_ROUNDS");
    const int rounds = configured ? std::max(1, std::atoi(configured)) : 100000;
    for (int round = 0; round < rounds; ++round) {
        std::string mutated = seed;
        for (int edits = 0; edits < 4; ++edits) {
            const size_t at = rng() % mutated.size();
            switch (rng() % 3) {
            case 0: mutated[at] = static_cast<char>(rng()); break;
            case 1: mutated.erase(at, 1 + rng() % 3); break;
            default: mutated.insert(at, 1, static_cast<char>(rng())); break;
            }
            if (mutated.empty()) mutated = seed;
        }
        const auto result = import(mutated);
        if (result->error.empty()) {
            EXPECT_GE(result->score.partCount, 1);
            EXPECT_FALSE(model::scoreFileLines(result->score).empty());
        }
    }
}

TEST(SmfImport, WhatTheWriterWritesComesBackAsItWas) {
    // Dotted notes, rests, a tie over the bar and triplets: all within what a MIDI file can say.
    const std::string notes = "d2 n n 144 d,e2 n n 48 d,rest n n 96 u,c2 n n 96 d,b1 n 3s 32 d,a1 n 3m 32 u,g1 n 3f 32 u,"
                              "a1 n n 96 u,f1 n ts 192 u,f1 n tf 96 u,e1 n n 96 u,rest n n 96 u";
    model::Score original;
    shinofu::testing::readNotes(original, {"$KEY:F,8"}, {notes});
    placeNavigationMarks(original);
    const auto list = buildPerfList(original);
    SmfOptions options;
    options.tempo = original.song.tempo;
    const auto result = import(smfBytes(original, *list, options));
    ASSERT_TRUE(result->error.empty()) << result->error;
    EXPECT_EQ(result->score.song.keySig, 8);
    // The closing rest comes back as the writer's trailing rest: compare what precedes it.
    const std::string expected = notes.substr(0, notes.rfind(",rest"));
    EXPECT_EQ(items(result->score).substr(0, expected.size()), expected);
}

TEST(SmfImport, ACancelledImportLeavesTheScoreAsItWas) {
    const SmfRead read = readSmf(Smf().event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20}).on(0, 1, 60).off(96, 1, 60).bytes());
    ASSERT_TRUE(read.file);
    model::Score score;
    shinofu::testing::readNotes(score, {}, {"e1 n n 96 u"});
    const int tempo = score.song.tempo;
    const ImportReport report = importSmf(*read.file, score, "x", [](double) { return false; });
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(items(score), "e1 n n 96 u");
    EXPECT_EQ(score.song.tempo, tempo);
}

namespace {

using shinofu::testing::Struck;

// What the imported score sounds, through the MIDI file the program writes for it, timed to the
// length unit: the writer strikes a rest's silent key a few ticks after releasing it.
std::vector<Struck> soundOf(Imported& imported) {
    std::vector<Struck> struck = shinofu::testing::struckKeys(imported.score);
    for (Struck& each : struck) each.tick -= each.tick % kTicksPerUnit;
    return struck;
}

std::vector<int> keysOf(Imported& imported) {
    std::vector<int> keys;
    for (const Struck& struck : soundOf(imported)) keys.push_back(struck.key);
    return keys;
}

// Quarter notes on channel 1, after a key signature (sharps positive, flats negative).
std::string quarters(int fifths, std::initializer_list<int> keys) {
    Smf file;
    file.event(0, {0xFF, 0x59, 2, fifths & 0xFF, 0});
    for (int key : keys) file.on(0, 1, key).off(96, 1, key);
    return file.bytes();
}

}  // namespace

TEST(SmfImport, EveryKeyComesInSoundingAsStruckWhateverTheMeasureCarries) {
    auto sharpThenNaturals = import(quarters(0, {68, 67, 67}));  // G♯ G G in C
    EXPECT_EQ(keysOf(*sharpThenNaturals), (std::vector<int>{68, 67, 67}));
    auto inF = import(quarters(-1, {70, 71, 70}));  // B♭ B B♭ in F
    EXPECT_EQ(keysOf(*inF), (std::vector<int>{70, 71, 70}));
    auto octaveAway = import(quarters(0, {54, 65}));  // F♯ and the F natural an octave up
    EXPECT_EQ(keysOf(*octaveAway), (std::vector<int>{54, 65}));
    // Keys the staff cannot hold come an octave nearer, with their names, and say so once.
    auto outside = import(quarters(0, {96, 30, 97}));
    EXPECT_EQ(keysOf(*outside), (std::vector<int>{84, 42, 85}));
    EXPECT_EQ(std::count(outside->report.notices.begin(), outside->report.notices.end(),
                         "五線に書けない高さの音をオクターブ移しました"),
              1);
}

TEST(SmfImport, TheEndOfTrackClosesTheLastMeasureAndALateEntryKeepsItsRest) {
    // LilyPond ends the track at the bar line: the closing rest is part of the music.
    Smf endsOnRest;
    endsOnRest.on(0, 1, 60).off(96, 1, 60).on(0, 1, 62).off(96, 1, 62).event(192, {0xFF, 0x01, 1, 'x'});
    EXPECT_EQ(items(import(endsOnRest.bytes())->score), "c1 n n 96 u,d1 n n 96 u,rest n n 192 u");
    // A second part entering in the second measure stays there.
    auto late = import(Smf().on(0, 1, 60).off(384, 1, 60).on(0, 2, 64).off(96, 2, 64).bytes());
    EXPECT_EQ(items(late->score, 2), "rest n n 384 u,e1 n n 96 u,rest n n 288 u");
    EXPECT_EQ(soundOf(*late)[1], (Struck{384, 1, 64}));
}

TEST(SmfImport, RandomChromaticMelodiesInEveryKeyStrikeTheSameKeysAtTheSameTimes) {
    std::mt19937 rng(54);
    for (int round = 0; round < 60; ++round) {
        const int fifths = static_cast<int>(rng() % 15) - 7;
        const bool formatOne = round % 2 == 1;
        Smf file(formatOne ? 1 : 0);
        file.event(0, {0xFF, 0x59, 2, fifths & 0xFF, 0});
        if (formatOne) file.track();  // the notes in a track of their own, as sequencers write them
        std::vector<Struck> struck;
        int64_t now = 0;
        int rest = 0;
        for (int i = 0, count = 4 + static_cast<int>(rng() % 28); i < count; ++i) {
            if (rng() % 5 == 0) rest += 48;  // an eighth's rest before the note
            const int key = 40 + static_cast<int>(rng() % 50);
            const int length = 48 * (1 + static_cast<int>(rng() % 4));
            now += rest;
            struck.push_back({now, 0, key});
            file.on(rest, 1, key).off(length, 1, key);
            now += length;
            rest = 0;
        }
        auto imported = import(file.bytes());
        ASSERT_TRUE(imported->error.empty()) << imported->error;
        EXPECT_EQ(soundOf(*imported), struck) << "round " << round << " fifths " << fifths;
    }
}

TEST(SmfImport, AFileThatWouldMakeMoreThanTheBudgetIsRefusedWhileReading) {
    // A few bytes of delta time stand for years of rests.
    Smf huge;
    for (int i = 0; i < 20; ++i) huge.on(0x0FFFFFFF, 1, 60).off(96, 1, 60);
    const SmfRead read = readSmf(huge.bytes());
    ASSERT_TRUE(read.file);
    model::Score score;
    shinofu::testing::readNotes(score, {}, {"e1 n n 96 u"});
    const ImportReport report = importSmf(*read.file, score, "x");
    EXPECT_EQ(report.refusal, model::tooManyMeasuresMessage());
    EXPECT_EQ(items(score), "e1 n n 96 u");  // left as it was
    // Within the budget, the same kind of file reads.
    Smf fits;
    fits.on(0, 1, 60).off(96, 1, 60).on(384 * 100, 1, 62).off(96, 1, 62);
    EXPECT_FALSE(importSmf(*readSmf(fits.bytes()).file, score, "x").refusal);
}
