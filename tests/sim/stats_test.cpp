// The simulator's statistics: means, spreads, ranges and the winner of each game.
#include <gtest/gtest.h>

#include <cmath>

#include "SimStats.h"

using namespace quimba::sim;

namespace {

TEST(ScoreSeries, MeanSpreadAndRange) {
    ScoreSeries s;
    for (int v : {2, 4, 4, 4, 5, 5, 7, 9}) s.Add(v);
    EXPECT_EQ(s.Count(), 8);
    EXPECT_DOUBLE_EQ(s.Mean(), 5.0);
    EXPECT_DOUBLE_EQ(s.StdDev(), 2.0);
    EXPECT_EQ(s.Min(), 2);
    EXPECT_EQ(s.Max(), 9);
}

TEST(ScoreSeries, NegativeScoresAndASingleOne) {
    ScoreSeries s;
    s.Add(-12);
    EXPECT_DOUBLE_EQ(s.Mean(), -12.0);
    EXPECT_DOUBLE_EQ(s.StdDev(), 0.0);
    EXPECT_EQ(s.Min(), -12);
    EXPECT_EQ(s.Max(), -12);
    s.Add(-20);
    EXPECT_EQ(s.Min(), -20);
    EXPECT_EQ(s.Max(), -12);
    EXPECT_DOUBLE_EQ(s.StdDev(), 4.0);
}

TEST(ScoreSeries, KeepsPrecisionOverManyScores) {
    ScoreSeries s;
    for (int i = 0; i < 200000; ++i) s.Add(1000000 + (i % 2 ? 3 : -3));
    EXPECT_NEAR(s.Mean(), 1000000.0, 1e-6);
    EXPECT_NEAR(s.StdDev(), 3.0, 1e-6);
}

struct WinCase {
    const char* name;
    std::vector<int> totals;
    int winner;
};

void PrintTo(const WinCase& c, std::ostream* os) { *os << c.name; }

class Winner : public ::testing::TestWithParam<WinCase> {};

TEST_P(Winner, HighestTotalTiesToLowerSeat) { EXPECT_EQ(WinningSeat(GetParam().totals), GetParam().winner); }

INSTANTIATE_TEST_SUITE_P(Sim, Winner,
                         ::testing::Values(WinCase{"first", {200, 150}, 0}, WinCase{"last", {100, 150, 300}, 2},
                                           WinCase{"tie_lower_seat", {150, 210, 210}, 1},
                                           WinCase{"all_equal", {90, 90, 90, 90, 90}, 0},
                                           WinCase{"negative", {-5, -2}, 1}, WinCase{"none", {}, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimStats, PerSeatOverallAndWins) {
    SimStats st(3);
    st.AddGame({100, 200, 150}, 1);
    st.AddGame({300, 100, 150}, 0);
    st.AddGame({120, 120, 90}, 0);
    EXPECT_EQ(st.Games(), 3);
    EXPECT_EQ(st.Wins(0), 2);
    EXPECT_EQ(st.Wins(1), 1);
    EXPECT_EQ(st.Wins(2), 0);
    EXPECT_DOUBLE_EQ(st.Seat(0).Mean(), 520.0 / 3);
    EXPECT_EQ(st.Seat(2).Min(), 90);
    EXPECT_EQ(st.Seat(2).Max(), 150);
    EXPECT_EQ(st.All().Count(), 9);
    EXPECT_EQ(st.All().Min(), 90);
    EXPECT_EQ(st.All().Max(), 300);
    EXPECT_DOUBLE_EQ(st.All().Mean(), 1330.0 / 9);
}

TEST(SimStats, ReportShowsEverySeatAndTheRate) {
    SimStats st(2);
    st.AddGame({180, 170}, 0);
    st.AddGame({160, 190}, 1);
    st.AddGame({200, 100}, 0);
    const std::string r = st.Report(0.5);
    EXPECT_NE(r.find("1         180.00     16.33    160    200        2   66.7%"), std::string::npos) << r;
    EXPECT_NE(r.find("2         153.33     38.59    100    190        1   33.3%"), std::string::npos) << r;
    EXPECT_NE(r.find("all       166.67     32.49    100    200"), std::string::npos) << r;
    EXPECT_NE(r.find("3 games in 0.500 s: 6 games/s"), std::string::npos) << r;
}

}  // namespace
