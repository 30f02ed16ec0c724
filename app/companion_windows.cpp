#include "app/companion_windows.h"

#include "app/qt_ui_text.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace shinofu::app {

CompanionWindow::CompanionWindow(const QString& objectName, const QString& caption, QSize size, QWidget* parent)
    : QWidget(parent, Qt::Tool) {
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(size);
}

DebugWindow::DebugWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("TdebugForm");
    setWindowTitle(ui::qtext("ui", "デバッグ表示"));
    resize(640, 300);
    text_ = new QPlainTextEdit(this);
    text_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
}

bool DebugWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        text_->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace shinofu::app
