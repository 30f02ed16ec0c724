// Following a player through a part of the score: the notes heard so far aligned with the notes
// expected (wrong, extra and missing notes cost the same, the tempo nothing), which gives where the
// player is now and, at the end, what became of every note.
#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

#include "audio/heard_notes.h"
#include "model/score.h"

namespace shinofu::audio {

struct ExpectedNote {
    int32_t startPos = 0;  // of the note's record in its part
    int32_t tick = 0;      // when it is played, repeats and jumps unrolled, in length units
    int key = 0;           // MIDI key
};

// The part's sounding notes (a tie's continuations are the note they continue) as a performance
// plays them, from the first at or after the tick. The score's derived state must be current.
std::vector<ExpectedNote> expectedNotes(model::Score& score, int part, int32_t fromTick);

enum class Verdict { Good, PitchOff, Early, Late, Missed, NotReached };

struct NoteVerdict {
    Verdict verdict = Verdict::NotReached;
    double cents = 0;   // how far the note heard was from the note expected (a wrong note by its semitones)
    double offset = 0;  // seconds early (−) or late (+) against the player's own tempo there
};

struct FollowReport {
    std::vector<NoteVerdict> notes;  // one for each expected note
    int extraNotes = 0;              // heard but not in the score
    int reached = 0;                 // expected notes up to where the player got
    int inTune = 0;                  // of those, played at the right pitch
    double meanCents = 0;            // their mean deviation
};

// Within this either side of the key a note is in tune; a flute is no tempered instrument.
constexpr double kInTuneCents = 30;

class ScoreFollower {
public:
    // secondsPerUnit: the score's tempo, what the player is expected to keep until heard.
    ScoreFollower(std::vector<ExpectedNote> expected, double hopSeconds, double secondsPerUnit, double reference = 440.0);

    // Takes the next frames of the pitch track.
    void take(std::span<const PitchFrame> frames);
    // The expected note the player is on: the one the latest note heard was taken for; -1 before any.
    int position() const { return position_; }
    const std::vector<ExpectedNote>& expected() const { return expected_; }
    // The player's pace in seconds per length unit, from their latest notes (the score's before them).
    double pace() const { return pace_; }
    // Seconds since the player began the note they are on, by the sound taken so far.
    double onNoteFor() const { return onNoteFor_; }
    // What became of each note, from everything heard.
    FollowReport report();

private:
    struct Step;
    std::vector<Step> align();
    double secondsPerUnit(const std::vector<Step>& steps) const;
    void hear();

    std::vector<ExpectedNote> expected_;
    double hopSeconds_;
    double scoreSecondsPerUnit_;
    HearingSettings hearing_;
    std::vector<PitchFrame> frames_;
    size_t heardFrames_ = 0;  // frames_ when the notes were last heard
    std::vector<HeardNote> heard_;
    size_t settled_ = 0;      // heard notes that ended long enough ago to be heard no differently
    size_t recentFrom_ = 0;   // the first frame after them
    std::vector<float> cost_;  // the alignment's table, a row for each heard note
    std::vector<char> move_;   // 'm' match or wrong note, 'x' extra, 'o' missed, '2'..'4': a held repeat
    std::vector<float> missingCost_;  // the best way to each cell that ends in missed notes
    std::vector<char> runOn_;         // whether that way's last miss continues a run
    int position_ = -1;
    double pace_;
    double onNoteFor_ = 0;
};

// "92 % の音が正しい高さ、平均 −8 セント" and what else went wrong.
std::string reportSummary(const FollowReport& report);

}  // namespace shinofu::audio
