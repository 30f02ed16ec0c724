// Practice playback from the menu and the play bar: the loop of the picked measures, the count-in and
// the metronome click, each a switch kept with the practice choices.
#pragma once

namespace shinofu::app {

class MainWindow;

void bindPracticeCommands(MainWindow& window);

}  // namespace shinofu::app
