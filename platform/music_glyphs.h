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

    // The inked part of a string of codes whose cell has its top-left at (0, 0); empty (all zero)
    // when it draws nothing.
    Canvas::Rect ink(const std::string& codes, double cellHeight) const;
    // The music font's codes of a text: the bytes of its Shift-JIS form.
    static std::string codesOf(const std::string& utf8);
    // One set of outlines for the program's measuring, loaded on first use.
    static const MusicGlyphs& shared();

    bool available() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

    struct Fonts;

private:
    std::unique_ptr<Fonts> fonts_;
    std::string problem_;
};

}  // namespace shinofu::platform
