#include "output/metafile_canvas.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace shinofu::output {
namespace {

using platform::Point;

Point rounded(double x, double y) { return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))}; }

// Chords about two pixels long: smooth at the doubled resolution, few enough to keep files small.
int chordsFor(const platform::PathPoint& p0, const platform::PathPoint& p1, const platform::PathPoint& p2,
              const platform::PathPoint& p3) {
    const double length = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                          std::hypot(p3.x - p2.x, p3.y - p2.y);
    return std::clamp(static_cast<int>(std::ceil(length / 2.0)), 1, 64);
}

void appendCubic(std::vector<Point>& out, const platform::PathPoint& p0, const platform::PathPoint& p1,
                 const platform::PathPoint& p2, const platform::PathPoint& p3, double dx, double dy) {
    const int chords = chordsFor(p0, p1, p2, p3);
    for (int i = 1; i <= chords; ++i) {
        const double t = static_cast<double>(i) / chords;
        const double u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        const Point point = rounded(a * p0.x + b * p1.x + c * p2.x + d * p3.x + dx, a * p0.y + b * p1.y + c * p2.y + d * p3.y + dy);
        if (out.empty() || !(out.back() == point)) out.push_back(point);
    }
}

}  // namespace

MemoryStream::MemoryStream() : file_(open_memstream(&data_, &size_)) {}

MemoryStream::~MemoryStream() {
    if (file_) std::fclose(file_);
    std::free(data_);
}

MetafileCanvas::MetafileCanvas(const platform::QtGlyphPaths& glyphs, const platform::FontCatalog& catalog)
    : glyphs_(glyphs), catalog_(catalog) {
    measurePainter_ = std::make_unique<QPainter>(&measureImage_);
    measure_ = std::make_unique<platform::QtCanvas>(*measurePainter_, glyphs, catalog);
}

MetafileCanvas::~MetafileCanvas() {
    measure_.reset();
    measurePainter_->end();
}

std::vector<std::vector<Point>> MetafileCanvas::flatten(const platform::Path& path, double dx, double dy) {
    std::vector<std::vector<Point>> polygons;
    size_t at = 0;
    platform::PathPoint current{0, 0};
    for (platform::Path::Op op : path.ops) {
        switch (op) {
            case platform::Path::Op::Move:
                polygons.emplace_back();
                current = path.points[at++];
                polygons.back().push_back(rounded(current.x + dx, current.y + dy));
                break;
            case platform::Path::Op::Line: {
                if (polygons.empty()) polygons.emplace_back();
                current = path.points[at++];
                const Point point = rounded(current.x + dx, current.y + dy);
                if (polygons.back().empty() || !(polygons.back().back() == point)) polygons.back().push_back(point);
                break;
            }
            case platform::Path::Op::Cubic:
                if (polygons.empty()) polygons.emplace_back();
                appendCubic(polygons.back(), current, path.points[at], path.points[at + 1], path.points[at + 2], dx, dy);
                current = path.points[at + 2];
                at += 3;
                break;
            case platform::Path::Op::Close: break;
        }
    }
    std::erase_if(polygons, [](const std::vector<Point>& polygon) { return polygon.size() < 3; });
    return polygons;
}

std::vector<Point> MetafileCanvas::flattenBezier(const std::vector<Point>& points) {
    if (points.empty()) return {};
    std::vector<Point> line{points.front()};
    for (size_t i = 1; i + 2 < points.size(); i += 3) {
        auto real = [](Point p) { return platform::PathPoint{double(p.x), double(p.y)}; };
        appendCubic(line, real(points[i - 1]), real(points[i]), real(points[i + 1]), real(points[i + 2]), 0, 0);
    }
    return line;
}

void MetafileCanvas::usePen() {
    useRasterMode(pen_.mode);
    if (selectedPen_ != std::optional<platform::Pen>(pen_)) {
        selectPen(pen_);
        selectedPen_ = std::optional<platform::Pen>(pen_);
    }
}

void MetafileCanvas::useBrush() {
    const std::optional<platform::Colour> wanted = brush_.clear ? std::nullopt : std::optional(brush_.colour);
    if (selectedBrush_ != wanted) {
        selectBrush(wanted);
        selectedBrush_ = wanted;
    }
}

void MetafileCanvas::useRasterMode(platform::RasterMode mode) {
    if (selectedMode_ != mode) {
        recordRasterMode(mode);
        selectedMode_ = mode;
    }
}

void MetafileCanvas::moveTo(int x, int y) { recordMoveTo({x, y}); }

void MetafileCanvas::lineTo(int x, int y) {
    usePen();
    recordLineTo({x, y});
}

void MetafileCanvas::rectangle(int left, int top, int right, int bottom) {
    usePen();
    useBrush();
    recordRectangle(left, top, right, bottom);
}

void MetafileCanvas::polygon(const std::vector<Point>& points) {
    if (points.size() < 2) return;
    usePen();
    useBrush();
    recordPolygon(points);
}

void MetafileCanvas::ellipse(int left, int top, int right, int bottom) {
    usePen();
    useBrush();
    recordEllipse(left, top, right, bottom);
}

void MetafileCanvas::bezier(const std::vector<Point>& points) {
    if (points.size() < 4) return;
    usePen();
    recordBezier(points);
}

void MetafileCanvas::fillPath(const platform::Path& path) { fillPolygons(flatten(path), brush_.colour); }

void MetafileCanvas::fillPolygons(const std::vector<std::vector<Point>>& polygons, platform::Colour colour) {
    if (polygons.empty()) return;
    useRasterMode(platform::RasterMode::Copy);
    const std::optional<std::optional<platform::Pen>> nullPen(std::nullopt);
    if (selectedPen_ != nullPen) {
        selectPen(std::nullopt);
        selectedPen_ = nullPen;
    }
    const std::optional<platform::Colour> fill(colour);
    if (selectedBrush_ != fill) {
        selectBrush(fill);
        selectedBrush_ = fill;
    }
    recordPolyPolygon(polygons);
}

void MetafileCanvas::setTextBackground(bool opaque, platform::Colour colour) {
    textOpaque_ = opaque;
    textBackground_ = colour;
}

void MetafileCanvas::useTextState() {
    if (selectedTextColour_ != textColour_) {
        recordTextColour(textColour_);
        selectedTextColour_ = textColour_;
    }
    const std::pair<bool, platform::Colour> background{textOpaque_, textBackground_};
    if (selectedTextBackground_ != background) {
        recordTextBackground(textOpaque_, textBackground_);
        selectedTextBackground_ = background;
    }
}

void MetafileCanvas::text(int x, int y, const std::string& utf8, const platform::FontDescription& font) {
    if (utf8.empty()) return;
    if (!platform::FontCatalog::isMusicFace(font.face)) {
        useRasterMode(platform::RasterMode::Copy);
        useTextState();
        if (selectedFont_ != font) {
            selectFont(font, catalog_.installedFace(font.face));
            selectedFont_ = font;
        }
        const QString text = QString::fromStdString(utf8);
        std::vector<int> advances;
        int before = 0;
        for (qsizetype i = 1; i <= text.size(); ++i) {
            const int upTo = measure_->textWidth(text.left(i).toStdString(), font);
            advances.push_back(upTo - before);
            before = upTo;
        }
        recordText({x, y}, std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())),
                   advances);
        return;
    }
    // Glyphs are outlines, so the picture needs no music font where it is opened.
    if (textOpaque_) {
        const int right = x + textWidth(utf8, font);
        fillPolygons({{{x, y}, {right, y}, {right, y + font.height}, {x, y + font.height}}}, textBackground_);
    }
    double left = x;
    std::vector<std::vector<Point>> polygons;
    for (unsigned char code : platform::MusicGlyphs::codesOf(utf8)) {
        const auto glyph = flatten(glyphs_.glyphs().outline(code, font.height, left, y));
        polygons.insert(polygons.end(), glyph.begin(), glyph.end());
        left += glyphs_.glyphs().advance(code, font.height);
    }
    fillPolygons(polygons, textColour_);
}

int MetafileCanvas::textWidth(const std::string& utf8, const platform::FontDescription& font) {
    return measure_->textWidth(utf8, font);
}

int MetafileCanvas::textHeight(const std::string& utf8, const platform::FontDescription& font) {
    return measure_->textHeight(utf8, font);
}

platform::Canvas::Rect MetafileCanvas::textInk(const std::string& utf8, const platform::FontDescription& font) {
    return measure_->textInk(utf8, font);
}

}  // namespace shinofu::output
