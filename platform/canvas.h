// The one drawing interface, in integer pixels: pens, brushes, lines, shapes, paths and text.
// Every picture (screen, export, printer) is drawn through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shinofu::platform {

using Colour = uint32_t;  // 0x00BBGGRR

enum class PenStyle { Solid, Dotted };
// Raster modes of the pen: copy, xor, merge (pen | screen), merge-pen-not (pen | ~screen).
enum class RasterMode { Copy, Xor, Merge, MergePenNot };

struct Pen {
    Colour colour = 0;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    RasterMode mode = RasterMode::Copy;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Colour colour = 0;
    bool clear = false;  // hollow: shapes are outlined only
    bool operator==(const Brush&) const = default;
};

// A font made from a description; height is the cell height in pixels.
struct FontDescription {
    int height = 12;
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string face;
    bool operator==(const FontDescription&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A closed outline in real pixel coordinates, for glyphs: move, line and cubic segments.
struct PathPoint {
    double x;
    double y;
};
struct Path {
    enum class Op : uint8_t { Move, Line, Cubic, Close };
    std::vector<Op> ops;
    std::vector<PathPoint> points;  // one per Move/Line, three per Cubic, none per Close

    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void cubicTo(double x1, double y1, double x2, double y2, double x, double y);
    void close();
    bool empty() const { return ops.empty(); }
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void polygon(const std::vector<Point>& points) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // A start point followed by three points per cubic segment.
    virtual void bezier(const std::vector<Point>& points) = 0;
    // Filled with the brush colour, without outline.
    virtual void fillPath(const Path& path) = 0;

    virtual void setTextColour(Colour colour) = 0;
    virtual void setTextBackground(bool opaque, Colour colour) = 0;
    // Text with its cell's top-left corner at (x, y); the music face draws its glyphs as paths.
    virtual void text(int x, int y, const std::string& utf8, const FontDescription& font) = 0;
    virtual int textWidth(const std::string& utf8, const FontDescription& font) = 0;
    virtual int textHeight(const std::string& utf8, const FontDescription& font) = 0;
    // The inked part of a text drawn at (0, 0), as tightly as the canvas can tell: by default the
    // whole cell. What keeps placed items apart, so it must not depend on where the page goes.
    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };
    virtual Rect textInk(const std::string& utf8, const FontDescription& font);
};

}  // namespace shinofu::platform
