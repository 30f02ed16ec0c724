#include "render/row_room.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace shinofu::render {
namespace {

// The lowest ink of a row over each pixel column (bottom) or its highest (top).
class Skyline {
public:
    Skyline(int left, int right, bool bottom) : left_(left), bottom_(bottom), at_(static_cast<size_t>(right - left), bottom ? INT_MIN : INT_MAX) {}
    void add(const Box& box, int widen) {
        const int from = std::max(left_, box.left - widen) - left_;
        const int to = std::min(left_ + static_cast<int>(at_.size()), box.right + widen) - left_;
        for (int x = from; x < to; ++x) at_[static_cast<size_t>(x)] = bottom_ ? std::max(at_[static_cast<size_t>(x)], box.bottom) : std::min(at_[static_cast<size_t>(x)], box.top);
    }
    bool has(size_t x) const { return at_[x] != (bottom_ ? INT_MIN : INT_MAX); }
    int operator[](size_t x) const { return at_[x]; }
    size_t size() const { return at_.size(); }

private:
    int left_;
    bool bottom_;
    std::vector<int> at_;
};

bool onSkyline(InkKind kind) { return kind != InkKind::Ground && kind != InkKind::StaffLine; }

// What the gap between two rows has: whether it must open (their ink overlaps, or an item that gave
// way comes closer than the gap: where it went there must be room), and how far to keep gap pixels
// (less than zero: room to spare). Ink closer than the gap where the formulas put it stays as it was.
struct GapNeed {
    bool open = false;
    int need = INT_MIN;
};

GapNeed gapBetween(const std::vector<Ink>& upper, const std::vector<Ink>& lower, int gap) {
    int left = INT_MAX, right = INT_MIN;
    for (const auto* row : {&upper, &lower}) {
        for (const Ink& ink : *row) {
            left = std::min(left, ink.box.left - gap);
            right = std::max(right, ink.box.right + gap);
        }
    }
    Skyline hangs(left, right, true), hangsWide(left, right, true), movedHangWide(left, right, true);
    Skyline stands(left, right, false), movedStand(left, right, false);
    for (const Ink& ink : upper) {
        hangs.add(ink.box, 0);
        hangsWide.add(ink.box, gap);
        if (ink.moved) movedHangWide.add(ink.box, gap);
    }
    for (const Ink& ink : lower) {
        stands.add(ink.box, 0);
        if (ink.moved) movedStand.add(ink.box, 0);
    }
    GapNeed result;
    for (size_t x = 0; x < stands.size(); ++x) {
        if (hangsWide.has(x) && stands.has(x)) result.need = std::max(result.need, hangsWide[x] + gap - stands[x]);
        // One shared pixel row is touching, not overlapping.
        if (hangs.has(x) && stands.has(x) && hangs[x] - stands[x] >= 2) result.open = true;
        if (movedHangWide.has(x) && stands.has(x) && movedHangWide[x] + gap > stands[x]) result.open = true;
        if (hangsWide.has(x) && movedStand.has(x) && hangsWide[x] + gap > movedStand[x]) result.open = true;
    }
    return result;
}

}  // namespace

std::vector<double> rowDrops(const std::vector<Ink>& ink, const std::vector<Box>& bands, int gap, int pageBottom,
                             double unit) {
    const int rows = static_cast<int>(bands.size());
    if (rows < 2) return {};
    std::vector<std::vector<Ink>> boxes(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) boxes[static_cast<size_t>(row)].push_back({bands[static_cast<size_t>(row)], InkKind::StaffLine, 0, row + 1});
    for (const Ink& piece : ink) {
        if (onSkyline(piece.kind) && piece.row >= 1 && piece.row <= rows) boxes[static_cast<size_t>(piece.row - 1)].push_back(piece);
    }
    std::vector<int> extra(static_cast<size_t>(rows - 1), 0), spare(static_cast<size_t>(rows - 1), 0);
    for (int row = 0; row + 1 < rows; ++row) {
        const GapNeed gapNeed = gapBetween(boxes[static_cast<size_t>(row)], boxes[static_cast<size_t>(row + 1)], gap);
        if (gapNeed.open) extra[static_cast<size_t>(row)] = std::max(0, gapNeed.need);
        else if (gapNeed.need > INT_MIN && gapNeed.need < 0) spare[static_cast<size_t>(row)] = -gapNeed.need;
    }
    const int wanted = std::accumulate(extra.begin(), extra.end(), 0);
    if (wanted == 0) return {};
    int lowest = INT_MIN;
    for (const Ink& piece : boxes.back()) lowest = std::max(lowest, piece.box.bottom);
    // Short of room at the foot: the gaps with room to spare give some up, in proportion; what is
    // still short is taken from the opened gaps alike.
    const int foot = std::max(0, pageBottom - gap - lowest);
    const int shortBy = std::max(0, wanted - foot);
    const int spareAll = std::accumulate(spare.begin(), spare.end(), 0);
    const int given = std::min(shortBy, spareAll);
    const double opened = std::min(1.0, static_cast<double>(foot + given) / wanted);
    std::vector<double> drops(static_cast<size_t>(rows), 0.0);
    double drop = 0;
    for (int row = 0; row + 1 < rows; ++row) {
        const size_t at = static_cast<size_t>(row);
        drop += extra[at] * opened - (spareAll > 0 ? static_cast<double>(spare[at]) * given / spareAll : 0.0);
        drops[at + 1] = std::ceil(drop) / unit;
    }
    return drops;
}

}  // namespace shinofu::render
