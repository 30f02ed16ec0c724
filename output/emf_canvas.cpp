#include "output/emf_canvas.h"

#include "output/uemf_records.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace shinofu::output {
namespace {

using platform::Point;

U_RECTL boundsOf(const std::vector<Point>& points) {
    U_RECTL bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Point& p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

std::vector<U_POINTL> pointsOf(const std::vector<Point>& points) {
    std::vector<U_POINTL> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(point32_set(p.x, p.y));
    return out;
}

}  // namespace

struct EmfCanvas::Records : UemfRecords<EMFTRACK, EMFHANDLES, U_ENHMETARECORD> {
    Records() : UemfRecords(emf_append, selectobject_set, deleteobject_set) {}
};

EmfCanvas::EmfCanvas(int width, int height, int dotsPerInch, const platform::QtGlyphPaths& glyphs,
                     const platform::FontCatalog& catalog)
    : MetafileCanvas(glyphs, catalog), records_(std::make_unique<Records>()) {
    Records& r = *records_;
    if (emf_start("/dev/null", 1 << 16, 1 << 16, &r.track) != 0 || emf_htable_create(128, 128, &r.handles) != 0 ||
        !r.redirectToMemory()) {
        r.failed = true;
        return;
    }

    const double mmPerPixel = 25.4 / dotsPerInch;
    const U_RECTL bounds{0, 0, width, height};  // readers take right − left for the width
    const U_RECTL frame{0, 0, static_cast<int32_t>(std::lround(width * mmPerPixel * 100)),
                        static_cast<int32_t>(std::lround(height * mmPerPixel * 100))};
    // The reference device: an A4 sheet at the picture's resolution.
    const U_SIZEL millimetres = sizel_set(210, 297);
    const U_SIZEL device = sizel_set(static_cast<int32_t>(std::lround(210 / mmPerPixel)),
                                     static_cast<int32_t>(std::lround(297 / mmPerPixel)));
    // The program's name and the picture's, each ending in a NUL.
    static const char16_t kDescription[] = u"Shinofu\0score\0";
    r.append(U_EMRHEADER_set(bounds, frame, nullptr, static_cast<U_CBSTR>(std::size(kDescription) - 1),
                             reinterpret_cast<uint16_t*>(const_cast<char16_t*>(kDescription)), device, millimetres, 0));
    r.append(U_EMRSETMAPMODE_set(U_MM_TEXT));
    r.append(U_EMRSETBKMODE_set(U_TRANSPARENT));
    r.append(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
    r.append(U_EMRSETTEXTALIGN_set(U_TA_LEFT | U_TA_TOP));
}

EmfCanvas::~EmfCanvas() {
    if (records_->handles) emf_htable_free(&records_->handles);
    if (records_->track) emf_free(&records_->track);
}

std::string EmfCanvas::finish() {
    Records& r = *records_;
    if (!r.track) return {};
    r.append(U_EMREOF_set(0, nullptr, r.track));
    if (r.failed || emf_finish(r.track, r.handles) != 0) return {};
    return r.stream.bytes();
}

void EmfCanvas::selectPen(const std::optional<platform::Pen>& pen) {
    uint32_t made = 0;
    const U_LOGPEN logical =
        pen ? logpen_set(pen->style == platform::PenStyle::Dotted ? U_PS_DOT : U_PS_SOLID,
                         point32_set(std::clamp(pen->width, 1, 32767), 0), colourRef(pen->colour))
            : logpen_set(U_PS_NULL, point32_set(1, 0), colourRef(0));
    char* creation = createpen_set(&made, records_->handles, logical);
    records_->replace(records_->pen, made, creation);
}

void EmfCanvas::selectBrush(const std::optional<platform::Colour>& brush) {
    uint32_t made = 0;
    const U_LOGBRUSH logical =
        brush ? logbrush_set(U_BS_SOLID, colourRef(*brush), 0) : logbrush_set(U_BS_NULL, colourRef(0), 0);
    char* creation = createbrushindirect_set(&made, records_->handles, logical);
    records_->replace(records_->brush, made, creation);
}

void EmfCanvas::selectFont(const platform::FontDescription& font, const std::string& face) {
    size_t length = 0;
    uint16_t* faceName = U_Utf8ToUtf16le(face.substr(0, 31).c_str(), 0, &length);
    const U_LOGFONT logical =
        logfont_set(font.height, font.width, 0, 0, font.weight, font.italic, font.underline, font.strikeOut,
                    U_DEFAULT_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_ANTIALIASED_QUALITY,
                    U_DEFAULT_PITCH, faceName);
    std::free(faceName);
    uint32_t made = 0;
    char* creation = extcreatefontindirectw_set(&made, records_->handles, reinterpret_cast<const char*>(&logical), nullptr);
    records_->replace(records_->font, made, creation);
}

void EmfCanvas::recordRasterMode(platform::RasterMode mode) { records_->append(U_EMRSETROP2_set(rop2Of(mode))); }

void EmfCanvas::recordTextColour(platform::Colour colour) { records_->append(U_EMRSETTEXTCOLOR_set(colourRef(colour))); }

void EmfCanvas::recordTextBackground(bool opaque, platform::Colour colour) {
    records_->append(U_EMRSETBKMODE_set(opaque ? U_OPAQUE : U_TRANSPARENT));
    records_->append(U_EMRSETBKCOLOR_set(colourRef(colour)));
}

void EmfCanvas::recordMoveTo(Point to) { records_->append(U_EMRMOVETOEX_set(point32_set(to.x, to.y))); }

void EmfCanvas::recordLineTo(Point to) { records_->append(U_EMRLINETO_set(point32_set(to.x, to.y))); }

void EmfCanvas::recordRectangle(int left, int top, int right, int bottom) {
    records_->append(U_EMRRECTANGLE_set(U_RECTL{left, top, right, bottom}));
}

void EmfCanvas::recordEllipse(int left, int top, int right, int bottom) {
    records_->append(U_EMRELLIPSE_set(U_RECTL{left, top, right, bottom}));
}

void EmfCanvas::recordPolygon(const std::vector<Point>& points) {
    const auto out = pointsOf(points);
    records_->append(U_EMRPOLYGON_set(boundsOf(points), static_cast<uint32_t>(out.size()), out.data()));
}

void EmfCanvas::recordPolyPolygon(const std::vector<std::vector<Point>>& polygons) {
    std::vector<Point> all;
    std::vector<uint32_t> counts;
    for (const auto& polygon : polygons) {
        all.insert(all.end(), polygon.begin(), polygon.end());
        counts.push_back(static_cast<uint32_t>(polygon.size()));
    }
    const auto out = pointsOf(all);
    records_->append(U_EMRPOLYPOLYGON_set(boundsOf(all), static_cast<uint32_t>(counts.size()), counts.data(),
                                          static_cast<uint32_t>(out.size()), out.data()));
}

void EmfCanvas::recordBezier(const std::vector<Point>& points) {
    const auto out = pointsOf(points);
    records_->append(U_EMRPOLYBEZIER_set(boundsOf(points), static_cast<uint32_t>(out.size()), out.data()));
}

void EmfCanvas::recordText(Point at, const std::u16string& text, const std::vector<int>& advances) {
    std::vector<uint32_t> dx(advances.begin(), advances.end());
    int width = 0;
    for (int advance : advances) width += advance;
    const U_RECTL box{at.x, at.y, at.x + width, at.y + 1};
    char* emrText = emrtext_set(point32_set(at.x, at.y), static_cast<U_NUM_STR>(text.size()), 2,
                                const_cast<char16_t*>(text.data()), U_ETO_NONE, U_RECTL{0, 0, -1, -1}, dx.data());
    if (!emrText) {
        records_->failed = true;
        return;
    }
    records_->append(U_EMREXTTEXTOUTW_set(box, U_GM_COMPATIBLE, 1.0f, 1.0f, reinterpret_cast<PU_EMRTEXT>(emrText)));
    std::free(emrText);
}

}  // namespace shinofu::output
