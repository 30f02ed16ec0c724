#include "platform/canvas.h"

namespace shinofu::platform {

void Path::moveTo(double x, double y) {
    ops.push_back(Op::Move);
    points.push_back({x, y});
}

void Path::lineTo(double x, double y) {
    ops.push_back(Op::Line);
    points.push_back({x, y});
}

void Path::cubicTo(double x1, double y1, double x2, double y2, double x, double y) {
    ops.push_back(Op::Cubic);
    points.push_back({x1, y1});
    points.push_back({x2, y2});
    points.push_back({x, y});
}

void Path::close() { ops.push_back(Op::Close); }

Canvas::Rect Canvas::textInk(const std::string& utf8, const FontDescription& font) {
    return {0, 0, textWidth(utf8, font), textHeight(utf8, font)};
}

}  // namespace shinofu::platform
