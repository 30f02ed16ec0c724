// The data memo window (TmemoForm): an always-on-top text box that several commands borrow.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace shinofu::app {

class MemoWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MemoWindow(QWidget* parent = nullptr);

    std::vector<std::string> lines() const;
    void setLines(const std::vector<std::string>& lines);
    void setTextHeight(int pixels);
    int textHeight() const;
    // Where the window reopens whenever it has been closed.
    void setHomePosition(QPoint home) { home_ = home; }
    // What "保存" does; chosen by the command that filled the window.
    void setSaveAction(std::function<void()> save) { save_ = std::move(save); }
    void save();
    QPlainTextEdit* editor() const { return editor_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* editor_;
    QPoint home_{300, 80};
    std::function<void()> save_;
};

}  // namespace shinofu::app
