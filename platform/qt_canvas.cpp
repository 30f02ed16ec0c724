#include "platform/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainterPath>
#include <cmath>

#include "platform/text_codec.h"

namespace shinofu::platform {
namespace {

QPainter::CompositionMode compositionFor(RasterMode mode) {
    switch (mode) {
    case RasterMode::Xor: return QPainter::RasterOp_SourceXorDestination;
    case RasterMode::Merge: return QPainter::RasterOp_SourceOrDestination;
    case RasterMode::MergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const QtGlyphPaths& glyphs, const FontCatalog& catalog)
    : painter_(painter), glyphs_(glyphs), catalog_(catalog) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QColor QtCanvas::toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

bool QtCanvas::isFamilyInstalled(const std::string& family) {
    return QFontDatabase::hasFamily(QString::fromStdString(family));
}

void QtCanvas::applyMode() {
    // Raster operations only exist on raster targets; elsewhere (SVG, PDF) they draw as copy.
    const bool raster = painter_.device() && painter_.device()->devType() == QInternal::Image;
    painter_.setCompositionMode(raster ? compositionFor(pen_.mode) : QPainter::CompositionMode_SourceOver);
    // Bitwise modes are only meaningful on whole pixels.
    painter_.setRenderHint(QPainter::Antialiasing, pen_.mode == RasterMode::Copy);
}

void QtCanvas::setPen(const Pen& pen) {
    pen_ = pen;
    QPen qpen(toQColor(pen.colour));
    qpen.setWidth(std::max(1, pen.width));
    qpen.setStyle(pen.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    qpen.setCapStyle(Qt::FlatCap);
    painter_.setPen(qpen);
}

void QtCanvas::setBrush(const Brush& brush) {
    brush_ = brush;
    painter_.setBrush(brush.clear ? QBrush(Qt::NoBrush) : QBrush(toQColor(brush.colour)));
}

void QtCanvas::moveTo(int x, int y) { position_ = QPoint(x, y); }

void QtCanvas::lineTo(int x, int y) {
    applyMode();
    // Staff, bar and ledger lines lie on whole pixels: smoothing them changes nothing and costs the most.
    if (x == position_.x() || y == position_.y()) painter_.setRenderHint(QPainter::Antialiasing, false);
    // Pixel centres: a 1-pixel line from (x, y) covers that pixel row, as on a GDI device.
    const double shift = painter_.pen().width() % 2 ? 0.5 : 0.0;
    painter_.drawLine(QPointF(position_.x() + shift, position_.y() + shift), QPointF(x + shift, y + shift));
    position_ = QPoint(x, y);
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
    applyMode();
    // A GDI rectangle fills up to but not including its right and bottom edges.
    painter_.drawRect(QRectF(left, top, right - left, bottom - top));
}

void QtCanvas::polygon(const std::vector<Point>& points) {
    applyMode();
    QPolygon polygon;
    for (Point p : points) polygon << QPoint(p.x, p.y);
    painter_.drawPolygon(polygon);
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    applyMode();
    painter_.drawEllipse(QRectF(left, top, right - left, bottom - top));
}

void QtCanvas::bezier(const std::vector<Point>& points) {
    if (points.size() < 4) return;
    applyMode();
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (size_t i = 1; i + 2 < points.size(); i += 3) {
        path.cubicTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x, points[i + 2].y);
    }
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
    painter_.restore();
}

void QtCanvas::fillPath(const Path& path) {
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.fillPath(toPainterPath(path), QBrush(toQColor(brush_.colour)));
}

void QtCanvas::setTextColour(Colour colour) { textColour_ = colour; }

void QtCanvas::setTextBackground(bool opaque, Colour colour) {
    opaqueText_ = opaque;
    textBackground_ = colour;
}

QFont QtCanvas::qtFont(const FontDescription& font) const {
    QFont qfont(QString::fromStdString(catalog_.installedFace(font.face)));
    qfont.setPixelSize(std::max(1, font.height));
    qfont.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

const QtCanvas::FontInUse& QtCanvas::fontFor(const FontDescription& font) {
    if (!fontInUse_ || !(fontInUse_->description == font)) {
        QFont qfont = qtFont(font);
        fontInUse_.emplace(FontInUse{font, qfont, QFontMetricsF(qfont)});
    }
    return *fontInUse_;
}

void QtCanvas::text(int x, int y, const std::string& utf8, const FontDescription& font) {
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    if (opaqueText_) painter_.fillRect(QRect(x, y, textWidth(utf8, font), font.height), toQColor(textBackground_));
    if (FontCatalog::isMusicFace(font.face)) {
        const QColor colour = toQColor(textColour_);
        const bool raster = painter_.device() && painter_.device()->devType() == QInternal::Image &&
                            painter_.transform().isIdentity();
        double left = x;
        for (unsigned char code : MusicGlyphs::codesOf(utf8)) {
            const QtGlyphPaths::Stamp* stamp = raster ? glyphs_.stamp(code, font.height, colour.rgb()) : nullptr;
            if (stamp) {
                painter_.drawImage(QPoint(static_cast<int>(std::lround(left)), y) + stamp->offset, stamp->image);
            } else {
                painter_.translate(left, y);
                painter_.fillPath(glyphs_.path(code, font.height), QBrush(colour));
                painter_.translate(-left, -y);
            }
            left += glyphs_.glyphs().advance(code, font.height);
        }
        return;
    }
    const FontInUse& inUse = fontFor(font);
    if (painter_.font() != inUse.font) painter_.setFont(inUse.font);
    const QPen linePen = painter_.pen();
    painter_.setPen(toQColor(textColour_));
    painter_.drawText(QPointF(x, y + inUse.metrics.ascent()), QString::fromStdString(utf8));
    painter_.setPen(linePen);
}

int QtCanvas::textWidth(const std::string& utf8, const FontDescription& font) {
    if (FontCatalog::isMusicFace(font.face)) {
        return static_cast<int>(glyphs_.glyphs().textAdvance(MusicGlyphs::codesOf(utf8), font.height) + 0.5);
    }
    return static_cast<int>(std::lround(fontFor(font).metrics.horizontalAdvance(QString::fromStdString(utf8))));
}

int QtCanvas::textHeight(const std::string& utf8, const FontDescription& font) {
    if (FontCatalog::isMusicFace(font.face)) return font.height;
    (void)utf8;
    return static_cast<int>(std::lround(fontFor(font).metrics.height()));
}

Canvas::Rect QtCanvas::textInk(const std::string& utf8, const FontDescription& font) {
    if (FontCatalog::isMusicFace(font.face)) {
        return glyphs_.glyphs().ink(MusicGlyphs::codesOf(utf8), font.height);
    }
    const FontInUse& inUse = fontFor(font);
    const QRectF ink = inUse.metrics.tightBoundingRect(QString::fromStdString(utf8)).translated(0, inUse.metrics.ascent());
    if (ink.isEmpty()) return {};
    return {static_cast<int>(std::floor(ink.left())), static_cast<int>(std::floor(ink.top())),
            static_cast<int>(std::ceil(ink.right())), static_cast<int>(std::ceil(ink.bottom()))};
}

}  // namespace shinofu::platform
