// What the EMF and WMF canvases share: texts measured as the screen measures them, music glyphs
// and Béziers turned into the shapes both formats have, and objects selected only when they change.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_catalog.h"
#include "platform/qt_canvas.h"
#include "platform/qt_glyph_paths.h"

namespace shinofu::output {

// The bytes a metafile library writes to its FILE*, caught in memory so that the picture can go
// to the clipboard or be written atomically.
class MemoryStream {
public:
    MemoryStream();
    ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    FILE* file() const { return file_; }
    // The bytes once the library has closed the stream.
    std::string bytes() const { return data_ ? std::string(data_, size_) : std::string(); }
    // The library closes the file itself when it finishes.
    void closedByWriter() { file_ = nullptr; }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
    FILE* file_ = nullptr;
};

class MetafileCanvas : public platform::Canvas {
public:
    MetafileCanvas(const platform::QtGlyphPaths& glyphs, const platform::FontCatalog& catalog);
    ~MetafileCanvas() override;

    // Ends the picture and returns its bytes; empty when the library failed.
    virtual std::string finish() = 0;

    void setPen(const platform::Pen& pen) override { pen_ = pen; }
    void setBrush(const platform::Brush& brush) override { brush_ = brush; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<platform::Point>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void bezier(const std::vector<platform::Point>& points) override;
    void fillPath(const platform::Path& path) override;
    void setTextColour(platform::Colour colour) override { textColour_ = colour; }
    void setTextBackground(bool opaque, platform::Colour colour) override;
    void text(int x, int y, const std::string& utf8, const platform::FontDescription& font) override;
    int textWidth(const std::string& utf8, const platform::FontDescription& font) override;
    int textHeight(const std::string& utf8, const platform::FontDescription& font) override;
    Rect textInk(const std::string& utf8, const platform::FontDescription& font) override;

    // Outlines split into closed polygons, each cubic flattened into short chords.
    static std::vector<std::vector<platform::Point>> flatten(const platform::Path& path, double dx = 0, double dy = 0);
    // The points of a Bézier chain (start, then three per segment) as a polyline.
    static std::vector<platform::Point> flattenBezier(const std::vector<platform::Point>& points);

protected:
    // The records of each format. Pens, brushes and fonts are made and selected through the
    // select calls, which the base makes only when what is drawn needs another one.
    virtual void selectPen(const std::optional<platform::Pen>& pen) = 0;  // nothing: the null pen
    virtual void selectBrush(const std::optional<platform::Colour>& brush) = 0;  // nothing: hollow
    virtual void selectFont(const platform::FontDescription& font, const std::string& face) = 0;
    virtual void recordRasterMode(platform::RasterMode mode) = 0;
    virtual void recordTextColour(platform::Colour colour) = 0;
    virtual void recordTextBackground(bool opaque, platform::Colour colour) = 0;
    virtual void recordMoveTo(platform::Point to) = 0;
    virtual void recordLineTo(platform::Point to) = 0;
    virtual void recordRectangle(int left, int top, int right, int bottom) = 0;
    virtual void recordEllipse(int left, int top, int right, int bottom) = 0;
    virtual void recordPolygon(const std::vector<platform::Point>& points) = 0;
    virtual void recordPolyPolygon(const std::vector<std::vector<platform::Point>>& polygons) = 0;
    virtual void recordBezier(const std::vector<platform::Point>& points) = 0;
    // The text with each character's advance, as the screen measures them.
    virtual void recordText(platform::Point at, const std::u16string& text, const std::vector<int>& advances) = 0;

private:
    void usePen();
    void useBrush();
    void useRasterMode(platform::RasterMode mode);
    void useTextState();
    // Filled with the colour, no outline, holes where outlines overlap an odd number of times.
    void fillPolygons(const std::vector<std::vector<platform::Point>>& polygons, platform::Colour colour);

    const platform::QtGlyphPaths& glyphs_;
    const platform::FontCatalog& catalog_;
    QImage measureImage_{1, 1, QImage::Format_RGB32};
    std::unique_ptr<QPainter> measurePainter_;
    std::unique_ptr<platform::QtCanvas> measure_;  // texts are as wide as on the screen

    platform::Pen pen_;
    platform::Brush brush_;
    platform::Colour textColour_ = 0;
    bool textOpaque_ = false;
    platform::Colour textBackground_ = 0xFFFFFF;

    // What the metafile has selected now; empty before the first selection.
    std::optional<std::optional<platform::Pen>> selectedPen_;
    std::optional<std::optional<platform::Colour>> selectedBrush_;
    std::optional<platform::FontDescription> selectedFont_;
    std::optional<platform::RasterMode> selectedMode_;
    std::optional<platform::Colour> selectedTextColour_;
    std::optional<std::pair<bool, platform::Colour>> selectedTextBackground_;
};

}  // namespace shinofu::output
