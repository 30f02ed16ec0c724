// The note editing menus, pop-up entries, keys and presses on the score view.
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindNoteCommands(MainWindow& window, Session& session);

// Shows what the current note is: "Len=", "音高=", "Pos=".
void showCurrentNote(MainWindow& window, const Session& session);

}  // namespace shinofu::app
