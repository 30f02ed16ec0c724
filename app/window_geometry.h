// The window geometry file (".IN2"): twelve integers, the main window's size and place first.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace shinofu::app {

struct WindowGeometry {
    int width = 1025;
    int height = 720;
    int left = 0;
    int top = 0;
    // left, top of the playback settings window, note input panel, numeric settings dialog, memo window
    std::array<int, 8> companions = {100, 400, 200, 300, 500, 32, 300, 80};
};

constexpr int kMinimumWindowWidth = 608;

// Missing or malformed lines keep the defaults.
WindowGeometry readWindowGeometry(const std::vector<std::string>& lines);
// The main window's current size and place, then the fixed companion places.
std::vector<std::string> windowGeometryLines(int width, int height, int left, int top);

}  // namespace shinofu::app
