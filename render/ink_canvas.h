// The ink of a page as it is drawn: a canvas that passes every call on and keeps the box of what
// each call put on the page, with the kind of item that drew it. The clearance of placed items and
// the collision count read it.
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"

namespace shinofu::render {

// Which way a placed item gives way.
enum class Away { Up, Down, Right };

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Whether the boxes come closer than gap pixels (touching at gap 0 does not count).
    bool near(const Box& other, int gap) const {
        return left < other.right + gap && other.left < right + gap && top < other.bottom + gap &&
               other.top < bottom + gap;
    }
    Box moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Box movedToward(Away away, int distance) const {
        return away == Away::Right ? moved(distance, 0) : moved(0, away == Away::Up ? -distance : distance);
    }
};

// What drew a piece of ink. The fixed ones (staff glyphs, notes) are what placed items keep clear of.
enum class InkKind {
    Ground,     // backgrounds and highlights
    StaffLine,  // staff lines, bar lines and brackets
    Staff,      // clef, key and time signatures, measure numbers
    Note,       // heads, stems, flags, beams, accidentals, dots, ledger lines, ties and slurs, rests
    Numeral,    // fingering numerals over the staff page
    Lyric,
    Symbol,     // song data, texts and signs
    Mark,       // marks, dynamics and hairpins
};

struct Ink {
    Box box;
    InkKind kind;
    int owner;  // the item: ink of one owner never collides with itself
    int row;    // the staff row of the page it belongs to, from 1 (0: the page has no rows set)
    bool moved = false;  // a placed item that gave way from its formula's place
};

// Placed items are what the clearance moves: numerals, lyrics, symbols and marks.
inline bool isPlacedItem(InkKind kind) {
    return kind == InkKind::Numeral || kind == InkKind::Lyric || kind == InkKind::Symbol || kind == InkKind::Mark;
}

class InkCanvas final : public platform::Canvas {
public:
    enum class Mode {
        Draw,     // draws, and keeps the ink that placed items keep clear of
        Measure,  // keeps one item's ink and passes only the questions on (text sizes), drawing nothing
        Plan,     // draws nothing; each item keeps clear of its own row's ink only, as if rows had room
    };
    explicit InkCanvas(platform::Canvas& target, Mode mode = Mode::Draw) : target_(target), mode_(mode) {}
    // The ink of texts, asked once per page: a second drawing of the page keeps what the first learnt.
    void shareTextInk(const InkCanvas& other) { textInk_ = other.textInk_; }

    // The ink drawn from now on belongs to a new item of this kind.
    void beginItem(InkKind kind) {
        kind_ = kind;
        ++owner_;
        ownerRow_ = rowHint_;
        ownerMoved_ = false;
    }
    // The items from now on belong to this staff row of the page (0: to the row nearest their ink).
    void rowHint(int row) { rowHint_ = row; }
    // The y of each staff row's middle line, top to bottom: an item belongs to the nearest.
    void setRows(std::vector<int> middles) { rowMiddles_ = std::move(middles); }
    // The sheet's top and foot: no item gives way past them.
    void setSheet(int top, int bottom) {
        sheetTop_ = top;
        sheetBottom_ = bottom;
    }
    // Without a row given, the current item belongs to the row nearest this box (where its formula
    // put it, before it gave way).
    void setHome(const Box& box) {
        if (ownerRow_ == 0) ownerRow_ = rowNear(box);
    }
    // The current item gives way: the ink from now on is not where its formula put it.
    void gaveWay() { ownerMoved_ = true; }
    // The current item is in the way and found no room within reach: it stays where its formula put it.
    void foundNoRoom() { ++crowded_; }
    // How many items found no room.
    int crowded() const { return crowded_; }
    const std::vector<Ink>& ink() const { return ink_; }
    // Off: nothing is moved (the formulas' places alone, for comparison).
    void keepClear(bool on) { keepClear_ = on; }
    // The box around all the ink so far; empty (left == right) when there is none.
    Box extent() const;

    // The five lines of each staff row, top to bottom: an item moving up or down never reaches or
    // crosses a staff on its way (one it lies on it may leave).
    void addStaffBand(const Box& band) { bands_.push_back(band); }
    const std::vector<Box>& bands() const { return bands_; }

    // Whether a box overlaps a note, staff glyph or item placed before it (staff and bar lines aside).
    bool overlaps(const Box& box) const;
    // How far a box must move the given way to keep gap pixels from all of those: the least such
    // move, none past limit (or when keeping clear is off).
    std::optional<int> shiftToClear(const Box& box, Away away, int gap, int limit) const;
    // How far the current item must move that way to stand past its own staff, gap pixels clear (0:
    // the staff is not that way).
    int pastOwnStaff(const Box& box, Away away, int gap) const;

    void setPen(const platform::Pen& pen) override;
    void setBrush(const platform::Brush& brush) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<platform::Point>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void bezier(const std::vector<platform::Point>& points) override;
    void fillPath(const platform::Path& path) override;
    void setTextColour(platform::Colour colour) override {
        if (drawing()) target_.setTextColour(colour);
    }
    void setTextBackground(bool opaque, platform::Colour colour) override {
        if (drawing()) target_.setTextBackground(opaque, colour);
    }
    void text(int x, int y, const std::string& utf8, const platform::FontDescription& font) override;
    int textWidth(const std::string& utf8, const platform::FontDescription& font) override {
        return target_.textWidth(utf8, font);
    }
    int textHeight(const std::string& utf8, const platform::FontDescription& font) override {
        return target_.textHeight(utf8, font);
    }
    Rect textInk(const std::string& utf8, const platform::FontDescription& font) override;

private:
    void add(Box box, bool line);
    int rowNear(const Box& box) const;
    bool drawing() const { return mode_ == Mode::Draw; }
    // A line or curve through a box of its points, widened by the pen.
    Box stroked(const Box& box) const;

    // Obstacles by the square cells of the page they touch, so that a question looks only nearby.
    static constexpr int kCell = 32;
    static int64_t cellKey(int column, int row) { return (int64_t{column} << 32) ^ static_cast<uint32_t>(row); }
    static int cellOf(int at) { return at >= 0 ? at / kCell : (at + 1) / kCell - 1; }
    template <typename Visit>
    bool anyObstacle(const Box& box, int gap, Visit visit) const;
    const Ink* firstNear(const Box& box, int gap) const;

    platform::Canvas& target_;
    std::unordered_map<int64_t, std::vector<int>> cells_;  // indices into ink_
    std::vector<Box> bands_;
    std::vector<int> rowMiddles_;
    int sheetTop_ = INT_MIN;
    int sheetBottom_ = INT_MAX;
    Mode mode_;
    bool keepClear_ = true;
    std::vector<Ink> ink_;
    InkKind kind_ = InkKind::Ground;
    int owner_ = 0;
    int ownerRow_ = 0;
    int rowHint_ = 0;
    int crowded_ = 0;
    bool ownerMoved_ = false;
    int penWidth_ = 1;
    platform::Point position_;
    // Texts repeat on a page (numerals, note heads): their ink is asked of the target once.
    using TextInk = std::map<std::tuple<std::string, std::string, int, int, bool>, Rect>;
    std::shared_ptr<TextInk> textInk_;  // made at the first question: an item's measuring canvas asks the page's
};

// The fewest pixels a box of this kind must keep from the ink around it: a quarter of a staff space.
int clearanceGap(double unit);

}  // namespace shinofu::render
