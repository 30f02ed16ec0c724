// The music font "ShinofuMusic": each one-byte character code drawn as an engraved symbol composed
// from LilyPond's Emmentaler outlines (and a serif italic for the text-like signs), placed in its
// text cell where the staff layout expects it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/canvas.h"

namespace shinofu::platform {

class MusicGlyphs {
public:
    // Loads the outlines; when the font files are missing, every code draws nothing and problem() says why.
    MusicGlyphs();
    ~MusicGlyphs();
    MusicGlyphs(const MusicGlyphs&) = delete;
    MusicGlyphs& operator=(const MusicGlyphs&) = delete;

    // The outline of one character whose cell of the given height has its top-left at (x, y).
    Path outline(uint8_t code, double cellHeight, double x, double y) const;
    // Horizontal advance of the character, in pixels.
    double advance(uint8_t code, double cellHeight) const;
    // A whole string, character after character.
    Path textOutline(const std::string& text, double cellHeight, double x, double y) const;
    double textAdvance(const std::string& text, double cellHeight) const;

    bool available() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

    struct Fonts;

private:
    Path composedOutline(uint8_t code, double cellHeight) const;

    std::unique_ptr<Fonts> fonts_;
    // Outlines at the cell origin by code and height: a page draws the same few glyphs many times.
    mutable std::map<std::pair<uint8_t, double>, Path> cache_;
    mutable std::mutex cacheMutex_;
    std::string problem_;
};

}  // namespace shinofu::platform
