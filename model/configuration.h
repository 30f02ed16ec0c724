// The configuration file (".INI"): positional lines read once at start, never written.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/colour.h"
#include "model/song_data.h"

namespace shinofu::model {

// One print header or footer line.
struct HeaderItem {
    std::string text;
    char alignment = 'R';   // 'L' left, 'C' centre, 'R' right
    double position = 0.0;  // percent of the page height
    int fontSize = 10;

    bool operator==(const HeaderItem&) const = default;
};

constexpr int kHeaderItemCount = 6;
// Layout units above the first staff: room for the title and tempo texts (see data/shinofu.INI).
constexpr int kDefaultTopMargin = 56;

struct Configuration {
    std::string workingDirectory;  // empty: the current directory at start
    int viewWidth = 1000;          // pixels of the score drawing surface
    int viewHeight = 1500;
    // Black on white: the colours a page must have to be seen at all.
    Colour drawColor = rgb(0x00, 0x00, 0x00);
    Colour backColor = rgb(0xFF, 0xFF, 0xFF);
    Colour editDrawColor = rgb(0xFF, 0x00, 0x00);
    Colour editBackColor = rgb(0x80, 0x80, 0x80);
    Colour voice2Color = rgb(0xC0, 0xC0, 0xC0);
    int topMargin = kDefaultTopMargin;
    int rowsPerPage = 12;
    int measPerLine = 4;
    int lineSpacing = 42;
    double noteSize = 2.0;
    int defaultFluteKey = kDefaultFluteKey;
    NumericSettings numeric;
    FontNames fonts = builtInFontNames();
    std::array<HeaderItem, kHeaderItemCount> headerItems{};
};

// The values used when there is no configuration file at all.
Configuration configurationWithoutFile();

// Reads the counted lines of a configuration file over the built-in values.
Configuration readConfiguration(const std::vector<std::string>& lines);

}  // namespace shinofu::model
