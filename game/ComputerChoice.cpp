// Which row a computer player writes after a throw, if any.
#include <string>

#include "Game.h"
#include "Strategy.h"

namespace quimba {

namespace {

// Sums that are worth taking in "Plus" / "Moins" while the number rows still
// have room, and the looser ones once they have none.
constexpr int kPlusEarly = 17;
constexpr int kMoinsEarly = 12;
constexpr int kPlusLate = 12;
constexpr int kMoinsLate = 15;

const char* const kNothingToDo = "Je ne sais que faire";

}  // namespace

bool Game::ClassicChoice() {
    const int c = S.joueur;
    const int fig = S.figure[c];
    const int sum = S.sommedes;
    const int throws = S.nblancers;
    auto free = [&](int row) { return Grid.Free(c, row); };
    auto write = [&](int row, int value) {
        WriteCell(row, std::to_string(value));
        return true;
    };
    // What the dice are worth in the row by the scoring rule.
    auto score = [&](int row) { return write(row, RowScore(row)); };

    if (S.typejeu == kAscendant || S.typejeu == kDescendant) {
        const int L = S.ligneimposee;
        // Outside play the forced row may stand at 0 or 16; those are the
        // names and the total, which must never be scored.
        if (!IsChosenRow(L)) return false;
        // The forced order keeps the forced row free; should the sheet ever
        // disagree, a written score is worth more than the computer's turn.
        if (!free(L)) {
            if (throws >= 3) controls.resultext = kNothingToDo;
            return false;
        }
        if (fig == kQuimba && L == lignequimba) return score(lignequimba);
        if (fig == kCarre && L == lignecarre) return score(lignecarre);
        if (fig == kFull && L == lignefull) return score(lignefull);
        if (fig == kSuite && L == lignesuite) return score(lignesuite);
        if (L == lignebrelan && (fig == kBrelan || fig == kFull || fig == kCarre || fig == kQuimba))
            return score(lignebrelan);
        if (throws == kMaxThrows && (L == ligneplus || L == lignemoins)) return score(L);
        if (throws < kMaxThrows) return false;
        if (L >= ligne1 && L <= ligne6) return score(L);
        // A figure row it did not make; five of a kind on the four-of-a-kind
        // row is among them, as the ladder only looks for its own figure.
        return write(L, 0);
    }

    // Figures first: each one goes into its own row the moment it shows,
    // except four of a kind, which may still grow into five.
    if (fig == kQuimba && free(lignequimba)) return score(lignequimba);
    if (fig == kCarre && free(lignecarre) && throws == kMaxThrows) return score(lignecarre);
    if (fig == kFull && free(lignefull)) return score(lignefull);
    if (fig == kSuite && free(lignesuite)) return score(lignesuite);
    if (fig == kBrelan && free(lignebrelan) && throws == kMaxThrows && NombreNum(6) >= 3) return score(lignebrelan);
    if (throws < kMaxThrows) return false;

    for (int f = 1; f <= kFaces; ++f)
        if (NombreNum(f) >= 3 && free(f)) return score(f);
    if (sum >= kPlusEarly && free(ligneplus)) return score(ligneplus);
    if (sum <= kMoinsEarly && free(lignemoins)) return score(lignemoins);
    for (int f = 1; f <= kFaces; ++f)
        if (NombreNum(f) >= 2 && free(f)) return score(f);
    // Last resort among the number rows: the face itself, whatever the dice.
    for (int f = 1; f <= kFaces; ++f)
        if (free(f)) return write(f, f);
    if (fig == kBrelan && free(lignebrelan)) return score(lignebrelan);
    if (sum >= kPlusLate && free(ligneplus)) return score(ligneplus);
    if (sum <= kMoinsLate && free(lignemoins)) return score(lignemoins);
    if (free(ligneplus)) return score(ligneplus);
    if (free(lignemoins)) return score(lignemoins);
    for (int row : kChosenRows)
        if (free(row)) return write(row, 0);
    controls.resultext = kNothingToDo;
    return false;
}

Level Game::LevelOf(int column) const {
    return column >= 0 && column < kColumns ? seatLevels[column].value_or(S.niveau) : S.niveau;
}

bool Game::Expert(int column) const { return Grid.IsComputer(column) && LevelOf(column) == Level::Expert; }

const StrategyTable* Game::expertTable() const { return strategies ? strategies->Table(S.typejeu) : nullptr; }

bool Game::ExpertChoice() {
    const StrategyTable* table = expertTable();
    if (!table) return false;
    const std::vector<Choice> choices = Advise(*table, Grid, S);
    if (choices.empty()) {
        // Only a full column, or a forced row outside play or already
        // written, leaves no choice; as for the ladder, it is said once the
        // throws are spent.
        if (S.nblancers >= kMaxThrows) controls.resultext = kNothingToDo;
        return false;
    }
    const Choice& best = choices.front();
    if (best.kind != Choice::Write) return false;
    // The game's own scoring writes the cell, as for a person's pick.
    WriteCell(best.row, std::to_string(RowScore(best.row)));
    return true;
}

}  // namespace quimba
