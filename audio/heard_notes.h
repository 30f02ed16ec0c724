// Notes heard in a pitch track: frames of one key make a note; a change of key, a silence or a
// fresh attack (the level dipping and rising again) starts another. Vibrato and glides within
// half a semitone of the note stay in it; blips shorter than a note can be are not notes.
#pragma once

#include <vector>

#include "audio/pitch_tracker.h"

namespace shinofu::audio {

struct HeardNote {
    double start = 0;  // seconds
    double end = 0;
    int key = 0;       // MIDI key, A4 = 69 at the reference pitch
    double cents = 0;  // the note's median deviation from its key
};

struct HearingSettings {
    double reference = 440.0;     // Hz of A4
    double shortestNote = 0.045;  // seconds: a thirty-second at 160 bpm is 0.047
    double attackDip = 0.4;       // a level under this share of the note's peak, rising again, is a new attack
    double dipTime = 0.15;        // seconds: how soon after the dip the rise must come
    size_t notchHops = 3;         // hops either side of a notch in the level (a re-attack under a held sound)
    double swell = 1.65;          // a level this many times the last moments' lowest, at an attack, is a new one
    double swellTime = 0.1;       // seconds: those moments, before and after
    double sunkSwell = 3;         // without an onset, a level this many times theirs after sinking under attackDip, holding its key
    double tremoloPeriod = 0.25;  // seconds: onsets closer than this in one key are a tremolo's swells
    double tail = 0.2;            // the end of a note quieter than this share of its peak is its release
    double stopped = 0.5;         // a note stopped where its level fell under this share of its sustain
    double decayTime = 0.2;       // seconds: the sustain is the loudest of these before the tail
    double echo = 0.1;            // a note never this share as loud as the note before is its echo
    double echoTime = 0.5;        // seconds: if it comes this soon after that note died away
    double release = 0.5;         // a same-key re-attack never this share as loud as the note before is its release
    double longestAttack = 0.06;  // seconds of swelling sound before a note's pitch settles
    double restart = 0.65;        // radians: the tone's phase jumping this far, its key held, is a new attack,
    double overWavering = 1.5;    // and this many times as far as it moves in all frames but
    double wavering = 0.98;       // this share of them,
    double restartAfter = 0.1;    // seconds: once the note's own attack has settled
};

std::vector<HeardNote> hearNotes(const std::vector<PitchFrame>& frames, double hopSeconds, const HearingSettings& settings = {});

}  // namespace shinofu::audio
