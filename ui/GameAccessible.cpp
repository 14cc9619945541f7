#include "GameAccessible.h"

#include <QPointer>

#include "DrawSurface.h"
#include "ScoreGrid.h"
#include "TForm1.h"

namespace quimba::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The part of the game a child interface speaks for; it outlives nothing
// but its window, hence the guarded pointer.
class ChildBase : public QAccessibleInterface {
public:
    ChildBase(QWidget* owner, int index) : owner_(owner), index_(index) {}
    bool isValid() const override { return !owner_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    int Index() const { return index_; }

protected:
    QPointer<QWidget> owner_;
    int index_;
};

class CellAccessible : public ChildBase {
public:
    CellAccessible(ScoreGrid* grid, int index) : ChildBase(grid, index) {}
    ScoreGrid* grid() const { return static_cast<ScoreGrid*>(owner_.data()); }
    int Column() const { return index_ / kRows; }
    int Row() const { return index_ % kRows; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Value) return Q(grid()->Sheet().Cell(Column(), Row()));
        if (t != QAccessible::Name) return {};
        auto* sheet = static_cast<SheetAccessible*>(parent());
        return sheet ? sheet->CellName(Column(), Row()) : QString();
    }
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect cell = ScoreGrid::CellRect(Column(), Row());
        return QRect(grid()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.readOnly = true;
        s.focusable = true;
        s.focused = grid()->KeyCursorRow() == Row() && grid()->KeyCursorColumn() == Column();
        s.selectable = true;
        s.selected = grid()->SelectedColumn() == Column() && grid()->SelectedRow() == Row();
        return s;
    }
};

class DieAccessible : public ChildBase, public QAccessibleActionInterface {
public:
    DieAccessible(TDrawSurface* table, TForm1* form, int die) : ChildBase(table, die - 1), form_(form) {}
    int Die() const { return index_ + 1; }
    const GameState& S() const { return form_->game().S; }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (!isValid() || t != QAccessible::Name) return {};
        QString name = QString("Dé %1").arg(Die());
        const int face = S().valeurde[Die()];
        if (face >= 1 && face <= kFaces) name += QString(" : %1").arg(face);
        if (S().garde[Die()] == 1) name += ", gardé";
        return name;
    }
    QRect rect() const override {
        if (!isValid()) return {};
        // The box a click must hit to pick the die.
        const QPoint corner(S().posx[Die()] + 11, S().posy[Die()] + 11);
        return QRect(owner_->mapToGlobal(corner), QSize(49, 39));
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.checkable = true;
        s.checked = S().garde[Die()] == 1;
        s.disabled = !form_->game().DicePickable();
        return s;
    }
    QStringList actionNames() const override {
        if (!isValid() || !form_->game().DicePickable()) return {};
        return {toggleAction()};
    }
    void doAction(const QString& name) override {
        if (isValid() && name == toggleAction()) form_->ToggleDie(Die());
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == toggleAction()) return {QString::number(form_->game().DieKey(Die()))};
        return {};
    }

private:
    TForm1* form_;
};

// Finds or makes the registered interface of child `index`.
template <typename Make>
QAccessibleInterface* Child(std::vector<QAccessible::Id>& ids, int index, Make make) {
    if (ids.empty()) return nullptr;
    if (ids[index] == 0) ids[index] = QAccessible::registerAccessibleInterface(make());
    return QAccessible::accessibleInterface(ids[index]);
}

void Release(std::vector<QAccessible::Id>& ids) {
    for (QAccessible::Id id : ids)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
    ids.clear();
}

TForm1* FormOf(QWidget* w) { return w ? qobject_cast<TForm1*>(w->window()) : nullptr; }

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<ScoreGrid*>(object)) {
        if (TForm1* form = FormOf(grid)) return new SheetAccessible(grid, form);
    }
    if (auto* table = qobject_cast<TDrawSurface*>(object)) {
        if (TForm1* form = FormOf(table)) return new DiceAccessible(table, form);
    }
    return nullptr;
}

}  // namespace

SheetAccessible::SheetAccessible(ScoreGrid* grid, TForm1* form)
    : QAccessibleWidget(grid, QAccessible::Table),
      form_(form),
      cells_(kColumns * kRows, 0) {}

SheetAccessible::~SheetAccessible() { Release(cells_); }

ScoreGrid* SheetAccessible::grid() const { return static_cast<ScoreGrid*>(widget()); }

QString SheetAccessible::CellName(int column, int row) const {
    const Game& game = form_->game();
    // Columns without a name are called by the word for a player and their number.
    QString player = Q(game.Grid.Cell(column, lignenoms));
    if (player.isEmpty()) player = Q(game.Line(19)) + " " + QString::number(column + 1);
    if (row == lignenoms) return player;
    QString name = player + ", " + Q(game.Line(19 + row));
    const QString value = Q(game.Grid.Cell(column, row));
    if (!value.isEmpty()) name += " : " + value;
    return name;
}

int SheetAccessible::childCount() const { return kColumns * kRows; }

QAccessibleInterface* SheetAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    auto* g = grid();
    return Child(cells_, index, [g, index] { return new CellAccessible(g, index); });
}

int SheetAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* cell = dynamic_cast<const CellAccessible*>(child);
    return (cell && cell->grid() == grid()) ? cell->Index() : -1;
}

QAccessibleInterface* SheetAccessible::childAt(int x, int y) const {
    int column = 0, row = 0;
    if (!ScoreGrid::CellAt(grid()->mapFromGlobal(QPoint(x, y)), column, row)) return nullptr;
    return child(column * kRows + row);
}

QAccessibleInterface* SheetAccessible::focusChild() const {
    if (grid()->KeyCursorRow() < 0) return nullptr;
    return child(grid()->KeyCursorColumn() * kRows + grid()->KeyCursorRow());
}

DiceAccessible::DiceAccessible(TDrawSurface* table, TForm1* form)
    : QAccessibleWidget(table, QAccessible::Graphic),
      form_(form),
      dice_(kDice, 0) {}

DiceAccessible::~DiceAccessible() { Release(dice_); }

TDrawSurface* DiceAccessible::table() const { return static_cast<TDrawSurface*>(widget()); }

int DiceAccessible::childCount() const { return kDice; }

QAccessibleInterface* DiceAccessible::child(int index) const {
    if (index < 0 || index >= kDice) return nullptr;
    auto* t = table();
    TForm1* f = form_;
    return Child(dice_, index, [t, f, index] { return new DieAccessible(t, f, index + 1); });
}

int DiceAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* die = dynamic_cast<const DieAccessible*>(child);
    return die ? die->Index() : -1;
}

QAccessibleInterface* DiceAccessible::childAt(int x, int y) const {
    // The last die drawn lies on top.
    for (int i = kDice - 1; i >= 0; --i) {
        QAccessibleInterface* die = child(i);
        if (die && die->rect().contains(x, y)) return die;
    }
    return nullptr;
}

void InstallGameAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace quimba::ui
