// A canvas that records a plain Windows Metafile (the older format: no Béziers, 16-bit coordinates) with libuemf.
#pragma once

#include <cstdint>
#include <string>

#include "output/metafile_canvas.h"

typedef struct EMFTRACK_ EMFTRACK_;

namespace shinofu::output {

class WmfCanvas : public MetafileCanvas {
public:
    // A picture of width × height pixels, at dotsPerInch when it is placed in a document.
    WmfCanvas(int width, int height, int dotsPerInch, const platform::QtGlyphPaths& glyphs,
              const platform::FontCatalog& catalog);
    ~WmfCanvas() override;

    std::string finish() override;

protected:
    void selectPen(const std::optional<platform::Pen>& pen) override;
    void selectBrush(const std::optional<platform::Colour>& brush) override;
    void selectFont(const platform::FontDescription& font, const std::string& face) override;
    void recordRasterMode(platform::RasterMode mode) override;
    void recordTextColour(platform::Colour colour) override;
    void recordTextBackground(bool opaque, platform::Colour colour) override;
    void recordMoveTo(platform::Point to) override;
    void recordLineTo(platform::Point to) override;
    void recordRectangle(int left, int top, int right, int bottom) override;
    void recordEllipse(int left, int top, int right, int bottom) override;
    void recordPolygon(const std::vector<platform::Point>& points) override;
    void recordPolyPolygon(const std::vector<std::vector<platform::Point>>& polygons) override;
    void recordBezier(const std::vector<platform::Point>& points) override;
    void recordText(platform::Point at, const std::u16string& text, const std::vector<int>& advances) override;

private:
    struct Records;
    std::unique_ptr<Records> records_;
};

}  // namespace shinofu::output
