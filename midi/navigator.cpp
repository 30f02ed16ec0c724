#include "midi/navigator.h"

#include <utility>

#include "model/score_symbol.h"

namespace shinofu::midi {
namespace {

constexpr uint8_t kJumpMarkBits = 0x7F;
constexpr unsigned kJumpedBack = 1;  // D.C. or D.S. was taken: Fine now ends, first endings are passed over
constexpr unsigned kSecondPass = 2;  // a repeat was taken: its first ending is passed over

}  // namespace

Navigator::Navigator(const PerfList& list, FinalBar finalBar) : list_(&list), finalBar_(finalBar) {
    jumps_.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) jumps_.push_back(list.jump(i));
}

size_t Navigator::go(int32_t target) const {
    if (target == kEndJump || target < 0) return kEnded;
    return static_cast<size_t>(target);
}

bool Navigator::offFollowsAtSameTick(size_t index) const {
    const auto& events = list_->events();
    return index + 1 < events.size() && !events[index + 1].isNoteOn && events[index + 1].tick == events[index].tick;
}

size_t Navigator::leave(size_t index, bool keepLink) {
    const int32_t target = jumps_[index];
    if (!keepLink) jumps_[index] = kNoJump;
    if (!offFollowsAtSameTick(index)) return go(target);
    pending_ = target;
    return index + 1;
}

size_t Navigator::next(size_t index) { return passFirstEnding(step(index)); }

// A first ending heard already (or after D.C. or D.S.) is passed over before its first note sounds.
size_t Navigator::passFirstEnding(size_t index) {
    if (index == kEnded || index >= jumps_.size() || jumps_[index] == kNoJump) return index;
    const PerfEvent& event = list_->events()[index];
    if (!event.isNoteOn || (list_->sound(event).jumpMark & kJumpMarkBits) != model::kFirstEnding) return index;
    if (!(flags_ & (kSecondPass | kJumpedBack))) return index;
    flags_ &= ~kSecondPass;
    return go(jumps_[index]);
}

size_t Navigator::step(size_t index) {
    if (pending_ != kNoJump) {
        if (offFollowsAtSameTick(index)) return index + 1;
        return go(std::exchange(pending_, kNoJump));
    }
    // Jumps leave from note-offs; a first ending is passed over before it is reached.
    const PerfEvent& event = list_->events()[index];
    if (event.isNoteOn) return index + 1;
    const bool linked = jumps_[index] != kNoJump;
    switch (list_->sound(event).closingMark & kJumpMarkBits) {
    case model::kStop:
        if (!linked || finalBar_ == FinalBar::PlaysOn) return index + 1;
        return leave(index, true);
    case model::kDaCapo:
    case model::kDalSegno:
        if (!linked) return index + 1;
        flags_ |= kJumpedBack;
        return leave(index, false);
    case model::kFine:
    case model::kToCoda: return linked && (flags_ & kJumpedBack) ? leave(index, false) : index + 1;
    case model::kRepeatRight:
        if (!linked) {
            // The repeat was played twice: a first ending further on is heard the first time.
            flags_ &= ~kSecondPass;
            return index + 1;
        }
        flags_ |= kSecondPass;
        return leave(index, false);
    default: return index + 1;
    }
}

size_t Navigator::seek(int32_t tick) {
    const auto& events = list_->events();
    size_t index = 0;
    while (index < events.size() && events[index].tick < tick) {
        const int32_t jump = jumps_[index];
        if (jump == kNoJump) {
            ++index;
            continue;
        }
        jumps_[index] = kNoJump;
        if (jump == kEndJump) return kEnded;
        index = static_cast<size_t>(jump);
    }
    return index < events.size() ? index : kEnded;
}

std::vector<Performed> performedEvents(const PerfList& list, Navigator::FinalBar finalBar) {
    constexpr size_t kMostPassesPerEvent = 8;
    const auto& events = list.events();
    std::vector<Performed> performed;
    performed.reserve(list.size());
    Navigator navigator(list, finalBar);
    int64_t tick = events.empty() ? 0 : events.front().tick;
    for (size_t index = 0; index < events.size();) {
        performed.push_back({index, tick});
        if (index + 1 < events.size()) tick += events[index + 1].tick - events[index].tick;
        const bool walkOn = performed.size() < kMostPassesPerEvent * events.size();
        const size_t next = walkOn ? navigator.next(index) : index + 1;
        if (next == Navigator::kEnded) break;
        index = next;
    }
    return performed;
}

}  // namespace shinofu::midi
