// Character codes of the music font "ShinofuMusic" and the text that carries them.
#pragma once

#include <cstdint>
#include <string>

namespace shinofu::render {

constexpr const char* kMusicFace = "ShinofuMusic";

constexpr int kLargeGlyphBase = 160;
constexpr int kSmallGlyphBase = 0;

// Offsets from the glyph base of the note glyphs.
enum NoteGlyph : int {
    kWholeNote = 33,
    kBeamedHead = 34,
    kHalfUp = 35,
    kHalfDown = 36,
    kQuarterUp = 37,
    kQuarterDown = 38,
    kEighthUp = 39,
    kEighthDown = 40,
    kSixteenthUp = 41,
    kSixteenthDown = 42,
};

constexpr uint8_t kDotCode = ',';
constexpr uint8_t kGClefCode = ':';
constexpr uint8_t kFClefCode = ';';

// The text holding one music-font character: codes are the bytes of the Shift-JIS form, so codes
// above 160 are half-width katakana in the UTF-8 the canvases receive.
std::string musicText(int code);

}  // namespace shinofu::render
