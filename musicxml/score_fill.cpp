#include "musicxml/score_fill.h"

#include <algorithm>

#include "edit/beaming.h"
#include "edit/mark_commands.h"
#include "midi/note_values.h"
#include "model/key_signature.h"
#include "model/line_fit.h"
#include "model/meter.h"
#include "model/song_data_places.h"
#include "musicxml/alterations.h"
#include "render/view_state.h"
#include "platform/ui_text.h"

namespace shinofu::musicxml {
namespace {

uint8_t roleOf(bool start, bool stop) {
    if (start && stop) return model::kRoleEndAndStart;
    if (start) return model::kRoleStart;
    if (stop) return model::kRoleEnd;
    return model::kNoRole;
}

int meterIndexOf(std::optional<std::pair<int, int>> time, std::set<std::string>& notices) {
    if (!time) return 0;
    const std::string text = std::to_string(time->first) + "/" + std::to_string(time->second);
    if (auto index = model::meterIndexFromText(text)) return *index;
    notices.insert(ui::format(ui::text("ui", "拍子 %1 は対応していないので4/4にしました"), {text}));
    return 0;
}

void addMarks(model::Score& score, model::Part& part, const ReadNote& note, int noteStart, double sixteenthWidth) {
    const DirectionMarks& directions = note.directions;
    const int start = std::max(0, noteStart + directions.offset);
    if (directions.dynamics) part.marks.push_back(edit::dynamicsMark(score, directions.dynamics, start, 1));
    if (directions.hairpin) part.marks.push_back(edit::hairpinMark(score, directions.hairpin, start, 1, sixteenthWidth));
    if (directions.rit) part.marks.push_back(edit::performanceMark(score, edit::MarkKind::Rit, start, 1));
    if (directions.aTempo) part.marks.push_back(edit::performanceMark(score, edit::MarkKind::ATempo, start, 1));
    if (!directions.words.empty()) {
        model::TMark words = edit::performanceMark(score, edit::MarkKind::Other, start, 1);
        words.text = directions.words;
        part.marks.push_back(std::move(words));
    }
    if (note.fermata) part.marks.push_back(edit::performanceMark(score, edit::MarkKind::Fermata, noteStart, 1));
    if (note.breathAfter) part.marks.push_back(edit::performanceMark(score, edit::MarkKind::Breath, noteStart + note.len, 1));
}

// Beam roles as written, where they make whole groups; anything else is left unbeamed.
void applyWrittenBeams(model::Score& score, int part) {
    model::TNote* groupStart = nullptr;
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        const uint8_t role = note->beam;
        if (role == model::kRoleStart) {
            for (model::TNote* open = groupStart; open && open != note; open = open->next) open->beam = model::kNoRole;
            groupStart = note;
        } else if (role == model::kRoleMiddle || role == model::kRoleEnd) {
            if (!groupStart) note->beam = model::kNoRole;
            if (role == model::kRoleEnd) groupStart = nullptr;
        } else if (groupStart) {
            note->beam = model::kRoleMiddle;  // a piece split off a beamed note stays in its group
        }
    }
    for (model::TNote* open = groupStart; open && !open->isEndMarker(); open = open->next) open->beam = model::kNoRole;
}

void fillPart(model::Score& score, int number, const ReadPart& source, double sixteenthWidth) {
    model::Part& part = score.part(number);
    part.fClef = source.fClef;
    if (source.program) part.instrument = *source.program;
    model::TNote* end = part.partHead;
    int position = 0;
    bool inSlur = false;
    std::vector<int> starts;
    starts.reserve(source.notes.size());
    for (const ReadNote& from : source.notes) {
        model::TNote* note = midi::insertNoteBefore(score, number, *end);
        note->pitch = from.pitch;
        note->accidental = from.accidental;
        note->semitone = model::isStaffPitch(from.pitch) ? model::semitoneOfPitch(from.pitch, score.song.keySig) : note->semitone;
        note->len = from.len;
        note->playTime = model::playTimeFor(from.len, score.song.msPerUnit);
        note->loadedPlayTime = note->playTime;
        note->stemUp = from.stemUp.value_or(from.pitch <= 20);  // up to a1
        note->tie = roleOf(from.tieStart, from.tieStop);
        note->slur = roleOf(from.slurStart, from.slurStop);
        // The notes under a slur carry it on, as the slur commands mark them.
        if (note->slur == model::kNoRole && inSlur) note->slur = model::kRoleMiddle;
        if (from.slurStart || from.slurStop) inSlur = from.slurStart;
        note->beam = from.beam.value_or(model::kNoRole);
        note->lyric = from.lyric;
        starts.push_back(position);
        addMarks(score, part, from, position, sixteenthWidth);
        position += from.len;
    }
    const int measureLen = std::max(1, score.measureLen());
    for (const ReadMeasure& measure : source.measures) {
        const int start = measure.firstNote < starts.size() ? starts[measure.firstNote] : position;
        for (model::SymbolKind kind : measure.signs) {
            const int measureStart = start / measureLen * measureLen;
            if (auto sign = edit::measureSign(kind, measureStart, 1, model::LineScale{}.measureWidth)) part.symbols.push_back(*sign);
        }
    }
    midi::settleNoteValues(score, number);
    if (source.beamsWritten) {
        applyWrittenBeams(score, number);
    } else {
        edit::beamPart(score, number, false);
    }
}

}  // namespace

void fillScore(model::Score& score, ReadScore& read) {
    const int parts = std::clamp(static_cast<int>(read.parts.size()), 1, model::kMaxParts);
    if (static_cast<int>(read.parts.size()) > model::kMaxParts) read.notices.insert(ui::text("ui", "７番目からのパートは読み飛ばしました"));
    score.clearParts();
    if (read.tempo) {
        score.setTempo(*read.tempo);
        score.song.tempoText = std::to_string(score.song.tempo);
    }
    score.song.meterIndex = static_cast<uint8_t>(meterIndexOf(read.time, read.notices));
    score.song.keySig = static_cast<uint8_t>(keyOfFifths(read.fifths.value_or(0)));
    score.partCount = parts;
    score.curPart = 1;
    const render::ViewState view;
    const double sixteenthWidth = model::fitScoreLine(score, view.viewWidth, view.noteSize, std::max(1, score.song.measPerLine)).sixteenthWidth;
    for (int number = 1; number <= parts; ++number) {
        model::Part& part = score.part(number);
        part.visible = true;
        part.displaySlot = number;
        if (number <= static_cast<int>(read.parts.size())) fillPart(score, number, read.parts[static_cast<size_t>(number - 1)], sixteenthWidth);
    }
    score.fixedSymbol(model::kTitleSymbol).text = read.title;
    score.fixedSymbol(model::kComposerSymbol).text = read.composer;
    score.fixedSymbol(model::kLyricistSymbol).text = read.lyricist;
    model::placeTempoSymbols(score, true);
    score.recomputePositions();
}

}  // namespace shinofu::musicxml
