// The optimal play in whole simulated games lands on the solved value, and
// the command line prints the solved values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "SimStats.h"
#include "Simulator.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

struct MonteCarloCase {
    const char* name;
    int type;
    unsigned long long seed;
};

class OptimalPlay : public ::testing::TestWithParam<MonteCarloCase> {};

// Every seat plays optimally and alone: the seats do not look at each
// other, so each column is one sample of a lone player's final score.
TEST_P(OptimalPlay, MeanLandsOnTheSolvedValue) {
    const MonteCarloCase& c = GetParam();
    constexpr int kPlayers = 3;
    constexpr int kGames = 200;
    Simulator simulator(c.seed, std::vector<std::string>(93));
    simulator.SetLevels(std::vector<Level>(kPlayers, Level::Expert));
    const StrategyTable* table = simulator.Table(c.type);
    ASSERT_NE(table, nullptr);
    ScoreSeries scores;
    GameResult result;
    std::string error;
    for (int n = 0; n < kGames; ++n) {
        ASSERT_TRUE(simulator.PlayGame(kPlayers, c.type, nullptr, result, error)) << error;
        for (int total : result.totals) scores.Add(total);
    }
    const double solved = table->Value({});
    const double standardError = scores.StdDev() / std::sqrt(static_cast<double>(scores.Count()));
    EXPECT_GT(standardError, 0.5);
    EXPECT_LT(std::abs(scores.Mean() - solved), 3 * standardError)
        << "mean " << scores.Mean() << " solved " << solved << " standard error " << standardError;
}

INSTANTIATE_TEST_SUITE_P(Sim, OptimalPlay,
                         ::testing::Values(MonteCarloCase{"normal", kNormal, 101},
                                           MonteCarloCase{"ascendant", kAscendant, 202},
                                           MonteCarloCase{"descendant", kDescendant, 303}),
                         [](const auto& info) { return std::string(info.param.name); });

// The expert beats the ladder seat by seat in the same games, by a margin
// near the one the solved value predicts over the ladder's mean.
TEST(OptimalPlay, BeatsTheLadderInNormalGames) {
    Simulator simulator(404, std::vector<std::string>(93));
    simulator.SetLevels({Level::Expert, Level::Classic});
    SimStats stats(2);
    GameResult result;
    std::string error;
    for (int n = 0; n < 200; ++n) {
        ASSERT_TRUE(simulator.PlayGame(2, kNormal, nullptr, result, error)) << error;
        stats.AddGame(result.totals, result.winner);
    }
    EXPECT_GT(stats.Seat(0).Mean(), stats.Seat(1).Mean() + 20);
    EXPECT_GT(stats.Wins(0), stats.Wins(1));
}

// --solve prints one line per game type with the solved value to four
// decimals, the number of states, the time and the memory.
TEST(SolveCommand, PrintsTheThreeSolvedValues) {
    const std::string out = "sim_solve.out";
    const std::string cmd = std::string("\"") + QUIMBA_SIM_PATH + "\" --solve >" + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::FILE* f = std::fopen(out.c_str(), "r");
    ASSERT_NE(f, nullptr);
    const char* names[] = {"normal", "ascendant", "descendant"};
    const std::size_t states[] = {524288, 832, 832};
    for (int type = 1; type <= 3; ++type) {
        char name[32] = {};
        double value = 0, seconds = 0, mib = 0;
        std::size_t count = 0;
        ASSERT_EQ(
            std::fscanf(f, "%31s optimal %lf %zu states built in %lf s %lf MiB", name, &value, &count, &seconds, &mib),
            5)
            << "line " << type;
        EXPECT_STREQ(name, names[type - 1]);
        const StrategyTable table = StrategyTable::Build(type);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.4f", table.Value({}));
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.4f", value);
        EXPECT_STREQ(printed, expected);
        EXPECT_EQ(count, states[type - 1]);
        EXPECT_GT(mib, 0);
        EXPECT_LE(mib, 8);
    }
    std::fclose(f);
}

}  // namespace
