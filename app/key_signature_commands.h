// The key signature menus, transposition and the octave of the current part.
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindKeySignatureCommands(MainWindow& window, Session& session);

}  // namespace shinofu::app
