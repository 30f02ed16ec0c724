#include "audio/score_follower.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "midi/navigation.h"
#include "midi/navigator.h"
#include "midi/perf_builder.h"
#include "platform/ui_text.h"

namespace shinofu::audio {
namespace {

constexpr float kMissCost = 0.6;     // a missed note: the player went on, the score's next notes decide
constexpr float kSkipOnCost = 0.1;   // each further note of a run missed: a skipped passage is one slip
constexpr float kExtraCost = 1.05;  // a wrong note, not an extra one and a missed one, where either fits
constexpr float kWrongCost = 1;
constexpr float kBlipCost = 0.6;       // an extra note this short is likelier a slip of the fingers than a note
constexpr double kBlipSeconds = 0.08;
constexpr double kRehearSeconds = 0.02;  // how much new sound is heard before the notes are heard again
constexpr double kSettleSeconds = 1;     // a note ended this long before the latest sound is heard as it will stay
constexpr size_t kLongestRepeat = 4;     // expected notes of one key a single heard note may have played
constexpr float kRepeatCost = 0.01;     // a re-attack the hearing missed: barely worse than one it heard
constexpr int kTimingNeighbours = 4;    // matched notes either side that give the player's tempo at a note
constexpr double kLeastOffset = 0.1;    // seconds early or late that are noticed at any tempo
constexpr int32_t kSixteenth = model::kLengthUnitsPerQuarter / 4;
constexpr double kEarliestShare = 0.6;  // of the time until a note is due, before which a wrong note is not taken for it
constexpr size_t kFirstGlimpse = 3;     // frames of the next expected key that move the marker before the note is heard whole

}  // namespace

std::vector<ExpectedNote> expectedNotes(model::Score& score, int part, int32_t fromTick) {
    midi::placeNavigationMarks(score);
    const auto list = midi::buildPerfList(score);
    std::vector<ExpectedNote> expected;
    if (!list) return expected;
    midi::linkNavigation(*list);
    bool started = false;
    for (const midi::Performed& performed : midi::performedEvents(*list, midi::Navigator::FinalBar::Ends)) {
        const midi::PerfEvent& event = list->events()[performed.index];
        const midi::SoundSnapshot& sound = list->sound(event);
        if (event.part != part || !event.isNoteOn || sound.silent || sound.tiedOn || sound.midiNote < 0 || sound.isEndMarker()) {
            continue;
        }
        started = started || sound.startPos >= fromTick;
        if (started) expected.push_back({sound.startPos, static_cast<int32_t>(performed.tick), sound.midiNote});
    }
    return expected;
}

// One step of the alignment: an expected note and the heard note taken for it, or one without the other.
struct ScoreFollower::Step {
    int expected = -1;     // -1: a note heard that the score does not have
    int heard = -1;        // -1: a note of the score not heard
    bool repeated = false;  // the same heard note as the step before: a repeat whose re-attack was not heard
};

ScoreFollower::ScoreFollower(std::vector<ExpectedNote> expected, double hopSeconds, double secondsPerUnit, double reference)
    : expected_(std::move(expected)), hopSeconds_(hopSeconds), scoreSecondsPerUnit_(secondsPerUnit), pace_(secondsPerUnit) {
    hearing_.reference = reference;
}

void ScoreFollower::take(std::span<const PitchFrame> frames) {
    frames_.insert(frames_.end(), frames.begin(), frames.end());
    if (static_cast<double>(frames_.size() - heardFrames_) * hopSeconds_ >= kRehearSeconds) hear();
}

void ScoreFollower::hear() {
    heardFrames_ = frames_.size();
    // Only the sound after the settled notes is heard again, and only their alignment is kept.
    const std::vector<PitchFrame> recent(frames_.begin() + static_cast<std::ptrdiff_t>(recentFrom_), frames_.end());
    heard_.resize(settled_);
    for (const HeardNote& note : hearNotes(recent, hopSeconds_, hearing_)) heard_.push_back(note);
    const std::vector<Step> steps = align();
    pace_ = secondsPerUnit(steps);
    const double now = frames_.empty() ? 0 : frames_.back().seconds;
    // A note is settled once another began after it, and that a while ago: a re-attack of its own
    // key straight after it may still be heard as part of it.
    while (settled_ + 1 < heard_.size() && heard_[settled_ + 1].start < now - kSettleSeconds &&
           (heard_[settled_ + 1].key != heard_[settled_].key || heard_[settled_ + 1].start - heard_[settled_].end > 1.5 * hopSeconds_)) {
        ++settled_;
    }
    if (settled_ > 0) {
        while (recentFrom_ < frames_.size() && frames_[recentFrom_].seconds <= heard_[settled_ - 1].end) ++recentFrom_;
    }
    position_ = -1;
    onNoteFor_ = 0;
    const Step* last = nullptr;
    const Step* before = nullptr;
    for (const Step& step : steps) {
        if (step.heard < 0 || step.expected < 0) continue;
        before = last;
        last = &step;
        position_ = step.expected;
    }
    // A wrong note long before the note it would stand for is due is an extra one until the score's
    // next note says otherwise: the marker waits.
    if (last && before && heard_[static_cast<size_t>(last->heard)].key != expected_[static_cast<size_t>(last->expected)].key &&
        last->heard != before->heard) {
        const double since = heard_[static_cast<size_t>(last->heard)].start - heard_[static_cast<size_t>(before->heard)].start;
        const double due = (expected_[static_cast<size_t>(last->expected)].tick - expected_[static_cast<size_t>(before->expected)].tick) * pace_;
        if (since < kEarliestShare * due) {
            position_ = before->expected;
            last = before;
        }
    }
    if (last) onNoteFor_ = now - heard_[static_cast<size_t>(last->heard)].start;
    // The note the score expects next, glimpsed in the latest frames: the marker goes on at once.
    const size_t next = static_cast<size_t>(position_ + 1);
    if (next >= expected_.size() || frames_.size() < kFirstGlimpse) return;
    const int key = expected_[next].key;
    if (!heard_.empty() && position_ >= 0 && heard_.back().key == key) return;  // a repeat: its attack must be heard
    for (size_t f = frames_.size() - kFirstGlimpse; f < frames_.size(); ++f) {
        if (frames_[f].hertz <= 0 || nearestKey(frames_[f].hertz, hearing_.reference) != key) return;
    }
    position_ = static_cast<int>(next);
    onNoteFor_ = now - frames_[frames_.size() - kFirstGlimpse].seconds;
}

// The player's pace from the latest notes heard at their keys one after another: the median of their
// seconds per length unit; the score's own tempo until there are some.
double ScoreFollower::secondsPerUnit(const std::vector<Step>& steps) const {
    std::vector<double> paces;
    for (size_t s = steps.size(); s-- > 1 && paces.size() < kTimingNeighbours * 2;) {
        const Step& step = steps[s];
        const Step& previous = steps[s - 1];
        if (step.heard < 0 || previous.heard < 0 || step.expected < 0 || previous.expected < 0 || step.heard == previous.heard) continue;
        const int32_t units = expected_[static_cast<size_t>(step.expected)].tick - expected_[static_cast<size_t>(previous.expected)].tick;
        const double seconds = heard_[static_cast<size_t>(step.heard)].start - heard_[static_cast<size_t>(previous.heard)].start;
        if (units > 0 && seconds > 0) paces.push_back(seconds / units);
    }
    if (paces.empty()) return scoreSecondsPerUnit_;
    std::nth_element(paces.begin(), paces.begin() + static_cast<std::ptrdiff_t>(paces.size() / 2), paces.end());
    return paces[paces.size() / 2];
}

// The cheapest way the notes heard so far play the start of the expected notes (an edit distance
// whose end is free in the score), traced back into its steps.
std::vector<ScoreFollower::Step> ScoreFollower::align() {
    const size_t heard = heard_.size(), expected = expected_.size();
    const size_t width = expected + 1;
    // Rows up to the settled notes' stay as they were; the rest are worked out again. Beside the
    // best way to each cell, the best that ends in a run of missed notes, which a further miss
    // continues at the lesser cost.
    std::vector<float>& cost = cost_;
    std::vector<char>& move = move_;
    std::vector<float>& missing = missingCost_;
    std::vector<char>& runOn = runOn_;
    cost.resize((heard + 1) * width);
    move.resize((heard + 1) * width);
    missing.resize((heard + 1) * width);
    runOn.resize((heard + 1) * width);
    const auto at = [width](size_t i, size_t j) { return i * width + j; };
    const auto miss = [&](size_t i, size_t j) {
        const float fresh = cost[at(i, j - 1)] + kMissCost;
        const float continued = j > 1 ? missing[at(i, j - 1)] + kSkipOnCost : fresh;
        runOn[at(i, j)] = continued < fresh;
        missing[at(i, j)] = std::min(fresh, continued);
    };
    if (settled_ == 0) {
        cost[at(0, 0)] = 0;
        missing[at(0, 0)] = std::numeric_limits<float>::infinity();
        for (size_t j = 1; j <= expected; ++j) {
            miss(0, j);
            cost[at(0, j)] = missing[at(0, j)];
            move[at(0, j)] = 'o';
        }
    }
    for (size_t i = settled_ + 1; i <= heard; ++i) {
        const HeardNote& note = heard_[i - 1];
        const float extra = note.end - note.start < kBlipSeconds ? kBlipCost : kExtraCost;
        cost[at(i, 0)] = cost[at(i - 1, 0)] + extra;
        move[at(i, 0)] = 'x';
        missing[at(i, 0)] = std::numeric_limits<float>::infinity();
        for (size_t j = 1; j <= expected; ++j) {
            const float taken = cost[at(i - 1, j - 1)] + (note.key == expected_[j - 1].key ? 0 : kWrongCost);
            const float added = cost[at(i - 1, j)] + extra;
            miss(i, j);
            const float skipped = missing[at(i, j)];
            cost[at(i, j)] = std::min({taken, added, skipped});
            move[at(i, j)] = cost[at(i, j)] == taken ? 'm' : cost[at(i, j)] == added ? 'x' : 'o';
            // The score repeats the key and the note heard holds it all that while: one note the
            // hearing could not split (a slurred or softly tongued repeat).
            for (size_t n = 2; n <= std::min(kLongestRepeat, j); ++n) {
                if (expected_[j - n].key != note.key || expected_[j - n + 1].key != note.key) break;
                const float repeated = cost[at(i - 1, j - n)] + kRepeatCost * static_cast<float>(n - 1);
                if (repeated < cost[at(i, j)]) {
                    cost[at(i, j)] = repeated;
                    move[at(i, j)] = static_cast<char>('0' + n);
                }
            }
        }
    }
    size_t j = 0;
    for (size_t k = 1; k <= expected; ++k) {
        if (cost[at(heard, k)] < cost[at(heard, j)]) j = k;
    }
    std::vector<Step> steps;
    bool inRun = false;  // walking back through a run of missed notes
    for (size_t i = heard; i > 0 || j > 0;) {
        const char step = inRun ? 'o' : move[at(i, j)];
        if (step == 'o') {
            inRun = runOn[at(i, j)];
            steps.push_back({static_cast<int>(--j), -1});
        } else if (step == 'm') {
            steps.push_back({static_cast<int>(--j), static_cast<int>(--i)});
        } else if (step >= '2' && step <= '9') {
            --i;
            for (int n = step - '0'; n > 0; --n) steps.push_back({static_cast<int>(--j), static_cast<int>(i), n > 1});
        } else {
            steps.push_back({-1, static_cast<int>(--i)});
        }
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

FollowReport ScoreFollower::report() {
    hear();
    FollowReport report;
    report.notes.assign(expected_.size(), {});
    const std::vector<Step> steps = align();
    // Expected and heard of the notes played at their pitch, and the stretch of playing between
    // skips each belongs to: a skip is no change of tempo.
    struct Matched {
        int expected, heard, stretch;
    };
    std::vector<Matched> matched;
    int stretch = 0;
    for (const Step& step : steps) {
        if (step.expected < 0) {
            const HeardNote& note = heard_[static_cast<size_t>(step.heard)];
            if (note.end - note.start >= kBlipSeconds) ++report.extraNotes;
            continue;
        }
        NoteVerdict& verdict = report.notes[static_cast<size_t>(step.expected)];
        report.reached = step.expected + 1;
        if (step.heard < 0) {
            verdict.verdict = Verdict::Missed;
            ++stretch;
            continue;
        }
        const HeardNote& note = heard_[static_cast<size_t>(step.heard)];
        verdict.cents = (note.key - expected_[static_cast<size_t>(step.expected)].key) * 100.0 + note.cents;
        verdict.verdict = std::abs(verdict.cents) > kInTuneCents ? Verdict::PitchOff : Verdict::Good;
        // A repeat heard as one note has no attack of its own to time.
        if (note.key == expected_[static_cast<size_t>(step.expected)].key && !step.repeated) {
            matched.push_back({step.expected, step.heard, stretch});
        }
    }
    // On time against the player's own tempo there: the line through the neighbours' onsets.
    for (size_t m = 0; m < matched.size(); ++m) {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (size_t k = m >= kTimingNeighbours ? m - kTimingNeighbours : 0; k < std::min(matched.size(), m + kTimingNeighbours + 1); ++k) {
            if (k == m || matched[k].stretch != matched[m].stretch) continue;
            const double x = expected_[static_cast<size_t>(matched[k].expected)].tick;
            const double y = heard_[static_cast<size_t>(matched[k].heard)].start;
            n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
        }
        const double spread = n * sxx - sx * sx;
        if (n < 3 || spread <= 0) continue;
        const double slope = (n * sxy - sx * sy) / spread, intercept = (sy - slope * sx) / n;
        const double tick = expected_[static_cast<size_t>(matched[m].expected)].tick;
        const double offset = heard_[static_cast<size_t>(matched[m].heard)].start - (intercept + slope * tick);
        NoteVerdict& verdict = report.notes[static_cast<size_t>(matched[m].expected)];
        verdict.offset = offset;
        if (verdict.verdict == Verdict::Good && std::abs(offset) > std::max(kLeastOffset, slope * kSixteenth)) {
            verdict.verdict = offset < 0 ? Verdict::Early : Verdict::Late;
        }
    }
    for (int e = 0; e < report.reached; ++e) {
        const NoteVerdict& verdict = report.notes[static_cast<size_t>(e)];
        if (verdict.verdict == Verdict::Missed) continue;
        if (std::abs(verdict.cents) <= kInTuneCents) ++report.inTune;
    }
    double sum = 0;
    for (const Matched& note : matched) sum += report.notes[static_cast<size_t>(note.expected)].cents;
    report.meanCents = matched.empty() ? 0 : sum / static_cast<double>(matched.size());
    return report;
}

std::string reportSummary(const FollowReport& report) {
    if (report.reached == 0) return ui::text("ui", "演奏が聞こえませんでした");
    const auto count = [&](Verdict kind) {
        return std::count_if(report.notes.begin(), report.notes.begin() + report.reached,
                             [kind](const NoteVerdict& verdict) { return verdict.verdict == kind; });
    };
    const long cents = std::lround(report.meanCents);
    const std::string signedCents = (cents < 0 ? "−" : cents > 0 ? "+" : "") + std::to_string(std::abs(cents));
    return ui::format(ui::text("ui", "%1 % の音が正しい高さ、平均 %2 セント（音程 %3・早い %4・遅い %5・抜け %6・余分 %7）"),
                      {std::to_string(std::lround(100.0 * report.inTune / report.reached)), signedCents,
                       std::to_string(count(Verdict::PitchOff)), std::to_string(count(Verdict::Early)),
                       std::to_string(count(Verdict::Late)), std::to_string(count(Verdict::Missed)),
                       std::to_string(report.extraNotes)});
}

}  // namespace shinofu::audio
