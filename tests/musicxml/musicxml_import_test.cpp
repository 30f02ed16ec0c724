// MusicXML as other notation programs write it, by hand: what the score can show arrives, what it
// cannot is reported once, and a document that cannot be read leaves the score untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/score_budget.h"
#include "model/score_json.h"
#include "model/score_writer.h"
#include "musicxml/musicxml_reader.h"
#include "support/read_notes.h"

namespace shinofu {
namespace {

using testing::notesOf;

std::string partList(int parts, int program = 74) {
    std::string list = "<part-list>";
    for (int i = 1; i <= parts; ++i) {
        const std::string id = "P" + std::to_string(i);
        list += "<score-part id=\"" + id + "\"><part-name>Flute</part-name><score-instrument id=\"" + id +
                "-I1\"><instrument-name>Flute</instrument-name></score-instrument><midi-instrument id=\"" + id +
                "-I1\"><midi-channel>1</midi-channel><midi-program>" + std::to_string(program) +
                "</midi-program></midi-instrument></score-part>";
    }
    return list + "</part-list>";
}

// A partwise document with one part holding `measures`, in 4/4 (or `time`) at 480 divisions.
std::string document(const std::string& measures, const std::string& time = "<beats>4</beats><beat-type>4</beat-type>",
                     int fifths = 0) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
           "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
           "<score-partwise version=\"4.0\">" +
           partList(1) + "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>480</divisions><key><fifths>" +
           std::to_string(fifths) + "</fifths></key><time>" + time +
           "</time><clef><sign>G</sign><line>2</line></clef></attributes>" + measures + "</measure></part></score-partwise>";
}

std::string note(const std::string& step, int octave, int duration, const std::string& extra = "", int alter = 0,
                 const std::string& voice = "1") {
    return "<note><pitch><step>" + step + "</step>" + (alter ? "<alter>" + std::to_string(alter) + "</alter>" : "") +
           "<octave>" + std::to_string(octave) + "</octave></pitch><duration>" + std::to_string(duration) +
           "</duration><voice>" + voice + "</voice>" + extra + "</note>";
}

struct Imported {
    model::Score score;
    musicxml::MusicXmlRead read;
};

std::unique_ptr<Imported> import(const std::string& xml) {
    auto result = std::make_unique<Imported>();
    result->read = musicxml::importMusicXml(xml, result->score);
    return result;
}

bool noticed(const musicxml::MusicXmlRead& read, const std::string& text) {
    return std::count(read.notices.begin(), read.notices.end(), text) == 1;
}

TEST(MusicXmlImport, SongDataKeyMeterTempoAndInstrumentAsAnotherProgramWritesThem) {
    const std::string xml =
        "<score-partwise version=\"3.1\"><work><work-title>春の小川</work-title></work>"
        "<identification><creator type=\"composer\">岡野貞一</creator><creator type=\"lyricist\">高野辰之</creator></identification>" +
        partList(1, 74) +
        "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>2</divisions><key><fifths>-1</fifths></key>"
        "<time><beats>3</beats><beat-type>4</beat-type></time></attributes>"
        "<direction><direction-type><metronome><beat-unit>quarter</beat-unit><per-minute>90</per-minute></metronome></direction-type></direction>" +
        "<note><pitch><step>C</step><octave>5</octave></pitch><duration>2</duration><voice>1</voice>"
        "<lyric number=\"1\"><syllabic>single</syllabic><text>は</text></lyric><lyric number=\"2\"><text>x</text></lyric></note>"
        "<note><pitch><step>A</step><octave>4</octave></pitch><duration>4</duration><voice>1</voice><stem>down</stem></note>"
        "</measure></part></score-partwise>";
    const auto imported = import(xml);
    ASSERT_TRUE(imported->read.read) << imported->read.error;
    const model::Score& score = imported->score;
    EXPECT_EQ(score.title(), "春の小川");
    EXPECT_EQ(score.composer(), "岡野貞一");
    EXPECT_EQ(score.lyricist(), "高野辰之");
    EXPECT_EQ(score.song.tempo, 90);
    EXPECT_EQ(score.song.keySig, 8);  // one flat
    EXPECT_EQ(score.measureLen(), 36);
    EXPECT_EQ(score.part(1).instrument, 73);
    const auto notes = notesOf(score, 1);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0]->pitch, 22);  // c2 on this staff: C5
    EXPECT_EQ(notes[0]->len, 12);
    EXPECT_EQ(notes[0]->lyric, "は");
    EXPECT_EQ(notes[1]->pitch, 20);
    EXPECT_EQ(notes[1]->len, 24);
    EXPECT_FALSE(notes[1]->stemUp);
    EXPECT_TRUE(imported->read.notices.empty());
}

TEST(MusicXmlImport, AccidentalsAreSpelledAsWrittenThroughKeyAndMeasure) {
    // F major: B flat by the key, a written natural, the natural carried in the measure, a sharp
    // from alter alone, and in the next measure the key's flat again.
    const std::string measures = note("B", 4, 480, "", -1) + note("B", 4, 480, "<accidental>natural</accidental>") +
                                 note("B", 4, 480) + note("F", 4, 480, "", 1) + "</measure><measure number=\"2\">" +
                                 note("B", 4, 480, "", -1) + note("F", 4, 480) + note("E", 4, 480, "<accidental>flat</accidental>", -1) +
                                 note("E", 4, 480, "", -1) + "</measure><measure number=\"3\">" +
                                 // The score carries an accidental an octave down, MusicXML does not: the
                                 // F an octave below a written F sharp needs its natural written here, and a
                                 // cautionary sharp is not a written one.
                                 note("F", 5, 480, "<accidental>sharp</accidental>", 1) + note("F", 4, 480) +
                                 note("G", 4, 480, "<accidental cautionary=\"yes\">natural</accidental>") + note("G", 4, 480);
    const auto imported = import(document(measures, "<beats>4</beats><beat-type>4</beat-type>", -1));
    ASSERT_TRUE(imported->read.read) << imported->read.error;
    std::vector<int> accidentals;
    for (const model::TNote* n : notesOf(imported->score, 1)) accidentals.push_back(n->accidental);
    const int none = model::kNoAccidental;
    EXPECT_EQ(accidentals, (std::vector<int>{none, model::kNatural, none, model::kSharp, none, none, model::kFlat, none,
                                             model::kSharp, model::kNatural, none, none}));
}

TEST(MusicXmlImport, VoicesChordsGraceCueAndMultiMeasureRestsAreReportedNotDrawn) {
    const std::string measures =
        "<attributes><measure-style><multiple-rest>2</multiple-rest></measure-style></attributes>"
        "<note><rest measure=\"yes\"/><duration>1920</duration><voice>1</voice></note></measure>"
        "<measure number=\"2\"><note><rest measure=\"yes\"/><duration>1920</duration><voice>1</voice></note></measure>"
        "<measure number=\"3\">" +
        note("C", 5, 960) + "<note><chord/><pitch><step>E</step><octave>5</octave></pitch><duration>960</duration><voice>1</voice></note>" +
        "<note><grace/><pitch><step>D</step><octave>5</octave></pitch><voice>1</voice></note>" + note("G", 4, 960) +
        "<backup><duration>1920</duration></backup>" + note("C", 4, 1920, "", 0, "2") +
        "</measure><measure number=\"4\">" +
        "<note><cue/><pitch><step>A</step><octave>4</octave></pitch><duration>1920</duration><voice>1</voice></note>" +
        "<forward><duration>960</duration></forward>" +
        "<note print-object=\"no\"><rest/><duration>960</duration><voice>1</voice></note>";
    const auto imported = import(document(measures));
    ASSERT_TRUE(imported->read.read) << imported->read.error;
    const auto notes = notesOf(imported->score, 1);
    std::vector<std::pair<int, int>> got;  // pitch, len
    for (const model::TNote* n : notes) got.emplace_back(n->pitch, n->len);
    const std::vector<std::pair<int, int>> expected = {
        {model::kRest, 48}, {model::kRest, 48}, {24, 24}, {19, 24}, {model::kHiddenRest, 24}, {model::kHiddenRest, 24}};
    EXPECT_EQ(got, expected);
    const auto& read = imported->read;
    EXPECT_TRUE(noticed(read, "和音は一番上の音だけを読みました"));
    EXPECT_TRUE(noticed(read, "装飾音と小さな音符（cue）は表示できないので読み飛ばしました"));
    EXPECT_TRUE(noticed(read, "複数の声部があるパートは最初の声部だけを読みました"));
}

TEST(MusicXmlImport, APickupIsFilledInFrontSoTheBarLinesStayWhereTheFileHasThem) {
    const std::string xml = document(note("G", 4, 480) + "</measure><measure number=\"2\">" + note("C", 5, 1440),
                                     "<beats>3</beats><beat-type>4</beat-type>");
    std::string pickup = xml;
    pickup.replace(pickup.find("<measure number=\"1\">"), 20, "<measure number=\"1\" implicit=\"yes\">");
    const auto imported = import(pickup);
    ASSERT_TRUE(imported->read.read);
    const auto notes = notesOf(imported->score, 1);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0]->pitch, model::kRest);
    EXPECT_EQ(notes[0]->len, 24);
    EXPECT_EQ(notes[1]->startPos, 24);
    EXPECT_EQ(notes[2]->startPos, 36);
    EXPECT_TRUE(noticed(imported->read, "弱起の小節の前を休符で埋めました"));
}

TEST(MusicXmlImport, TripletsBeamsAsWrittenAndBeamsByTheMeterWhereTheFileHasNone) {
    const std::string triplet = "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes></time-modification>";
    const std::string written = note("C", 5, 160, triplet + "<beam number=\"1\">begin</beam>") +
                                note("D", 5, 160, triplet + "<beam number=\"1\">continue</beam>") +
                                note("E", 5, 160, triplet + "<beam number=\"1\">end</beam>") + note("F", 5, 240) + note("G", 5, 240) +
                                note("A", 5, 960);
    const auto beamed = import(document(written));
    ASSERT_TRUE(beamed->read.read);
    std::vector<std::pair<int, int>> roles;  // triplet, beam
    for (const model::TNote* n : notesOf(beamed->score, 1)) roles.emplace_back(n->triplet, n->beam);
    const std::vector<std::pair<int, int>> asWritten = {{model::kRoleStart, model::kRoleStart}, {model::kRoleMiddle, model::kRoleMiddle},
                                                        {model::kRoleEnd, model::kRoleEnd},     {model::kNoRole, model::kNoRole},
                                                        {model::kNoRole, model::kNoRole},       {model::kNoRole, model::kNoRole}};
    EXPECT_EQ(roles, asWritten);

    EXPECT_TRUE(beamed->read.notices.empty());
    const std::string quintuplet = "<time-modification><actual-notes>5</actual-notes><normal-notes>4</normal-notes></time-modification>";
    const auto fives = import(document(note("C", 5, 96, quintuplet) + note("D", 5, 96, quintuplet) + note("E", 5, 96, quintuplet) +
                                       note("F", 5, 96, quintuplet) + note("G", 5, 96, quintuplet) + note("A", 5, 1440)));
    ASSERT_TRUE(fives->read.read);
    EXPECT_TRUE(noticed(fives->read, "３連符のほかの連符は近い長さにしました"));
    int total = 0;
    for (const model::TNote* n : notesOf(fives->score, 1)) total += n->len;
    EXPECT_EQ(total, 48);  // the measure still adds up

    const auto plain = import(document(note("F", 5, 240) + note("G", 5, 240) + note("A", 5, 1440)));
    const auto notes = notesOf(plain->score, 1);
    EXPECT_EQ(notes[0]->beam, model::kRoleStart);
    EXPECT_EQ(notes[1]->beam, model::kRoleEnd);
}

TEST(MusicXmlImport, MarksLandOnTheirNotesAndSignsOnTheirMeasures) {
    const std::string measures =
        "<direction placement=\"below\"><direction-type><dynamics><mf/></dynamics></direction-type></direction>"
        "<direction><direction-type><wedge type=\"crescendo\"/></direction-type></direction>" +
        note("C", 5, 960, "<notations><fermata/></notations>") +
        "<direction><direction-type><wedge type=\"stop\"/></direction-type></direction>"
        "<direction><direction-type><words>rit.</words></direction-type></direction>" +
        note("D", 5, 960, "<notations><articulations><breath-mark/></articulations></notations>") +
        "<barline location=\"right\"><bar-style>light-heavy</bar-style><repeat direction=\"backward\"/></barline></measure>"
        "<measure number=\"2\"><barline location=\"left\"><ending number=\"1\" type=\"start\"/></barline>"
        "<direction><direction-type><segno/></direction-type></direction>"
        "<direction><direction-type><words>dolce</words></direction-type></direction>" +
        note("E", 5, 1920) +
        "<direction><direction-type><words>D.C. al Fine</words></direction-type><sound dacapo=\"yes\"/></direction>"
        "<barline location=\"right\"><bar-style>light-heavy</bar-style></barline>";
    const auto imported = import(document(measures));
    ASSERT_TRUE(imported->read.read) << imported->read.error;
    const model::Part& part = imported->score.part(1);
    auto markAt = [&](int anchor, auto has) {
        return std::count_if(part.marks.begin(), part.marks.end(), [&](const model::TMark& m) { return m.anchorPos == anchor && has(m); });
    };
    EXPECT_EQ(markAt(0, [](const model::TMark& m) { return m.dynamics == 5; }), 1);
    EXPECT_EQ(markAt(0, [](const model::TMark& m) { return m.hairpin == model::kCrescendoStart; }), 1);
    EXPECT_EQ(markAt(0, [](const model::TMark& m) { return m.fermata; }), 1);
    EXPECT_EQ(markAt(24, [](const model::TMark& m) { return m.hairpin == model::kCrescendoEnd; }), 1);
    EXPECT_EQ(markAt(24, [](const model::TMark& m) { return m.rit; }), 1);
    EXPECT_EQ(markAt(48, [](const model::TMark& m) { return m.breath; }), 1);
    EXPECT_EQ(markAt(48, [](const model::TMark& m) { return m.other && m.text == "dolce"; }), 1);
    std::vector<std::pair<int, int>> signs;
    for (const model::TScoreSym& sign : part.symbols) {
        if (sign.kind != model::kPlainText) signs.emplace_back(sign.anchorPos, sign.kind);
    }
    std::sort(signs.begin(), signs.end());
    const std::vector<std::pair<int, int>> expected = {
        {0, model::kRepeatRight}, {48, model::kStop}, {48, model::kDaCapo}, {48, model::kSegno}, {48, model::kFirstEnding}};
    std::vector<std::pair<int, int>> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(signs, sortedExpected);
}

TEST(MusicXmlImport, SixPartsAreKeptAndTheSeventhReported) {
    std::string xml = "<score-partwise>" + partList(7);
    for (int i = 1; i <= 7; ++i) {
        xml += "<part id=\"P" + std::to_string(i) + "\"><measure><attributes><divisions>1</divisions></attributes>" +
               note("C", 5, 4) + "</measure></part>";
    }
    const auto imported = import(xml + "</score-partwise>");
    ASSERT_TRUE(imported->read.read) << imported->read.error;
    EXPECT_EQ(imported->score.partCount, 6);
    EXPECT_EQ(notesOf(imported->score, 6).size(), 1u);
    EXPECT_TRUE(noticed(imported->read, "７番目からのパートは読み飛ばしました"));
}

TEST(MusicXmlImport, WhatCannotBeReadLeavesTheScoreAsItWas) {
    model::Score score;
    testing::readNotes(score, {}, {"c1 # n 96,d1 - n 192"});
    const std::string before = model::scoreToJson(score);
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
        "<score-partwise><work><work-title>&e;</work-title></work>" + partList(1) + "</score-partwise>";
    const std::string external =
        "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>"
        "<score-partwise><work><work-title>&secret;</work-title></work>" + partList(1) + "</score-partwise>";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"", "MusicXMLではありません"},
        {"<score-partwise>" + partList(1) + "<part id=\"P1\"><measure>", "MusicXMLが壊れています"},
        {"<html><body/></html>", "MusicXMLではありません"},
        {"<score-timewise/>", "時間順（timewise）のMusicXMLには対応していません"},
        {"<score-partwise><part id=\"P1\"/></score-partwise>", "MusicXMLにパートの一覧（part-list）がありません"},
        {"<score-partwise/>", "MusicXMLにパートの一覧（part-list）がありません"},
        {laughs, "MusicXMLの中で実体（ENTITY）が宣言されているので読みません"},
        {external, "MusicXMLの中で実体（ENTITY）が宣言されているので読みません"},
        {document(note("H", 4, 480)), "MusicXMLの音名が読めません"},
    };
    for (const auto& [xml, message] : refused) {
        const musicxml::MusicXmlRead read = musicxml::importMusicXml(xml, score);
        EXPECT_FALSE(read.read) << xml.substr(0, 60);
        EXPECT_TRUE(read.error.starts_with(message)) << read.error;
        EXPECT_EQ(model::scoreToJson(score), before);
    }
}

}  // namespace
}  // namespace shinofu

namespace shinofu {

TEST(MusicXmlImport, NumbersAndSizesPastTheBudgetAreBoundedOrRefused) {
    // Beats whose measure length overflows an int: bounded before any arithmetic.
    const auto huge = import(document(note("C", 4, 480), "<beats>50000000</beats><beat-type>4</beat-type>"));
    EXPECT_TRUE(huge->read.read) << huge->read.error;
    // Empty measures past the ceiling are refused before they are built, the score left as it was.
    std::string measures;
    for (int i = 0; i < model::kMostMeasures; ++i) measures += "</measure><measure>";
    model::Score score;
    shinofu::testing::readNotes(score, {}, {"e1 n n 96 u"});
    const auto before = model::scoreFileLines(score);
    const auto read = musicxml::importMusicXml(document(measures), score);
    EXPECT_FALSE(read.read);
    EXPECT_EQ(read.error, model::tooManyMeasuresMessage());
    EXPECT_EQ(model::scoreFileLines(score), before);
}

}  // namespace shinofu
