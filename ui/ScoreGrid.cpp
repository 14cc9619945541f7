// The score sheet on screen: drawing its cells and lines, and reporting the mouse and the keyboard cursor.
#include "ScoreGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "Fonts.h"

namespace quimba::ui {

ScoreGrid::ScoreGrid(const ScoreSheet& sheet, const int& joueur, QWidget* parent)
    : QWidget(parent),
      sheet_(sheet),
      joueur_(joueur) {
    setFixedSize(kColumns * kColumnPitch, kRows * kRowPitch);
    setFont(LayoutFont("Impact", 11));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

QRect ScoreGrid::CellRect(int column, int row) {
    return QRect(column * kColumnPitch, row * kRowPitch, kCellWidth, kCellHeight);
}

bool ScoreGrid::CellAt(const QPoint& p, int& column, int& row) {
    if (p.x() < 0 || p.y() < 0) return false;
    // The lines right of and below a cell belong to it, as the hand cursor
    // promises over the whole pitch of the current column.
    column = p.x() / kColumnPitch;
    row = p.y() / kRowPitch;
    return column < kColumns && row < kRows;
}

QColor ScoreGrid::CellColour(int column, int joueur) {
    if (column == joueur) return QColor(200, 200, 0);
    const int grey = 47 + 32 * column;
    return QColor(grey, grey, grey);
}

int ScoreGrid::TextX(int cellLeft, int textWidth) { return cellLeft + (kCellWidth - textWidth) / 2; }

void ScoreGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0));  // the grid lines
    const QFontMetrics fm(font());
    p.setPen(QColor(255, 255, 0));
    for (int c = 0; c < kColumns; ++c) {
        const QColor fill = CellColour(c, joueur_);
        for (int r = 0; r < kRows; ++r) {
            const QRect cell = CellRect(c, r);
            p.fillRect(cell, fill);
            const QString text = QString::fromStdString(sheet_.Cell(c, r));
            if (text.isEmpty()) continue;
            p.save();
            p.setClipRect(cell);
            const int x = TextX(cell.left(), fm.horizontalAdvance(text));
            p.drawText(x, cell.top() + 3 + fm.ascent(), text);
            p.restore();
        }
    }
    if (advCol_ >= 0) {
        // Solid and bright, so it reads apart from the dotted focus frame.
        // Over the grid lines around the cell, so the cell's text stays clear.
        p.setPen(QPen(QColor(0, 230, 90), 3));
        p.drawRect(QRectF(CellRect(advCol_, advRow_)).adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    if (hasFocus() && keyRow_ < 0) {
        p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DotLine));
        p.drawRect(CellRect(selCol_, selRow_).adjusted(0, 0, -1, -1));
    }
    if (keyRow_ >= 0) {
        // Red over the yellow column, framed in black, so it shows on any cell.
        const QRectF cell = CellRect(keyCol_, keyRow_);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0, 0, 0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(-1, -1, 0, 0));
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.drawRect(cell.adjusted(1, 1, -1, -1));
    }
}

void ScoreGrid::mouseMoveEvent(QMouseEvent* e) {
    if (onMouseMove) onMouseMove(e->position().toPoint().x(), e->position().toPoint().y());
}

void ScoreGrid::mousePressEvent(QMouseEvent* e) {
    int c = 0, r = 0;
    if (e->button() == Qt::LeftButton && CellAt(e->position().toPoint(), c, r)) select(c, r);
}

// The keys of the sheet are the main window's: a move of the cursor must not
// write a row, only Enter does.
void ScoreGrid::keyPressEvent(QKeyEvent* e) { e->ignore(); }

void ScoreGrid::SetSelection(int column, int row) {
    selCol_ = column;
    selRow_ = row;
    update();
}

void ScoreGrid::SetKeyCursor(int column, int row) {
    if (column == keyCol_ && row == keyRow_) return;
    keyCol_ = column;
    keyRow_ = row;
    update();
}

void ScoreGrid::SetAdvisedCell(int column, int row) {
    if (column == advCol_ && row == advRow_) return;
    advCol_ = column;
    advRow_ = row;
    update();
}

bool ScoreGrid::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    auto* help = static_cast<QHelpEvent*>(e);
    int c = 0, r = 0;
    const QString text = (toolTipFor && CellAt(help->pos(), c, r)) ? toolTipFor(c, r) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        e->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this, CellRect(c, r));
    }
    return true;
}

void ScoreGrid::select(int column, int row) {
    // The selection always moves; the rules decide whether it scores.
    selCol_ = column;
    selRow_ = row;
    update();
    if (onSelectCell) onSelectCell(column, row);
}

}  // namespace quimba::ui
