#include "app/play_bar.h"

#include "app/qt_ui_text.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace shinofu::app {
namespace {

constexpr int kCell = 19;
constexpr int kCells = 4;

}  // namespace

PlayBar::PlayBar(Pressed pressed, QWidget* parent) : QWidget(parent), pressed_(std::move(pressed)) {
    setObjectName("playbtnvd");
    setFixedSize(sizeHint());
    setToolTip(ui::qtext("ui", "演奏／一時停止／停止／先頭へ（Shift: ページ送り）"));
}

QSize PlayBar::sizeHint() const { return {kCell * kCells, kCell}; }

void PlayBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().mid().color());
    for (int cell = 0; cell < kCells; ++cell) painter.drawRect(cell * kCell, 0, kCell - 1, kCell - 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().buttonText());
    // Play: a triangle; pause: two bars; stop: a square; rewind: a bar and a triangle pointing back.
    QPainterPath play;
    play.moveTo(6, 4);
    play.lineTo(14, 9.5);
    play.lineTo(6, 15);
    play.closeSubpath();
    painter.drawPath(play);
    painter.drawRect(kCell + 5, 4, 3, 11);
    painter.drawRect(kCell + 11, 4, 3, 11);
    painter.drawRect(2 * kCell + 5, 5, 9, 9);
    painter.drawRect(3 * kCell + 4, 4, 2, 11);
    QPainterPath back;
    back.moveTo(3 * kCell + 15, 4);
    back.lineTo(3 * kCell + 7, 9.5);
    back.lineTo(3 * kCell + 15, 15);
    back.closeSubpath();
    painter.drawPath(back);
}

void PlayBar::mousePressEvent(QMouseEvent* event) {
    const int cell = static_cast<int>(event->position().x()) / kCell;
    if (cell < 0 || cell >= kCells) return;
    pressed_(static_cast<Cell>(cell), (event->modifiers() & Qt::ShiftModifier) != 0, event->button() == Qt::RightButton);
}

}  // namespace shinofu::app
