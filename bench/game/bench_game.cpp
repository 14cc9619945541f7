// How many whole computer games the rules play per second, every animation
// frame and every computer tick included, with drawing and sound discarded.
#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>
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

// Resident memory of this process, in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0;
}

// 200,000 games in one run: the games per CPU second of the last 10,000
// against the first 10,000 (a ratio of 1 when nothing piles up; CPU time, so
// that a shared machine does not blur it), and what the resident memory grew
// by over the run.
void BM_LongRunStaysFlat(benchmark::State& state) {
    constexpr long kGames = 200000;
    constexpr long kWindow = 10000;
    for (auto _ : state) {
        Simulator simulator(777, std::vector<std::string>(93));
        GameResult result;
        std::string error;
        const double before = ResidentBytes();
        double firstRate = 0;
        double lastRate = 0;
        std::clock_t windowStart = std::clock();
        for (long game = 0; game < kGames; ++game) {
            if (game == kGames - kWindow) windowStart = std::clock();
            if (!simulator.PlayGame(2, kNormal, nullptr, result, error)) {
                state.SkipWithError(error.c_str());
                return;
            }
            if (game == kWindow - 1 || game == kGames - 1) {
                const double took = static_cast<double>(std::clock() - windowStart) / CLOCKS_PER_SEC;
                (game == kWindow - 1 ? firstRate : lastRate) = kWindow / took;
            }
        }
        state.counters["first_10k_games/s"] = firstRate;
        state.counters["last_10k_games/s"] = lastRate;
        state.counters["last/first"] = lastRate / firstRate;
        state.counters["resident_growth_MB"] = (ResidentBytes() - before) / 1e6;
    }
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
BENCHMARK(BM_LongRunStaysFlat)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
