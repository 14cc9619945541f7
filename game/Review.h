#pragma once
// The review of a game: what every decision cost against the best play, how
// much each throw's dice brought (luck), and every seat's chance to win at
// each turn start. All figures are expected final scores of one column
// under the best play from the moment in question, read from the strategy
// table, so for every seat
//     final = start + total luck - total cost
// holds exactly (up to rounding).
//
// The input is a plain list of turns, so a recorded game and the
// simulator's trace both feed it; the output is plain structs for a window.

#include <array>
#include <cstdint>
#include <vector>

#include "GameState.h"
#include "Result.h"

namespace quimba {

class StrategyTable;
class WinChances;

// One throw: which dice stayed on the table (1 = not thrown) and the five
// faces after it. The first throw of a turn keeps nothing.
struct ReviewThrow {
    std::array<std::uint8_t, kDice> kept{};
    std::array<std::uint8_t, kDice> dice{};
};

// One turn of one seat: one to three throws, then the row written and the
// points actually written in it (the ladder's last resort may write a
// number row's face value whatever the dice show).
struct ReviewTurn {
    int seat = 0;
    std::vector<ReviewThrow> throws;
    int row = 0;
    int points = 0;
};

// A game as played, turns in play order. A running game may stop anywhere
// between turns; its review then covers the turns played.
struct ReviewGame {
    int type = kNormal;
    int players = 2;
    std::vector<ReviewTurn> turns;
};

// The most a row can hold: a Quimba.
inline constexpr int kMaxRowPoints = 50;

enum class Verdict : std::uint8_t {
    Exact,       // the best choice (or one worth as much)
    Inaccuracy,  // a small loss
    Mistake,
    Blunder,
    Gift,  // a write of more points than the dice show: it gains, but is no play
};
inline constexpr int kVerdicts = 5;

// The cost limits of the verdicts, in expected final points: a cost up to
// kExactCost is exact, below kInaccuracyCost an inaccuracy, below
// kMistakeCost a mistake, above that a blunder. Set from the costs of the
// ladder's non-exact decisions over simulated games (README, "The review").
inline constexpr double kExactCost = 1e-9;
inline constexpr double kInaccuracyCost = 1.5;
inline constexpr double kMistakeCost = 7.5;
Verdict VerdictOf(double cost, bool gift);

// A choice after a throw: dice kept for the next throw, or a row written.
struct ReviewChoice {
    bool write = false;
    std::array<std::uint8_t, kFaces + 1> keep{};  // kept dice per face (keep)
    int row = 0;                                  // write
    int points = 0;                               // write: points written
};

struct ReviewDecision {
    int turn = 0;         // index in ReviewGame::turns
    int seat = 0;         //
    int round = 0;        // 0..12
    int throwNumber = 0;  // 1..3: decided after this throw
    std::array<std::uint8_t, kDice> dice{};
    ReviewChoice chosen;
    ReviewChoice best;
    double bestValue = 0;    // expected final score after the best choice
    double chosenValue = 0;  // after the choice made
    double cost = 0;         // bestValue - chosenValue; below 0 only for a gift
    Verdict verdict = Verdict::Exact;
};

// A throw's luck: the expected final score after it minus before it.
struct ReviewLuck {
    int turn = 0;
    int seat = 0;
    int throwNumber = 0;
    double before = 0;
    double after = 0;
    double luck = 0;
};

// Every seat at the start of one turn (before its first throw).
struct ReviewTurnStart {
    int turn = 0;                  // index of the turn about to start; turns.size() for the end
    int seat = 0;                  // whose turn it is; -1 at the end
    std::vector<int> points;       // each seat's points on the sheet
    std::vector<double> expected;  // each seat's expected final score
    std::vector<double> chances;   // each seat's chance to win; empty without WinChances
};

struct SeatReview {
    double start = 0;  // expected final score of an empty column
    double luck = 0;
    double cost = 0;
    int points = 0;  // points on the sheet now; the final score once the column is full
    bool finished = false;
    std::array<int, kVerdicts> verdicts{};  // decisions of each verdict
};

struct GameReview {
    std::vector<ReviewDecision> decisions;  // in play order
    std::vector<ReviewLuck> throws;         // in play order
    std::vector<ReviewTurnStart> starts;    // one per turn, and one after the last
    std::vector<SeatReview> seats;
};

// Fails with a message naming the turn when the game breaks the rules
// (a seat out of turn, dice out of range, a row not free or not allowed, a
// kept die that changed) or the table is of another game type. `chances`
// may be null.
Result<GameReview> ReviewOf(const StrategyTable& table, const ReviewGame& game, const WinChances* chances);

}  // namespace quimba
