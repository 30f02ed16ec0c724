#include "output/wav_file.h"

#include <gtest/gtest.h>

#include <cstring>
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

}  // namespace

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
