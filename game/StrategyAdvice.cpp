// The advice: every legal choice after a throw, valued by the strategy
// table, best first.
#include <algorithm>

#include "Strategy.h"
#include "TurnSolver.h"

namespace quimba {

using keep::Counts;
using keep::Gain;
using keep::KeepSets;
using keep::kUpperRows;
using keep::Sets;
using turn::BitOf;

std::vector<Choice> Advise(const StrategyTable& table, const ScoreSheet& sheet, const GameState& gs) {
    std::vector<Choice> choices;
    if (!IsGameType(gs.typejeu) || gs.typejeu != table.Type()) return choices;
    const int column = gs.joueur;
    if (column < 0 || column >= kColumns) return choices;
    const int throws = gs.nblancers;
    if (throws < 1 || throws > kMaxThrows) return choices;
    Counts counts{};
    for (int i = 1; i <= kDice; ++i) {
        const int v = gs.valeurde[i];
        if (v < 1 || v > kFaces) return choices;
        ++counts[v];
    }
    std::vector<int> rows;
    if (gs.typejeu == kNormal) {
        for (int row : kChosenRows)
            if (sheet.Free(column, row)) rows.push_back(row);
    } else if (IsChosenRow(gs.ligneimposee) && sheet.Free(column, gs.ligneimposee)) {
        rows.push_back(gs.ligneimposee);
    }
    if (rows.empty()) return choices;

    const ColumnState s = ColumnStateOf(sheet, column);
    const double now = ColumnPoints(sheet, column);
    const int u = s.upper;
    auto after = [&](int row, int points) {
        ColumnState next = s;
        next.filled = static_cast<std::uint16_t>(next.filled | (1u << BitOf(row)));
        if (row <= ligne6) next.upper = std::min(kUpperCap, u + points);
        return table.Value(next);
    };
    auto bonus = [&](int row, int points) { return row <= ligne6 ? UpperBonusGained(u, points) : 0; };

    // The same sums as the solver's, so a keep of all five dice and the write
    // it leads to compare equal.
    turn::TurnSolver<double, 1, double> solver;
    for (int row : rows) {
        if (row <= ligne6) {
            solver.upperFree[solver.nUpper++] = row - 1;
            for (int count = 0; count <= kDice; ++count) {
                const int points = row * count;
                solver.upper[row - 1][count][0] = points + bonus(row, points) + after(row, points);
            }
        } else {
            const int i = BitOf(row) - kUpperRows;
            solver.lowerFree[solver.nLower++] = i;
            solver.lower[i][0] = after(row, 0);
        }
    }
    const KeepSets& sets = Sets();
    for (int row : rows) {
        Choice c;
        c.kind = Choice::Write;
        c.row = row;
        c.points = RowPoints(row, counts);
        const double rest = row <= ligne6 ? solver.upper[row - 1][counts[row]][0]
                                          : solver.lower[BitOf(row) - kUpperRows][0] + Gain(row, counts);
        c.value = now + rest;
        choices.push_back(c);
    }

    if (throws < kMaxThrows) {
        solver.Writes();
        solver.Throw();
        if (throws == 1) {
            solver.Choose();
            solver.Throw();
        }
        // Every sub-multiset of the dice, as counts.
        Counts kept{};
        auto visit = [&](auto&& self, int face) -> void {
            if (face > kFaces) {
                Choice c;
                c.kind = Choice::Keep;
                // Dice already kept come first, so the advice moves as few
                // keep marks as it can.
                for (int f = 1; f <= kFaces; ++f) {
                    int need = kept[f];
                    for (int pass = 0; pass < 2 && need > 0; ++pass)
                        for (int i = 1; i <= kDice && need > 0; ++i)
                            if (gs.valeurde[i] == f && !c.keep[i] && (pass == 1 || gs.garde[i] == 1)) {
                                c.keep[i] = 1;
                                --need;
                            }
                }
                c.value = now + solver.x[sets.Index(kept)][0];
                choices.push_back(c);
                return;
            }
            for (int k = counts[face]; k >= 0; --k) {
                kept[face] = static_cast<std::uint8_t>(k);
                self(self, face + 1);
            }
            kept[face] = 0;
        };
        visit(visit, 1);
    }

    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
        if (a.value != b.value) return a.value > b.value;
        return a.kind == Choice::Write && b.kind == Choice::Keep;
    });
    return choices;
}

}  // namespace quimba
