// The symbol dialog TsymEditForm ("記号などの変更"): in symbol editing it changes the picked symbol
// or mark, adds free texts at the position marker and deletes; opened from "フォントサイズ／位置"
// it sizes and drops the fingering overlay. Every change is made at once; there is no OK.
#pragma once

#include <QWidget>
#include <optional>

#include "app/session.h"
#include "edit/symbol_edit.h"

class QButtonGroup;
class QFrame;
class QLineEdit;
class QSpinBox;

namespace shinofu::app {

class MainWindow;

class SymbolDialog : public QWidget {
    Q_OBJECT
public:
    SymbolDialog(MainWindow& window, Session& session);

    // Symbol editing: the dialog on a symbol or mark picked on the page.
    void editTarget(const edit::SymbolTarget& target);
    // "フォントサイズ／位置": the overlay's size and drop.
    void editOverlay();

    QLineEdit* textField() const { return text_; }
    QSpinBox* sizeBox() const { return size_; }
    QSpinBox* verticalBox() const { return vertical_; }
    QSpinBox* horizontalBox() const { return horizontal_; }
    QFrame* marker() const { return marker_; }
    const std::optional<edit::SymbolTarget>& target() const { return target_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void resetControls();
    bool editingSymbols() const;
    // Runs a change of the score and redraws when it changed something.
    void apply(bool changed);
    void stepped(QSpinBox* box, int& last, const std::function<void(int)>& step);
    edit::MarkerPlace markerPlace() const;

    MainWindow& window_;
    Session& session_;
    std::optional<edit::SymbolTarget> target_;
    bool adding_ = false;
    QLineEdit* text_;
    QSpinBox* vertical_;
    QSpinBox* horizontal_;
    QSpinBox* size_;
    QButtonGroup* fonts_;
    QButtonGroup* styles_;
    QFrame* marker_;
    int lastVertical_ = 0;
    int lastHorizontal_ = 0;
    int lastSize_ = 12;
};

}  // namespace shinofu::app
