// How well recordings become scores. Random melodies in the shinobue's range (every note value,
// triplets, rests, notes tied over bar lines, slurred and tongued repeats, tempos 60..160) are rendered
// through the program's own WAV path in four flute-like voices, then degraded: noise at 20 dB SNR,
// the room's reverb (sox), ±30-cent vibrato (pitch bends through the same synthesizer). The truth
// is what the program's MIDI file of the melody plays. Each rendering is heard back, and
// bench/score_transcription.py scores the notes with mir_eval; the measures of the clean renderings,
// transcribed at the true tempo, are compared with the melody's own.
//   transcription_bench [MELODIES_PER_VOICE] [SEED] [FOLDER]
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sndfile.h>
#include <sstream>

#include "audio/transcription.h"
#include "midi/perf_builder.h"
#include "midi/smf_import.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "model/score.h"
#include "model/score_file.h"
#include "output/wav_file.h"
#include "platform/fluid_renderer.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

constexpr int kDivision = 480;
constexpr int kSixteenth = kDivision / 4;
constexpr int kBreath = kDivision / 6;

struct TrueNote {
    double start = 0, end = 0;
    int key = 0;
    bool slurredRepeat = false;  // the same key as the note before, with no rest between
};

struct Melody {
    midi::SmfFile played{kDivision, {}};   // with the breaths between notes
    midi::SmfFile written{kDivision, {}};  // every note its full value: the score a listener writes
    int tempo = 100;
    int meterTop = 4;
};

midi::SmfEvent meta(int64_t tick, uint8_t type, std::string data) { return {tick, 0xFF, type, 0, std::move(data)}; }

// A melody on the sixteenth grid, with a beat of triplets now and then, starting on a downbeat,
// in a major key within A4..A6.
Melody randomMelody(std::mt19937& random, int program, int count) {
    Melody melody;
    melody.tempo = std::uniform_int_distribution(60, 160)(random);
    melody.meterTop = std::uniform_int_distribution(0, 2)(random) == 0 ? 3 : 4;
    const int tonic = std::uniform_int_distribution(0, 11)(random);
    std::vector<int> scale;
    for (int key = 69; key <= 93; ++key) {
        const int degree = ((key - tonic) % 12 + 12) % 12;
        if (degree == 0 || degree == 2 || degree == 4 || degree == 5 || degree == 7 || degree == 9 || degree == 11) scale.push_back(key);
    }
    struct Note {
        int64_t tick, length;
        int key;
        int64_t gap;  // silence before the next note's onset
    };
    std::vector<Note> notes;
    // Sixteenths, eighths, dotted eighths, quarters, dotted quarters, halves, wholes.
    const int values[] = {1, 2, 3, 4, 6, 8, 16};
    std::discrete_distribution<int> valueOf({melody.tempo <= 120 ? 2.0 : 0.5, 5, 1, 5, 1.5, 2, 0.5});
    auto coin = [&](int in) { return std::uniform_int_distribution(0, in - 1)(random) == 0; };
    size_t degree = scale.size() / 2;
    int64_t tick = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && coin(10)) tick += coin(2) ? 2 * kSixteenth : 4 * kSixteenth;  // a rest
        const bool repeat = !notes.empty() && notes.back().tick + notes.back().length == tick && coin(6);
        if (!repeat) {
            const int step = std::uniform_int_distribution(-3, 3)(random);
            degree = size_t(std::clamp<int>(int(degree) + (step == 0 ? 1 : step), 0, int(scale.size()) - 1));
        }
        // Now and then a beat of eighth-note triplets.
        const bool triplet = tick % kDivision == 0 && !repeat && coin(12);
        const int64_t length = triplet ? kDivision / 3 : int64_t{values[valueOf(random)]} * kSixteenth;
        if (triplet) {
            for (int t = 0; t < 2; ++t, tick += length) {
                notes.push_back({tick, length, scale[degree], 0});
                degree = size_t(std::clamp<int>(int(degree) + (coin(2) ? 1 : -1), 0, int(scale.size()) - 1));
            }
        }
        // A repeat is slurred (no gap, the breath pushed) or tongued; other notes join or breathe.
        // A breath is two units of the score (a twenty-fourth), the shortest it writes.
        // A note keeps most of its length.
        const auto breath = [&](int64_t of) { return of >= 3 * kBreath && coin(2) ? kBreath : 0; };
        if (repeat) notes.back().gap = breath(notes.back().length);
        notes.push_back({tick, length, repeat ? notes.back().key : scale[degree], breath(length)});
        tick += length;
    }
    for (midi::SmfFile* file : {&melody.played, &melody.written}) {
        const int microseconds = 60000000 / melody.tempo;
        file->events.push_back(meta(0, 0x51, {char(microseconds >> 16), char(microseconds >> 8), char(microseconds)}));
        file->events.push_back(meta(0, 0x58, {char(melody.meterTop), 2, 24, 8}));
        // The key signature of the major key on the tonic, as a player would write it (F#, not Gb).
        static const int kSignatureOfTonic[12] = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
        file->events.push_back(meta(0, 0x59, {char(kSignatureOfTonic[tonic]), 0}));
        file->events.push_back({0, 0xC0, uint8_t(program), 0, {}});
        for (const Note& note : notes) {
            const int64_t gap = file == &melody.played ? note.gap : 0;
            file->events.push_back({note.tick, 0x90, uint8_t(note.key), 90, {}});
            file->events.push_back({note.tick + note.length - gap, 0x80, uint8_t(note.key), 0, {}});
        }
        file->events.push_back(meta(tick, 0x2F, {}));
        std::stable_sort(file->events.begin(), file->events.end(), [](const auto& a, const auto& b) {
            return a.tick < b.tick || (a.tick == b.tick && (a.status & 0xF0) == 0x80 && (b.status & 0xF0) != 0x80);
        });
    }
    return melody;
}

// The notes the program's MIDI file of the score plays, in seconds from its first note.
std::vector<TrueNote> notesPlayed(model::Score& score) {
    const auto list = midi::buildPerfList(score);
    midi::SmfOptions options;
    options.tempo = score.song.tempo;
    const midi::SmfRead read = midi::readSmf(midi::smfBytes(score, *list, options));
    std::vector<TrueNote> notes;
    double secondsPerTick = 0.5 / read.file->division;
    double first = -1;
    std::map<int, size_t> sounding;
    for (const midi::SmfEvent& event : read.file->events) {
        if (event.status == 0xFF && event.data1 == 0x51 && event.meta.size() == 3) {
            const int micro = (uint8_t(event.meta[0]) << 16) | (uint8_t(event.meta[1]) << 8) | uint8_t(event.meta[2]);
            secondsPerTick = micro / 1e6 / read.file->division;  // one tempo throughout
        }
        const int kind = event.status & 0xF0;
        const double at = double(event.tick) * secondsPerTick;
        const bool on = kind == 0x90 && event.data2 > 0;
        if ((kind == 0x80 || kind == 0x90) && sounding.count(event.data1)) {
            notes[sounding[event.data1]].end = at;
            sounding.erase(event.data1);
        }
        if (on) {
            if (first < 0) first = at;
            TrueNote note{at, at, event.data1, false};
            // The MIDI file ends a note struck again a little early, so that it is heard anew.
            if (!notes.empty() && notes.back().key == note.key && at - notes.back().end < 0.06) note.slurredRepeat = true;
            sounding[event.data1] = notes.size();
            notes.push_back(note);
        }
    }
    for (TrueNote& note : notes) {
        note.start -= first;
        note.end -= first;
    }
    return notes;
}

void writeMono(const fs::path& path, const std::vector<float>& samples, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

// White noise 20 dB under the playing's own level (RMS over the sounding part).
void addNoise(const fs::path& in, const fs::path& out, std::mt19937& random) {
    constexpr int rate = platform::FluidRenderer::kSampleRate;  // the rendering's own: read as it is
    platform::IoError error;
    std::vector<float> samples = audio::readSound(in, rate, error)->samples;
    double energy = 0;
    size_t loud = 0;
    for (float s : samples) {
        if (std::abs(s) > 1e-3f) {
            energy += double(s) * s;
            ++loud;
        }
    }
    const double level = std::sqrt(energy / double(std::max<size_t>(loud, 1))) / 10.0;
    std::normal_distribution<float> noise(0, float(level));
    for (float& s : samples) s += noise(random);
    writeMono(out, samples, rate);
}

// The melody through the synthesizer with a 5.5 Hz, ±30-cent vibrato of pitch bends (±2 semitones full scale).
void renderWithVibrato(const std::vector<TrueNote>& notes, int program, const fs::path& out) {
    platform::FluidRenderer synth;
    synth.shortMessage(0xC0, uint8_t(program), 0);
    std::vector<int16_t> samples;
    constexpr int kRate = platform::FluidRenderer::kSampleRate;
    constexpr int kStep = kRate / 200;  // a bend every 5 ms
    const double last = notes.empty() ? 0 : notes.back().end + 1.0;
    struct Change {
        double at;
        bool on;
        int key;
    };
    std::vector<Change> changes;
    for (const TrueNote& note : notes) {
        changes.push_back({note.start, true, note.key});
        changes.push_back({note.end, false, note.key});
    }
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
        return a.at < b.at || (a.at == b.at && !a.on && b.on);
    });
    size_t next = 0;
    for (int64_t frame = 0; frame < int64_t(last * kRate); frame += kStep) {
        const double now = double(frame) / kRate;
        while (next < changes.size() && changes[next].at <= now) {
            synth.shortMessage(changes[next].on ? 0x90 : 0x80, uint8_t(changes[next].key), changes[next].on ? 90 : 0);
            ++next;
        }
        const int bend = 8192 + int(std::lround(8192.0 * 30.0 / 200.0 * std::sin(2 * M_PI * 5.5 * now)));
        synth.shortMessage(0xE0, uint8_t(bend & 0x7F), uint8_t(bend >> 7));
        synth.render(kStep, samples);
    }
    std::vector<float> mono(samples.size() / 2);
    for (size_t i = 0; i < mono.size(); ++i) mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 65536.0f;
    writeMono(out, mono, kRate);
}

void writeNotes(const fs::path& path, const std::vector<TrueNote>& notes) {
    std::ofstream out(path);
    for (const TrueNote& note : notes) {
        out << note.start << ' ' << note.end << ' ' << audio::keyHertz(note.key) << ' ' << note.slurredRepeat << '\n';
    }
}

void writeHeard(const fs::path& path, const std::vector<audio::HeardNote>& notes) {
    std::ofstream out(path);
    for (const audio::HeardNote& note : notes) out << note.start << ' ' << note.end << ' ' << audio::keyHertz(note.key) << " 0\n";
}

// The baseline: the same pitch track cut only where the key changes or the sound stops.
std::vector<audio::HeardNote> plainNotes(const fs::path& wav) {
    audio::PitchTracker tracker(audio::kAnalysisRate, audio::kAnalysisWindow, audio::kAnalysisHop);
    platform::IoError error;
    const auto sound = audio::readSound(wav, audio::kAnalysisRate, error);
    const int rate = audio::kAnalysisRate;
    const auto frames = tracker.feed(sound->samples);
    const double hop = double(tracker.hop()) / rate;
    std::vector<audio::HeardNote> notes;
    int key = -1;
    for (const audio::PitchFrame& frame : frames) {
        const int now = frame.hertz > 0 ? audio::nearestKey(frame.hertz) : -1;
        if (now != key && now >= 0) notes.push_back({frame.seconds, frame.seconds + hop, now, 0});
        if (now == key && now >= 0) notes.back().end = frame.seconds + hop;
        key = now;
    }
    std::erase_if(notes, [](const audio::HeardNote& note) { return note.end - note.start < 0.045; });
    return notes;
}

// Each measure's notes and rests as "offset pitch length" words.
std::map<int, std::string> measuresOf(model::Score& score) {
    score.recomputePositions();
    std::map<int, std::string> measures;
    const int length = score.measureLen();
    model::forEachNote(static_cast<const model::TNote*>(score.part(1).partHead), [&](const model::TNote& note) {
        std::string& words = measures[note.startPos / length];
        words += std::to_string(note.startPos % length) + ' ' + std::string(model::pitchName(note.pitch)) + ' ' + std::to_string(note.len) + ';';
    });
    return measures;
}

}  // namespace

int main(int argc, char** argv) {
    const int perVoice = argc > 1 ? std::atoi(argv[1]) : 3;
    std::mt19937 random(argc > 2 ? unsigned(std::atoi(argv[2])) : 2026u);
    const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / ("shinofu_transcription_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::pair<int, const char*> voices[] = {{73, "flute"}, {72, "piccolo"}, {74, "recorder"}, {75, "panflute"}};
    double audioSeconds = 0, hearingSeconds = 0;
    int measuresExact = 0, measuresAll = 0;
    int temposRight = 0, temposOctave = 0, temposOther = 0;
    int index = 0;
    for (const auto& [program, voice] : voices) {
        for (int n = 0; n < perVoice; ++n, ++index) {
            const Melody melody = randomMelody(random, program, 100);
            model::Score truth, written;
            midi::importSmf(melody.played, truth, "truth");
            midi::importSmf(melody.written, written, "written");
            const std::string name = std::to_string(index) + "_" + voice;
            const fs::path clean = folder / ("clean_" + name + ".wav");
            platform::IoError error;
            if (output::writeWavFile(truth, clean, error) != output::WavWrite::Written) {
                std::cerr << error.message << "\n";
                return 1;
            }
            const std::vector<TrueNote> played = notesPlayed(truth);
            if (argc > 3) model::saveScoreFile(folder / (name + ".gd4"), truth);  // kept to look at
            std::vector<std::pair<std::string, fs::path>> renderings = {{"clean", clean}};
            if (program == 73) {  // the degraded copies of the flute
                const fs::path noisy = folder / ("noise_" + name + ".wav");
                // Noise of its own: the melodies after it must not hang on how long this rendering is.
                std::mt19937 hiss(static_cast<unsigned>(random()));
                addNoise(clean, noisy, hiss);
                const fs::path reverb = folder / ("reverb_" + name + ".wav");
                const std::string sox = "sox -q '" + clean.string() + "' '" + reverb.string() + "' reverb 50 50 80 100 20 2>&1";
                if (std::system(sox.c_str()) != 0) std::cerr << "sox failed: " << sox << "\n";
                const fs::path vibrato = folder / ("vibrato_" + name + ".wav");
                renderWithVibrato(played, program, vibrato);
                renderings.insert(renderings.end(), {{"noise", noisy}, {"reverb", reverb}, {"vibrato", vibrato}});
            }
            std::string failure;
            for (const auto& [condition, wav] : renderings) {
                const auto started = std::chrono::steady_clock::now();
                const auto heard = audio::hearFile(wav, 440.0, failure);
                hearingSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
                if (!heard) {
                    std::cerr << failure << "\n";
                    return 1;
                }
                audioSeconds += played.empty() ? 0 : played.back().end + 1.0;
                // Heard notes are timed from the file's start, which is the first note's.
                writeNotes(folder / (condition + "_" + name + ".ref.txt"), played);
                writeHeard(folder / (condition + "_" + name + ".est.txt"), heard->notes);
                writeHeard(folder / ("plain-" + condition + "_" + name + ".est.txt"), plainNotes(wav));
                fs::copy_file(folder / (condition + "_" + name + ".ref.txt"), folder / ("plain-" + condition + "_" + name + ".ref.txt"),
                              fs::copy_options::overwrite_existing);
            }
            // The tempo found from the clean rendering: the true one, twice or half it, or another.
            if (const auto heard = audio::hearFile(clean, 440.0, failure)) {
                const double ratio = audio::findTempo(heard->notes) / melody.tempo;
                const double nearest = std::exp2(std::round(std::log2(ratio)));
                ++(std::abs(ratio / nearest - 1) > 0.04 ? temposOther : nearest == 1 ? temposRight : temposOctave);
                if (std::abs(ratio - 1) > 0.04) std::fprintf(stderr, "%s: tempo %d found as %.1f\n", name.c_str(), melody.tempo, ratio * melody.tempo);
            }
            // The clean rendering at the true tempo and meter, measure by measure.
            audio::TranscriptionSettings settings;
            settings.tempo = melody.tempo;
            settings.meterTop = melody.meterTop;
            model::Score heardScore;
            audio::transcribeFile(clean, settings, heardScore, "heard");
            const auto want = measuresOf(written);
            const auto got = measuresOf(heardScore);
            for (const auto& [measure, words] : want) {
                ++measuresAll;
                const auto found = got.find(measure);
                if (found != got.end() && found->second == words) ++measuresExact;
            }
        }
    }
    std::printf("recordings: %d, %.0f s of sound heard in %.2f s: %.0fx real time\n", index, audioSeconds, hearingSeconds,
                audioSeconds / hearingSeconds);
    std::printf("clean renderings at the true tempo: %d of %d measures exact (%.1f %%)\n", measuresExact, measuresAll,
                100.0 * measuresExact / std::max(measuresAll, 1));
    std::printf("tempo found from the clean renderings: %d right, %d twice or half, %d other\n", temposRight, temposOctave, temposOther);
    std::fflush(stdout);
    const std::string score = "/usr/bin/python3 '" SHINOFU_SOURCE_DIR "/bench/score_transcription.py' '" + folder.string() + "'";
    const int scored = std::system(score.c_str());
    if (argc <= 3) fs::remove_all(folder);
    return scored == 0 ? 0 : 1;
}
