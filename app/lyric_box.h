// The lyric box of lyric entry: a one-line field under the picked note whose keys set, spread and
// move the part's lyrics.
#pragma once

#include <QFrame>

#include "app/session.h"

class QLineEdit;

namespace shinofu::app {

class MainWindow;

class LyricBox : public QFrame {
    Q_OBJECT
public:
    LyricBox(MainWindow& window, Session& session);

    // Lyric entry on the current note: the box under it, at the lyric drop.
    bool start();
    QLineEdit* field() const { return field_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
    Session& session_;
    QLineEdit* field_;
};

}  // namespace shinofu::app
