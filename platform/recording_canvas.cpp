#include "platform/recording_canvas.h"

#include <cstdio>

#include "platform/text_codec.h"

namespace shinofu::platform {
namespace {

std::string point(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string hex(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", colour);
    return buffer;
}

}  // namespace

void RecordingCanvas::setPen(const Pen& pen) {
    pen_ = pen;
    calls.push_back("pen " + hex(pen.colour) + " w" + std::to_string(pen.width) +
                    (pen.style == PenStyle::Dotted ? " dotted" : "") + " mode" +
                    std::to_string(static_cast<int>(pen.mode)));
}

void RecordingCanvas::setBrush(const Brush& brush) {
    brush_ = brush;
    calls.push_back(brush.clear ? "brush clear" : "brush " + hex(brush.colour));
}

void RecordingCanvas::moveTo(int x, int y) { position_ = {x, y}; }

void RecordingCanvas::lineTo(int x, int y) {
    lines.push_back({position_, {x, y}, pen_});
    calls.push_back("line " + point(position_) + " " + point({x, y}));
    position_ = {x, y};
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
    calls.push_back("rect " + point({left, top}) + " " + point({right, bottom}));
}

void RecordingCanvas::polygon(const std::vector<Point>& points) {
    std::string call = "polygon";
    for (Point p : points) call += " " + point(p);
    calls.push_back(call);
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    calls.push_back("ellipse " + point({left, top}) + " " + point({right, bottom}));
}

void RecordingCanvas::bezier(const std::vector<Point>& points) {
    std::string call = "bezier";
    for (Point p : points) call += " " + point(p);
    calls.push_back(call);
}

void RecordingCanvas::fillPath(const Path& path) {
    calls.push_back("path " + std::to_string(path.ops.size()) + " ops");
}

void RecordingCanvas::setTextColour(Colour colour) { textColour_ = colour; }

void RecordingCanvas::setTextBackground(bool, Colour) {}

void RecordingCanvas::text(int x, int y, const std::string& utf8, const FontDescription& font) {
    texts.push_back({{x, y}, utf8, font, textColour_});
    calls.push_back("text " + point({x, y}) + " h" + std::to_string(font.height) + " " + font.face + " \"" + utf8 +
                    "\"");
}

int RecordingCanvas::textWidth(const std::string& utf8, const FontDescription& font) {
    return TextCodec::sjisLength(utf8) * font.height / 2;
}

int RecordingCanvas::textHeight(const std::string&, const FontDescription& font) { return font.height; }

Canvas::Rect RecordingCanvas::textInk(const std::string& utf8, const FontDescription& font) {
    return {0, font.height / 8, textWidth(utf8, font), font.height - font.height / 8};
}

}  // namespace shinofu::platform
