#include "edit/measure_clip.h"

#include <algorithm>

namespace shinofu::edit {
namespace {

constexpr size_t kMaxClipRecords = 1 << 20;  // a clip whose chain never ends is cut here

template <typename Visit>
void walkClip(const model::TNote* start, int measCount, int measureLen, Visit&& visit) {
    const int64_t limit = static_cast<int64_t>(measCount) * measureLen;
    int64_t sum = 0;
    size_t count = 0;
    for (const model::TNote* note = start; note && !note->isEndMarker() && count < kMaxClipRecords;
         note = note->next, ++count) {
        if (count > 0 && sum >= limit) break;
        visit(*note);
        sum += std::max(0, note->len);
    }
}

}  // namespace

void detachClip(MeasureClip& clip, int measureLen) {
    if (clip.empty() || clip.detached) return;
    std::deque<model::TNote> owned;
    walkClip(clip.start, clip.measCount, measureLen, [&](const model::TNote& note) { owned.push_back(note); });
    for (size_t i = 0; i < owned.size(); ++i) {
        owned[i].prev = i ? &owned[i - 1] : nullptr;
        owned[i].next = i + 1 < owned.size() ? &owned[i + 1] : nullptr;
    }
    clip.owned = std::move(owned);
    // The last record's next is null, so the walk ends there like at an end marker.
    clip.start = clip.owned.empty() ? nullptr : &clip.owned.front();
    clip.detached = true;
}

std::vector<const model::TNote*> clipRecords(const MeasureClip& clip, const model::Score& score) {
    std::vector<const model::TNote*> records;
    if (clip.empty() || (!clip.detached && clip.generation != score.generation())) return records;
    const model::TNote* start = clip.start;
    // A detached chain ends in a record whose next is null: take it too, it is a note, not an end marker.
    const int64_t limit = static_cast<int64_t>(clip.measCount) * score.measureLen();
    int64_t sum = 0;
    for (const model::TNote* note = start; note && records.size() < kMaxClipRecords; note = note->next) {
        if (!clip.detached && note->isEndMarker()) break;
        if (!records.empty() && sum >= limit) break;
        records.push_back(note);
        sum += std::max(0, note->len);
    }
    return records;
}

}  // namespace shinofu::edit
