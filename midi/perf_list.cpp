#include "midi/perf_list.h"

namespace shinofu::midi {

PerfList::PerfList(std::vector<SoundSnapshot> sounds, std::vector<PerfEvent> events)
    : sounds_(std::move(sounds)),
      events_(std::move(events)),
      jumps_(std::make_unique<std::atomic<int32_t>[]>(events_.size())) {
    for (size_t i = 0; i < events_.size(); ++i) jumps_[i].store(kNoJump, std::memory_order_relaxed);
}

std::shared_ptr<const PerfList> partOnly(const PerfList& list, int part) {
    std::vector<PerfEvent> events;
    for (const PerfEvent& event : list.events()) {
        if (event.part != part) continue;
        events.push_back(event);
        events.back().part = 1;
    }
    return std::make_shared<const PerfList>(list.sounds(), std::move(events));
}

}  // namespace shinofu::midi
