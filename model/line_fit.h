// The horizontal scale of a staff line: sixteenth and measure widths that make a line fill the view.
#pragma once

namespace shinofu::model {

constexpr double kMeasureGap = 10.0;  // layout units added to every measure
constexpr double kViewWidthUsed = 0.985;  // 1.5 % of the view stays free at the right

struct LineScale {
    double sixteenthWidth = 7.0;  // layout units
    double measureWidth = 16 * 7.0 + kMeasureGap;
};

struct LineFit {
    int viewWidth = 990;   // pixels
    double noteSize = 2.0;  // pixels per layout unit at normal zoom
    int keyAccidentals = 0;
    int measPerLine = 4;
    int sixteenthsPerMeasure = 16;
};

// headWidth: the clef and key signature in front of the first measure, in layout units.
double headWidth(int keyAccidentals);
LineScale fitLineWidth(const LineFit& fit);

class Score;
// The fit of a line of the score's key and meter holding the given number of measures.
LineScale fitScoreLine(const Score& score, int viewWidth, double noteSize, int measures);

}  // namespace shinofu::model
