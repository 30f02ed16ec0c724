// The music font's glyphs sit in their cells where the staff layout expects them.
#include "platform/music_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "render/page_geometry.h"

using shinofu::platform::MusicGlyphs;
using shinofu::platform::Path;

namespace {

struct Bounds {
    double left = std::numeric_limits<double>::max();
    double top = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    double bottom = std::numeric_limits<double>::lowest();
    double centreY() const { return (top + bottom) / 2; }
    double centreX() const { return (left + right) / 2; }
};

// Bounds of the on-curve points (enough for heads, which are symmetric ovals).
Bounds boundsOf(const Path& path) {
    Bounds b;
    for (const auto& p : path.points) {
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
        b.top = std::min(b.top, p.y);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

const MusicGlyphs& glyphs() {
    static const MusicGlyphs instance;
    return instance;
}

constexpr double u = 2.0;

}  // namespace

TEST(MusicGlyphs, FontsAreInstalled) { ASSERT_TRUE(glyphs().available()) << glyphs().problem(); }

TEST(MusicGlyphs, EveryCodeTheScoreDrawsHasAnOutline) {
    std::vector<int> codes = {',', ':', ';', 'Q', 'R', 'P', 'S', 'T', '=', '>', '?', 'J', 'K', 'H', 'D', 'F', 'E',
                              'B', 'C', 'A', 'G', 'M', 'W', 'V', 'Z', '[', 'X', 'Y', ']', '^', '_', '\\'};
    for (int code = 162; code <= 166; ++code) codes.push_back(code);
    for (int offset = 33; offset <= 42; ++offset) {
        codes.push_back(160 + offset);
        codes.push_back(offset);
    }
    for (int code : codes) {
        EXPECT_FALSE(glyphs().outline(static_cast<uint8_t>(code), 48, 0, 0).empty()) << code;
        EXPECT_GT(glyphs().advance(static_cast<uint8_t>(code), 48), 0) << code;
    }
    EXPECT_TRUE(glyphs().outline(' ', 48, 0, 0).empty());
}

TEST(MusicGlyphs, NoteHeadsCentreOnTheirStaffStep) {
    // A note at step s is drawn with its cell at bottom + round(O − 30.02u) (stem up, also beamed
    // heads and whole notes) or bottom + round(O − 19.82u) (stem down); its head must be centred on
    // the step's line or space, B + 24u − 1.5su.
    const double base = 100;
    const double bottom = base + 9 * u;
    for (int step = 2; step <= 26; ++step) {
        const double offset = u * (27 - 1.5 * step - 0.7);
        const double stepY = base + 24 * u - 1.5 * step * u;
        const double up = bottom + shinofu::render::px(offset - 30.02 * u);
        const double down = bottom + shinofu::render::px(offset - 19.82 * u);
        Bounds beamed = boundsOf(glyphs().outline(160 + 34, 24 * u, 0, up));
        EXPECT_NEAR(beamed.centreY(), stepY, 0.6) << step;
        Bounds whole = boundsOf(glyphs().outline(160 + 33, 24 * u, 0, up));
        EXPECT_NEAR(whole.centreY(), stepY, 0.6) << step;
        // A stem-down quarter: the head is the part above the stem.
        Bounds quarterDown = boundsOf(glyphs().outline(160 + 38, 24 * u, 0, down));
        EXPECT_NEAR(quarterDown.top + 0.544 * 3 * u, stepY, 0.6) << step;
        Bounds quarterUp = boundsOf(glyphs().outline(160 + 37, 24 * u, 0, up));
        EXPECT_NEAR(quarterUp.bottom - 0.544 * 3 * u, stepY, 0.6) << step;
    }
}

TEST(MusicGlyphs, HeadsAreOneStaffSpaceAndLieBetweenTheLedgerEnds) {
    Bounds head = boundsOf(glyphs().outline(160 + 34, 48, 0, 0));
    EXPECT_NEAR(head.bottom - head.top, 3 * u * 272 / 250, 0.2);
    // Ledger lines run from x − 1.5u to x + 5u around a head drawn at x.
    EXPECT_GT(head.left, -1.5 * u);
    EXPECT_LT(head.right, 5 * u);
    EXPECT_NEAR(head.centreX(), 1.75 * u, 0.6);
}

TEST(MusicGlyphs, AccidentalsAndClefsOnTheirLines) {
    // drawTempSym puts an accidental's cell 17u above the note's offset: its centre is the head's.
    const double sharpCentre = boundsOf(glyphs().outline('Q', 21 * u, 0, 0)).centreY();
    EXPECT_NEAR(sharpCentre, 14.85 * u, 0.6);
    const double naturalCentre = boundsOf(glyphs().outline('P', 21 * u, 0, 0)).centreY();
    EXPECT_NEAR(naturalCentre, 14.85 * u, 0.6);
    // The G clef's cell is 16.5u above the bottom line; its curl turns around the second line (3u up).
    Bounds clef = boundsOf(glyphs().outline(':', 21 * u, 0, 0));
    EXPECT_LT(clef.top, 4 * u);  // reaches above the staff
    EXPECT_GT(clef.bottom, 16.5 * u);  // and below it
}
