#include "app/play_along.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QString>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/playback_commands.h"
#include "app/qt_ui_text.h"
#include "midi/accompaniment.h"
#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "platform/qt_canvas.h"

namespace shinofu::app {
namespace {

constexpr double kEndingQuiet = 1.0;   // seconds of quiet after the last note, or the recording's end, that end the practice
constexpr double kGivenUpQuiet = 10;   // seconds of quiet anywhere that do

// How a verdict shows on the page, and which of a repeated note's verdicts shows.
struct Shown {
    model::Colour colour;
    int rank;
};

Shown shownOf(audio::Verdict verdict) {
    switch (verdict) {
    case audio::Verdict::Good: return {model::rgb(0x2E, 0x9E, 0x4F), 1};
    case audio::Verdict::Early: return {model::rgb(0xE0, 0x7A, 0x1F), 2};
    case audio::Verdict::Late: return {model::rgb(0x6A, 0x3D, 0xC8), 2};
    case audio::Verdict::PitchOff: return {model::rgb(0xD0, 0x20, 0x20), 3};
    case audio::Verdict::Missed: return {model::rgb(0x90, 0x90, 0x90), 4};
    case audio::Verdict::NotReached: break;
    }
    return {0, 0};
}

std::string labelOf(const audio::NoteVerdict& verdict) {
    switch (verdict.verdict) {
    case audio::Verdict::PitchOff: {
        const long cents = std::lround(verdict.cents);
        return (cents < 0 ? "−" : "+") + std::to_string(std::abs(cents));
    }
    case audio::Verdict::Early: return ui::text("ui", "早");
    case audio::Verdict::Late: return ui::text("ui", "遅");
    case audio::Verdict::Missed: return ui::text("ui", "抜");
    default: return {};
    }
}

}  // namespace

PlayAlong::PlayAlong(MainWindow& window, Session& session, PlaybackController& playback, PracticeChoices& choices)
    : QObject(&window), window_(window), session_(session), playback_(playback), choices_(choices) {
    panel_ = new QFrame(window.scrollArea());
    panel_->setObjectName("practiceReport");
    panel_->setFrameShape(QFrame::Panel);
    panel_->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(panel_);
    auto* words = new QVBoxLayout;
    summary_ = new QLabel(panel_);
    summary_->setObjectName("practiceSummary");
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    words->addWidget(summary_);
    QString legend;
    for (const auto& [verdict, meaning] :
         {std::pair(audio::Verdict::Good, ui::qtext("ui", "よい")), std::pair(audio::Verdict::PitchOff, ui::qtext("ui", "音程（セント）")),
          std::pair(audio::Verdict::Early, ui::qtext("ui", "早い")), std::pair(audio::Verdict::Late, ui::qtext("ui", "遅い")),
          std::pair(audio::Verdict::Missed, ui::qtext("ui", "抜け"))}) {
        legend += QString("<span style='color:%1'>■</span> %2　").arg(platform::QtCanvas::toQColor(shownOf(verdict).colour).name(), meaning);
    }
    auto* key = new QLabel(legend, panel_);
    key->setTextFormat(Qt::RichText);
    words->addWidget(key);
    layout->addLayout(words);
    auto* close = new QPushButton(ui::qtext("ui", "閉じる"), panel_);
    layout->addWidget(close);
    connect(close, &QPushButton::clicked, panel_, &QFrame::hide);
    panel_->hide();
}

PlayAlong::~PlayAlong() {
    input_.stop();
    if (accompaniment_) accompaniment_->stop();
    timers_.reset();  // the timer thread ends before the engine goes
    if (accompaniment_) accompaniment_->silence();
}

void PlayAlong::startAccompaniment(int32_t from) {
    const midi::Accompaniment kind = choices_.accompaniment;
    model::Score& score = session_.score;
    if (kind == midi::Accompaniment::None || (kind == midi::Accompaniment::OtherParts && score.partCount < 2)) return;
    midi::placeNavigationMarks(score);
    const auto whole = midi::buildPerfList(score);
    if (!whole) return;
    std::shared_ptr<midi::PerfList> list = midi::accompanimentOf(*whole, part_, kind);
    midi::linkNavigation(*list);
    if (!timers_) {
        timers_ = std::make_unique<platform::TimerService>();
        midi::PlaybackListener listener;
        listener.position = [this](int32_t tick, int) {
            accompanimentTick_ = tick;
            accompanimentAt_ = clock_.elapsed();
        };
        accompaniment_ = std::make_unique<midi::PlaybackEngine>(playback_.out(), *timers_, listener);
    }
    midi::PlaybackStart start = midi::playbackStartOf(score, list);
    start.startTick = from;
    accompanimentTick_ = from;
    accompanimentAt_ = clock_.elapsed();
    accompaniment_->setSpeedFactor(1.0);
    accompaniment_->start(start);
}

void PlayAlong::keepAccompanimentWith(int position) {
    if (!accompaniment_ || !accompaniment_->playing() || position < 0) return;
    const double scorePace = session_.score.song.msPerUnit / 1000;
    const double now = static_cast<double>(clock_.elapsed());
    // Where each is now: the accompaniment on from its last event at its speed, the player at the note reached.
    const double accompanimentAt =
        accompanimentTick_ + (now - static_cast<double>(accompanimentAt_)) / 1000 / (scorePace * accompaniment_->speedFactor());
    // The player some way into the note reached: as long as it has sounded, at most up to the next.
    const std::vector<audio::ExpectedNote>& expected = follower_->expected();
    const double noteAt = expected[static_cast<size_t>(position)].startPos;
    const double nextAt = static_cast<size_t>(position) + 1 < expected.size() ? expected[static_cast<size_t>(position) + 1].startPos : noteAt;
    const double playerAt = std::clamp(noteAt + follower_->onNoteFor() / follower_->pace(), noteAt, std::max(noteAt, nextAt));
    const int beat = midi::practiceTiming(session_.score, {}).beatUnits;
    accompaniment_->setSpeedFactor(midi::followingSpeed(follower_->pace(), scorePace, accompanimentAt, playerAt, beat));
}

void PlayAlong::toggle() {
    if (following()) {
        finish();
    } else {
        start();
    }
}

const render::NoteTints* PlayAlong::tints() const {
    return report_ && tintedState_ == session_.history.stateId() ? &tints_ : nullptr;
}

void PlayAlong::start() {
    if (playback_.engine().playing()) playback_.stop();
    session_.refreshDerivedState();
    part_ = session_.score.curPart;
    const std::optional<PickedMeasures> picked = pickedMeasures(session_);
    std::vector<audio::ExpectedNote> expected = audio::expectedNotes(session_.score, part_, picked ? picked->start : 0);
    if (expected.empty()) {
        window_.setStatusText("message", ui::qtext("ui", "ここから後に吹く音符がありません"));
        return;
    }
    if (!input_.start(choices_.inputDevice, [this](std::span<const float> samples) { hear(samples); })) {
        window_.setStatusText("message", input_.error());
        return;
    }
    tracker_ = std::make_unique<audio::PitchTracker>(input_.rate());
    if (!tracker_->ready()) {
        input_.stop();
        window_.setStatusText("message", QString::fromStdString(tracker_->error()));
        return;
    }
    follower_ = std::make_unique<audio::ScoreFollower>(std::move(expected), static_cast<double>(tracker_->hop()) / input_.rate(),
                                                       session_.score.song.msPerUnit / 1000, choices_.referencePitch);
    quietSeconds_ = 0;
    report_.reset();
    panel_->hide();
    clock_.start();
    startAccompaniment(picked ? picked->start : 0);
    window_.redraw();
    playback_.showPosition(follower_->expected().front().startPos);
    window_.setStatusText(
        "message", ui::qtext("ui", "演奏について行きます（%1）。終えるときはもう一度「練習（演奏について行く）」").arg(input_.source()));
}

void PlayAlong::hear(std::span<const float> samples) {
    if (!follower_) return;
    const std::vector<audio::PitchFrame> frames = tracker_->feed(samples);
    for (const audio::PitchFrame& frame : frames) {
        quietSeconds_ = frame.hertz > 0 ? 0 : quietSeconds_ + static_cast<double>(tracker_->hop()) / tracker_->rate();
    }
    const int before = follower_->position();
    follower_->take(frames);
    if (follower_->position() != before && follower_->position() >= 0) {
        playback_.showPosition(follower_->expected()[static_cast<size_t>(follower_->position())].startPos);
        keepAccompanimentWith(follower_->position());
    }
    const bool atEnd = follower_->position() + 1 == static_cast<int>(follower_->expected().size());
    if (((atEnd || input_.exhausted()) && quietSeconds_ >= kEndingQuiet) || quietSeconds_ >= kGivenUpQuiet) finish();
}

void PlayAlong::finish() {
    if (!follower_) return;
    input_.stop();
    if (accompaniment_) accompaniment_->stop();
    report_ = follower_->report();
    tints_ = {part_, {}};
    std::map<int32_t, int> ranks;  // a note played more than once (in a repeat) shows its worst time
    const std::vector<audio::ExpectedNote>& expected = follower_->expected();
    for (size_t i = 0; i < expected.size(); ++i) {
        const audio::NoteVerdict& verdict = report_->notes[i];
        const Shown shown = shownOf(verdict.verdict);
        int& rank = ranks[expected[i].startPos];
        if (shown.rank <= rank) continue;
        rank = shown.rank;
        tints_.byStart[expected[i].startPos] = {shown.colour, labelOf(verdict)};
    }
    tintedState_ = session_.history.stateId();
    follower_.reset();
    tracker_.reset();
    playback_.hideMarker();
    const QString summary = QString::fromStdString(audio::reportSummary(*report_));
    window_.setStatusText("message", summary);
    summary_->setText(summary);
    panel_->adjustSize();
    panel_->move(20, std::max(20, window_.scrollArea()->viewport()->height() - panel_->height() - 20));
    panel_->show();
    panel_->raise();
}

void bindPlayAlongCommands(MainWindow& window, PlayAlong& playAlong) {
    window.bind(commandPath({"オプション(&O)", "練習（演奏について行く）"}), [&playAlong] { playAlong.toggle(); });
}

}  // namespace shinofu::app
