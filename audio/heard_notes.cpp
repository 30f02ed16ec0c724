#include "audio/heard_notes.h"

#include <algorithm>
#include <cmath>

namespace shinofu::audio {
namespace {

// A frame's key, or -1 without pitch; a lone frame differing from both neighbours takes theirs.
std::vector<int> frameKeys(const std::vector<PitchFrame>& frames, double reference) {
    std::vector<int> keys(frames.size(), -1);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].hertz > 0) keys[i] = nearestKey(frames[i].hertz, reference);
    }
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        if (keys[i - 1] == keys[i + 1] && keys[i] != keys[i - 1]) keys[i] = keys[i - 1];
    }
    return keys;
}

double medianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

}  // namespace

std::vector<HeardNote> hearNotes(const std::vector<PitchFrame>& frames, double hopSeconds, const HearingSettings& settings) {
    const std::vector<int> keys = frameKeys(frames, settings.reference);
    std::vector<HeardNote> notes;
    size_t begin = 0;
    auto close = [&](size_t end) {
        if (end <= begin || keys[begin] < 0) return;
        // A note ends where its sound has died away to a tail (the release, the room's echo).
        double loudest = 0;
        for (size_t i = begin; i < end; ++i) loudest = std::max(loudest, frames[i].level);
        while (end > begin + 1 && frames[end - 1].level < settings.tail * loudest) --end;
        const double start = frames[begin].seconds;
        const double stop = frames[end - 1].seconds + hopSeconds;
        if (stop - start < settings.shortestNote) return;
        std::vector<double> cents;
        for (size_t i = begin; i < end; ++i) {
            if (frames[i].hertz > 0) cents.push_back(centsFromA4(frames[i].hertz, settings.reference) - (keys[begin] - 69) * 100.0);
        }
        notes.push_back({start, stop, keys[begin], medianOf(cents)});
    };
    double peak = 0;
    bool dipped = false;
    for (size_t i = 0; i < frames.size(); ++i) {
        // A change of key ends a note, and so does a fresh attack of the same key once the note has
        // lasted long enough to be one: an onset with the level rising (a tongued repeat), or the
        // level falling well below the note's peak and rising again (a breath accent).
        const bool rising = i > 0 && frames[i].level > frames[i - 1].level;
        const bool sameKey = keys[i] >= 0 && keys[i] == keys[begin];
        const bool lasted = frames[i].seconds - frames[begin].seconds >= settings.shortestNote;
        if (sameKey && frames[i].level < settings.attackDip * peak) dipped = true;
        const bool reattack = sameKey && lasted && rising && (frames[i].onset || (dipped && frames[i].level > 1.5 * frames[i - 1].level));
        if (i > begin && (keys[i] != keys[begin] || reattack)) {
            close(i);
            begin = i;
            peak = 0;
            dipped = false;
        }
        peak = std::max(peak, frames[i].level);
    }
    close(frames.size());
    return notes;
}

}  // namespace shinofu::audio
