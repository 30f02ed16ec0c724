// A canvas that records every call as a line of text, so tests can assert exact coordinates.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace shinofu::platform {

class RecordingCanvas : public Canvas {
public:
    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<Point>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void bezier(const std::vector<Point>& points) override;
    void fillPath(const Path& path) override;
    void setTextColour(Colour colour) override;
    void setTextBackground(bool opaque, Colour colour) override;
    void text(int x, int y, const std::string& utf8, const FontDescription& font) override;
    // Half the font height per Shift-JIS byte: deterministic, close to the Japanese faces.
    int textWidth(const std::string& utf8, const FontDescription& font) override;
    int textHeight(const std::string& utf8, const FontDescription& font) override;
    // The middle three quarters of the cell, where a Japanese face's glyphs lie.
    Rect textInk(const std::string& utf8, const FontDescription& font) override;

    // "line 10,20 30,20" for a moveTo/lineTo pair, "text 5,6 h42 ShinofuMusic \"?\"" and so on.
    std::vector<std::string> calls;
    // The pieces that lines and texts were drawn with, for queries.
    struct Line {
        Point from;
        Point to;
        Pen pen;
    };
    struct Text {
        Point at;
        std::string text;
        FontDescription font;
        Colour colour;
    };
    std::vector<Line> lines;
    std::vector<Text> texts;

private:
    Pen pen_;
    Brush brush_;
    Colour textColour_ = 0;
    Point position_;
};

}  // namespace shinofu::platform
