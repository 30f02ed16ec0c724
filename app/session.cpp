#include "app/session.h"

namespace shinofu::app {

model::ReadOptions Session::readOptions(bool formatFlagForRead) const {
    model::ReadOptions options;
    options.formatFlag = formatFlagForRead;
    options.defaultFluteKey = config.defaultFluteKey;
    options.names = names;
    return options;
}

}  // namespace shinofu::app
