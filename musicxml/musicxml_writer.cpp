#include "musicxml/musicxml_writer.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <limits>
#include <map>

#include "midi/performance_pass.h"
#include "musicxml/musicxml_reader.h"
#include "numeric/fingering.h"
#include "render/length_signs.h"

namespace shinofu::musicxml {
namespace {

constexpr int kDivisions = 12;  // per quarter: the model's own length units
constexpr std::array<int, 7> kNaturalSemitones = {0, 2, 4, 5, 7, 9, 11};
constexpr const char* kSteps = "CDEFGAB";

QString qt(const std::string& text) { return QString::fromStdString(text); }

struct SignType {
    const char* type;
    int dots;
    bool triplet;
};
// The sign a single-sign length is written with.
SignType signOf(int len) {
    switch (len) {
        case 48: return {"whole", 0, false};
        case 36: return {"half", 1, false};
        case 24: return {"half", 0, false};
        case 18: return {"quarter", 1, false};
        case 16: return {"half", 0, true};
        case 12: return {"quarter", 0, false};
        case 9: return {"eighth", 1, false};
        case 8: return {"quarter", 0, true};
        case 6: return {"eighth", 0, false};
        case 4: return {"eighth", 0, true};
        case 3: return {"16th", 0, false};
        case 2: return {"16th", 0, true};
        default: return {"32nd", 0, false};
    }
}

// A mark's meaning: the commands set its flag, a score file keeps only the music font's glyph.
enum class MarkMeaning { None, Breath, Fermata, Rit, ATempo, Dynamics, Hairpin, Words };
MarkMeaning meaningOf(const model::TMark& mark) {
    if (mark.breath) return MarkMeaning::Breath;
    if (mark.dynamics >= 1 && mark.dynamics <= 8) return MarkMeaning::Dynamics;
    if (mark.hairpin != model::kNoHairpin) return MarkMeaning::Hairpin;
    const bool glyph = mark.fontIndex == 1;
    if (mark.fermata || (glyph && mark.text == "V")) return MarkMeaning::Fermata;
    if (mark.rit || (glyph && mark.text == "^")) return MarkMeaning::Rit;
    if (mark.aTempo || (glyph && mark.text == "_")) return MarkMeaning::ATempo;
    const bool blank = mark.text.find_first_not_of(' ') == std::string::npos;
    return blank ? MarkMeaning::None : MarkMeaning::Words;
}

int fifthsOf(int keySig) { return keySig <= 7 ? keySig : -(keySig - 7); }

struct Meter {
    int beats;
    int beatType;
};
Meter meterOf(int index) {
    static constexpr std::array<Meter, 5> kMeters = {{{4, 4}, {3, 4}, {2, 4}, {3, 8}, {6, 8}}};
    return kMeters[static_cast<size_t>(std::clamp(index, 0, 4))];
}

class PartWriter {
public:
    PartWriter(QXmlStreamWriter& xml, const model::Score& score, int part, int fluteKey)
        : xml_(xml), score_(score), part_(part), fluteKey_(fluteKey), measureLen_(std::max(1, score.measureLen())) {
        for (const model::TScoreSym& sign : score.part(part).symbols) {
            if (sign.kind != model::kPlainText && sign.anchorPos >= 0) signs_.emplace(sign.anchorPos / measureLen_ + 1, static_cast<model::SymbolKind>(sign.kind));
        }
        for (const model::TMark& mark : score.part(part).marks) {
            if (mark.anchorPos >= 0) marks_.emplace(mark.anchorPos, &mark);
        }
        nextMark_ = marks_.begin();
    }

    void write() {
        xml_.writeStartElement("part");
        xml_.writeAttribute("id", QString("P%1").arg(part_));
        for (const model::TNote* note = score_.part(part_).partHead; note && !note->isEndMarker(); note = note->next) {
            if (note->len > 0) writeNote(*note);
        }
        const model::TNote* end = score_.part(part_).partHead;
        while (!end->isEndMarker()) end = end->next;
        writeDirectionsBefore(std::numeric_limits<int>::max(), end->startPos);
        // Other programs expect the last measure full.
        if (open_ && inMeasure_ > 0) {
            model::TNote rest;
            rest.pitch = model::kRest;
            rest.startPos = rest.endPos = -1;
            rest.len = measureLen_ - inMeasure_;
            writeNote(rest);
        }
        if (!open_ && measure_ == 1) openMeasure();  // an empty part still has its first measure
        if (open_) closeMeasure();
        xml_.writeEndElement();
    }

private:
    void openMeasure() {
        open_ = true;
        xml_.writeStartElement("measure");
        xml_.writeAttribute("number", QString::number(measure_));
        writeLeftBarline();
        if (measure_ == 1) writeAttributes();
        for (model::SymbolKind kind : {model::kSegno, model::kCoda}) {
            if (hasSign(kind)) writeDirection([&] { xml_.writeEmptyElement(kind == model::kSegno ? "segno" : "coda"); });
        }
    }
    void closeMeasure() {
        writeClosingSigns();
        xml_.writeEndElement();
        open_ = false;
        ++measure_;
        inMeasure_ = 0;
    }
    bool hasSign(model::SymbolKind kind) const {
        const auto [from, to] = signs_.equal_range(measure_);
        return std::any_of(from, to, [kind](const auto& entry) { return entry.second == kind; });
    }

    // A direction above (or below) the staff, with a sound attribute when it says how to play.
    template <typename Content>
    void writeDirection(Content content, const char* placement = "above", const char* sound = nullptr, const char* value = nullptr,
                        int offset = 0) {
        xml_.writeStartElement("direction");
        xml_.writeAttribute("placement", placement);
        xml_.writeStartElement("direction-type");
        content();
        xml_.writeEndElement();
        if (offset != 0) xml_.writeTextElement("offset", QString::number(offset));
        if (sound) {
            xml_.writeEmptyElement("sound");
            xml_.writeAttribute(sound, value);
        }
        xml_.writeEndElement();
    }

    void writeLeftBarline() {
        const bool repeat = hasSign(model::kRepeatLeft);
        const int ending = hasSign(model::kFirstEnding) ? 1 : hasSign(model::kSecondEnding) ? 2 : 0;
        if (!repeat && !ending) return;
        xml_.writeStartElement("barline");
        xml_.writeAttribute("location", "left");
        if (repeat) xml_.writeTextElement("bar-style", "heavy-light");
        if (ending) {
            xml_.writeStartElement("ending");
            xml_.writeAttribute("number", QString::number(ending));
            xml_.writeAttribute("type", "start");
            xml_.writeCharacters(QString("%1.").arg(ending));
            xml_.writeEndElement();
            openEnding_ = ending;
        }
        if (repeat) {
            xml_.writeEmptyElement("repeat");
            xml_.writeAttribute("direction", "forward");
        }
        xml_.writeEndElement();
    }

    // D.C., D.S., Fine and To Coda at the measure's end, then its right bar line: a repeat, the
    // final bar, and the end of an ending (the first at its repeat, the second where it begins).
    void writeClosingSigns() {
        struct Jump {
            model::SymbolKind kind;
            const char* words;
            const char* attribute;
            const char* value;
        };
        static constexpr Jump kJumps[] = {{model::kDaCapo, "D.C.", "dacapo", "yes"},
                                          {model::kDalSegno, "D.S.", "dalsegno", "segno"},
                                          {model::kFine, "Fine", "fine", "yes"},
                                          {model::kToCoda, "To Coda", "tocoda", "coda"}};
        for (const Jump& jump : kJumps) {
            if (!hasSign(jump.kind)) continue;
            writeDirection([&] { xml_.writeTextElement("words", jump.words); }, "above", jump.attribute, jump.value);
        }
        const bool repeat = hasSign(model::kRepeatRight);
        const bool final = hasSign(model::kStop);
        const bool endingStops = openEnding_ == 2 || (openEnding_ == 1 && repeat);
        if (!repeat && !final && !endingStops) return;
        xml_.writeStartElement("barline");
        xml_.writeAttribute("location", "right");
        xml_.writeTextElement("bar-style", repeat || final ? "light-heavy" : "regular");
        if (endingStops) {
            xml_.writeEmptyElement("ending");
            xml_.writeAttribute("number", QString::number(openEnding_));
            xml_.writeAttribute("type", openEnding_ == 1 ? "stop" : "discontinue");
            openEnding_ = 0;
        }
        if (repeat) {
            xml_.writeEmptyElement("repeat");
            xml_.writeAttribute("direction", "backward");
        }
        xml_.writeEndElement();
    }

    // The marks anchored up to `position` that MusicXML writes as directions, written where the
    // part stands at `here`; a mark inside the note before is moved back by an offset.
    void writeDirectionsBefore(int position, int here) {
        static constexpr const char* kDynamics[] = {"ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
        for (; nextMark_ != marks_.end() && nextMark_->first <= position; ++nextMark_) {
            const model::TMark& mark = *nextMark_->second;
            const MarkMeaning meaning = meaningOf(mark);
            if (meaning == MarkMeaning::None || meaning == MarkMeaning::Breath || meaning == MarkMeaning::Fermata) continue;
            if (!open_) openMeasure();
            const int offset = mark.anchorPos - here;
            if (meaning == MarkMeaning::Dynamics) {
                writeDirection([&] {
                    xml_.writeStartElement("dynamics");
                    xml_.writeEmptyElement(kDynamics[mark.dynamics - 1]);
                    xml_.writeEndElement();
                }, "below", nullptr, nullptr, offset);
            } else if (meaning == MarkMeaning::Hairpin) {
                const bool start = mark.hairpin == model::kCrescendoStart || mark.hairpin == model::kDecrescendoStart;
                writeDirection([&] {
                    xml_.writeEmptyElement("wedge");
                    xml_.writeAttribute("type", !start ? "stop" : mark.hairpin == model::kCrescendoStart ? "crescendo" : "diminuendo");
                }, "below", nullptr, nullptr, offset);
            } else {
                const QString words = meaning == MarkMeaning::Rit ? "rit." : meaning == MarkMeaning::ATempo ? "a tempo" : qt(mark.text);
                writeDirection([&] { xml_.writeTextElement("words", words); }, "above", nullptr, nullptr, offset);
            }
        }
    }

    bool hasMarkAt(int anchor, MarkMeaning meaning) const {
        const auto [from, to] = marks_.equal_range(anchor);
        return std::any_of(from, to, [meaning](const auto& entry) { return meaningOf(*entry.second) == meaning; });
    }

    void writeAttributes() {
        xml_.writeStartElement("attributes");
        xml_.writeTextElement("divisions", QString::number(kDivisions));
        xml_.writeStartElement("key");
        xml_.writeTextElement("fifths", QString::number(fifthsOf(score_.song.keySig)));
        xml_.writeEndElement();
        const Meter meter = meterOf(score_.song.meterIndex);
        xml_.writeStartElement("time");
        xml_.writeTextElement("beats", QString::number(meter.beats));
        xml_.writeTextElement("beat-type", QString::number(meter.beatType));
        xml_.writeEndElement();
        const bool fClef = score_.part(part_).fClef;
        xml_.writeStartElement("clef");
        xml_.writeTextElement("sign", fClef ? "F" : "G");
        xml_.writeTextElement("line", fClef ? "4" : "2");
        xml_.writeEndElement();
        xml_.writeEndElement();
        if (part_ == 1) {
            xml_.writeStartElement("direction");
            xml_.writeAttribute("placement", "above");
            xml_.writeStartElement("direction-type");
            xml_.writeStartElement("metronome");
            xml_.writeTextElement("beat-unit", "quarter");
            xml_.writeTextElement("per-minute", QString::number(score_.song.tempo));
            xml_.writeEndElement();
            xml_.writeEndElement();
            xml_.writeEmptyElement("sound");
            xml_.writeAttribute("tempo", QString::number(score_.song.tempo));
            xml_.writeEndElement();
        }
    }

    // A note is written as the signs that make its length, cut at bar lines, tied together.
    void writeNote(const model::TNote& note) {
        writeDirectionsBefore(note.startPos, note.startPos);
        std::vector<int> pieces;
        for (int left = note.len, at = inMeasure_; left > 0;) {
            const int piece = std::min(left, measureLen_ - at);
            for (int len : render::signLengths(piece)) pieces.push_back(len);
            left -= piece;
            at = (at + piece) % measureLen_;
        }
        const bool beamed = pieces.size() == 1;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (!open_) openMeasure();
            writeSign(note, pieces[i], i == 0, i + 1 == pieces.size(), beamed);
            inMeasure_ += pieces[i];
            if (inMeasure_ >= measureLen_) closeMeasure();
        }
    }

    void writeSign(const model::TNote& note, int len, bool first, bool last, bool beamed) {
        const bool rest = !model::isStaffPitch(note.pitch);
        const SignType sign = signOf(len);
        xml_.writeStartElement("note");
        if (note.pitch == model::kHiddenRest) xml_.writeAttribute("print-object", "no");
        if (rest) {
            xml_.writeEmptyElement("rest");
        } else {
            const int step = (note.pitch - 1) % 7;
            const int octave = (note.pitch - 1) / 7 + 2;
            const int sounding = midi::midiNoteOf(note, score_.song.keySig);
            const int alter = sounding - (12 * (octave + 1) + kNaturalSemitones[static_cast<size_t>(step)]);
            xml_.writeStartElement("pitch");
            xml_.writeTextElement("step", QString(QChar(kSteps[step])));
            if (alter != 0) xml_.writeTextElement("alter", QString::number(alter));
            xml_.writeTextElement("octave", QString::number(octave));
            xml_.writeEndElement();
        }
        xml_.writeTextElement("duration", QString::number(len));
        const bool tieStop = !rest && (!first || note.tie == model::kRoleEnd || note.tie == model::kRoleMiddle ||
                                       note.tie == model::kRoleEndAndStart);
        const bool tieStart = !rest && (!last || note.tie == model::kRoleStart || note.tie == model::kRoleMiddle ||
                                        note.tie == model::kRoleEndAndStart);
        if (tieStop) typed("tie", "stop");
        if (tieStart) typed("tie", "start");
        xml_.writeTextElement("voice", "1");
        xml_.writeTextElement("type", sign.type);
        for (int dot = 0; dot < sign.dots; ++dot) xml_.writeEmptyElement("dot");
        if (first && !rest && note.accidental != model::kNoAccidental) writeAccidental(note.accidental);
        if (sign.triplet) {
            xml_.writeStartElement("time-modification");
            xml_.writeTextElement("actual-notes", "3");
            xml_.writeTextElement("normal-notes", "2");
            xml_.writeEndElement();
        }
        if (!rest) xml_.writeTextElement("stem", note.stemUp ? "up" : "down");
        if (beamed) writeBeams(note);
        NoteNotations notations{tieStart, tieStop};
        notations.slurStop = first && (note.slur == model::kRoleEnd || note.slur == model::kRoleEndAndStart);
        notations.slurStart = last && (note.slur == model::kRoleStart || note.slur == model::kRoleEndAndStart);
        notations.tupletStart = beamed && sign.triplet && note.triplet == model::kRoleStart;
        notations.tupletStop = beamed && sign.triplet && note.triplet == model::kRoleEnd;
        notations.fermata = first && hasMarkAt(note.startPos, MarkMeaning::Fermata);
        notations.breath = last && hasMarkAt(note.endPos, MarkMeaning::Breath);
        writeNotations(notations);
        if (first && !rest) writeLyrics(note);
        xml_.writeEndElement();
    }

    struct NoteNotations {
        bool tieStart = false;
        bool tieStop = false;
        bool slurStart = false;
        bool slurStop = false;
        bool tupletStart = false;
        bool tupletStop = false;
        bool fermata = false;
        bool breath = false;
    };
    void writeNotations(const NoteNotations& n) {
        if (!n.tieStart && !n.tieStop && !n.slurStart && !n.slurStop && !n.tupletStart && !n.tupletStop && !n.fermata && !n.breath) return;
        xml_.writeStartElement("notations");
        if (n.tieStop) typed("tied", "stop");
        if (n.tieStart) typed("tied", "start");
        if (n.slurStop) typed("slur", "stop");
        if (n.slurStart) typed("slur", "start");
        if (n.tupletStart) {
            typed("tuplet", "start");
            xml_.writeAttribute("bracket", "yes");
        }
        if (n.tupletStop) typed("tuplet", "stop");
        if (n.fermata) typed("fermata", "upright");
        if (n.breath) {
            xml_.writeStartElement("articulations");
            xml_.writeEmptyElement("breath-mark");
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    void writeAccidental(uint8_t accidental) {
        const char* name = accidental == model::kSharp         ? "sharp"
                           : accidental == model::kFlat        ? "flat"
                           : accidental == model::kDoubleSharp ? "double-sharp"
                           : accidental == model::kDoubleFlat  ? "flat-flat"
                                                               : "natural";
        xml_.writeTextElement("accidental", name);
    }

    // The first beam from the note's role, the second over neighbouring sixteenths in the group.
    void writeBeams(const model::TNote& note) {
        const auto inGroupAfter = [](const model::TNote* next) {
            return next && !next->isEndMarker() && (next->beam == model::kRoleMiddle || next->beam == model::kRoleEnd);
        };
        const auto short16 = [](const model::TNote* n) { return n && n->len <= 3 && model::isStaffPitch(n->pitch); };
        const bool continues = note.beam == model::kRoleStart || note.beam == model::kRoleMiddle;
        const bool valid = note.beam == model::kRoleStart ? inGroupAfter(note.next)
                           : note.beam == model::kRoleMiddle || note.beam == model::kRoleEnd ? beamOpen_ : false;
        if (!valid) {
            beamOpen_ = false;
            return;
        }
        const char* first = note.beam == model::kRoleStart ? "begin" : note.beam == model::kRoleMiddle ? "continue" : "end";
        xml_.writeStartElement("beam");
        xml_.writeAttribute("number", "1");
        xml_.writeCharacters(first);
        xml_.writeEndElement();
        if (note.len <= 3) {
            const bool before = beamOpen_ && short16(note.prev);
            const bool after = continues && inGroupAfter(note.next) && short16(note.next);
            const char* second = before && after ? "continue" : before ? "end" : after ? "begin"
                                 : note.beam == model::kRoleStart ? "forward hook" : "backward hook";
            xml_.writeStartElement("beam");
            xml_.writeAttribute("number", "2");
            xml_.writeCharacters(second);
            xml_.writeEndElement();
        }
        beamOpen_ = continues;
    }

    void writeLyrics(const model::TNote& note) {
        if (!note.lyric.empty() && note.lyric != " ") {
            xml_.writeStartElement("lyric");
            xml_.writeAttribute("number", "1");
            xml_.writeTextElement("syllabic", "single");
            xml_.writeTextElement("text", qt(note.lyric));
            xml_.writeEndElement();
        }
        const bool tiedOver = note.tie == model::kRoleEnd || note.tie == model::kRoleMiddle || note.tie == model::kRoleEndAndStart;
        if (part_ != 1 || tiedOver) return;
        const std::string symbol = numeric::numeralOf(note.pitch, note.effAccidental, fluteKey_, score_.song.keySig).symbol;
        if (symbol.empty()) return;
        xml_.writeStartElement("lyric");
        xml_.writeAttribute("number", "2");
        xml_.writeAttribute("name", "fingering");
        xml_.writeTextElement("syllabic", "single");
        xml_.writeTextElement("text", qt(symbol));
        xml_.writeEndElement();
    }

    void typed(const char* element, const char* type) {
        xml_.writeEmptyElement(element);
        xml_.writeAttribute("type", type);
    }

    QXmlStreamWriter& xml_;
    const model::Score& score_;
    int part_;
    int fluteKey_;
    int measureLen_;
    int measure_ = 1;
    int inMeasure_ = 0;
    bool open_ = false;
    bool beamOpen_ = false;
    int openEnding_ = 0;
    std::multimap<int, model::SymbolKind> signs_;      // by measure number
    std::multimap<int, const model::TMark*> marks_;    // by anchor
    std::multimap<int, const model::TMark*>::const_iterator nextMark_;
};

void writeHeader(QXmlStreamWriter& xml, const model::Score& score) {
    xml.writeStartElement("work");
    xml.writeTextElement("work-title", qt(score.title()));
    xml.writeEndElement();
    xml.writeStartElement("identification");
    for (const auto& [role, text] : {std::pair{"composer", score.composer()}, std::pair{"lyricist", score.lyricist()}}) {
        if (text.empty() || text == " ") continue;
        xml.writeStartElement("creator");
        xml.writeAttribute("type", role);
        xml.writeCharacters(qt(text));
        xml.writeEndElement();
    }
    xml.writeStartElement("encoding");
    xml.writeTextElement("software", "Shinofu");
    xml.writeEndElement();
    xml.writeStartElement("miscellaneous");
    xml.writeStartElement("miscellaneous-field");
    xml.writeAttribute("name", kFluteField);
    xml.writeCharacters(QString::number(score.song.fluteKey));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement("part-list");
    for (int part = 1; part <= score.partCount; ++part) {
        const QString id = QString("P%1").arg(part);
        xml.writeStartElement("score-part");
        xml.writeAttribute("id", id);
        const QString name = part == 1 ? "篠笛" : QString("篠笛 %1").arg(part);
        xml.writeTextElement("part-name", name);
        xml.writeStartElement("score-instrument");
        xml.writeAttribute("id", id + "-I1");
        xml.writeTextElement("instrument-name", name);
        xml.writeEndElement();
        xml.writeStartElement("midi-instrument");
        xml.writeAttribute("id", id + "-I1");
        xml.writeTextElement("midi-channel", QString::number(part));
        xml.writeTextElement("midi-program", QString::number(score.part(part).instrument + 1));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

}  // namespace

std::string musicXmlOf(model::Score& score) {
    score.recomputePositions();
    midi::performancePass(score);
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD(
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">");
    xml.writeStartElement("score-partwise");
    xml.writeAttribute("version", "4.0");
    writeHeader(xml, score);
    for (int part = 1; part <= score.partCount; ++part) PartWriter(xml, score, part, score.song.fluteKey).write();
    xml.writeEndElement();
    xml.writeEndDocument();
    return text.toStdString();
}

}  // namespace shinofu::musicxml
