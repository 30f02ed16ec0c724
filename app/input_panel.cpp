#include "app/input_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"
#include "edit/edit_mode.h"
#include "edit/palette_commands.h"
#include "edit/pointer_entry.h"
#include "render/music_codes.h"
#include "render/page_tables.h"

namespace shinofu::app {
namespace {

constexpr int kWidth = 152;
constexpr int kHeight = 200;
constexpr int kStripTop = 176;  // below the staff: the docking zones and the clef switch
constexpr int kZones = 4;
constexpr double kStepPixels = 7.5;
constexpr int kBaseY = 138;  // step 0
constexpr const char* kZoneFaces[] = {"◁", "×", UI_TEXT("ui", "ト/へ"), "▷"};

}  // namespace

InputPanel::InputPanel(MainWindow& window, Session& session)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window), session_(session) {
    setObjectName("ToniForm");
    setWindowTitle(ui::qtext("ui", "音符入力"));
    setFixedSize(kWidth, kHeight);
    setToolTip(ui::qtext("ui", "五線をクリックして音符を入力。下段：パレットを左に／連結解除／ト音・ヘ音記号／パレットを右に"));
}

int InputPanel::yOfStep(int step) { return static_cast<int>(std::lround(kBaseY - kStepPixels * step)); }

QPoint InputPanel::zoneCentre(int zone) {
    const int width = kWidth / kZones;
    return {zone * width + width / 2, (kStripTop + kHeight) / 2};
}

void InputPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xF8, 0xF8, 0xF4));
    // The staff's lines sit on the G clef's steps 2 (e1) .. 10 (f2): every second step.
    const int firstLine = fClef_ ? 4 : 4;
    for (int line = -3; line < 8; ++line) {
        const int y = yOfStep(firstLine + 2 * line);
        const bool ledger = line < 0 || line > 4;
        painter.setPen(ledger ? QPen(QColor(0xB0, 0xB0, 0xB0), 1, Qt::DashLine) : QPen(Qt::black, 1));
        painter.drawLine(QPointF(ledger ? 60 : 8, y), QPointF(ledger ? 100 : kWidth - 8, y));
    }
    // The clef, scaled to the staff's height.
    const uint8_t clef = fClef_ ? render::kFClefCode : render::kGClefCode;
    const QPainterPath glyph = window_.resources().paths.path(clef, 60);
    const QRectF bounds = glyph.boundingRect();
    const double staffHeight = yOfStep(firstLine) - yOfStep(firstLine + 8);
    const double scale = (fClef_ ? 0.8 : 1.6) * staffHeight / std::max(1.0, bounds.height());
    painter.save();
    painter.translate(12, fClef_ ? yOfStep(firstLine + 8) : yOfStep(firstLine + 8) - staffHeight * 0.3);
    painter.scale(scale, scale);
    painter.translate(-bounds.topLeft());
    painter.fillPath(glyph, Qt::black);
    painter.restore();
    // The strip: dock left, undock, clef switch, dock right.
    QFont font("IPAGothic");
    font.setPixelSize(12);
    painter.setFont(font);
    const int width = kWidth / kZones;
    for (int zone = 0; zone < kZones; ++zone) {
        const QRect cell(zone * width, kStripTop, width, kHeight - kStripTop);
        const bool pressed = (zone == 0 && dock_ == Dock::Left) || (zone == 3 && dock_ == Dock::Right) || (zone == 2 && fClef_);
        painter.fillRect(cell.adjusted(1, 1, -1, -1), pressed ? QColor(0xB8, 0xC8, 0xE0) : QColor(0xE4, 0xE4, 0xE0));
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignCenter, ui::qtext("ui", kZoneFaces[zone]));
    }
}

void InputPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (at.y() >= kStripTop) {
        const int zone = std::clamp(at.x() * kZones / kWidth, 0, kZones - 1);
        if (zone == 2) {
            fClef_ = !fClef_;
        } else {
            dock_ = zone == 0 ? Dock::Left : zone == 3 ? Dock::Right : Dock::None;
            placePalette();
        }
        update();
        return;
    }
    const std::optional<uint8_t> pitch = edit::panelPitch(at.y(), fClef_);
    const int mode = session_.edit.editMode;
    if (!pitch || (mode != edit::kNewMode && mode != edit::kInsertMode && mode != edit::kInsertOnceMode)) return;
    const bool entered = edit::enterPanelPitch(session_.score, session_.edit, *pitch);
    if (session_.edit.editMode == edit::kNewMode) {
        edit::showAddCursor(session_.score, session_.view, render::buildPageTables(session_.score, session_.view));
    }
    finish(window_, session_, entered);
}

void InputPanel::placePalette() {
    QWidget* palette = window_.findChild<QWidget*>("TOni2Form");
    if (!palette || dock_ == Dock::None) return;
    const QRect frame = frameGeometry();
    palette->move(dock_ == Dock::Left ? frame.left() - palette->frameGeometry().width() : frame.right() + 1, frame.top());
}

void InputPanel::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placePalette();
}

void InputPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placePalette();
}

}  // namespace shinofu::app
