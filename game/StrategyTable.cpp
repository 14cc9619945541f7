// The strategy table: a column's state, and the best expected points still
// to come from every turn start, built backwards from the full sheet.
#include "Strategy.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <thread>

#include "TurnSolver.h"

namespace quimba {

namespace {

using keep::kChosen;
using keep::kUpperRows;
using keep::Sets;
using turn::BitOf;
using turn::kFullSheet;
using turn::LaneRow;
using TableSolver = turn::TurnSolver<turn::Lane, turn::kLanes, double>;

#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void SolveTurnStart(TableSolver& solver, TableSolver::Row& out) {
    solver.TurnStart(out);
}

// Fills the candidates of one turn start from the turn starts after it.
// `nextOf(row)` gives the 64 values after writing that row.
template <class NextOf>
void PrepareTable(TableSolver& solver, unsigned mask, const std::vector<int>& rows, NextOf nextOf) {
    solver.nUpper = solver.nLower = 0;
    double buffer[kUpperStates];
    for (int row : rows) {
        const int bit = BitOf(row);
        if (mask & (1u << bit)) continue;
        const double* next = nextOf(row);
        if (row <= ligne6) {
            solver.upperFree[solver.nUpper++] = row - 1;
            for (int count = 0; count <= kDice; ++count) {
                const int points = row * count;
                for (int u = 0; u < kUpperStates; ++u) {
                    const int after = std::min(kUpperCap, u + points);
                    const int bonus = UpperBonusGained(u, points);
                    buffer[u] = points + bonus + next[after];
                }
                turn::LoadRow(solver.upper[row - 1][count], buffer);
            }
        } else {
            const int i = bit - kUpperRows;
            solver.lowerFree[solver.nLower++] = i;
            turn::LoadRow(solver.lower[i], next);
        }
    }
}

}  // namespace

std::size_t StrategyTable::ValueCount(int typejeu) {
    return typejeu == kNormal ? std::size_t{1u << keep::kChosen} * kUpperStates
                              : std::size_t{kRounds + 1} * kUpperStates;
}

ColumnState ColumnStateOf(const ScoreSheet& sheet, int column) {
    ColumnState s;
    int upper = 0;
    for (int i = 0; i < kChosen; ++i) {
        const int row = kChosenRows[i];
        if (sheet.Free(column, row)) continue;
        s.filled = static_cast<std::uint16_t>(s.filled | (1u << i));
        if (row <= ligne6) upper += sheet.Value(column, row);
    }
    s.upper = std::clamp(upper, 0, kUpperCap);
    return s;
}

int ColumnPoints(const ScoreSheet& sheet, int column) {
    int upper = 0;
    for (int row = ligne1; row <= ligne6; ++row) upper += sheet.Value(column, row);
    if (upper >= kUpperBonusThreshold) upper += kUpperBonus;
    int lower = 0;
    for (int row = lignebrelan; row <= lignequimba; ++row) lower += sheet.Value(column, row);
    return upper + lower + sheet.Value(column, ligneplus) - sheet.Value(column, lignemoins);
}

std::size_t StrategyTable::Index(ColumnState s) const {
    const unsigned filled = s.filled & kFullSheet;
    const std::size_t upper = static_cast<std::size_t>(std::clamp(s.upper, 0, kUpperCap));
    const std::size_t start = type_ == kNormal ? filled : static_cast<std::size_t>(std::popcount(filled));
    return start * kUpperStates + upper;
}

double StrategyTable::Value(ColumnState s) const {
    if (values_.empty()) return 0.0;
    return values_[Index(s)];
}

std::size_t StrategyTable::States() const {
    if (!IsGameType(type_)) return 0;
    return type_ == kNormal ? std::size_t{1u << kChosen} * kUpperStates : std::size_t{kRounds} * kUpperStates;
}

StrategyTable StrategyTable::Build(int typejeu, unsigned threads, const std::atomic<bool>* stop) {
    auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    StrategyTable table;
    if (!IsGameType(typejeu)) return table;
    table.type_ = typejeu;
    table.values_.assign(ValueCount(typejeu), 0.0);
    double* values = table.values_.data();
    Sets();  // built once, before the threads share it
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());

    if (typejeu == kNormal) {
        std::array<std::vector<unsigned>, kChosen + 1> byFilled;
        for (unsigned mask = 0; mask <= kFullSheet; ++mask) byFilled[std::popcount(mask)].push_back(mask);
        const std::vector<int> rows(kChosenRows.begin(), kChosenRows.end());
        // The full sheet is worth nothing more; every other layer needs only
        // the layer with one more row written.
        for (int filled = kChosen - 1; filled >= 0; --filled) {
            const auto& masks = byFilled[filled];
            if (stopped()) return StrategyTable{};
            turn::ParallelFor<TableSolver>(static_cast<int>(masks.size()), threads, [&](int i, TableSolver& solver) {
                if (stopped()) return;
                const unsigned mask = masks[i];
                PrepareTable(solver, mask, rows,
                             [&](int row) { return values + std::size_t{mask | (1u << BitOf(row))} * kUpperStates; });
                TableSolver::Row out;
                SolveTurnStart(solver, out);
                turn::StoreRow(out, values + std::size_t{mask} * kUpperStates);
            });
        }
    } else {
        auto solver = std::make_unique<TableSolver>();
        for (int turn = kRounds - 1; turn >= 0; --turn) {
            // Only the forced row is free; the mask tells which bit that is.
            const int row = ForcedRow(typejeu, turn);
            const unsigned mask = kFullSheet & ~(1u << BitOf(row));
            PrepareTable(*solver, mask, {row}, [&](int) { return values + std::size_t(turn + 1) * kUpperStates; });
            TableSolver::Row out;
            SolveTurnStart(*solver, out);
            turn::StoreRow(out, values + std::size_t(turn) * kUpperStates);
        }
    }
    return table;
}

const StrategyTable* BuiltStrategies::Table(int typejeu) {
    if (!IsGameType(typejeu)) return nullptr;
    std::lock_guard lock(mutex_);
    auto& slot = tables_[typejeu];
    if (!slot) slot = std::make_unique<StrategyTable>(StrategyTable::Build(typejeu, threads_));
    return slot.get();
}

}  // namespace quimba
