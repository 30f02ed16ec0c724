#include "platform/music_glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <array>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace shinofu::platform {
namespace {

namespace fs = std::filesystem;

// Emmentaler's staff space is a quarter of its 1000-unit em.
constexpr double kEmmentalerUnitsPerSpace = 250.0;

// Where each drawing of the staff layout puts a symbol's reference point inside the text cell,
// in staff spaces from the cell's top-left corner. The layout draws notes and dots with a cell of
// 8 staff spaces (24 layout units for a 3-unit space) and clefs, accidentals, rests and meters
// with one of 7 (21 units); these centres follow from its offsets (note head 18.72 units below the
// cell top for the stem-up placement, 8.52 for stem-down, accidentals 14.85, clef G line 13.5).
constexpr double kNoteSpacesPerEm = 8.0;
constexpr double kSignSpacesPerEm = 7.0;
constexpr double kHeadCentreUp = 6.24;
constexpr double kHeadCentreDown = 2.84;
constexpr double kAccidentalCentre = 4.95;
constexpr double kStaffMiddleInRestCell = 3.5;
constexpr double kStemThickness = 0.14;
// Strokes narrower than two of these are snapped to whole pixels.
constexpr double kMinimumStrokePixels = 1.0;
constexpr double kStemLength = 3.5;
constexpr double kStemAttach = 0.15;  // stems meet the head a little off its centre line
// Flags a little narrower than Emmentaler's, so that an unbeamed sixteenth's flag clears the next
// head at the default spacing of sixteenths (6.7 layout units).
constexpr double kFlagScale = 0.8;

struct Piece {
    enum class Type { Glyph, Box, Italic } type;
    std::string name;  // glyph name, or the text of an italic piece
    double x;          // glyph origin, box left, or italic start
    double y;          // glyph origin, box top, or italic baseline
    double width = 0;  // box only
    double height = 0;  // box height, or italic em size
    double scale = 1.0;  // glyphs only
};

struct GlyphRecipe {
    double spacesPerEm;
    std::vector<Piece> pieces;
    double advance;  // staff spaces
};

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

std::optional<fs::path> findEmmentaler() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/share/lilypond", error)) {
        fs::path candidate = entry.path() / "fonts" / "otf" / "emmentaler-20.otf";
        if (fs::exists(candidate, error)) return candidate;
    }
    return std::nullopt;
}

}  // namespace

struct MusicGlyphs::Fonts {
    FT_Library library = nullptr;
    FT_Face music = nullptr;
    FT_Face italic = nullptr;
    std::array<std::optional<GlyphRecipe>, 256> recipes;

    ~Fonts() {
        if (music) FT_Done_Face(music);
        if (italic) FT_Done_Face(italic);
        if (library) FT_Done_FreeType(library);
    }

    double glyphWidth(const std::string& name) const {
        FT_UInt index = FT_Get_Name_Index(music, name.c_str());
        if (index == 0 || FT_Load_Glyph(music, index, FT_LOAD_NO_SCALE) != 0) return 0;
        return music->glyph->metrics.horiAdvance / kEmmentalerUnitsPerSpace;
    }

    double italicAdvance(const std::string& text, double em) const {
        if (!italic) return 0;
        double units = 0;
        for (unsigned char c : text) {
            FT_UInt index = FT_Get_Char_Index(italic, c);
            if (FT_Load_Glyph(italic, index, FT_LOAD_NO_SCALE) == 0) units += italic->glyph->metrics.horiAdvance;
        }
        return units / italic->units_per_EM * em;
    }
};

namespace {

struct Decomposer {
    Path* path;
    double originX;
    double originY;
    double scale;  // pixels per font unit
    PathPoint map(const FT_Vector* v) const { return {originX + v->x * scale, originY - v->y * scale}; }
};

int moveTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    if (!d->path->ops.empty() && d->path->ops.back() != Path::Op::Close) d->path->close();
    PathPoint p = d->map(to);
    d->path->moveTo(p.x, p.y);
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathPoint p = d->map(to);
    d->path->lineTo(p.x, p.y);
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathPoint start = d->path->points.back();
    PathPoint c = d->map(control);
    PathPoint end = d->map(to);
    // A quadratic segment as the cubic with the same curve.
    d->path->cubicTo(start.x + 2.0 / 3 * (c.x - start.x), start.y + 2.0 / 3 * (c.y - start.y),
                     end.x + 2.0 / 3 * (c.x - end.x), end.y + 2.0 / 3 * (c.y - end.y), end.x, end.y);
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathPoint a = d->map(c1);
    PathPoint b = d->map(c2);
    PathPoint end = d->map(to);
    d->path->cubicTo(a.x, a.y, b.x, b.y, end.x, end.y);
    return 0;
}

void appendOutline(FT_Face face, FT_UInt index, double scale, double x, double y, Path& path) {
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return;
    FT_Outline_Funcs funcs{};
    funcs.move_to = moveTo;
    funcs.line_to = lineTo;
    funcs.conic_to = conicTo;
    funcs.cubic_to = cubicTo;
    Decomposer decomposer{&path, x, y, scale};
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &decomposer);
    if (!path.ops.empty() && path.ops.back() != Path::Op::Close) path.close();
}

Piece glyph(const std::string& name, double x, double y, double scale = 1.0) {
    return {Piece::Type::Glyph, name, x, y, 0, 0, scale};
}
Piece box(double x, double y, double width, double height) { return {Piece::Type::Box, "", x, y, width, height}; }
Piece italic(const std::string& text, double x, double baseline, double em) {
    return {Piece::Type::Italic, text, x, baseline, 0, em};
}

enum class Stem { None, Up, Down };

// A note: head, stem and flags, the head centred where the layout expects it.
GlyphRecipe note(const MusicGlyphs::Fonts& fonts, const std::string& head, Stem stem, int flags, double scale) {
    const double centre = stem == Stem::Down ? kHeadCentreDown : kHeadCentreUp;
    const double headWidth = fonts.glyphWidth(head) * scale;
    // The small set keeps the head's centre where the longer ledger lines of its layout expect it.
    const double left = scale < 1.0 ? 0.75 - headWidth / 2 : 0.0;
    GlyphRecipe recipe{kNoteSpacesPerEm, {glyph(head, left, centre, scale)}, left + headWidth + 0.2};
    const double length = (flags >= 2 ? kStemLength + 0.5 : kStemLength) * scale;
    const double thickness = kStemThickness * scale;
    if (stem == Stem::Up) {
        const double x = left + headWidth - thickness;
        recipe.pieces.push_back(box(x, centre - length, thickness, length - kStemAttach * scale));
        if (flags > 0) {
            recipe.pieces.push_back(glyph(flags == 1 ? "flags.u3" : "flags.u4", x, centre - length, scale * kFlagScale));
            recipe.advance = std::max(recipe.advance, x + fonts.glyphWidth("flags.u3") * scale * kFlagScale);
        }
    } else if (stem == Stem::Down) {
        recipe.pieces.push_back(box(left, centre + kStemAttach * scale, thickness, length - kStemAttach * scale));
        if (flags > 0) {
            recipe.pieces.push_back(glyph(flags == 1 ? "flags.d3" : "flags.d4", left, centre + length, scale * kFlagScale));
        }
    }
    return recipe;
}

void addNoteSet(MusicGlyphs::Fonts& fonts, int base, double scale) {
    auto set = [&](int offset, GlyphRecipe recipe) { fonts.recipes[base + offset] = std::move(recipe); };
    set(33, note(fonts, "noteheads.s0", Stem::None, 0, scale));
    set(34, note(fonts, "noteheads.s2", Stem::None, 0, scale));
    set(35, note(fonts, "noteheads.s1", Stem::Up, 0, scale));
    set(36, note(fonts, "noteheads.s1", Stem::Down, 0, scale));
    set(37, note(fonts, "noteheads.s2", Stem::Up, 0, scale));
    set(38, note(fonts, "noteheads.s2", Stem::Down, 0, scale));
    set(39, note(fonts, "noteheads.s2", Stem::Up, 1, scale));
    set(40, note(fonts, "noteheads.s2", Stem::Down, 1, scale));
    set(41, note(fonts, "noteheads.s2", Stem::Up, 2, scale));
    set(42, note(fonts, "noteheads.s2", Stem::Down, 2, scale));
}

// A time signature: numerator on the upper half of the staff, denominator on the lower.
GlyphRecipe meter(const MusicGlyphs::Fonts& fonts, const char* numerator, const char* denominator) {
    constexpr double kColumn = 1.7;
    constexpr double kUpperBaseline = 3.33;  // the middle staff line in a 7-space cell placed 16 units high
    constexpr double kLowerBaseline = 5.33;  // the bottom line
    GlyphRecipe recipe{kSignSpacesPerEm, {}, kColumn + 0.4};
    recipe.pieces.push_back(glyph(numerator, 0.2 + (kColumn - fonts.glyphWidth(numerator)) / 2, kUpperBaseline));
    recipe.pieces.push_back(glyph(denominator, 0.2 + (kColumn - fonts.glyphWidth(denominator)) / 2, kLowerBaseline));
    return recipe;
}

// Dynamics letters set side by side on one baseline.
GlyphRecipe dynamics(const MusicGlyphs::Fonts& fonts, const std::string& letters) {
    constexpr double kBaseline = 2.6;
    GlyphRecipe recipe{4.0, {}, 0};
    double x = 0.2;
    for (char letter : letters) {
        std::string name(1, letter);
        recipe.pieces.push_back(glyph(name, x, kBaseline));
        x += fonts.glyphWidth(name) - 0.05;
    }
    recipe.advance = x + 0.2;
    return recipe;
}

// Text-like signs in a serif italic: em 0.55 of the cell, baseline at three quarters.
GlyphRecipe italicSign(const MusicGlyphs::Fonts& fonts, const std::string& text) {
    constexpr double kEm = 0.55;
    return {1.0, {italic(text, 0.05, 0.75, kEm)}, fonts.italicAdvance(text, kEm) + 0.1};
}

void buildSpecs(MusicGlyphs::Fonts& fonts) {
    addNoteSet(fonts, 160, 1.0);
    addNoteSet(fonts, 0, 0.8);
    auto& s = fonts.recipes;
    s[','] = GlyphRecipe{kNoteSpacesPerEm, {glyph("dots.dot", 1.75, kHeadCentreUp)}, 2.3};
    s[':'] = GlyphRecipe{kSignSpacesPerEm, {glyph("clefs.G", 0.1, 4.5)}, 3.0};
    s[';'] = GlyphRecipe{kSignSpacesPerEm, {glyph("clefs.F", 0.15, 2.5)}, 3.0};
    s['Q'] = GlyphRecipe{kSignSpacesPerEm, {glyph("accidentals.sharp", 0.0, kAccidentalCentre)}, 1.2};
    s['R'] = GlyphRecipe{kSignSpacesPerEm, {glyph("accidentals.flat", 0.1, kAccidentalCentre)}, 1.0};
    s['P'] = GlyphRecipe{kSignSpacesPerEm, {glyph("accidentals.natural", 0.35, kAccidentalCentre)}, 1.1};
    s['S'] = GlyphRecipe{kSignSpacesPerEm, {glyph("accidentals.doublesharp", 0.3, kAccidentalCentre)}, 1.4};
    s['T'] = GlyphRecipe{kSignSpacesPerEm, {glyph("accidentals.flatflat", 0.35, kAccidentalCentre)}, 1.9};
    // Rests on their conventional lines: the whole rest hangs from the fourth line, the half rest
    // sits on the middle line, the others centre on it.
    s['='] = GlyphRecipe{kSignSpacesPerEm, {glyph("rests.0", -0.08, 2.5)}, 1.6};
    s['>'] = GlyphRecipe{kSignSpacesPerEm, {glyph("rests.1", 0.0, kStaffMiddleInRestCell)}, 1.6};
    s['?'] = GlyphRecipe{kSignSpacesPerEm, {glyph("rests.2", 0.1, kStaffMiddleInRestCell)}, 1.2};
    s['J'] = GlyphRecipe{kSignSpacesPerEm, {glyph("rests.3", 0.1, kStaffMiddleInRestCell)}, 1.2};
    s['K'] = GlyphRecipe{kSignSpacesPerEm, {glyph("rests.4", 0.1, kStaffMiddleInRestCell)}, 1.4};
    s[162] = meter(fonts, "two", "four");
    s[163] = meter(fonts, "three", "four");
    s[164] = meter(fonts, "six", "eight");
    s[165] = meter(fonts, "three", "eight");
    s[166] = meter(fonts, "four", "four");
    const std::array<std::pair<char, const char*>, 8> kDynamics = {
        {{'H', "ppp"}, {'D', "pp"}, {'F', "p"}, {'E', "mp"}, {'B', "mf"}, {'C', "f"}, {'A', "ff"}, {'G', "fff"}}};
    for (const auto& [code, letters] : kDynamics) s[static_cast<uint8_t>(code)] = dynamics(fonts, letters);
    // The metronome mark's quarter note, small enough to stand beside "=60" text.
    s['M'] = GlyphRecipe{4.0, {glyph("noteheads.s2", 0.2, 2.9), box(0.2 + 1.304 - kStemThickness, 0.0, kStemThickness, 2.75)},
                       1.8};
    s['W'] = GlyphRecipe{2.5, {glyph("scripts.rcomma", 0.2, 1.3)}, 1.0};
    s['V'] = GlyphRecipe{4.0, {glyph("scripts.ufermata", 1.5, 2.9)}, 3.0};
    s['Z'] = GlyphRecipe{4.0, {glyph("scripts.segno", 1.1, 2.0)}, 2.2};
    s['['] = GlyphRecipe{4.0, {glyph("scripts.coda", 1.2, 2.0)}, 2.4};
    s['X'] = italicSign(fonts, "D.C.");
    s['Y'] = italicSign(fonts, "D.S.");
    s[']'] = italicSign(fonts, "Fine");
    s['^'] = italicSign(fonts, "rit.");
    s['_'] = italicSign(fonts, "a tempo");
    const double toWidth = fonts.italicAdvance("to", 2.2);
    s['\\'] = GlyphRecipe{4.0, {italic("to", 0.2, 3.0, 2.2), glyph("scripts.coda", 0.6 + toWidth + 1.1, 2.0)},
                        toWidth + 3.2};
}

}  // namespace

MusicGlyphs::MusicGlyphs() : fonts_(std::make_unique<Fonts>()) {
    if (FT_Init_FreeType(&fonts_->library) != 0) {
        problem_ = ui::text("ui", "FreeType を初期化できません");
        return;
    }
    auto emmentaler = findEmmentaler();
    if (!emmentaler || FT_New_Face(fonts_->library, emmentaler->c_str(), 0, &fonts_->music) != 0) {
        problem_ = ui::text("ui", "楽譜フォント（lilypond-fonts の Emmentaler）が見つかりません");
        fonts_->music = nullptr;
        return;
    }
    const char* italicFile = "/usr/share/fonts/opentype/urw-base35/C059-Italic.otf";
    if (FT_New_Face(fonts_->library, italicFile, 0, &fonts_->italic) != 0) fonts_->italic = nullptr;
    buildSpecs(*fonts_);
}

MusicGlyphs::~MusicGlyphs() = default;

Path MusicGlyphs::outline(uint8_t code, double cellHeight, double x, double y) const {
    Path path;
    if (!fonts_->music || !fonts_->recipes[code]) return path;
    // One FreeType face loads one glyph at a time, and pages are drawn on several threads.
    static std::mutex faces;
    std::lock_guard lock(faces);
    const GlyphRecipe& recipe = *fonts_->recipes[code];
    const double space = cellHeight / recipe.spacesPerEm;
    for (const Piece& piece : recipe.pieces) {
        const double px = x + piece.x * space;
        const double py = y + piece.y * space;
        switch (piece.type) {
        case Piece::Type::Glyph:
            appendOutline(fonts_->music, FT_Get_Name_Index(fonts_->music, piece.name.c_str()),
                          space * piece.scale / kEmmentalerUnitsPerSpace, px, py, path);
            break;
        case Piece::Type::Box: {
            // Hairline stems are snapped to whole pixels so they stay black instead of grey.
            double left = px;
            double right = px + piece.width * space;
            if (right - left < 2 * kMinimumStrokePixels) {
                left = std::round(px);
                right = left + std::max(1.0, std::round(piece.width * space));
            }
            const double bottom = py + piece.height * space;
            path.moveTo(left, py);
            path.lineTo(right, py);
            path.lineTo(right, bottom);
            path.lineTo(left, bottom);
            path.close();
            break;
        }
        case Piece::Type::Italic: {
            if (!fonts_->italic) break;
            const double scale = piece.height * space / fonts_->italic->units_per_EM;
            double pen = px;
            for (unsigned char c : piece.name) {
                FT_UInt index = FT_Get_Char_Index(fonts_->italic, c);
                appendOutline(fonts_->italic, index, scale, pen, py, path);
                if (FT_Load_Glyph(fonts_->italic, index, FT_LOAD_NO_SCALE) == 0) {
                    pen += fonts_->italic->glyph->metrics.horiAdvance * scale;
                }
            }
            break;
        }
        }
    }
    return path;
}

double MusicGlyphs::advance(uint8_t code, double cellHeight) const {
    if (!fonts_->recipes[code]) return cellHeight / 4;
    const GlyphRecipe& recipe = *fonts_->recipes[code];
    return recipe.advance * cellHeight / recipe.spacesPerEm;
}

Canvas::Rect MusicGlyphs::ink(const std::string& codes, double cellHeight) const {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    double x = 0;
    for (unsigned char code : codes) {
        for (const PathPoint& p : outline(code, cellHeight, x, 0).points) {
            left = any ? std::min(left, p.x) : p.x;
            right = any ? std::max(right, p.x) : p.x;
            top = any ? std::min(top, p.y) : p.y;
            bottom = any ? std::max(bottom, p.y) : p.y;
            any = true;
        }
        x += advance(code, cellHeight);
    }
    if (!any) return {};
    return {static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)), static_cast<int>(std::ceil(right)),
            static_cast<int>(std::ceil(bottom))};
}

std::string MusicGlyphs::codesOf(const std::string& utf8) {
    for (unsigned char c : utf8) {
        if (c >= 0x80) return TextCodec::encode(utf8).bytes;
    }
    return utf8;  // ASCII is its own Shift-JIS form
}

const MusicGlyphs& MusicGlyphs::shared() {
    static const MusicGlyphs glyphs;
    return glyphs;
}

double MusicGlyphs::textAdvance(const std::string& text, double cellHeight) const {
    double width = 0;
    for (unsigned char c : text) width += advance(c, cellHeight);
    return width;
}

}  // namespace shinofu::platform
