// The page's coordinate formulas: layout units times drawUnit, less the scroll origin.
// One staff-line spacing is 3 layout units; one staff step 1.5.
#pragma once

#include "model/line_fit.h"
#include "model/score.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::render {

constexpr double kNoteLead = 7.0;          // layout units from the head to a measure's first note
constexpr double kGridLead = 1.2;          // layout units right of a note's x, where its grid line stands
constexpr double kStaffLeft = 2.0;         // layout units: where the staff lines begin
constexpr double kStaffLineSpacing = 3.0;  // layout units
constexpr double kStaffStep = kStaffLineSpacing / 2;  // a line to the adjacent space
constexpr int kBottomLineStep = 10;        // step index of the bottom staff line
constexpr int kTopLineStep = 18;

// Rounds half away from zero, as every pixel conversion does.
int px(double value);

class PageGeometry {
public:
    PageGeometry(const model::Score& score, const ViewState& view, const PageTables& tables);

    double unit() const { return unit_; }
    double headWidth() const { return headWidth_; }
    double sixteenthWidth() const { return scale_.sixteenthWidth; }
    double measureWidth() const { return scale_.measureWidth; }
    int measPerLine() const { return measPerLine_; }

    // Takes the measure count of the given line (1-based) of the current page and fits the line.
    void selectLine(int line);
    // Fits a line of the given measure count to the view width.
    void fitLine(int measures);

    // x of a note at measure m (1-based) and position t (length units, from 0) inside it; unrounded.
    double noteX(int measure, double position) const;
    // x of the bar line closing measure m of the line.
    int barX(int measure) const;
    int staffLeftX() const;
    // Staff base B of staff row r (1-based): the staff's second line from the top.
    double staffBase(int row) const;
    static int stepIndex(uint8_t pitch, bool fClef);
    // Offset below B of step s, the reference the glyph offsets are added to (layout units × unit).
    double stepOffset(int step) const;

private:
    const model::Score& score_;
    const ViewState& view_;
    const PageTables& tables_;
    double unit_;
    double headWidth_;
    int measPerLine_;
    model::LineScale scale_;
};

}  // namespace shinofu::render
