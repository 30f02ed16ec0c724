#include "audio/heard_notes.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <numbers>

namespace shinofu::audio {
namespace {

// A frame's key, or -1 without pitch. A lone frame differing from both neighbours takes theirs;
// a short run at a harmonic or subharmonic of the held note after it (the attack, before the
// tube's resonance settles) or before it (the release) is that note, and so is a short run up to
// a tone from a held note it leads straight into.
struct FrameKeys {
    std::vector<int> keys;
    std::vector<bool> slipped;  // the pitch slipped to a harmonic here: an attack's first moments
};

FrameKeys frameKeys(const std::vector<PitchFrame>& frames, double reference, size_t shortRun) {
    std::vector<int> keys(frames.size(), -1);
    std::vector<bool> slipped(frames.size(), false);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].hertz > 0) keys[i] = nearestKey(frames[i].hertz, reference);
    }
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        if (keys[i - 1] == keys[i + 1] && keys[i] != keys[i - 1]) keys[i] = keys[i - 1];
    }
    const auto harmonic = [](int a, int b) {
        const int apart = std::abs(a - b);
        return a >= 0 && b >= 0 && (apart == 12 || apart == 19 || apart == 24 || apart == 28 || apart == 31);
    };
    std::vector<std::pair<size_t, size_t>> runs;  // [begin, end) of equal keys
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i == 0 || keys[i] != keys[i - 1]) runs.push_back({i, i});
        runs.back().second = i + 1;
    }
    // The held notes either side of a run, past unpitched frames and other short runs between.
    const auto heldRun = [&](size_t r, int step) -> int {
        for (long at = long(r) + step; at >= 0 && at < long(runs.size()); at += step) {
            const auto [begin, end] = runs[size_t(at)];
            if (keys[begin] >= 0 && end - begin > shortRun) return keys[begin];
        }
        return -1;
    };
    for (size_t r = 0; r < runs.size(); ++r) {
        const auto [begin, end] = runs[r];
        if (end - begin > 2 * shortRun || keys[begin] < 0) continue;
        const int after = heldRun(r, 1), before = heldRun(r, -1);
        // Where one note's release sounds under the next one's attack, the two repeat together at
        // their common fundamental, below both (B3 under F#5 going to B5): the next note, for as
        // long as they overlap.
        const bool overlap = before >= 0 && after >= 0 && keys[begin] < std::min(before, after) &&
                             harmonic(keys[begin], before) && harmonic(keys[begin], after);
        if (end - begin > shortRun && !overlap) continue;
        // A scoop into the note: its attack sliding up or down from a tone away, then held.
        const bool scoop = r + 1 < runs.size() && after == keys[runs[r + 1].first] && std::abs(keys[begin] - after) <= 2 &&
                           runs[r + 1].second - runs[r + 1].first > shortRun;
        const int into = overlap || harmonic(keys[begin], after) || scoop ? after : harmonic(keys[begin], before) ? before : -1;
        if (into < 0) continue;
        if (!scoop) std::fill(slipped.begin() + std::ptrdiff_t(begin), slipped.begin() + std::ptrdiff_t(end), true);
        std::fill(keys.begin() + std::ptrdiff_t(begin), keys.begin() + std::ptrdiff_t(end), into);
    }
    return {keys, slipped};
}

// The level at i falls sharply from the hops before it and rises sharply in the hops after.
bool notchAt(const std::vector<PitchFrame>& frames, size_t i, size_t hops) {
    if (i < hops || i + hops >= frames.size()) return false;
    double before = 0, after = 0;
    for (size_t j = 1; j <= hops; ++j) {
        before = std::max(before, frames[i - j].level);
        after = std::max(after, frames[i + j].level);
    }
    return frames[i].level < 0.9 * before && after >= 1.2 * frames[i].level;
}

// How far the tone's phase jumps at each frame. The phase is followed along the pitch heard, so
// that vibrato and glides move it smoothly; its course over a few hops before the frame and over a
// few hops after then runs on a line, and both are carried to the frame. A tone struck anew starts
// with a phase of its own, whatever its level does. 0 where the hops around hold other keys.
constexpr long kSide = 6, kGap = 2;  // hops of each line, and between them and the frame

std::vector<double> phaseSteps(const std::vector<PitchFrame>& frames, double hopSeconds) {
    std::vector<double> steps(frames.size(), 0.0);
    std::vector<int> keys(frames.size(), -1);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].hertz > 0) keys[i] = nearestKey(frames[i].hertz);
    }
    // The phase from frame j - 1 to j, less what a pitch moved it: the one heard there, or the one
    // given (where a jump of the phase moves the pitch heard too).
    const auto unheard = [&](long j, double hertz = 0) {
        const double heard = hertz > 0 ? hertz : (frames[size_t(j)].hertz + frames[size_t(j - 1)].hertz) / 2;
        return std::remainder(frames[size_t(j)].keyPhase - frames[size_t(j - 1)].keyPhase -
                                  2 * std::numbers::pi * (heard - keyHertz(keys[size_t(j)])) * hopSeconds,
                              2 * std::numbers::pi);
    };
    // That phase along [from, from + kSide), from 0 at from, fitted with a line and carried to at.
    const auto carried = [&](long from, long at) {
        double phase = 0, sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
        for (long j = from; j < from + kSide; ++j) {
            if (j > from) phase += unheard(j);
            const double x = double(j - at);
            sumX += x, sumY += phase, sumXX += x * x, sumXY += x * phase;
        }
        const double n = kSide, slope = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
        return (sumY - slope * sumX) / n;
    };
    for (long i = kSide + kGap; i + kSide + kGap <= long(frames.size()); ++i) {
        const int key = keys[size_t(i)];
        if (key < 0 || !std::all_of(keys.begin() + (i - kSide - kGap + 1), keys.begin() + (i + kGap + kSide), [&](int k) { return k == key; })) continue;
        // The second line starts where the phase came to from the first's start; across the gap,
        // the pitch goes from the one heard before it to the one after.
        double reached = 0;
        for (long j = i - kGap - kSide + 2; j <= i - kGap; ++j) reached += unheard(j);
        const double from = frames[size_t(i - kGap)].hertz, to = frames[size_t(i + kGap)].hertz;
        for (long j = i - kGap + 1; j <= i + kGap; ++j) reached += unheard(j, from + (to - from) * (double(j - i + kGap) - 0.5) / (2 * kGap));
        steps[size_t(i)] = std::abs(std::remainder(reached + carried(i + kGap, i) - carried(i - kGap - kSide + 1, i), 2 * std::numbers::pi));
    }
    return steps;
}

// The least phase jump heard as a new attack. The sound's own wavering moves its phase too (a
// synthesizer's sample more than a player, noise more than a quiet room): a jump counts only well
// above what the phase does in most frames.
double leastRestart(const std::vector<double>& steps, const HearingSettings& settings) {
    std::vector<double> moved;
    std::copy_if(steps.begin(), steps.end(), std::back_inserter(moved), [](double step) { return step > 0; });
    if (moved.empty()) return settings.restart;
    const auto most = moved.begin() + std::ptrdiff_t(settings.wavering * double(moved.size() - 1));
    std::nth_element(moved.begin(), most, moved.end());
    return std::max(settings.restart, settings.overWavering * *most);
}

double medianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// A note as heard, with what judging its neighbours needs: its loudest level, and when its sound
// had died away to its tail.
struct Sounded {
    HeardNote note;
    double loudest = 0;
    double diedAway = 0;
};

// Where each key's sound dips by itself: at the same time after the attack in most of its long
// notes (the sound's own envelope; a synthesizer's sample reaching its loop). Learnt from the
// notes that begin with a change of key, so that a dip there is not heard as a re-attack.
class OwnDips {
public:
    OwnDips(const std::vector<PitchFrame>& frames, const std::vector<int>& keys) {
        std::map<int, std::vector<double>> delays;  // of each long note's deepest dip, -1 for none
        for (size_t begin = 1, end; begin < keys.size(); begin = end) {
            for (end = begin + 1; end < keys.size() && keys[end] == keys[begin];) ++end;
            if (keys[begin] < 0 || keys[begin - 1] == keys[begin] || frames[end - 1].seconds - frames[begin].seconds < kLongNote) continue;
            size_t quietest = begin;
            double before = 0;  // the loudest past the attack, before the quietest
            for (size_t i = begin; i < end && frames[i].seconds - frames[begin].seconds <= kLatest; ++i) {
                const double after = frames[i].seconds - frames[begin].seconds;
                if (after >= kEarliest && (quietest == begin || frames[i].level < frames[quietest].level)) quietest = i;
            }
            for (size_t i = begin; i < quietest; ++i) {
                if (frames[i].seconds - frames[begin].seconds >= kEarliest / 2) before = std::max(before, frames[i].level);
            }
            const double at = frames[quietest].seconds - frames[begin].seconds;
            // A dip, not a decay going on past the span looked at.
            const bool dips = quietest > begin && at < kLatest - 0.01 && frames[quietest].level < 0.5 * before;
            delays[keys[begin]].push_back(dips ? at : -1.0);
        }
        for (const auto& [key, found] : delays) {
            const double typical = medianOf(found);
            const auto agreeing = std::count_if(found.begin(), found.end(), [&](double at) { return std::abs(at - typical) <= 0.015; });
            if (found.size() >= 3) dips_[key] = typical > 0 && double(agreeing) >= 0.6 * double(found.size()) ? typical : -1.0;
        }
    }

    // Whether the key, or one up to a tone away (one sample serves neighbouring keys), dips by
    // itself about this long after its attack, or may: too few of its notes were heard to tell.
    bool at(int key, double afterAttack) const {
        bool known = false;
        for (auto near = dips_.lower_bound(key - 2); near != dips_.end() && near->first <= key + 2; ++near) {
            if (near->second > 0 && std::abs(afterAttack - near->second) < 0.05) return true;
            known = true;
        }
        return !known && afterAttack >= kEarliest && afterAttack <= kLatest;
    }

private:
    static constexpr double kLongNote = 0.35;  // seconds
    static constexpr double kEarliest = 0.1;   // seconds after the attack, past its own swell and sag
    static constexpr double kLatest = 0.3;
    std::map<int, double> dips_;
};

// Whether the onsets went deaf: fewer than a tenth as many as the changes of key heard. Broadband
// noise does that to onsets in whitened spectra, where hiss weighs as much as the tone in every bin.
bool onsetsDeaf(const std::vector<PitchFrame>& frames) {
    size_t onsets = 0, changes = 0;
    int key = -1;
    for (const PitchFrame& frame : frames) {
        onsets += frame.onset;
        if (frame.hertz <= 0) continue;
        const int now = nearestKey(frame.hertz);
        changes += now != key;
        key = now;
    }
    return 10 * onsets < changes;
}

}  // namespace

std::vector<HeardNote> hearNotes(const std::vector<PitchFrame>& track, double hopSeconds, const HearingSettings& settings) {
    // Where the onsets went deaf, those of the plain spectra are heard instead.
    std::vector<PitchFrame> plainlyHeard;
    if (onsetsDeaf(track)) {
        plainlyHeard = track;
        for (PitchFrame& frame : plainlyHeard) {
            frame.onset = frame.plainOnset;
            frame.attack = frame.plainAttack;
        }
    }
    const std::vector<PitchFrame>& frames = plainlyHeard.empty() ? track : plainlyHeard;
    const auto framesIn = [&](double seconds) { return static_cast<size_t>(std::max(1.0, std::round(seconds / hopSeconds))); };
    const auto [keys, slipped] = frameKeys(frames, settings.reference, framesIn(settings.shortestNote * 1.5));
    const OwnDips ownDips(frames, keys);
    const std::vector<double> steps = phaseSteps(frames, hopSeconds);
    const double restart = leastRestart(steps, settings);
    std::vector<Sounded> notes;
    size_t begin = 0;
    auto close = [&](size_t end) {
        if (end <= begin || keys[begin] < 0) return;
        // A note ends where its sound has died away to a tail (the release, the room's echo).
        double loudest = 0;
        for (size_t i = begin; i < end; ++i) loudest = std::max(loudest, frames[i].level);
        while (end > begin + 1 && frames[end - 1].level < settings.tail * loudest) --end;
        const double tailEnd = frames[end - 1].seconds + hopSeconds;
        // Within that tail, it stopped where its level fell to half the sustain before the fall
        // (past the attack's burst): a long release or a room's echo moves the tail, not this.
        double sustain = 0;
        for (size_t j = end; j > begin + framesIn(settings.shortestNote) &&
                             frames[end - 1].seconds - frames[j - 1].seconds <= settings.decayTime;
             --j) {
            sustain = std::max(sustain, frames[j - 1].level);
        }
        while (end > begin + 1 && frames[end - 1].level < settings.stopped * sustain) --end;
        // Its attack began before its pitch settled: where the onset detector heard it begin, or
        // else the frames just before it where the sound swells (the breath and chiff of the attack).
        const double settled = frames[begin].seconds;
        const double earliest = std::max(settled - settings.longestAttack,
                                         notes.empty() ? 0.0 : notes.back().note.start + settings.shortestNote);
        double start = -1;
        for (size_t i = begin > framesIn(settings.longestAttack) ? begin - framesIn(settings.longestAttack) : 0;
             i < frames.size() && frames[i].seconds <= settled + settings.longestAttack; ++i) {
            if (frames[i].onset && frames[i].attack >= earliest && frames[i].attack <= settled + hopSeconds) start = frames[i].attack;
        }
        if (start < 0) {
            // The swell began after the quietest moment before the pitch settled: the last frame
            // there about as quiet as the quietest (after silence or noise, the moment the swell starts).
            size_t first = begin;
            while (first > 0 && frames[first - 1].seconds >= earliest) --first;
            double quietest = frames[begin].level;
            for (size_t i = first; i < begin; ++i) quietest = std::min(quietest, frames[i].level);
            size_t attack = begin;
            if (quietest < 0.8 * frames[begin].level) {
                while (attack > first && frames[attack - 1].level > 1.1 * quietest) --attack;
            }
            start = frames[attack].seconds;
        }
        const double stop = frames[end - 1].seconds + hopSeconds;
        if (stop - start < settings.shortestNote) return;
        std::vector<double> cents;
        for (size_t i = begin; i < end; ++i) {
            if (frames[i].hertz > 0) cents.push_back(centsFromA4(frames[i].hertz, settings.reference) - (keys[begin] - 69) * 100.0);
        }
        notes.push_back({{start, stop, keys[begin], medianOf(cents)}, loudest, tailEnd});
    };
    double peak = 0;
    double dippedAt = -1;
    double sunkAt = -1;
    double lastOnset = -1;  // of the key sounding
    for (size_t i = 0; i < frames.size(); ++i) {
        // A change of key ends a note, and so does a fresh attack of the same key once the note has
        // lasted long enough to be one:
        // - the level falling well below the note's peak, then rising with an onset (a tongued
        //   repeat) or sharply (a breath accent), or swelling to several times its low and holding
        //   the key (a slurred repeat no onset was heard at), unless the key's sound dips there by itself;
        // - the level swelling well above the quietest of the last moments with an attack's signs
        //   (a long note dying away, struck again): an onset, unless onsets come as regularly as
        //   a tremolo's, or the pitch slipping to a harmonic as a tube does when it speaks anew;
        // - the tone's phase jumping, as a tone struck anew does where the level hardly moves.
        const bool rising = i > 0 && frames[i].level > frames[i - 1].level;
        const bool sameKey = keys[i] >= 0 && keys[i] == keys[begin];
        const bool lasted = frames[i].seconds - frames[begin].seconds >= settings.shortestNote;
        // A dip counts for a rise that follows it soon, not for a swell long after (a sustain
        // wavering). A re-attack under a held sound shows as a notch instead: a few hops' sharp
        // fall and rise, where a wavering sustain falls and rises over a tenth of a second; the
        // level's flutter while the note's own attack settles is none.
        if (sameKey && frames[i].level < settings.attackDip * peak) dippedAt = sunkAt = frames[i].seconds;
        if (sameKey && lasted && notchAt(frames, i, settings.notchHops)) dippedAt = frames[i].seconds;
        const bool dipped = dippedAt >= 0 && frames[i].seconds - dippedAt <= settings.dipTime;
        double recentLow = frames[i].level;
        bool slip = false;
        const size_t settledFrom = begin + framesIn(settings.shortestNote);  // past the note's own attack
        for (size_t j = i; j > settledFrom && frames[i].seconds - frames[j - 1].seconds <= settings.swellTime; --j) {
            recentLow = std::min(recentLow, frames[j - 1].level);
            slip = slip || slipped[j - 1];
        }
        double coming = frames[i].level;  // the loudest the attack reaches
        size_t held = i;
        for (; held < frames.size() && keys[held] == keys[i] && frames[held].seconds - frames[i].seconds <= settings.swellTime; ++held) {
            coming = std::max(coming, frames[held].level);
        }
        const bool holds = held < frames.size() && keys[held] == keys[i];
        // Onsets in one key as close as a tremolo's, before this one or after it.
        bool tremolo = lastOnset >= 0 && frames[i].seconds - lastOnset < settings.tremoloPeriod;
        for (size_t j = i + 1; frames[i].onset && !tremolo && j < frames.size() && keys[j] == keys[i] &&
                               frames[j].seconds - frames[i].seconds < settings.tremoloPeriod;
             ++j) {
            tremolo = frames[j].onset && frames[j].seconds - frames[i].seconds > settings.swellTime;  // not the same attack twice
        }
        const bool onsetSwell = frames[i].onset && !tremolo && coming >= settings.swell * recentLow;
        const bool slipSwell = slip && frames[i].level >= settings.swell * recentLow;
        const bool sunk = sunkAt >= 0 && frames[i].seconds - sunkAt <= settings.dipTime;
        const bool sunkSwell = sunk && holds && coming >= settings.sunkSwell * recentLow &&
                               !ownDips.at(keys[i], sunkAt - frames[begin].seconds);
        // The tone's phase jumping, its key held, where it jumps most near here; not while the note's
        // own attack settles, nor where the key's sound dips by itself.
        const double sinceAttack = frames[i].seconds - frames[begin].seconds;
        bool restarted = steps[i] >= restart && sinceAttack >= settings.restartAfter && !ownDips.at(keys[i], sinceAttack);
        for (size_t j = i > kSide + kGap ? i - kSide - kGap : 0; restarted && j <= std::min(frames.size() - 1, i + kSide + kGap); ++j) {
            restarted = steps[j] <= steps[i];
        }
        if (frames[i].onset && sameKey) lastOnset = frames[i].seconds;
        const bool reattack = sameKey && lasted &&
                              (onsetSwell || restarted || (rising && (slipSwell || sunkSwell || (dipped && (frames[i].onset || frames[i].level > 1.5 * frames[i - 1].level)))));
        if (i > begin && (keys[i] != keys[begin] || reattack)) {
            if (keys[i] != keys[begin]) lastOnset = -1;
            close(i);
            begin = i;
            peak = 0;
            dippedAt = -1;
            sunkAt = -1;
        }
        peak = std::max(peak, frames[i].level);
    }
    close(frames.size());
    std::vector<HeardNote> kept;
    const Sounded* last = nullptr;  // the note kept last
    for (size_t n = 0; n < notes.size(); ++n) {
        HeardNote& note = notes[n].note;
        // A re-attack of a key that never grows as loud as the note it follows was that note's
        // release, swelling as it died away.
        if (last && last->note.key == note.key && note.start - last->diedAway < settings.swellTime &&
            notes[n].loudest < settings.release * last->loudest) {
            continue;
        }
        // A note a tenth as loud as the one just before was its echo (the room, a long release),
        // whatever pitch the echo was heard at.
        if (last && note.start - last->diedAway < settings.echoTime && notes[n].loudest < settings.echo * last->loudest) continue;
        // A re-attack of a key that gives way to another key at once was the next note's attack,
        // heard while the old pitch still rang: the next note starts there.
        const bool reattack = last && kept.back().key == note.key && note.start - kept.back().end < hopSeconds * 1.5;
        const bool givesWay = n + 1 < notes.size() && notes[n + 1].note.key != note.key && notes[n + 1].note.start - note.end < hopSeconds * 1.5;
        if (reattack && givesWay && note.end - note.start < 3 * settings.shortestNote) {
            kept.back().end = note.start;
            notes[n + 1].note.start = note.start;
            continue;
        }
        kept.push_back(note);
        last = &notes[n];
    }
    return kept;
}

}  // namespace shinofu::audio
