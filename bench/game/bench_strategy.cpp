// The strategy table: building it, answering one position, and whole games
// played by the expert.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Simulator.h"
#include "Strategy.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

void BM_BuildTable(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    const unsigned threads = static_cast<unsigned>(state.range(1));
    std::size_t states = 0, bytes = 0;
    for (auto _ : state) {
        const StrategyTable table = StrategyTable::Build(type, threads);
        states = table.States();
        bytes = table.Bytes();
        benchmark::DoNotOptimize(table.Value({}));
    }
    state.counters["states"] = static_cast<double>(states);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["states/s"] = benchmark::Counter(
        static_cast<double>(states) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// One position: the first throw of a fresh Normal column, where the advice
// has the most choices to weigh (all thirteen rows and every kept set).
void BM_Advise(benchmark::State& state) {
    static const StrategyTable table = StrategyTable::Build(kNormal);
    ScoreSheet sheet;
    GameState gs;
    gs.typejeu = kNormal;
    gs.nblancers = static_cast<int>(state.range(0));
    gs.valeurde = {0, 2, 3, 3, 5, 6};
    std::size_t choices = 0;
    for (auto _ : state) {
        const auto advice = Advise(table, sheet, gs);
        choices = advice.size();
        benchmark::DoNotOptimize(advice.data());
    }
    state.counters["choices"] = static_cast<double>(choices);
}

// Whole games of the simulator, every seat optimal, animation frames
// included; the table is built before the clock starts.
void BM_OptimalGames(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    Simulator simulator(777, std::vector<std::string>(93));
    simulator.SetLevels({Level::Expert, Level::Expert});
    simulator.Table(type);
    GameResult result;
    std::string error;
    long games = 0;
    for (auto _ : state) {
        if (!simulator.PlayGame(2, type, nullptr, result, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        ++games;
    }
    state.counters["games/s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_BuildTable)->Args({kNormal, 1})->Args({kNormal, 2})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildTable)->Args({kAscendant, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Advise)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OptimalGames)->Arg(kNormal)->Arg(kAscendant)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
