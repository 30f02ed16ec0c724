#include "platform/qt_glyph_paths.h"

#include <QPainter>

#include "platform/text_codec.h"

namespace shinofu::platform {
namespace {

// A stamp is a small image of one glyph; larger glyphs are filled as paths each time.
constexpr size_t kMaxStampBytes = 1 << 20;
constexpr size_t kStampBudget = 32 << 20;

}  // namespace

QPainterPath toPainterPath(const Path& path, double dx, double dy) {
    QPainterPath q;
    q.setFillRule(Qt::WindingFill);
    size_t at = 0;
    for (Path::Op op : path.ops) {
        switch (op) {
        case Path::Op::Move:
            q.moveTo(path.points[at].x + dx, path.points[at].y + dy);
            ++at;
            break;
        case Path::Op::Line:
            q.lineTo(path.points[at].x + dx, path.points[at].y + dy);
            ++at;
            break;
        case Path::Op::Cubic:
            q.cubicTo(path.points[at].x + dx, path.points[at].y + dy, path.points[at + 1].x + dx,
                      path.points[at + 1].y + dy, path.points[at + 2].x + dx, path.points[at + 2].y + dy);
            at += 3;
            break;
        case Path::Op::Close: q.closeSubpath(); break;
        }
    }
    return q;
}

const QPainterPath& QtGlyphPaths::path(uint8_t code, int cellHeight) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = paths_.find({code, cellHeight});
    if (found == paths_.end()) {
        found = paths_.emplace(std::pair{code, cellHeight}, toPainterPath(glyphs_.outline(code, cellHeight, 0, 0))).first;
    }
    return found->second;
}

const QtGlyphPaths::Stamp* QtGlyphPaths::stamp(uint8_t code, int cellHeight, QRgb colour) const {
    const QPainterPath& outline = path(code, cellHeight);
    std::lock_guard<std::mutex> lock(mutex_);
    auto key = std::tuple{code, cellHeight, colour};
    auto found = stamps_.find(key);
    if (found != stamps_.end()) return &found->second;
    const QRect bounds = outline.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    const size_t bytes = static_cast<size_t>(bounds.width()) * static_cast<size_t>(bounds.height()) * 4;
    if (bytes > kMaxStampBytes) return nullptr;
    if (stampBytes_ + bytes > kStampBudget) {
        stamps_.clear();
        stampBytes_ = 0;
    }
    stampBytes_ += bytes;
    Stamp made{QImage(bounds.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied), bounds.topLeft()};
    made.image.fill(Qt::transparent);
    QPainter painter(&made.image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(-bounds.topLeft());
    painter.fillPath(outline, QColor::fromRgb(colour));
    painter.end();
    return &stamps_.emplace(key, std::move(made)).first->second;
}

}  // namespace shinofu::platform
