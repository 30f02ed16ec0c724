// The play bar (playbtnvd): four 19-pixel cells, play, pause, stop and rewind; Shift turns
// pages with the first and last cells instead.
#pragma once

#include <QWidget>
#include <functional>

namespace shinofu::app {

class PlayBar : public QWidget {
public:
    enum class Cell { Play = 0, Pause = 1, Stop = 2, Rewind = 3 };
    // The pressed cell, whether Shift was held and whether the right button pressed it.
    using Pressed = std::function<void(Cell cell, bool shift, bool rightButton)>;

    explicit PlayBar(Pressed pressed, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Pressed pressed_;
};

}  // namespace shinofu::app
