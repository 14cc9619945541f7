#pragma once
// The score sheet on screen: one column per player, one row per category,
// cells and lines sized as the sheet's header says. It draws what the game's sheet holds and reports the mouse
// and the selection; the rules decide what a selection does.

#include <QColor>
#include <QWidget>
#include <functional>

#include "ScoreSheet.h"

namespace quimba::ui {

class ScoreGrid : public QWidget {
    Q_OBJECT
public:
    ScoreGrid(const ScoreSheet& sheet, const int& joueur, QWidget* parent = nullptr);

    // Cell under a point, its right and bottom grid lines included; false
    // outside the sheet.
    static bool CellAt(const QPoint& p, int& column, int& row);
    static QRect CellRect(int column, int row);
    // Grey of a sheet column, or the current column's yellow.
    static QColor CellColour(int column, int joueur);
    // Left edge of a cell's text, centred on the cell's width.
    static int TextX(int cellLeft, int textWidth);

    int SelectedColumn() const { return selCol_; }
    int SelectedRow() const { return selRow_; }
    // Moves the selection without raising the selection event, for a pick
    // the keyboard already made.
    void SetSelection(int column, int row);

    // The keyboard's cursor over the current column; row -1 hides it.
    void SetKeyCursor(int column, int row);
    int KeyCursorColumn() const { return keyCol_; }
    int KeyCursorRow() const { return keyRow_; }

    // The cell the advice outlines; a column of -1 outlines none.
    void SetAdvisedCell(int column, int row);
    int AdvisedColumn() const { return advCol_; }
    int AdvisedRow() const { return advRow_; }

    std::function<void(int column, int row)> onSelectCell;
    // The tooltip of a cell; empty for none.
    std::function<QString(int column, int row)> toolTipFor;
    // The game that fills the sheet, for the screen readers' view of it.
    const ScoreSheet& Sheet() const { return sheet_; }

    std::function<void(int x, int y)> onMouseMove;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool event(QEvent*) override;

private:
    void select(int column, int row);

    const ScoreSheet& sheet_;
    const int& joueur_;
    int selCol_ = 0;
    int selRow_ = 0;
    int keyCol_ = 0;
    int keyRow_ = -1;
    int advCol_ = -1;
    int advRow_ = 0;
};

}  // namespace quimba::ui
