// Bindings of the performance marks and measure signs: "終止線/反復記号&S", "強弱記号",
// "cres/decres &C" and "その他記号&E".
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindMarkCommands(MainWindow& window, Session& session);

}  // namespace shinofu::app
