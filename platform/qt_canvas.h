// The canvas over a QPainter: screen images, PNG, SVG, PDF and the printer.
#pragma once

#include <QFontMetricsF>
#include <QPainter>
#include <optional>

#include "platform/canvas.h"
#include "platform/font_catalog.h"
#include "platform/qt_glyph_paths.h"

namespace shinofu::platform {

class QtCanvas : public Canvas {
public:
    // The painter must outlive the canvas; glyphs and catalog are shared, read-only resources.
    QtCanvas(QPainter& painter, const QtGlyphPaths& glyphs, const FontCatalog& catalog);

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
    int textWidth(const std::string& utf8, const FontDescription& font) override;
    int textHeight(const std::string& utf8, const FontDescription& font) override;
    Rect textInk(const std::string& utf8, const FontDescription& font) override;

    static QColor toQColor(Colour colour);
    // Whether Qt knows the family; the catalog's test for installed faces.
    static bool isFamilyInstalled(const std::string& family);

private:
    // The Qt font and metrics of a description; pages draw hundreds of texts in a few fonts.
    struct FontInUse {
        FontDescription description;
        QFont font;
        QFontMetricsF metrics;
    };
    const FontInUse& fontFor(const FontDescription& font);
    QFont qtFont(const FontDescription& font) const;
    void applyMode();

    QPainter& painter_;
    const QtGlyphPaths& glyphs_;
    const FontCatalog& catalog_;
    Pen pen_;
    Brush brush_;
    Colour textColour_ = 0;
    bool opaqueText_ = false;
    Colour textBackground_ = 0xFFFFFF;
    QPoint position_;
    std::optional<FontInUse> fontInUse_;
};

}  // namespace shinofu::platform
