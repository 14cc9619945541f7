// Playing with the keyboard: every key stands for a click on a die, the roll
// button or a cell, and goes through the same rules as that click.
#include <algorithm>

#include "Game.h"

namespace quimba {

bool Game::KeyDie(int key) {
    // The key names one die, counted from the left as the dice lie; a click
    // may hit two overlapping dice at once.
    return ToggleDie(DieForKey(key));
}

bool Game::KeyThrow() { return Throw(); }

bool Game::SheetPickable() const {
    // Where the sheet shows the hand to the mouse: a person's column after
    // a throw.
    return S.joueur >= 0 && S.joueur < S.nbjoueurs && S.tour < kRounds && S.nblancers >= 1 &&
           !Grid.IsComputer(S.joueur);
}

int Game::SheetCursorRow() const {
    if (!SheetPickable() || cursor_.row < 0) return -1;
    if (cursor_.joueur != S.joueur || cursor_.tour != S.tour || cursor_.nblancers != S.nblancers) return -1;
    return cursor_.row;
}

bool Game::KeyCursor(int step) {
    if (!SheetPickable()) return false;
    const bool sameTurn = cursor_.row >= 0 && cursor_.joueur == S.joueur && cursor_.tour == S.tour;
    const bool shown = SheetCursorRow() >= 0;
    int row = cursor_.row;
    if (!sameTurn) {
        // Start where a pick can be made: the forced row, or the first free one.
        row = ligne1;
        if (S.typejeu > kNormal) {
            row = S.ligneimposee;
        } else {
            for (int r : kChosenRows) {
                if (Grid.Free(S.joueur, r)) {
                    row = r;
                    break;
                }
            }
        }
    } else if (shown) {
        // The cursor stops only on rows a player writes: names, bonus and
        // totals are passed over, and it stays put at either end.
        const auto at = std::find(kChosenRows.begin(), kChosenRows.end(), row);
        const int index = at == kChosenRows.end() ? 0 : static_cast<int>(at - kChosenRows.begin());
        row = kChosenRows[std::clamp(index + step, 0, static_cast<int>(kChosenRows.size()) - 1)];
    }
    // A cursor hidden by a throw comes back where it was.
    cursor_ = {row, S.joueur, S.tour, S.nblancers};
    view.RepaintGrid();
    TellCursor();
    return true;
}

bool Game::KeyEnter() {
    const int row = SheetCursorRow();
    if (row < 0) return KeyThrow();
    const int column = S.joueur;
    const std::string before = Grid.Cell(column, row);
    GridSelectCell(column, row);
    return Grid.Cell(column, row) != before;
}

void Game::KeyEscape() {
    if (SheetCursorRow() < 0) return;
    cursor_.nblancers = -1;
    view.RepaintGrid();
    TellCursor();
}

}  // namespace quimba
