// A person's pick of a row in the score sheet, scored by the game's rule.
#include <string>

#include "Game.h"
#include "ScoringRule.h"

namespace quimba {

int Game::RowScore(int row) const {
    const int fig = (S.joueur >= 0 && S.joueur < kMaxPlayers) ? S.figure[S.joueur] : int{kNoFigure};
    return RowPointsFor(row, fig, S.sommeface, S.sommedes);
}

void Game::GridSelectCell(int column, int row) {
    // A computer's column never takes a pick, not even from a stray click.
    if (column == S.joueur && Grid.IsComputer(column)) return;
    if (S.nblancers == 0) return;
    if (S.typejeu > kNormal && row != S.ligneimposee) return;
    if (column != S.joueur) return;
    if (!Grid.Free(column, row)) return;

    // Names and computed rows pass the tests but are never scored; the turn
    // simply goes on.
    const int value = RowScore(row);
    if (value < 0) return;
    WriteCell(row, std::to_string(value));
    S.casechoisie = true;
    compteordi();
}

}  // namespace quimba
