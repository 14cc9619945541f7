// Whole games of persons through the rules, every total checked against an independent scoring.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "ScoreCheck.h"
#include "SystemPorts.h"
#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

using quimba::scorecheck::RowWorth;
using quimba::scorecheck::SumColumn;

struct GameCase {
    const char* name;
    int type;
    std::vector<std::string> names;
    unsigned seed;
};

class PersonsGame : public ::testing::TestWithParam<GameCase> {};

TEST_P(PersonsGame, PlaysToTheEndWithTheRightTotals) {
    const GameCase& c = GetParam();
    quimba::SeededRandom random(c.seed);
    FixedClock clock;
    RecordingView view;
    Game g(random, clock, view);
    for (int n = 0; n < kLanguageLineCount; ++n) g.T.push_back("L" + std::to_string(n));
    RecordingObserver rec;
    g.Subscribe(rec);
    StartGame(g, c.names, c.type);
    const int players = static_cast<int>(c.names.size());

    // The players' own choices come from a stream of their own.
    std::mt19937 hand(c.seed * 7 + 1);
    auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(hand); };

    int turns = 0;
    while (g.S.tour < kRounds) {
        ASSERT_LT(turns, 13 * players) << "the game does not end";
        const int player = g.S.joueur;
        ASSERT_TRUE(g.controls.glassbtn5Enabled);
        const int throws = 1 + chance(3);
        for (int t = 1; t <= throws; ++t) {
            const Dice before = DiceOf(g);
            std::array<int, 6> kept = {0, g.S.garde[1], g.S.garde[2], g.S.garde[3], g.S.garde[4], g.S.garde[5]};
            g.Button1Click();
            for (int i = 1; i <= 5; ++i)
                if (kept[i]) {
                    ASSERT_EQ(g.S.valeurde[i], before[i - 1]) << "a kept die keeps its value";
                }
            ASSERT_TRUE(RunAnimation(g, 60));
            ASSERT_EQ(g.S.nblancers, t);
            if (t < throws) {
                for (int i = 1; i <= 5; ++i)
                    if (chance(2)) g.DiceTableMouseDown(g.S.posx[i] + 30, g.S.posy[i] + 30);
            }
        }
        EXPECT_EQ(g.controls.glassbtn5Enabled, throws < 3);
        int row = g.S.ligneimposee;
        if (c.type == kNormal) {
            std::vector<int> free;
            for (int r : kChosenRows)
                if (g.Grid.Free(player, r)) free.push_back(r);
            ASSERT_FALSE(free.empty());
            row = free[chance(static_cast<int>(free.size()))];
        }
        const std::size_t written = rec.writes.size();
        g.GridSelectCell(player, row);
        ASSERT_EQ(rec.writes.size(), written + 1) << "the pick of row " << row << " was refused";
        ++turns;
    }

    // Every written row is worth what its dice give.
    for (std::size_t i = 0; i < rec.writes.size(); ++i) {
        const auto& w = rec.writes[i];
        EXPECT_EQ(w.text, std::to_string(RowWorth(w.row, rec.writtenFrom[i])))
            << "column " << w.column << " row " << w.row;
    }

    std::vector<int> totals;
    for (int col = 0; col < players; ++col) {
        std::vector<int> rows = rec.RowsOf(col);
        if (c.type == kDescendant) {
            EXPECT_EQ(rows, std::vector<int>(kChosenRows.begin(), kChosenRows.end()));
        }
        if (c.type == kAscendant) {
            EXPECT_EQ(rows, std::vector<int>(kChosenRows.rbegin(), kChosenRows.rend()));
        }
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, std::vector<int>(kChosenRows.begin(), kChosenRows.end())) << "column " << col;

        std::array<std::string, kRows> cells;
        for (const auto& w : rec.writes)
            if (w.column == col) cells[w.row] = w.text;
        const auto sums = SumColumn(cells);
        EXPECT_EQ(g.Grid.Cell(col, lignebonus), sums.bonus) << "column " << col;
        EXPECT_EQ(g.Grid.Cell(col, lignesoustotal), sums.upper) << "column " << col;
        EXPECT_EQ(g.Grid.Cell(col, lignetotal), sums.total) << "column " << col;
        totals.push_back(std::stoi(sums.total));
    }

    const int best = static_cast<int>(std::max_element(totals.begin(), totals.end()) - totals.begin());
    const std::string winner = c.names[best];
    const std::string score = std::to_string(totals[best]);
    EXPECT_EQ(rec.ends, 1);
    EXPECT_EQ(g.controls.resultext, "L91 " + winner + " " + score + " L92");
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{score + " --- " + clock.stamp + " --- " + winner});
    if (totals[best] > 0) {
        EXPECT_EQ(g.S.meilleurscore, totals[best]);
        EXPECT_EQ(g.S.meilleurnom, winner);
    }
    EXPECT_EQ(g.S.joueur, players);
    EXPECT_EQ(g.S.tour, 13);
    EXPECT_FALSE(g.controls.glassbtn5Enabled);
    EXPECT_FALSE(g.controls.TimerordiEnabled);
    EXPECT_EQ(view.sounds.back(), kTallySound);
    EXPECT_EQ(std::count(view.sounds.begin(), view.sounds.end(), kTallySound), 13 * players);
}

INSTANTIATE_TEST_SUITE_P(Types, PersonsGame,
                         ::testing::Values(GameCase{"normal_two", kNormal, {"ANNE", "BOB"}, 1},
                                           GameCase{"normal_three", kNormal, {"ANNE", "BOB", "CLEO"}, 2},
                                           GameCase{"normal_five", kNormal, {"A", "B", "C", "D", "E"}, 3},
                                           GameCase{"ascendant_two", kAscendant, {"ANNE", "BOB"}, 4},
                                           GameCase{"ascendant_four", kAscendant, {"ANNE", "BOB", "CLEO", "DAN"}, 5},
                                           GameCase{"descendant_two", kDescendant, {"ANNE", "BOB"}, 6},
                                           GameCase{"descendant_three", kDescendant, {"ANNE", "BOB", "CLEO"}, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
