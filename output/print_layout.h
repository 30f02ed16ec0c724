// Where a printed page goes: the margins, the scale of the view on the paper, and the header and
// footer texts; with the settings text the memo window carries for editing them.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "platform/canvas.h"

namespace shinofu::output {

enum HeaderFlag : unsigned {
    kPrintPageNumber = 1,
    kPrintTitle = 2,
    kPrintDate = 4,
    kPrintProgramName = 8,
    kPrintEverything = 15,
};

struct PrintSettings {
    // Fractions of the page width (left, right) and height (top, bottom).
    double left = 0.05;
    double right = 0.05;
    double top = 0.05;
    double bottom = 0.05;
    unsigned headerFlags = kPrintEverything;  // cleared bits stay cleared until a new score
};

// The view W pixels wide scaled onto the paper within the margins.
struct PrintPlacement {
    double scale;  // paper pixels per view pixel
    int originX;   // the drawing origin: the page shifted right and down by the margins
    int originY;
};
PrintPlacement printPlacement(const PrintSettings& settings, int paperWidth, int paperHeight, int viewWidth);

// One header or footer text as it is printed.
struct PrintedText {
    std::string text;
    int x;
    int y;
    platform::FontDescription font;
};

struct HeaderContext {
    std::string title;
    int page = 1;
    std::string date;   // the system's short date
    std::string face;   // the score's first font
    double drawUnit;    // of the printed page
    int paperWidth;
    int paperHeight;
    std::function<int(const std::string&, const platform::FontDescription&)> textWidth;
};

// Slot 0 (program name and date) and the configured slots, up to the first empty one.
std::vector<PrintedText> headerTexts(const PrintSettings& settings, const std::array<model::HeaderItem, model::kHeaderItemCount>& items,
                                     const HeaderContext& context);

// The five lines of the printer settings form.
std::vector<std::string> printerSettingsText(const PrintSettings& settings);
// Reads the margins and the header items to switch off from the edited form.
void readPrinterSettings(const std::vector<std::string>& lines, PrintSettings& settings);

}  // namespace shinofu::output
