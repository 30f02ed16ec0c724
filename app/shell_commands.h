// The shell's own commands: the meter, the number of parts, the chorus numerals, lyric entry with
// its box, the pop-up's paste into it and the view centred on the pop-up's place.
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindShellCommands(MainWindow& window, Session& session);

}  // namespace shinofu::app
