#pragma once
// What screen readers see of the dice table and the score sheet: each die
// with its face and whether it is kept, each cell with its player, its row
// and its score.

#include <QAccessibleWidget>
#include <array>
#include <string>
#include <vector>

#include "GameState.h"
#include "ScoreSheet.h"

namespace quimba {
class TDrawSurface;
}  // namespace quimba

namespace quimba::ui {

class ScoreGrid;
class TForm1;
class TForm2;
class UpDown;

// The sheet as a table: a row of the sheet is a table row, a player's column
// a table column.
class SheetAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    SheetAccessible(ScoreGrid* grid, TForm1* form);
    ~SheetAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessibleInterface* Cell(int column, int row) const { return child(column * kRows + row); }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    ScoreGrid* grid() const;
    TForm1* form() const { return form_; }
    // Name of a cell: its player, its row and its score.
    QString CellName(int column, int row) const;

private:
    TForm1* form_;
    mutable std::vector<QAccessible::Id> cells_;
};

class DiceAccessible : public QAccessibleWidget {
public:
    DiceAccessible(TDrawSurface* table, TForm1* form);
    ~DiceAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    TForm1* form() const { return form_; }
    TDrawSurface* table() const;
    // After a throw, once the dice lie still: their faces.
    QString text(QAccessible::Text t) const override;

private:
    TForm1* form_;
    mutable std::vector<QAccessible::Id> dice_;
};

// The setup dialog's arrows as one spin box whose value is the player count.
class PlayerCountAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    PlayerCountAccessible(UpDown* arrows, TForm2* form);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    TForm2* form_;
};

// What changed in the game since the screen readers were last told, told as
// events that reach the AT-SPI bus: the result line (a throw, the end of the
// game) and the status line at a turn's start as name changes, a die kept or
// freed as a checked-state change, the keyboard's cursor as the focus of its
// cell, a written cell as its name change.
class ReaderNews {
public:
    // `turnStarted`: the game reported a turn start since the last call.
    void Tell(TForm1& form, bool turnStarted);

private:
    bool started_ = false;
    std::string result_;
    int throw_ = -1;  // the throw last told, by round, player and count
    std::array<std::uint8_t, kDice + 1> kept_{};
    int cursorColumn_ = -1, cursorRow_ = -1;
    std::array<std::array<std::string, kRows>, kColumns> cells_{};
};

// Registers the interfaces with the toolkit; safe to call more than once.
void InstallGameAccessibility();

}  // namespace quimba::ui
