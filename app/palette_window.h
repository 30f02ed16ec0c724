// The note palette TOni2Form ("音符/記号の選択,編集"): note and rest values, the entry-mode
// buttons, the accidental bar, the edit bar, and in its second page the symbol grid and the
// layout bar. Cells are drawn with the page's music glyphs; what they do lives in edit/.
#pragma once

#include <QWidget>
#include <optional>

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    PaletteWindow(MainWindow& window, Session& session);

    enum class Area { Values, Modes, Accidentals, EditBar, Symbols, Layout };
    struct Cell {
        Area area;
        int index;  // grids: column + 8 × row
    };
    // The cell at a point of the window, if any; the second page shows symbols and layout.
    std::optional<Cell> cellAt(QPoint at) const;
    // The middle of a cell, where a click lands on it.
    static QPoint centreOf(const Cell& cell);
    static QString hintOf(const Cell& cell);
    bool symbolPage() const { return symbolPage_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void act(const Cell& cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void chooseMode(int button, bool rightClick);
    void drawCell(class QPainter& painter, const Cell& cell, bool pressed);

    MainWindow& window_;
    Session& session_;
    bool symbolPage_ = false;
    std::optional<Cell> held_;    // pressed and not yet released
    std::optional<QPoint> drag_;  // the background grabbed to move the window
};

}  // namespace shinofu::app
