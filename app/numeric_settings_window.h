// The numeric score settings TNScoreFrm ("数字譜設定"): font, size, colours, tiers, rows and columns
// of the numeric page, each taken at once with a redraw, stored with the score.
#pragma once

#include <QWidget>

#include "app/session.h"

class QComboBox;

namespace shinofu::app {

class MainWindow;

class NumericSettingsWindow : public QWidget {
    Q_OBJECT
public:
    NumericSettingsWindow(MainWindow& window, Session& session);

    // The boxes show the score's settings.
    void refresh();
    QComboBox* box(const char* name) const;

private:
    void take(const std::function<void(model::NumericSettings&)>& change);

    MainWindow& window_;
    Session& session_;
};

}  // namespace shinofu::app
