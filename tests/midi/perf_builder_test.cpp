#include "midi/perf_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "midi/navigation.h"
#include "midi/navigator.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "model/score_writer.h"
#include "reference_builder.h"
#include "support/read_notes.h"
#include "support/struck_keys.h"

using namespace shinofu;
using shinofu::testing::readNotes;

namespace {

struct Event {
    int tick;
    int part;
    bool on;
    int key;
    bool operator==(const Event&) const = default;
};

std::vector<Event> eventsOf(const midi::PerfList& list) {
    std::vector<Event> events;
    for (const auto& e : list.events()) events.push_back({e.tick, e.part, e.isNoteOn, list.sound(e).midiNote});
    return events;
}

std::shared_ptr<const midi::PerfList> build(model::Score& score) { return midi::buildPerfList(score); }

bool sameSnapshot(const midi::SoundSnapshot& a, const midi::SoundSnapshot& b) {
    return a.soundLen == b.soundLen && a.midiNote == b.midiNote && a.velocity == b.velocity && a.program == b.program &&
           a.playTime == b.playTime && a.startPos == b.startPos && a.silent == b.silent && a.tiedOn == b.tiedOn &&
           a.pitch == b.pitch && a.jumpMark == b.jumpMark && a.closingMark == b.closingMark;
}

}  // namespace

TEST(PerfBuilder, NoteOffsComeBeforeNoteOnsAtOneTick) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,d1 n n 96 u", "$START", "e1 n n 96 u,f1 n n 96 u"});
    auto list = build(score);
    auto events = eventsOf(*list);
    // At tick 12: note-off part 1, note-off part 2, note-on part 1, note-on part 2.
    std::vector<Event> at12;
    for (const auto& e : events) {
        if (e.tick == 12) at12.push_back(e);
    }
    ASSERT_EQ(at12.size(), 4u);
    EXPECT_EQ(at12[0], (Event{12, 1, false, 60}));
    EXPECT_EQ(at12[1], (Event{12, 2, false, 64}));
    EXPECT_EQ(at12[2], (Event{12, 1, true, 62}));
    EXPECT_EQ(at12[3], (Event{12, 2, true, 65}));
}

TEST(PerfBuilder, TiedNotesMakeOneNote) {
    model::Score score;
    readNotes(score, {}, {"c1 n ts 96 u,c1 n tm 96 u,c1 n tf 96 u,rest n n 96 u"});
    auto events = eventsOf(*build(score));
    int ons = 0;
    for (const auto& e : events) ons += e.on && e.key == 60;
    EXPECT_EQ(ons, 1);
    EXPECT_EQ(events[0], (Event{0, 1, true, 60}));
    EXPECT_EQ(events[1], (Event{36, 1, false, 60}));
}

TEST(PerfBuilder, APartEndingOnANoteIsReleasedBeforeTheEndAndTheScoreIsLeftAlone) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u", "$START", "e1 n n 96 u,rest n n 96 u"});
    const auto before = model::scoreFileLines(score);
    auto events = eventsOf(*build(score));
    EXPECT_EQ(events.back().tick, 24);  // the part that ends on its note sounds a rest after it
    EXPECT_NE(std::find(events.begin(), events.end(), Event{12, 1, false, 60}), events.end());
    build(score);
    EXPECT_EQ(model::scoreFileLines(score), before);
    EXPECT_EQ(shinofu::testing::notesOf(score, 1).size(), 1u);
}

TEST(PerfBuilder, SameListAsTheStraightforwardBuild) {
    const char* pitches[] = {"c1", "d1", "e1", "f1", "g1", "a1", "b1", "c2", "rest", "no"};
    const char* groups[] = {"n", "n", "n", "ts", "tm", "tf", "rs", "rf"};
    const int lengths[] = {0, 2, 3, 4, 6, 9, 12, 18, 24, 48};
    std::mt19937 rng(2024);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::string> notes;
        const int parts = 1 + static_cast<int>(rng() % 6);
        for (int part = 1; part <= parts; ++part) {
            if (part > 1) notes.push_back("$START");
            std::string line;
            const int count = static_cast<int>(rng() % 40);
            for (int i = 0; i < count; ++i) {
                if (!line.empty()) line += ",";
                line += std::string(pitches[rng() % 10]) + " " + (rng() % 4 ? "n" : "#") + " " + groups[rng() % 8] + " " +
                        std::to_string(lengths[rng() % 10] * 8) + " u";
            }
            if (!line.empty()) notes.push_back(line);
        }
        model::Score fast;
        readNotes(fast, {}, notes);
        model::Score slow;
        readNotes(slow, {}, notes);
        auto list = midi::buildPerfList(fast);
        auto reference = shinofu::testing::referenceBuild(slow);
        ASSERT_EQ(list->size(), reference.events.size()) << "round " << round;
        for (size_t i = 0; i < list->size(); ++i) {
            const auto& a = list->events()[i];
            const auto& b = reference.events[i];
            ASSERT_EQ(a.tick, b.tick) << "round " << round << " event " << i;
            ASSERT_EQ(a.part, b.part) << "round " << round << " event " << i;
            ASSERT_EQ(a.isNoteOn, b.isNoteOn) << "round " << round << " event " << i;
            ASSERT_TRUE(sameSnapshot(list->sound(a), reference.sounds[b.sound])) << "round " << round << " event " << i;
        }
    }
}

TEST(PerfBuilder, CancellingLeavesNoList) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u"});
    EXPECT_EQ(midi::buildPerfList(score, [](double) { return false; }), nullptr);
    double last = -1;
    bool increasing = true;
    EXPECT_NE(midi::buildPerfList(score, [&](double done) {
                  increasing = increasing && done >= last;
                  last = done;
                  return true;
              }),
              nullptr);
    EXPECT_TRUE(increasing);
}

namespace {

struct Sign {
    uint8_t kind;
    int measure;
};

// A score of whole notes, one a measure, each a different key, in two parts, with part 1's signs.
void writeWithSigns(model::Score& score, int measures, const std::vector<Sign>& signs) {
    const char* pitches[] = {"c1", "d1", "e1", "f1", "g1", "a1", "b1", "c2"};
    std::string line;
    for (int m = 0; m < measures; ++m) line += std::string(m ? "," : "") + pitches[m % 8] + " n n 384 u";
    readNotes(score, {}, {line, "$START", line});
    for (const Sign& sign : signs) {
        model::TScoreSym symbol;
        symbol.kind = sign.kind;
        symbol.anchorPos = (sign.measure - 1) * 48;
        score.part(1).symbols.push_back(symbol);
    }
    midi::placeNavigationMarks(score);
}

// The measures part 1 sounds, in the order a performance plays them.
std::vector<int> measuresPlayed(const midi::PerfList& list) {
    std::vector<int> measures;
    midi::Navigator navigator(list);
    for (size_t index = 0; index != midi::Navigator::kEnded && index + 1 < list.size(); index = navigator.next(index)) {
        const auto& event = list.events()[index];
        const auto& sound = list.sound(event);
        if (event.isNoteOn && event.part == 1 && !sound.silent && !sound.isEndMarker()) measures.push_back(event.tick / 48 + 1);
    }
    return measures;
}

// The keys part 1 strikes in a MIDI file, in order.
std::vector<int> keysWritten(const std::string& bytes) {
    std::vector<int> keys;
    for (const auto& struck : shinofu::testing::struckIn(bytes)) keys.push_back(struck.key);
    return keys;
}

}  // namespace

TEST(Navigation, RepeatsEndingsAndJumpsPlayAsAMusicianReadsThem) {
    const struct {
        const char* name;
        int measures;
        std::vector<Sign> signs;
        std::vector<int> played;
        std::vector<int> written = played;  // the MIDI file's measures
    } cases[] = {
        {"no signs", 3, {}, {1, 2, 3}},
        {"two repeat sections", 6,
         {{model::kRepeatLeft, 1}, {model::kRepeatRight, 2}, {model::kRepeatLeft, 4}, {model::kRepeatRight, 5}},
         {1, 2, 1, 2, 3, 4, 5, 4, 5, 6}},
        {"lone end repeats", 5, {{model::kRepeatRight, 2}, {model::kRepeatRight, 4}}, {1, 2, 1, 2, 3, 4, 3, 4, 5}},
        {"first and second endings", 4,
         {{model::kRepeatLeft, 1}, {model::kFirstEnding, 2}, {model::kRepeatRight, 2}, {model::kSecondEnding, 3}},
         {1, 2, 1, 3, 4}},
        {"a repeat, then endings of another", 6,
         {{model::kRepeatRight, 1}, {model::kRepeatLeft, 2}, {model::kFirstEnding, 3}, {model::kRepeatRight, 3},
          {model::kSecondEnding, 4}},
         {1, 1, 2, 3, 2, 4, 5, 6}},
        {"D.C. al Fine over a repeat", 5,
         {{model::kRepeatRight, 1}, {model::kFine, 2}, {model::kDaCapo, 4}},
         {1, 1, 2, 3, 4, 1, 2}},
        {"D.S. al Coda", 6,
         {{model::kSegno, 2}, {model::kToCoda, 3}, {model::kDalSegno, 4}, {model::kCoda, 5}},
         {1, 2, 3, 4, 2, 3, 5, 6}},
        {"a final bar ends the performance, not the file", 4, {{model::kStop, 2}}, {1, 2}, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        model::Score score;
        writeWithSigns(score, c.measures, c.signs);
        const auto list = build(score);
        midi::linkNavigation(*list);
        EXPECT_EQ(measuresPlayed(*list), c.played) << c.name;
        // The MIDI file holds what is played: each measure's key in part 1, then in part 2.
        const int keys[] = {60, 62, 64, 65, 67, 69, 71, 72};
        std::vector<int> expected;
        for (int measure : c.written) expected.insert(expected.end(), 2, keys[(measure - 1) % 8]);
        EXPECT_EQ(keysWritten(midi::smfBytes(score, *list, {})), expected) << c.name;
    }
}
