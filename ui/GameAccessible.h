#pragma once
// What screen readers see of the dice table and the score sheet: each die
// with its face and whether it is kept, each cell with its player, its row
// and its score.

#include <QAccessibleWidget>
#include <vector>

namespace quimba {
class TDrawSurface;
}  // namespace quimba

namespace quimba::ui {

class ScoreGrid;
class TForm1;

class SheetAccessible : public QAccessibleWidget {
public:
    SheetAccessible(ScoreGrid* grid, TForm1* form);
    ~SheetAccessible() override;

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

private:
    TForm1* form_;
    mutable std::vector<QAccessible::Id> dice_;
};

// Registers both with the toolkit; safe to call more than once.
void InstallGameAccessibility();

}  // namespace quimba::ui
