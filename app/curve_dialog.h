// The curve dialog TslurForm ("スラー編集"): the start, end and middle offsets of the tie or slur
// that begins at the curve target, drawn on the page as they change.
#pragma once

#include <QWidget>
#include <array>

#include "app/session.h"

class QLabel;
class QSpinBox;

namespace shinofu::app {

class MainWindow;

class CurveDialog : public QWidget {
    Q_OBJECT
public:
    CurveDialog(MainWindow& window, Session& session);

    // Shows the dialog with its up-downs at 0.
    void open();
    // After a command: a new curve target starts from 0 again, without changing any note.
    void followTarget();
    QSpinBox* box(int which) const { return boxes_[static_cast<size_t>(which)]; }  // 0 start, 1 end, 2 middle
    QLabel* notice() const { return notice_; }

private:
    void reset();

    MainWindow& window_;
    Session& session_;
    std::array<QSpinBox*, 3> boxes_{};
    std::array<QLabel*, 3> values_{};
    QLabel* notice_;
    const model::TNote* shownTarget_ = nullptr;
};

}  // namespace shinofu::app
