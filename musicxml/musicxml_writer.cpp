#include "musicxml/musicxml_writer.h"

#include <QIODevice>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <unordered_map>

#include "midi/performance_pass.h"
#include "model/key_signature.h"
#include "model/meter.h"
#include "model/pitch_spelling.h"
#include "musicxml/alterations.h"
#include "musicxml/musicxml_reader.h"
#include "numeric/fingering.h"
#include "render/length_signs.h"

namespace shinofu::musicxml {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kDivisions = 12;  // per quarter: the model's own length units
constexpr const char* kSteps = "CDEFGAB";

QString qt(const std::string& text) { return QString::fromStdString(text); }

struct SignType {
    QString type;
    int dots;
    bool triplet;
};
// The sign a single-sign length is written with.
SignType signOf(int len) {
    switch (len) {
        case 48: return {u"whole"_s, 0, false};
        case 36: return {u"half"_s, 1, false};
        case 24: return {u"half"_s, 0, false};
        case 18: return {u"quarter"_s, 1, false};
        case 16: return {u"half"_s, 0, true};
        case 12: return {u"quarter"_s, 0, false};
        case 9: return {u"eighth"_s, 1, false};
        case 8: return {u"quarter"_s, 0, true};
        case 6: return {u"eighth"_s, 0, false};
        case 4: return {u"eighth"_s, 0, true};
        case 3: return {u"16th"_s, 0, false};
        case 2: return {u"16th"_s, 0, true};
        default: return {u"32nd"_s, 0, true};  // a single unit
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

enum class BeamPlace : uint8_t { Begin, Continue, End };

// Beam groups as the staff draws them: from a note that starts a beam to the first that ends one
// (a start without an end of its own joins the next group), at most 64 records; a group left open
// is not beamed.
std::unordered_map<const model::TNote*, BeamPlace> beamPlacesOf(const model::TNote* head) {
    constexpr int kMostGroupNotes = 64;
    std::unordered_map<const model::TNote*, BeamPlace> places;
    for (const model::TNote* note = head; note && !note->isEndMarker(); note = note->next) {
        if (note->beam != model::kRoleStart) continue;
        const model::TNote* end = note->next;
        for (int count = 1; end && !end->isEndMarker() && end->beam != model::kRoleEnd && count < kMostGroupNotes; ++count) end = end->next;
        if (!end || end->isEndMarker() || end->beam != model::kRoleEnd) continue;
        places[note] = BeamPlace::Begin;
        for (const model::TNote* inside = note->next; inside != end; inside = inside->next) places[inside] = BeamPlace::Continue;
        places[end] = BeamPlace::End;
        note = end;
    }
    return places;
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
        beams_ = beamPlacesOf(score.part(part).partHead);
    }

    void write() {
        xml_.writeStartElement(u"part"_s);
        xml_.writeAttribute(u"id"_s, QString(u"P%1"_s).arg(part_));
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
        shownAlters_.clear();
        xml_.writeStartElement(u"measure"_s);
        xml_.writeAttribute(u"number"_s, QString::number(measure_));
        writeLeftBarline();
        if (measure_ == 1) writeAttributes();
        for (model::SymbolKind kind : {model::kSegno, model::kCoda}) {
            if (hasSign(kind)) writeDirection([&] { xml_.writeEmptyElement(kind == model::kSegno ? u"segno"_s : u"coda"_s); });
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
    void writeDirection(Content content, const QString& placement = u"above"_s, const QString& sound = {}, const QString& value = {},
                        int offset = 0) {
        xml_.writeStartElement(u"direction"_s);
        xml_.writeAttribute(u"placement"_s, placement);
        xml_.writeStartElement(u"direction-type"_s);
        content();
        xml_.writeEndElement();
        if (offset != 0) xml_.writeTextElement(u"offset"_s, QString::number(offset));
        if (!sound.isEmpty()) {
            xml_.writeEmptyElement(u"sound"_s);
            xml_.writeAttribute(sound, value);
        }
        xml_.writeEndElement();
    }

    void writeLeftBarline() {
        const bool repeat = hasSign(model::kRepeatLeft);
        const int ending = hasSign(model::kFirstEnding) ? 1 : hasSign(model::kSecondEnding) ? 2 : 0;
        if (!repeat && !ending) return;
        xml_.writeStartElement(u"barline"_s);
        xml_.writeAttribute(u"location"_s, u"left"_s);
        xml_.writeTextElement(u"bar-style"_s, repeat ? u"heavy-light"_s : u"regular"_s);
        if (ending) {
            xml_.writeStartElement(u"ending"_s);
            xml_.writeAttribute(u"number"_s, QString::number(ending));
            xml_.writeAttribute(u"type"_s, u"start"_s);
            xml_.writeCharacters(QString(u"%1."_s).arg(ending));
            xml_.writeEndElement();
            openEnding_ = ending;
        }
        if (repeat) {
            xml_.writeEmptyElement(u"repeat"_s);
            xml_.writeAttribute(u"direction"_s, u"forward"_s);
        }
        xml_.writeEndElement();
    }

    // D.C., D.S., Fine and To Coda at the measure's end, then its right bar line: a repeat, the
    // final bar, and the end of an ending (the first at its repeat, the second where it begins).
    void writeClosingSigns() {
        struct Jump {
            model::SymbolKind kind;
            QString words;
            QString attribute;
            QString value;
        };
        static const Jump kJumps[] = {{model::kDaCapo, u"D.C."_s, u"dacapo"_s, u"yes"_s},
                                      {model::kDalSegno, u"D.S."_s, u"dalsegno"_s, u"segno"_s},
                                      {model::kFine, u"Fine"_s, u"fine"_s, u"yes"_s},
                                      {model::kToCoda, u"To Coda"_s, u"tocoda"_s, u"coda"_s}};
        for (const Jump& jump : kJumps) {
            if (!hasSign(jump.kind)) continue;
            writeDirection([&] { xml_.writeTextElement(u"words"_s, jump.words); }, u"above"_s, jump.attribute, jump.value);
        }
        const bool repeat = hasSign(model::kRepeatRight);
        const bool final = hasSign(model::kStop);
        const bool endingStops = openEnding_ == 2 || (openEnding_ == 1 && repeat);
        if (!repeat && !final && !endingStops) return;
        xml_.writeStartElement(u"barline"_s);
        xml_.writeAttribute(u"location"_s, u"right"_s);
        xml_.writeTextElement(u"bar-style"_s, repeat || final ? u"light-heavy"_s : u"regular"_s);
        if (endingStops) {
            xml_.writeEmptyElement(u"ending"_s);
            xml_.writeAttribute(u"number"_s, QString::number(openEnding_));
            xml_.writeAttribute(u"type"_s, openEnding_ == 1 ? u"stop"_s : u"discontinue"_s);
            openEnding_ = 0;
        }
        if (repeat) {
            xml_.writeEmptyElement(u"repeat"_s);
            xml_.writeAttribute(u"direction"_s, u"backward"_s);
        }
        xml_.writeEndElement();
    }

    // The marks anchored up to `position` that MusicXML writes as directions, written where the
    // part stands at `here`; a mark inside the note before is moved back by an offset.
    void writeDirectionsBefore(int position, int here) {
        for (; nextMark_ != marks_.end() && nextMark_->first <= position; ++nextMark_) {
            const model::TMark& mark = *nextMark_->second;
            const MarkMeaning meaning = meaningOf(mark);
            if (meaning == MarkMeaning::None || meaning == MarkMeaning::Breath || meaning == MarkMeaning::Fermata) continue;
            if (!open_) openMeasure();
            const int offset = mark.anchorPos - here;
            if (meaning == MarkMeaning::Dynamics) {
                writeDirection([&] {
                    xml_.writeStartElement(u"dynamics"_s);
                    xml_.writeEmptyElement(QString::fromUtf8(model::kDynamicsNames[mark.dynamics - 1]));
                    xml_.writeEndElement();
                }, "below", {}, {}, offset);
            } else if (meaning == MarkMeaning::Hairpin) {
                const bool start = mark.hairpin == model::kCrescendoStart || mark.hairpin == model::kDecrescendoStart;
                writeDirection([&] {
                    xml_.writeEmptyElement(u"wedge"_s);
                    xml_.writeAttribute(u"type"_s, !start ? u"stop"_s : mark.hairpin == model::kCrescendoStart ? u"crescendo"_s : u"diminuendo"_s);
                }, "below", {}, {}, offset);
            } else {
                const QString words = meaning == MarkMeaning::Rit ? u"rit."_s : meaning == MarkMeaning::ATempo ? u"a tempo"_s : qt(mark.text);
                writeDirection([&] { xml_.writeTextElement(u"words"_s, words); }, u"above"_s, {}, {}, offset);
            }
        }
    }

    bool hasMarkAt(int anchor, MarkMeaning meaning) const {
        const auto [from, to] = marks_.equal_range(anchor);
        return std::any_of(from, to, [meaning](const auto& entry) { return meaningOf(*entry.second) == meaning; });
    }

    void writeAttributes() {
        xml_.writeStartElement(u"attributes"_s);
        xml_.writeTextElement(u"divisions"_s, QString::number(kDivisions));
        xml_.writeStartElement(u"key"_s);
        xml_.writeTextElement(u"fifths"_s, QString::number(fifthsOfKey(score_.song.keySig)));
        xml_.writeEndElement();
        const model::Meter& meter = model::meterAt(score_.song.meterIndex);
        xml_.writeStartElement(u"time"_s);
        xml_.writeTextElement(u"beats"_s, QString::number(meter.numerator));
        xml_.writeTextElement(u"beat-type"_s, QString::number(meter.denominator));
        xml_.writeEndElement();
        const bool fClef = score_.part(part_).fClef;
        xml_.writeStartElement(u"clef"_s);
        xml_.writeTextElement(u"sign"_s, fClef ? u"F"_s : u"G"_s);
        xml_.writeTextElement(u"line"_s, fClef ? u"4"_s : u"2"_s);
        xml_.writeEndElement();
        xml_.writeEndElement();
        if (part_ == 1) {
            xml_.writeStartElement(u"direction"_s);
            xml_.writeAttribute(u"placement"_s, u"above"_s);
            xml_.writeStartElement(u"direction-type"_s);
            xml_.writeStartElement(u"metronome"_s);
            xml_.writeTextElement(u"beat-unit"_s, u"quarter"_s);
            xml_.writeTextElement(u"per-minute"_s, QString::number(score_.song.tempo));
            xml_.writeEndElement();
            xml_.writeEndElement();
            xml_.writeEmptyElement(u"sound"_s);
            xml_.writeAttribute(u"tempo"_s, QString::number(score_.song.tempo));
            xml_.writeEndElement();
        }
    }

    // A note is written as the signs that make its length, cut at bar lines, tied together.
    void writeNote(const model::TNote& note) {
        writeDirectionsBefore(note.startPos, note.startPos);
        std::vector<int> pieces;
        for (int left = note.len, at = inMeasure_; left > 0;) {
            const int piece = std::min(left, measureLen_ - at);
            // A single unit is a triplet thirty-second here; the staff draws it a size up to be seen.
            const std::vector<int> signs = piece == 1 ? std::vector<int>{1} : render::signLengths(piece);
            pieces.insert(pieces.end(), signs.begin(), signs.end());
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
        int alter = 0;
        xml_.writeStartElement(u"note"_s);
        if (note.pitch == model::kHiddenRest) xml_.writeAttribute(u"print-object"_s, u"no"_s);
        if (rest) {
            xml_.writeEmptyElement(u"rest"_s);
        } else {
            const int step = (note.pitch - 1) % 7;
            const int octave = (note.pitch - 1) / 7 + 2;
            // The sounding semitone against the plain letter's (the key of C has no alterations).
            alter = numeric::semitoneOf(false, note.pitch, note.effAccidental, score_.song.keySig) - model::semitoneOfPitch(note.pitch, 0);
            xml_.writeStartElement(u"pitch"_s);
            xml_.writeTextElement(u"step"_s, QString(QChar(kSteps[step])));
            if (alter != 0) xml_.writeTextElement(u"alter"_s, QString::number(alter));
            xml_.writeTextElement(u"octave"_s, QString::number(octave));
            xml_.writeEndElement();
        }
        xml_.writeTextElement(u"duration"_s, QString::number(len));
        const bool tieStop = !rest && (!first || note.tie == model::kRoleEnd || note.tie == model::kRoleMiddle ||
                                       note.tie == model::kRoleEndAndStart);
        const bool tieStart = !rest && (!last || note.tie == model::kRoleStart || note.tie == model::kRoleMiddle ||
                                        note.tie == model::kRoleEndAndStart);
        if (tieStop) typed(u"tie"_s, u"stop"_s);
        if (tieStart) typed(u"tie"_s, u"start"_s);
        xml_.writeTextElement(u"voice"_s, u"1"_s);
        xml_.writeTextElement(u"type"_s, sign.type);
        for (int dot = 0; dot < sign.dots; ++dot) xml_.writeEmptyElement(u"dot"_s);
        if (first && !rest) writeAccidental(note, alter, tieStop);
        if (sign.triplet) {
            xml_.writeStartElement(u"time-modification"_s);
            xml_.writeTextElement(u"actual-notes"_s, u"3"_s);
            xml_.writeTextElement(u"normal-notes"_s, u"2"_s);
            xml_.writeEndElement();
        }
        if (!rest) xml_.writeTextElement(u"stem"_s, note.stemUp ? u"up"_s : u"down"_s);
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
        xml_.writeStartElement(u"notations"_s);
        if (n.tieStop) typed(u"tied"_s, u"stop"_s);
        if (n.tieStart) typed(u"tied"_s, u"start"_s);
        if (n.slurStop) typed(u"slur"_s, u"stop"_s);
        if (n.slurStart) typed(u"slur"_s, u"start"_s);
        if (n.tupletStart) {
            typed(u"tuplet"_s, u"start"_s);
            xml_.writeAttribute(u"bracket"_s, u"yes"_s);
        }
        if (n.tupletStop) typed(u"tuplet"_s, u"stop"_s);
        if (n.fermata) typed(u"fermata"_s, u"upright"_s);
        if (n.breath) {
            xml_.writeStartElement(u"articulations"_s);
            xml_.writeEmptyElement(u"breath-mark"_s);
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    // The accidental the score writes, and where the score only carries one from an octave away
    // (which MusicXML does not), the same one marked cautionary, so other programs show it.
    void writeAccidental(const model::TNote& note, int alter, bool tiedOver) {
        const auto place = std::pair{(note.pitch - 1) % 7, (note.pitch - 1) / 7};
        const auto shown = shownAlters_.find(place);
        const int inEffect = shown != shownAlters_.end() ? shown->second : model::keyAlteration(score_.song.keySig, place.first);
        const bool written = note.accidental != model::kNoAccidental;
        if (!written && (alter == inEffect || tiedOver)) return;
        const uint8_t accidental = written ? note.accidental : model::accidentalOfAlteration(alter).value_or(model::kNatural);
        const QString name = accidental == model::kSharp         ? u"sharp"_s
                           : accidental == model::kFlat        ? u"flat"_s
                           : accidental == model::kDoubleSharp ? u"double-sharp"_s
                           : accidental == model::kDoubleFlat  ? u"flat-flat"_s
                                                               : u"natural"_s;
        xml_.writeStartElement(u"accidental"_s);
        if (!written) xml_.writeAttribute(u"cautionary"_s, u"yes"_s);
        xml_.writeCharacters(name);
        xml_.writeEndElement();
        shownAlters_[place] = alter;
    }

    // The first beam from the note's role, the second over neighbouring sixteenths in the group.
    void writeBeams(const model::TNote& note) {
        const auto found = beams_.find(&note);
        if (found == beams_.end()) return;
        const BeamPlace place = found->second;
        const QString first = place == BeamPlace::Begin ? u"begin"_s : place == BeamPlace::Continue ? u"continue"_s : u"end"_s;
        xml_.writeStartElement(u"beam"_s);
        xml_.writeAttribute(u"number"_s, u"1"_s);
        xml_.writeCharacters(first);
        xml_.writeEndElement();
        const auto short16 = [](const model::TNote* n) { return n->len <= 3 && model::isStaffPitch(n->pitch); };
        if (!short16(&note)) return;
        const bool before = place != BeamPlace::Begin && short16(note.prev);
        const bool after = place != BeamPlace::End && short16(note.next);
        const QString second = before && after ? u"continue"_s : before ? u"end"_s : after ? u"begin"_s
                             : place == BeamPlace::Begin ? u"forward hook"_s : u"backward hook"_s;
        xml_.writeStartElement(u"beam"_s);
        xml_.writeAttribute(u"number"_s, u"2"_s);
        xml_.writeCharacters(second);
        xml_.writeEndElement();
    }

    void writeLyrics(const model::TNote& note) {
        if (!note.lyric.empty() && note.lyric != " ") {
            xml_.writeStartElement(u"lyric"_s);
            xml_.writeAttribute(u"number"_s, u"1"_s);
            xml_.writeTextElement(u"syllabic"_s, u"single"_s);
            xml_.writeTextElement(u"text"_s, qt(note.lyric));
            xml_.writeEndElement();
        }
        const bool tiedOver = note.tie == model::kRoleEnd || note.tie == model::kRoleMiddle || note.tie == model::kRoleEndAndStart;
        if (part_ != 1 || tiedOver) return;
        const std::string symbol = numeric::numeralOf(note.pitch, note.effAccidental, fluteKey_, score_.song.keySig).symbol;
        if (symbol.empty()) return;
        xml_.writeStartElement(u"lyric"_s);
        xml_.writeAttribute(u"number"_s, u"2"_s);
        xml_.writeAttribute(u"name"_s, u"fingering"_s);
        xml_.writeTextElement(u"syllabic"_s, u"single"_s);
        xml_.writeTextElement(u"text"_s, qt(symbol));
        xml_.writeEndElement();
    }

    void typed(const QString& element, const QString& type) {
        xml_.writeEmptyElement(element);
        xml_.writeAttribute(u"type"_s, type);
    }

    QXmlStreamWriter& xml_;
    const model::Score& score_;
    int part_;
    int fluteKey_;
    int measureLen_;
    int measure_ = 1;
    int inMeasure_ = 0;
    bool open_ = false;
    std::unordered_map<const model::TNote*, BeamPlace> beams_;
    std::map<std::pair<int, int>, int> shownAlters_;  // (step, octave) → alteration shown earlier in the measure
    int openEnding_ = 0;
    std::multimap<int, model::SymbolKind> signs_;      // by measure number
    std::multimap<int, const model::TMark*> marks_;    // by anchor
    std::multimap<int, const model::TMark*>::const_iterator nextMark_;
};

void writeHeader(QXmlStreamWriter& xml, const model::Score& score) {
    xml.writeStartElement(u"work"_s);
    xml.writeTextElement(u"work-title"_s, qt(score.title()));
    xml.writeEndElement();
    xml.writeStartElement(u"identification"_s);
    for (const auto& [role, text] : {std::pair{"composer", score.composer()}, std::pair{"lyricist", score.lyricist()}}) {
        if (text.empty() || text == " ") continue;
        xml.writeStartElement(u"creator"_s);
        xml.writeAttribute(u"type"_s, role);
        xml.writeCharacters(qt(text));
        xml.writeEndElement();
    }
    xml.writeStartElement(u"encoding"_s);
    xml.writeTextElement(u"software"_s, u"Shinofu"_s);
    xml.writeEndElement();
    xml.writeStartElement(u"miscellaneous"_s);
    xml.writeStartElement(u"miscellaneous-field"_s);
    xml.writeAttribute(u"name"_s, kFluteField);
    xml.writeCharacters(QString::number(score.song.fluteKey));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(u"part-list"_s);
    for (int part = 1; part <= score.partCount; ++part) {
        const QString id = QString("P%1").arg(part);
        xml.writeStartElement(u"score-part"_s);
        xml.writeAttribute(u"id"_s, id);
        const QString name = part == 1 ? u"篠笛"_s : QString(u"篠笛 %1"_s).arg(part);
        xml.writeTextElement(u"part-name"_s, name);
        xml.writeStartElement(u"score-instrument"_s);
        xml.writeAttribute(u"id"_s, id + u"-I1"_s);
        xml.writeTextElement(u"instrument-name"_s, name);
        xml.writeEndElement();
        xml.writeStartElement(u"midi-instrument"_s);
        xml.writeAttribute(u"id"_s, id + u"-I1"_s);
        xml.writeTextElement(u"midi-channel"_s, QString::number(part));
        xml.writeTextElement(u"midi-program"_s, QString::number(score.part(part).instrument + 1));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// The writer's UTF-8 appended straight to a string: a QByteArray's buffer device costs a resize per write.
class StringSink : public QIODevice {
public:
    explicit StringSink(std::string& out) : out_(out) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 writeData(const char* data, qint64 size) override {
        out_.append(data, static_cast<size_t>(size));
        return size;
    }
    qint64 readData(char*, qint64) override { return -1; }

private:
    std::string& out_;
};

}  // namespace

std::string musicXmlOf(model::Score& score) {
    score.recomputePositions();
    midi::performancePass(score);
    std::string bytes;
    size_t notes = 0;
    for (int part = 1; part <= score.partCount; ++part) model::forEachNote(score.part(part).partHead, [&](const model::TNote&) { ++notes; });
    bytes.reserve(4096 + notes * 600);  // a note takes about 500 bytes: the text grows once at most
    StringSink sink(bytes);
    QXmlStreamWriter xml(&sink);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD(
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">");
    xml.writeStartElement(u"score-partwise"_s);
    xml.writeAttribute(u"version"_s, u"4.0"_s);
    writeHeader(xml, score);
    for (int part = 1; part <= score.partCount; ++part) PartWriter(xml, score, part, score.song.fluteKey).write();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

}  // namespace shinofu::musicxml
