#include "app/session.h"

#include "midi/performance_pass.h"

namespace shinofu::app {

model::ReadOptions Session::readOptions(bool formatFlagForRead) const {
    model::ReadOptions options;
    options.formatFlag = formatFlagForRead;
    options.defaultFluteKey = config.defaultFluteKey;
    options.names = names;
    // Symbols inside older files' notes are placed for the view this session draws.
    options.viewWidth = view.viewWidth;
    options.noteSize = view.noteSize;
    return options;
}

void Session::refreshDerivedState() {
    score.recomputePositions();
    midi::performancePass(score);
}

}  // namespace shinofu::app
