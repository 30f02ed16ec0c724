#include "audio/transcription.h"

#include "platform/ui_text.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <map>
#include <set>

namespace shinofu::audio {
namespace {

constexpr int kDivision = 480;
constexpr int kSixteenth = kDivision / 4;
constexpr int kFluteProgram = 73;
constexpr double kSlowest = 60;
constexpr double kFastest = 160;
constexpr double kTuningTolerance = 15;  // cents
constexpr double kBarelyPast = 0.2;      // sixteenths a note may sound past a grid point and still end there
constexpr double kRightOnAThird = 0.1;   // sixteenths

midi::SmfEvent meta(int64_t tick, uint8_t type, std::string data) { return {tick, 0xFF, type, 0, std::move(data)}; }

// The mean of the values' phases on a circle of the period: its angle says where they gather, its
// length (0..1) how closely.
std::complex<double> meanPhase(const std::vector<double>& values, double period) {
    std::complex<double> sum;
    for (const double value : values) sum += std::polar(1.0, 2 * M_PI * value / period);
    return values.empty() ? sum : sum / static_cast<double>(values.size());
}

std::vector<double> startsOf(const std::vector<HeardNote>& notes) {
    std::vector<double> starts;
    starts.reserve(notes.size());
    for (const HeardNote& note : notes) starts.push_back(note.start);
    return starts;
}

// Where the grid of this step lies under the onsets: their mean phase, so that a steady lag of every
// attack, or one early first note, does not move the others off their places.
double gridPhase(const std::vector<HeardNote>& notes, double step) {
    return std::arg(meanPhase(startsOf(notes), step)) / (2 * M_PI) * step;
}

// The places notes are written at: sixteenths, and eighth-note triplets in the beats whose onsets
// fall on thirds of the beat; counted from the first note, on a downbeat.
class NoteGrid {
public:
    NoteGrid(const std::vector<HeardNote>& notes, double tempo)
        : sixteenth_(15.0 / tempo), phase_(gridPhase(notes, sixteenth_)), first_(std::lround((notes.front().start - phase_) / sixteenth_)) {
        std::map<long, Fit> fits;
        for (const HeardNote& note : notes) {
            const double x = sixteenths(note.start);
            const long beat = beatOf(x);
            const double within = x - 4.0 * static_cast<double>(beat);
            Fit& fit = fits[beat];
            fit.straight += square(within - std::round(within));
            fit.triplet += square(within - std::round(within * 0.75) / 0.75);
            const double offThird = std::min(std::abs(within - 4.0 / 3), std::abs(within - 8.0 / 3));
            if (offThird < 0.3) ++fit.onThirds;
            fit.nearestThird = std::min(fit.nearestThird, offThird);
        }
        // A beat is of triplets when its onsets fit thirds far better than sixteenths, and either two
        // fall on its thirds or one falls right on a third: one sixteenth heard late is none.
        for (const auto& [beat, fit] : fits) {
            const bool thirds = fit.onThirds >= 2 || (fit.onThirds == 1 && fit.nearestThird < kRightOnAThird);
            if (thirds && fit.triplet < 0.5 * fit.straight) triplets_.insert(beat);
        }
    }

    int64_t tick(double seconds) const {
        const double x = sixteenths(seconds);
        const long beat = beatOf(x);
        if (!triplets_.count(beat)) return std::lround(x) * kSixteenth;
        return beat * kDivision + std::lround((x - 4.0 * static_cast<double>(beat)) * 0.75) * (kDivision / 3);
    }

private:
    struct Fit {
        double straight = 0, triplet = 0;
        int onThirds = 0;            // onsets near the beat's thirds
        double nearestThird = 1e9;  // sixteenths from a third to the onset nearest one
    };
    static double square(double x) { return x * x; }
    double sixteenths(double seconds) const { return (seconds - phase_) / sixteenth_ - static_cast<double>(first_); }
    static long beatOf(double sixteenths) { return static_cast<long>(std::floor((sixteenths + 0.5) / 4)); }

    double sixteenth_;
    double phase_;
    long first_;
    std::set<long> triplets_;
};

// Cents by which the playing sits above the reference's semitones (-50..50): the mean of every
// pitched frame's deviation taken round the semitone's circle.
double tuningOffset(const std::vector<PitchFrame>& frames, double reference) {
    std::vector<double> cents;
    for (const PitchFrame& frame : frames) {
        if (frame.hertz > 0) cents.push_back(centsFromA4(frame.hertz, reference));
    }
    return std::arg(meanPhase(cents, 100)) / (2 * M_PI) * 100;
}

// How likely the gaps between onsets are as note values at the tempo, by how often each value
// comes in melodies.
double noteValueLikelihood(const std::vector<HeardNote>& notes, double tempo) {
    static const std::pair<double, double> kValues[] = {{0.25, 0.08}, {1.0 / 3, 0.04}, {0.5, 0.3}, {0.75, 0.05}, {1, 0.3},
                                                        {1.5, 0.07}, {2, 0.12}, {3, 0.04}, {4, 0.04}};
    double sum = 0;
    for (size_t i = 1; i < notes.size(); ++i) {
        const double beats = (notes[i].start - notes[i - 1].start) * tempo / 60;
        if (beats > 6) continue;  // a pause, not a note value
        double likeliest = 1e-3;  // a value out of the table
        for (const auto& [value, share] : kValues) {
            if (std::abs(std::log2(beats / value)) < 0.15) likeliest = std::max(likeliest, share);
        }
        sum += std::log(likeliest);
    }
    return sum;
}

}  // namespace

double findTempo(const std::vector<HeardNote>& notes) {
    if (notes.size() < 2) return 120;
    // How closely the onsets keep to a grid of eighths, wherever it lies: the length of the mean of
    // their phases on it. Steps of 0.05 %, as a long recording's grid drifts a beat apart sooner.
    // Up to eighths at twice the fastest tempo: a melody of many sixteenths keeps to their grid
    // alone, and its eighths' grid fits one tempo as badly as a tempo a tenth away.
    const std::vector<double> starts = startsOf(notes);
    double best = 120, bestFit = -1;
    for (double tempo = kSlowest; tempo <= 2 * kFastest; tempo *= 1.0005) {
        // Of tempos that fit alike, the one nearest a walking pace: the grid of a slower one holds
        // every faster grid's points too.
        const double fit = std::abs(meanPhase(starts, 30.0 / tempo)) - 0.002 * std::abs(std::log2(tempo / 100));
        if (fit > bestFit) {
            bestFit = fit;
            best = tempo;
        }
    }
    // A grid fits as well at twice the tempo (or four times, or three times where sixteenths run in
    // triplets), and a melody with triplets at two thirds or three halves of it; of these, the one
    // that writes the notes in the values melodies are mostly written in (quarters and eighths,
    // then halves) is the player's.
    double chosen = best, mostLikely = -1e300;
    for (const double tempo : {best, best / 2, best * 2, best * 2 / 3, best * 3 / 2, best * 4 / 3, best * 3 / 4, best / 4, best / 3}) {
        if (tempo < kSlowest - 1 || tempo > kFastest + 1) continue;
        const double likelihood = noteValueLikelihood(notes, tempo);
        if (likelihood > mostLikely + 1e-9) {
            mostLikely = likelihood;
            chosen = tempo;
        }
    }
    return chosen;
}

int findKeySignature(const std::vector<HeardNote>& notes) {
    static const int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
    int best = 0;
    double bestTime = -1;
    for (int signature : {0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7}) {  // fewer signs first on a tie
        const int tonic = ((signature * 7) % 12 + 12) % 12;
        double time = 0;
        for (const HeardNote& note : notes) {
            const int degree = ((note.key - tonic) % 12 + 12) % 12;
            if (std::find(std::begin(kMajor), std::end(kMajor), degree) != std::end(kMajor)) time += note.end - note.start;
        }
        if (time > bestTime + 1e-9) {
            bestTime = time;
            best = signature;
        }
    }
    return best;
}

midi::SmfFile notesToSmf(const std::vector<HeardNote>& notes, double tempo, const TranscriptionSettings& settings) {
    midi::SmfFile file{kDivision, {}};
    const int microseconds = static_cast<int>(std::lround(60e6 / tempo));
    file.events.push_back(meta(0, 0x51, {static_cast<char>(microseconds >> 16), static_cast<char>(microseconds >> 8),
                                         static_cast<char>(microseconds)}));
    const int bottomPower = static_cast<int>(std::lround(std::log2(std::max(1, settings.meterBottom))));
    file.events.push_back(meta(0, 0x58, {static_cast<char>(settings.meterTop), static_cast<char>(bottomPower), 24, 8}));
    file.events.push_back(meta(0, 0x59, {static_cast<char>(findKeySignature(notes)), 0}));
    file.events.push_back({0, 0xC0, kFluteProgram, 0, {}});
    if (notes.empty()) return file;
    const double sixteenth = 15.0 / tempo;
    const NoteGrid grid(notes, tempo);
    // A pickup puts the first note that many beats before the end of a first measure of rests.
    const int64_t beat = 4 * kDivision / std::max(1, settings.meterBottom);
    const int pickup = settings.pickup > 0 && settings.pickup < settings.meterTop ? settings.pickup : 0;
    const int64_t shift = pickup > 0 ? (settings.meterTop - pickup) * beat : 0;
    int64_t end = shift;
    for (size_t i = 0; i < notes.size(); ++i) {
        const int64_t on = std::max(end, grid.tick(notes[i].start) + shift);
        // A player stops a note before its written end (a breath, a detached note): it is written up
        // to the grid point after its sound stopped, unless it stopped barely past one.
        int64_t off = std::max(on + kSixteenth, grid.tick(notes[i].end + (0.5 - kBarelyPast) * sixteenth) + shift);
        // A silence shorter than most of a sixteenth is the breath between notes, or their release
        // heard short, not a rest.
        if (i + 1 < notes.size()) {
            const int64_t next = grid.tick(notes[i + 1].start) + shift;
            if (next > on && (next - off < kSixteenth || notes[i + 1].start - notes[i].end < 0.75 * sixteenth)) off = next;
            if (next > on) off = std::min(off, next);
        }
        const uint8_t key = static_cast<uint8_t>(std::clamp(notes[i].key, 0, 127));
        file.events.push_back({on, 0x90, key, 100, {}});
        file.events.push_back({off, 0x80, key, 0, {}});
        end = off;
    }
    file.events.push_back(meta(end, 0x2F, {}));
    return file;
}

std::optional<HeardRecording> hearFile(const std::filesystem::path& path, double reference, std::string& error,
                                       const midi::ImportProgress& progress) {
    PitchTracker tracker(kAnalysisRate, kAnalysisWindow, kAnalysisHop);
    if (!tracker.ready()) {
        error = tracker.error();
        return std::nullopt;
    }
    std::vector<PitchFrame> frames;
    const auto take = [&](std::span<const float> block, double done) {
        const std::vector<PitchFrame> heard = tracker.feed(block);
        frames.insert(frames.end(), heard.begin(), heard.end());
        return !progress || progress(done);
    };
    platform::IoError failure;
    const SoundStream read = streamSound(path, kAnalysisRate, failure, take);
    if (read != SoundStream::Read) {
        error = failure.message;
        return std::nullopt;
    }
    const double tuned = reference * std::exp2(tuningOffset(frames, reference) / 1200);
    const double kept = std::abs(1200 * std::log2(tuned / reference)) > kTuningTolerance ? tuned : reference;
    return HeardRecording{hearNotes(frames, static_cast<double>(tracker.hop()) / kAnalysisRate, {kept}), kept};
}

midi::ImportReport transcribeFile(const std::filesystem::path& path, const TranscriptionSettings& settings,
                                  model::Score& score, const std::string& title, const midi::ImportProgress& progress) {
    midi::ImportReport report;
    std::string error;
    // Hearing is nearly all the work: the score building that follows is told as its last step.
    const auto hearing = [&](double done) { return !progress || progress(0.95 * done); };
    const std::optional<HeardRecording> heard = hearFile(path, settings.reference, error, hearing);
    if (!heard) {
        if (error.empty()) {
            report.cancelled = true;
        } else {
            report.refusal = error;
        }
        return report;
    }
    const std::vector<HeardNote>& notes = heard->notes;
    const double tempo = settings.tempo > 0 ? settings.tempo : findTempo(notes);
    report = midi::importSmf(notesToSmf(notes, tempo, settings), score, title,
                             [&](double done) { return !progress || progress(0.95 + 0.05 * done); });
    if (report.cancelled || report.refusal) return report;
    if (notes.empty()) {
        report.notices = {ui::text("ui", "音が聞き取れませんでした")};  // the only thing to say of an empty score
        return report;
    }
    if (settings.tempo <= 0) {
        report.noteOnce(ui::format(ui::text("ui", "テンポは演奏から推定しました（%1）"), {std::to_string(static_cast<int>(std::lround(tempo)))}));
    }
    if (heard->reference != settings.reference) {
        char hertz[16];
        std::snprintf(hertz, sizeof hertz, "%.1f", heard->reference);
        report.noteOnce(ui::format(ui::text("ui", "録音は A=%1 Hz に合わせて聞きました"), {hertz}));
    }
    return report;
}

}  // namespace shinofu::audio
