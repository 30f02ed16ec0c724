// The music font "ShinofuMusic": each one-byte character code drawn as an engraved symbol composed
// from LilyPond's Emmentaler outlines (and a serif italic for the text-like signs), placed in its
// text cell where the staff layout expects it.
#pragma once

#include <cstdint>
#include <memory>
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
    // The advance of a whole string of codes.
    double textAdvance(const std::string& text, double cellHeight) const;

    bool available() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

    struct Fonts;

private:
    std::unique_ptr<Fonts> fonts_;
    std::string problem_;
};

}  // namespace shinofu::platform
