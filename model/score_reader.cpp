#include "model/score_reader.h"

#include <string_view>

#include "model/note_line_reader.h"
#include "model/pitch.h"
#include "model/section_readers.h"
#include "model/text_fields.h"

namespace shinofu::model {
namespace {

void clearForReading(Score& score) {
    score.clearParts();
    score.chorusCount = 0;
    for (int number = 1; number <= kMaxParts; ++number) score.part(number).fClef = false;
    score.song.lineMeasures.fill(0);
    score.song.measPerLine = 4;
    score.curPart = 1;
    score.partCount = 1;
}

void finishReading(Score& score, int partsRead) {
    score.curPart = 1;
    score.partCount = partsRead;
    if (score.chorusCount > 0) score.applyChorusStems();
    for (int number = 1; number <= kMaxParts; ++number) {
        score.part(number).visible = true;
        score.part(number).displaySlot = number;
    }
    score.recomputePositions();
    score.songDataSet = true;
}

bool isKnownKey(std::string_view line) {
    static constexpr std::string_view kKeys[] = {"$V",       "$FONT",     "$NAME",   "$TEMPO",    "$KEY",
                                                 "$MEAS",    "$MeasNum",  "$NumScore", "$NFont",  "$Instrument",
                                                 "$NOTEsize", "$FClef",   "$TempoVeloData", "$Chorus", "$END",
                                                 "$NEND",    "$START",    "$STARTM", "$STARTS",   "$STARTL"};
    const std::string_view key = line.substr(0, line.find(':'));
    for (std::string_view known : kKeys) {
        if (key == known) return true;
    }
    return false;
}

// A note line starts with a pitch token: "c1 n n 96 u".
bool isNoteLine(std::string_view line) {
    const std::string_view first = line.substr(0, line.find_first_of(" ,"));
    return first.size() < line.size() && (pitchFromName(first).has_value() || first == "nw");
}

// Every item of the line is a note as the writer writes one: pitch, accidental, groups and a length.
bool isWholeNoteLine(std::string_view line) {
    if (!isNoteLine(line)) return false;
    while (!line.empty()) {
        const size_t comma = line.find(',');
        std::string_view item = line.substr(0, comma);
        std::string_view tokens[4];
        for (std::string_view& token : tokens) {
            while (item.starts_with(' ')) item.remove_prefix(1);
            const size_t space = item.find(' ');
            token = item.substr(0, space);
            item = space == std::string_view::npos ? std::string_view() : item.substr(space);
        }
        if ((!pitchFromName(tokens[0]) && tokens[0] != "nw") || !parseWholeNumber(tokens[3])) return false;
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    }
    return true;
}

}  // namespace

bool recognisesScore(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::string_view text = line;
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
        // The version line alone, or words that happen to start like a note, make no score.
        if ((isKnownKey(text) && !text.starts_with("$V")) || isWholeNoteLine(text)) return true;
    }
    return false;
}

ReadReport readScore(const std::vector<std::string>& lines, Score& score, const ReadOptions& options) {
    clearForReading(score);
    HeaderContext header;
    header.formatFlag = options.formatFlag;
    header.defaultFluteKey = options.defaultFluteKey;
    header.names = options.names;

    size_t at = 0;
    for (; at < lines.size(); ++at) {
        const std::string& line = lines[at];
        if (line.empty() || line.front() != '$') continue;
        if (parseHeaderLine(line, score, header) == HeaderLine::End) {
            ++at;
            break;
        }
    }
    applyTempoText(score);

    NoteLineReader notes(score, header.formatFlag,
                         fitScoreLine(score, options.viewWidth, options.noteSize, score.song.measPerLine));
    for (; at < lines.size() && lines[at] != "$STARTM"; ++at) notes.readLine(lines[at]);
    ReadReport report;
    report.formatFlag = header.formatFlag;
    report.droppedParts = notes.droppedParts();
    score.recomputePositions();

    if (header.formatFlag && at < lines.size()) {
        ++at;  // the first "$STARTM" opens part 1's symbols
        SymbolSectionReader symbols(score);
        for (; at < lines.size(); ++at) {
            symbols.readLine(lines[at]);
            if (lines[at] == "$STARTS") break;
        }
        MarkSectionReader marks(score);
        for (++at; at < lines.size(); ++at) {
            marks.readLine(lines[at]);
            if (lines[at] == "$STARTL") break;
        }
        LyricSectionReader lyrics(score);
        for (++at; at < lines.size(); ++at) lyrics.readLine(lines[at]);
        report.droppedSections = symbols.droppedSections() + marks.droppedSections() + lyrics.droppedSections();
    }
    finishReading(score, notes.partsRead());
    return report;
}

}  // namespace shinofu::model
