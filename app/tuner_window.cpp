#include "app/tuner_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/qt_ui_text.h"
#include "numeric/fingering.h"
#include "numeric/flute_choice.h"

namespace shinofu::app {
namespace {

constexpr double kInTune = 5;      // cents either side that the needle shows as in tune
constexpr double kScaleCents = 50;
const QColor kInTuneColour(0x2E, 0x9E, 0x4F);
const QColor kOffColour(0xE0, 0x7A, 0x1F);
const QColor kQuietColour(0xA0, 0xA0, 0xA0);

QFont sized(const char* family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

TunerFace::TunerFace(QWidget* parent) : QWidget(parent) {
    setObjectName("tunerFace");
    setMinimumSize(sizeHint());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void TunerFace::showReading(const audio::TunerReading& reading, int flute) {
    if (reading.heard == reading_.heard && reading.key == reading_.key && std::abs(reading.cents - reading_.cents) < 0.05 &&
        flute == flute_) {
        return;
    }
    reading_ = reading;
    flute_ = flute;
    update();
}

QString TunerFace::numeralText() const {
    if (!reading_.heard) return {};
    const numeric::Numeral numeral = numeric::numeralOfKey(reading_.key, flute_);
    QString text = QString::fromStdString(numeric::drawnSymbol(numeral.symbol));
    if (numeric::hasMeriMark(numeral.symbol)) text += "x";
    if (numeric::hasOctaveDot(numeral.index)) text += "・";
    return text;
}

QString TunerFace::registerText() const {
    if (!reading_.heard) return {};
    return ui::qtext("ui", numeric::registerName(numeric::registerOf(numeric::numeralOfKey(reading_.key, flute_))));
}

void TunerFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const bool heard = reading_.heard;
    const bool inTune = heard && std::abs(reading_.cents) <= kInTune;
    const QColor ink = heard ? QColor(Qt::black) : kQuietColour;

    // The fingering on the left, as the numeric page writes it: the symbol, its meri mark, its octave dot.
    const QRect numeralBox(0, 10, 150, 150);
    const numeric::Numeral numeral = numeric::numeralOfKey(reading_.key, flute_);
    painter.setPen(ink);
    painter.setFont(sized("IPAMincho", 96));
    const QString symbol = heard ? QString::fromStdString(numeric::drawnSymbol(numeral.symbol)) : "―";
    painter.drawText(numeralBox, Qt::AlignCenter, symbol);
    const QRect drawn = painter.boundingRect(numeralBox, Qt::AlignCenter, symbol);
    if (heard && numeric::hasMeriMark(numeral.symbol)) {
        painter.setFont(sized("IPAMincho", 36));
        painter.drawText(drawn.right() - 4, drawn.top() + 40, "x");
    }
    if (heard && numeric::hasOctaveDot(numeral.index)) {
        painter.setBrush(ink);
        painter.drawEllipse(QPoint(drawn.center().x(), drawn.top() + 8), 6, 6);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setFont(sized("IPAGothic", 18));
    painter.drawText(QRect(0, 160, 150, 24), Qt::AlignCenter,
                     heard ? QString("%1  %2").arg(ui::qtext("menu", numeric::fluteName(flute_)), registerText())
                           : ui::qtext("menu", numeric::fluteName(flute_)));

    // The note, its frequency and deviation on the right.
    const QRect noteBox(160, 10, w - 170, 80);
    painter.setFont(sized("IPAGothic", 56, true));
    painter.drawText(noteBox, Qt::AlignLeft | Qt::AlignVCenter, heard ? QString::fromStdString(audio::keyName(reading_.key)) : "―");
    painter.setFont(sized("IPAGothic", 20));
    if (heard) {
        painter.drawText(QRect(160, 95, w - 170, 28), Qt::AlignLeft, QString("%1 Hz").arg(reading_.hertz, 0, 'f', 1));
        painter.setPen(inTune ? kInTuneColour : kOffColour);
        painter.drawText(QRect(160, 125, w - 170, 28), Qt::AlignLeft,
                         QString(ui::qtext("ui", "%1%2 セント")).arg(reading_.cents >= 0 ? "+" : "−").arg(std::abs(reading_.cents), 0, 'f', 0));
    } else {
        painter.drawText(QRect(160, 95, w - 170, 28), Qt::AlignLeft, ui::qtext("ui", "音を待っています"));
    }

    // The scale: ±50 cents, the in-tune band, and the needle.
    const int left = 20, right = w - 20, top = 192, bottom = 222;
    const auto xOf = [&](double cents) { return left + (right - left) * (cents + kScaleCents) / (2 * kScaleCents); };
    painter.fillRect(QRectF(xOf(-kInTune), top, xOf(kInTune) - xOf(-kInTune), bottom - top), QColor(0xDD, 0xF3, 0xE2));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(left, bottom, right, bottom);
    painter.setFont(sized("IPAGothic", 11));
    for (int cents = -50; cents <= 50; cents += 10) {
        const double x = xOf(cents);
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom - (cents == 0 ? 22 : cents % 50 == 0 ? 14 : 8)));
        if (cents % 50 == 0) painter.drawText(QRectF(x - 20, top - 18, 40, 14), Qt::AlignCenter, QString::number(cents));
    }
    if (heard) {
        const double x = xOf(std::clamp(reading_.cents, -kScaleCents, kScaleCents));
        painter.setPen(QPen(inTune ? kInTuneColour : kOffColour, 4));
        painter.drawLine(QPointF(x, top - 2), QPointF(x, bottom));
    }
}

TunerWindow::TunerWindow(MainWindow& window, Session& session, PracticeChoices& choices)
    : QWidget(&window, Qt::Tool), window_(window), session_(session), choices_(choices), tuner_(choices.referencePitch) {
    setObjectName("tunerWindow");
    setWindowTitle(ui::qtext("ui", "チューナー"));
    auto* layout = new QVBoxLayout(this);
    face_ = new TunerFace(this);
    layout->addWidget(face_, 1);
    auto* settings = new QHBoxLayout;
    settings->addWidget(new QLabel(ui::qtext("ui", "基準ピッチ A ="), this));
    reference_ = new QSpinBox(this);
    reference_->setObjectName("referencePitch");
    reference_->setRange(static_cast<int>(audio::kLowestReference), static_cast<int>(audio::kHighestReference));
    reference_->setSuffix(" Hz");
    reference_->setValue(choices_.referencePitch);
    settings->addWidget(reference_);
    settings->addStretch(1);
    source_ = new QLabel(this);
    source_->setObjectName("inputSource");
    settings->addWidget(source_);
    layout->addLayout(settings);
    connect(reference_, &QSpinBox::valueChanged, this, [this](int hertz) {
        tuner_.setReference(hertz);
        choices_.referencePitch = hertz;
        writePracticeChoices(choices_);
    });
}

void TunerWindow::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    // First shown at the main window's top right, clear of its menus and the start of the score.
    if (!placed_) {
        adjustSize();
        const QRect main = window_.frameGeometry();
        move(std::max(main.left(), main.right() - width() - 40), main.top() + 80);
        placed_ = true;
    }
    show();
    raise();
}

void TunerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    listen();
}

void TunerWindow::hideEvent(QHideEvent* event) {
    input_.stop();
    QWidget::hideEvent(event);
}

void TunerWindow::listen() {
    // Each listening starts afresh: nothing heard before it stays on the face.
    tuner_.setReference(choices_.referencePitch);
    face_->showReading(tuner_.reading(), session_.score.song.fluteKey);
    if (!input_.start(choices_.inputDevice, [this](std::span<const float> samples) { hear(samples); })) {
        source_->setText(ui::qtext("ui", "入力なし"));
        window_.setStatusText("message", input_.error());
        return;
    }
    source_->setText(ui::qtext("ui", "入力: ") + input_.source());
    tracker_ = std::make_unique<audio::PitchTracker>(input_.rate());
    if (!tracker_->ready()) window_.setStatusText("message", QString::fromStdString(tracker_->error()));
}

void TunerWindow::hear(std::span<const float> samples) {
    if (!tracker_) return;
    for (const audio::PitchFrame& frame : tracker_->feed(samples)) tuner_.take(frame);
    face_->showReading(tuner_.reading(), session_.score.song.fluteKey);
}

void bindTunerCommands(MainWindow& window, TunerWindow& tuner) {
    window.bind(commandPath({"オプション(&O)", "チューナー"}), [&tuner] { tuner.toggle(); });
}

}  // namespace shinofu::app
