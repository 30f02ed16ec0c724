// Lets the left button drag a small panel over its parent by its middle.
#pragma once

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace shinofu::app {

class PanelDrag : public QObject {
public:
    explicit PanelDrag(QWidget* panel) : QObject(panel), panel_(panel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseMove) return QObject::eventFilter(watched, event);
        auto* move = static_cast<QMouseEvent*>(event);
        if (!(move->buttons() & Qt::LeftButton)) return false;
        const QPoint centre = panel_->mapToParent(move->position().toPoint());
        panel_->move(centre - QPoint(panel_->width() / 2, panel_->height() / 2));
        panel_->setProperty("dragged", true);
        return true;
    }

private:
    QWidget* panel_;
};

}  // namespace shinofu::app
