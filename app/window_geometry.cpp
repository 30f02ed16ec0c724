#include "app/window_geometry.h"

#include "model/text_fields.h"

namespace shinofu::app {

WindowGeometry readWindowGeometry(const std::vector<std::string>& lines) {
    WindowGeometry geometry;
    int* fields[12] = {&geometry.width, &geometry.height, &geometry.left, &geometry.top};
    for (int i = 0; i < 8; ++i) fields[4 + i] = &geometry.companions[i];
    for (size_t i = 0; i < 12 && i < lines.size(); ++i) {
        if (auto value = model::parseWholeNumber(lines[i])) *fields[i] = *value;
    }
    if (geometry.width < kMinimumWindowWidth) geometry.width = kMinimumWindowWidth;
    if (geometry.height < 100) geometry.height = WindowGeometry{}.height;
    return geometry;
}

std::vector<std::string> windowGeometryLines(int width, int height, int left, int top) {
    std::vector<std::string> lines = {std::to_string(width), std::to_string(height), std::to_string(left),
                                      std::to_string(top)};
    for (int value : WindowGeometry{}.companions) lines.push_back(std::to_string(value));
    return lines;
}

}  // namespace shinofu::app
