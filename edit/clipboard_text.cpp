#include "edit/clipboard_text.h"

#include <algorithm>

#include "model/note_line_reader.h"
#include "model/score_writer.h"

namespace shinofu::edit {

std::vector<std::string> measureLines(const model::TNote* start, int measures, int measureLen) {
    std::vector<std::string> lines;
    const int64_t limit = static_cast<int64_t>(std::max(0, measures)) * measureLen;
    int64_t sum = 0;
    for (const model::TNote* note = start; note && !note->isEndMarker(); note = note->next) {
        lines.push_back(model::noteItem(*note, false));
        sum += std::max(0, note->len);
        if (sum >= limit) break;
    }
    return lines;
}

int clipFromLines(const std::vector<std::string>& lines, MeasureClip& clip, const model::Score& score) {
    model::Score scratch;
    scratch.song = score.song;
    model::NoteLineReader reader(scratch, true, model::LineScale{});
    for (const std::string& line : lines) reader.readLine(line);
    clip = MeasureClip{};
    int64_t total = 0;
    for (const model::TNote* note = scratch.part(1).partHead; note && !note->isEndMarker(); note = note->next) {
        clip.owned.push_back(*note);
        total += std::max(0, note->len);
    }
    for (size_t i = 0; i < clip.owned.size(); ++i) {
        clip.owned[i].prev = i ? &clip.owned[i - 1] : nullptr;
        clip.owned[i].next = i + 1 < clip.owned.size() ? &clip.owned[i + 1] : nullptr;
        clip.owned[i].selected = false;
    }
    clip.start = clip.owned.empty() ? nullptr : &clip.owned.front();
    clip.detached = true;
    clip.measCount = static_cast<int>(std::min<int64_t>(total / score.measureLen(), INT32_MAX));
    return clip.measCount;
}

}  // namespace shinofu::edit
