#include "app/transcription_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

#include "app/qt_ui_text.h"
#include "numeric/fingering.h"
#include "numeric/flute_choice.h"

namespace shinofu::app {
namespace {

const char* const kMeters[] = {"4/4", "3/4", "2/4", "6/8", "3/8"};  // the meters a score holds

}  // namespace

std::optional<RecordingChoices> askRecordingChoices(QWidget* parent, const RecordingChoices& last) {
    QDialog dialog(parent);
    dialog.setObjectName("transcriptionDialog");
    dialog.setWindowTitle(ui::qtext("ui", "採譜の設定"));
    auto* form = new QFormLayout(&dialog);

    auto* tempoRow = new QHBoxLayout;
    auto* tempoFound = new QCheckBox(ui::qtext("ui", "演奏から推定"), &dialog);
    tempoFound->setObjectName("tempoFound");
    auto* tempo = new QSpinBox(&dialog);
    tempo->setObjectName("tempo");
    tempo->setRange(30, 300);
    tempo->setValue(last.transcription.tempo > 0 ? static_cast<int>(last.transcription.tempo) : 100);
    tempoFound->setChecked(last.transcription.tempo <= 0);
    tempo->setEnabled(!tempoFound->isChecked());
    QObject::connect(tempoFound, &QCheckBox::toggled, tempo, [tempo](bool found) { tempo->setEnabled(!found); });
    tempoRow->addWidget(tempoFound);
    tempoRow->addWidget(tempo);
    form->addRow(ui::qtext("ui", "テンポ（♩＝）"), tempoRow);

    auto* meter = new QComboBox(&dialog);
    meter->setObjectName("meter");
    for (const char* text : kMeters) meter->addItem(text);
    meter->setCurrentText(QString("%1/%2").arg(last.transcription.meterTop).arg(last.transcription.meterBottom));
    form->addRow(ui::qtext("ui", "拍子"), meter);

    auto* pickup = new QSpinBox(&dialog);
    pickup->setObjectName("pickup");
    pickup->setRange(0, 5);
    pickup->setValue(last.transcription.pickup);
    pickup->setSpecialValueText(ui::qtext("ui", "なし（最初の音から小節）"));
    pickup->setSuffix(ui::qtext("ui", " 拍"));
    // No more beats than the meter's measure holds, less one.
    const auto fitPickup = [pickup, meter] { pickup->setMaximum(meter->currentText().section('/', 0, 0).toInt() - 1); };
    QObject::connect(meter, &QComboBox::currentTextChanged, pickup, fitPickup);
    fitPickup();
    form->addRow(ui::qtext("ui", "弱起"), pickup);

    auto* flute = new QComboBox(&dialog);
    flute->setObjectName("flute");
    flute->addItem(ui::qtext("ui", "調から選ぶ"));
    for (int key = 1; key <= numeric::kFluteCount; ++key) flute->addItem(ui::qtext("menu", numeric::fluteName(key)));
    flute->setCurrentIndex(last.flute.value_or(0));
    form->addRow(ui::qtext("ui", "笛"), flute);

    auto* reference = new QSpinBox(&dialog);
    reference->setObjectName("reference");
    reference->setRange(415, 466);
    reference->setSuffix(" Hz");
    reference->setValue(static_cast<int>(last.transcription.reference));
    form->addRow(ui::qtext("ui", "基準ピッチ（A）"), reference);

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(ui::qtext("ui", "採譜"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(ui::qtext("ui", "キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    RecordingChoices choices = last;
    choices.transcription.tempo = tempoFound->isChecked() ? 0 : tempo->value();
    const QStringList meterParts = meter->currentText().split('/');
    choices.transcription.meterTop = meterParts[0].toInt();
    choices.transcription.meterBottom = meterParts[1].toInt();
    choices.transcription.pickup = pickup->value();
    choices.flute = flute->currentIndex() > 0 ? std::optional<int>(flute->currentIndex()) : std::nullopt;
    choices.transcription.reference = reference->value();
    return choices;
}

}  // namespace shinofu::app
