#include "app/symbol_dialog.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/panel_drag.h"
#include "app/qt_ui_text.h"
#include "edit/edit_mode.h"
#include "platform/qt_canvas.h"

namespace shinofu::app {
namespace {

constexpr int kMarkerSize = 12;

QSpinBox* upDown(QWidget* parent, int low, int high, int start) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(start);
    return box;
}

}  // namespace

SymbolDialog::SymbolDialog(MainWindow& window, Session& session)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window), session_(session) {
    setObjectName("TsymEditForm");
    setWindowTitle(ui::qtext("ui", "記号などの変更"));
    auto* layout = new QGridLayout(this);

    text_ = new QLineEdit(this);
    auto* change = new QPushButton(ui::qtext("ui", "変更"), this);
    layout->addWidget(new QLabel(ui::qtext("ui", "テキスト"), this), 0, 0);
    layout->addWidget(text_, 0, 1, 1, 3);
    layout->addWidget(change, 0, 4);

    vertical_ = upDown(this, -1000, 1000, 0);
    horizontal_ = upDown(this, -1000, 1000, 0);
    size_ = upDown(this, 2, 200, 12);
    layout->addWidget(new QLabel(ui::qtext("ui", "上下"), this), 1, 0);
    layout->addWidget(vertical_, 1, 1);
    layout->addWidget(new QLabel(ui::qtext("ui", "左右"), this), 1, 2);
    layout->addWidget(horizontal_, 1, 3);
    layout->addWidget(new QLabel(ui::qtext("ui", "フォントサイズ"), this), 2, 0);
    layout->addWidget(size_, 2, 1);

    auto* fontBox = new QGroupBox(ui::qtext("ui", "フォント名選択"), this);
    auto* fontLayout = new QHBoxLayout(fontBox);
    fonts_ = new QButtonGroup(this);
    for (int i = 0; i < model::kFontCount; ++i) {
        auto* button = new QRadioButton(fontBox);
        fonts_->addButton(button, i);
        fontLayout->addWidget(button);
    }
    layout->addWidget(fontBox, 3, 0, 1, 5);
    auto* styleBox = new QGroupBox(ui::qtext("ui", "書体"), this);
    auto* styleLayout = new QHBoxLayout(styleBox);
    styles_ = new QButtonGroup(this);
    const QString kStyles[] = {ui::qtext("ui", "標準"), ui::qtext("ui", "太字"), ui::qtext("ui", "斜体"), ui::qtext("ui", "太字斜体")};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(kStyles[i], styleBox);
        styles_->addButton(button, i);
        styleLayout->addWidget(button);
    }
    layout->addWidget(styleBox, 4, 0, 1, 5);

    const QString kButtons[] = {ui::qtext("ui", "追加開始"), ui::qtext("ui", "追加"), ui::qtext("ui", "位置表示"),
                                ui::qtext("ui", "位置変更"), ui::qtext("ui", "削除")};
    std::array<QPushButton*, 5> buttons{};
    for (int i = 0; i < 5; ++i) {
        buttons[static_cast<size_t>(i)] = new QPushButton(kButtons[i], this);
        layout->addWidget(buttons[static_cast<size_t>(i)], 5, i);
    }

    // The position marker: dragged over the page to say where a text goes.
    marker_ = new QFrame(window.scoreView());
    marker_->setObjectName("positionMarker");
    marker_->setFixedSize(kMarkerSize, kMarkerSize);
    marker_->setAutoFillBackground(true);
    marker_->setToolTip(ui::qtext("ui", "位置表示：ドラッグして記号の位置を指定"));
    marker_->installEventFilter(new PanelDrag(marker_));
    marker_->hide();

    connect(vertical_, &QSpinBox::valueChanged, this, [this](int) {
        stepped(vertical_, lastVertical_, [this](int step) {
            if (editingSymbols()) {
                apply(target_ && edit::nudgeSymbol(session_.score, *target_, 0, -step));
            } else {
                apply(edit::stepOverlayDrop(session_.score, step > 0));
            }
        });
    });
    connect(horizontal_, &QSpinBox::valueChanged, this, [this](int) {
        stepped(horizontal_, lastHorizontal_, [this](int step) {
            if (editingSymbols() && target_) apply(edit::nudgeSymbol(session_.score, *target_, step, 0));
        });
    });
    connect(size_, &QSpinBox::valueChanged, this, [this](int) {
        stepped(size_, lastSize_, [this](int step) {
            if (!editingSymbols()) {
                apply(edit::stepOverlaySize(session_.score, session_.view, step > 0));
                return;
            }
            if (!target_ || !edit::stepSymbolSize(session_.score, *target_, step > 0)) return;
            if (const model::SymbolFields* fields = edit::symbolFields(session_.score, *target_)) {
                const QSignalBlocker block(size_);
                size_->setValue(fields->fontSize);
                lastSize_ = fields->fontSize;
            }
            apply(true);
        });
    });
    connect(fonts_, &QButtonGroup::idClicked, this, [this](int font) {
        if (editingSymbols() && target_ && !adding_) apply(edit::setSymbolFont(session_.score, *target_, font));
    });
    connect(styles_, &QButtonGroup::idClicked, this, [this](int style) {
        const bool bold = style == 1 || style == 3;
        const bool italic = style == 2 || style == 3;
        if (!editingSymbols()) {
            edit::setOverlayBold(session_.score, style == 1);
            apply(true);
        } else if (target_ && !adding_) {
            apply(edit::setSymbolStyle(session_.score, *target_, bold, italic));
        }
    });
    connect(change, &QPushButton::clicked, this, [this] {
        if (editingSymbols() && target_) apply(edit::setSymbolText(session_.score, *target_, text_->text().toStdString()));
    });
    connect(buttons[0], &QPushButton::clicked, this, [this] {
        if (editingSymbols()) adding_ = true;
    });
    connect(buttons[1], &QPushButton::clicked, this, [this] {
        if (!editingSymbols()) return;
        const int part = target_ ? target_->part : session_.score.curPart;
        edit::addTextSymbol(session_.score, session_.view, part, markerPlace(), text_->text().toStdString(),
                            size_->text().toStdString(), std::max(0, fonts_->checkedId()));
        adding_ = false;
        apply(true);
    });
    connect(buttons[2], &QPushButton::clicked, this, [this, &window] {
        if (marker_->isVisible()) {
            marker_->hide();
            return;
        }
        marker_->move(0, std::max(0, window.viewImage().height() - kMarkerSize));
        QPalette colours = marker_->palette();
        colours.setColor(QPalette::Window, platform::QtCanvas::toQColor(session_.view.editDrawColor));
        marker_->setPalette(colours);
        marker_->show();
        marker_->raise();
    });
    connect(buttons[3], &QPushButton::clicked, this, [this] {
        if (editingSymbols() && target_) apply(edit::moveSymbolTo(session_.score, session_.view, *target_, markerPlace()));
    });
    connect(buttons[4], &QPushButton::clicked, this, [this] {
        if (!editingSymbols() || !target_) return;
        const bool deleted = edit::deleteSymbol(session_.score, *target_);
        target_.reset();  // the entries after it have moved up
        apply(deleted);
    });
}

bool SymbolDialog::editingSymbols() const { return session_.edit.editMode == edit::kSymbolEditMode; }

void SymbolDialog::stepped(QSpinBox* box, int& last, const std::function<void(int)>& step) {
    const int now = box->value();
    const int delta = now - last;
    last = now;
    for (int i = 0; i < std::abs(delta); ++i) step(delta > 0 ? 1 : -1);
}

void SymbolDialog::apply(bool changed) {
    if (changed) finish(window_, session_, false);
}

edit::MarkerPlace SymbolDialog::markerPlace() const { return {marker_->x(), marker_->y()}; }

void SymbolDialog::resetControls() {
    const QSignalBlocker blockVertical(vertical_);
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockSize(size_);
    vertical_->setValue(0);
    horizontal_->setValue(0);
    size_->setValue(12);
    lastVertical_ = lastHorizontal_ = 0;
    lastSize_ = 12;
    for (int i = 0; i < model::kFontCount; ++i) {
        fonts_->button(i)->setText(QString::fromStdString(session_.score.fonts[static_cast<size_t>(i)]));
    }
}

void SymbolDialog::editTarget(const edit::SymbolTarget& target) {
    target_ = target;
    adding_ = false;
    resetControls();
    if (const model::SymbolFields* fields = edit::symbolFields(session_.score, target)) {
        text_->setText(QString::fromStdString(fields->text));
        // The radio buttons show the target's font and style as they stand.
        if (QAbstractButton* font = fonts_->button(fields->fontIndex)) font->setChecked(true);
        styles_->button((fields->bold ? 1 : 0) + (fields->italic ? 2 : 0))->setChecked(true);
        const QSignalBlocker block(size_);
        size_->setValue(fields->fontSize);
        lastSize_ = fields->fontSize;
    }
    show();
    raise();
}

void SymbolDialog::editOverlay() {
    target_.reset();
    resetControls();
    session_.edit.editMode = edit::kOverlaySettingsMode;
    show();
    raise();
}

void SymbolDialog::hideEvent(QHideEvent* event) {
    marker_->hide();
    QWidget::hideEvent(event);
}

}  // namespace shinofu::app
