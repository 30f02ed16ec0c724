#include "app/curve_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"

namespace shinofu::app {

CurveDialog::CurveDialog(MainWindow& window, Session& session)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window), session_(session) {
    setObjectName("TslurForm");
    setWindowTitle(ui::qtext("ui", "スラー編集"));
    auto* layout = new QGridLayout(this);
    const QString kCaptions[] = {ui::qtext("ui", "開始位置"), ui::qtext("ui", "終了位置"), ui::qtext("ui", "中央位置")};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QSpinBox(this);
        box->setRange(-100, 100);
        auto* value = new QLabel("0", this);
        layout->addWidget(new QLabel(kCaptions[i], this), 0, i, Qt::AlignHCenter);
        layout->addWidget(box, 1, i);
        layout->addWidget(value, 2, i, Qt::AlignHCenter);
        boxes_[static_cast<size_t>(i)] = box;
        values_[static_cast<size_t>(i)] = value;
        connect(box, &QSpinBox::valueChanged, this, [this, i](int offset) {
            model::TNote* target = session_.edit.curveTarget;
            values_[static_cast<size_t>(i)]->setText(QString::number(offset));
            if (!target) return;  // nothing to write to: the notice says so
            int32_t& field = i == 0 ? target->curveStart : i == 1 ? target->curveEnd : target->curveMid;
            field = offset;
            finish(window_, session_, true);
        });
    }
    notice_ = new QLabel(this);
    notice_->setWordWrap(true);
    layout->addWidget(notice_, 3, 0, 1, 3);
}

void CurveDialog::reset() {
    for (size_t i = 0; i < boxes_.size(); ++i) {
        const QSignalBlocker block(boxes_[i]);
        boxes_[i]->setValue(0);
        values_[i]->setText("0");
    }
    shownTarget_ = session_.edit.curveTarget;
    const bool none = shownTarget_ == nullptr;
    notice_->setText(none ? ui::qtext("ui", "曲線を変えるタイ・スラーがありません。音符を選ぶか、タイかスラーを設定して下さい。") : "");
    for (QSpinBox* box : boxes_) box->setEnabled(!none);
}

void CurveDialog::open() {
    reset();
    show();
    raise();
}

void CurveDialog::followTarget() {
    if (session_.edit.curveTarget != shownTarget_) reset();
}

}  // namespace shinofu::app
