#include "app/palette_window.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <vector>

#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/playback_commands.h"
#include "app/qt_ui_text.h"
#include "edit/edit_mode.h"
#include "edit/note_commands.h"
#include "edit/palette_commands.h"
#include "edit/pointer_entry.h"
#include "render/music_codes.h"
#include "render/page_tables.h"

namespace shinofu::app {
namespace {

using Area = PaletteWindow::Area;
using Cell = PaletteWindow::Cell;

constexpr int kLeft = 12;  // the grip strip the window is dragged by
constexpr int kTop = 4;
constexpr QRect kGrip(3, 19, 7, 39);
constexpr int kBarCells = 11;
constexpr int kBarCell = 24;

struct AreaShape {
    Area area;
    QRect rect;
    int columns;
    int rows;
};
constexpr AreaShape kValues{Area::Values, {kLeft, kTop, 240, 64}, 8, 2};
constexpr AreaShape kSymbols{Area::Symbols, {kLeft, kTop, 240, 64}, 8, 4};
constexpr AreaShape kModes{Area::Modes, {kLeft + 244, kTop, 20, 63}, 1, 3};
constexpr AreaShape kAccidentals{Area::Accidentals, {kLeft, kTop + 68, kBarCells * kBarCell, 24}, kBarCells, 1};
constexpr AreaShape kEditBar{Area::EditBar, {kLeft, kTop + 96, kBarCells * kBarCell, 16}, kBarCells, 1};
constexpr AreaShape kLayout{Area::Layout, {kLeft, kTop + 96, kBarCells * kBarCell, 16}, kBarCells, 1};

const AreaShape& shapeOf(Area area) {
    switch (area) {
        case Area::Values: return kValues;
        case Area::Symbols: return kSymbols;
        case Area::Modes: return kModes;
        case Area::Accidentals: return kAccidentals;
        case Area::EditBar: return kEditBar;
        case Area::Layout: break;
    }
    return kLayout;
}

QRect rectOf(const Cell& cell) {
    const AreaShape& shape = shapeOf(cell.area);
    const int width = shape.rect.width() / shape.columns;
    const int height = shape.rect.height() / shape.rows;
    return {shape.rect.left() + cell.index % shape.columns * width, shape.rect.top() + cell.index / shape.columns * height,
            width, height};
}

// What a cell shows: music-font characters, or a short text when no glyph says it better.
struct Face {
    std::vector<int> codes;
    QString text;
};

int note(int glyph) { return render::kLargeGlyphBase + glyph; }

Face faceOf(const Cell& cell) {
    using namespace render;
    static const std::vector<Face> kValueFaces = {
        {{note(kWholeNote)}, {}},         {{note(kHalfUp), kDotCode}, {}},    {{note(kHalfUp)}, {}},
        {{note(kQuarterUp), kDotCode}, {}}, {{note(kQuarterUp)}, {}},        {{note(kEighthUp), kDotCode}, {}},
        {{note(kEighthUp)}, {}},          {{note(kSixteenthUp)}, {}},        {{'='}, {}},
        {{'>'}, {}},                      {{'?'}, {}},                       {{'J'}, {}},
        {{'K'}, {}},                      {{note(kQuarterUp)}, "3"},         {{note(kEighthUp)}, "3"},
        {{note(kSixteenthUp)}, "3"}};
    static const std::vector<Face> kAccidentalFaces = {{{'Q'}, {}}, {{'R'}, {}}, {{'P'}, {}}, {{'S'}, {}},
                                                       {{'T'}, {}}, {{}, {}},    {{}, {}},    {{}, "↕"},
                                                       {{}, "▶"},  {{}, "❚❚"},  {{}, "■"}};
    static constexpr const char* kEditFaces[] = {UI_TEXT("ui", "長"), UI_TEXT("ui", "短"), "↑", "↓", "▷", "◁",
                                                 UI_TEXT("ui", "連"), UI_TEXT("ui", "解"), UI_TEXT("ui", "記"),
                                                 UI_TEXT("ui", "編"), UI_TEXT("ui", "記号")};
    static constexpr const char* kModeFaces[] = {UI_TEXT("ui", "追"), UI_TEXT("ui", "挿"), UI_TEXT("ui", "上")};
    static constexpr const char* kLayoutFaces[] = {UI_TEXT("ui", "小-"), UI_TEXT("ui", "間-"), UI_TEXT("ui", "行-"),
                                                   UI_TEXT("ui", "音-"), "▷", "◁", UI_TEXT("ui", "音+"), UI_TEXT("ui", "行+"),
                                                   UI_TEXT("ui", "間+"), UI_TEXT("ui", "小+"), UI_TEXT("ui", "戻")};
    static const std::vector<Face> kSymbolFaces = {
        {{'H'}, {}}, {{'D'}, {}}, {{'F'}, {}}, {{'E'}, {}}, {{'B'}, {}}, {{'C'}, {}}, {{'A'}, {}}, {{'G'}, {}},
        {{}, "<"}, {{}, "<|"}, {{}, ">"}, {{}, ">|"}, {{'Z'}, {}}, {{']'}, {}}, {{}, "||"}, {{}, {}},
        {{'V'}, {}}, {{'W'}, {}}, {{'^'}, {}}, {{'X'}, {}}, {{'['}, {}}, {{}, "1."}, {{}, "||:"}, {{}, {}},
        {{}, {}}, {{}, {}}, {{'_'}, {}}, {{'Y'}, {}}, {{'\\'}, {}}, {{}, "2."}, {{}, ":||"}, {{}, {}}};
    switch (cell.area) {
        case Area::Values: return kValueFaces[static_cast<size_t>(cell.index)];
        case Area::Modes: return {{}, ui::qtext("ui", kModeFaces[cell.index])};
        case Area::Accidentals: return kAccidentalFaces[static_cast<size_t>(cell.index)];
        case Area::EditBar: return {{}, ui::qtext("ui", kEditFaces[cell.index])};
        case Area::Symbols: return kSymbolFaces[static_cast<size_t>(cell.index)];
        case Area::Layout: return {{}, ui::qtext("ui", kLayoutFaces[cell.index])};
    }
    return {};
}

// The glyphs side by side, scaled to fit the cell and centred in it; returns where they went.
QRectF drawGlyphs(QPainter& painter, const platform::QtGlyphPaths& paths, const std::vector<int>& codes, QRectF cell) {
    constexpr int kCellHeight = 40;
    QPainterPath all;
    double x = 0;
    for (int code : codes) {
        all.addPath(paths.path(static_cast<uint8_t>(code), kCellHeight).translated(x, 0));
        x += paths.glyphs().advance(static_cast<uint8_t>(code), kCellHeight);
    }
    const QRectF bounds = all.boundingRect();
    if (bounds.isEmpty()) return {};
    const QRectF room = cell.adjusted(3, 3, -3, -3);
    const double scale = std::min({room.width() / bounds.width(), room.height() / bounds.height(), 0.8});
    painter.save();
    painter.translate(room.center());
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    painter.fillPath(all, Qt::black);
    painter.restore();
    const QSizeF size = bounds.size() * scale;
    return {room.center() - QPointF(size.width() / 2, size.height() / 2), size};
}

// Two note heads joined by an arc: at one height a tie, at two a slur.
void drawCurveFace(QPainter& painter, QRectF cell, bool tie) {
    const double y = cell.center().y() + 4;
    const QPointF left(cell.left() + 6, y);
    const QPointF right(cell.right() - 6, tie ? y : y - 5);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(left, 3.0, 2.2);
    painter.drawEllipse(right, 3.0, 2.2);
    QPainterPath arc(left + QPointF(1, -4));
    arc.cubicTo(left + QPointF(4, -10), right + QPointF(-4, -10), right + QPointF(-1, -4));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawPath(arc);
}

}  // namespace

PaletteWindow::PaletteWindow(MainWindow& window, Session& session)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window), session_(session) {
    setObjectName("TOni2Form");
    setWindowTitle(ui::qtext("ui", "音符/記号の選択,編集"));
    setFixedSize(kLeft + 268, kTop + 116);
    setMouseTracking(true);
}

std::optional<Cell> PaletteWindow::cellAt(QPoint at) const {
    for (const AreaShape* shape : {symbolPage_ ? &kSymbols : &kValues, &kModes, &kAccidentals, symbolPage_ ? &kLayout : &kEditBar}) {
        if (!shape->rect.contains(at)) continue;
        const int column = (at.x() - shape->rect.left()) * shape->columns / shape->rect.width();
        const int row = (at.y() - shape->rect.top()) * shape->rows / shape->rect.height();
        return Cell{shape->area, column + shape->columns * row};
    }
    return std::nullopt;
}

QPoint PaletteWindow::centreOf(const Cell& cell) { return rectOf(cell).center(); }

QString PaletteWindow::hintOf(const Cell& cell) {
    static constexpr const char* kValues[] = {
        UI_TEXT("ui", "全音符"), UI_TEXT("ui", "付点２分音符"), UI_TEXT("ui", "２分音符"), UI_TEXT("ui", "付点４分音符"),
        UI_TEXT("ui", "４分音符"), UI_TEXT("ui", "付点８分音符"), UI_TEXT("ui", "８分音符"), UI_TEXT("ui", "１６分音符"),
        UI_TEXT("ui", "全休符"), UI_TEXT("ui", "２分休符"), UI_TEXT("ui", "４分休符"), UI_TEXT("ui", "８分休符"),
        UI_TEXT("ui", "１６分休符"), UI_TEXT("ui", "３連４分音符"), UI_TEXT("ui", "３連８分音符"), UI_TEXT("ui", "３連１６分音符"),
    };
    static constexpr const char* kAccidentals[] = {
        UI_TEXT("ui", "シャープ（右クリックで臨時記号削除）"), UI_TEXT("ui", "フラット"), UI_TEXT("ui", "ナチュラル"),
        UI_TEXT("ui", "ダブルシャープ"), UI_TEXT("ui", "ダブルフラット"), UI_TEXT("ui", "タイ（右クリックで解除）"),
        UI_TEXT("ui", "スラー（右クリックで解除）"), UI_TEXT("ui", "棒の上下変更"), UI_TEXT("ui", "演奏"),
        UI_TEXT("ui", "一時停止"), UI_TEXT("ui", "停止"),
    };
    static constexpr const char* kEdit[] = {
        UI_TEXT("ui", "音長を長く"), UI_TEXT("ui", "音長を短く"), UI_TEXT("ui", "音高を上に"), UI_TEXT("ui", "音高を下に"),
        UI_TEXT("ui", "表示開始位置を１小節後ろに"), UI_TEXT("ui", "表示開始位置を１小節前に"),
        UI_TEXT("ui", "連桁設定（右クリックで選択音符の連桁）"), UI_TEXT("ui", "１小節連桁解除"), UI_TEXT("ui", "記号編集"),
        UI_TEXT("ui", "編集モードに"), UI_TEXT("ui", "記号とレイアウトの選択に"),
    };
    static constexpr const char* kSymbols[] = {
        UI_TEXT("ui", "ｐｐｐ"), UI_TEXT("ui", "ｐｐ"), UI_TEXT("ui", "ｐ"), UI_TEXT("ui", "ｍｐ"),
        UI_TEXT("ui", "ｍｆ"), UI_TEXT("ui", "ｆ"), UI_TEXT("ui", "ｆｆ"), UI_TEXT("ui", "ｆｆｆ"),
        UI_TEXT("ui", "クレッシェンド開始"), UI_TEXT("ui", "クレッシェンド終了"), UI_TEXT("ui", "デクレッシェンド開始"),
        UI_TEXT("ui", "デクレッシェンド終了"), UI_TEXT("ui", "セーニョ"), "Fine", UI_TEXT("ui", "終止線"), "",
        UI_TEXT("ui", "フェルマータ"), UI_TEXT("ui", "ブレス"), "rit", "D.C.", "Coda", UI_TEXT("ui", "括弧1"),
        UI_TEXT("ui", "リピート( ||: )"), "", "", "", "a tempo", "D.S.", "to Coda", UI_TEXT("ui", "括弧2"),
        UI_TEXT("ui", "リピート( :|| )"), "",
    };
    static constexpr const char* kLayout[] = {
        UI_TEXT("ui", "小節数を減らす"), UI_TEXT("ui", "行間隔を狭く"), UI_TEXT("ui", "行数を減らす"),
        UI_TEXT("ui", "音符等を小さく"), UI_TEXT("ui", "表示開始位置を１小節後ろに（右クリックで先頭に）"),
        UI_TEXT("ui", "表示開始位置を１小節前に（右クリックで先頭に）"), UI_TEXT("ui", "音符等を大きく"), UI_TEXT("ui", "行数を増やす"),
        UI_TEXT("ui", "行間隔を広く"), UI_TEXT("ui", "小節数を増やす"), UI_TEXT("ui", "音符の選択に戻る"),
    };
    switch (cell.area) {
        case Area::Values: return ui::qtext("ui", kValues[cell.index]);
        case Area::Modes: return ui::qtext("ui", "音符編集モード：追→追加、挿→挿入、上→上書、右クリックで解除。");
        case Area::Accidentals: return ui::qtext("ui", kAccidentals[cell.index]);
        case Area::EditBar: return ui::qtext("ui", kEdit[cell.index]);
        case Area::Symbols: return ui::qtext("ui", kSymbols[cell.index]);
        case Area::Layout: return ui::qtext("ui", kLayout[cell.index]);
    }
    return {};
}

void PaletteWindow::drawCell(QPainter& painter, const Cell& cell, bool pressed) {
    const QRect rect = rectOf(cell);
    painter.fillRect(rect, pressed ? QColor(0xB8, 0xC8, 0xE0) : QColor(0xF4, 0xF4, 0xF0));
    painter.setPen(pressed ? QColor(0x40, 0x50, 0x80) : QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const Face face = faceOf(cell);
    QRectF room = rect;
    if (cell.area == Area::Accidentals && (cell.index == 5 || cell.index == 6)) drawCurveFace(painter, rect, cell.index == 5);
    if (!face.codes.empty()) {
        if (!face.text.isEmpty()) room.setRight(room.right() - 8);  // the triplet's "3" beside the note
        const QRectF drawn = drawGlyphs(painter, window_.resources().paths, face.codes, room);
        // The whole rest hangs from a staff line, the half rest sits on one.
        if (cell.area == Area::Values && (cell.index == 8 || cell.index == 9)) {
            const double y = cell.index == 8 ? drawn.top() : drawn.bottom();
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(QPointF(rect.left() + 6, y), QPointF(rect.right() - 6, y));
        }
    }
    if (!face.text.isEmpty()) {
        QFont font("IPAGothic");
        font.setPixelSize(cell.area == Area::EditBar || cell.area == Area::Layout || cell.area == Area::Symbols ? 11 : 14);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF textRoom = face.codes.empty() ? QRectF(rect) : QRectF(rect).adjusted(rect.width() - 12, 0, 0, -rect.height() / 2);
        painter.drawText(textRoom, Qt::AlignCenter, face.text);
    }
}

void PaletteWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xD8, 0xD8, 0xD4));
    painter.fillRect(kGrip, QColor(0xA8, 0xA8, 0xA4));
    const edit::EditState& state = session_.edit;
    for (const AreaShape* shape : {symbolPage_ ? &kSymbols : &kValues, &kModes, &kAccidentals, symbolPage_ ? &kLayout : &kEditBar}) {
        for (int index = 0; index < shape->columns * shape->rows; ++index) {
            const Cell cell{shape->area, index};
            bool pressed = held_ && held_->area == cell.area && held_->index == index;
            if (cell.area == Area::Values) pressed = pressed || state.valueCell == index;
            if (cell.area == Area::Modes) pressed = pressed || state.modeButton == index;
            if (cell.area == Area::Accidentals && index < 5) pressed = pressed || state.paletteAccidental == index;
            drawCell(painter, cell, pressed);
        }
    }
}

void PaletteWindow::chooseMode(int button, bool rightClick) {
    if (!rightClick && button == session_.edit.modeButton) return;
    escape(window_, session_);
    if (rightClick) return;
    session_.edit.modeButton = button;
    const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
    if (button == 0) {
        edit::startAddMode(session_.score, session_.view, session_.edit, tables);
        edit::showAddCursor(session_.score, session_.view, tables);
    } else {
        session_.edit.editMode = button == 1 ? edit::kPointerInsertMode : edit::kOverwriteMode;
    }
    finish(window_, session_, false);
}

void PaletteWindow::act(const Cell& cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    Session& s = session_;
    const bool right = button == Qt::RightButton;
    bool changed = false;
    switch (cell.area) {
        case Area::Values:
            if (right) return;
            changed = edit::chooseValueCell(s.score, s.view, s.edit, cell.index);
            if (s.edit.editMode == edit::kNewMode) edit::showAddCursor(s.score, s.view, render::buildPageTables(s.score, s.view));
            break;
        case Area::Modes: chooseMode(cell.index, right); return;
        case Area::Accidentals:
            if (cell.index >= 8) {
                if (right) {
                    s.edit.paletteAccidental = 5;
                } else if (cell.index == 8) {
                    window_.playback().playOrResume();
                } else if (cell.index == 9) {
                    window_.playback().pause();
                } else {
                    window_.playback().stop();
                }
                update();
                return;
            }
            changed = edit::accidentalBarCell(s.score, s.edit, cell.index, right);
            break;
        case Area::EditBar:
            if (cell.index == 10 && !right) {
                symbolPage_ = true;
                update();
                return;
            }
            if (cell.index == 9 && !right) {
                s.edit.editMode = edit::kEditMode;
                escape(window_, session_);
                update();
                return;
            }
            changed = edit::editBarCell(s.score, s.view, s.edit,
                                        {cell.index, (modifiers & Qt::ShiftModifier) != 0,
                                         (modifiers & Qt::ControlModifier) != 0, right});
            if (s.edit.editMode == edit::kNewMode) edit::showAddCursor(s.score, s.view, render::buildPageTables(s.score, s.view));
            break;
        case Area::Symbols:
            if (right) return;
            changed = edit::symbolGridCell(s.score, s.view, s.edit, cell.index / 8, cell.index % 8);
            break;
        case Area::Layout:
            if (cell.index == 10 && !right) {
                symbolPage_ = false;
                update();
                return;
            }
            // A layout change ends add mode first, as the mode buttons' right click does.
            if (!right && cell.index != 4 && cell.index != 5 && s.edit.editMode == edit::kNewMode) chooseMode(0, true);
            edit::layoutBarCell(s.score, s.view, cell.index, right);
            break;
    }
    finish(window_, session_, changed);
    update();
}

void PaletteWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const std::optional<Cell> cell = cellAt(at);
    if (!cell) {
        if (event->button() == Qt::LeftButton) drag_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    held_ = cell;
    update();
    // The symbol grid acts on release; every other cell at once.
    if (cell->area != Area::Symbols) act(*cell, event->button(), event->modifiers());
}

void PaletteWindow::mouseReleaseEvent(QMouseEvent* event) {
    drag_.reset();
    if (held_ && held_->area == Area::Symbols) {
        const std::optional<Cell> cell = cellAt(event->position().toPoint());
        if (cell && cell->area == Area::Symbols && cell->index == held_->index) act(*cell, event->button(), event->modifiers());
    }
    held_.reset();
    update();
}

void PaletteWindow::mouseMoveEvent(QMouseEvent* event) {
    if (drag_) {
        move(event->globalPosition().toPoint() - *drag_);
        return;
    }
    setCursor(kGrip.contains(event->position().toPoint()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

bool PaletteWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<Cell> cell = cellAt(help->pos());
        if (cell && !hintOf(*cell).isEmpty()) {
            QToolTip::showText(help->globalPos(), hintOf(*cell), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace shinofu::app
