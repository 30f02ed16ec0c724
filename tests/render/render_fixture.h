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

}  // namespace shinofu::testing
