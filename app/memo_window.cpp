#include "app/memo_window.h"

#include "app/qt_ui_text.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace shinofu::app {

MemoWindow::MemoWindow(QWidget* parent) : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle(ui::qtext("ui", "データメモ"));
    resize(600, 400);
    editor_ = new QPlainTextEdit(this);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->setMinimumWidth(480);
    editor_->setMaximumWidth(600);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("IPAGothic");
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    editor_->setFont(font);
    setTextHeight(16);
    setCentralWidget(editor_);

    QMenuBar* bar = menuBar();
    bar->addAction(ui::qtext("ui", "保存"), this, &MemoWindow::save);
    bar->addAction(ui::qtext("ui", "消去"), editor_, &QPlainTextEdit::clear);
    QMenu* size = bar->addMenu(ui::qtext("ui", "フォントサイズ"));
    size->addAction(ui::qtext("ui", "大"), this, [this] { setTextHeight(16); });
    size->addAction(ui::qtext("ui", "中"), this, [this] { setTextHeight(14); });
    size->addAction(ui::qtext("ui", "小"), this, [this] { setTextHeight(12); });
    bar->addAction(ui::qtext("ui", "閉じる"), this, &QWidget::close);
}

std::vector<std::string> MemoWindow::lines() const {
    std::vector<std::string> result;
    for (const QString& line : editor_->toPlainText().split('\n')) result.push_back(line.toStdString());
    return result;
}

void MemoWindow::setLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    editor_->setPlainText(text.join('\n'));
}

void MemoWindow::setTextHeight(int pixels) {
    QFont font = editor_->font();
    font.setPixelSize(pixels);
    editor_->setFont(font);
}

int MemoWindow::textHeight() const { return editor_->font().pixelSize(); }

void MemoWindow::save() {
    if (save_) save_();
}

void MemoWindow::closeEvent(QCloseEvent* event) {
    move(home_);
    event->accept();
}

}  // namespace shinofu::app
