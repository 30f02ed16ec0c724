#include "app/session.h"

#include "midi/performance_pass.h"

namespace shinofu::app {

model::ReadOptions Session::readOptions(bool formatFlagForRead) const {
    model::ReadOptions options;
    options.formatFlag = formatFlagForRead;
    options.defaultFluteKey = config.defaultFluteKey;
    options.names = names;
    return options;
}

}  // namespace shinofu::app

namespace shinofu::app {

void Session::refreshDerivedState() {
    score.recomputePositions();
    midi::performancePass(score);
}

}  // namespace shinofu::app
