// A throw: the figure of the five dice, kept dice, the sound, the third throw and the status line.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

class ThrowTest : public ::testing::Test {
protected:
    Harness h;
    Game& g = h.game;
    void SetUp() override { StartGame(g, {"ANNE", "BOB"}); }
    std::vector<int> Values() const {
        std::vector<int> v;
        for (int i = 1; i <= kDice; ++i) v.push_back(g.S.valeurde[i]);
        return v;
    }
};

struct FigureCase {
    const char* name;
    std::vector<int> dice;
    int figure;
    std::string text;
};

class ThrowFigure : public ::testing::TestWithParam<FigureCase> {};

TEST_P(ThrowFigure, AnalysesTheFiveDice) {
    const FigureCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    ScriptThrow(h.random, c.dice);
    g.Button1Click();

    EXPECT_EQ(int(g.S.figure[0]), c.figure);
    EXPECT_EQ(g.controls.resultext, c.text);
    EXPECT_FALSE(g.controls.resultextVisible);

    // Counts and sums from the dice, one by one.
    std::array<int, 7> count{};
    int sum = 0;
    for (int v : c.dice) {
        ++count[v];
        sum += v;
    }
    EXPECT_EQ(g.S.sommedes, sum);
    for (int f = 1; f <= 6; ++f) {
        EXPECT_EQ(int(g.S.nbface[f]), count[f]) << "face " << f;
        EXPECT_EQ(g.S.sommeface[f], f * count[f]) << "face " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Dice, ThrowFigure,
                         ::testing::Values(FigureCase{"nothing_12346", {1, 2, 3, 4, 6}, 0, ""},
                                           FigureCase{"pair_only", {1, 1, 2, 4, 6}, 0, ""},
                                           FigureCase{"two_pairs", {2, 2, 3, 3, 6}, 0, ""},
                                           FigureCase{"straight_low_shuffled", {5, 3, 1, 4, 2}, 20, "L84"},
                                           FigureCase{"straight_high_shuffled", {6, 2, 5, 3, 4}, 20, "L85"},
                                           FigureCase{"three_4s_with_1_and_6", {4, 1, 4, 6, 4}, 3, "L79 4"},
                                           FigureCase{"three_4s_two_2s_is_full", {4, 2, 4, 2, 4}, 30, "L82 4 L83 2"},
                                           FigureCase{"three_1s_two_6s_is_full", {6, 1, 1, 6, 1}, 30, "L82 1 L83 6"},
                                           FigureCase{"four_5s", {5, 5, 1, 5, 5}, 40, "L80 5"},
                                           FigureCase{"five_6s", {6, 6, 6, 6, 6}, 50, "L81 6"},
                                           FigureCase{"five_1s", {1, 1, 1, 1, 1}, 50, "L81 1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThrowTest, FirstThrowPlacesEveryDieAndPlaysTheSound) {
    // Start offsets 0, 39, 7, 20, 33; frequency draw 11999 gives the lowest pitch.
    const std::vector<int> offsets{0, 39, 7, 20, 33};
    const std::vector<int> values{3, 6, 1, 2, 5};
    for (int i = 0; i < 5; ++i) {
        h.random.script.push_back(offsets[i]);
        h.random.script.push_back(values[i] - 1);
    }
    h.random.script.push_back(11999);
    g.Button1Click();

    const std::array<int, 5> startY{30, 50, 30, 50, 40};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(g.S.posx[i], 340 + offsets[i - 1]) << "die " << i;
        EXPECT_EQ(g.S.posy[i], startY[i - 1]) << "die " << i;
        EXPECT_EQ(int(g.S.roule[i]), 1) << "die " << i;
    }
    EXPECT_EQ(Values(), values);
    // Position and face alternate die by die; the frequency comes last.
    EXPECT_EQ(h.random.asked, (std::vector<int>{40, 6, 40, 6, 40, 6, 40, 6, 40, 6, 12000}));
    EXPECT_EQ(h.random.randomizes, 1);
    EXPECT_EQ(h.view.frequencies, (std::vector<std::pair<int, int>>{{kThrowSound, 32001}}));
    EXPECT_EQ(h.view.sounds, std::vector<int>{kThrowSound});
    EXPECT_EQ(h.view.mainRepaints, 1);
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
    EXPECT_EQ(g.S.nblancers, 1);
    EXPECT_EQ(g.controls.Label23, "L19 1/ L781");
    EXPECT_TRUE(g.controls.glassbtn5Enabled);
}

TEST_F(ThrowTest, HighestPitchWithAZeroDraw) {
    ScriptThrow(h.random, {1, 2, 3, 4, 5}, 0, 0);
    g.Button1Click();
    EXPECT_EQ(h.view.frequencies, (std::vector<std::pair<int, int>>{{kThrowSound, 44000}}));
}

TEST_F(ThrowTest, KeptDiceKeepValueAndPlace) {
    ScriptThrow(h.random, {2, 3, 4, 5, 6}, 5);
    g.Button1Click();
    ASSERT_TRUE(g.controls.FrameTimerEnabled);
    // Keep dice 2 and 4 where they were thrown.
    for (int die : {2, 4}) {
        g.S.garde[die] = 1;
        g.S.alancer[die] = 0;
        g.S.posx[die] = 100 + die;
        g.S.posy[die] = 10 + die;
    }
    h.random.asked.clear();
    ScriptThrow(h.random, {1, 1, 1}, 9);
    g.Button1Click();

    EXPECT_EQ(Values(), (std::vector<int>{1, 3, 1, 5, 1}));
    EXPECT_EQ(h.random.asked, (std::vector<int>{40, 6, 40, 6, 40, 6, 12000}));
    for (int die : {2, 4}) {
        EXPECT_EQ(g.S.posx[die], 100 + die);
        EXPECT_EQ(g.S.posy[die], 10 + die);
        EXPECT_EQ(int(g.S.roule[die]), 1) << "kept dice tumble flag is set too";
    }
    for (int die : {1, 3, 5}) EXPECT_EQ(g.S.posx[die], 349);
    EXPECT_EQ(int(g.S.figure[0]), 3);
    EXPECT_EQ(g.controls.resultext, "L79 1");
    EXPECT_EQ(g.controls.Label23, "L19 1/ L782");
}

TEST_F(ThrowTest, AllKeptThrowIsSilentButCountsAndAnalyses) {
    ScriptThrow(h.random, {4, 4, 2, 2, 4});
    g.Button1Click();
    for (int i = 1; i <= 5; ++i) {
        g.S.garde[i] = 1;
        g.S.alancer[i] = 0;
    }
    g.controls.resultext = "stale";
    h.random.asked.clear();
    h.view.sounds.clear();
    h.view.frequencies.clear();
    g.Button1Click();

    EXPECT_EQ(h.random.asked, std::vector<int>{});
    EXPECT_EQ(h.view.sounds, std::vector<int>{});
    EXPECT_EQ(h.view.frequencies.size(), 0u);
    EXPECT_EQ(Values(), (std::vector<int>{4, 4, 2, 2, 4}));
    EXPECT_EQ(g.S.nblancers, 2);
    EXPECT_EQ(g.controls.Label23, "L19 1/ L782");
    EXPECT_EQ(int(g.S.figure[0]), 30);
    EXPECT_EQ(g.controls.resultext, "L82 4 L83 2");
    EXPECT_EQ(g.S.sommedes, 16);
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
}

TEST_F(ThrowTest, ThirdThrowDisablesTheButton) {
    for (int n = 1; n <= 3; ++n) {
        ScriptThrow(h.random, {1, 2, 3, 4, 6});
        g.Button1Click();
        EXPECT_EQ(g.S.nblancers, n);
        EXPECT_EQ(g.controls.glassbtn5Enabled, n < 3) << "after throw " << n;
        EXPECT_EQ(g.controls.Label23, "L19 1/ L78" + std::to_string(n));
    }
}

TEST_F(ThrowTest, FigureIsKeptPerColumn) {
    g.S.figure[1] = kQuimba;
    g.S.figure[0] = kCarre;
    ScriptThrow(h.random, {1, 2, 3, 4, 6});
    g.Button1Click();
    EXPECT_EQ(int(g.S.figure[0]), 0);
    EXPECT_EQ(int(g.S.figure[1]), 50);
}

TEST_F(ThrowTest, StatusLineNamesTheCurrentPlayer) {
    g.S.joueur = 1;
    ScriptThrow(h.random, {1, 2, 3, 4, 6});
    g.Button1Click();
    EXPECT_EQ(g.controls.Label23, "L19 2/ L781");
}

TEST_F(ThrowTest, ThrowDuringTheAnimationRestartsTheDice) {
    ScriptThrow(h.random, {1, 2, 3, 4, 6});
    g.Button1Click();
    h.random.fallback = 0;
    for (int i = 0; i < 10; ++i) g.FrameTimerTimer();
    ASSERT_EQ(g.S.posx[5], 240);
    h.random.fallback = -1;
    ScriptThrow(h.random, {6, 6, 6, 6, 6}, 3);
    g.Button1Click();
    EXPECT_EQ(g.S.posx[5], 343);
    EXPECT_EQ(g.S.posy[5], 40);
    EXPECT_EQ(int(g.S.figure[0]), 50);
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
}

struct ThrowSeen : GameObserver {
    int calls = 0;
    int figure = -1;
    int nblancers = -1;
    void OnThrow(const Game& g) override {
        ++calls;
        figure = g.S.figure[g.S.joueur];
        nblancers = g.S.nblancers;
    }
};

TEST_F(ThrowTest, ObserverSeesTheFinishedAnalysis) {
    ThrowSeen seen;
    g.Subscribe(seen);
    ScriptThrow(h.random, {5, 5, 5, 5, 2});
    g.Button1Click();
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.figure, 40);
    EXPECT_EQ(seen.nblancers, 1);
}

}  // namespace
