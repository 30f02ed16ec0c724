// Live playback: walks the performance event list on the timer service's thread, sends the notes
// to the MIDI output, follows the navigation jumps, and reports the position for the marker.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "midi/navigator.h"
#include "midi/perf_list.h"
#include "midi/practice.h"
#include "model/score.h"
#include "platform/midi_out.h"
#include "platform/scheduler.h"

namespace shinofu::midi {

struct PlaybackStart {
    std::shared_ptr<const PerfList> list;
    int partCount = 1;
    std::array<int, model::kMaxParts> programs{};
    double msPerUnit = 1000.0 / 12;
    int32_t startTick = 0;  // seek to the first event at or after it, taking the jumps on the way
    PracticeTiming practice;  // a loop goes back to startTick
};

// A performance of the whole score as written: its parts, their instruments and its tempo.
PlaybackStart playbackStartOf(const model::Score& score, std::shared_ptr<const PerfList> list);

// What the engine tells the user interface; called on the timer thread, so the listener must
// hand it over to the user-interface thread.
struct PlaybackListener {
    std::function<void(int32_t tick, int part)> position;
    std::function<void()> ended;
};

class PlaybackEngine {
public:
    PlaybackEngine(platform::MidiOut& out, platform::Scheduler& scheduler, PlaybackListener listener = {});
    ~PlaybackEngine();

    // Starts a performance, or only stops the running one (the Play command while playing).
    // Returns whether a performance started.
    bool start(const PlaybackStart& start);
    // The running chain stops at its next step, which silences every part.
    void stop();
    void pause() { paused_ = true; }
    void resume() { paused_ = false; }
    // Every delay is multiplied by the factor: 0.5 plays twice as fast.
    void setSpeedFactor(double factor);
    double speedFactor() const { return speedFactor_; }
    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    // Silences every channel at once (program exit).
    void silence();

private:
    struct Performance;
    void playStep(std::shared_ptr<Performance> performance);
    void release(std::shared_ptr<Performance> performance, int part, uint64_t serial, uint8_t key);
    void noteOffAll(Performance& performance);
    // The clicks of the beats from tick on for units, the first at the performance's step time.
    void scheduleClicks(const std::shared_ptr<Performance>& performance, int32_t tick, int32_t units);
    void click(const std::shared_ptr<Performance>& performance, double at, bool accent);
    // With a loop: the event to go on from, back at the loop's start when the walk has passed its end.
    size_t loopedNext(Performance& performance, size_t following) const;
    double delayUntil(double due) const;

    platform::MidiOut& out_;
    platform::Scheduler& scheduler_;
    PlaybackListener listener_;
    std::mutex mutex_;  // the walk: current event, keys, note serials, the navigator
    std::atomic<bool> playing_{false};
    std::atomic<bool> paused_{false};
    std::atomic<double> speedFactor_{1.0};
    std::shared_ptr<Performance> current_;
};

}  // namespace shinofu::midi
