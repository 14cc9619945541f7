// A person's pick of a row in the score sheet.
#include <string>

#include "DiceAnalysis.h"
#include "Game.h"

namespace quimba {

int RowPointsFor(int row, int fig, const std::array<std::int32_t, kFaces + 1>& sommeface, int sommedes) {
    switch (row) {
        case ligne1:
        case ligne2:
        case ligne3:
        case ligne4:
        case ligne5:
        case ligne6: return sommeface[row];
        case ligneplus:
        case lignemoins: return sommedes;
        // A three of a kind scores all five dice, and any larger group holds one.
        case lignebrelan: return (fig == kBrelan || fig == kFull || fig == kCarre || fig == kQuimba) ? sommedes : 0;
        case lignesuite: return fig == kSuite ? 20 : 0;
        // Five equal dice are not a full house.
        case lignefull: return fig == kFull ? 30 : 0;
        case lignecarre: return (fig == kCarre || fig == kQuimba) ? 40 : 0;
        case lignequimba: return fig == kQuimba ? 50 : 0;
        default: return -1;
    }
}

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
