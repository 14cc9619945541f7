// The screen readers' view of the dice table and the score sheet: each die, each cell, and the news of a throw or a
// write.
#include "GameAccessible.h"

#include <QPointer>

#include "DrawSurface.h"
#include "ScoreGrid.h"
#include "TForm1.h"
#include "TForm2.h"
#include "UpDown.h"
#include "Words.h"

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

class CellAccessible : public ChildBase, public QAccessibleTableCellInterface {
public:
    CellAccessible(ScoreGrid* grid, int index) : ChildBase(grid, index) {}
    ScoreGrid* grid() const { return static_cast<ScoreGrid*>(owner_.data()); }
    int Column() const { return index_ / kRows; }
    int Row() const { return index_ % kRows; }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }
    // QAccessibleTableCellInterface
    bool isSelected() const override { return isValid() && state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return Column(); }
    int rowIndex() const override { return Row(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

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
        return Q(Words(form_->game().T).DieName(Die(), S().valeurde[Die()], S().garde[Die()] == 1));
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

// The setup dialog's player count, as the arrows change it.
constexpr int kFewestPlayers = 2;

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<ScoreGrid*>(object)) {
        if (TForm1* form = FormOf(grid)) return new SheetAccessible(grid, form);
    }
    if (auto* table = qobject_cast<TDrawSurface*>(object)) {
        if (TForm1* form = FormOf(table)) return new DiceAccessible(table, form);
    }
    if (auto* arrows = qobject_cast<UpDown*>(object)) {
        if (auto* form = qobject_cast<TForm2*>(arrows->window())) return new PlayerCountAccessible(arrows, form);
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

void* SheetAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* SheetAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return nullptr;
    return Cell(column, row);
}

int SheetAccessible::selectedCellCount() const { return grid()->SelectedRow() >= 0 ? 1 : 0; }

QList<QAccessibleInterface*> SheetAccessible::selectedCells() const {
    if (grid()->SelectedRow() < 0 || grid()->SelectedColumn() < 0) return {};
    return {Cell(grid()->SelectedColumn(), grid()->SelectedRow())};
}

QString SheetAccessible::columnDescription(int column) const {
    const Game& game = form_->game();
    return Q(Words(game.T).PlayerName(column, game.Grid.Cell(column, lignenoms)));
}

QString SheetAccessible::rowDescription(int row) const { return Q(Words(form_->game().T).RowHeading(row)); }

QString SheetAccessible::CellName(int column, int row) const {
    const Game& game = form_->game();
    return Q(Words(game.T).CellName(column, row, game.Grid.Cell(column, lignenoms), game.Grid.Cell(column, row)));
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

QString DiceAccessible::text(QAccessible::Text t) const {
    const Game& game = form_->game();
    if (t != QAccessible::Description || game.S.nblancers == 0 || game.controls.FrameTimerEnabled)
        return QAccessibleWidget::text(t);
    std::vector<int> faces;
    for (int die = 1; die <= kDice; ++die) faces.push_back(game.S.valeurde[die]);
    return Q(Words(game.T).ThrowFaces(faces));
}

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

PlayerCountAccessible::PlayerCountAccessible(UpDown* arrows, TForm2* form)
    : QAccessibleWidget(arrows, QAccessible::SpinBox),
      form_(form) {}

void* PlayerCountAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString PlayerCountAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return QString::number(form_->PlayerCount());
    return QAccessibleWidget::text(t);
}

QVariant PlayerCountAccessible::currentValue() const { return form_->PlayerCount(); }
void PlayerCountAccessible::setCurrentValue(const QVariant& value) { form_->SetPlayerCount(value.toInt()); }
QVariant PlayerCountAccessible::maximumValue() const { return kMaxPlayers; }
QVariant PlayerCountAccessible::minimumValue() const { return kFewestPlayers; }

void ReaderNews::Tell(TForm1& form, bool turnStarted) {
    const Game& game = form.game();
    const MainControls& c = game.controls;
    const auto tell = [&form](QAccessibleEvent&& event) { form.TellReaders(&event); };
    // The result line: a throw's figure, the advice, the winner.
    const std::string result = c.resultextVisible ? c.resultext : std::string();
    if (!result.empty() && result != result_) tell(QAccessibleEvent(form.resultext, QAccessible::NameChanged));
    result_ = result;
    // The status line names the player whose turn the game said began.
    if (turnStarted) tell(QAccessibleEvent(form.Label23, QAccessible::NameChanged));

    // A throw once its dice lie still: the table's description says the faces.
    const int thrown = (game.S.tour * kMaxPlayers + game.S.joueur) * 10 + game.S.nblancers;
    if (game.S.nblancers > 0 && !c.FrameTimerEnabled && thrown != throw_) {
        tell(QAccessibleEvent(form.DiceTable, QAccessible::DescriptionChanged));
        throw_ = thrown;
    }

    QAccessibleInterface* dice = QAccessible::queryAccessibleInterface(form.DiceTable);
    for (int die = 1; die <= kDice; ++die) {
        if (started_ && game.S.garde[die] != kept_[die] && dice) {
            QAccessibleInterface* child = dice->child(die - 1);
            QAccessible::State changed;
            changed.checked = true;
            tell(QAccessibleStateChangeEvent(child, changed));
            tell(QAccessibleEvent(child, QAccessible::NameChanged));
        }
        kept_[die] = game.S.garde[die];
    }

    auto* sheet = static_cast<SheetAccessible*>(QAccessible::queryAccessibleInterface(form.Grid));
    for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row < kRows; ++row) {
            const std::string& value = game.Grid.Cell(column, row);
            if (started_ && value != cells_[column][row] && sheet)
                tell(QAccessibleEvent(sheet->Cell(column, row), QAccessible::NameChanged));
            cells_[column][row] = value;
        }
    const int cursorColumn = form.Grid->KeyCursorColumn(), cursorRow = form.Grid->KeyCursorRow();
    if (cursorRow >= 0 && (cursorRow != cursorRow_ || cursorColumn != cursorColumn_) && sheet) {
        QAccessibleInterface* cell = sheet->Cell(cursorColumn, cursorRow);
        tell(QAccessibleEvent(cell, QAccessible::Focus));
        QAccessibleEvent active(form.Grid, QAccessible::ActiveDescendantChanged);
        active.setChild(sheet->indexOfChild(cell));
        form.TellReaders(&active);
    }
    cursorColumn_ = cursorColumn;
    cursorRow_ = cursorRow;
    started_ = true;
}

void InstallGameAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace quimba::ui
