// How many whole computer games the rules play per second, every animation
// frame and every computer tick included, with drawing and sound discarded.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Simulator.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

void PlayGames(benchmark::State& state, int type) {
    const int players = static_cast<int>(state.range(0));
    Simulator simulator(12345, std::vector<std::string>(93));
    GameResult result;
    std::string error;
    long games = 0;
    for (auto _ : state) {
        if (!simulator.PlayGame(players, type, nullptr, result, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.totals.data());
        ++games;
    }
    state.counters["games/s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
}

void BM_NormalGame(benchmark::State& state) { PlayGames(state, kNormal); }
void BM_AscendantGame(benchmark::State& state) { PlayGames(state, kAscendant); }

// One throw's animation on its own: frames until the dice settle.
void BM_ThrowAnimation(benchmark::State& state) {
    Simulator simulator(99, std::vector<std::string>(93));
    Game& g = simulator.game();
    g.S.nbjoueurs = 2;
    g.Form2.Edit[1] = "JO1";
    g.Form2.Edit[2] = "JO2";
    g.Form2.button1Click(g.S, g.Grid, g.controls);
    long frames = 0;
    for (auto _ : state) {
        g.S.nblancers = 0;
        g.Button1Click();
        while (g.controls.FrameTimerEnabled) {
            g.FrameTimerTimer();
            ++frames;
        }
    }
    state.counters["frames/throw"] =
        benchmark::Counter(static_cast<double>(frames) / static_cast<double>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_NormalGame)->Arg(2)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NormalGame)->Name("BM_NormalGame_10000")->Arg(2)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AscendantGame)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThrowAnimation)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
