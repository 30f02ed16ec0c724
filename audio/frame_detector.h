// What the pitch tracker asks of each hop of sound: its pitch, how sure that is, and whether a note's
// attack begins there. The detector lives in a module loaded on first use, so the program starts,
// and converts scores under tight memory limits, without the analysis library and the codecs it links.
#pragma once

#include <memory>
#include <string>

namespace shinofu::audio {

class FrameDetector {
public:
    static constexpr int kInterface = 4;  // raised with every change of this class
    struct Hop {
        double hertz = 0;  // 0: no pitch
        double confidence = 0;
        bool onset = false;
        double attackSeconds = -1;  // with an onset: when its attack began, from the stream's start
        // The same from spectra taken as they are: deaf to the faintest attacks in a quiet room, but
        // not drowned, as the onsets above are, by broadband noise.
        bool plainOnset = false;
        double plainAttackSeconds = -1;
    };
    virtual ~FrameDetector() = default;
    // hops hops of samples, one after another; a hop's findings into each of out[0..hops).
    virtual void detect(const float* samples, int hops, Hop* out) = 0;
};

// Nothing, with a Japanese message in error, when the module cannot be loaded.
std::unique_ptr<FrameDetector> newFrameDetector(int rate, int window, int hop, std::string& error);

}  // namespace shinofu::audio

// The module's one entry point. A module built against another version of this interface (a stale
// build, a partial upgrade) answers nothing rather than a detector of another layout.
extern "C" shinofu::audio::FrameDetector* shinofu_new_frame_detector(int interface, int rate, int window, int hop);
