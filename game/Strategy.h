#pragma once
// The exact best play for one column. A column's future depends only on which
// rows are written and on the upper sum toward the bonus (capped at 63, where
// the bonus is earned), so the best expected points still to come from every
// turn start fit in one table, built backwards from the full sheet. Inside a
// turn the five dice are read as a multiset: 252 outcomes, 462 kept sets.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "GameState.h"
#include "Ports.h"
#include "ScoreSheet.h"
#include "ScoringRule.h"

namespace quimba {

inline constexpr int kUpperCap = kUpperBonusThreshold;  // higher sums act alike
inline constexpr int kUpperStates = kUpperCap + 1;

// One player's column at the start of a turn.
struct ColumnState {
    std::uint16_t filled = 0;  // bit i set when kChosenRows[i] is written
    int upper = 0;             // sum of rows 1..6 written so far, capped at 63
};
ColumnState ColumnStateOf(const ScoreSheet& sheet, int column);

// The best expected final score of one column from an empty sheet, as the
// table solves it, to four decimals; the history marks it without building a
// table. A test holds them to the built tables.
inline constexpr double kOptimalMeanNormal = 213.7569;
inline constexpr double kOptimalMeanForced = 102.6642;  // Ascendant and Descendant alike
constexpr double OptimalMean(int typejeu) { return typejeu == kNormal ? kOptimalMeanNormal : kOptimalMeanForced; }

class StrategyTable {
public:
    // Backward induction over every turn start; `threads` 0 takes the
    // machine's cores.
    // `stop`, when given and set, ends the build early with an empty table.
    static StrategyTable Build(int typejeu, unsigned threads = 0, const std::atomic<bool>* stop = nullptr);

    int Type() const { return type_; }
    // Best expected points still to come from this turn start (bonus
    // included, "Moins" counted negative).
    double Value(ColumnState s) const;
    // Turn starts the table holds: 2^13 x 64 in Normal, 13 x 64 otherwise.
    std::size_t States() const;
    std::size_t Bytes() const { return values_.capacity() * sizeof(double); }

    // Header names the game type and a format version; a checksum ends it.
    std::vector<std::uint8_t> Save() const;
    // nullopt when the bytes are damaged, short, of another type or another
    // version.
    static std::optional<StrategyTable> Load(const std::vector<std::uint8_t>& bytes, int typejeu);
    // The one size a sound file of this type has (0 for no type), so that a
    // reader can refuse anything else before reading it.
    static std::size_t FileBytes(int typejeu);

private:
    std::size_t Index(ColumnState s) const;
    // Values the table holds, the full sheet included.
    static std::size_t ValueCount(int typejeu);

    int type_ = 0;
    std::vector<double> values_;  // one per turn start, the full sheet included
};

struct Choice {
    enum Kind { Keep, Write } kind = Write;
    std::array<std::uint8_t, kDice + 1> keep{};  // Keep: keep[i] = 1 keeps die i (1..5)
    int row = 0;                                 // Write: the sheet row (1..6, 9..15)
    int points = 0;                              // Write: what the row scores with the dice now
    double value = 0;                            // expected final score of the column if this choice is made
};

// Every legal choice for the current player (gs.joueur) after gs.nblancers
// throws (1..3), best first: Keep choices only while nblancers < 3 (one per
// distinct kept multiset), Write choices for every free row (only
// gs.ligneimposee in Ascendant/Descendant). Empty when there is nothing to
// decide or the table is of another game type.
std::vector<Choice> Advise(const StrategyTable& table, const ScoreSheet& sheet, const GameState& gs);

// Points the column holds now: number rows, bonus, figures, "Plus" - "Moins".
int ColumnPoints(const ScoreSheet& sheet, int column);

// Builds each game type's table on the caller's thread at its first request
// and keeps it; for the simulator and the tests, where waiting is fine.
class BuiltStrategies : public StrategySource {
public:
    explicit BuiltStrategies(unsigned threads = 0) : threads_(threads) {}
    const StrategyTable* Table(int typejeu) override;

private:
    unsigned threads_;
    std::mutex mutex_;
    std::array<std::unique_ptr<StrategyTable>, 4> tables_;
};

}  // namespace quimba
