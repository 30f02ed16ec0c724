#include "midi/perf_list.h"

namespace shinofu::midi {

PerfList::PerfList(std::vector<SoundSnapshot> sounds, std::vector<PerfEvent> events)
    : sounds_(std::move(sounds)),
      events_(std::move(events)),
      jumps_(std::make_unique<std::atomic<int32_t>[]>(events_.size())) {
    for (size_t i = 0; i < events_.size(); ++i) jumps_[i].store(kNoJump, std::memory_order_relaxed);
}

}  // namespace shinofu::midi
