// The review: a whole recorded game, one turn start's chances, and the extra
// table the Normal chances need, against the strategy table's own build in
// the same run.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ReviewRecorder.h"
#include "Simulator.h"
#include "WinChances.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

// A four-player game, two ladder seats and two best-play seats.
ReviewGame RecordedGame(Simulator& simulator, int type) {
    simulator.SetLevels({Level::Classic, Level::Expert, Level::Classic, Level::Expert});
    ReviewRecorder recorder(nullptr, nullptr, nullptr);
    recorder.BeginGame(type, 4);
    GameResult result;
    std::string error;
    simulator.PlayGame(4, type, &recorder, result, error);
    return recorder.Recorded();
}

const WinChances& Chances(Simulator& simulator, int type) {
    static std::vector<std::unique_ptr<WinChances>> built(4);
    if (!built[type]) built[type] = std::make_unique<WinChances>(WinChances::Build(*simulator.Table(type)));
    return *built[type];
}

Simulator& SharedSimulator() {
    static Simulator simulator(4242, std::vector<std::string>(93));
    return simulator;
}

// All seats, all decisions, the chances at every turn start.
void BM_ReviewGame(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    Simulator& simulator = SharedSimulator();
    const ReviewGame game = RecordedGame(simulator, type);
    const StrategyTable& table = *simulator.Table(type);
    const WinChances& chances = Chances(simulator, type);
    std::size_t decisions = 0;
    for (auto _ : state) {
        const Result<GameReview> review = ReviewOf(table, game, &chances);
        decisions = review.Value().decisions.size();
        benchmark::DoNotOptimize(review.Value().seats.data());
    }
    state.counters["decisions"] = static_cast<double>(decisions);
}

// Four seats halfway through a game.
void BM_ChancesOneTurnStart(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    const WinChances& chances = Chances(SharedSimulator(), type);
    const std::vector<SeatPosition> seats{{{0x0f3, 20}, 95}, {{0x1c7, 41}, 120}, {{0x055, 9}, 80}, {{0x0f0, 0}, 70}};
    std::vector<SeatPosition> forced = seats;
    for (auto& s : forced) s.state.filled = 0x3f;  // six rows written
    for (auto _ : state) {
        const std::vector<double> p = chances.Chances(type == kNormal ? seats : forced);
        benchmark::DoNotOptimize(p.data());
    }
}

// The baseline: the strategy table the chances stand on.
void BM_BuildStrategyTable(benchmark::State& state) {
    for (auto _ : state) {
        const StrategyTable table = StrategyTable::Build(kNormal, 2);
        benchmark::DoNotOptimize(table.Value({}));
    }
}

void BM_BuildWinChances(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    const StrategyTable& table = *SharedSimulator().Table(type);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const WinChances chances = WinChances::Build(table, 2);
        bytes = chances.Bytes();
        benchmark::DoNotOptimize(chances.Spread({}));
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_ReviewGame)->Arg(kNormal)->Arg(kAscendant)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChancesOneTurnStart)->Arg(kNormal)->Arg(kAscendant)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildStrategyTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildWinChances)->Arg(kNormal)->Arg(kAscendant)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
