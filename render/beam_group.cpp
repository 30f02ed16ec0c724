#include "render/beam_group.h"

#include <algorithm>
#include <cmath>

#include "render/music_codes.h"
#include "render/page_geometry.h"
#include "render/staff_drawing.h"

namespace shinofu::render {
namespace {

constexpr double kMaxSlope = 3.0;       // steps from the first to the last note
constexpr double kMinClearance = 2.0;   // steps a stem keeps between head and beam line
constexpr double kBeamNear = 2.0;       // layout units from the beam reference to the beam's near edge
constexpr double kBeamFar = 3.5;        // ... and to its far edge (beam thickness 1.5)
constexpr double kUpBeamRise = 17.5;    // layout units from a step's head reference up to the beam
constexpr double kDownBeamDrop = 11.8;  // ... and down to it
constexpr double kStemFromHead = 24.0;  // the stem starts 3 units above the head reference 27
constexpr double kUpStemEnd = 14.5;
constexpr double kDownStemEnd = 8.8;
constexpr double kUpStemLargeX = 2.75;  // stem x right of the note x, large glyph set
constexpr double kUpStemSmallX = 3.75;
constexpr double kDownStemX = 0.15;
constexpr int kMaxGroupNotes = 64;      // a group past this many records is cut, whatever the file says
// Triplet bracket.
constexpr double kUpRefLargeX = 2.4;
constexpr double kUpRefSmallX = 3.4;
constexpr double kDownRefX = 0.2;
constexpr double kHeadRef = 27.0 - 0.5;
constexpr double kUpRefRise = 14.2;
constexpr double kDownRefDrop = 9.5;
constexpr double kBracketInset = 0.5;
constexpr double kBracketClear = 1.5;
constexpr double kBracketBow = 3.0;
constexpr double kNumberHeight = 6.0;
constexpr double kLastRefShift = 0.2;
constexpr const char* kTripletFace = "ＭＳ ゴシック";
constexpr int kTripletWeight = 100;

struct Group {
    std::vector<BeamNote> notes;
    bool stemUp;
    bool beamed;
    bool triplet;
    int tripletLength = 0;  // units from the first note to the triplet's last note
};

bool inTriplet(const model::TNote& note) { return note.triplet != model::kNoRole; }

// The records from the first note to the one that closes its beam (or triplet), on this line.
Group collectGroup(const DrawContext& context, const model::TNote& first, const NoteSpot& spot) {
    const PageGeometry& g = context.geometry;
    const int measureLen = context.score.measureLen();
    const int lineLength = g.measPerLine() * measureLen;
    const int start = (spot.measure - 1) * measureLen + spot.position - 1;
    Group group{{}, first.stemUp, first.beam == model::kRoleStart, first.triplet == model::kRoleStart};
    int offset = 0;
    int count = 0;
    for (const model::TNote* note = &first; note && !note->isEndMarker() && count < kMaxGroupNotes;
         note = note->next, ++count) {
        const int at = start + offset;
        if (at >= lineLength) break;
        if (model::isStaffPitch(note->pitch)) {
            group.notes.push_back({g.noteX(at / measureLen + 1, at % measureLen),
                                   PageGeometry::stepIndex(note->pitch, spot.fClef), offset, note->len <= 3,
                                   inTriplet(*note) && note->len >= 8});
        }
        const bool closes = group.beamed ? note->beam == model::kRoleEnd : note->triplet == model::kRoleEnd;
        if (group.triplet && note->triplet != model::kRoleEnd) group.tripletLength = offset + note->len;
        if (closes) break;
        offset += std::max(0, note->len);
    }
    return group;
}

double mean(std::vector<BeamNote>::const_iterator from, std::vector<BeamNote>::const_iterator to) {
    double sum = 0;
    for (auto it = from; it != to; ++it) sum += it->step;
    return sum / static_cast<double>(to - from);
}

struct BracketPoint {
    int x;
    int y;
};

// Where a triplet bracket meets a note: beside the stem end, half a unit inside it.
BracketPoint bracketPoint(const DrawContext& context, double x, int step, bool stemUp, double base) {
    const double u = context.geometry.unit();
    const double head = (kHeadRef - kStaffStep * step) * u + base;
    if (stemUp) {
        const double shift = context.glyphBase() == kLargeGlyphBase ? kUpRefLargeX : kUpRefSmallX;
        return {px(x) + px(u * shift), px(head - kUpRefRise * u + kBracketInset * u)};
    }
    return {px(x) - px(kDownRefX * u), px(head + kDownRefDrop * u - kBracketInset * u)};
}

void drawTripletBracket(DrawContext& context, BracketPoint first, BracketPoint last, bool stemUp) {
    const double u = context.geometry.unit();
    const int clear = px(kBracketClear * u);
    int y1 = first.y + (stemUp ? -clear : clear);
    int y2 = last.y + (stemUp ? -clear : clear);
    const int middle = (y1 + y2) / 2;
    const int bow = px(kBracketBow * u);
    const int c = stemUp ? middle - bow : middle + bow;
    const int numberY = stemUp ? c - px(kNumberHeight * u) : c;
    const int span = last.x - first.x;
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    context.canvas.setPen(pen);
    context.canvas.bezier({{first.x, y1},
                           {first.x + px(0.48 * span), c},
                           {first.x + px(0.52 * span), c},
                           {last.x, y2}});
    platform::FontDescription font;
    font.height = px(kNumberHeight * u);
    font.weight = kTripletWeight;
    font.face = kTripletFace;
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.text(first.x + px(0.48 * span), numberY, "3", font);
}

}  // namespace

std::vector<double> beamLine(const std::vector<BeamNote>& notes, bool stemUp) {
    const size_t n = notes.size();
    if (n == 0) return {};
    double first = notes.front().step;
    double last = notes.back().step;
    if (n > 2) {
        const size_t half = n / 2;
        first = mean(notes.begin(), notes.begin() + static_cast<long>(half));
        last = mean(notes.end() - static_cast<long>(half), notes.end());
    }
    const double middle = (first + last) / 2;
    if (last - first > kMaxSlope) {
        first = middle - kMaxSlope / 2;
        last = middle + kMaxSlope / 2;
    } else if (last - first < -kMaxSlope) {
        first = middle + kMaxSlope / 2;
        last = middle - kMaxSlope / 2;
    }
    const int span = notes.back().offset;
    const double slope = last - first;
    if (n > 2 && span > 0) {
        // Keep every stem at least two steps long: the whole line moves, its slope stays.
        double lowest = 0;
        double highest = 0;
        for (size_t i = 0; i < n; ++i) {
            const double deviation = std::lround(slope * notes[i].offset / span) + first - notes[i].step;
            lowest = i == 0 ? deviation : std::min(lowest, deviation);
            highest = i == 0 ? deviation : std::max(highest, deviation);
        }
        if (stemUp && lowest < -kMinClearance) {
            first += -lowest - kMinClearance;
            last += -lowest - kMinClearance;
        } else if (!stemUp && highest > kMinClearance) {
            first -= highest - kMinClearance;
            last -= highest - kMinClearance;
        }
    }
    std::vector<double> line(n);
    for (size_t i = 0; i < n; ++i) {
        line[i] = span > 0 ? first + (last - first) * notes[i].offset / span : first;
    }
    line.front() = first;
    line.back() = last;
    return line;
}

bool startsBeamGroup(const model::TNote& note) {
    const bool shortEnough = note.len < 12 || (note.len == 16 && note.triplet == model::kRoleStart);
    return shortEnough && (note.beam == model::kRoleStart || note.triplet == model::kRoleStart);
}

void drawBeamGroup(DrawContext& context, const model::TNote& first, const NoteSpot& spot, double x) {
    const Group group = collectGroup(context, first, spot);
    if (group.notes.empty()) return;
    const double u = context.geometry.unit();
    const double base = context.geometry.staffBase(spot.row);
    const bool up = group.stemUp;
    if (!group.beamed) {
        // A triplet without a beam: the bracket spans the triplet's length on the first note's height.
        const double endX = x + group.tripletLength * context.geometry.sixteenthWidth() / 3 * u;
        const int step = group.notes.front().step;
        drawTripletBracket(context, bracketPoint(context, x, step, up, base), bracketPoint(context, endX, step, up, base),
                           up);
        return;
    }
    const std::vector<BeamNote>& notes = group.notes;
    const std::vector<double> line = beamLine(notes, up);
    const size_t n = notes.size();
    const double stemShift = !up ? kDownStemX : context.glyphBase() == kLargeGlyphBase ? kUpStemLargeX : kUpStemSmallX;
    std::vector<int> stemX(n);
    for (size_t i = 0; i < n; ++i) stemX[i] = px(notes[i].x) + px(stemShift * u);
    // The beam's near and far edges at a beam-line step.
    auto beamReference = [&](double step) {
        return base + (27 - kStaffStep * step + (up ? -kUpBeamRise : kDownBeamDrop)) * u;
    };
    auto edges = [&](double reference) {
        return up ? std::pair{px(reference + kBeamNear * u), px(reference + kBeamFar * u)}
                  : std::pair{px(reference - kBeamFar * u), px(reference - kBeamNear * u)};
    };
    auto stemEnd = [&](double step) {
        return base + (27 - kStaffStep * step + (up ? -kUpStemEnd : kDownStemEnd)) * u;
    };
    auto quad = [&](int x1, std::pair<int, int> left, int x2, std::pair<int, int> right) {
        context.canvas.polygon({{x1, left.first}, {x1, left.second}, {x2, right.second}, {x2, right.first}});
    };
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    context.canvas.setPen(pen);
    context.canvas.setBrush({context.view.drawColor, false});
    if (n > 1) quad(stemX.front(), edges(beamReference(line.front())), stemX.back(), edges(beamReference(line.back())));
    for (size_t i = 0; i < n; ++i) {
        if (notes[i].ownStem) continue;
        nsLine(context, stemX[i], px(base + (kStemFromHead - kStaffStep * notes[i].step) * u), context.view.drawColor,
               px(stemEnd(line[i])), stemX[i]);
    }
    // The second beam lies inside the first, from the stem ends on.
    context.canvas.setPen(pen);
    auto second = [&](double step) { return edges(stemEnd(step)); };
    for (size_t i = 0; i + 1 < n; ++i) {
        if (!notes[i].sixteenth) continue;
        if (notes[i + 1].sixteenth) {
            quad(stemX[i], second(line[i]), stemX[i + 1], second(line[i + 1]));
        } else if (i == 0 || !notes[i - 1].sixteenth) {
            quad(stemX[i], second(line[i]), (stemX[i] + stemX[i + 1]) / 2, second((line[i] + line[i + 1]) / 2));
        }
    }
    if (n > 1 && notes[n - 1].sixteenth && !notes[n - 2].sixteenth) {
        quad((stemX[n - 2] + stemX[n - 1]) / 2, second((line[n - 2] + line[n - 1]) / 2), stemX[n - 1],
             second(line[n - 1]));
    }
    if (group.triplet) {
        const BeamNote& last = notes.back();
        drawTripletBracket(context, bracketPoint(context, x, notes.front().step, up, base),
                           bracketPoint(context, last.x + kLastRefShift * u, last.step, up, base),
                           up);
    }
}

}  // namespace shinofu::render
