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
    const double first = notes.front().start;
    auto gridTick = [&](double seconds) { return static_cast<int64_t>(std::lround((seconds - first) / sixteenth)) * kSixteenth; };
    int64_t end = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        const int64_t on = std::max(end, gridTick(notes[i].start));
        int64_t off = std::max(on + kSixteenth, gridTick(notes[i].end));
        // A gap shorter than a sixteenth is the breath between slurred or tongued notes, not a rest.
        if (i + 1 < notes.size()) {
            const int64_t next = gridTick(notes[i + 1].start);
            if (next > on && next - off < kSixteenth) off = next;
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

midi::ImportReport transcribe(const Sound& sound, const TranscriptionSettings& settings, model::Score& score,
                              const std::string& title) {
    PitchTracker tracker(sound.rate);
    const std::vector<HeardNote> notes =
        hearNotes(tracker.feed(sound.samples), static_cast<double>(tracker.hop()) / sound.rate, {settings.reference});
    const double tempo = settings.tempo > 0 ? settings.tempo : findTempo(notes);
    midi::ImportReport report = midi::importSmf(notesToSmf(notes, tempo, settings), score, title);
    if (notes.empty()) report.noteOnce("音が聞き取れませんでした");
    if (settings.tempo <= 0) report.noteOnce("テンポは演奏から推定しました（" + std::to_string(static_cast<int>(std::lround(tempo))) + "）");
    return report;
}

}  // namespace shinofu::audio
