#include "app/numeric_settings_window.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"

namespace shinofu::app {
namespace {

constexpr const char* kColours[] = {
    UI_TEXT("ui", "黒"), UI_TEXT("ui", "暗灰色"), UI_TEXT("ui", "灰色"), UI_TEXT("ui", "明灰色"),
    UI_TEXT("ui", "紺"), UI_TEXT("ui", "青"), UI_TEXT("ui", "水色"), UI_TEXT("ui", "黄緑"),
    UI_TEXT("ui", "緑"), UI_TEXT("ui", "暗青緑"), UI_TEXT("ui", "黄色"), UI_TEXT("ui", "紫"),
    UI_TEXT("ui", "茶"), UI_TEXT("ui", "赤紫"), UI_TEXT("ui", "赤"), UI_TEXT("ui", "白"),
};

QStringList colourNames() {
    QStringList names;
    for (const char* colour : kColours) names.push_back(ui::qtext("ui", colour));
    return names;
}

QStringList numbers(int from, int to, int step = 1) {
    QStringList list;
    for (int n = from; n <= to; n += step) list << QString::number(n);
    return list;
}

}  // namespace

NumericSettingsWindow::NumericSettingsWindow(MainWindow& window, Session& session)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window), session_(session) {
    setObjectName("TNScoreFrm");
    setWindowTitle(ui::qtext("ui", "数字譜設定"));
    auto* layout = new QGridLayout(this);
    int row = 0;
    auto add = [&](const QString& label, const char* name, const QStringList& items) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->addItems(items);
        layout->addWidget(new QLabel(label, this), row, 0);
        layout->addWidget(box, row, 1);
        ++row;
        return box;
    };
    QComboBox* font = add(ui::qtext("ui", "フォント名"), "FontNmCbx", QFontDatabase::families());
    QComboBox* size = add(ui::qtext("ui", "フォントサイズ"), "FontSzCbx",
                          {ui::qtext("ui", "大"), ui::qtext("ui", "やや大"), ui::qtext("ui", "中"),
                           ui::qtext("ui", "やや小"), ui::qtext("ui", "小")});
    QComboBox* fontColour = add(ui::qtext("ui", "フォント色"), "FntClCbx", colourNames());
    QComboBox* ruleColour = add(ui::qtext("ui", "罫線色"), "RLClCbx", colourNames());
    QComboBox* tiers = add(ui::qtext("ui", "段数"), "LnCbx", numbers(1, 20));
    QComboBox* rows = add(ui::qtext("ui", "行数"), "RowCbx", numbers(4, 16, 2));
    QComboBox* columns = add(ui::qtext("ui", "列数"), "ColumnCbx", numbers(1, 4));
    auto* close = new QPushButton(ui::qtext("ui", "閉じる"), this);
    layout->addWidget(close, row, 1);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    connect(font, &QComboBox::textActivated, this,
            [this](const QString& name) { take([&](model::NumericSettings& n) { n.fontName = name.toStdString(); }); });
    connect(size, &QComboBox::activated, this, [this](int index) { take([&](model::NumericSettings& n) { n.fontSizeChoice = index; }); });
    connect(fontColour, &QComboBox::activated, this,
            [this](int index) { take([&](model::NumericSettings& n) { n.fontColorChoice = index; }); });
    connect(ruleColour, &QComboBox::activated, this,
            [this](int index) { take([&](model::NumericSettings& n) { n.ruleColorChoice = index; }); });
    for (auto [box, field] : {std::pair{tiers, &model::NumericSettings::tiers}, std::pair{rows, &model::NumericSettings::rows},
                              std::pair{columns, &model::NumericSettings::columns}}) {
        connect(box, &QComboBox::textActivated, this, [this, field = field](const QString& text) {
            bool number = false;
            const int value = text.toInt(&number);
            if (number) take([&](model::NumericSettings& n) { n.*field = value; });
        });
    }
}

QComboBox* NumericSettingsWindow::box(const char* name) const { return findChild<QComboBox*>(name); }

void NumericSettingsWindow::take(const std::function<void(model::NumericSettings&)>& change) {
    model::NumericSettings settings = session_.score.numeric;
    change(settings);
    if (settings == session_.score.numeric) return;
    session_.score.numeric = settings;
    finish(window_, session_, true);
}

void NumericSettingsWindow::refresh() {
    const model::NumericSettings& n = session_.score.numeric;
    // The score may name a Windows face: the box shows the face that stands in for it here.
    const std::string installed = window_.resources().catalog.installedFace(n.fontName);
    const int face = box("FontNmCbx")->findText(QString::fromStdString(installed));
    if (face >= 0) box("FontNmCbx")->setCurrentIndex(face);
    box("FontSzCbx")->setCurrentIndex(n.fontSizeChoice);
    box("FntClCbx")->setCurrentIndex(n.fontColorChoice);
    box("RLClCbx")->setCurrentIndex(n.ruleColorChoice);
    box("LnCbx")->setCurrentText(QString::number(n.tiers));
    box("RowCbx")->setCurrentText(QString::number(n.rows));
    box("ColumnCbx")->setCurrentText(QString::number(n.columns));
}

}  // namespace shinofu::app
