#pragma once
// The turn solver both best-play builds share: from the values of writing
// each free row to the expected value of a turn start, over three throws
// with keeps between them, for N lanes of upper sums at once. Also the
// lanes the table builds run 64 upper sums in, and the threads they share
// the turn starts of one layer among. Internal to the game's solvers.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "KeepSets.h"

namespace quimba::turn {

using keep::KeepSets;
using keep::kKeeps;
using keep::kLowerRows;
using keep::kOutcomes;
using keep::kUpperRows;
using keep::Sets;

inline constexpr unsigned kFullSheet = (1u << keep::kChosen) - 1;

// A chosen row's bit in ColumnState::filled.
constexpr int BitOf(int row) { return row <= ligne6 ? row - 1 : row - 3; }

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
using LaneRow = std::array<Lane, kLanes>;

inline void LoadRow(LaneRow& row, const double* values) { std::memcpy(&row, values, sizeof row); }
inline void StoreRow(const LaneRow& row, double* values) { std::memcpy(values, &row, sizeof row); }

// Runs `work(item, state)` for items 0..count-1 on up to `threads` threads,
// each with a `State` of its own (the solvers are too large for a stack).
template <class State, class Work>
void ParallelFor(int count, unsigned threads, Work work) {
    std::atomic<int> next{0};
    auto run = [&] {
        auto state = std::make_unique<State>();
        for (int i = next++; i < count; i = next++) work(i, *state);
    };
    std::vector<std::thread> helpers;
    const unsigned extra = std::min<unsigned>(threads, static_cast<unsigned>(count)) - 1;
    for (unsigned t = 0; t < extra; ++t) helpers.emplace_back(run);
    run();
    for (auto& h : helpers) h.join();
}

}  // namespace quimba::turn
