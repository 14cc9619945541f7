// Whole games played through the timers, by computers alone and with a person.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ScoreCheck.h"
#include "SystemPorts.h"
#include "TestSupport.h"

using namespace quimba;
using quimba::testing::FixedClock;
using quimba::testing::RecordingObserver;

namespace {

struct Table {
    explicit Table(unsigned long long seed) : random(seed) {}
    quimba::SeededRandom random;
    FixedClock clock;
    GameView view;
    Game game{random, clock, view};
    RecordingObserver order;
};

// The person's way of playing: throws `throws` times, keeping nothing, then
// takes the first row it may.
void PersonStep(Game& g, int throws) {
    if (g.S.nblancers < throws) {
        g.Button1Click();
        return;
    }
    if (g.S.typejeu == kNormal) {
        for (int r : kChosenRows)
            if (g.Grid.Free(g.S.joueur, r)) return g.GridSelectCell(g.S.joueur, r);
    }
    g.GridSelectCell(g.S.joueur, g.S.ligneimposee);
}

// Drives the game the way the message loop would until it ends; false when
// it gets stuck or runs away.
bool PlayToEnd(Game& g, int personThrows = 1) {
    for (long step = 0; step < 200000; ++step) {
        if (g.controls.FrameTimerEnabled) {
            g.FrameTimerTimer();
        } else if (g.controls.TimerordiEnabled) {
            g.TimerordiTimer();
        } else if (g.S.tour < kRounds && !g.Grid.IsComputer(g.S.joueur)) {
            PersonStep(g, personThrows);
        } else {
            return g.S.tour == kRounds;
        }
    }
    return false;
}

bool Multiple(int value, int of, int most) { return value >= 0 && value <= most && value % of == 0; }

// The final sheet: every chosen row filled with a value the rows allow, and
// the computed rows adding up.
void ExpectFinalSheet(const Game& g, int players) {
    for (int c = 0; c < players; ++c) {
        SCOPED_TRACE("column " + std::to_string(c));
        for (int r : kChosenRows) EXPECT_NE(g.Grid.Cell(c, r), "") << "row " << r;
        for (int f = 1; f <= 6; ++f) {
            const int v = g.Grid.Value(c, f);
            EXPECT_TRUE(Multiple(v, f, 5 * f)) << "row " << f << " holds " << v;
        }
        for (int r : {ligneplus, lignemoins}) {
            const int v = g.Grid.Value(c, r);
            EXPECT_TRUE(v >= 5 && v <= 30) << "row " << r << " holds " << v;
        }
        const int brelan = g.Grid.Value(c, lignebrelan);
        EXPECT_TRUE(brelan == 0 || (brelan >= 5 && brelan <= 30)) << brelan;
        EXPECT_TRUE(Multiple(g.Grid.Value(c, lignesuite), 20, 20));
        EXPECT_TRUE(Multiple(g.Grid.Value(c, lignefull), 30, 30));
        EXPECT_TRUE(Multiple(g.Grid.Value(c, lignecarre), 40, 40));
        EXPECT_TRUE(Multiple(g.Grid.Value(c, lignequimba), 50, 50));
        std::array<std::string, kRows> cells;
        for (int r : kChosenRows) cells[r] = g.Grid.Cell(c, r);
        const auto sums = quimba::scorecheck::SumColumn(cells);
        EXPECT_EQ(g.Grid.Cell(c, lignebonus), sums.bonus);
        EXPECT_EQ(g.Grid.Cell(c, lignesoustotal), sums.upper);
        EXPECT_EQ(g.Grid.Cell(c, lignetotal), sums.total);
    }
    for (int c = players; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) EXPECT_EQ(g.Grid.Cell(c, r), "") << c << "," << r;
}

std::vector<int> ForcedOrder(int type) {
    std::vector<int> rows(kChosenRows.begin(), kChosenRows.end());
    if (type == kAscendant) return {rows.rbegin(), rows.rend()};
    return rows;
}

struct GamesCase {
    const char* name;
    int type;
    int players;
};

void PrintTo(const GamesCase& c, std::ostream* os) { *os << c.name; }

class ComputerGames : public ::testing::TestWithParam<GamesCase> {};

TEST_P(ComputerGames, EndWithEveryRowFilledAndTotalsRight) {
    const GamesCase& c = GetParam();
    for (unsigned long long seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Table t(seed * 7919 + static_cast<unsigned long long>(c.type * 10 + c.players));
        Game& g = t.game;
        g.Subscribe(t.order);
        std::vector<std::string> names(c.players, "CPU");
        quimba::testing::StartGame(g, names, c.type);
        ASSERT_TRUE(PlayToEnd(g));
        EXPECT_EQ(g.S.tour, kRounds);
        EXPECT_EQ(g.S.joueur, c.players);
        EXPECT_EQ(g.controls.TimerordiEnabled, false);
        EXPECT_EQ(g.controls.glassbtn5Enabled, false);
        EXPECT_EQ(t.order.ends, 1);
        EXPECT_EQ(t.order.tallies, kRounds * c.players);
        EXPECT_EQ(static_cast<int>(t.order.writes.size()), kRounds * c.players);
        ExpectFinalSheet(g, c.players);
        if (c.type != kNormal) {
            for (int col = 0; col < c.players; ++col) {
                EXPECT_EQ(t.order.RowsOf(col), ForcedOrder(c.type)) << col;
            }
        }
        // The winner: the first column with the highest total.
        int winner = 0;
        for (int col = 1; col < c.players; ++col)
            if (g.Grid.Value(col, lignetotal) > g.Grid.Value(winner, lignetotal)) winner = col;
        ASSERT_EQ(g.ListBoxScore.Items().size(), 1u);
        EXPECT_EQ(g.ListBoxScore.Items()[0],
                  std::to_string(g.Grid.Value(winner, lignetotal)) + " --- " + t.clock.stamp + " --- CPU");
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, ComputerGames,
    ::testing::Values(GamesCase{"normal_2", kNormal, 2}, GamesCase{"normal_3", kNormal, 3},
                      GamesCase{"normal_4", kNormal, 4}, GamesCase{"normal_5", kNormal, 5},
                      GamesCase{"ascendant_2", kAscendant, 2}, GamesCase{"ascendant_3", kAscendant, 3},
                      GamesCase{"ascendant_4", kAscendant, 4}, GamesCase{"ascendant_5", kAscendant, 5},
                      GamesCase{"descendant_2", kDescendant, 2}, GamesCase{"descendant_3", kDescendant, 3},
                      GamesCase{"descendant_4", kDescendant, 4}, GamesCase{"descendant_5", kDescendant, 5}),
    [](const auto& info) { return std::string(info.param.name); });

struct MixedCase {
    const char* name;
    int type;
    std::vector<std::string> names;
    int personThrows;
};

void PrintTo(const MixedCase& c, std::ostream* os) { *os << c.name; }

class PersonAndComputer : public ::testing::TestWithParam<MixedCase> {};

TEST_P(PersonAndComputer, PlayToTheEnd) {
    const MixedCase& c = GetParam();
    const int players = static_cast<int>(c.names.size());
    for (unsigned long long seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Table t(seed);
        Game& g = t.game;
        g.Subscribe(t.order);
        quimba::testing::StartGame(g, c.names, c.type);
        ASSERT_TRUE(PlayToEnd(g, c.personThrows));
        EXPECT_EQ(g.S.tour, kRounds);
        EXPECT_EQ(static_cast<int>(t.order.writes.size()), kRounds * players);
        ExpectFinalSheet(g, players);
        for (int col = 0; col < players; ++col) {
            std::vector<int> expected = ForcedOrder(c.type);
            if (c.type != kNormal || !g.Grid.IsComputer(col)) {
                // Forced rows for all; in a Normal game the person takes the first free row.
                EXPECT_EQ(t.order.RowsOf(col), expected) << col;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mixed, PersonAndComputer,
    ::testing::Values(MixedCase{"normal_person_first", kNormal, {"JO1", "CPU"}, 1},
                      MixedCase{"normal_computer_first", kNormal, {"CPU", "JO2"}, 3},
                      MixedCase{"normal_two_computers_around_person", kNormal, {"CPU", "JO2", "CPU"}, 2},
                      MixedCase{"ascendant_person_between", kAscendant, {"CPU", "JO2", "CPU", "CPU"}, 1},
                      MixedCase{"descendant_person_last", kDescendant, {"CPU", "CPU", "JO3"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
