#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/pitch.h"
#include "render/drawn_text.h"
#include "render/length_signs.h"
#include "render/note_drawing.h"
#include "render/symbol_layer.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using platform::RecordingCanvas;
using shinofu::testing::horizontalLines;
using shinofu::testing::musicTexts;
using shinofu::testing::readNotes;

namespace {

constexpr double u = 2.0;  // drawUnit of the default view
constexpr int kTop = shinofu::model::kDefaultTopMargin;
const int kBottomLine = px((kTop + 9) * u);

// A score of one note line in a meter (0 = 4/4 .. 4 = 6/8).
void readInMeter(model::Score& score, int meterIndex, const std::string& notes) {
    readNotes(score, {}, {notes});
    score.song.meterIndex = static_cast<uint8_t>(meterIndex);
    score.recomputePositions();
}

RecordingCanvas drawn(const model::Score& score, ViewState view = {}) {
    RecordingCanvas canvas;
    drawPage(canvas, score, view);
    return canvas;
}

double measureWidthOf(const model::Score& score, const ViewState& view = {}) {
    PageTables tables = buildPageTables(score, view);
    return PageGeometry(score, view, tables).measureWidth();
}

int countAt(const std::vector<RecordingCanvas::Line>& lines, int x) {
    int count = 0;
    for (const auto& line : lines) count += line.from.x <= x && line.to.x >= x;
    return count;
}

}  // namespace

TEST(StaffDrawing, StaffLinesBarLinesAndClef) {
    model::Score score;
    RecordingCanvas canvas = drawn(score);
    auto lines = horizontalLines(canvas);
    std::vector<int> ys;
    for (const auto& line : lines) {
        if (line.from.x == 4) ys.push_back(line.from.y);
    }
    ASSERT_EQ(ys.size(), 5u);  // an empty score still shows one staff
    EXPECT_EQ(ys[0], kBottomLine);
    EXPECT_EQ(ys[4], kBottomLine - px(12 * u));
    const double width = measureWidthOf(score);
    int bars = 0;
    for (const auto& line : canvas.lines) {
        if (line.from.x != line.to.x) continue;
        ++bars;
        EXPECT_EQ(line.from.y, kBottomLine);
        EXPECT_EQ(line.to.y, kBottomLine - 24);
    }
    EXPECT_EQ(bars, 4);  // no bar line at the start of a line
    EXPECT_EQ(horizontalLines(canvas)[0].to.x, px(u * (20 + 4 * width)));
    auto clef = musicTexts(canvas, ":");
    ASSERT_EQ(clef.size(), 1u);
    EXPECT_EQ(clef[0].at, (platform::Point{4, px(kBottomLine - 16.5 * u)}));
    EXPECT_EQ(clef[0].font.height, 42);
}

TEST(StaffDrawing, TimeSignatureOnlyOnTheFirstSystem) {
    model::Score score;
    std::vector<std::string> notes(6, "c1 n n 384 u");
    readNotes(score, {}, notes);
    RecordingCanvas canvas = drawn(score);
    EXPECT_EQ(musicTexts(canvas, ":").size(), 2u);  // every staff has its clef
    auto meter = musicTexts(canvas, musicText(166));
    ASSERT_EQ(meter.size(), 1u);
    EXPECT_EQ(meter[0].at, (platform::Point{px(13 * u + 4), px(kBottomLine - 16 * u)}));
}

TEST(StaffDrawing, KeySignaturePositions) {
    model::Score score;
    score.song.keySig = 14;  // seven flats
    RecordingCanvas canvas = drawn(score);
    auto flats = musicTexts(canvas, "R");
    ASSERT_EQ(flats.size(), 7u);
    // The last flat's reference x is Xl + 33u, and a flat stands 4.5u left of its reference.
    EXPECT_EQ(flats[6].at.x, px(4 + 33 * u - 4.5 * u));
    EXPECT_EQ(flats[0].at.y, px(kBottomLine - 4.9 * u - 16 * u));
    score.song.keySig = 3;  // three sharps
    canvas = drawn(score);
    auto sharps = musicTexts(canvas, "Q");
    ASSERT_EQ(sharps.size(), 3u);
    EXPECT_EQ(sharps[0].at.x, px(4 + 16 * u - 5 * u));
    EXPECT_EQ(sharps[0].at.y, px(kBottomLine - 10.5 * u - 16.5 * u));
    EXPECT_EQ(sharps[2].at.y, px(kBottomLine - 12 * u - 16.5 * u));
    // In the F clef the signature moves one staff line down.
    score.part(1).fClef = true;
    auto bass = musicTexts(drawn(score), "Q");
    EXPECT_EQ(bass[0].at.y, sharps[0].at.y + px(3 * u));
}

TEST(NoteDrawing, NoteRestAndDotPlaces) {
    model::Score score;
    readNotes(score, {}, {"c2 n n 96 u,rest n n 96 u,e1 n n 144 u,f1 n n 144 d"});
    RecordingCanvas canvas = drawn(score);
    const double base = kTop * u;
    const int bottom = px(base + 9 * u);
    auto quarterUp = musicTexts(canvas, musicText(160 + 37));
    ASSERT_EQ(quarterUp.size(), 2u);
    const double step = 22 - 7;  // c2 in the G clef
    EXPECT_EQ(quarterUp[0].at, (platform::Point{px(u * 27), bottom + px(u * (27 - 1.5 * step - 0.7) - 30.02 * u)}));
    EXPECT_EQ(quarterUp[0].font.height, 48);
    auto rest = musicTexts(canvas, "?");
    ASSERT_EQ(rest.size(), 1u);
    // A rest stands one layout unit right of a note at the same place.
    const double width = measureWidthOf(score);
    const double sixteenth = (width - 10) / 16;
    EXPECT_EQ(rest[0].at.x, px(u * (28 + 12 * sixteenth / 3)));
    EXPECT_EQ(rest[0].at.y, px(base - 7.5 * u));
    auto dots = musicTexts(canvas, ",");
    ASSERT_EQ(dots.size(), 2u);
    // e1 lies on a line: its dot rises into the space; f1 lies in a space.
    EXPECT_EQ(dots[0].at.y, bottom + px(u * (27 - 15 - 0.7) - 31.72 * u));
    EXPECT_EQ(dots[1].at.y, bottom + px(u * (27 - 16.5 - 0.7) - 30.02 * u));
    auto quarterDown = musicTexts(canvas, musicText(160 + 38));
    ASSERT_EQ(quarterDown.size(), 1u);
    EXPECT_EQ(quarterDown[0].at.y, bottom + px(u * (27 - 16.5 - 0.7) - 19.82 * u));
}

// Every pitch on both clefs: the ledger lines its step needs, each on a line position at or
// between the staff and the head (through the head on a line, beside it in a space).
TEST(NoteDrawing, LedgerLinesForEveryPitchOnBothClefs) {
    for (bool fClef : {false, true}) {
        for (int pitch = 1; pitch <= 35; ++pitch) {
            model::Score score;
            readNotes(score, {fClef ? "$FClef:t" : "$FClef:f"},
                      {std::string(model::pitchName(static_cast<uint8_t>(pitch))) + " n n 96 u"});
            std::vector<int> ledgerYs;
            for (const auto& line : horizontalLines(drawn(score))) {
                if (line.from.x != 4) ledgerYs.push_back(line.from.y);
            }
            const int step = PageGeometry::stepIndex(static_cast<uint8_t>(pitch), fClef);
            const int expected = step < 10 ? (10 - step) / 2 : step > 18 ? (step - 18) / 2 : 0;
            ASSERT_EQ(static_cast<int>(ledgerYs.size()), expected) << "pitch " << pitch << " F clef " << fClef;
            const double headY = kBottomLine - (step - 10) * 1.5 * u;
            for (int y : ledgerYs) {
                const double stepsFromHead = (y - headY) / (1.5 * u);
                // Within the span between the staff and the head, on line positions only.
                EXPECT_LE(std::abs(y - headY), std::abs(kBottomLine - 6 * u - headY) + 1) << pitch;
                EXPECT_NEAR(std::fmod(std::abs(stepsFromHead) + 0.01, 1.0), 0.0, 0.05) << pitch;
                EXPECT_TRUE(step < 10 ? y > kBottomLine : y < kBottomLine - 12 * u) << pitch;
            }
            if (expected > 0) {
                // The outermost ledger line is through the head or one step inside it.
                const int outermost = step < 10 ? *std::max_element(ledgerYs.begin(), ledgerYs.end())
                                                : *std::min_element(ledgerYs.begin(), ledgerYs.end());
                EXPECT_LE(std::abs(outermost - headY), 1.5 * u + 1) << pitch;
            }
        }
    }
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u"});
    auto lines = horizontalLines(drawn(score));
    const auto& ledger = lines.front();
    EXPECT_EQ(ledger.from, (platform::Point{px(54 - 1.5 * u), px(kTop * u + 12 * u)}));
    EXPECT_EQ(ledger.to.x, px(54 + 5 * u));
    EXPECT_EQ(countAt(lines, 54), 6);  // five staff lines and the ledger
    score.largeNoteHeads = false;  // the small glyph set has longer ledger lines
    EXPECT_EQ(horizontalLines(drawn(score)).front().to.x, px(54 + 6 * u));
}

// Every note and rest length a score can hold shows at least one sign, in every meter; lengths
// without a single sign are written as a chain adding up to them.
TEST(NoteDrawing, EveryLengthDrawsInEveryMeter) {
    // Note glyphs of the large set and the rest signs.
    std::vector<std::string> signs = {"=", ">", "?", "J", "K"};
    for (int offset = kWholeNote; offset <= kSixteenthDown; ++offset) signs.push_back(musicText(kLargeGlyphBase + offset));
    auto signCount = [&](const RecordingCanvas& canvas) {
        return std::count_if(canvas.texts.begin(), canvas.texts.end(), [&](const RecordingCanvas::Text& t) {
            return t.font.face == kMusicFace && std::find(signs.begin(), signs.end(), t.text) != signs.end();
        });
    };
    for (int meter = 0; meter < model::kMeterCount; ++meter) {
        for (int len = 1; len <= 96; ++len) {
            for (const char* pitch : {"g1", "rest"}) {
                model::Score score;
                readInMeter(score, meter, std::string(pitch) + " n n " + std::to_string(len * 8) + " u");
                RecordingCanvas canvas = drawn(score);
                const auto drawnSigns = signCount(canvas);
                EXPECT_GE(drawnSigns, 1) << pitch << " " << len << " in " << meter;
                EXPECT_EQ(drawnSigns == 1, signLengths(len).size() == 1 || restGlyph(len, score.song.meterIndex) ||
                                          (std::string(pitch) != "rest" && hasSingleSign(len)))
                    << pitch << " " << len << " in " << meter;
            }
        }
    }
}

TEST(NoteDrawing, LengthChainsAddUp) {
    for (int len = 1; len <= 4800; ++len) {
        const std::vector<int> signs = signLengths(len);
        int sum = 0;
        for (int sign : signs) {
            EXPECT_TRUE(hasSingleSign(sign)) << sign;
            sum += sign;
        }
        // One unit has no sign; it is shown as the shortest.
        EXPECT_EQ(sum, len == 1 ? 2 : len) << len;
        if (hasSingleSign(len)) {
            EXPECT_EQ(signs.size(), 1u) << len;
        }
        ASSERT_TRUE(std::is_sorted(signs.rbegin(), signs.rend())) << len;
    }
    EXPECT_EQ(signLengths(30), (std::vector<int>{24, 6}));
    EXPECT_EQ(signLengths(45), (std::vector<int>{36, 9}));
    EXPECT_EQ(signLengths(5), (std::vector<int>{3, 2}));
    EXPECT_TRUE(signLengths(0).empty());
}

TEST(NoteDrawing, DottedRestsAndTiedNoteChains) {
    auto dotsAndCurves = [](int meter, const std::string& notes) {
        model::Score score;
        readInMeter(score, meter, notes);
        RecordingCanvas canvas = drawn(score);
        const auto curves = std::count_if(canvas.calls.begin(), canvas.calls.end(),
                                          [](const std::string& call) { return call.rfind("bezier", 0) == 0; });
        return std::pair<size_t, size_t>{musicTexts(canvas, ",").size(), static_cast<size_t>(curves)};
    };
    // Dotted eighth, dotted quarter and dotted half rests in 4/4 carry their dots.
    EXPECT_EQ(dotsAndCurves(0, "rest n n 72 u,rest n n 144 u,rest n n 288 u").first, 3u);
    // A dotted-quarter rest in 6/8 is one dotted sign; the whole 6/8 measure is the whole rest.
    EXPECT_EQ(dotsAndCurves(4, "rest n n 144 u,rest n n 144 u").first, 2u);
    EXPECT_EQ(dotsAndCurves(4, "rest n n 288 u").first, 0u);
    // A half note and an eighth, tied: 30 units.
    EXPECT_EQ(dotsAndCurves(0, "g1 n n 240 u").second, 1u);
    EXPECT_EQ(dotsAndCurves(0, "g1 n n 192 u").second, 0u);
}

TEST(NoteDrawing, WholeRestIsCentredWhateverItsPosition) {
    model::Score score;
    readNotes(score, {}, {"rest n n 384 u", "c1 n n 96 u,rest n n 384 u"});
    RecordingCanvas canvas = drawn(score);
    auto rests = musicTexts(canvas, "=");
    ASSERT_EQ(rests.size(), 2u);
    const double width = measureWidthOf(score);
    EXPECT_EQ(rests[0].at.x, px(u * (28 + width / 2 - 10)));
    EXPECT_EQ(rests[1].at.x, px(u * (28 + width + width / 2 - 10)));
}

TEST(NoteDrawing, GlyphsByLength) {
    auto glyph = [](int len, bool up, uint8_t beam = 0, uint8_t triplet = 0) {
        model::TNote note;
        note.pitch = 15;
        note.len = len;
        note.stemUp = up;
        note.beam = beam;
        note.triplet = triplet;
        return noteGlyphOffset(note);
    };
    EXPECT_EQ(glyph(48, true), kWholeNote);
    EXPECT_EQ(glyph(36, false), kHalfDown);
    EXPECT_EQ(glyph(16, true), kHalfUp);  // a triplet half with or without its bracket
    EXPECT_EQ(glyph(32, true), kWholeNote);
    EXPECT_EQ(glyph(8, false), kQuarterDown);
    EXPECT_EQ(glyph(9, true), kEighthUp);
    EXPECT_EQ(glyph(6, true, 1), kBeamedHead);
    EXPECT_EQ(glyph(2, false), kSixteenthDown);
    EXPECT_EQ(glyph(5, true), std::nullopt);
    EXPECT_EQ(restGlyph(36, 1), '>');  // in 3/4 a 36-unit rest is a half rest
    EXPECT_EQ(restGlyph(36, 4), '=');
    EXPECT_EQ(restGlyph(18, 3), '=');
    EXPECT_EQ(restGlyph(18, 0), '?');  // dotted
    EXPECT_EQ(restGlyph(32, 0), '=');
    EXPECT_EQ(restGlyph(5, 0), std::nullopt);  // a chain of signs
}

TEST(NoteDrawing, AccidentalsStandLeftOfTheHead) {
    model::Score score;
    readNotes(score, {}, {"g1 # n 96 u,g1 f n 96 u,g1 - n 96 u,g1 x n 96 u,g1 d n 96 u"});
    RecordingCanvas canvas = drawn(score);
    const double width = measureWidthOf(score);
    const double sixteenth = (width - 10) / 16;
    const double offsets[] = {5.0, 4.5, 5.0, 5.5, 7.0};
    const char* codes[] = {"Q", "R", "P", "S", "T"};
    for (int i = 0; i < 5; ++i) {
        auto found = musicTexts(canvas, codes[i]);
        ASSERT_EQ(found.size(), 1u) << codes[i];
        // Four quarters fill the measure; the fifth opens the next one.
        const double x = i < 4 ? u * (27 + i * 12 * sixteenth / 3) : u * (27 + width);
        EXPECT_EQ(found[0].at.x, px(x + 1.1 * u - offsets[i] * u)) << codes[i];
        EXPECT_EQ(found[0].at.y, px(kTop * u + u * (27 - 18 - 0.7) - 17 * u)) << codes[i];
    }
}

TEST(PageDrawer, ChorusStavesAndBrackets) {
    model::Score score;
    readNotes(score, {"$Chorus:1"}, {"c1 n n 384 u", "$START", "e1 n n 384 u", "$START", "g1 n n 384 u"});
    ASSERT_EQ(score.partCount, 3);
    RecordingCanvas canvas = drawn(score);
    // Parts 1 and 2 share the first staff, part 3 has the second: two staves, one bracket.
    EXPECT_EQ(musicTexts(canvas, ":").size(), 2u);
    int brackets = 0;
    for (const auto& line : canvas.lines) brackets += line.pen.width == 2;
    EXPECT_EQ(brackets, 1);
}

TEST(PageDrawer, NoEmptySystemAfterMusicEndingAtALineEnd) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u"});
    RecordingCanvas canvas;
    EXPECT_EQ(drawPage(canvas, score, ViewState{}).linesDrawn, 1);
    EXPECT_EQ(musicTexts(drawn(score), ":").size(), 1u);
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 96 u"});
    EXPECT_EQ(musicTexts(drawn(score), ":").size(), 2u);
}

TEST(NoteDrawing, DotOfAStemUpFlaggedNoteClearsItsFlag) {
    model::Score score;
    readNotes(score, {}, {"a1 n n 72 u,a1 n n 72 d,a1 n n 144 u"});
    RecordingCanvas canvas = drawn(score);
    auto dots = musicTexts(canvas, ",");
    auto up = musicTexts(canvas, musicText(kLargeGlyphBase + kEighthUp));
    auto down = musicTexts(canvas, musicText(kLargeGlyphBase + kEighthDown));
    auto quarter = musicTexts(canvas, musicText(kLargeGlyphBase + kQuarterUp));
    ASSERT_EQ(dots.size(), 3u);
    ASSERT_EQ(up.size(), 1u);
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(quarter.size(), 1u);
    EXPECT_GE(dots[0].at.x - up[0].at.x, px(2 * u));  // past the flag hanging beside the head
    EXPECT_EQ(dots[1].at.x, down[0].at.x);
    EXPECT_EQ(dots[2].at.x, quarter[0].at.x);
}

TEST(PageDrawer, SecondPageStartsWhereTheFirstEnds) {
    model::Score score;
    std::vector<std::string> notes(12 * 4, "c1 n n 384 u");
    notes.push_back("d1 n n 96 u");
    readNotes(score, {}, notes);
    ViewState view;
    view.curPage = 2;
    RecordingCanvas canvas = drawn(score, view);
    EXPECT_EQ(musicTexts(canvas, musicText(160 + 33)).size(), 0u);
    EXPECT_EQ(musicTexts(canvas, musicText(160 + 37)).size(), 1u);
    EXPECT_EQ(musicTexts(canvas, ":").size(), 1u);
}

TEST(SymbolLayer, TitleTempoAndMetronomeOnTheFirstPageOnly) {
    model::Score score;
    std::vector<std::string> notes(12 * 4 + 1, "c1 n n 384 u");  // two pages
    readNotes(score, {"$NAME:題名,1,-8,0,200,5,12,12,12,18,;,1,-8,0,0,0,6,10,10,0,;作曲,1,-8,0,400,20,6,6,6,0,"}, notes);
    score.fixedSymbol(model::kTempoSymbol).text = "=72";
    score.fixedSymbol(model::kTempoSymbol).dx = 36;
    score.fixedSymbol(model::kTempoSymbol).dy = 39;
    score.fixedSymbol(model::kTempoSymbol).fontSize = 6;
    score.fixedSymbol(model::kMetronomeSymbol).dx = 31;
    SymbolLayer songData;
    PageOptions options;
    options.layers = {&songData};
    ViewState view;
    RecordingCanvas canvas;
    drawPage(canvas, score, view, options);
    std::vector<RecordingCanvas::Text> title;
    for (const auto& t : canvas.texts) {
        if (t.text == "題名") title.push_back(t);
    }
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].at, (platform::Point{400, 10}));  // two pixels per offset unit at normal zoom
    EXPECT_EQ(title[0].font.height, 24);
    EXPECT_EQ(title[0].font.face, "HG行書体");  // font index 2 (18 = 2 × 8 + italic)
    EXPECT_TRUE(title[0].font.italic);
    auto metronome = musicTexts(canvas, "M");
    ASSERT_EQ(metronome.size(), 1u);
    EXPECT_EQ(metronome[0].at.x, 62);
    EXPECT_EQ(metronome[0].font.height, 30);
    view.curPage = 2;
    RecordingCanvas second;
    drawPage(second, score, view, options);
    for (const auto& t : second.texts) EXPECT_NE(t.text, "題名");
}

TEST(DrawnText, LongTextsAreCutWithAnEllipsis) {
    EXPECT_EQ(drawnText("さくら"), "さくら");
    EXPECT_EQ(drawnText("さくらさくら", 6), "さくらさくら");
    EXPECT_EQ(drawnText("さくらさくら", 4), "さくら…");
    const std::string longTitle(100000, 'A');
    const std::string shown = drawnText(longTitle);
    EXPECT_EQ(shown.size(), kMaxDrawnCharacters - 1 + std::string("…").size());
    EXPECT_EQ(shown.substr(shown.size() - 3), "…");
}

// The editor tints the first measure of each part whose notes run past the bar line, with the box
// of the edit highlight, behind the notes; a score that adds up and every export stay untinted.
TEST(OverfullTint, MarksTheFirstMeasureThatRunsPastItsBarLineInEachPart) {
    auto rectsAfter = [](const platform::RecordingCanvas& canvas, const std::string& brush) {
        std::vector<std::string> rects;
        for (size_t i = 0; i + 1 < canvas.calls.size(); ++i) {
            if (canvas.calls[i] == brush && canvas.calls[i + 1].rfind("rect ", 0) == 0) rects.push_back(canvas.calls[i + 1]);
        }
        return rects;
    };
    const std::string tint = "brush D8D8FF";
    model::Score score;
    const std::string full = "c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u";
    // Part 1 runs over in measure 1, part 2 in measure 3 (each later measure is shifted too).
    readNotes(score, {}, {"c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 192 u," + full + "," + full,
                          "$START", full + "," + full + ",c1 n n 288 u,c1 n n 192 u," + full});
    score.recomputePositions();
    render::ViewState view;
    render::PageOptions options;
    options.tintOverfull = true;
    platform::RecordingCanvas tinted;
    render::drawPage(tinted, score, view, options);
    const auto tints = rectsAfter(tinted, tint);
    ASSERT_EQ(tints.size(), 2u);

    const std::pair<int, int> expected[] = {{1, 1}, {3, 2}};  // measure, staff
    for (size_t i = 0; i < 2; ++i) {
        view.edit = {true, 1, expected[i].first, expected[i].second};
        view.editBackColor = 0x123456;
        platform::RecordingCanvas highlighted;
        render::drawPage(highlighted, score, view);
        EXPECT_EQ(rectsAfter(highlighted, "brush 123456"), std::vector<std::string>{tints[i]});
    }
    // Behind the notes: the tints come before the first note head.
    const auto firstTint = std::find(tinted.calls.begin(), tinted.calls.end(), tint);
    const auto firstText = std::find_if(tinted.calls.begin(), tinted.calls.end(),
                                        [](const std::string& call) { return call.rfind("text ", 0) == 0; });
    EXPECT_LT(firstTint, firstText);

    view.edit = {};
    platform::RecordingCanvas exported;
    render::drawPage(exported, score, view);
    EXPECT_TRUE(rectsAfter(exported, tint).empty());
    model::Score addsUp;
    readNotes(addsUp, {}, {full + "," + full + ",c1 n n 96 u"});
    addsUp.recomputePositions();
    platform::RecordingCanvas clean;
    render::drawPage(clean, addsUp, view, options);
    EXPECT_TRUE(rectsAfter(clean, tint).empty());
}
