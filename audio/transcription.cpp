#include "audio/transcription.h"

#include <algorithm>
#include <cmath>

namespace shinofu::audio {
namespace {

constexpr int kDivision = 480;
constexpr int kSixteenth = kDivision / 4;
constexpr int kFluteProgram = 73;
constexpr double kSlowest = 60;
constexpr double kFastest = 160;

midi::SmfEvent meta(int64_t tick, uint8_t type, std::string data) { return {tick, 0xFF, type, 0, std::move(data)}; }

// Where the grid of this step lies under the onsets: the circular mean of their phases, so that a
// steady lag of every attack, or one early first note, does not move the others off their places.
double gridPhase(const std::vector<HeardNote>& notes, double step) {
    double x = 0, y = 0;
    for (const HeardNote& note : notes) {
        const double angle = 2 * M_PI * note.start / step;
        x += std::cos(angle);
        y += std::sin(angle);
    }
    return std::atan2(y, x) / (2 * M_PI) * step;
}

}  // namespace

double findTempo(const std::vector<HeardNote>& notes) {
    if (notes.size() < 2) return 120;
    const double first = notes.front().start;
    double best = 120, bestFit = -1;
    for (double tempo = kSlowest; tempo <= kFastest; tempo += 0.25) {
        const double eighth = 30.0 / tempo;
        double fit = 0;
        for (const HeardNote& note : notes) {
            const double beats = (note.start - first) / eighth;
            const double off = (beats - std::round(beats)) * eighth;  // seconds from the grid
            fit += std::exp(-off * off / (2 * 0.02 * 0.02));
        }
        // Of tempos that fit alike, the one nearest a walking pace: the grid of a slower one holds
        // every faster grid's points too.
        fit -= 0.002 * notes.size() * std::abs(std::log2(tempo / 100));
        if (fit > bestFit) {
            bestFit = fit;
            best = tempo;
        }
    }
    return best;
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
    const double phase = gridPhase(notes, sixteenth);
    const long first = std::lround((notes.front().start - phase) / sixteenth);
    auto gridTick = [&](double seconds) { return (std::lround((seconds - phase) / sixteenth) - first) * kSixteenth; };
    int64_t end = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        const int64_t on = std::max(end, gridTick(notes[i].start));
        int64_t off = std::max(on + kSixteenth, gridTick(notes[i].end));
        // A silence shorter than most of a sixteenth is the breath between notes, or their release
        // heard short, not a rest.
        if (i + 1 < notes.size()) {
            const int64_t next = gridTick(notes[i + 1].start);
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

std::optional<std::vector<HeardNote>> hearFile(const std::filesystem::path& path, double reference, std::string& error,
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
    return hearNotes(frames, static_cast<double>(tracker.hop()) / kAnalysisRate, {reference});
}

midi::ImportReport transcribeFile(const std::filesystem::path& path, const TranscriptionSettings& settings,
                                  model::Score& score, const std::string& title, const midi::ImportProgress& progress) {
    midi::ImportReport report;
    std::string error;
    // Hearing is nearly all the work: the score building that follows is told as its last step.
    const auto hearing = [&](double done) { return !progress || progress(0.95 * done); };
    const std::optional<std::vector<HeardNote>> notes = hearFile(path, settings.reference, error, hearing);
    if (!notes) {
        if (error.empty()) {
            report.cancelled = true;
        } else {
            report.refusal = error;
        }
        return report;
    }
    const double tempo = settings.tempo > 0 ? settings.tempo : findTempo(*notes);
    report = midi::importSmf(notesToSmf(*notes, tempo, settings), score, title,
                             [&](double done) { return !progress || progress(0.95 + 0.05 * done); });
    if (report.cancelled || report.refusal) return report;
    if (notes->empty()) report.noteOnce("音が聞き取れませんでした");
    if (settings.tempo <= 0) report.noteOnce("テンポは演奏から推定しました（" + std::to_string(static_cast<int>(std::lround(tempo))) + "）");
    return report;
}

}  // namespace shinofu::audio
