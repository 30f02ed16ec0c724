// Live playback timing on this machine: sixteenths at tempo 240 through the timer service for a
// given time (120 s unless told), every message's lateness against its schedule measured on the
// steady clock; prints p50, p99 and the worst.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "midi/playback_engine.h"
#include "platform/timer_service.h"

namespace {

using namespace shinofu;
using Clock = std::chrono::steady_clock;

// Records when each note-on arrives.
class TimingOut : public platform::MidiOut {
public:
    std::vector<std::string> deviceNames() const override { return {"timing"}; }
    bool open(int) override { return true; }
    void shortMessage(uint8_t status, uint8_t, uint8_t velocity) override {
        if ((status & 0xF0) != 0x90 || velocity == 0) return;
        std::lock_guard lock(mutex);
        arrivals.push_back(Clock::now());
    }
    void reset() override {}
    void close() override {}
    std::string silenceReason() const override { return {}; }

    std::mutex mutex;
    std::vector<Clock::time_point> arrivals;
};

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 120;
    model::Score score;
    score.setTempo(240);
    const double sixteenth = 60000.0 / 240 / 4;  // milliseconds
    const int notes = static_cast<int>(seconds * 1000 / sixteenth);
    for (int i = 0; i < notes; ++i) {
        model::TNote* note = score.appendNote(1);
        note->pitch = static_cast<uint8_t>(15 + i % 7);
        note->len = 3;
    }
    score.recomputePositions();
    midi::placeNavigationMarks(score);
    midi::PlaybackStart start;
    start.list = midi::buildPerfList(score);
    midi::linkNavigation(*start.list);
    start.partCount = 1;
    start.msPerUnit = score.song.msPerUnit;

    TimingOut out;
    platform::TimerService timers;
    std::atomic<bool> ended{false};
    midi::PlaybackEngine engine(out, timers, {nullptr, [&] { ended = true; }});
    const auto begin = Clock::now();
    engine.start(start);
    while (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(50));

    std::vector<double> lateness;
    {
        std::lock_guard lock(out.mutex);
        for (size_t i = 0; i < out.arrivals.size(); ++i) {
            const double due = i * 3 * score.song.msPerUnit;
            lateness.push_back(std::chrono::duration<double, std::milli>(out.arrivals[i] - begin).count() - due);
        }
    }
    std::sort(lateness.begin(), lateness.end());
    auto at = [&](double share) { return lateness[std::min(lateness.size() - 1, static_cast<size_t>(share * lateness.size()))]; };
    std::printf("live playback, %d sixteenths at tempo 240 (%.0f s) through the timer service\n", notes, seconds);
    std::printf("  lateness of note-ons: p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", at(0.5), at(0.99), lateness.back());
    return 0;
}
