// Adding a column up after a score was written, handing the turn on, and the
// end of the game.
#include <string>

#include "Game.h"
#include "Language.h"

namespace quimba {

void Game::compteordi() {
    bool written = false;
    if (!S.casechoisie) written = Expert(S.joueur) ? ExpertChoice() : ClassicChoice();
    if (S.casechoisie || written) Tally();
}

void Game::Tally() {
    const int column = S.joueur;

    // Every player of a round plays the same forced row, so it moves on only
    // after the last column.
    if (S.joueur == S.nbjoueurs - 1 && (S.typejeu == kAscendant || S.typejeu == kDescendant))
        S.ligneimposee = NextForcedRow(S.typejeu, S.ligneimposee);
    view.PlaySound(kTallySound);
    S.tourfini = true;
    S.casechoisie = false;

    int upper = 0;
    for (int row = ligne1; row <= ligne6; ++row)
        if (!Grid.Free(column, row)) upper += Grid.Value(column, row);
    if (upper >= kUpperBonusThreshold) {
        Grid.SetCell(column, lignebonus, std::to_string(kUpperBonus));
        upper += kUpperBonus;
    }
    Grid.SetCell(column, lignesoustotal, std::to_string(upper));

    int lower = 0;
    for (int row = lignebrelan; row <= lignequimba; ++row)
        if (!Grid.Free(column, row)) lower += Grid.Value(column, row);
    // The total waits for both sum rows, which enter it only as a difference.
    if (!Grid.Free(column, ligneplus) && !Grid.Free(column, lignemoins)) {
        const int total =
            Grid.Value(column, lignesoustotal) + lower + Grid.Value(column, ligneplus) - Grid.Value(column, lignemoins);
        Grid.SetCell(column, lignetotal, std::to_string(total));
    }
    GameEvent tallied(GameEvent::Kind::Tallied);
    tallied.column = column;
    Emit(tallied);
    DropAdvice();

    ++S.joueur;
    for (int i = 1; i <= kDice; ++i) {
        S.alancer[i] = 1;
        S.garde[i] = 0;
    }
    S.nblancers = 0;
    S.etapeordi = 0;
    if (S.joueur > S.nbjoueurs - 1) ++S.tour;

    if (S.tour >= kRounds) {
        endOfGame();
        return;
    }

    if (S.joueur > S.nbjoueurs - 1) S.joueur = 0;
    const bool computer = Grid.IsComputer(S.joueur);
    // A computer's turn is never thrown by a person.
    controls.glassbtn5Enabled = !computer;
    controls.Label23 = Line(kLinePlayer) + " " + std::to_string(S.joueur + 1) + "/ " + Line(kLineYourTurn);
    if (computer) {
        S.tourfini = false;
        controls.TimerordiEnabled = true;
    } else {
        controls.TimerordiEnabled = false;
        S.etapeordi = 0;
    }
    view.RepaintGrid();
    GameEvent turn(GameEvent::Kind::TurnStarted);
    turn.column = S.joueur;
    turn.round = S.tour;
    Emit(turn);
}

void Game::endOfGame() {
    // A coached game would make the best score meaningless.
    for (int c = 0; c < kColumns && !S.conseilpartie; ++c) {
        if (Grid.Free(c, lignetotal)) continue;
        const int total = Grid.Value(c, lignetotal);
        // Equalling the best score is not beating it.
        if (total > S.meilleurscore) {
            S.meilleurnom = Grid.Cell(c, lignenoms);
            S.meilleurscore = total;
            controls.Label28 = S.meilleurnom + " " + std::to_string(S.meilleurscore);
        }
    }
    controls.glassbtn5Enabled = false;
    view.RepaintGrid();

    // Ties go to the lower column; a column without a name keeps the name
    // found so far.
    std::string winner;
    int best = 0;
    int winnerColumn = -1;
    if (!Grid.Free(0, lignetotal)) {
        winner = Grid.Cell(0, lignenoms);
        best = Grid.Value(0, lignetotal);
        winnerColumn = 0;
    }
    for (int c = 1; c < kColumns; ++c) {
        if (Grid.Free(c, lignetotal)) continue;
        const int total = Grid.Value(c, lignetotal);
        if (total > best) {
            best = total;
            winnerColumn = c;
            if (!Grid.Free(c, lignenoms)) winner = Grid.Cell(c, lignenoms);
        }
    }
    // A language file short of the last lines still ends the game: the
    // missing parts read as empty.
    controls.resultext =
        Line(kLineWinnerBefore) + " " + winner + " " + std::to_string(best) + " " + Line(kLineWinnerAfter);
    if (!S.conseilpartie) ListBoxScore.Add(std::to_string(best) + " --- " + clock.DayStamp() + " --- " + winner);
    controls.TimerordiEnabled = false;
    GameEvent ended(GameEvent::Kind::GameEnded);
    ended.column = winnerColumn;
    ended.winner = winner;
    ended.points = best;
    Emit(ended);
}

}  // namespace quimba
