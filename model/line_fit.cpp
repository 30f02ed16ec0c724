#include "model/line_fit.h"

#include <algorithm>

#include "model/key_signature.h"
#include "model/score.h"

namespace shinofu::model {

double headWidth(int keyAccidentals) { return 3.0 * keyAccidentals + 20.0; }

LineScale fitLineWidth(const LineFit& fit) {
    // Guards keep a degenerate configuration (no measures, no width) from dividing by zero.
    const double size = fit.noteSize > 0 ? fit.noteSize : 2.0;
    const int measures = std::max(1, fit.measPerLine);
    const int sixteenths = std::max(1, fit.sixteenthsPerMeasure);
    LineScale scale;
    scale.sixteenthWidth = (kViewWidthUsed * fit.viewWidth - headWidth(fit.keyAccidentals) * size -
                            size * measures * kMeasureGap) /
                           (size * measures * sixteenths);
    scale.measureWidth = sixteenths * scale.sixteenthWidth + kMeasureGap;
    return scale;
}

LineScale fitScoreLine(const Score& score, int viewWidth, double noteSize, int measures) {
    LineFit fit;
    fit.viewWidth = viewWidth;
    fit.noteSize = noteSize;
    fit.keyAccidentals = keyAccidentalCount(score.song.keySig);
    fit.measPerLine = measures;
    fit.sixteenthsPerMeasure = score.meter().sixteenthsPerMeasure;
    return fitLineWidth(fit);
}

}  // namespace shinofu::model
