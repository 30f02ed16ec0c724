// The note editing menus, pop-up entries, keys and presses on the score view.
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindNoteCommands(MainWindow& window, Session& session);

// Shows what the current note is: "Len=", "音高=", "Pos=".
void showCurrentNote(MainWindow& window, const Session& session);

// The Escape routine with what the windows around the score end too.
void escape(MainWindow& window, Session& session);
// After a command: marks the score changed when it did, redraws, shows the mode and the note.
void finish(MainWindow& window, Session& session, bool changed);

}  // namespace shinofu::app
