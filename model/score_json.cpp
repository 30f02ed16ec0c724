#include "model/score_json.h"

#include "model/json_writer.h"
#include "model/key_signature.h"

namespace shinofu::model {
namespace {

void writeSymbolFields(JsonWriter& json, const SymbolFields& f) {
    json.value("text", f.text)
        .value("page", f.page)
        .value("anchorPos", f.anchorPos)
        .value("measOffset", f.measOffset)
        .value("dx", f.dx)
        .value("dy", f.dy)
        .value("width", f.width)
        .value("height", f.height)
        .value("fontSize", f.fontSize)
        .value("fontIndex", f.fontIndex)
        .value("bold", f.bold)
        .value("italic", f.italic);
}

void writeNote(JsonWriter& json, const TNote& n) {
    json.beginObject()
        .value("pitch", int{n.pitch})
        .value("len", n.len)
        .value("soundLen", n.soundLen)
        .value("startPos", n.startPos)
        .value("endPos", n.endPos)
        .value("midiNote", n.midiNote)
        .value("velocity", n.velocity)
        .value("prevVelocity", n.prevVelocity)
        .value("loadedVelocity", n.loadedVelocity)
        .value("playTime", n.playTime)
        .value("prevPlayTime", n.prevPlayTime)
        .value("loadedPlayTime", n.loadedPlayTime)
        .value("curveStart", n.curveStart)
        .value("curveMid", n.curveMid)
        .value("curveEnd", n.curveEnd)
        .value("accidental", int{n.accidental})
        .value("effAccidental", int{n.effAccidental})
        .value("selected", n.selected)
        .value("stemUp", n.stemUp)
        .value("silent", n.silent)
        .value("tiedOn", n.tiedOn)
        .value("beam", int{n.beam})
        .value("tie", int{n.tie})
        .value("slur", int{n.slur})
        .value("triplet", int{n.triplet})
        .value("sextuplet", int{n.sextuplet})
        .value("semitone", int{n.semitone})
        .value("jumpMark", int{n.jumpMark})
        .value("closingMark", int{n.closingMark})
        .value("playMark", int{n.playMark})
        .value("lyric", n.lyric)
        .endObject();
}

void writeSongData(JsonWriter& json, const Score& score) {
    const TSongData& song = score.song;
    json.value("title", score.title())
        .value("lyricist", score.lyricist())
        .value("composer", score.composer())
        .value("tempoText", song.tempoText)
        .value("tempo", song.tempo)
        .value("msPerUnit", song.msPerUnit)
        .value("meter", score.meter().text)
        .value("measureLen", score.measureLen())
        .value("keySig", song.keySig)
        .value("keyLetter", keyLetter(song.keySig))
        .value("fluteKey", song.fluteKey)
        .value("measPerLine", song.measPerLine);
    json.beginArray("lineMeasures");
    for (int count : song.lineMeasures) {
        if (count == 0) break;
        json.value({}, count);
    }
    json.endArray();
    json.value("partCount", score.partCount).value("curPart", score.curPart).value("chorusCount", score.chorusCount);
    json.beginArray("fonts");
    for (const auto& font : score.fonts) json.value({}, font);
    json.endArray();
    json.value("writePerfData", score.writePerfData).value("largeNoteHeads", score.largeNoteHeads);
    const NumericSettings& n = score.numeric;
    json.beginObject("numeric")
        .value("tiers", n.tiers)
        .value("rows", n.rows)
        .value("columns", n.columns)
        .value("fontSizeChoice", n.fontSizeChoice)
        .value("fontColorChoice", n.fontColorChoice)
        .value("ruleColorChoice", n.ruleColorChoice)
        .value("fontName", n.fontName)
        .value("numSizeRatio", n.numSizeRatio)
        .value("numDrop", n.numDrop)
        .value("numBold", n.numBold)
        .endObject();
}

void writePart(JsonWriter& json, const Part& part) {
    json.beginObject()
        .value("instrument", part.instrument)
        .value("fClef", part.fClef)
        .value("visible", part.visible)
        .value("displaySlot", part.displaySlot);
    json.beginArray("notes");
    forEachNote(static_cast<const TNote*>(part.partHead), [&](const TNote& note) { writeNote(json, note); });
    json.endArray();
    json.beginArray("symbols");
    for (const TScoreSym& symbol : part.symbols) {
        json.beginObject();
        writeSymbolFields(json, symbol);
        json.value("kind", int{symbol.kind}).endObject();
    }
    json.endArray();
    json.beginArray("marks");
    for (const TMark& mark : part.marks) {
        json.beginObject();
        writeSymbolFields(json, mark);
        json.value("breath", mark.breath)
            .value("fermata", mark.fermata)
            .value("rit", mark.rit)
            .value("aTempo", mark.aTempo)
            .value("other", mark.other)
            .value("dynamics", int{mark.dynamics})
            .value("hairpin", int{mark.hairpin})
            .endObject();
    }
    json.endArray();
    json.endObject();
}

}  // namespace

void writeScoreJson(const Score& score, const JsonSink& sink) {
    JsonWriter json(sink);
    json.beginObject();
    writeSongData(json, score);
    json.beginArray("parts");
    for (int number = 1; number <= kMaxParts; ++number) writePart(json, score.part(number));
    json.endArray();
    json.endObject();
    json.finish();
}

std::string scoreToJson(const Score& score) {
    std::string text;
    writeScoreJson(score, [&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace shinofu::model
