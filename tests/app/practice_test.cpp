// Practising with the flute in hand: the tuner hearing a rendered note through the file input.
#include <gtest/gtest.h>

#include <QSpinBox>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QFrame>
#include <QTest>
#include <QToolButton>

#include "app/play_along.h"
#include "app/sound_input.h"
#include "app/tuner_window.h"
#include "main_window_fixture.h"
#include "model/score_file.h"
#include "numeric/fingering.h"
#include "output/wav_file.h"
#include "support/read_notes.h"

namespace {

using namespace shinofu;
using shinofu::testing::MainWindowTest;

class PracticeTest : public MainWindowTest {
protected:
    PracticeTest() : MainWindowTest("practice") {}
    ~PracticeTest() override { app::SoundInput::useFile(std::nullopt); }

    // The window open on a score written at 120 (its lines), the same played at a tempo with some
    // lines changed as the input; false without a synthesizer to play it.
    bool practise(const std::vector<std::string>& written, const std::vector<std::string>& played, int playedTempo) {
        model::Score score, performed;
        shinofu::testing::readNotes(score, {"$Instrument:73", "$TEMPO:=120"}, written);
        shinofu::testing::readNotes(performed, {"$Instrument:73", "$TEMPO:=" + std::to_string(playedTempo)}, played);
        const std::filesystem::path file = home_.root() / "tune.gd4", wav = home_.root() / "played.wav";
        platform::IoError error;
        if (!model::saveScoreFile(file, score).written || output::writeWavFile(performed, wav, error) != output::WavWrite::Written) {
            return false;
        }
        app::SoundInput::useFile(wav);
        start().openAtStart(file);
        return session_.score.song.tempo == 120;
    }
};

TEST_F(PracticeTest, TheTunerShowsTheFingeringOfARenderedNoteOnTwoFlutes) {
    // A long A4 and the numeral the numeric page writes for it.
    model::Score played;
    shinofu::testing::readNotes(played, {"$Instrument:73"}, {"a1 n n 384 u", "a1 n n 384 u"});
    played.recomputePositions();
    const std::filesystem::path wav = home_.root() / "a4.wav";
    platform::IoError error;
    if (output::writeWavFile(played, wav, error) != output::WavWrite::Written) GTEST_SKIP() << error.message;
    app::SoundInput::useFile(wav);

    app::MainWindow& window = start();
    for (const int flute : {8, 6}) {
        trigger({"オプション(&O)", "笛変更", numeric::fluteName(flute)});
        const numeric::Numeral written = numeric::numeralOf(played.part(1).partHead->pitch, model::kNoAccidental, flute, 0);
        trigger({"オプション(&O)", "チューナー"});
        app::TunerWindow& tuner = *window.tuner();
        ASSERT_TRUE(tuner.isVisible());
        EXPECT_EQ(tuner.input().source(), "a4.wav");
        QTRY_COMPARE_WITH_TIMEOUT(tuner.face().numeralText(), QString::fromStdString(numeric::drawnSymbol(written.symbol)), 3000);
        EXPECT_EQ(tuner.face().registerText().toStdString(), numeric::registerName(numeric::registerOf(written)));
        trigger({"オプション(&O)", "チューナー"});
        EXPECT_FALSE(tuner.isVisible());
        EXPECT_FALSE(tuner.input().running());
    }
}

TEST(SoundInputFrames, EveryChannelIsMixedAndAHalfDeliveredFrameWaits) {
    QAudioFormat stereo;
    stereo.setChannelCount(2);
    stereo.setSampleFormat(QAudioFormat::Int16);
    const int16_t samples[] = {16384, 0, -32768, -32768, 8192};  // two frames and half of a third
    QByteArray bytes(reinterpret_cast<const char*>(samples), sizeof samples);
    EXPECT_EQ(app::takeMonoFrames(bytes, stereo), (std::vector<float>{0.25f, -1.0f}));
    EXPECT_EQ(bytes.size(), 2);  // the third frame's left sample stays, its right comes with the next read
    const int16_t right = 8192;
    bytes.append(reinterpret_cast<const char*>(&right), sizeof right);
    EXPECT_EQ(app::takeMonoFrames(bytes, stereo), (std::vector<float>{0.25f}));
    QAudioFormat bytesFormat;
    bytesFormat.setChannelCount(1);
    bytesFormat.setSampleFormat(QAudioFormat::UInt8);
    QByteArray unsignedBytes("\x80\x00\xc0", 3);
    EXPECT_EQ(app::takeMonoFrames(unsignedBytes, bytesFormat), (std::vector<float>{0.0f, -1.0f, 0.5f}));
    QAudioFormat floats;
    floats.setChannelCount(1);
    floats.setSampleFormat(QAudioFormat::Float);
    const float values[] = {0.5f, -0.25f};
    QByteArray floatBytes(reinterpret_cast<const char*>(values), sizeof values);
    EXPECT_EQ(app::takeMonoFrames(floatBytes, floats), (std::vector<float>{0.5f, -0.25f}));
}

TEST_F(PracticeTest, TheReferencePitchIsKeptAndAMissingInputIsSaid) {
    app::SoundInput::useFile(home_.root() / "none.wav");
    app::MainWindow& window = start();
    trigger({"オプション(&O)", "チューナー"});
    EXPECT_FALSE(window.tuner()->input().running());
    EXPECT_FALSE(window.statusText("message").isEmpty());
    window.tuner()->referenceBox()->setValue(442);
    EXPECT_EQ(app::readPracticeChoices().referencePitch, 442);
    window.tuner()->referenceBox()->setValue(470);  // out of range: the box keeps to 450
    EXPECT_EQ(app::readPracticeChoices().referencePitch, 450);
}

TEST_F(PracticeTest, ThePracticeSwitchesFollowEachOtherAreKeptAndReachTheRender) {
    app::MainWindow& window = start();
    window.openAtStart(shinofu::testing::kDemo);
    const auto wavSeconds = [&](const char* name) {
        dialogs_.answers = {home_.root() / name};
        trigger({"ファイル&F", "WAVファイル作成"});
        return static_cast<double>(std::filesystem::file_size(home_.root() / name) - 44) / (44100 * 4);
    };
    const double plain = wavSeconds("plain.wav");
    if (plain <= 0) GTEST_SKIP() << "no synthesizer";
    // From the menu: its tick and the play bar's button together, and kept for the next start.
    trigger({"オプション(&O)", "練習", "カウントイン（1小節）"});
    auto* countIn = window.findChild<QToolButton*>("practice_countIn");
    ASSERT_NE(countIn, nullptr);
    EXPECT_TRUE(countIn->isChecked());
    EXPECT_TRUE(app::readPracticeChoices().playback.countIn);
    // From the button: the menu's tick follows.
    auto* click = window.findChild<QToolButton*>("practice_click");
    ASSERT_NE(click, nullptr);
    click->click();
    EXPECT_TRUE(window.action(app::commandPath({"オプション(&O)", "練習", "メトロノーム"}))->isChecked());
    EXPECT_TRUE(app::readPracticeChoices().playback.click);
    // The demo at 72 in 4/4: the count-in is a measure more of sound.
    EXPECT_NEAR(wavSeconds("counted.wav") - plain, 4 * 60.0 / 72, 0.02);
    trigger({"オプション(&O)", "練習", "カウントイン（1小節）"});
    EXPECT_FALSE(countIn->isChecked());
    EXPECT_FALSE(app::readPracticeChoices().playback.countIn);
}

TEST_F(PracticeTest, TheAccompanimentKeepsToASlowerPlayer) {
    const std::string measure = "a1 n n 96 u,b1 n n 96 u,c2 n n 96 u,a1 n n 96 u";
    // Played a fifth slower than written.
    if (!practise({measure, measure, measure}, {measure, measure, measure}, 96)) GTEST_SKIP() << "no synthesizer";
    app::MainWindow& window = *window_;
    trigger({"オプション(&O)", "練習", "伴奏：全パート（小さく）"});
    trigger({"オプション(&O)", "練習（演奏について行く）"});
    app::PlayAlong& playAlong = *window.playAlong();
    // The player and the accompaniment reach the last note together: as written, the accompaniment
    // would be there 1.4 s before the player.
    QElapsedTimer clock;
    clock.start();
    const int32_t lastNote = 11 * 12;
    qint64 playerThere = -1, accompanimentThere = -1;
    while (playAlong.following() && clock.elapsed() < 15000) {
        QTest::qWait(5);
        const int position = window.playAlong()->position();
        if (playerThere < 0 && position == 11) playerThere = clock.elapsed();
        if (accompanimentThere < 0 && playAlong.accompanimentTick() >= lastNote) accompanimentThere = clock.elapsed();
    }
    ASSERT_GT(playerThere, 0);
    ASSERT_GT(accompanimentThere, 0);
    EXPECT_LT(std::abs(playerThere - accompanimentThere), 400) << playerThere << " " << accompanimentThere;
    EXPECT_EQ(app::readPracticeChoices().accompaniment, midi::Accompaniment::AllPartsSoftly);
}

TEST_F(PracticeTest, PlayingAlongFollowsAndColoursEveryNoteByWhatHappened) {
    // Two measures at 120 as written, and as played with the third note wrong.
    const std::vector<std::string> written = {"a1 n n 96 u,b1 n n 96 u,c2 n n 96 u,a1 n n 96 u", "d2 n n 96 u,c2 n n 96 u,b1 n n 192 u"};
    if (!practise(written, {"a1 n n 96 u,b1 n n 96 u,e2 n n 96 u,a1 n n 96 u", written[1]}, 120)) GTEST_SKIP() << "no synthesizer";
    app::MainWindow& window = *window_;
    trigger({"オプション(&O)", "練習（演奏について行く）"});
    app::PlayAlong& playAlong = *window.playAlong();
    ASSERT_TRUE(playAlong.following()) << window.statusText("message").toStdString();
    // The play bar's stop cell ends it (and the same is heard again below).
    QTest::mouseClick(window.findChild<QWidget*>("playbtnvd"), Qt::LeftButton, Qt::NoModifier, QPoint(2 * 19 + 9, 9));
    EXPECT_FALSE(playAlong.following());
    EXPECT_TRUE(playAlong.report());
    trigger({"オプション(&O)", "練習（演奏について行く）"});
    ASSERT_TRUE(playAlong.following());
    // It ends by itself a second after the recording does.
    QTRY_VERIFY_WITH_TIMEOUT(!playAlong.following(), 15000);
    ASSERT_TRUE(playAlong.report());
    std::vector<audio::Verdict> verdicts;
    for (const audio::NoteVerdict& note : playAlong.report()->notes) verdicts.push_back(note.verdict);
    const auto good = audio::Verdict::Good;
    EXPECT_EQ(verdicts, (std::vector{good, good, audio::Verdict::PitchOff, good, good, good, good}));
    EXPECT_FALSE(playAlong.reportPanel()->isHidden());
    EXPECT_TRUE(window.statusText("message").startsWith("86 % の音が正しい高さ")) << window.statusText("message").toStdString();
    // The page shows the colours until the score changes.
    const render::NoteTints* tints = playAlong.tints();
    ASSERT_NE(tints, nullptr);
    EXPECT_EQ(tints->byStart.size(), 7u);
    EXPECT_EQ(tints->byStart.at(24).label.substr(0, 1), "+");
    trigger({"五線譜設定&S", "調子（＃の数）", "1（ト長調／ホ短調）"});
    EXPECT_EQ(playAlong.tints(), nullptr);
}

}  // namespace
