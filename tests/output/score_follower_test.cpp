// Following a player: renders of a melody with deliberate faults, heard through the program's own
// WAV path, must keep the marker in the player's measure and report exactly the faulted notes.
#include "audio/score_follower.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "audio/sound_file.h"
#include "output/wav_file.h"
#include "support/read_notes.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

// A played note: its record in the score's line syntax, and the measure of the score it belongs to.
struct Played {
    std::string item;
    int measure;
};

// The melody, measure by measure (quarters of 96, eighths of 48 in the file's units).
const std::vector<std::vector<std::string>> kMelody = {
    {"a1 n n 96 u", "b1 n n 96 u", "c2 n n 96 u", "a1 n n 96 u"},
    {"d2 n n 48 u", "d2 n n 48 u", "c2 n n 96 u", "b1 n n 192 u"},
    {"e2 n n 96 u", "d2 n n 96 u", "c2 n n 96 u", "b1 n n 96 u"},
    {"a1 n n 192 u", "c2 n n 96 u", "e2 n n 96 u"},
    {"d2 n n 96 u", "d2 n n 96 u", "e2 n n 48 u", "d2 n n 48 u", "c2 n n 96 u"},
    {"b1 n n 96 u", "a1 n n 96 u", "b1 n n 192 u"},
    {"c2 n n 96 u", "e2 n n 96 u", "d2 n n 96 u", "b1 n n 96 u"},
    {"a1 n n 384 u"},
};

std::vector<Played> asWritten() {
    std::vector<Played> played;
    for (size_t m = 0; m < kMelody.size(); ++m) {
        for (const std::string& item : kMelody[m]) played.push_back({item, static_cast<int>(m) + 1});
    }
    return played;
}

void readPlayed(model::Score& score, const std::vector<Played>& played, int tempo) {
    // One line of the file holds everything: the measures follow from the lengths.
    std::string line;
    for (const Played& note : played) line += (line.empty() ? "" : ",") + note.item;
    shinofu::testing::readNotes(score, {"$Instrument:73"}, {line});
    score.setTempo(tempo);
    score.recomputePositions();
}

struct Followed {
    audio::FollowReport report;
    double agreement = 0;  // share of the playing time the marker stood in the player's measure
};

// The rendering of what was played, fed to a follower of the written melody in blocks of 10 ms.
Followed follow(const fs::path& folder, const std::string& name, const std::vector<Played>& played, int tempo) {
    model::Score written, performed;
    readPlayed(written, asWritten(), 90);
    readPlayed(performed, played, tempo);
    platform::IoError error;
    const fs::path wav = folder / (name + ".wav");
    EXPECT_EQ(output::writeWavFile(performed, wav, error), output::WavWrite::Written) << error.message;
    const std::optional<audio::Sound> sound = audio::readSound(wav, 44100, error);
    EXPECT_TRUE(sound) << error.message;
    if (!sound) return {};
    audio::PitchTracker tracker(sound->rate);
    const std::vector<audio::ExpectedNote> expected = audio::expectedNotes(written, 1, 0);
    audio::ScoreFollower follower(expected, static_cast<double>(tracker.hop()) / sound->rate, written.song.msPerUnit / 1000);
    // When each played note starts, for the measure the player is in.
    std::vector<std::pair<double, int>> starts;
    int32_t position = 0;
    const std::vector<const model::TNote*> notes = shinofu::testing::notesOf(performed, 1);
    for (size_t i = 0; i < played.size(); ++i) {
        starts.emplace_back(position * performed.song.msPerUnit / 1000, played[i].measure);
        position += notes[i]->len;
    }
    const double end = position * performed.song.msPerUnit / 1000;
    int agreeing = 0, judged = 0;
    const size_t block = static_cast<size_t>(sound->rate / 100);
    for (size_t at = 0; at < sound->samples.size(); at += block) {
        const auto frames = tracker.feed(std::span(sound->samples).subspan(at, std::min(block, sound->samples.size() - at)));
        follower.take(frames);
        const double now = static_cast<double>(at + block) / sound->rate;
        if (now < starts.front().first || now > end) continue;
        const auto current = std::prev(std::upper_bound(starts.begin(), starts.end(), std::pair(now, 99)));
        const int marker = follower.position() < 0 ? 0 : expected[static_cast<size_t>(follower.position())].startPos / written.measureLen() + 1;
        ++judged;
        agreeing += marker == current->second;
    }
    return {follower.report(), judged ? static_cast<double>(agreeing) / judged : 0};
}

// The expected notes (by their index) whose verdict is not "good".
std::set<size_t> faulted(const audio::FollowReport& report) {
    std::set<size_t> found;
    for (size_t i = 0; i < report.notes.size(); ++i) {
        if (report.notes[i].verdict != audio::Verdict::Good) found.insert(i);
    }
    return found;
}

TEST(ScoreFollower, FaultedRenderingsKeepTheMarkerAndReportExactlyTheFaults) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_follow_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    {
        platform::IoError error;
        model::Score probe;
        readPlayed(probe, asWritten(), 90);
        if (output::writeWavFile(probe, folder / "probe.wav", error) != output::WavWrite::Written) GTEST_SKIP() << error.message;
    }
    const size_t count = asWritten().size();

    // Faster and slower than written: nothing wrong.
    for (const int tempo : {108, 72}) {
        const Followed followed = follow(folder, "tempo" + std::to_string(tempo), asWritten(), tempo);
        EXPECT_GE(followed.agreement, 0.95) << tempo;
        EXPECT_EQ(faulted(followed.report), std::set<size_t>{}) << tempo;
        EXPECT_EQ(followed.report.reached, static_cast<int>(count));
        EXPECT_EQ(followed.report.extraNotes, 0);
        EXPECT_EQ(followed.report.inTune, static_cast<int>(count));
    }
    // Two wrong notes: measure 3's d2 played as f2, measure 6's b1 as g1.
    std::vector<Played> wrong = asWritten();
    wrong[9].item = "f2 n n 96 u";
    wrong[20].item = "g1 n n 96 u";
    Followed followed = follow(folder, "wrong", wrong, 90);
    EXPECT_GE(followed.agreement, 0.95);
    EXPECT_EQ(faulted(followed.report), (std::set<size_t>{9, 20}));
    EXPECT_NEAR(followed.report.notes[9].cents, 300, 30);
    EXPECT_NEAR(followed.report.notes[20].cents, -400, 30);
    EXPECT_EQ(audio::reportSummary(followed.report).substr(0, 8), "93 % の");

    // Measure 4 skipped.
    std::vector<Played> skipped = asWritten();
    skipped.erase(skipped.begin() + 12, skipped.begin() + 15);
    followed = follow(folder, "skipped", skipped, 90);
    EXPECT_GE(followed.agreement, 0.95);
    EXPECT_EQ(faulted(followed.report), (std::set<size_t>{12, 13, 14}));
    for (const size_t missed : {12, 13, 14}) EXPECT_EQ(followed.report.notes[missed].verdict, audio::Verdict::Missed);

    // An extra note: measure 6's half note played as two quarters, the second not in the score.
    std::vector<Played> extra = asWritten();
    extra[22].item = "b1 n n 96 u";
    extra.insert(extra.begin() + 23, {"g2 n n 96 u", 6});
    followed = follow(folder, "extra", extra, 90);
    EXPECT_GE(followed.agreement, 0.95);
    EXPECT_EQ(faulted(followed.report), std::set<size_t>{});
    EXPECT_EQ(followed.report.extraNotes, 1);
    fs::remove_all(folder);
}

}  // namespace
