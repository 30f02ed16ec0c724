// The companion windows that live for the whole run beside the main window, created hidden.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace shinofu::app {

// A titled window whose controls arrive with its own command set.
class CompanionWindow : public QWidget {
    Q_OBJECT
public:
    CompanionWindow(const QString& objectName, const QString& caption, QSize size, QWidget* parent);
};

// "デバッグ表示": one text box that a double-click empties.
class DebugWindow : public QWidget {
    Q_OBJECT
public:
    explicit DebugWindow(QWidget* parent);
    QPlainTextEdit* text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* text_;
};

}  // namespace shinofu::app
