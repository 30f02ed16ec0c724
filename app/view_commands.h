// The view menu, the view tool buttons and the page wheel: zoom, modes, print view, pages,
// colours, grid, measure numbers, chorus display and the part display menu.
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindViewCommands(MainWindow& window, Session& session);

// The captions of the part display menu and its entries for the session's mode and parts.
void updatePartDisplayMenu(MainWindow& window, const Session& session);

}  // namespace shinofu::app
