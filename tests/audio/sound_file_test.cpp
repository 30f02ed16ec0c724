// Sound files read as one channel at the analysis rate, and files that are not sound refused.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "audio/pitch_tracker.h"
#include "audio/sound_file.h"

namespace {

namespace fs = std::filesystem;
using shinofu::audio::readSound;

class SoundFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("shinofu_sound_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A tone in every channel, at the file's rate and format.
    fs::path write(const std::string& name, int format, int rate, int channels, double hertz, double seconds) {
        const fs::path path = folder_ / name;
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        const auto frames = static_cast<size_t>(seconds * rate);
        std::vector<float> samples(frames * static_cast<size_t>(channels));
        for (size_t i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) {
                samples[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                    static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / rate));
            }
        }
        sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
        sf_close(file);
        return path;
    }

    fs::path folder_;
};

TEST_F(SoundFile, AnyRateChannelsAndFormatArriveAsOneChannelAtTheRateAsked) {
    const struct {
        const char* name;
        int format;
        int rate;
        int channels;
    } files[] = {{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2},
                 {"b.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 96000, 1},
                 {"c.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 2},
                 {"d.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1},
                 {"e.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 384000, 1}};
    for (const auto& file : files) {
        const fs::path path = write(file.name, file.format, file.rate, file.channels, 660, 0.5);
        shinofu::platform::IoError error;
        const auto sound = readSound(path, 44100, error);
        ASSERT_TRUE(sound) << file.name << ": " << error.message;
        EXPECT_EQ(sound->rate, 44100);
        EXPECT_NEAR(static_cast<double>(sound->samples.size()), 0.5 * 44100, 64) << file.name;
        // The tone is still the tone.
        shinofu::audio::PitchTracker tracker(44100);
        const auto frames = tracker.feed(sound->samples);
        const auto& middle = frames[frames.size() / 2];
        ASSERT_GT(middle.hertz, 0) << file.name;
        EXPECT_NEAR(1200 * std::log2(middle.hertz / 660), 0, 5) << file.name;
    }
}

TEST_F(SoundFile, WhatIsNotSoundOrTooLongIsRefusedWithAMessage) {
    shinofu::platform::IoError error;
    std::ofstream(folder_ / "text.wav") << "this is not a sound file";
    EXPECT_FALSE(readSound(folder_ / "text.wav", 44100, error));
    EXPECT_NE(error.message.find("text.wav"), std::string::npos);
    EXPECT_FALSE(readSound(folder_ / "missing.flac", 44100, error));
    // A cut-off file gives what it holds.
    const fs::path whole = write("whole.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 440, 1.0);
    const auto size = fs::file_size(whole);
    fs::resize_file(whole, size / 2);
    const auto cut = readSound(whole, 44100, error);
    ASSERT_TRUE(cut) << error.message;
    EXPECT_LT(cut->samples.size(), 44100u);
    // Longer than allowed: refused before it is read.
    const fs::path longer = write("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 440, 3.0);
    EXPECT_FALSE(readSound(longer, 44100, error, 2.0));
    EXPECT_NE(error.message.find("長すぎます"), std::string::npos);
}

}  // namespace
