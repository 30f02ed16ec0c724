// The performance event list: every part's note-ons and note-offs in time order, with the
// navigation jumps playback obeys. Immutable once built apart from its jump links.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace shinofu::midi {

// A copy of one note's sounding data, taken when the build passes the note.
struct SoundSnapshot {
    int32_t soundLen = 0;
    int32_t midiNote = -1;  // -1: silent or tied on
    int32_t velocity = 0;
    int32_t program = 0;
    int32_t playTime = 0;
    int32_t startPos = 0;
    bool silent = false;
    bool tiedOn = false;
    uint8_t pitch = 44;  // 44: a snapshot of the part's end marker
    uint8_t jumpMark = 0;     // the note-on's navigation sign
    uint8_t closingMark = 0;  // the note-off's

    bool isEndMarker() const { return pitch == 44; }
};

struct PerfEvent {
    int32_t tick;  // length units from the start of the score
    int32_t part;  // 1..6; the MIDI channel is part − 1
    bool isNoteOn;
    int32_t sound;  // index into the list's snapshots

    bool operator==(const PerfEvent&) const = default;
};

constexpr int32_t kNoJump = -1;
constexpr int32_t kEndJump = -2;  // the permanent end event: the performance stops

class PerfList {
public:
    PerfList(std::vector<SoundSnapshot> sounds, std::vector<PerfEvent> events);

    const std::vector<PerfEvent>& events() const { return events_; }
    const SoundSnapshot& sound(const PerfEvent& event) const { return sounds_[event.sound]; }
    const std::vector<SoundSnapshot>& sounds() const { return sounds_; }
    size_t size() const { return events_.size(); }

    // Jump links: an event index, kNoJump or kEndJump. Playback takes some of them once, so they
    // are written and read whole, from either thread.
    int32_t jump(size_t event) const { return jumps_[event].load(std::memory_order_acquire); }
    void setJump(size_t event, int32_t target) const { jumps_[event].store(target, std::memory_order_release); }

private:
    std::vector<SoundSnapshot> sounds_;
    std::vector<PerfEvent> events_;
    std::unique_ptr<std::atomic<int32_t>[]> jumps_;
};

// The events of one part alone, on the first channel and without jumps: what the numeric page
// plays, from the current part only and straight through.
std::shared_ptr<const PerfList> partOnly(const PerfList& list, int part);

}  // namespace shinofu::midi
