#include "output/wmf_canvas.h"

#include "output/uemf_records.h"

#include <uwmf.h>

#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/text_codec.h"

namespace shinofu::output {
namespace {

using platform::Point;

int16_t coordinate(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

U_POINT16 point16(Point p) { return point16_set(coordinate(p.x), coordinate(p.y)); }

U_RECT16 rect16(int left, int top, int right, int bottom) {
    return U_RECT16{coordinate(left), coordinate(top), coordinate(right), coordinate(bottom)};
}

std::vector<U_POINT16> pointsOf(const std::vector<Point>& points) {
    std::vector<U_POINT16> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(point16(p));
    return out;
}

// A record holds at most 32767 points; longer outlines are split into several.
constexpr size_t kMaxPoints = 32000;

}  // namespace

struct WmfCanvas::Records : UemfRecords<WMFTRACK, WMFHANDLES, U_METARECORD> {
    Records() : UemfRecords(wmf_append, wselectobject_set, wdeleteobject_set) {}
};

WmfCanvas::WmfCanvas(int width, int height, int dotsPerInch, const platform::QtGlyphPaths& glyphs,
                     const platform::FontCatalog& catalog)
    : MetafileCanvas(glyphs, catalog), records_(std::make_unique<Records>()) {
    Records& r = *records_;
    if (wmf_start("/dev/null", 1 << 16, 1 << 16, &r.track) != 0 || wmf_htable_create(128, 128, &r.handles) != 0 ||
        !r.redirectToMemory()) {
        r.failed = true;
        return;
    }

    // The placeable header gives the picture's size in inches at its resolution.
    U_PAIRF* inches = U_PAIRF_set(static_cast<float>(width) / dotsPerInch, static_cast<float>(height) / dotsPerInch);
    char* header = U_WMRHEADER_set(inches, static_cast<unsigned>(dotsPerInch));
    std::free(inches);
    if (!header || wmf_header_append(reinterpret_cast<U_METARECORD*>(header), r.track, 1) != 0) r.failed = true;
    r.append(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
    r.append(U_WMRSETWINDOWEXT_set(point16_set(coordinate(width), coordinate(height))));
    r.append(U_WMRSETBKMODE_set(U_TRANSPARENT));
    r.append(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
    r.append(U_WMRSETTEXTALIGN_set(U_TA_LEFT | U_TA_TOP));
}

WmfCanvas::~WmfCanvas() {
    if (records_->handles) wmf_htable_free(&records_->handles);
    if (records_->track) wmf_free(&records_->track);
}

std::string WmfCanvas::finish() {
    Records& r = *records_;
    if (!r.track) return {};
    r.append(U_WMREOF_set());
    if (r.failed || wmf_finish(r.track) != 0) return {};
    return r.stream.bytes();
}

void WmfCanvas::selectPen(const std::optional<platform::Pen>& pen) {
    uint32_t made = 0;
    const U_PEN logical =
        pen ? U_PEN_set(pen->style == platform::PenStyle::Dotted ? U_PS_DOT : U_PS_SOLID,
                        static_cast<uint16_t>(std::clamp(pen->width, 1, 32767)), colourRef(pen->colour))
            : U_PEN_set(U_PS_NULL, 1, colourRef(0));
    char* creation = wcreatepenindirect_set(&made, records_->handles, logical);
    records_->replace(records_->pen, made, creation);
}

void WmfCanvas::selectBrush(const std::optional<platform::Colour>& brush) {
    uint32_t made = 0;
    const U_WLOGBRUSH logical =
        brush ? U_WLOGBRUSH_set(U_BS_SOLID, colourRef(*brush), 0) : U_WLOGBRUSH_set(U_BS_NULL, colourRef(0), 0);
    char* creation = wcreatebrushindirect_set(&made, records_->handles, logical);
    records_->replace(records_->brush, made, creation);
}

void WmfCanvas::selectFont(const platform::FontDescription& font, const std::string& face) {
    std::string faceName = platform::TextCodec::encode(face).bytes.substr(0, 31);
    U_FONT* logical = U_FONT_set(coordinate(font.height), coordinate(font.width), 0, 0, coordinate(font.weight),
                                 font.italic, font.underline, font.strikeOut, U_SHIFTJIS_CHARSET, U_OUT_DEFAULT_PRECIS,
                                 U_CLIP_DEFAULT_PRECIS, U_ANTIALIASED_QUALITY, U_DEFAULT_PITCH, faceName.data());
    uint32_t made = 0;
    char* creation = logical ? wcreatefontindirect_set(&made, records_->handles, logical) : nullptr;
    std::free(logical);
    records_->replace(records_->font, made, creation);
}

void WmfCanvas::recordRasterMode(platform::RasterMode mode) { records_->append(U_WMRSETROP2_set(rop2Of(mode))); }

void WmfCanvas::recordTextColour(platform::Colour colour) { records_->append(U_WMRSETTEXTCOLOR_set(colourRef(colour))); }

void WmfCanvas::recordTextBackground(bool opaque, platform::Colour colour) {
    records_->append(U_WMRSETBKMODE_set(opaque ? U_OPAQUE : U_TRANSPARENT));
    records_->append(U_WMRSETBKCOLOR_set(colourRef(colour)));
}

void WmfCanvas::recordMoveTo(Point to) { records_->append(U_WMRMOVETO_set(point16(to))); }

void WmfCanvas::recordLineTo(Point to) { records_->append(U_WMRLINETO_set(point16(to))); }

void WmfCanvas::recordRectangle(int left, int top, int right, int bottom) {
    records_->append(U_WMRRECTANGLE_set(rect16(left, top, right, bottom)));
}

void WmfCanvas::recordEllipse(int left, int top, int right, int bottom) {
    records_->append(U_WMRELLIPSE_set(rect16(left, top, right, bottom)));
}

void WmfCanvas::recordPolygon(const std::vector<Point>& points) {
    const auto out = pointsOf(points);
    records_->append(U_WMRPOLYGON_set(static_cast<uint16_t>(std::min(out.size(), kMaxPoints)), out.data()));
}

void WmfCanvas::recordPolyPolygon(const std::vector<std::vector<Point>>& polygons) {
    std::vector<U_POINT16> all;
    std::vector<uint16_t> counts;
    auto flush = [&] {
        if (counts.empty()) return;
        records_->append(U_WMRPOLYPOLYGON_set(static_cast<uint16_t>(counts.size()), counts.data(), all.data()));
        all.clear();
        counts.clear();
    };
    for (const auto& polygon : polygons) {
        if (polygon.size() > kMaxPoints) continue;  // no outline of a page comes near this
        if (all.size() + polygon.size() > kMaxPoints) flush();
        const auto out = pointsOf(polygon);
        all.insert(all.end(), out.begin(), out.end());
        counts.push_back(static_cast<uint16_t>(out.size()));
    }
    flush();
}

void WmfCanvas::recordBezier(const std::vector<Point>& points) {
    const auto out = pointsOf(flattenBezier(points));
    records_->append(U_WMRPOLYLINE_set(static_cast<uint16_t>(std::min(out.size(), kMaxPoints)), out.data()));
}

void WmfCanvas::recordText(Point at, const std::u16string& text, const std::vector<int>& advances) {
    (void)advances;  // per-byte advances of double-byte text are read differently by each reader
    const QString utf16 = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    std::string bytes = platform::TextCodec::encode(utf16.toStdString()).bytes;
    if (bytes.size() > 32000) bytes.resize(32000);
    records_->append(U_WMREXTTEXTOUT_set(point16(at), static_cast<int16_t>(bytes.size()), 0, bytes.c_str(), nullptr,
                                         U_RECT16{0, 0, 0, 0}));
}

}  // namespace shinofu::output
