#include "midi/playback_engine.h"

#include <algorithm>
#include <cmath>

namespace shinofu::midi {
namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kProgramChange = 0xC0;
constexpr double kPauseRetry = 100;  // milliseconds between looks while paused
constexpr double kMaxCatchUp = 50;   // a step later than this starts counting afresh, not rushing to catch up
constexpr double kClickLength = 60;  // milliseconds; a wood block has rung out by then

}  // namespace

struct PlaybackEngine::Performance {
    explicit Performance(std::shared_ptr<const PerfList> performed) : list(std::move(performed)), navigator(*list) {}

    std::shared_ptr<const PerfList> list;
    Navigator navigator;  // the jumps this performance has taken
    int partCount = 1;
    double msPerUnit = 0;
    size_t current = 0;
    double stepTime = 0;  // when the current step is due on the scheduler's clock: delays never add up
    PracticeTiming practice;
    int32_t loopStart = 0;
    std::array<int32_t, model::kMaxParts + 1> curKey{};
    std::array<uint64_t, model::kMaxParts + 1> serial{};  // the note each part's release belongs to
};

PlaybackStart playbackStartOf(const model::Score& score, std::shared_ptr<const PerfList> list) {
    PlaybackStart start;
    start.list = std::move(list);
    start.partCount = score.partCount;
    start.msPerUnit = score.song.msPerUnit;
    for (int part = 1; part <= score.partCount; ++part) start.programs[part - 1] = score.part(part).instrument;
    return start;
}

PlaybackEngine::PlaybackEngine(platform::MidiOut& out, platform::Scheduler& scheduler, PlaybackListener listener)
    : out_(out), scheduler_(scheduler), listener_(std::move(listener)) {}

PlaybackEngine::~PlaybackEngine() { silence(); }

void PlaybackEngine::setSpeedFactor(double factor) {
    if (factor > 0 && std::isfinite(factor)) speedFactor_ = factor;
}

double PlaybackEngine::delayUntil(double due) const { return std::max(0.0, due - scheduler_.now()); }

bool PlaybackEngine::start(const PlaybackStart& start) {
    if (playing_) {
        stop();
        return false;
    }
    if (!start.list || start.list->size() == 0) return false;
    auto performance = std::make_shared<Performance>(start.list);
    performance->partCount = std::clamp(start.partCount, 1, model::kMaxParts);
    performance->msPerUnit = start.msPerUnit;
    performance->curKey.fill(-1);
    performance->practice = start.practice;
    performance->loopStart = start.startTick;
    const size_t index = performance->navigator.seek(start.startTick);
    if (index == Navigator::kEnded || index + 1 >= start.list->size()) return false;
    {
        std::lock_guard lock(mutex_);
        for (int part = 1; part <= performance->partCount; ++part) {
            out_.shortMessage(static_cast<uint8_t>(kProgramChange + part - 1), static_cast<uint8_t>(start.programs[part - 1] & 0x7F), 0);
        }
        performance->current = index;
        current_ = performance;
    }
    paused_ = false;
    playing_ = true;
    performance->stepTime = scheduler_.now();
    const PracticeTiming& practice = performance->practice;
    if (!practice.settings.countIn || practice.measureUnits <= 0 || practice.beatUnits <= 0) {
        playStep(performance);
        return true;
    }
    // A measure of clicks, then the music.
    std::lock_guard lock(mutex_);
    const double beat = practice.beatUnits * performance->msPerUnit * speedFactor_;
    for (int32_t at = 0; at < practice.measureUnits; at += practice.beatUnits) {
        click(performance, performance->stepTime + at / practice.beatUnits * beat, at == 0);
    }
    performance->stepTime += practice.measureUnits * performance->msPerUnit * speedFactor_;
    scheduler_.after(delayUntil(performance->stepTime), [this, performance] { playStep(performance); });
    return true;
}

void PlaybackEngine::stop() { playing_ = false; }

void PlaybackEngine::silence() {
    std::lock_guard lock(mutex_);
    playing_ = false;
    if (current_) noteOffAll(*current_);
    out_.reset();
}

void PlaybackEngine::noteOffAll(Performance& performance) {
    for (int part = 1; part <= performance.partCount; ++part) {
        if (performance.curKey[part] < 0) continue;
        out_.shortMessage(static_cast<uint8_t>(kNoteOn + part - 1), static_cast<uint8_t>(performance.curKey[part] & 0x7F), 0);
    }
}

void PlaybackEngine::playStep(std::shared_ptr<Performance> performance) {
    std::unique_lock lock(mutex_);
    if (current_ != performance) return;  // a newer performance took over
    if (!playing_) {
        noteOffAll(*performance);
        return;
    }
    if (paused_) {
        scheduler_.after(kPauseRetry, [this, performance] { playStep(performance); });
        performance->stepTime = scheduler_.now() + kPauseRetry;
        return;
    }
    // A step after a pause (or a late one) counts from now; in step, from when it was due.
    performance->stepTime = std::max(performance->stepTime, scheduler_.now() - kMaxCatchUp);
    const PerfList& list = *performance->list;
    bool ended = false;
    for (;;) {
        const size_t index = performance->current;
        const PerfEvent& event = list.events()[index];
        const SoundSnapshot& sound = list.sound(event);
        const int part = std::clamp(event.part, 1, model::kMaxParts);
        performance->curKey[part] = sound.midiNote;
        const bool hasNext = index + 1 < list.size();
        if (hasNext && listener_.position) listener_.position(event.tick, part);
        const int32_t gap = hasNext ? list.events()[index + 1].tick - event.tick : 0;
        if (!sound.silent && sound.midiNote >= 0 && !sound.isEndMarker()) {
            const auto channel = static_cast<uint8_t>(kNoteOn + part - 1);
            const auto key = static_cast<uint8_t>(sound.midiNote & 0x7F);
            if (event.isNoteOn) {
                out_.shortMessage(channel, key, static_cast<uint8_t>(std::clamp(sound.velocity, 0, 127)));
                const uint64_t serial = ++performance->serial[part];
                scheduler_.after(delayUntil(performance->stepTime + sound.soundLen * performance->msPerUnit * speedFactor_),
                                 [this, performance, part, serial, key] { release(performance, part, serial, key); });
            } else {
                out_.shortMessage(channel, key, 0);
            }
        }
        if (gap > 0) {
            if (performance->practice.settings.click) scheduleClicks(performance, event.tick, gap);
            performance->stepTime += gap * performance->msPerUnit * speedFactor_;
            scheduler_.after(delayUntil(performance->stepTime), [this, performance] { playStep(performance); });
        }
        const size_t walked = performance->navigator.next(index);
        const size_t following = loopedNext(*performance, walked);
        if (following != walked && gap == 0) {
            // Back to the loop's start at once, as a step of its own: a loop without length never holds the walk.
            performance->current = following;
            scheduler_.after(delayUntil(performance->stepTime), [this, performance] { playStep(performance); });
            break;
        }
        if (following == Navigator::kEnded || following + 1 >= list.size()) {
            ended = true;
            performance->current = following == Navigator::kEnded ? list.size() - 1 : following;
            break;
        }
        performance->current = following;
        if (gap != 0) break;
    }
    if (!ended) return;
    playing_ = false;
    noteOffAll(*performance);
    lock.unlock();
    if (listener_.ended) listener_.ended();
}

size_t PlaybackEngine::loopedNext(Performance& performance, size_t following) const {
    if (!performance.practice.settings.loop) return following;
    const PerfList& list = *performance.list;
    const int32_t end = performance.practice.loopEnd;
    bool past = following == Navigator::kEnded || following + 1 >= list.size();
    // At the loop's end its notes end, and nothing after them begins.
    if (!past && end >= 0) {
        const PerfEvent& next = list.events()[following];
        past = next.tick > end || (next.tick == end && next.isNoteOn);
    }
    if (!past) return following;
    performance.navigator = Navigator(list);
    const size_t back = performance.navigator.seek(performance.loopStart);
    return back == Navigator::kEnded || back + 1 >= list.size() ? following : back;
}

void PlaybackEngine::scheduleClicks(const std::shared_ptr<Performance>& performance, int32_t tick, int32_t units) {
    const PracticeTiming& practice = performance->practice;
    if (practice.beatUnits <= 0 || practice.measureUnits <= 0) return;
    const double unit = performance->msPerUnit * speedFactor_;
    const int32_t end = std::min(tick + units, practice.pieceEnd);
    for (int32_t beat = (tick + practice.beatUnits - 1) / practice.beatUnits * practice.beatUnits; beat < end;
         beat += practice.beatUnits) {
        click(performance, performance->stepTime + (beat - tick) * unit, beat % practice.measureUnits == 0);
    }
}

void PlaybackEngine::click(const std::shared_ptr<Performance>& performance, double at, bool accent) {
    const int volume = performance->practice.settings.clickVolume;
    const auto key = static_cast<uint8_t>(accent ? kAccentClickKey : kClickKey);
    const auto velocity = static_cast<uint8_t>(std::clamp(accent ? volume : volume * 3 / 4, 1, 127));
    scheduler_.after(delayUntil(at), [this, performance, key, velocity] {
        std::lock_guard lock(mutex_);
        if (!playing_ || current_ != performance) return;
        out_.shortMessage(kNoteOn + kClickChannel, key, velocity);
        scheduler_.after(kClickLength, [this, key] {
            std::lock_guard release(mutex_);
            out_.shortMessage(kNoteOn + kClickChannel, key, 0);
        });
    });
}

void PlaybackEngine::release(std::shared_ptr<Performance> performance, int part, uint64_t serial, uint8_t key) {
    std::lock_guard lock(mutex_);
    // Only the note the release was started for: a later note of the part keeps sounding.
    if (!playing_ || current_ != performance || performance->serial[part] != serial) return;
    out_.shortMessage(static_cast<uint8_t>(kNoteOn + part - 1), key, 0);
}

}  // namespace shinofu::midi
