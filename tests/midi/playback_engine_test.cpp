// The playback engine on a virtual clock: every message with the time it was sent.
#include "midi/playback_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include <string>

#include "midi/accompaniment.h"
#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "platform/timer_service.h"
#include "platform/virtual_clock.h"
#include "support/read_notes.h"

using namespace shinofu;
using shinofu::testing::readNotes;

namespace {

using platform::VirtualClock;

struct Message {
    double time;
    int status;
    int key;
    int velocity;
};

class RecordingOut : public platform::MidiOut {
public:
    explicit RecordingOut(const VirtualClock& clock) : clock_(clock) {}
    std::vector<std::string> deviceNames() const override { return {"recording"}; }
    bool open(int) override { return true; }
    void shortMessage(uint8_t status, uint8_t data1, uint8_t data2) override {
        messages.push_back({clock_.now(), status, data1, data2});
    }
    void reset() override { ++resets; }
    void close() override {}
    std::string silenceReason() const override { return {}; }

    // Note-ons (status 0x9n with a velocity) as "time:key", of every channel or of one.
    std::vector<std::string> noteOns(int channel = -1) const {
        std::vector<std::string> found;
        for (const Message& m : messages) {
            if ((m.status & 0xF0) == 0x90 && m.velocity > 0 && (channel < 0 || (m.status & 0x0F) == channel)) {
                found.push_back(std::to_string(static_cast<int>(m.time)) + ":" + std::to_string(m.key));
            }
        }
        return found;
    }
    std::vector<Message> messages;
    int resets = 0;

private:
    const VirtualClock& clock_;
};

class Playback : public ::testing::Test {
protected:
    void read(const std::vector<std::string>& notes) {
        readNotes(score_, {}, notes);
    }
    void sign(uint8_t kind, int measure) {
        model::TScoreSym symbol;
        symbol.kind = kind;
        symbol.anchorPos = (measure - 1) * score_.measureLen();
        score_.part(1).symbols.push_back(symbol);
    }
    midi::PlaybackStart prepared() {
        midi::placeNavigationMarks(score_);
        auto list = midi::buildPerfList(score_);
        midi::linkNavigation(*list);
        return midi::playbackStartOf(score_, list);
    }

    model::Score score_;
    VirtualClock clock_;
    RecordingOut out_{clock_};
    int ended_ = 0;
    midi::PlaybackEngine engine_{out_, clock_, {nullptr, [this] { ++ended_; }}};
};

std::vector<std::string> keysAt(std::initializer_list<std::pair<int, int>> timesAndKeys) {
    std::vector<std::string> found;
    for (auto [time, key] : timesAndKeys) found.push_back(std::to_string(time) + ":" + std::to_string(key));
    return found;
}

}  // namespace

TEST_F(Playback, QuartersAtTempoSixtyFollowEverySecondAndTheSpeedBoxHalvesDelays) {
    read({"c1 n n 96 u,d1 n n 96 u,e1 n n 96 u"});
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(10000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 60}, {1000, 62}, {2000, 64}}));
    EXPECT_EQ(out_.messages.front().status, 0xC0);  // the program first
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(engine_.playing());

    out_.messages.clear();
    engine_.setSpeedFactor(60.0 / 120);  // the speed box at 120
    const double begin = clock_.now();
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(begin + 10000);
    const auto ons = out_.noteOns();
    ASSERT_EQ(ons.size(), 3u);
    EXPECT_EQ(std::stod(ons[1].substr(0, ons[1].find(':'))) - std::stod(ons[0].substr(0, ons[0].find(':'))), 500);
}

TEST_F(Playback, DaCapoGoesBackAndFineEndsTheSecondTime) {
    read({"c1 n n 384 u", "d1 n n 384 u", "e1 n n 384 u", "f1 n n 384 u"});
    sign(model::kFine, 1);
    sign(model::kDaCapo, 3);
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(60000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 60}, {4000, 62}, {8000, 64}, {12000, 60}}));
    EXPECT_EQ(ended_, 1);
}

TEST_F(Playback, ARepeatIsPlayedTwiceAndWithoutAJumpBackFineIsPassed) {
    // Two notes to a measure: the repeat start marks the first, the Fine the last.
    read({"c1 n n 192 u,c1 n n 192 u", "d1 n n 384 u", "e1 n n 384 u"});
    sign(model::kRepeatLeft, 1);
    sign(model::kRepeatRight, 2);
    sign(model::kFine, 1);
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(60000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 60}, {2000, 60}, {4000, 62}, {8000, 60}, {10000, 60}, {12000, 62}, {16000, 64}}));
}

TEST_F(Playback, RestsSendNothingAndPlayWhilePlayingStopsWithNoteOffs) {
    read({"c1 n n 96 u,rest n n 96 u,e1 n n 96 u", "$START", "g1 n n 288 u"});
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(500);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 60}, {0, 67}}));
    EXPECT_FALSE(engine_.start(prepared()));  // the Play command while playing: a stop
    clock_.runUntil(1500);
    std::vector<int> silenced;
    for (const Message& m : out_.messages) {
        if (m.time == 1000 && (m.status & 0xF0) == 0x90 && m.velocity == 0) silenced.push_back(m.status & 0x0F);
    }
    EXPECT_EQ(silenced, (std::vector<int>{0, 1}));  // every part gets its note-off
    clock_.runUntil(10000);
    EXPECT_EQ(out_.noteOns().size(), 2u);  // nothing after the stop, and nothing for the rest
}

TEST_F(Playback, PausedNotesEndAtTheirLengthAndResumeGoesOn) {
    read({"c1 n n 192 u,d1 n n 192 u"});
    ASSERT_TRUE(engine_.start(prepared()));
    clock_.runUntil(100);
    engine_.pause();
    clock_.runUntil(5000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 60}}));
    bool released = false;
    for (const Message& m : out_.messages) released = released || (m.key == 60 && m.velocity == 0 && m.time <= 2000);
    EXPECT_TRUE(released);  // the sounding note ended at its written length
    engine_.resume();
    clock_.runUntil(20000);
    ASSERT_EQ(out_.noteOns().size(), 2u);
    EXPECT_EQ(out_.noteOns()[1].substr(out_.noteOns()[1].find(':')), ":62");
}

TEST_F(Playback, AReleaseEndsOnlyTheNoteItWasStartedFor) {
    // The same key twice, the first note sounding its whole length: its release falls on the
    // second note's start and must not cut it.
    read({"c1 n n 96 u,c1 n n 96 u"});
    midi::PlaybackStart start = prepared();
    ASSERT_TRUE(engine_.start(start));
    clock_.runUntil(1500);
    const Message* last = nullptr;
    for (const Message& m : out_.messages) {
        if ((m.status & 0xF0) == 0x90 && m.key == 60) last = &m;
    }
    ASSERT_NE(last, nullptr);
    EXPECT_GT(last->velocity, 0);  // still sounding half-way through the second note
    EXPECT_EQ(last->time, 1000);
}

TEST_F(Playback, TheTimerThreadAndTheUserCommandsShareTheEngineSafely) {
    // Real threads: the CI runs this under ThreadSanitizer.
    std::string notes;
    for (int i = 0; i < 400; ++i) notes += std::string(i ? "," : "") + "c1 n n 24 u";
    read({notes});
    score_.setTempo(999);
    midi::PlaybackStart start = prepared();
    start.msPerUnit = score_.song.msPerUnit;
    std::atomic<int> positions{0};
    class CountingOut : public RecordingOut {
    public:
        using RecordingOut::RecordingOut;
        void shortMessage(uint8_t status, uint8_t data1, uint8_t data2) override {
            std::lock_guard lock(mutex);
            RecordingOut::shortMessage(status, data1, data2);
        }
        std::mutex mutex;
    };
    CountingOut out(clock_);
    {
        platform::TimerService timers;
        midi::PlaybackEngine engine(out, timers, {[&](int32_t, int) { ++positions; }, {}});
        for (int round = 0; round < 3; ++round) {
            ASSERT_TRUE(engine.start(start));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            engine.pause();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            engine.resume();
            engine.setSpeedFactor(0.5);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            engine.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        // A loaded machine may not have run the timer thread yet: give it time, bounded.
        ASSERT_TRUE(engine.start(start));
        for (int i = 0; i < 3000 && positions.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        engine.stop();
        engine.silence();
    }
    EXPECT_GT(positions.load(), 0);
    std::lock_guard lock(out.mutex);
    EXPECT_GT(out.messages.size(), 3u);
}

TEST_F(Playback, TheNumericPagePlaysItsPartAloneOnTheFirstChannel) {
    read({"c1 n n 96 u,d1 n n 96 u", "$START", "e1 n n 96 u,f1 n n 96 u"});
    midi::PlaybackStart start = prepared();
    start.list = midi::partOnly(*start.list, 2);
    start.partCount = 1;
    ASSERT_TRUE(engine_.start(start));
    clock_.runUntil(10000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 64}, {1000, 65}}));
    for (const Message& m : out_.messages) EXPECT_EQ(m.status & 0x0F, 0);
}

TEST_F(Playback, ACountInAndAClickOnEveryBeatAccentingTheMeasure) {
    read({"c1 n n 384 u", "d1 n n 192 u,e1 n n 192 u"});
    midi::PlaybackStart start = prepared();
    start.practice = midi::practiceTiming(score_, {.loop = false, .countIn = true, .click = true, .clickVolume = 80});
    ASSERT_TRUE(engine_.start(start));
    clock_.runUntil(60000);
    // A measure of four beats first, then the music a measure late with its beats.
    EXPECT_EQ(out_.noteOns(midi::kClickChannel), keysAt({{0, 76}, {1000, 77}, {2000, 77}, {3000, 77}, {4000, 76}, {5000, 77},
                                                         {6000, 77}, {7000, 77}, {8000, 76}, {9000, 77}, {10000, 77}, {11000, 77}}));
    EXPECT_EQ(out_.noteOns(0), keysAt({{4000, 60}, {8000, 62}, {10000, 64}}));
    for (const Message& m : out_.messages) {
        if (m.status == 0x90 + midi::kClickChannel && m.velocity > 0) {
            EXPECT_EQ(m.velocity, m.key == 76 ? 80 : 60);
        }
    }
    EXPECT_EQ(ended_, 1);
    // The beat of 6/8 is the dotted quarter, of 3/8 the eighth.
    for (const auto& [meter, beat] : {std::pair("6/8", 18), std::pair("3/8", 6), std::pair("2/4", 12)}) {
        score_.song.meterIndex = *model::meterIndexFromText(meter);
        EXPECT_EQ(midi::practiceTiming(score_, {}).beatUnits, beat) << meter;
    }
}

TEST_F(Playback, ALoopPlaysThePickedMeasuresUntilStopped) {
    read({"c1 n n 384 u", "d1 n n 192 u,e1 n n 192 u", "f1 n n 384 u"});
    midi::PlaybackStart start = prepared();
    start.startTick = score_.measureLen();
    start.practice.settings.loop = true;
    start.practice.loopEnd = 2 * score_.measureLen();
    ASSERT_TRUE(engine_.start(start));
    clock_.runUntil(9000);
    EXPECT_EQ(out_.noteOns(), keysAt({{0, 62}, {2000, 64}, {4000, 62}, {6000, 64}, {8000, 62}}));
    // Each round's last note ends where the next round begins.
    for (const Message& m : out_.messages) {
        if (m.key == 64 && m.velocity == 0) {
            EXPECT_EQ(static_cast<int>(m.time) % 4000, 0);
        }
    }
    engine_.stop();
    clock_.runUntil(20000);
    EXPECT_FALSE(engine_.playing());
    // Without a picked range the whole piece goes round.
    out_.messages.clear();
    start.startTick = 0;
    start.practice.loopEnd = -1;
    const double begin = clock_.now();
    ASSERT_TRUE(engine_.start(start));
    clock_.runUntil(begin + 13000);
    EXPECT_EQ(out_.noteOns().size(), 5u);  // c d e f, then c again
    engine_.stop();
}

TEST_F(Playback, AnAccompanimentLeavesThePlayersPartOrSoftensEveryPartAndKeepsToThePlayer) {
    readNotes(score_, {}, {"c1 n n 384 u", "$START", "e1 n n 384 u"});
    const midi::PlaybackStart whole = prepared();
    const auto others = midi::accompanimentOf(*whole.list, 1, midi::Accompaniment::OtherParts);
    for (const midi::PerfEvent& event : others->events()) {
        if (event.part == 1) {
            EXPECT_TRUE(others->sound(event).isEndMarker());
        }
    }
    EXPECT_LT(others->size(), whole.list->size());
    const auto soft = midi::accompanimentOf(*whole.list, 1, midi::Accompaniment::AllPartsSoftly);
    ASSERT_EQ(soft->size(), whole.list->size());
    for (size_t i = 0; i < soft->size(); ++i) {
        const int loud = whole.list->sound(whole.list->events()[i]).velocity;
        EXPECT_EQ(soft->sound(soft->events()[i]).velocity, std::max(1, loud / 2));
    }
    // A player a quarter slower, level with it: a quarter slower; ahead of it, faster; behind, slower still.
    EXPECT_DOUBLE_EQ(midi::followingSpeed(0.125, 0.1, 48, 48, 12), 1.25);
    EXPECT_GT(midi::followingSpeed(0.125, 0.1, 60, 48, 12), 1.25);
    EXPECT_LT(midi::followingSpeed(0.125, 0.1, 40, 48, 12), 1.25);
    EXPECT_EQ(midi::followingSpeed(10, 0.1, 48, 48, 12), 2.5);  // no slower than that
}
