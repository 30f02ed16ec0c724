#include "app/session.h"

#include "midi/performance_pass.h"
#include "model/key_signature.h"
#include "model/line_fit.h"

namespace shinofu::app {

model::ReadOptions Session::readOptions(bool formatFlagForRead) const {
    model::ReadOptions options;
    options.formatFlag = formatFlagForRead;
    options.defaultFluteKey = config.defaultFluteKey;
    options.names = names;
    // Symbols inside older files' notes are placed with the line scale this view draws with.
    options.lineScale = [width = view.viewWidth, size = view.noteSize](const model::Score& read) {
        model::LineFit fit;
        fit.viewWidth = width;
        fit.noteSize = size;
        fit.keyAccidentals = model::keyAccidentalCount(read.song.keySig);
        fit.measPerLine = read.song.measPerLine;
        fit.sixteenthsPerMeasure = read.meter().sixteenthsPerMeasure;
        return model::fitLineWidth(fit);
    };
    return options;
}

}  // namespace shinofu::app

namespace shinofu::app {

void Session::refreshDerivedState() {
    score.recomputePositions();
    midi::performancePass(score);
}

}  // namespace shinofu::app
