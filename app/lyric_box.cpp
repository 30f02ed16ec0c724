#include "app/lyric_box.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"
#include "edit/edit_mode.h"
#include "edit/lyrics.h"
#include "render/anchored_place.h"
#include "render/page_tables.h"

namespace shinofu::app {

LyricBox::LyricBox(MainWindow& window, Session& session)
    : QFrame(window.scoreView()), window_(window), session_(session) {
    setObjectName("lyricBox");
    setFrameShape(QFrame::Panel);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(new QLabel(ui::qtext("ui", "歌詞"), this));
    field_ = new QLineEdit(this);
    field_->setToolTip(ui::qtext("ui", "Tab・スペース：次の音符へ　Enter：一文字ずつ割り振り　Insert：後ろへずらす　Delete：前へ詰める　Esc：終了"));
    layout->addWidget(field_);
    field_->installEventFilter(this);
    hide();
}

bool LyricBox::start() {
    model::TNote* note = session_.edit.curNote;
    if (!note || note->isEndMarker() || !session_.edit.editMeasureNote) return false;
    session_.edit.editMode = edit::kLyricMode;
    // Centred under the note at the lyric drop.
    const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
    const double u = session_.view.drawUnit();
    int x = 40;
    int y = 40;
    if (const auto point = render::staffPointOf(session_.score, session_.view, tables, session_.score.curPart, note->startPos)) {
        x = point->x;
        y = point->base + static_cast<int>((session_.score.numeric.numDrop + 12) * u);
    }
    adjustSize();
    move(std::max(0, x - width() / 2), y);
    show();
    raise();
    field_->setFocus();
    return true;
}

bool LyricBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_ || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    model::TNote* target = session_.edit.curNote;
    const std::string text = field_->text().toStdString();
    switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Space:
            if (!target) return true;
            session_.edit.curNote = edit::setLyricAndAdvance(session_.score, *target, text);
            field_->clear();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (target) edit::spreadLyric(session_.score, *target, text);
            field_->clear();
            break;
        case Qt::Key_Insert:
            if (target) edit::shiftLyricsLater(session_.score, *target);
            break;
        case Qt::Key_Delete:
            if (target) edit::shiftLyricsEarlier(session_.score, *target);
            break;
        case Qt::Key_Escape:
            escape(window_, session_);
            return true;
        default: return false;
    }
    window_.redraw();
    return true;
}

}  // namespace shinofu::app
