// Scores read from note items and drawn on a recording canvas.
#pragma once

#include <string>
#include <vector>

#include "model/score.h"
#include "model/score_reader.h"
#include "platform/recording_canvas.h"
#include "render/music_codes.h"
#include "render/page_drawer.h"
#include "support/read_notes.h"

namespace shinofu::testing {

// The texts drawn in the music font with the given character.
inline std::vector<platform::RecordingCanvas::Text> musicTexts(const platform::RecordingCanvas& canvas,
                                                                 const std::string& text) {
    std::vector<platform::RecordingCanvas::Text> found;
    for (const auto& t : canvas.texts) {
        if (t.font.face == render::kMusicFace && t.text == text) found.push_back(t);
    }
    return found;
}

inline std::vector<platform::RecordingCanvas::Line> horizontalLines(const platform::RecordingCanvas& canvas) {
    std::vector<platform::RecordingCanvas::Line> found;
    for (const auto& line : canvas.lines) {
        if (line.from.y == line.to.y && line.from.x != line.to.x) found.push_back(line);
    }
    return found;
}

// A part read from note items and drawn; the layout queries the expectations are computed from.
struct DrawnNotes {
    model::Score score;
    render::ViewState view;
    platform::RecordingCanvas canvas;
    render::PageTables tables;

    explicit DrawnNotes(const std::vector<std::string>& notes) {
        readNotes(score, {}, notes);
        tables = render::drawPage(canvas, score, view).tables;
    }
    explicit DrawnNotes(const std::string& notes) : DrawnNotes(std::vector<std::string>{notes}) {}
    double base(int row = 1) const { return render::PageGeometry(score, view, tables).staffBase(row); }
    // The unrounded x of a note at length position t of a line.
    double x(int line, int t) const {
        render::PageGeometry g(score, view, tables);
        g.selectLine(line);
        return g.noteX(t / score.measureLen() + 1, t % score.measureLen());
    }
};

// The recorded calls of one kind ("polygon", "bezier", ...), in drawing order.
inline std::vector<std::string> callsOf(const platform::RecordingCanvas& canvas, const std::string& kind) {
    std::vector<std::string> found;
    for (const auto& call : canvas.calls) {
        if (call.rfind(kind + " ", 0) == 0) found.push_back(call);
    }
    return found;
}

inline std::string pointsCall(const std::string& kind, const std::vector<platform::Point>& points) {
    std::string call = kind;
    for (const auto& p : points) call += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    return call;
}

}  // namespace shinofu::testing
