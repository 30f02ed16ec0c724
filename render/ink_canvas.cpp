#include "render/ink_canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/music_glyphs.h"
#include "render/music_codes.h"
#include "render/page_geometry.h"

namespace shinofu::render {
namespace {

bool isObstacle(InkKind kind) { return kind != InkKind::Ground && kind != InkKind::StaffLine; }

Box boxOf(const std::vector<platform::Point>& points) {
    Box box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const platform::Point& p : points) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

}  // namespace

int clearanceGap(double unit) { return std::max(1, static_cast<int>(std::lround(kStaffLineSpacing * unit / 4))); }

const Ink* InkCanvas::firstNear(const Box& box, int gap) const {
    const Ink* found = nullptr;
    anyObstacle(box, gap, [&](const Ink& ink) {
        if (ink.owner == owner_ || !box.near(ink.box, gap)) return false;
        if (mode_ == Mode::Plan && ink.row != ownerRow_) return false;
        found = &ink;
        return true;
    });
    return found;
}

// Boxes are rounded outwards, so ink that only touches can share a pixel row: an overlap is two pixels.
bool InkCanvas::overlaps(const Box& box) const { return firstNear(box, -1) != nullptr; }

std::optional<int> InkCanvas::shiftToClear(const Box& box, Away away, int gap, int limit) const {
    if (!keepClear_) return std::nullopt;
    // A staff the item lies on it may leave; one on its way (its own too) it may neither reach nor
    // cross, nor the sheet's edge. Planning, the rows have room: only its own staff is in the way.
    std::vector<const Box*> walls;
    if (away != Away::Right) {
        for (size_t row = 1; row <= bands_.size(); ++row) {
            const Box& staff = bands_[row - 1];
            if (mode_ == Mode::Plan && static_cast<int>(row) != ownerRow_) continue;
            const bool ahead = away == Away::Up ? staff.bottom <= box.top : staff.top >= box.bottom;
            if (ahead && !box.near(staff, 0)) walls.push_back(&staff);
        }
    }
    // Each obstacle met pushes the box just past it; the box only moves one way, so the first place
    // without an obstacle is the nearest clear one.
    int shift = 0;
    while (shift <= limit) {
        const Box at = box.movedToward(away, shift);
        const Box swept = away == Away::Up ? Box{box.left, at.top, box.right, box.bottom}
                                           : Box{box.left, box.top, box.right, at.bottom};
        if (at.top < sheetTop_ || (mode_ != Mode::Plan && at.bottom > sheetBottom_)) return std::nullopt;
        for (const Box* wall : walls) {
            if (swept.near(*wall, gap)) return std::nullopt;
        }
        const Ink* ink = firstNear(at, gap);
        if (!ink) return shift;
        const int needed = away == Away::Up     ? at.bottom - (ink->box.top - gap)
                           : away == Away::Down ? ink->box.bottom + gap - at.top
                                                : ink->box.right + gap - at.left;
        shift += std::max(1, needed);
    }
    return std::nullopt;
}

int InkCanvas::pastOwnStaff(const Box& box, Away away, int gap) const {
    if (ownerRow_ < 1 || ownerRow_ > static_cast<int>(bands_.size()) || away == Away::Right) return 0;
    const Box& staff = bands_[static_cast<size_t>(ownerRow_ - 1)];
    if (away == Away::Up) return staff.bottom <= box.top ? box.bottom - (staff.top - gap) : 0;
    return staff.top >= box.bottom ? staff.bottom + gap - box.top : 0;
}

Box InkCanvas::extent() const {
    if (ink_.empty()) return {};
    Box all = ink_.front().box;
    for (const Ink& ink : ink_) {
        all = {std::min(all.left, ink.box.left), std::min(all.top, ink.box.top), std::max(all.right, ink.box.right),
               std::max(all.bottom, ink.box.bottom)};
    }
    return all;
}

template <typename Visit>
bool InkCanvas::anyObstacle(const Box& box, int gap, Visit visit) const {
    // A negative gap (overlap only) must not shrink a thin box's cells to none.
    const int reach = std::max(0, gap);
    for (int column = cellOf(box.left - reach); column <= cellOf(box.right + reach); ++column) {
        for (int row = cellOf(box.top - reach); row <= cellOf(box.bottom + reach); ++row) {
            const auto found = cells_.find(cellKey(column, row));
            if (found == cells_.end()) continue;
            for (int index : found->second) {
                if (visit(ink_[static_cast<size_t>(index)])) return true;
            }
        }
    }
    return false;
}

void InkCanvas::add(Box box, bool line) {
    // Lines drawn with the staff are the staff and its bars: items cross them by design.
    const InkKind kind = line && kind_ == InkKind::Staff ? InkKind::StaffLine : kind_;
    if (ownerRow_ == 0) ownerRow_ = rowNear(box);
    ink_.push_back({box, kind, owner_, ownerRow_, ownerMoved_});
    if (mode_ == Mode::Measure || !isObstacle(kind)) return;
    const int index = static_cast<int>(ink_.size() - 1);
    for (int column = cellOf(box.left); column <= cellOf(box.right); ++column) {
        for (int row = cellOf(box.top); row <= cellOf(box.bottom); ++row) cells_[cellKey(column, row)].push_back(index);
    }
}

int InkCanvas::rowNear(const Box& box) const {
    const int middle = (box.top + box.bottom) / 2;
    int nearest = 0;
    for (int row = 1; row <= static_cast<int>(rowMiddles_.size()); ++row) {
        if (nearest == 0 || std::abs(rowMiddles_[row - 1] - middle) < std::abs(rowMiddles_[nearest - 1] - middle)) nearest = row;
    }
    return nearest;
}

Box InkCanvas::stroked(const Box& box) const {
    const int half = penWidth_ / 2;
    return {box.left - half, box.top - half, box.right + half + 1, box.bottom + half + 1};
}

void InkCanvas::setPen(const platform::Pen& pen) {
    penWidth_ = std::max(1, pen.width);
    if (drawing()) target_.setPen(pen);
}

void InkCanvas::setBrush(const platform::Brush& brush) {
    if (drawing()) target_.setBrush(brush);
}

void InkCanvas::moveTo(int x, int y) {
    position_ = {x, y};
    if (drawing()) target_.moveTo(x, y);
}

void InkCanvas::lineTo(int x, int y) {
    add(stroked(boxOf({position_, {x, y}})), true);
    position_ = {x, y};
    if (drawing()) target_.lineTo(x, y);
}

void InkCanvas::rectangle(int left, int top, int right, int bottom) {
    add({left, top, right, bottom}, false);
    if (drawing()) target_.rectangle(left, top, right, bottom);
}

void InkCanvas::polygon(const std::vector<platform::Point>& points) {
    if (!points.empty()) add(boxOf(points), false);
    if (drawing()) target_.polygon(points);
}

void InkCanvas::ellipse(int left, int top, int right, int bottom) {
    add({left, top, right, bottom}, false);
    if (drawing()) target_.ellipse(left, top, right, bottom);
}

void InkCanvas::bezier(const std::vector<platform::Point>& points) {
    // The curve itself, sampled: the hull of its control points reaches far past a slur's arc.
    if (!points.empty()) {
        std::vector<platform::Point> samples = {points.front()};
        for (size_t at = 0; at + 3 < points.size(); at += 3) {
            for (int step = 1; step <= 8; ++step) {
                const double t = step / 8.0;
                const double a = (1 - t) * (1 - t) * (1 - t), b = 3 * (1 - t) * (1 - t) * t, c = 3 * (1 - t) * t * t,
                             d = t * t * t;
                samples.push_back({static_cast<int>(std::lround(a * points[at].x + b * points[at + 1].x +
                                                                c * points[at + 2].x + d * points[at + 3].x)),
                                   static_cast<int>(std::lround(a * points[at].y + b * points[at + 1].y +
                                                                c * points[at + 2].y + d * points[at + 3].y))});
            }
        }
        add(stroked(boxOf(samples)), true);
    }
    if (drawing()) target_.bezier(points);
}

void InkCanvas::fillPath(const platform::Path& path) {
    if (!path.points.empty()) {
        std::vector<platform::Point> points;
        for (const platform::PathPoint& p : path.points) {
            points.push_back({static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))});
        }
        const Box box = boxOf(points);
        add({box.left, box.top, box.right + 1, box.bottom + 1}, false);
    }
    if (drawing()) target_.fillPath(path);
}

void InkCanvas::text(int x, int y, const std::string& utf8, const platform::FontDescription& font) {
    // The music font's ink comes from its outlines whatever the target: every picture of a page
    // places its items alike.
    const Rect ink = textInk(utf8, font);
    if (ink.right > ink.left && ink.bottom > ink.top) add({x + ink.left, y + ink.top, x + ink.right, y + ink.bottom}, false);
    if (drawing()) target_.text(x, y, utf8, font);
}

platform::Canvas::Rect InkCanvas::textInk(const std::string& utf8, const platform::FontDescription& font) {
    // An item measured on its own asks the page, which remembers.
    if (mode_ == Mode::Measure) return target_.textInk(utf8, font);
    if (!textInk_) textInk_ = std::make_shared<TextInk>();
    const auto key = std::make_tuple(utf8, font.face, font.height, font.weight, font.italic);
    if (const auto found = textInk_->find(key); found != textInk_->end()) return found->second;
    Rect ink;
    if (font.face == kMusicFace) {
        ink = platform::MusicGlyphs::shared().ink(platform::MusicGlyphs::codesOf(utf8), font.height);
    } else {
        ink = target_.textInk(utf8, font);
    }
    return textInk_->emplace(key, ink).first->second;
}

}  // namespace shinofu::render
