// Start-up, the file commands and the geometry file, driven through scripted dialogs.
#include <gtest/gtest.h>

#include <fstream>

#include "app/file_commands.h"
#include "app/language.h"
#include "app/midi_commands.h"
#include "app/wav_commands.h"
#include "app/startup.h"
#include "app/window_geometry.h"
#include "model/score_writer.h"
#include "platform/file_filter.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "temp_home.h"

namespace fs = std::filesystem;
using namespace shinofu::app;
using shinofu::platform::ScriptedDialogs;
using shinofu::testing::TempHome;

namespace {

void writeCompanion(const TempHome& home, const std::string& suffix, const std::vector<std::string>& lines) {
    fs::create_directories(home.companion());
    std::ofstream(home.companion() / ("shinofu" + suffix), std::ios::binary)
        << shinofu::platform::encodeLines(lines).bytes;
}

std::string bytesOf(const fs::path& path) {
    shinofu::platform::IoError error;
    return shinofu::platform::readFileBytes(path, error).value_or("");
}

StartupOptions withoutInstall() {
    StartupOptions options;
    options.installCompanionFiles = false;
    return options;
}

}  // namespace

TEST(Startup, FirstStartWithoutCompanionFilesUsesTheDefaults) {
    TempHome home("first");
    Session session;
    auto messages = startUp(session, withoutInstall());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fs::path(session.config.workingDirectory), home.root());
    EXPECT_EQ(session.config.viewWidth, 990);
    EXPECT_EQ(session.config.viewHeight, 1420);
    EXPECT_EQ(session.score.song.tempoText, "60");
    EXPECT_EQ(session.score.song.keySig, 0);
    EXPECT_EQ(session.score.meter().text, "4/4");
    EXPECT_EQ(session.score.song.fluteKey, 8);
    EXPECT_EQ(session.edit.editMode, 6);
    EXPECT_FALSE(session.formatFlag);
}

TEST(Startup, InstallsTheShippedConfigurationAndEntersItsWorkingFolder) {
    TempHome home("install");
    Session session;
    auto messages = startUp(session, {});
    EXPECT_TRUE(fs::exists(home.companion() / "shinofu.INI"));
    EXPECT_TRUE(fs::exists(home.companion() / "shinofu.txt"));
    EXPECT_TRUE(fs::exists(home.companion() / "shinofu.en.txt"));
    const fs::path work = home.companion() / "Shinofu";  // SHINOFU_HOME stands for the home: nothing goes to $HOME
    EXPECT_FALSE(fs::exists(home.root() / "user"));
    EXPECT_TRUE(fs::is_directory(work));
    EXPECT_EQ(fs::current_path(), work);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, work.string() + " ディレクトリを作成しました");
    EXPECT_EQ(session.config.topMargin, shinofu::model::kDefaultTopMargin);  // the shipped value is the built-in one
    EXPECT_EQ(session.config.drawColor, shinofu::model::rgb(0, 0, 0));
    // A second start finds everything in place and says nothing.
    Session again;
    EXPECT_TRUE(startUp(again, {}).empty());
}

TEST(Startup, WorkingFolderThatCannotBeMadeIsReported) {
    TempHome home("nofolder");
    std::ofstream(home.root() / "blocker") << "x";
    writeCompanion(home, ".INI", {(home.root() / "blocker" / "work").string()});
    Session session;
    auto messages = startUp(session, withoutInstall());
    ASSERT_GE(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, (home.root() / "blocker" / "work").string() + " ディレクトリが作れません");
    EXPECT_EQ(messages[0].kind, shinofu::platform::MessageKind::Warning);
}

TEST(Startup, RemovesLeftoverUndoSnapshotsAndReadsScoreSettings) {
    TempHome home("snapshots");
    writeCompanion(home, "_0.tpu", {"x"});
    writeCompanion(home, "_3.tpu", {"x"});
    writeCompanion(home, "_A.tpu", {"x"});
    writeCompanion(home, ".TMP", {"$V:3", "$NAME:,1,-8,0,150,3,6,10,16,0,;,1,-8,0,0,0,6,10,10,0,;,1,-8,0,0,0,6,10,10,0,",
                                  "$MeasNum:4"});
    Session session;
    startUp(session, withoutInstall());
    EXPECT_FALSE(fs::exists(home.companion() / "shinofu_0.tpu"));
    EXPECT_FALSE(fs::exists(home.companion() / "shinofu_3.tpu"));
    EXPECT_TRUE(fs::exists(home.companion() / "shinofu_A.tpu"));
    EXPECT_TRUE(session.formatFlag);
    EXPECT_EQ(session.score.fixedSymbol(shinofu::model::kTitleSymbol).dx, 150);
    EXPECT_EQ(session.names.title.fontSize, 16);
}

TEST(FileCommands, SaveThenOpenWithTheStoredFilters) {
    TempHome home("save");
    Session session;
    startUp(session, withoutInstall());
    session.score.fixedSymbol(shinofu::model::kTitleSymbol).text = "題名";
    session.score.saved = false;
    ScriptedDialogs dialogs;
    dialogs.answers.push_back(home.root() / "song.txt");
    ASSERT_TRUE(saveScoreCommand(session, dialogs, false));
    EXPECT_EQ(dialogs.requests[0].title, "譜面データ保存");
    EXPECT_EQ(dialogs.requests[0].filter, "五線譜面|*.gd4|Any Files|*.*|");
    EXPECT_TRUE(fs::exists(home.root() / "song.gd4"));  // the extension is always .gd4
    EXPECT_TRUE(session.score.saved);
    EXPECT_EQ(session.currentFile, home.root() / "song.gd4");

    Session other;
    startUp(other, withoutInstall());
    dialogs.answers.push_back(home.root() / "song.gd4");
    ASSERT_TRUE(openScoreCommand(other, dialogs, OpenKind::CurrentFormat));
    EXPECT_EQ(dialogs.requests[1].filter, "Ver3五線譜面Files|*.gd4|Any Files|*.*|");
    EXPECT_EQ(other.score.title(), "題名");
    EXPECT_EQ(windowTitleFor(other.currentFile).rfind("song  篠笛譜面作成ソフト Ver1.0", 0), 0u);
}

TEST(FileCommands, OverfullMeasureRetitlesTheSaveDialogAndPerformanceDataIsWritten) {
    TempHome home("perf");
    Session session;
    startUp(session, withoutInstall());
    shinofu::model::TNote* note = session.score.appendNote(1);
    note->pitch = shinofu::model::kMiddleC;
    note->len = 60;
    ScriptedDialogs dialogs;
    dialogs.answers.push_back(home.root() / "perf.gd3");
    ASSERT_TRUE(saveScoreCommand(session, dialogs, true));
    EXPECT_EQ(dialogs.requests[0].title, "過剰音符小節があります");
    EXPECT_EQ(dialogs.requests[0].filter, "演奏データ五線譜面|*.gd3|五線譜面|*.gd2|Any Files|*.*|");
    std::string bytes = bytesOf(home.root() / "perf.gd4");
    EXPECT_NE(bytes.find("$TempoVeloData"), std::string::npos);
    EXPECT_NE(bytes.find("$T"), std::string::npos);
}

TEST(FileCommands, CancelledOrFailedSaveLeavesTheScoreUnsaved) {
    TempHome home("fail");
    Session session;
    startUp(session, withoutInstall());
    session.score.saved = false;
    ScriptedDialogs dialogs;
    EXPECT_FALSE(saveScoreCommand(session, dialogs, false));
    EXPECT_FALSE(session.score.saved);
    fs::create_directories(home.root() / "taken.gd4");
    dialogs.answers.push_back(home.root() / "taken.gd4");
    EXPECT_FALSE(saveScoreCommand(session, dialogs, false));
    EXPECT_FALSE(session.score.saved);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("taken.gd4"), std::string::npos);
}

TEST(FileCommands, UnwritableCharactersAreReported) {
    TempHome home("unmapped");
    Session session;
    startUp(session, withoutInstall());
    session.score.fixedSymbol(shinofu::model::kTitleSymbol).text = "桜🌸";
    ScriptedDialogs dialogs;
    dialogs.answers.push_back(home.root() / "emoji.gd4");
    ASSERT_TRUE(saveScoreCommand(session, dialogs, false));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("🌸"), std::string::npos);
}

TEST(FileCommands, OpeningAnOldFileAndAnUnreadableOne) {
    TempHome home("old");
    std::ofstream(home.root() / "old.gd2", std::ios::binary) << "$TEMPO:90,3/4\r\n$END\r\nc1 n n 12 u\r\n";
    Session session;
    startUp(session, withoutInstall());
    ScriptedDialogs dialogs;
    dialogs.answers.push_back(home.root() / "old.gd2");
    ASSERT_TRUE(openScoreCommand(session, dialogs, OpenKind::OldFormat));
    EXPECT_EQ(dialogs.requests[0].filter, "Ver1,Ver2五線譜面Files|*.gd2|Any Files|*.*|");
    EXPECT_EQ(session.score.part(1).partHead->len, 12);
    dialogs.answers.push_back(home.root() / "missing.gd4");
    EXPECT_FALSE(openScoreCommand(session, dialogs, OpenKind::CurrentFormat));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(session.score.part(1).partHead->len, 12);  // the score stays as it was
}

TEST(FileCommands, ScoreSettingsGoToTheCompanionFolder) {
    TempHome home("settings");
    Session session;
    startUp(session, withoutInstall());
    session.score.fixedSymbol(shinofu::model::kLyricistSymbol).dx = 333;
    ScriptedDialogs dialogs;
    ASSERT_TRUE(saveScoreSettingsCommand(session, dialogs));
    std::string bytes = bytesOf(home.companion() / "shinofu.TMP");
    EXPECT_EQ(bytes.substr(0, 6), "$V:3\r\n");
    Session restarted;
    startUp(restarted, withoutInstall());
    EXPECT_EQ(restarted.score.fixedSymbol(shinofu::model::kLyricistSymbol).dx, 333);
}

TEST(WindowGeometry, ReadsTwelveLinesAndWritesFixedCompanionPlaces) {
    WindowGeometry geometry = readWindowGeometry({"800", "600", "10", "20", "1", "2", "x"});
    EXPECT_EQ(geometry.width, 800);
    EXPECT_EQ(geometry.height, 600);
    EXPECT_EQ(geometry.companions[0], 1);
    EXPECT_EQ(geometry.companions[2], 200);
    EXPECT_EQ(readWindowGeometry({"100"}).width, kMinimumWindowWidth);
    auto lines = windowGeometryLines(1025, 720, 5, 6);
    const std::vector<std::string> expected = {"1025", "720", "5", "6", "100", "400", "200", "300", "500", "32", "300", "80"};
    EXPECT_EQ(lines, expected);
}

TEST(FileFilter, StoredFormToQt) {
    using shinofu::platform::qtFilterFromStored;
    EXPECT_EQ(qtFilterFromStored("五線譜面|*.gd4|Any Files|*.*|"), "五線譜面 (*.gd4);;Any Files (*)");
    EXPECT_EQ(qtFilterFromStored("a|*.gd3;*.gd2|"), "a (*.gd3 *.gd2)");
    EXPECT_EQ(qtFilterFromStored(""), "");
}

// The demo open, as if saved in the home folder as sakura.gd4.
class SoundFileCommand : public ::testing::Test {
protected:
    void SetUp() override {
        startUp(session, withoutInstall());
        dialogs.answers.push_back(fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4");
        ASSERT_TRUE(openScoreCommand(session, dialogs, OpenKind::CurrentFormat));
        session.currentFile = home.root() / "sakura.gd4";
    }
    TempHome home{"sound"};
    Session session;
    ScriptedDialogs dialogs;
};

TEST_F(SoundFileCommand, WavProposesTheScoreNameAndACancelledRenderLeavesTheOldFile) {
    dialogs.answers.push_back(home.root() / "song");
    std::vector<double> reported;
    const auto result = makeWavFileCommand(session, dialogs, [&](double done) {
        reported.push_back(done);
        return true;
    });
    if (result == shinofu::output::WavWrite::Failed) GTEST_SKIP() << dialogs.messages.back();  // no SoundFont here
    ASSERT_EQ(result, shinofu::output::WavWrite::Written);
    EXPECT_EQ(dialogs.requests.back().start, home.root() / "sakura.wav");
    EXPECT_EQ(bytesOf(home.root() / "song.wav").substr(0, 4), "RIFF");
    ASSERT_GT(reported.size(), 2u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GT(reported.back(), 0.8);
    EXPECT_LE(reported.back(), 1.0);
    // Cancelled at the first report: the file as it was, nothing beside it.
    const std::string before = bytesOf(home.root() / "song.wav");
    dialogs.answers.push_back(home.root() / "song.wav");
    EXPECT_EQ(makeWavFileCommand(session, dialogs, [](double) { return false; }), shinofu::output::WavWrite::Cancelled);
    EXPECT_EQ(bytesOf(home.root() / "song.wav"), before);
    for (const auto& entry : fs::directory_iterator(home.root())) {
        EXPECT_NE(entry.path().filename().string().rfind(".song.wav.", 0), 0u) << entry.path();
    }
    EXPECT_EQ(wavFileName("a/song.WAV"), fs::path("a/song.WAV"));
    EXPECT_EQ(wavFileName("a/song.txt"), fs::path("a/song.wav"));
}

TEST_F(SoundFileCommand, MidiProposesTheScoreNameAndAlwaysWritesMid) {
    dialogs.answers.push_back(home.root() / "song.txt");
    EXPECT_EQ(makeMidiFileCommand(session, dialogs, {}), MidiWrite::Written);
    EXPECT_EQ(dialogs.requests.back().start, home.root() / "sakura.MID");
    EXPECT_EQ(dialogs.requests.back().filter, "MIDIファイル|*.MID|");
    EXPECT_EQ(bytesOf(home.root() / "song.MID").substr(0, 4), "MThd");
    // Cancelling the build writes nothing and leaves an existing file alone.
    dialogs.answers.push_back(home.root() / "song.MID");
    const std::string before = bytesOf(home.root() / "song.MID");
    EXPECT_EQ(makeMidiFileCommand(session, dialogs, [](double) { return false; }), MidiWrite::Cancelled);
    EXPECT_EQ(bytesOf(home.root() / "song.MID"), before);
    // A target that cannot be written is reported.
    fs::create_directories(home.root() / "taken.MID");
    dialogs.answers.push_back(home.root() / "taken.MID");
    EXPECT_EQ(makeMidiFileCommand(session, dialogs, {}), MidiWrite::Failed);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

// English only where the user asked for it or reads it first; Japanese for everything else.
TEST(Language, ForcedThenChosenThenTheSystemsFirstLanguage) {
    using shinofu::app::LanguageChoice;
    using shinofu::app::englishWanted;
    const QStringList english{"en-US", "ja-JP"}, japanese{"ja-JP", "en-US"}, french{"fr-FR"}, none{"C"};
    for (const QStringList& system : {english, japanese, french, none, QStringList{}}) {
        EXPECT_TRUE(englishWanted("en", LanguageChoice::Japanese, system));
        EXPECT_FALSE(englishWanted("ja", LanguageChoice::English, system));
        EXPECT_TRUE(englishWanted(nullptr, LanguageChoice::English, system));
        EXPECT_FALSE(englishWanted("", LanguageChoice::Japanese, system));
        // An unknown forced language leaves the choice to what follows.
        EXPECT_EQ(englishWanted("de", LanguageChoice::System, system), system == english);
        EXPECT_EQ(englishWanted(nullptr, LanguageChoice::System, system), system == english);
    }

    TempHome home("language");
    EXPECT_EQ(shinofu::app::readLanguageChoice(), LanguageChoice::System);
    for (LanguageChoice choice : {LanguageChoice::English, LanguageChoice::Japanese, LanguageChoice::System}) {
        ASSERT_TRUE(shinofu::app::writeLanguageChoice(choice));
        EXPECT_EQ(shinofu::app::readLanguageChoice(), choice);
    }
}
