#include "midi/playback_engine.h"

#include <cmath>

namespace shinofu::midi {
namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kProgramChange = 0xC0;
constexpr double kPauseRetry = 100;  // milliseconds between looks while paused
constexpr double kMaxCatchUp = 50;   // a step later than this starts counting afresh, not rushing to catch up
// Jump marks that steer the walk (see placeNavigationMarks).
constexpr uint8_t kFinalBar = 1;
constexpr uint8_t kDaCapo = 2;
constexpr uint8_t kDalSegno = 3;
constexpr uint8_t kFine = 5;
constexpr uint8_t kRepeatEnd = 6;
constexpr uint8_t kFirstEnding = 8;
// Navigation flags of one performance.
constexpr unsigned kJumpedBack = 1;  // D.C. or D.S. was taken: Fine now ends
constexpr unsigned kSecondPass = 2;  // a repeat was taken: the first ending is passed over

constexpr size_t kEnded = SIZE_MAX;

}  // namespace

struct PlaybackEngine::Performance {
    std::shared_ptr<const PerfList> list;
    int partCount;
    double msPerUnit;
    size_t current = 0;
    unsigned navFlags = 0;
    double stepTime = 0;  // when the current step is due on the scheduler's clock: delays never add up
    std::array<int32_t, model::kMaxParts + 1> curKey{};
    std::array<uint64_t, model::kMaxParts + 1> serial{};  // the note each part's release belongs to
};

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
    auto performance = std::make_shared<Performance>();
    performance->list = start.list;
    performance->partCount = std::clamp(start.partCount, 1, model::kMaxParts);
    performance->msPerUnit = start.msPerUnit;
    performance->curKey.fill(-1);
    const PerfList& list = *start.list;
    // Seek: the jumps met on the way are taken once, as a performance would.
    size_t index = 0;
    while (index < list.size() && list.events()[index].tick < start.startTick) {
        const int32_t jump = list.jump(index);
        if (jump == kNoJump) {
            ++index;
            continue;
        }
        list.setJump(index, kNoJump);
        if (jump == kEndJump) return false;
        index = static_cast<size_t>(jump);
    }
    if (index + 1 >= list.size()) return false;
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
    playStep(performance);
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

// The navigation rules: which event follows the one just performed.
size_t PlaybackEngine::next(Performance& performance, size_t index) {
    const PerfList& list = *performance.list;
    const PerfEvent& event = list.events()[index];
    const int32_t jump = list.jump(index);
    if (jump == kNoJump) return index + 1;
    const uint8_t mark = list.sound(event).jumpMark;
    auto take = [&](bool keepLink) {
        if (!keepLink) list.setJump(index, kNoJump);
        return jump == kEndJump ? kEnded : static_cast<size_t>(jump);
    };
    if (!event.isNoteOn) {
        switch (mark) {
        case kFinalBar: return take(true);
        case kDaCapo:
        case kDalSegno:
            performance.navFlags |= kJumpedBack;
            return take(false);
        case kFine: return performance.navFlags & kJumpedBack ? take(false) : index + 1;
        case kRepeatEnd:
            // Going back to play the repeat again: its first ending is passed over the next time.
            performance.navFlags |= kSecondPass;
            return take(false);
        default: return index + 1;
        }
    }
    if (mark == kFirstEnding && (performance.navFlags & kSecondPass)) {
        performance.navFlags &= ~kSecondPass;
        return take(false);
    }
    return index + 1;
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
            performance->stepTime += gap * performance->msPerUnit * speedFactor_;
            scheduler_.after(delayUntil(performance->stepTime), [this, performance] { playStep(performance); });
        }
        const size_t following = next(*performance, index);
        if (following == kEnded || following + 1 >= list.size()) {
            ended = true;
            performance->current = following == kEnded ? list.size() - 1 : following;
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

void PlaybackEngine::release(std::shared_ptr<Performance> performance, int part, uint64_t serial, uint8_t key) {
    std::lock_guard lock(mutex_);
    // Only the note the release was started for: a later note of the part keeps sounding.
    if (!playing_ || current_ != performance || performance->serial[part] != serial) return;
    out_.shortMessage(static_cast<uint8_t>(kNoteOn + part - 1), key, 0);
}

}  // namespace shinofu::midi
