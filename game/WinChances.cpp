// Chances to win: the law of each seat's points still to come under the best
// play, then the chance that a seat beats every other.
#include "WinChances.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <thread>

#include "TurnSolver.h"

namespace quimba {

std::vector<SeatPosition> SeatPositions(const ScoreSheet& sheet, int players) {
    std::vector<SeatPosition> seats;
    for (int c = 0; c < players && c < kColumns; ++c)
        seats.push_back({ColumnStateOf(sheet, c), ColumnPoints(sheet, c)});
    return seats;
}

namespace {

using keep::Counts;
using keep::Gain;
using keep::kChosen;
using keep::KeepSets;
using keep::kKeeps;
using keep::kLowerRows;
using keep::kOutcomes;
using keep::kUpperRows;
using turn::BitOf;
using turn::kFullSheet;
using turn::kLanes;
using turn::Lane;
using turn::LaneRow;
using turn::LoadRow;

// One turn with a single row to write (the forced orders), followed as a
// law: the chance of each outcome that gets written. `write[o]` is the
// expected final value of writing outcome o.
std::array<double, kOutcomes> WrittenOutcomes(const std::array<double, kOutcomes>& write) {
    const KeepSets& s = keep::Sets();
    std::array<double, kKeeps> x{};
    // Per stage and set: the set kept after that throw (-1 writes now).
    std::array<std::array<std::int16_t, kKeeps>, 2> choice{};
    std::copy(write.begin(), write.end(), x.begin());
    for (int stage = 1; stage >= 0; --stage) {
        // Keeps: the mean over the dice thrown.
        for (int k = kOutcomes; k < kKeeps; ++k) {
            double sum = 0;
            for (int f = 1; f <= kFaces; ++f) sum += x[s.more[k][f]];
            x[k] = sum / 6.0;
        }
        // Outcomes: writing now or the best kept subset.
        for (int o = 0; o < kOutcomes; ++o) x[o] = write[o];
        for (int k = kKeeps - 1; k >= 0; --k) {
            auto& best = choice[stage][k];
            best = static_cast<std::int16_t>(k < kOutcomes ? -1 : k);
            for (int f = 1; f <= kFaces; ++f) {
                const int l = s.less[k][f];
                if (l >= 0 && x[l] > x[k]) {
                    x[k] = x[l];
                    best = choice[stage][l];
                }
            }
        }
    }
    // Forwards: mass of each outcome after throws 1, 2, 3.
    std::array<double, kOutcomes> written{};
    std::array<double, kKeeps> mass{};
    std::copy(s.chance.begin(), s.chance.end(), mass.begin());
    for (int stage = 0; stage < 2; ++stage) {
        std::array<double, kKeeps> kept{};
        for (int o = 0; o < kOutcomes; ++o) {
            const int b = choice[stage][o];
            if (b < 0)
                written[o] += mass[o];
            else
                kept[b] += mass[o];
        }
        for (int k = kKeeps - 1; k >= kOutcomes; --k)
            for (int f = 1; f <= kFaces; ++f) kept[s.more[k][f]] += kept[k] / 6.0;
        mass = kept;
    }
    for (int o = 0; o < kOutcomes; ++o) written[o] += mass[o];
    return written;
}

// The second moment of the points still to come, for 64 upper sums at once
// in SIMD lanes, alongside the value that picks the play.
struct MomentSolver {
    std::array<LaneRow, kKeeps> v;  // value of a set
    std::array<LaneRow, kKeeps> m;  // second moment under the play that value picks
    std::array<std::array<LaneRow, kDice + 1>, kUpperRows> upV, upM;
    std::array<LaneRow, kLowerRows> loV, loM;
    std::array<int, kUpperRows> upperFree{};
    std::array<int, kLowerRows> lowerFree{};
    int nUpper = 0;
    int nLower = 0;

    QUIMBA_INLINE static void Take(Lane& accV, Lane& accM, const Lane& v, const Lane& m) {
        const auto better = v > accV;
        accV = better ? v : accV;
        accM = better ? m : accM;
    }

    QUIMBA_INLINE void Writes() {
        const KeepSets& s = keep::Sets();
        for (int o = 0; o < kOutcomes; ++o) {
            LaneRow& accV = v[o];
            LaneRow& accM = m[o];
            bool first = true;
            for (int j = 0; j < nUpper; ++j) {
                const int r = upperFree[j];
                const int c = s.counts[o][r + 1];
                if (first) {
                    accV = upV[r][c];
                    accM = upM[r][c];
                } else {
                    for (int n = 0; n < kLanes; ++n) Take(accV[n], accM[n], upV[r][c][n], upM[r][c][n]);
                }
                first = false;
            }
            for (int j = 0; j < nLower; ++j) {
                const int i = lowerFree[j];
                const double g = s.lowerPoints[o][i];
                for (int n = 0; n < kLanes; ++n) {
                    const Lane cv = loV[i][n] + g;
                    const Lane cm = loM[i][n] + 2.0 * g * loV[i][n] + g * g;
                    if (first) {
                        accV[n] = cv;
                        accM[n] = cm;
                    } else {
                        Take(accV[n], accM[n], cv, cm);
                    }
                }
                first = false;
            }
        }
    }

    QUIMBA_INLINE void Throw() {
        const KeepSets& s = keep::Sets();
        for (int k = kOutcomes; k < kKeeps; ++k) {
            const auto& mo = s.more[k];
            LaneRow& av = v[k];
            LaneRow& am = m[k];
            av = v[mo[1]];
            am = m[mo[1]];
            for (int f = 2; f <= kFaces; ++f)
                for (int n = 0; n < kLanes; ++n) {
                    av[n] += v[mo[f]][n];
                    am[n] += m[mo[f]][n];
                }
            for (int n = 0; n < kLanes; ++n) {
                av[n] *= 1.0 / 6.0;
                am[n] *= 1.0 / 6.0;
            }
        }
    }

    QUIMBA_INLINE void Choose() {
        const KeepSets& s = keep::Sets();
        for (int k = kKeeps - 1; k >= 0; --k)
            for (int f = 1; f <= kFaces; ++f) {
                const int l = s.less[k][f];
                if (l < 0) continue;
                for (int n = 0; n < kLanes; ++n) Take(v[k][n], m[k][n], v[l][n], m[l][n]);
            }
    }

    QUIMBA_INLINE void TurnStart(LaneRow& outM) {
        Writes();
        Throw();
        Choose();
        Throw();
        Choose();
        const KeepSets& s = keep::Sets();
        for (int n = 0; n < kLanes; ++n) outM[n] = Lane{};
        for (int o = 0; o < kOutcomes; ++o)
            for (int n = 0; n < kLanes; ++n) outM[n] += m[o][n] * s.chance[o];
    }
};

#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void SolveMoments(MomentSolver& solver, LaneRow& out) {
    solver.TurnStart(out);
}

// Standard normal distribution function.
double Phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

}  // namespace

WinChances WinChances::Build(const StrategyTable& table, unsigned threads) {
    WinChances w;
    w.table_ = &table;
    w.type_ = table.Type();
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const KeepSets& s = keep::Sets();

    if (w.type_ == kAscendant || w.type_ == kDescendant) {
        w.remaining_.assign(std::size_t{kRounds + 1} * kUpperStates * kScores, 0.0);
        auto law = [&](int turn, int upper) {
            return w.remaining_.data() + (static_cast<std::size_t>(turn) * kUpperStates + upper) * kScores;
        };
        for (int u = 0; u < kUpperStates; ++u) law(kRounds, u)[-kLowest] = 1.0;
        for (int turn = kRounds - 1; turn >= 0; --turn) {
            const int row = ForcedRow(w.type_, turn);
            const ColumnState after{static_cast<std::uint16_t>((1u << (turn + 1)) - 1), 0};
            for (int u = 0; u < kUpperStates; ++u) {
                std::array<double, kOutcomes> write{};
                for (int o = 0; o < kOutcomes; ++o) {
                    const int gain = Gain(row, s.counts[o]);
                    const int up = row <= ligne6 ? std::min(kUpperCap, u + gain) : u;
                    const int bonus = row <= ligne6 ? UpperBonusGained(u, gain) : 0;
                    write[o] = gain + bonus + table.Value({after.filled, up});
                }
                const std::array<double, kOutcomes> written = WrittenOutcomes(write);
                double* out = law(turn, u);
                for (int o = 0; o < kOutcomes; ++o) {
                    if (written[o] == 0) continue;
                    const int gain = Gain(row, s.counts[o]);
                    const int up = row <= ligne6 ? std::min(kUpperCap, u + gain) : u;
                    const int shift = gain + (row <= ligne6 ? UpperBonusGained(u, gain) : 0);
                    const double* next = law(turn + 1, up);
                    for (int i = std::max(0, -shift); i < kScores && i + shift < kScores; ++i)
                        out[i + shift] += written[o] * next[i];
                }
            }
        }
    } else if (w.type_ == kNormal) {
        w.second_.assign(std::size_t{1u << kChosen} * kUpperStates, 0.0);
        std::vector<double> values(w.second_.size());
        for (unsigned mask = 0; mask <= kFullSheet; ++mask)
            for (int u = 0; u < kUpperStates; ++u)
                values[std::size_t{mask} * kUpperStates + u] = table.Value({static_cast<std::uint16_t>(mask), u});
        std::array<std::vector<unsigned>, kChosen + 1> byFilled;
        for (unsigned mask = 0; mask <= kFullSheet; ++mask) byFilled[std::popcount(mask)].push_back(mask);
        double* second = w.second_.data();
        for (int filled = kChosen - 1; filled >= 0; --filled) {
            const auto& masks = byFilled[filled];
            turn::ParallelFor<MomentSolver>(static_cast<int>(masks.size()), threads, [&](int item, MomentSolver& ms) {
                double bv[kUpperStates], bm[kUpperStates];
                const unsigned mask = masks[item];
                ms.nUpper = ms.nLower = 0;
                for (int row : kChosenRows) {
                    const int bit = BitOf(row);
                    if (mask & (1u << bit)) continue;
                    const std::size_t next = std::size_t{mask | (1u << bit)} * kUpperStates;
                    const double* nv = values.data() + next;
                    const double* nm = second + next;
                    if (row <= ligne6) {
                        ms.upperFree[ms.nUpper++] = row - 1;
                        for (int count = 0; count <= kDice; ++count) {
                            const int points = row * count;
                            for (int u = 0; u < kUpperStates; ++u) {
                                const int up = std::min(kUpperCap, u + points);
                                const double c = points + UpperBonusGained(u, points);
                                bv[u] = c + nv[up];
                                bm[u] = c * c + 2.0 * c * nv[up] + nm[up];
                            }
                            LoadRow(ms.upV[row - 1][count], bv);
                            LoadRow(ms.upM[row - 1][count], bm);
                        }
                    } else {
                        const int i = bit - kUpperRows;
                        ms.lowerFree[ms.nLower++] = i;
                        LoadRow(ms.loV[i], nv);
                        LoadRow(ms.loM[i], nm);
                    }
                }
                LaneRow out;
                SolveMoments(ms, out);
                turn::StoreRow(out, second + std::size_t{mask} * kUpperStates);
            });
        }
    }
    return w;
}

double WinChances::Mean(ColumnState s) const { return table_ ? table_->Value(s) : 0.0; }

double WinChances::Spread(ColumnState s) const {
    const double mean = Mean(s);
    double second = 0;
    if (type_ == kNormal && !second_.empty()) {
        second = second_[std::size_t{s.filled & kFullSheet} * kUpperStates + std::clamp(s.upper, 0, kUpperCap)];
    } else if (!remaining_.empty()) {
        const int turn = std::popcount(static_cast<unsigned>(s.filled & kFullSheet));
        const double* law =
            remaining_.data() +
            (std::size_t{static_cast<unsigned>(turn)} * kUpperStates + std::clamp(s.upper, 0, kUpperCap)) * kScores;
        for (int i = 0; i < kScores; ++i) second += law[i] * double(i + kLowest) * double(i + kLowest);
    }
    return std::sqrt(std::max(0.0, second - mean * mean));
}

std::size_t WinChances::Bytes() const {
    return remaining_.capacity() * sizeof(double) + second_.capacity() * sizeof(double);
}

std::vector<double> WinChances::FinalScores(const SeatPosition& seat) const {
    std::vector<double> p(kScores, 0.0);
    const ColumnState s = seat.state;
    const int upper = std::clamp(s.upper, 0, kUpperCap);
    auto put = [&](int score, double chance) { p[std::clamp(score - kLowest, 0, kScores - 1)] += chance; };
    if (!remaining_.empty()) {
        const int turn = std::popcount(static_cast<unsigned>(s.filled & kFullSheet));
        const double* law =
            remaining_.data() + (std::size_t{static_cast<unsigned>(turn)} * kUpperStates + upper) * kScores;
        for (int i = 0; i < kScores; ++i)
            if (law[i] != 0) put(seat.points + i + kLowest, law[i]);
        return p;
    }
    const unsigned filled = s.filled & kFullSheet;
    if (std::popcount(filled) == kChosen - 1) {
        // The last turn of a column: its law is exact and cheap, where a
        // normal law would spread one row's few scores over a bell.
        const int row = kChosenRows[std::countr_one(filled)];
        const KeepSets& sets = keep::Sets();
        std::array<double, kOutcomes> write{};
        for (int o = 0; o < kOutcomes; ++o) {
            const int gain = Gain(row, sets.counts[o]);
            write[o] = gain + (row <= ligne6 ? UpperBonusGained(upper, gain) : 0);
        }
        const std::array<double, kOutcomes> written = WrittenOutcomes(write);
        for (int o = 0; o < kOutcomes; ++o)
            if (written[o] != 0) put(seat.points + static_cast<int>(write[o]), written[o]);
        return p;
    }
    const double mean = seat.points + Mean(s);
    const double spread = Spread(s);
    if (spread < 1e-6) {
        put(static_cast<int>(std::lround(mean)), 1.0);
        return p;
    }
    // The normal law on whole points: each score takes the half-point either side.
    double below = 0;
    for (int i = 0; i < kScores; ++i) {
        const double upTo = i + 1 == kScores ? 1.0 : Phi((i + kLowest + 0.5 - mean) / spread);
        p[i] = upTo - below;
        below = upTo;
    }
    return p;
}

std::vector<double> WinChances::Chances(const std::vector<SeatPosition>& seats) const {
    const int n = static_cast<int>(seats.size());
    std::vector<std::vector<double>> laws;
    laws.reserve(n);
    for (const SeatPosition& seat : seats) laws.push_back(FinalScores(seat));
    // below[j][k]: chance that seat j ends under score k; the same or under
    // for the later seats, which a tie does not help.
    std::vector<std::vector<double>> below(n, std::vector<double>(kScores + 1, 0.0));
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < kScores; ++k) below[j][k + 1] = below[j][k] + laws[j][k];
    std::vector<double> chances(n, 0.0);
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int k = 0; k < kScores; ++k) {
            if (laws[i][k] == 0) continue;
            double others = 1.0;
            for (int j = 0; j < n && others > 0; ++j) {
                if (j == i) continue;
                others *= j < i ? below[j][k] : below[j][k + 1];
            }
            sum += laws[i][k] * others;
        }
        chances[i] = sum;
    }
    return chances;
}

}  // namespace quimba
