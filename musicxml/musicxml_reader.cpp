#include "musicxml/musicxml_reader.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "musicxml/read_score.h"
#include "musicxml/score_fill.h"
#include "render/length_signs.h"

namespace shinofu::musicxml {
namespace {

constexpr int kUnitsPerQuarter = 12;
constexpr int kMostNotesPerPart = 200000;  // far beyond any melody; a file past it is refused
constexpr int kMostMeasureUnits = 48 * 64;  // a measure longer than 64 whole notes is not music

// The key's alteration of a step (C = 0 .. B = 6) with `fifths` sharps (or flats when negative).
int keyAlteration(int fifths, int step) {
    static constexpr std::array<int, 7> kSharpOrder = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
    for (int i = 0; i < std::abs(fifths) && i < 7; ++i) {
        const int altered = fifths > 0 ? kSharpOrder[static_cast<size_t>(i)] : kSharpOrder[static_cast<size_t>(6 - i)];
        if (altered == step) return fifths > 0 ? 1 : -1;
    }
    return 0;
}

uint8_t accidentalCode(const QString& name) {
    if (name == "sharp") return model::kSharp;
    if (name == "flat") return model::kFlat;
    if (name == "natural") return model::kNatural;
    if (name == "double-sharp" || name == "sharp-sharp") return model::kDoubleSharp;
    if (name == "flat-flat") return model::kDoubleFlat;
    return model::kNoAccidental;
}

uint8_t accidentalOfAlter(int alter) {
    switch (alter) {
        case 1: return model::kSharp;
        case -1: return model::kFlat;
        case 2: return model::kDoubleSharp;
        case -2: return model::kDoubleFlat;
        default: return model::kNatural;
    }
}

int alterOfAccidental(uint8_t accidental) {
    switch (accidental) {
        case model::kSharp: return 1;
        case model::kFlat: return -1;
        case model::kDoubleSharp: return 2;
        case model::kDoubleFlat: return -2;
        default: return 0;
    }
}

int dynamicsOf(QStringView name) {
    static constexpr std::array<const char*, 8> kNames = {"ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (name == QLatin1StringView(kNames[i])) return static_cast<int>(i) + 1;
    }
    return 0;
}

// D.C., D.S., Fine and To Coda as words; nothing for other words.
std::optional<model::SymbolKind> signOfWords(const QString& words) {
    const QString text = words.trimmed().toLower();
    if (text.startsWith("d.c.") || text.startsWith("da capo")) return model::kDaCapo;
    if (text.startsWith("d.s.") || text.startsWith("dal segno")) return model::kDalSegno;
    if (text == "fine") return model::kFine;
    if (text.startsWith("to coda")) return model::kToCoda;
    return std::nullopt;
}

// The state of one part while its measures are read.
struct PartCursor {
    explicit PartCursor(ReadPart& read) : part(read) {}
    ReadPart& part;
    int divisions = 1;
    QString voice;           // the first voice's name, once a note named one
    bool clefRead = false;
    int measureUnits = 48;   // what a full measure holds
    int voiceEnd = 0;        // units of the first voice read in this measure
    int cursor = 0;          // where backup and forward have moved to in this measure
    bool implicit = false;   // a pickup measure
    std::map<std::pair<int, int>, int> carried;  // (step, octave) → alteration written earlier in the measure
    ReadNote pending;        // directions waiting for the next note
    model::HairpinRole openWedge = model::kNoHairpin;
};

class Reader {
public:
    explicit Reader(std::string_view document) : xml_(QByteArray(document.data(), static_cast<qsizetype>(document.size()))) {}

    std::optional<std::string> read(ReadScore& out) {
        if (!xml_.readNextStartElement()) return error("MusicXMLではありません");
        if (xml_.name() == u"score-timewise") return std::string("時間順（timewise）のMusicXMLには対応していません");
        if (xml_.name() != u"score-partwise") return std::string("MusicXMLではありません");
        bool partList = false;
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == u"work") {
                readWork(out);
            } else if (name == u"movement-title") {
                const QString title = xml_.readElementText();
                if (out.title.isEmpty()) out.title = title;
            } else if (name == u"identification") {
                readIdentification(out);
            } else if (name == u"part-list") {
                partList = true;
                readPartList(out);
            } else if (name == u"part") {
                if (!partList) return std::string("MusicXMLにパートの一覧（part-list）がありません");
                if (auto problem = readPart(out)) return problem;
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError()) return error("MusicXMLが壊れています");
        if (!partList) return std::string("MusicXMLにパートの一覧（part-list）がありません");
        return std::nullopt;
    }

private:
    std::string error(const char* what) const {
        return xml_.hasError() ? std::string(what) + "（" + std::to_string(xml_.lineNumber()) + "行目）" : what;
    }

    // Calls `child` for each child element by name; `child` reads or skips it.
    template <typename Child>
    void children(Child child) {
        while (xml_.readNextStartElement()) child(xml_.name());
    }

    void readWork(ReadScore& out) {
        children([&](QStringView name) {
            if (name == u"work-title") {
                out.title = xml_.readElementText();
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    void readIdentification(ReadScore& out) {
        children([&](QStringView name) {
            if (name == u"miscellaneous") return readMiscellaneous(out);
            if (name != u"creator") return xml_.skipCurrentElement();
            const QString type = xml_.attributes().value("type").toString();
            const QString text = xml_.readElementText();
            if (type == "composer" && out.composer.isEmpty()) out.composer = text;
            if ((type == "lyricist" || type == "poet") && out.lyricist.isEmpty()) out.lyricist = text;
        });
    }

    void readMiscellaneous(ReadScore& out) {
        children([&](QStringView name) {
            const bool flute = name == u"miscellaneous-field" && xml_.attributes().value("name") == QLatin1StringView(kFluteField);
            if (!flute) return xml_.skipCurrentElement();
            const int key = xml_.readElementText().toInt();
            if (key >= 1 && key <= 12) out.fluteKey = key;
        });
    }

    void readPartList(ReadScore& out) {
        children([&](QStringView name) {
            if (name != u"score-part") return xml_.skipCurrentElement();
            ReadPart part;
            part.id = xml_.attributes().value("id").toString();
            children([&](QStringView child) {
                if (child != u"midi-instrument") return xml_.skipCurrentElement();
                children([&](QStringView setting) {
                    if (setting == u"midi-program" && !part.program) {
                        part.program = std::clamp(xml_.readElementText().toInt() - 1, 0, 127);
                    } else {
                        xml_.skipCurrentElement();
                    }
                });
            });
            out.parts.push_back(std::move(part));
        });
    }

    std::optional<std::string> readPart(ReadScore& out) {
        const QString id = xml_.attributes().value("id").toString();
        auto found = std::find_if(out.parts.begin(), out.parts.end(), [&](const ReadPart& p) { return p.id == id; });
        if (found == out.parts.end() || !found->measures.empty()) {
            out.notices.insert("パート一覧にないパートを読み飛ばしました");
            xml_.skipCurrentElement();
            return std::nullopt;
        }
        PartCursor part(*found);
        part.measureUnits = measureUnitsOf(out.time);
        std::optional<std::string> problem;
        children([&](QStringView name) {
            if (name != u"measure" || problem) return xml_.skipCurrentElement();
            problem = readMeasure(out, part);
        });
        return problem;
    }

    static int measureUnitsOf(std::optional<std::pair<int, int>> time) {
        if (!time || time->second <= 0) return 4 * kUnitsPerQuarter;
        return std::clamp(time->first * 4 * kUnitsPerQuarter / time->second, 1, kMostMeasureUnits);
    }

    int unitsOf(const PartCursor& part, double duration) const {
        return static_cast<int>(std::lround(std::clamp(duration * kUnitsPerQuarter / part.divisions, 0.0, double{kMostMeasureUnits})));
    }

    std::optional<std::string> readMeasure(ReadScore& out, PartCursor& part) {
        part.part.measures.push_back({part.part.notes.size(), {}});
        part.implicit = xml_.attributes().value("implicit") == u"yes";
        part.voiceEnd = 0;
        part.cursor = 0;
        part.carried.clear();
        std::optional<std::string> problem;
        children([&](QStringView name) {
            if (problem) return xml_.skipCurrentElement();
            if (name == u"attributes") {
                readAttributes(out, part);
            } else if (name == u"note") {
                problem = readNote(out, part);
            } else if (name == u"backup" || name == u"forward") {
                readShift(part, name == u"forward");
            } else if (name == u"direction") {
                readDirection(out, part);
            } else if (name == u"barline") {
                readBarline(part);
            } else if (name == u"sound") {
                readSound(out, part);
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement();
            }
        });
        if (!problem) padMeasure(out, part);
        return problem;
    }

    // A measure short of its meter is filled with rests (before the notes of a pickup), so the
    // bar lines of the score fall where the file has them.
    void padMeasure(ReadScore& out, PartCursor& part) {
        const int missing = part.measureUnits - part.voiceEnd;
        if (missing < 0) out.notices.insert("拍子より長い小節がありました");
        if (missing <= 0) return;
        ReadMeasure& measure = part.part.measures.back();
        const bool pickup = part.implicit && part.part.measures.size() == 1 && part.voiceEnd > 0;
        std::vector<ReadNote> rests;
        for (int len : render::signLengths(missing)) {
            ReadNote rest;
            rest.len = len;
            rests.push_back(rest);
        }
        auto& notes = part.part.notes;
        notes.insert(pickup ? notes.begin() + static_cast<std::ptrdiff_t>(measure.firstNote) : notes.end(), rests.begin(), rests.end());
        if (pickup) out.notices.insert("弱起の小節の前を休符で埋めました");
    }

    void readAttributes(ReadScore& out, PartCursor& part) {
        children([&](QStringView name) {
            if (name == u"divisions") {
                part.divisions = std::max(1, xml_.readElementText().toInt());
            } else if (name == u"key") {
                children([&](QStringView child) {
                    if (child != u"fifths") return xml_.skipCurrentElement();
                    const int fifths = std::clamp(xml_.readElementText().toInt(), -7, 7);
                    if (!out.fifths) out.fifths = fifths;
                    if (*out.fifths != fifths) out.notices.insert("調号の変更は最初の調号だけを読みました");
                });
            } else if (name == u"time") {
                int beats = 0;
                int beatType = 0;
                children([&](QStringView child) {
                    if (child == u"beats") {
                        beats = xml_.readElementText().toInt();
                    } else if (child == u"beat-type") {
                        beatType = xml_.readElementText().toInt();
                    } else {
                        xml_.skipCurrentElement();
                    }
                });
                if (beats <= 0 || beatType <= 0) return;
                if (!out.time) out.time = std::pair{beats, beatType};
                if (*out.time != std::pair{beats, beatType}) out.notices.insert("拍子の変更は最初の拍子だけを読みました");
                part.measureUnits = measureUnitsOf(out.time);
            } else if (name == u"clef") {
                children([&](QStringView child) {
                    if (child == u"sign" && !part.clefRead) {
                        part.part.fClef = xml_.readElementText() == "F";
                        part.clefRead = true;
                    } else {
                        xml_.skipCurrentElement();
                    }
                });
            } else if (name == u"staves") {
                if (xml_.readElementText().toInt() > 1) out.notices.insert("複数の譜表があるパートは最初の声部だけを読みました");
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    void readShift(PartCursor& part, bool forward) {
        int duration = 0;
        QString voice;
        children([&](QStringView name) {
            if (name == u"duration") {
                duration = unitsOf(part, xml_.readElementText().toDouble());
            } else if (name == u"voice") {
                voice = xml_.readElementText();
            } else {
                xml_.skipCurrentElement();
            }
        });
        if (!forward) {
            part.cursor = std::max(0, part.cursor - duration);
            return;
        }
        // A forward in the first voice at its end is a rest the other program does not print.
        const bool firstVoice = voice.isEmpty() ? part.cursor == part.voiceEnd : voice == part.voice;
        if (firstVoice && part.cursor == part.voiceEnd && duration > 0) {
            ReadNote rest;
            rest.pitch = model::kHiddenRest;
            rest.len = duration;
            pushNote(part, std::move(rest));
            part.voiceEnd += duration;
        }
        part.cursor += duration;
    }

    void readSound(ReadScore& out, PartCursor& part) {
        const auto attributes = xml_.attributes();
        const QString tempo = attributes.value("tempo").toString();
        if (!tempo.isEmpty() && !out.tempo && tempo.toDouble() > 0) {
            out.tempo = std::clamp(static_cast<int>(std::lround(tempo.toDouble())), 20, 400);
        }
        if (attributes.value("dacapo") == u"yes") addSign(part, model::kDaCapo);
        if (attributes.hasAttribute("dalsegno")) addSign(part, model::kDalSegno);
        if (attributes.hasAttribute("fine")) addSign(part, model::kFine);
        if (attributes.hasAttribute("tocoda")) addSign(part, model::kToCoda);
    }

    static void addSign(PartCursor& part, model::SymbolKind kind) {
        auto& signs = part.part.measures.back().signs;
        if (std::find(signs.begin(), signs.end(), kind) == signs.end()) signs.push_back(kind);
    }

    void readDirection(ReadScore& out, PartCursor& part) {
        children([&](QStringView name) {
            if (name == u"offset") {
                const double offset = xml_.readElementText().toDouble();
                part.pending.markOffset = offset < 0 ? -unitsOf(part, -offset) : unitsOf(part, offset);
            } else if (name == u"sound") {
                readSound(out, part);
                xml_.skipCurrentElement();
            } else if (name == u"direction-type") {
                readDirectionType(out, part);
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    void readDirectionType(ReadScore& out, PartCursor& part) {
        children([&](QStringView name) {
            if (name == u"metronome") {
                children([&](QStringView child) {
                    if (child != u"per-minute" || out.tempo) return xml_.skipCurrentElement();
                    const int tempo = static_cast<int>(std::lround(xml_.readElementText().toDouble()));
                    if (tempo > 0) out.tempo = std::clamp(tempo, 20, 400);
                });
            } else if (name == u"dynamics") {
                children([&](QStringView child) {
                    if (const int dynamics = dynamicsOf(child)) part.pending.dynamics = dynamics;
                    xml_.skipCurrentElement();
                });
            } else if (name == u"wedge") {
                const auto type = xml_.attributes().value("type");
                if (type == u"crescendo" || type == u"diminuendo") {
                    part.openWedge = type == u"crescendo" ? model::kCrescendoStart : model::kDecrescendoStart;
                    part.pending.hairpin = part.openWedge;
                } else if (type == u"stop" && part.openWedge != model::kNoHairpin) {
                    part.pending.hairpin = part.openWedge == model::kCrescendoStart ? model::kCrescendoEnd : model::kDecrescendoEnd;
                    part.openWedge = model::kNoHairpin;
                }
                xml_.skipCurrentElement();
            } else if (name == u"segno" || name == u"coda") {
                addSign(part, name == u"segno" ? model::kSegno : model::kCoda);
                xml_.skipCurrentElement();
            } else if (name == u"words") {
                readWords(part, xml_.readElementText());
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    static void readWords(PartCursor& part, const QString& words) {
        const QString text = words.trimmed();
        if (text.isEmpty()) return;
        if (auto sign = signOfWords(text)) return addSign(part, *sign);
        const QString lower = text.toLower();
        if (lower.startsWith("rit") || lower.startsWith("rall")) {
            part.pending.rit = true;
        } else if (lower == "a tempo") {
            part.pending.aTempo = true;
        } else {
            part.pending.words = text.toStdString();
        }
    }

    void readBarline(PartCursor& part) {
        const bool left = xml_.attributes().value("location") == u"left";
        bool repeat = false;
        children([&](QStringView name) {
            const auto attributes = xml_.attributes();
            if (name == u"repeat") {
                repeat = true;
                addSign(part, attributes.value("direction") == u"forward" ? model::kRepeatLeft : model::kRepeatRight);
                xml_.skipCurrentElement();
            } else if (name == u"ending") {
                const auto type = attributes.value("type");
                const auto number = attributes.value("number");
                if (type == u"start") addSign(part, number.startsWith(u"2") ? model::kSecondEnding : model::kFirstEnding);
                xml_.skipCurrentElement();
            } else if (name == u"bar-style") {
                if (xml_.readElementText() == "light-heavy" && !left) addSign(part, model::kStop);
            } else if (name == u"segno" || name == u"coda") {
                addSign(part, name == u"segno" ? model::kSegno : model::kCoda);
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement();
            }
        });
        // A repeat's own bar line is not also the final bar.
        auto& signs = part.part.measures.back().signs;
        if (repeat) signs.erase(std::remove(signs.begin(), signs.end(), model::kStop), signs.end());
    }

    std::optional<std::string> readNote(ReadScore& out, PartCursor& part) {
        ReadNote note;
        bool chord = false;
        bool grace = false;
        bool cue = false;
        bool rest = false;
        QString noteVoice;
        QString step;
        int alter = 0;
        int octave = 4;
        double duration = 0;
        QString accidental;
        children([&](QStringView name) {
            if (name == u"chord" || name == u"grace" || name == u"cue" || name == u"rest") {
                (name == u"chord" ? chord : name == u"grace" ? grace : name == u"cue" ? cue : rest) = true;
                xml_.skipCurrentElement();
            } else if (name == u"pitch") {
                children([&](QStringView child) {
                    if (child == u"step") {
                        step = xml_.readElementText().trimmed();
                    } else if (child == u"alter") {
                        alter = static_cast<int>(std::lround(xml_.readElementText().toDouble()));
                    } else if (child == u"octave") {
                        octave = xml_.readElementText().toInt();
                    } else {
                        xml_.skipCurrentElement();
                    }
                });
            } else if (name == u"duration") {
                duration = xml_.readElementText().toDouble();
            } else if (name == u"voice") {
                noteVoice = xml_.readElementText().trimmed();
            } else if (name == u"accidental") {
                accidental = xml_.readElementText().trimmed();
            } else if (name == u"stem") {
                const QString stem = xml_.readElementText();
                if (stem == "up" || stem == "down") note.stemUp = stem == "up";
            } else if (name == u"beam") {
                readBeam(note);
            } else if (name == u"tie") {
                readStartStop(note.tieStart, note.tieStop);
            } else if (name == u"notations") {
                readNotations(note);
            } else if (name == u"lyric") {
                readLyric(note);
            } else {
                xml_.skipCurrentElement();
            }
        });
        if (grace || cue) {
            out.notices.insert("装飾音と小さな音符（cue）は表示できないので読み飛ばしました");
            return std::nullopt;
        }
        if (chord) {
            out.notices.insert("和音は一番上の音だけを読みました");
            if (!rest) keepHigher(out, part, step, alter, octave, accidental);
            return std::nullopt;
        }
        const int len = unitsOf(part, duration);
        if (part.voice.isEmpty() && part.cursor == part.voiceEnd) part.voice = noteVoice;
        const bool firstVoice = noteVoice.isEmpty() ? part.cursor == part.voiceEnd : noteVoice == part.voice;
        part.cursor += len;
        if (!firstVoice) {
            out.notices.insert("複数の声部があるパートは最初の声部だけを読みました");
            return std::nullopt;
        }
        part.voiceEnd = part.cursor;
        if (len <= 0) return std::nullopt;
        note.len = len;
        if (!rest) {
            const int stepIndex = QString("CDEFGAB").indexOf(step);
            if (step.size() != 1 || stepIndex < 0) return std::string("MusicXMLの音名が読めません");
            if (!spell(out, part, note, stepIndex, alter, octave, accidentalCode(accidental))) return std::nullopt;
        } else {
            note.tieStart = note.tieStop = false;
        }
        return pushNote(part, std::move(note));
    }

    // Pitch and accidental as written: an alteration neither the key nor an earlier accidental
    // of the measure gives is spelled out; a note tied over from before keeps its sound.
    bool spell(ReadScore& out, PartCursor& part, ReadNote& note, int stepIndex, int alter, int octave, uint8_t written) {
        int pitch = (octave - 2) * 7 + stepIndex + 1;
        if (pitch < model::kLowestPitch || pitch > model::kHighestPitch) {
            if (octave < -10 || octave > 20) return false;
            out.notices.insert("五線に書けない高さの音をオクターブ移しました");
            while (pitch < model::kLowestPitch) pitch += 7;
            while (pitch > model::kHighestPitch) pitch -= 7;
        }
        note.pitch = static_cast<uint8_t>(pitch);
        const auto place = std::pair{stepIndex, octave};
        const auto carried = part.carried.find(place);
        const int inEffect = carried != part.carried.end() ? carried->second : keyAlteration(out.fifths.value_or(0), stepIndex);
        if (written != model::kNoAccidental) {
            note.accidental = written;
            part.carried[place] = alterOfAccidental(written);
        } else if (alter != inEffect && !note.tieStop) {
            note.accidental = accidentalOfAlter(alter);
            part.carried[place] = alter;
        }
        return true;
    }

    // Of a chord, the melody is its highest note.
    void keepHigher(ReadScore& out, PartCursor& part, const QString& step, int alter, int octave, const QString& accidental) {
        if (part.part.notes.empty() || part.voiceEnd != part.cursor) return;
        ReadNote& last = part.part.notes.back();
        const int stepIndex = QString("CDEFGAB").indexOf(step);
        if (!model::isStaffPitch(last.pitch) || step.size() != 1 || stepIndex < 0) return;
        ReadNote chordNote;
        if (!spell(out, part, chordNote, stepIndex, alter, octave, accidentalCode(accidental)) || chordNote.pitch <= last.pitch) return;
        last.pitch = chordNote.pitch;
        last.accidental = chordNote.accidental;
    }

    static std::optional<std::string> pushNote(PartCursor& part, ReadNote note) {
        if (static_cast<int>(part.part.notes.size()) >= kMostNotesPerPart) return std::string("MusicXMLの音符が多すぎます");
        ReadNote& pending = part.pending;
        note.dynamics = pending.dynamics;
        note.hairpin = pending.hairpin;
        note.rit = pending.rit;
        note.aTempo = pending.aTempo;
        note.words = std::move(pending.words);
        note.markOffset = pending.markOffset;
        pending = ReadNote{};
        if (note.beam) part.part.beamsWritten = true;
        part.part.notes.push_back(std::move(note));
        return std::nullopt;
    }

    void readStartStop(bool& start, bool& stop) {
        const auto type = xml_.attributes().value("type");
        start = start || type == u"start";
        stop = stop || type == u"stop";
        xml_.skipCurrentElement();
    }

    void readBeam(ReadNote& note) {
        const bool first = xml_.attributes().value("number").isEmpty() || xml_.attributes().value("number") == u"1";
        const QString value = xml_.readElementText().trimmed();
        if (!first) return;
        if (value == "begin") note.beam = model::kRoleStart;
        if (value == "continue") note.beam = model::kRoleMiddle;
        if (value == "end") note.beam = model::kRoleEnd;
        if (value.endsWith("hook")) note.beam = model::kNoRole;
    }

    void readNotations(ReadNote& note) {
        children([&](QStringView name) {
            if (name == u"slur") {
                readStartStop(note.slurStart, note.slurStop);
            } else if (name == u"tied") {
                readStartStop(note.tieStart, note.tieStop);
            } else if (name == u"fermata") {
                note.fermata = true;
                xml_.skipCurrentElement();
            } else if (name == u"articulations") {
                children([&](QStringView child) {
                    if (child == u"breath-mark") note.breathAfter = true;
                    xml_.skipCurrentElement();
                });
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    void readLyric(ReadNote& note) {
        const auto number = xml_.attributes().value("number");
        const bool first = number.isEmpty() || number == u"1";
        children([&](QStringView name) {
            if (name == u"text" && first && note.lyric.empty()) {
                note.lyric = xml_.readElementText().toStdString();
            } else {
                xml_.skipCurrentElement();
            }
        });
    }

    QXmlStreamReader xml_;
};

}  // namespace

MusicXmlRead importMusicXml(std::string_view document, model::Score& score) {
    MusicXmlRead result;
    ReadScore read;
    if (auto problem = Reader(document).read(read)) {
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
