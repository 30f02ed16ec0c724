// The measure editing menu, its tool button, undo and redo, the measures per line, and measures
// through the system clipboard.
#pragma once

#include "app/session.h"
#include "edit/undo_files.h"

namespace shinofu::app {

class MainWindow;

void bindMeasureCommands(MainWindow& window, Session& session);

// The undo files of this run, in the companion folder.
edit::UndoFiles undoFiles();

}  // namespace shinofu::app
