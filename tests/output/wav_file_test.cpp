#include "output/wav_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "model/score_symbol.h"
#include "platform/file_io.h"
#include "support/read_notes.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

// Seconds of sound in a WAV file the program wrote (16-bit stereo at 44.1 kHz).
double secondsOf(const fs::path& file) {
    platform::IoError error;
    const std::string wav = platform::readFileBytes(file, error).value_or("");
    if (wav.size() < 44) return 0;
    uint32_t dataBytes = 0;
    std::memcpy(&dataBytes, wav.data() + 40, 4);
    return dataBytes / (44100.0 * 4);
}

// The loudness of each 50 ms that begins at the moments (16-bit stereo at 44.1 kHz past a 44-byte header).
std::vector<double> loudnessAt(const fs::path& file, const std::vector<double>& seconds) {
    platform::IoError error;
    const std::string wav = platform::readFileBytes(file, error).value_or("");
    std::vector<double> found;
    for (const double at : seconds) {
        double sum = 0;
        const size_t first = 44 + static_cast<size_t>(at * 44100) * 4, count = 44100 / 20 * 2;
        for (size_t i = 0; i < count && first + 2 * i + 1 < wav.size(); ++i) {
            int16_t sample;
            std::memcpy(&sample, wav.data() + first + 2 * i, 2);
            sum += static_cast<double>(sample) * sample;
        }
        found.push_back(std::sqrt(sum / count));
    }
    return found;
}

}  // namespace

TEST(WavFile, TheCountInAndTheClickSoundInTheRenderOnTheBeats) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_wav_click_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    model::Score score;
    // A measure of rest at 60 and a last quarter: only the clicks sound in the first four seconds.
    shinofu::testing::readNotes(score, {}, {"rest n n 384 u", "c1 n n 96 u"});
    platform::IoError error;
    const midi::PracticeSettings plain, clicked{.click = true}, counted{.countIn = true, .click = true};
    for (const auto& [name, practice] : {std::pair("plain", plain), std::pair("clicked", clicked), std::pair("counted", counted)}) {
        if (output::writeWavFile(score, folder / (std::string(name) + ".wav"), error, {}, practice) != output::WavWrite::Written) {
            GTEST_SKIP() << error.message;
        }
    }
    // The count-in is a measure more of sound; the click alone adds none.
    EXPECT_NEAR(secondsOf(folder / "counted.wav") - secondsOf(folder / "plain.wav"), 4.0, 0.01);
    EXPECT_NEAR(secondsOf(folder / "clicked.wav"), secondsOf(folder / "plain.wav"), 0.01);
    // Loud on each beat, quiet between them; the plain render silent through the rest.
    const std::vector<double> beats = {0, 1, 2, 3}, between = {0.5, 1.5, 2.5, 3.5};
    const std::vector<double> onBeat = loudnessAt(folder / "clicked.wav", beats), offBeat = loudnessAt(folder / "clicked.wav", between);
    for (size_t i = 0; i < beats.size(); ++i) {
        EXPECT_GT(onBeat[i], 10 * std::max(1.0, offBeat[i])) << "beat " << i;
        EXPECT_LT(loudnessAt(folder / "plain.wav", {beats[i]})[0], 1.0) << "beat " << i;
    }
    // The accent on the measure's first beat is the louder, and the count-in measure has its clicks too.
    EXPECT_GT(onBeat[0], onBeat[1]);
    for (const double at : loudnessAt(folder / "counted.wav", {0, 1, 2, 3, 4, 5, 6, 7})) EXPECT_GT(at, 100);
    fs::remove_all(folder);
}

TEST(WavFile, ARepeatSectionSoundsTwiceAsPlaybackPlaysIt) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_wav_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    double seconds[2] = {};
    for (const bool repeated : {false, true}) {
        model::Score score;
        // Two measures of quarters at 60: eight seconds.
        shinofu::testing::readNotes(score, {}, {"c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u,g1 n n 96 u,a1 n n 96 u,b1 n n 96 u,c2 n n 96 u"});
        if (repeated) {
            model::TScoreSym repeatEnd;
            repeatEnd.kind = model::kRepeatRight;
            repeatEnd.anchorPos = 0;  // closes the first measure
            score.part(1).symbols.push_back(repeatEnd);
        }
        platform::IoError error;
        const fs::path file = folder / (repeated ? "repeated.wav" : "plain.wav");
        if (output::writeWavFile(score, file, error) != output::WavWrite::Written) GTEST_SKIP() << error.message;  // no SoundFont here
        seconds[repeated] = secondsOf(file);
    }
    fs::remove_all(folder);
    EXPECT_NEAR(seconds[1] - seconds[0], 4.0, 0.05);  // the first measure once more
}
