#include "model/score_reader.h"

#include "model/note_line_reader.h"
#include "model/section_readers.h"

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

}  // namespace

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
