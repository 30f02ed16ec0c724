#include "render/page_geometry.h"

#include <cmath>

#include "model/key_signature.h"

namespace shinofu::render {

int px(double value) { return static_cast<int>(std::lround(value)); }

PageGeometry::PageGeometry(const model::Score& score, const ViewState& view, const PageTables& tables)
    : score_(score),
      view_(view),
      tables_(tables),
      unit_(view.drawUnit()),
      headWidth_(model::headWidth(model::keyAccidentalCount(score.song.keySig))),
      measPerLine_(std::max(1, score.song.measPerLine)) {
    fitLine(measPerLine_);
}

void PageGeometry::fitLine(int measures) {
    measPerLine_ = std::max(1, measures);
    scale_ = model::fitScoreLine(score_, view_.viewWidth, view_.noteSize, measPerLine_);
}

void PageGeometry::selectLine(int line) { fitLine(tables_.measuresOn(view_.curPage, line)); }

double PageGeometry::noteX(int measure, double position) const {
    return unit_ * (headWidth_ + kNoteLead + (measure - 1) * scale_.measureWidth +
                    position * scale_.sixteenthWidth / 3 + view_.noteOffset) -
           view_.originX;
}

int PageGeometry::barX(int measure) const {
    return px(unit_ * (headWidth_ + measure * scale_.measureWidth) - view_.originX);
}

int PageGeometry::staffLeftX() const { return px(kStaffLeft * unit_ - view_.originX); }

double PageGeometry::staffBase(int row) const {
    const double drop = row >= 1 && row <= static_cast<int>(view_.rowDrop.size()) ? view_.rowDrop[row - 1] : 0.0;
    return ((row - 1) * view_.lineSpacing + view_.topMargin + drop) * unit_ - view_.originY;
}

int PageGeometry::stepIndex(uint8_t pitch, bool fClef) { return fClef ? pitch + 5 : pitch - 7; }

double PageGeometry::stepOffset(int step) const { return unit_ * (27 - 1.5 * step - 0.7); }

}  // namespace shinofu::render
