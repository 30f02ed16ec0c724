#include "midi/perf_builder.h"

#include <gtest/gtest.h>

#include <random>

#include "midi/navigation.h"
#include "reference_builder.h"
#include "support/read_notes.h"

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

std::shared_ptr<const midi::PerfList> build(model::Score& score) {
    midi::appendTrailingRests(score);
    return midi::buildPerfList(score);
}

bool sameSnapshot(const midi::SoundSnapshot& a, const midi::SoundSnapshot& b) {
    return a.soundLen == b.soundLen && a.midiNote == b.midiNote && a.velocity == b.velocity && a.program == b.program &&
           a.playTime == b.playTime && a.startPos == b.startPos && a.silent == b.silent && a.tiedOn == b.tiedOn &&
           a.pitch == b.pitch && a.jumpMark == b.jumpMark;
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

TEST(PerfBuilder, TrailingRestIsAddedOnce) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u"});
    midi::appendTrailingRests(score);
    auto notes = shinofu::testing::notesOf(score, 1);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1]->pitch, model::kRest);
    EXPECT_EQ(notes[1]->len, 12);
    midi::appendTrailingRests(score);
    EXPECT_EQ(shinofu::testing::notesOf(score, 1).size(), 2u);
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
        midi::appendTrailingRests(fast);
        midi::appendTrailingRests(slow);
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
    midi::appendTrailingRests(score);
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

TEST(Navigation, DaCapoRepeatsAndEndings) {
    model::Score score;
    std::vector<std::string> measures(6, "c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u");
    readNotes(score, {}, measures);
    auto sign = [&](uint8_t kind, int measure) {
        model::TScoreSym symbol;
        symbol.kind = kind;
        symbol.anchorPos = (measure - 1) * 48;
        score.part(1).symbols.push_back(symbol);
    };
    sign(model::kRepeatLeft, 1);
    sign(model::kRepeatRight, 1);
    sign(model::kRepeatLeft, 3);
    sign(model::kRepeatRight, 3);
    sign(model::kDaCapo, 5);
    sign(model::kFine, 6);
    midi::placeNavigationMarks(score);
    auto list = build(score);
    midi::linkNavigation(*list);
    std::vector<int> jumps;
    int secondRepeatStart = -1;
    for (size_t i = 0; i < list->size(); ++i) {
        const auto& e = list->events()[i];
        if (e.isNoteOn && e.tick == 96) secondRepeatStart = static_cast<int>(i);
        if (list->jump(i) != midi::kNoJump) jumps.push_back(static_cast<int>(i));
    }
    ASSERT_EQ(jumps.size(), 3u);  // only the second repeat end, the D.C. and the Fine
    const auto& repeatEnd = list->events()[static_cast<size_t>(jumps[0])];
    EXPECT_FALSE(repeatEnd.isNoteOn);
    EXPECT_EQ(repeatEnd.tick, 144);
    EXPECT_EQ(list->jump(static_cast<size_t>(jumps[0])), secondRepeatStart);
    EXPECT_EQ(list->jump(static_cast<size_t>(jumps[1])), 0);  // D.C. to the first event
    EXPECT_EQ(list->events()[static_cast<size_t>(jumps[1])].tick, 240);
    EXPECT_EQ(list->jump(static_cast<size_t>(jumps[2])), midi::kEndJump);
}
