#include "model/song_data_template.h"

#include "model/header_parser.h"
#include "model/key_signature.h"

namespace shinofu::model {
namespace {

constexpr int kCountsPerMeasLine = 8;

std::vector<std::string> exampleTemplate() {
    return {"/$NAME:曲名,作詞者名,作曲者名", "$NAME:", "/$TEMPO:Allegretto,4/4", "/$TEMPO:120,4/4", "$TEMPO:",
            "/$KEY:B-,6  調子,笛の本数", "/$KEY:C,8", "$KEY:", "/$MEAS:4,3,5,4,4", "$MEAS:", "$END"};
}

}  // namespace

std::vector<std::string> songDataTemplate(const Score& score) {
    if (!score.songDataSet) return exampleTemplate();
    const TSongData& song = score.song;
    std::vector<std::string> lines = {
        "$NAME:" + score.title() + "," + score.lyricist() + "," + score.composer(),
        "$TEMPO:" + song.tempoText + "," + std::string(score.meter().text),
        "$KEY:" + std::string(keyLetter(song.keySig)) + "," + std::to_string(song.fluteKey),
    };
    if (song.lineMeasures[0] == 0) lines.push_back("$MEAS:");
    for (int i = 0; i < kLineTableSize && song.lineMeasures[i] != 0; i += kCountsPerMeasLine) {
        std::string line = "$MEAS:";
        for (int j = i; j < i + kCountsPerMeasLine && j < kLineTableSize && song.lineMeasures[j] != 0; ++j) {
            if (j > i) line += ",";
            line += std::to_string(song.lineMeasures[j]);
        }
        lines.push_back(line);
    }
    lines.push_back("$END");
    return lines;
}

void applySongData(const std::vector<std::string>& lines, Score& score, int defaultFluteKey) {
    score.song.lineMeasures.fill(0);
    HeaderContext context;
    context.fromEditor = true;
    context.defaultFluteKey = defaultFluteKey;
    for (const std::string& line : lines) {
        if (line.empty() || line.front() != '$') continue;
        if (parseHeaderLine(line, score, context) == HeaderLine::End) break;
    }
    applyTempoText(score);
    score.songDataSet = true;
}

}  // namespace shinofu::model
