#include "app/playback_commands.h"

#include <QFrame>
#include <QLineEdit>
#include <QStatusBar>
#include <QLabel>
#include <QMetaObject>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/play_along.h"
#include "app/play_bar.h"
#include "app/qt_ui_text.h"
#include "edit/edit_mode.h"
#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "model/text_fields.h"
#include "numeric/numeric_page_layout.h"
#include "platform/qt_canvas.h"
#include "render/anchored_place.h"
#include "render/hit_test.h"
#include "render/page_drawer.h"
#include "render/page_geometry.h"

namespace shinofu::app {
namespace {

constexpr int kMarkerWidth = 12;
constexpr int kMarkerHeight = 6;

}  // namespace

PlaybackController::PlaybackController(MainWindow& window, Session& session, platform::MidiOut& out)
    : QObject(&window), window_(window), session_(session), out_(out), timers_(std::make_unique<platform::TimerService>()) {
    // The engine calls from the timer thread: what it reports is handed to the window's thread.
    midi::PlaybackListener listener;
    listener.position = [this](int32_t tick, int) {
        QMetaObject::invokeMethod(this, [this, tick] {
            if (engine_->playing()) showPosition(tick);  // not a position that arrived after the stop
        }, Qt::QueuedConnection);
    };
    listener.ended = [this] { QMetaObject::invokeMethod(this, [this] { performanceEnded(); }, Qt::QueuedConnection); };
    engine_ = std::make_unique<midi::PlaybackEngine>(out, *timers_, listener);
    marker_ = new QFrame(window.scoreView());
    marker_->setObjectName("LbPosPanel");
    marker_->setFixedSize(kMarkerWidth, kMarkerHeight);
    marker_->setAutoFillBackground(true);
    marker_->hide();
}

PlaybackController::~PlaybackController() {
    engine_->stop();
    timers_.reset();
    engine_->silence();
    engine_.reset();
}

void PlaybackController::togglePlay() {
    if (engine_->playing()) {
        stop();
        return;
    }
    model::Score& score = session_.score;
    session_.refreshDerivedState();
    midi::placeNavigationMarks(score);
    auto list = midi::buildPerfList(score);
    if (!list) return;
    midi::linkNavigation(*list);
    midi::PlaybackStart start = midi::playbackStartOf(score, list);
    // The numeric page plays its part alone, on the first channel, straight through.
    const bool numeric = session_.view.numericDisplay;
    if (numeric) {
        start.list = midi::partOnly(*list, score.curPart);
        start.partCount = 1;
        start.programs[0] = score.part(score.curPart).instrument;
    }
    start.practice = midi::practiceTiming(score, window_.practice().playback);
    // From the picked measure, unless it is the very first one; a loop goes round the picked measures.
    if (!numeric) {
        if (const std::optional<PickedMeasures> picked = pickedMeasures(session_)) {
            start.startTick = picked->start;
            start.practice.loopEnd = picked->end;
        }
    }
    if (engine_->start(start)) showMarker();
    // Whatever the status bar said since, a silent performance says why again.
    const std::string silence = out_.silenceReason();
    if (!silence.empty()) window_.setStatusText("message", QString::fromStdString(silence));
}

std::optional<PickedMeasures> pickedMeasures(Session& session) {
    if (!session.edit.click) return std::nullopt;
    const model::Score& score = session.score;
    const render::PageTables tables = render::buildPageTables(score, session.view);
    const int first = render::measureStartOf(score, session.view, tables, session.edit.click->hit);
    // The measures picked in measure editing, else the one picked measure.
    const bool range = session.edit.rangeEnd && session.edit.editMode == edit::kMeasureEditMode;
    const int last = range ? render::measureStartOf(score, session.view, tables, *session.edit.rangeEnd) : first;
    return PickedMeasures{std::min(first, last), std::max(first, last) + score.measureLen()};
}

void PlaybackController::playOrResume() {
    if (engine_->paused()) {
        engine_->resume();
        return;
    }
    if (!engine_->playing()) togglePlay();
}

void PlaybackController::rewind() { session_.edit.click.reset(); }

bool PlaybackController::setPlaybackTempo(const std::string& text) {
    const std::optional<int> tempo = model::parseWholeNumber(text);
    if (!tempo || *tempo < model::kMinTempo || *tempo > model::kMaxTempo) return false;
    engine_->setSpeedFactor(static_cast<double>(session_.score.song.tempo) / *tempo);
    return true;
}

void PlaybackController::showScoreTempo() {
    engine_->setSpeedFactor(1.0);
    if (speedBox_) speedBox_->setText(QString::number(session_.score.song.tempo));
}

void PlaybackController::stop() {
    engine_->stop();
    hideMarker();
}

void PlaybackController::hideMarker() {
    marker_->hide();
    window_.redraw();
}

void PlaybackController::showMarker() {
    QPalette palette = marker_->palette();
    palette.setColor(QPalette::Window, platform::QtCanvas::toQColor(session_.view.editDrawColor));
    marker_->setPalette(palette);
    marker_->show();
}

void PlaybackController::showPosition(int32_t tick) {
    if (marker_->isHidden()) showMarker();
    if (session_.view.numericDisplay) {
        // On the numeric page the marker stands at the note's place in its strip.
        const numeric::NumericPageLayout layout = numeric::numericPageLayout(
            session_.score, session_.score.curPart, session_.view.viewWidth, session_.view.viewHeight);
        const numeric::NumericPageLayout::Place place = layout.placeOf(tick);
        marker_->move(render::px(layout.stripLeft(place.strip) - session_.view.originX),
                      render::px(layout.blockTop(place.block) + place.position * layout.cellH / std::max(1, layout.cellUnits) -
                                 session_.view.originY));
        marker_->raise();
        return;
    }
    const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
    int page = 1;
    while (page < tables.pageCount && tick >= tables.pageEnd[static_cast<size_t>(page)]) ++page;
    // The view follows the performance onto its next page.
    if (page != session_.view.curPage) {
        session_.view.curPage = page;
        window_.redraw();
        window_.updateStatus();
    }
    const auto point = render::staffPointOf(session_.score, session_.view, tables, session_.score.curPart, tick);
    if (!point) return;
    marker_->move(point->x, point->base - render::px(6 * session_.view.drawUnit()));
    marker_->raise();
}

void PlaybackController::performanceEnded() { hideMarker(); }

void bindPlaybackCommands(MainWindow& window, Session& session, PlaybackController& playback) {
    window.bind(commandPath({"オプション(&O)", "演奏&P"}), [&playback] { playback.togglePlay(); });
    auto turnPage = [&window, &session](int page) {
        const int pages = render::buildPageTables(session.score, session.view).pageCount;
        session.view.curPage = std::clamp(page, 1, std::max(1, pages));
        window.redraw();
        window.updateStatus();
    };
    auto* bar = new PlayBar([&window, &playback, &session, turnPage](PlayBar::Cell cell, bool shift, bool right) {
        switch (cell) {
        case PlayBar::Cell::Play:
            if (shift) {
                turnPage(session.view.curPage + (right ? -1 : 1));
            } else {
                playback.playOrResume();
            }
            break;
        case PlayBar::Cell::Pause: playback.pause(); break;
        case PlayBar::Cell::Stop:
            // It ends a play-along too, which then shows how it went.
            if (PlayAlong* playAlong = window.playAlong(); playAlong && playAlong->following()) {
                playAlong->toggle();
            } else {
                playback.stop();
            }
            break;
        case PlayBar::Cell::Rewind:
            if (shift) {
                turnPage(right ? INT32_MAX : 1);
            } else {
                playback.rewind();
            }
            break;
        }
    });
    window.statusBar()->insertWidget(0, bar);
    auto* speed = new QLineEdit(&window);
    speed->setObjectName("Edit2");
    speed->setFixedWidth(speed->fontMetrics().horizontalAdvance("9999") + 12);
    speed->setToolTip(ui::qtext("ui", "演奏の速さ（1分間の四分音符の数）"));
    speed->setText(QString::number(session.score.song.tempo));
    QObject::connect(speed, &QLineEdit::editingFinished, speed, [&playback, speed] { playback.setPlaybackTempo(speed->text().toStdString()); });
    window.statusBar()->insertWidget(1, speed);
    playback.speedBox_ = speed;
}

}  // namespace shinofu::app
