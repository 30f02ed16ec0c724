#include "musicxml/musicxml_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <utility>

#include "model/measure_spelling.h"
#include "model/score_budget.h"
#include "model/key_signature.h"
#include "musicxml/alterations.h"
#include "musicxml/read_score.h"
#include "musicxml/score_fill.h"
#include "render/length_signs.h"
#include "platform/ui_text.h"

namespace shinofu::musicxml {
namespace {

constexpr int kUnitsPerQuarter = 12;
constexpr int kMostMeasureUnits = 48 * 64;  // a measure longer than 64 whole notes is not music

bool named(const pugi::xml_node& node, const char* name) { return std::strcmp(node.name(), name) == 0; }
bool is(const pugi::xml_attribute& attribute, const char* value) { return std::strcmp(attribute.value(), value) == 0; }

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}
std::string textOf(const pugi::xml_node& node) { return trimmed(node.text().get()); }

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

uint8_t accidentalCode(std::string_view name) {
    if (name == "sharp") return model::kSharp;
    if (name == "flat") return model::kFlat;
    if (name == "natural") return model::kNatural;
    if (name == "double-sharp" || name == "sharp-sharp") return model::kDoubleSharp;
    if (name == "flat-flat") return model::kDoubleFlat;
    return model::kNoAccidental;
}

int dynamicsOf(std::string_view name) {
    for (size_t i = 0; i < model::kDynamicsNames.size(); ++i) {
        if (name == model::kDynamicsNames[i]) return static_cast<int>(i) + 1;
    }
    return 0;
}

int stepIndexOf(std::string_view step) {
    const auto at = std::string_view("CDEFGAB").find(step);
    return step.size() == 1 && at != std::string_view::npos ? static_cast<int>(at) : -1;
}

// D.C., D.S., Fine and To Coda as words; nothing for other words.
std::optional<model::SymbolKind> signOfWords(const std::string& lower) {
    if (lower.starts_with("d.c.") || lower.starts_with("da capo")) return model::kDaCapo;
    if (lower.starts_with("d.s.") || lower.starts_with("dal segno")) return model::kDalSegno;
    if (lower == "fine") return model::kFine;
    if (lower.starts_with("to coda")) return model::kToCoda;
    return std::nullopt;
}

// The state of one part while its measures are read.
struct PartCursor {
    explicit PartCursor(ReadPart& read) : part(read) {}
    ReadPart& part;
    int divisions = 1;
    std::string voice;       // the first voice's name, once a note named one
    bool clefRead = false;
    int measureUnits = 48;   // what a full measure holds
    int voiceEnd = 0;        // units of the first voice read in this measure
    int cursor = 0;          // where backup and forward have moved to in this measure
    bool implicit = false;   // a pickup measure
    model::MeasureSpelling spelling{0, 0};  // the key and the accidentals written earlier in the measure
    DirectionMarks pending;  // directions waiting for the next note
    model::HairpinRole openWedge = model::kNoHairpin;
};

using Problem = std::optional<std::string>;

class Reader {
public:
    explicit Reader(ReadScore& out) : out_(out) {}

    Problem read(const pugi::xml_node& root) {
        if (named(root, "score-timewise")) return std::string(ui::text("ui", "時間順（timewise）のMusicXMLには対応していません"));
        if (!named(root, "score-partwise")) return std::string(ui::text("ui", "MusicXMLではありません"));
        if (!root.child("part-list")) return std::string(ui::text("ui", "MusicXMLにパートの一覧（part-list）がありません"));
        for (const pugi::xml_node& child : root.children()) {
            if (named(child, "work")) {
                out_.title = textOf(child.child("work-title"));
            } else if (named(child, "movement-title")) {
                if (out_.title.empty()) out_.title = textOf(child);
            } else if (named(child, "identification")) {
                readIdentification(child);
            } else if (named(child, "part-list")) {
                readPartList(child);
            } else if (named(child, "part")) {
                if (auto problem = readPart(child)) return problem;
            }
        }
        return std::nullopt;
    }

private:
    void readIdentification(const pugi::xml_node& identification) {
        for (const pugi::xml_node& creator : identification.children("creator")) {
            const pugi::xml_attribute type = creator.attribute("type");
            if (is(type, "composer") && out_.composer.empty()) out_.composer = textOf(creator);
            if ((is(type, "lyricist") || is(type, "poet")) && out_.lyricist.empty()) out_.lyricist = textOf(creator);
        }
        for (const pugi::xml_node& field : identification.child("miscellaneous").children("miscellaneous-field")) {
            if (!is(field.attribute("name"), kFluteField)) continue;
            const int key = field.text().as_int();
            if (key >= 1 && key <= 12) out_.fluteKey = key;
        }
    }

    void readPartList(const pugi::xml_node& list) {
        for (const pugi::xml_node& scorePart : list.children("score-part")) {
            ReadPart part;
            part.id = scorePart.attribute("id").value();
            if (const pugi::xml_node program = scorePart.child("midi-instrument").child("midi-program")) {
                part.program = std::clamp(program.text().as_int() - 1, 0, 127);
            }
            out_.parts.push_back(std::move(part));
        }
    }

    Problem readPart(const pugi::xml_node& node) {
        const std::string_view id = node.attribute("id").value();
        auto found = std::find_if(out_.parts.begin(), out_.parts.end(), [&](const ReadPart& p) { return p.id == id; });
        if (found == out_.parts.end() || !found->measures.empty()) {
            out_.notices.insert(ui::text("ui", "パート一覧にないパートを読み飛ばしました"));
            return std::nullopt;
        }
        PartCursor part(*found);
        part.measureUnits = measureUnitsOf(out_.time);
        for (const pugi::xml_node& measure : node.children("measure")) {
            if (auto problem = readMeasure(measure, part)) return problem;
        }
        return std::nullopt;
    }

    static int measureUnitsOf(std::optional<std::pair<int, int>> time) {
        if (!time || time->second <= 0) return 4 * kUnitsPerQuarter;
        // In 64 bits: a file may say any number of beats.
        const int64_t units = int64_t{time->first} * 4 * kUnitsPerQuarter / time->second;
        return static_cast<int>(std::clamp<int64_t>(units, 1, kMostMeasureUnits));
    }

    static int unitsOf(const PartCursor& part, double duration) {
        return static_cast<int>(std::lround(std::clamp(duration * kUnitsPerQuarter / part.divisions, 0.0, double{kMostMeasureUnits})));
    }

    Problem readMeasure(const pugi::xml_node& measure, PartCursor& part) {
        if (static_cast<int>(part.part.measures.size()) >= model::kMostMeasures) return model::tooManyMeasuresMessage();
        part.part.measures.push_back({part.part.notes.size(), {}});
        part.implicit = is(measure.attribute("implicit"), "yes");
        part.voiceEnd = 0;
        part.cursor = 0;
        part.spelling = model::MeasureSpelling(keyOfFifths(out_.fifths.value_or(0)), 0);
        for (const pugi::xml_node& child : measure.children()) {
            if (named(child, "attributes")) {
                readAttributes(child, part);
            } else if (named(child, "note")) {
                if (auto problem = readNote(child, part)) return problem;
            } else if (named(child, "backup") || named(child, "forward")) {
                if (auto problem = readShift(child, part, named(child, "forward"))) return problem;
            } else if (named(child, "direction")) {
                readDirection(child, part);
            } else if (named(child, "barline")) {
                readBarline(child, part);
            } else if (named(child, "sound")) {
                readSound(child, part);
            }
        }
        padMeasure(part);
        return std::nullopt;
    }

    // A measure short of its meter is filled with rests (before the notes of a pickup), so the
    // bar lines of the score fall where the file has them.
    void padMeasure(PartCursor& part) {
        const int missing = part.measureUnits - part.voiceEnd;
        if (missing < 0) out_.notices.insert(ui::text("ui", "拍子より長い小節がありました"));
        if (missing <= 0) return;
        const ReadMeasure& measure = part.part.measures.back();
        const bool pickup = part.implicit && part.part.measures.size() == 1 && part.voiceEnd > 0;
        std::vector<ReadNote> rests;
        for (int len : render::signLengths(missing)) {
            ReadNote rest;
            rest.len = len;
            rests.push_back(rest);
        }
        auto& notes = part.part.notes;
        notes.insert(pickup ? notes.begin() + static_cast<std::ptrdiff_t>(measure.firstNote) : notes.end(), rests.begin(), rests.end());
        if (pickup) out_.notices.insert(ui::text("ui", "弱起の小節の前を休符で埋めました"));
    }

    void readAttributes(const pugi::xml_node& attributes, PartCursor& part) {
        if (const pugi::xml_node divisions = attributes.child("divisions")) part.divisions = std::max(1, divisions.text().as_int());
        if (const pugi::xml_node fifths = attributes.child("key").child("fifths")) {
            const int value = std::clamp(fifths.text().as_int(), -7, 7);
            if (!out_.fifths) {
                out_.fifths = value;
                part.spelling = model::MeasureSpelling(keyOfFifths(value), 0);
            }
            if (*out_.fifths != value) out_.notices.insert(ui::text("ui", "調号の変更は最初の調号だけを読みました"));
        }
        if (const pugi::xml_node time = attributes.child("time")) {
            const int beats = time.child("beats").text().as_int();
            const int beatType = time.child("beat-type").text().as_int();
            if (beats > 0 && beatType > 0) {
                if (!out_.time) out_.time = std::pair{beats, beatType};
                if (*out_.time != std::pair{beats, beatType}) out_.notices.insert(ui::text("ui", "拍子の変更は最初の拍子だけを読みました"));
                part.measureUnits = measureUnitsOf(out_.time);
            }
        }
        if (const pugi::xml_node sign = attributes.child("clef").child("sign"); sign && !part.clefRead) {
            part.part.fClef = textOf(sign) == "F";
            part.clefRead = true;
        }
        if (attributes.child("staves").text().as_int() > 1) out_.notices.insert(ui::text("ui", "複数の譜表があるパートは最初の声部だけを読みました"));
    }

    Problem readShift(const pugi::xml_node& shift, PartCursor& part, bool forward) {
        const int duration = unitsOf(part, shift.child("duration").text().as_double());
        if (!forward) {
            part.cursor = std::max(0, part.cursor - duration);
            return std::nullopt;
        }
        // A forward in the first voice at its end is a rest the other program does not print.
        const std::string voice = textOf(shift.child("voice"));
        const bool firstVoice = voice.empty() ? part.cursor == part.voiceEnd : voice == part.voice;
        const bool atEnd = part.cursor == part.voiceEnd;
        part.cursor += duration;
        if (!firstVoice || !atEnd || duration <= 0) return std::nullopt;
        part.voiceEnd = part.cursor;
        ReadNote rest;
        rest.pitch = model::kHiddenRest;
        rest.len = duration;
        return pushNote(part, std::move(rest));
    }

    void readSound(const pugi::xml_node& sound, PartCursor& part) {
        const double tempo = sound.attribute("tempo").as_double();
        if (tempo > 0 && !out_.tempo) out_.tempo = std::clamp(static_cast<int>(std::lround(tempo)), 20, 400);
        if (is(sound.attribute("dacapo"), "yes")) addSign(part, model::kDaCapo);
        if (sound.attribute("dalsegno")) addSign(part, model::kDalSegno);
        if (sound.attribute("fine")) addSign(part, model::kFine);
        if (sound.attribute("tocoda")) addSign(part, model::kToCoda);
    }

    static void addSign(PartCursor& part, model::SymbolKind kind) {
        auto& signs = part.part.measures.back().signs;
        if (std::find(signs.begin(), signs.end(), kind) == signs.end()) signs.push_back(kind);
    }

    void readDirection(const pugi::xml_node& direction, PartCursor& part) {
        if (const pugi::xml_node offset = direction.child("offset")) {
            const double value = offset.text().as_double();
            part.pending.offset = value < 0 ? -unitsOf(part, -value) : unitsOf(part, value);
        }
        if (const pugi::xml_node sound = direction.child("sound")) readSound(sound, part);
        for (const pugi::xml_node& type : direction.children("direction-type")) {
            for (const pugi::xml_node& item : type.children()) readDirectionItem(item, part);
        }
    }

    void readDirectionItem(const pugi::xml_node& item, PartCursor& part) {
        if (named(item, "metronome")) {
            const int tempo = static_cast<int>(std::lround(item.child("per-minute").text().as_double()));
            if (tempo > 0 && !out_.tempo) out_.tempo = std::clamp(tempo, 20, 400);
        } else if (named(item, "dynamics")) {
            for (const pugi::xml_node& mark : item.children()) {
                if (const int dynamics = dynamicsOf(mark.name())) part.pending.dynamics = dynamics;
            }
        } else if (named(item, "wedge")) {
            const pugi::xml_attribute type = item.attribute("type");
            if (is(type, "crescendo") || is(type, "diminuendo")) {
                part.openWedge = is(type, "crescendo") ? model::kCrescendoStart : model::kDecrescendoStart;
                part.pending.hairpin = part.openWedge;
            } else if (is(type, "stop") && part.openWedge != model::kNoHairpin) {
                part.pending.hairpin = part.openWedge == model::kCrescendoStart ? model::kCrescendoEnd : model::kDecrescendoEnd;
                part.openWedge = model::kNoHairpin;
            }
        } else if (named(item, "segno") || named(item, "coda")) {
            addSign(part, named(item, "segno") ? model::kSegno : model::kCoda);
        } else if (named(item, "words")) {
            readWords(part, textOf(item));
        }
    }

    static void readWords(PartCursor& part, const std::string& text) {
        if (text.empty()) return;
        const std::string lower = lowered(text);
        if (auto sign = signOfWords(lower)) return addSign(part, *sign);
        if (lower.starts_with("rit") || lower.starts_with("rall")) {
            part.pending.rit = true;
        } else if (lower == "a tempo") {
            part.pending.aTempo = true;
        } else {
            part.pending.words = text;
        }
    }

    static void readBarline(const pugi::xml_node& barline, PartCursor& part) {
        const bool left = is(barline.attribute("location"), "left");
        const pugi::xml_node repeat = barline.child("repeat");
        if (repeat) addSign(part, is(repeat.attribute("direction"), "forward") ? model::kRepeatLeft : model::kRepeatRight);
        for (const pugi::xml_node& ending : barline.children("ending")) {
            if (!is(ending.attribute("type"), "start")) continue;
            addSign(part, ending.attribute("number").value()[0] == '2' ? model::kSecondEnding : model::kFirstEnding);
        }
        // A repeat's own bar line is not also the final bar.
        if (!repeat && !left && textOf(barline.child("bar-style")) == "light-heavy") addSign(part, model::kStop);
        if (barline.child("segno")) addSign(part, model::kSegno);
        if (barline.child("coda")) addSign(part, model::kCoda);
    }

    Problem readNote(const pugi::xml_node& node, PartCursor& part) {
        if (node.child("grace") || node.child("cue")) {
            out_.notices.insert(ui::text("ui", "装飾音と小さな音符（cue）は表示できないので読み飛ばしました"));
            return std::nullopt;
        }
        const bool rest = node.child("rest");
        const pugi::xml_node pitch = node.child("pitch");
        const int stepIndex = stepIndexOf(textOf(pitch.child("step")));
        const int alter = static_cast<int>(std::lround(pitch.child("alter").text().as_double()));
        const int octave = pitch.child("octave").text().as_int(4);
        // A cautionary accidental restates what the notes already sound: the score needs none.
        const pugi::xml_node accidental = node.child("accidental");
        const uint8_t written = is(accidental.attribute("cautionary"), "yes") ? uint8_t{model::kNoAccidental} : accidentalCode(textOf(accidental));
        if (!rest && stepIndex < 0) return std::string(ui::text("ui", "MusicXMLの音名が読めません"));
        if (node.child("chord")) {
            out_.notices.insert(ui::text("ui", "和音は一番上の音だけを読みました"));
            if (!rest) keepHigher(part, stepIndex, alter, octave, written);
            return std::nullopt;
        }
        if (const pugi::xml_node tuplet = node.child("time-modification")) {
            const int actual = tuplet.child("actual-notes").text().as_int();
            const int normal = tuplet.child("normal-notes").text().as_int();
            if (actual != 3 || normal != 2) out_.notices.insert(ui::text("ui", "３連符のほかの連符は近い長さにしました"));
        }
        ReadNote note;
        const int len = unitsOf(part, node.child("duration").text().as_double());
        const std::string voice = textOf(node.child("voice"));
        if (part.voice.empty() && part.cursor == part.voiceEnd) part.voice = voice;
        const bool firstVoice = voice.empty() ? part.cursor == part.voiceEnd : voice == part.voice;
        part.cursor += len;
        if (!firstVoice) {
            out_.notices.insert(ui::text("ui", "複数の声部があるパートは最初の声部だけを読みました"));
            return std::nullopt;
        }
        part.voiceEnd = part.cursor;
        if (len <= 0) return std::nullopt;
        note.len = len;
        const std::string stem = textOf(node.child("stem"));
        if (stem == "up" || stem == "down") note.stemUp = stem == "up";
        for (const pugi::xml_node& beam : node.children("beam")) {
            if (!beam.attribute("number") || is(beam.attribute("number"), "1")) note.beam = beamRoleOf(textOf(beam));
        }
        for (const pugi::xml_node& tie : node.children("tie")) readStartStop(tie, note.tieStart, note.tieStop);
        readNotations(node, note);
        for (const pugi::xml_node& lyric : node.children("lyric")) {
            const pugi::xml_attribute number = lyric.attribute("number");
            if ((!number || is(number, "1")) && note.lyric.empty()) note.lyric = textOf(lyric.child("text"));
        }
        if (rest) {
            note.tieStart = note.tieStop = false;
            if (is(node.attribute("print-object"), "no")) note.pitch = model::kHiddenRest;
        } else if (!spell(part, note, stepIndex, alter, octave, written)) {
            return std::nullopt;
        }
        return pushNote(part, std::move(note));
    }

    static uint8_t beamRoleOf(const std::string& value) {
        if (value == "begin") return model::kRoleStart;
        if (value == "continue") return model::kRoleMiddle;
        if (value == "end") return model::kRoleEnd;
        return model::kNoRole;  // hooks
    }

    // Pitch and accidental as written: an alteration the score would not sound there (by the key
    // and the accidentals it carries in the measure, an octave away too) is spelled out; a note
    // tied over from before keeps its sound.
    bool spell(PartCursor& part, ReadNote& note, int stepIndex, int alter, int octave, uint8_t written) {
        if (octave < -10 || octave > 20) return false;
        int pitch = (octave - 2) * 7 + stepIndex + 1;
        if (pitch < model::kLowestPitch || pitch > model::kHighestPitch) {
            out_.notices.insert(ui::text("ui", "五線に書けない高さの音をオクターブ移しました"));
            while (pitch < model::kLowestPitch) pitch += 7;
            while (pitch > model::kHighestPitch) pitch -= 7;
        }
        note.pitch = static_cast<uint8_t>(pitch);
        if (written != model::kNoAccidental || !note.tieStop) {
            const int chromatic = model::semitoneOfPitch(note.pitch, 0) + alter;
            note.accidental = part.spelling.keep(note.pitch, written, chromatic).accidental;
        }
        return true;
    }

    // Of a chord, the melody is its highest note.
    void keepHigher(PartCursor& part, int stepIndex, int alter, int octave, uint8_t written) {
        if (part.part.notes.empty() || part.voiceEnd != part.cursor) return;
        ReadNote& last = part.part.notes.back();
        if (!model::isStaffPitch(last.pitch)) return;
        ReadNote chordNote;
        if (!spell(part, chordNote, stepIndex, alter, octave, written) || chordNote.pitch <= last.pitch) return;
        last.pitch = chordNote.pitch;
        last.accidental = chordNote.accidental;
    }

    static Problem pushNote(PartCursor& part, ReadNote note) {
        if (static_cast<int>(part.part.notes.size()) >= model::kMostNotesPerPart) return model::tooManyNotesMessage();
        note.directions = std::exchange(part.pending, {});
        if (note.beam) part.part.beamsWritten = true;
        part.part.notes.push_back(std::move(note));
        return std::nullopt;
    }

    static void readStartStop(const pugi::xml_node& node, bool& start, bool& stop) {
        const pugi::xml_attribute type = node.attribute("type");
        start = start || is(type, "start");
        stop = stop || is(type, "stop");
    }

    static void readNotations(const pugi::xml_node& node, ReadNote& note) {
        for (const pugi::xml_node& notations : node.children("notations")) {
            for (const pugi::xml_node& item : notations.children()) {
                if (named(item, "slur")) readStartStop(item, note.slurStart, note.slurStop);
                if (named(item, "tied")) readStartStop(item, note.tieStart, note.tieStop);
                if (named(item, "fermata")) note.fermata = true;
                if (named(item, "articulations") && item.child("breath-mark")) note.breathAfter = true;
            }
        }
    }

    ReadScore& out_;
};

int lineOf(std::string_view document, ptrdiff_t offset) {
    const auto end = document.begin() + std::clamp<ptrdiff_t>(offset, 0, static_cast<ptrdiff_t>(document.size()));
    return 1 + static_cast<int>(std::count(document.begin(), end, '\n'));
}

}  // namespace

MusicXmlRead importMusicXml(std::string_view document, model::Score& score) {
    MusicXmlRead result;
    // Entities are never expanded (only the five of XML itself): a document that declares its own
    // is refused rather than read with their names in place of text.
    pugi::xml_document xml;
    const pugi::xml_parse_result parsed =
        xml.load_buffer(document.data(), document.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_auto);
    if (!parsed) {
        result.error = parsed.status == pugi::status_no_document_element
                           ? ui::text("ui", "MusicXMLではありません")
                           : ui::format(ui::text("ui", "MusicXMLが壊れています（%1行目）"), {std::to_string(lineOf(document, parsed.offset))});
        return result;
    }
    for (const pugi::xml_node& node : xml.children()) {
        if (node.type() == pugi::node_doctype && std::strstr(node.value(), "<!ENTITY")) {
            result.error = ui::text("ui", "MusicXMLの中で実体（ENTITY）が宣言されているので読みません");
            return result;
        }
    }
    ReadScore read;
    if (auto problem = Reader(read).read(xml.document_element())) {
        result.error = *problem;
        return result;
    }
    fillScore(score, read);
    result.notices.assign(read.notices.begin(), read.notices.end());
    result.fluteKey = read.fluteKey;
    result.read = true;
    return result;
}

}  // namespace shinofu::musicxml
