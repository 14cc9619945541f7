// The review of computer games: the identity against the game's own totals,
// the spread of the chances' laws against the scores played, and the
// calibration of the chances to win.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ReviewRecorder.h"
#include "SimOptions.h"
#include "SimStats.h"
#include "Simulator.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

// The ladder and the best play, short so the table rows read on one line.
constexpr Level C = Level::Classic;
constexpr Level E = Level::Expert;

struct GamesCase {
    const char* name;
    int type;
    std::vector<Level> levels;  // per seat
    int games;
};

class ReviewedGames : public ::testing::TestWithParam<GamesCase> {};

// The final total the game tallied is the expected start plus the luck
// minus the cost; the best play costs nothing; the ladder's last-resort
// writes show up as gifts.
TEST_P(ReviewedGames, AddUpToTheGamesTotals) {
    const GamesCase& c = GetParam();
    const int players = static_cast<int>(c.levels.size());
    Simulator simulator(99, std::vector<std::string>(93));
    simulator.SetLevels(c.levels);
    const StrategyTable* table = simulator.Table(c.type);
    ReviewRecorder recorder(nullptr, nullptr, nullptr);
    GameResult result;
    std::string error;
    std::vector<int> gifts(players, 0);
    for (int n = 0; n < c.games; ++n) {
        recorder.BeginGame(c.type, players);
        ASSERT_TRUE(simulator.PlayGame(players, c.type, &recorder, result, error)) << error;
        const Result<GameReview> review = ReviewOf(*table, recorder.Recorded(), nullptr);
        ASSERT_TRUE(review.Ok()) << review.Error();
        for (int s = 0; s < players; ++s) {
            const SeatReview& r = review.Value().seats[s];
            ASSERT_NEAR(result.totals[s], r.start + r.luck - r.cost, 0.01) << "game " << n << " seat " << s;
            if (c.levels[s] == Level::Expert) {
                ASSERT_EQ(r.cost, 0.0) << "game " << n << " seat " << s;
            }
            gifts[s] += r.verdicts[static_cast<int>(Verdict::Gift)];
        }
    }
    for (int s = 0; s < players; ++s) {
        if (c.levels[s] == Level::Expert) {
            EXPECT_EQ(gifts[s], 0);
        } else if (c.type == kNormal) {
            EXPECT_GT(gifts[s], 0) << "seat " << s;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sim, ReviewedGames,
    ::testing::Values(GamesCase{.name = "normal", .type = kNormal, .levels = {C, E, C}, .games = 400},
                      GamesCase{.name = "ascendant", .type = kAscendant, .levels = {E, C}, .games = 500},
                      GamesCase{.name = "descendant", .type = kDescendant, .levels = {C, E, E, C}, .games = 300}),
    [](const auto& info) { return std::string(info.param.name); });

// The spread of a fresh column's final score, from the second table in
// Normal and the exact law in the forced orders, is the spread the best play
// shows in games.
TEST(WinChancesSpread, MatchesTheScoresPlayed) {
    for (int type : {kNormal, kAscendant}) {
        constexpr int kPlayers = 4;
        constexpr int kGames = 500;
        Simulator simulator(555, std::vector<std::string>(93));
        simulator.SetLevels(std::vector<Level>(kPlayers, Level::Expert));
        const WinChances chances = WinChances::Build(*simulator.Table(type));
        ScoreSeries scores;
        GameResult result;
        std::string error;
        for (int n = 0; n < kGames; ++n) {
            ASSERT_TRUE(simulator.PlayGame(kPlayers, type, nullptr, result, error)) << error;
            for (int total : result.totals) scores.Add(total);
        }
        // The sample's standard deviation errs by about sigma / sqrt(2n)
        // (a little more for the heavy tails); four of those.
        const double spread = chances.Spread({});
        const double tolerance = 4 * spread / std::sqrt(2.0 * scores.Count()) * 1.3;
        EXPECT_NEAR(scores.StdDev(), spread, tolerance) << TypeName(type);
    }
}

// The chances come true as often as they say. Predictions in one game lean
// on each other, so a group's error is measured game by game: the group's
// mean miss must stay within four of its own standard errors, and the
// chances must beat the leader-only prediction in mean squared error.
TEST(WinChancesCalibration, HoldsInNormalGames) {
    constexpr int kPlayers = 2;
    constexpr int kGames = 1000;
    Simulator simulator(2026, std::vector<std::string>(93));
    simulator.SetLevels(std::vector<Level>(kPlayers, Level::Expert));
    const StrategyTable* table = simulator.Table(kNormal);
    const WinChances chances = WinChances::Build(*table);
    ReviewRecorder recorder(nullptr, nullptr, nullptr);
    struct Group {
        int count = 0;
        double miss = 0;         // sum of (came true - predicted)
        double missSquares = 0;  // sum over games of the game's miss, squared
    };
    std::array<Group, 10> groups{};
    double brier = 0, leaderBrier = 0;
    int predictions = 0;
    GameResult result;
    std::string error;
    for (int n = 0; n < kGames; ++n) {
        recorder.BeginGame(kNormal, kPlayers);
        ASSERT_TRUE(simulator.PlayGame(kPlayers, kNormal, &recorder, result, error)) << error;
        const Result<GameReview> review = ReviewOf(*table, recorder.Recorded(), &chances);
        ASSERT_TRUE(review.Ok()) << review.Error();
        std::array<double, 10> gameMiss{};
        for (const ReviewTurnStart& start : review.Value().starts) {
            // The leader-only prediction: the seats with the most points on
            // the sheet now share a chance of 1.
            const int top = *std::max_element(start.points.begin(), start.points.end());
            const auto leaders = std::count(start.points.begin(), start.points.end(), top);
            for (int s = 0; s < kPlayers; ++s) {
                const double p = start.chances[s];
                const double y = s == result.winner ? 1.0 : 0.0;
                const double lead = start.points[s] == top ? 1.0 / static_cast<double>(leaders) : 0.0;
                const int g = std::min(9, static_cast<int>(p * 10));
                groups[g].count++;
                groups[g].miss += y - p;
                gameMiss[g] += y - p;
                brier += (p - y) * (p - y);
                leaderBrier += (lead - y) * (lead - y);
                ++predictions;
            }
        }
        for (int g = 0; g < 10; ++g) groups[g].missSquares += gameMiss[g] * gameMiss[g];
    }
    for (int g = 0; g < 10; ++g) {
        const Group& group = groups[g];
        if (group.count < 200) continue;
        const double error = group.miss / group.count;
        const double standardError = std::sqrt(group.missSquares) / group.count;
        EXPECT_LT(std::abs(error), 4 * standardError) << "group " << g << " of " << group.count;
        EXPECT_LT(std::abs(error), 0.03) << "group " << g;
    }
    EXPECT_LT(brier, leaderBrier) << "mean squared error " << brier / predictions << " against "
                                  << leaderBrier / predictions;
}

// The command line: one review line per seat per game, and with the trace a
// chances event, adding up to 1, just before every turn's first throw.
TEST(ReviewCommand, WritesSeatLinesAndChances) {
    constexpr int kGames = 6;
    constexpr int kPlayers = 3;
    const std::string cmd = std::string("\"") + QUIMBA_SIM_PATH + "\" --games " + std::to_string(kGames) +
                            " --strategies ladder,optimal,ladder --type descendant --seed 8"
                            " --review review_cmd.jsonl --trace review_cmd_trace.jsonl --chances >review_cmd.out";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream review("review_cmd.jsonl");
    std::string line;
    int lines = 0;
    while (std::getline(review, line)) {
        long game = 0;
        int seat = 0, final = 0, used = 0;
        char type[16] = {};
        double start = 0, luck = 0, cost = 0;
        ASSERT_EQ(std::sscanf(line.c_str(),
                              "{\"game\":%ld,\"seat\":%d,\"type\":\"%15[a-z]\",\"start\":%lf,\"luck\":%lf,"
                              "\"cost\":%lf,\"final\":%d}%n",
                              &game, &seat, type, &start, &luck, &cost, &final, &used),
                  7)
            << line;
        EXPECT_EQ(used, static_cast<int>(line.size())) << line;
        EXPECT_EQ(game, lines / kPlayers + 1);
        EXPECT_EQ(seat, lines % kPlayers);
        EXPECT_STREQ(type, "descendant");
        EXPECT_NEAR(final, start + luck - cost, 0.01) << line;
        ++lines;
    }
    EXPECT_EQ(lines, kGames * kPlayers);

    std::ifstream trace("review_cmd_trace.jsonl");
    int chances = 0;
    bool chancesBefore = false;
    while (std::getline(trace, line)) {
        if (line.rfind("{\"ev\":\"chances\",\"p\":[", 0) == 0) {
            double p[kPlayers + 1] = {};
            int used = 0;
            ASSERT_EQ(
                std::sscanf(line.c_str(), "{\"ev\":\"chances\",\"p\":[%lf,%lf,%lf]}%n", &p[0], &p[1], &p[2], &used), 3)
                << line;
            EXPECT_EQ(used, static_cast<int>(line.size())) << line;
            EXPECT_NEAR(p[0] + p[1] + p[2], 1.0, 1e-5) << line;
            chancesBefore = true;
            ++chances;
            continue;
        }
        const bool firstThrow =
            line.find("\"ev\":\"throw\"") != std::string::npos && line.find("\"n\":1,") != std::string::npos;
        EXPECT_EQ(firstThrow, chancesBefore) << line;
        chancesBefore = false;
    }
    EXPECT_EQ(chances, kGames * kPlayers * kRounds);
}

}  // namespace
