// Showing and hiding the note palette and the note input panel: the "表示&V" entries, the palette
// tool button and the pop-up entry.
#pragma once

namespace shinofu::app {

class MainWindow;

void bindPaletteCommands(MainWindow& window);

}  // namespace shinofu::app
