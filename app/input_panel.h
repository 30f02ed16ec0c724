// The note input panel ToniForm ("音符入力"): a staff on which a click enters the pitch in the entry
// modes, a clef switch, and the strip below that docks the note palette beside it.
#pragma once

#include <QWidget>

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

class InputPanel : public QWidget {
    Q_OBJECT
public:
    InputPanel(MainWindow& window, Session& session);

    enum class Dock { None, Left, Right };
    bool fClef() const { return fClef_; }
    Dock dock() const { return dock_; }
    // The panel's y of a staff step, where a click enters that step's pitch.
    static int yOfStep(int step);
    // Where a click lands on the bottom strip's zones: dock left, undock, clef, dock right.
    static QPoint zoneCentre(int zone);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placePalette();

    MainWindow& window_;
    Session& session_;
    bool fClef_ = false;
    Dock dock_ = Dock::None;
};

}  // namespace shinofu::app
