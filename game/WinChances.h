#pragma once
// Every seat's chance to finish first, from the start of a turn, when every
// seat plays best from there. Under the best play each seat maximises its
// own expected score whatever the others do, so the seats' final scores are
// independent and the chances follow from one distribution per seat:
//  - in the forced orders (832 turn starts) the exact distribution of the
//    points still to come, built backwards through every turn;
//  - in Normal (524,288 turn starts) the exact mean (the strategy table)
//    and the exact second moment under the same play (a second table built
//    the same way), read as a normal law laid on whole points; the last
//    turn of a column, a single row, has its exact law.
// Ties go to the lower column, as the game decides them.

#include <cstddef>
#include <vector>

#include "Strategy.h"

namespace quimba {

// One seat at a turn start: its column and the points on its sheet now.
struct SeatPosition {
    ColumnState state;
    int points = 0;
};

// The first `players` columns of `sheet` as seats at a turn start.
std::vector<SeatPosition> SeatPositions(const ScoreSheet& sheet, int players);

class WinChances {
public:
    // Needs the strategy table of the same game type. `threads` 0 takes the
    // machine's cores.
    static WinChances Build(const StrategyTable& table, unsigned threads = 0);

    int Type() const { return type_; }
    // Chance of each seat to win, in seat order; they add up to 1.
    std::vector<double> Chances(const std::vector<SeatPosition>& seats) const;

    // Probability of each final score of one seat, from `Lowest()` up; the
    // normal law in Normal before the column's last turn.
    std::vector<double> FinalScores(const SeatPosition& seat) const;
    static constexpr int Lowest() { return kLowest; }
    // Mean and standard deviation of the points still to come.
    double Mean(ColumnState s) const;
    double Spread(ColumnState s) const;
    std::size_t Bytes() const;

private:
    // Final scores lie in -30..375 plus the bonus; the grid holds them all.
    static constexpr int kLowest = -64;
    static constexpr int kScores = 512;

    const StrategyTable* table_ = nullptr;
    int type_ = 0;
    // Forced orders: per turn start (turn x 64 upper sums), the chance of
    // each number of points still to come, kScores wide.
    std::vector<double> remaining_;
    // Normal: per turn start, the second moment of the points still to come.
    std::vector<double> second_;
};

}  // namespace quimba
