// The exact best play: backward induction over turn starts, and inside a
// turn over the three throws.
#include "Strategy.h"

#include "DiceAnalysis.h"
#include "KeepSets.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <thread>

namespace quimba {

namespace {

using keep::Code;
using keep::Counts;
using keep::Gain;
using keep::kChosen;
using keep::KeepSets;
using keep::kKeeps;
using keep::kLowerRows;
using keep::kOutcomes;
using keep::kUpperRows;
using keep::Sets;

constexpr unsigned kFullSheet = (1u << kChosen) - 1;

int BitOf(int row) { return row <= ligne6 ? row - 1 : row - 3; }

// One turn for N lanes of upper sums at once: the table build runs 64 upper
// sums side by side in SIMD lanes, the advice runs a single one. The steps
// are always inlined so that each instruction-set variant of the build gets
// its own vector code.
#define QUIMBA_INLINE [[gnu::always_inline]] inline
template <class L, int N, class S>
struct TurnSolver {
    using Row = std::array<L, N>;

    std::array<Row, kKeeps> x;  // per kept set: an outcome's value, or a keep's
    // What writing a row gives, points and the rest of the game together:
    // number rows by the count of their face, other rows without their points.
    std::array<std::array<Row, kDice + 1>, kUpperRows> upper;
    std::array<Row, kLowerRows> lower;
    std::array<int, kUpperRows> upperFree{};
    std::array<int, kLowerRows> lowerFree{};
    int nUpper = 0;
    int nLower = 0;

    // Outcomes: the best row to write.
    QUIMBA_INLINE void Writes() {
        const KeepSets& s = Sets();
        for (int o = 0; o < kOutcomes; ++o) {
            Row& acc = x[o];
            bool first = true;
            for (int j = 0; j < nUpper; ++j) {
                const int r = upperFree[j];
                const Row& cand = upper[r][s.counts[o][r + 1]];
                if (first)
                    acc = cand;
                else
                    for (int n = 0; n < N; ++n) acc[n] = acc[n] > cand[n] ? acc[n] : cand[n];
                first = false;
            }
            for (int j = 0; j < nLower; ++j) {
                const int i = lowerFree[j];
                const L points = L{} + static_cast<S>(s.lowerPoints[o][i]);
                const Row& rest = lower[i];
                for (int n = 0; n < N; ++n) {
                    const L cand = rest[n] + points;
                    acc[n] = (first || cand > acc[n]) ? cand : acc[n];
                }
                first = false;
            }
        }
    }

    // Keeps: the mean over the dice thrown, one die at a time.
    QUIMBA_INLINE void Throw() {
        const KeepSets& s = Sets();
        for (int k = kOutcomes; k < kKeeps; ++k) {
            const auto& m = s.more[k];
            Row& acc = x[k];
            acc = x[m[1]];
            for (int f = 2; f <= kFaces; ++f) {
                const Row& r = x[m[f]];
                for (int n = 0; n < N; ++n) acc[n] += r[n];
            }
            for (int n = 0; n < N; ++n) acc[n] *= static_cast<S>(1.0 / 6.0);
        }
    }

    // Outcomes: the best set to keep, which is the best over one-die-smaller
    // sets and the set itself.
    QUIMBA_INLINE void Choose() {
        const KeepSets& s = Sets();
        for (int k = kKeeps - 1; k >= 0; --k) {
            Row& acc = x[k];
            for (int f = 1; f <= kFaces; ++f) {
                const int l = s.less[k][f];
                if (l < 0) continue;
                const Row& r = x[l];
                for (int n = 0; n < N; ++n) acc[n] = acc[n] > r[n] ? acc[n] : r[n];
            }
        }
    }

    // The value before the first throw: outcomes weighed by their chance.
    QUIMBA_INLINE void FirstThrow(Row& out) {
        const KeepSets& s = Sets();
        for (int n = 0; n < N; ++n) out[n] = L{};
        for (int o = 0; o < kOutcomes; ++o) {
            const S p = static_cast<S>(s.chance[o]);
            for (int n = 0; n < N; ++n) out[n] += x[o][n] * p;
        }
    }

    // From the written rows' values to the expected value of a turn start:
    // three throws, keeping between them.
    QUIMBA_INLINE void TurnStart(Row& out) {
        Writes();
        Throw();
        Choose();
        Throw();
        Choose();
        FirstThrow(out);
    }
};

// Eight doubles: one instruction with AVX-512, two with AVX2, four with SSE;
// doubles keep the solved values exact to far more than four decimals.
using Lane = double __attribute__((vector_size(64)));
constexpr int kLaneWidth = 8;
constexpr int kLanes = kUpperStates / kLaneWidth;
using TableSolver = TurnSolver<Lane, kLanes, double>;

#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void SolveTurnStart(TableSolver& solver, TableSolver::Row& out) {
    solver.TurnStart(out);
}

void LoadRow(TableSolver::Row& row, const double* values) { std::memcpy(&row, values, sizeof row); }
void StoreRow(const TableSolver::Row& row, double* values) { std::memcpy(values, &row, sizeof row); }

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
                LoadRow(solver.upper[row - 1][count], buffer);
            }
        } else {
            const int i = bit - kUpperRows;
            solver.lowerFree[solver.nLower++] = i;
            LoadRow(solver.lower[i], next);
        }
    }
}

// Runs `work(item, solver)` for items 0..count-1 on `threads` threads.
template <class Work>
void Parallel(int count, unsigned threads, Work work) {
    std::atomic<int> next{0};
    auto run = [&] {
        auto solver = std::make_unique<TableSolver>();
        for (int i = next++; i < count; i = next++) work(i, *solver);
    };
    std::vector<std::thread> helpers;
    const unsigned extra = std::min<unsigned>(threads, static_cast<unsigned>(count)) - 1;
    for (unsigned t = 0; t < extra; ++t) helpers.emplace_back(run);
    run();
    for (auto& h : helpers) h.join();
}

constexpr std::array<int, 13> kAscendantOrder{15, 14, 13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1};
constexpr std::array<int, 13> kDescendantOrder{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};

std::size_t ValueCount(int typejeu) {
    return typejeu == kNormal ? std::size_t{1u << kChosen} * kUpperStates : std::size_t{kRounds + 1} * kUpperStates;
}

// File format.
constexpr std::array<std::uint8_t, 8> kMagic{'Q', 'M', 'B', 'S', 'T', 'R', 'A', 'T'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 3 * 4;
constexpr std::size_t kChecksumBytes = 8;

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint64_t GetLittle(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

int RowPoints(int row, const Counts& counts) {
    // Lay the counted faces out as dice and score them the way a throw is scored.
    std::array<std::uint8_t, kDice + 1> dice{};
    int die = 1;
    for (int f = 1; f <= kFaces; ++f)
        for (int n = 0; n < counts[f] && die <= kDice; ++n) dice[die++] = static_cast<std::uint8_t>(f);
    const DiceAnalysis a = AnalyseDice(dice, {});
    return RowPointsFor(row, a.figure, a.sommeface, a.sommedes);
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

int StrategyTable::ForcedRow(int typejeu, int turn) {
    if (turn < 0 || turn >= kRounds) return 0;
    if (typejeu == kAscendant) return kAscendantOrder[turn];
    if (typejeu == kDescendant) return kDescendantOrder[turn];
    return 0;
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
            Parallel(static_cast<int>(masks.size()), threads, [&](int i, TableSolver& solver) {
                if (stopped()) return;
                const unsigned mask = masks[i];
                PrepareTable(solver, mask, rows,
                             [&](int row) { return values + std::size_t{mask | (1u << BitOf(row))} * kUpperStates; });
                TableSolver::Row out;
                SolveTurnStart(solver, out);
                StoreRow(out, values + std::size_t{mask} * kUpperStates);
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
            StoreRow(out, values + std::size_t(turn) * kUpperStates);
        }
    }
    return table;
}

std::vector<std::uint8_t> StrategyTable::Save() const {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    PutLittle(out, kFormatVersion, 4);
    PutLittle(out, static_cast<std::uint32_t>(type_), 4);
    PutLittle(out, values_.size(), 4);
    out.reserve(out.size() + values_.size() * 8 + kChecksumBytes);
    for (double v : values_) PutLittle(out, std::bit_cast<std::uint64_t>(v), 8);
    PutLittle(out, Fnv1a(out.data(), out.size()), 8);
    return out;
}

std::size_t StrategyTable::FileBytes(int typejeu) {
    return IsGameType(typejeu) ? kHeaderBytes + ValueCount(typejeu) * 8 + kChecksumBytes : 0;
}

std::optional<StrategyTable> StrategyTable::Load(const std::vector<std::uint8_t>& bytes, int typejeu) {
    if (!IsGameType(typejeu)) return std::nullopt;
    const std::size_t count = ValueCount(typejeu);
    if (bytes.size() != FileBytes(typejeu)) return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return std::nullopt;
    const std::uint8_t* p = bytes.data() + kMagic.size();
    if (GetLittle(p, 4) != kFormatVersion) return std::nullopt;
    if (GetLittle(p + 4, 4) != static_cast<std::uint32_t>(typejeu)) return std::nullopt;
    if (GetLittle(p + 8, 4) != count) return std::nullopt;
    const std::size_t body = bytes.size() - kChecksumBytes;
    if (GetLittle(bytes.data() + body, 8) != Fnv1a(bytes.data(), body)) return std::nullopt;
    StrategyTable table;
    table.type_ = typejeu;
    table.values_.resize(count);
    const std::uint8_t* v = bytes.data() + kHeaderBytes;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = std::bit_cast<double>(GetLittle(v + 8 * i, 8));
        if (!std::isfinite(value)) return std::nullopt;
        table.values_[i] = value;
    }
    return table;
}

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
    TurnSolver<double, 1, double> solver;
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

const StrategyTable* BuiltStrategies::Table(int typejeu) {
    if (!IsGameType(typejeu)) return nullptr;
    std::lock_guard lock(mutex_);
    auto& slot = tables_[typejeu];
    if (!slot) slot = std::make_unique<StrategyTable>(StrategyTable::Build(typejeu, threads_));
    return slot.get();
}

}  // namespace quimba
