// The computer's turn: the dice it keeps and the course of its ticks.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

using Mask = std::array<int, 5>;

struct KeepCase {
    const char* name;
    int type;
    int tour;
    int forced;  // ligneimposee
    int throws;  // nblancers
    int step;    // etapeordi
    int target;  // cibleordi before
    Dice dice;
    std::vector<int> filled;  // rows of the computer's column already written
    Mask keptBefore;
    Mask kept;  // garde expected after
    int targetAfter;
};

void PrintTo(const KeepCase& c, std::ostream* os) { *os << c.name; }

class ComputerKeeps : public ::testing::TestWithParam<KeepCase> {};

TEST_P(ComputerKeeps, KeepsTheDiceOfItsRule) {
    const KeepCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"CPU", "JO2"}, c.type);
    for (int r : c.filled) g.Grid.SetCell(0, r, "3");
    g.S.tour = c.tour;
    g.S.ligneimposee = c.forced;
    g.S.nblancers = c.throws;
    g.S.etapeordi = c.step;
    g.S.cibleordi = c.target;
    LayDice(g, c.dice);
    for (int i = 1; i <= 5; ++i) {
        g.S.garde[i] = static_cast<std::uint8_t>(c.keptBefore[i - 1]);
        g.S.alancer[i] = static_cast<std::uint8_t>(1 - c.keptBefore[i - 1]);
    }
    g.ordijoue();
    Mask garde{}, thrown{}, expectedThrown{};
    for (int i = 1; i <= 5; ++i) {
        garde[i - 1] = g.S.garde[i];
        thrown[i - 1] = g.S.alancer[i];
        expectedThrown[i - 1] = 1 - c.kept[i - 1];
    }
    EXPECT_EQ(garde, c.kept);
    EXPECT_EQ(thrown, expectedThrown);
    EXPECT_EQ(g.S.cibleordi, c.targetAfter);
    // Keeping is all it does: the sheet and the turn stay as they were.
    EXPECT_EQ(g.S.nblancers, c.throws);
    EXPECT_EQ(g.S.etapeordi, c.step);
    EXPECT_EQ(g.S.joueur, 0);
}

const Mask kNone{0, 0, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(Normal, ComputerKeeps,
                         ::testing::Values(KeepCase{.name = "first_look_highest_free_pair",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {6, 6, 3, 3, 1},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 0, 0},
                                                    .targetAfter = 6},
                                           KeepCase{.name = "first_look_pair_row_written",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {6, 6, 3, 3, 1},
                                                    .filled = {6},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 0, 1, 1, 0},
                                                    .targetAfter = 3},
                                           KeepCase{.name = "first_look_pair_beats_higher_single",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {2, 6, 2, 5, 1},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 0, 1, 0, 0},
                                                    .targetAfter = 2},
                                           KeepCase{.name = "first_look_highest_free_single",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {1, 2, 3, 4, 6},
                                                    .filled = {6},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 0, 0, 1, 0},
                                                    .targetAfter = 4},
                                           KeepCase{.name = "first_look_pair_of_written_row",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {5, 5, 2, 2, 1},
                                                    .filled = kNumbers,
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 0, 0},
                                                    .targetAfter = 5},
                                           KeepCase{.name = "first_look_nothing",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {1, 2, 3, 4, 6},
                                                    .filled = {1, 2, 3, 4, 6},
                                                    .keptBefore = kNone,
                                                    .kept = kNone,
                                                    .targetAfter = 0},
                                           KeepCase{.name = "second_look_adds_target",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 6,
                                                    .dice = {6, 6, 6, 2, 6},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 0, 0},
                                                    .kept = {1, 1, 1, 0, 1},
                                                    .targetAfter = 6},
                                           KeepCase{.name = "second_look_without_target",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 0,
                                                    .dice = {6, 6, 6, 2, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = kNone,
                                                    .targetAfter = 0},
                                           KeepCase{.name = "second_look_keeps_earlier_dice",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 4,
                                                    .dice = {3, 1, 4, 5, 2},
                                                    .filled = {},
                                                    .keptBefore = {1, 0, 0, 0, 0},
                                                    .kept = {1, 0, 1, 0, 0},
                                                    .targetAfter = 4},
                                           KeepCase{.name = "third_step_keeps_nothing",
                                                    .type = kNormal,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 3,
                                                    .step = 3,
                                                    .target = 6,
                                                    .dice = {6, 6, 6, 2, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = kNone,
                                                    .targetAfter = 6},
                                           KeepCase{.name = "last_round_straight_hunt",
                                                    .type = kNormal,
                                                    .tour = 12,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 5,
                                                    .dice = {2, 3, 3, 4, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 1, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "last_round_straight_first_of_each",
                                                    .type = kNormal,
                                                    .tour = 12,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {5, 1, 5, 1, 4},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 0, 1},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "last_round_second_look_adds_nothing",
                                                    .type = kNormal,
                                                    .tour = 12,
                                                    .forced = 1,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 0,
                                                    .dice = {2, 3, 1, 4, 5},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 1, 0},
                                                    .kept = {1, 1, 0, 1, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "last_round_suite_written",
                                                    .type = kNormal,
                                                    .tour = 12,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {2, 3, 3, 4, 6},
                                                    .filled = {12},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 1, 1, 0, 0},
                                                    .targetAfter = 3},
                                           KeepCase{.name = "round_before_last_no_hunt",
                                                    .type = kNormal,
                                                    .tour = 11,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {2, 3, 3, 4, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 1, 1, 0, 0},
                                                    .targetAfter = 3}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Forced, ComputerKeeps,
                         ::testing::Values(KeepCase{.name = "asc_moins_ones_and_twos_first",
                                                    .type = kAscendant,
                                                    .tour = 5,
                                                    .forced = 10,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {1, 2, 5, 1, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 1, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "asc_moins_ones_and_twos_second",
                                                    .type = kAscendant,
                                                    .tour = 5,
                                                    .forced = 10,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 0,
                                                    .dice = {1, 2, 2, 3, 6},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 0, 0},
                                                    .kept = {1, 1, 1, 0, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "asc_moins_keeps_target",
                                                    .type = kAscendant,
                                                    .tour = 5,
                                                    .forced = 10,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 4,
                                                    .dice = {3, 3, 3, 4, 4},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = kNone,
                                                    .targetAfter = 4},
                                           KeepCase{.name = "desc_plus_sixes_and_fives",
                                                    .type = kDescendant,
                                                    .tour = 6,
                                                    .forced = 9,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {6, 5, 1, 5, 2},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 0, 1, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "desc_plus_second_look",
                                                    .type = kDescendant,
                                                    .tour = 6,
                                                    .forced = 9,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 0,
                                                    .dice = {6, 5, 4, 3, 6},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 0, 0},
                                                    .kept = {1, 1, 0, 0, 1},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "asc_fours_first_look",
                                                    .type = kAscendant,
                                                    .tour = 10,
                                                    .forced = 4,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {4, 1, 4, 6, 4},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 0, 1, 0, 1},
                                                    .targetAfter = 4},
                                           KeepCase{.name = "asc_fours_none_showing",
                                                    .type = kAscendant,
                                                    .tour = 10,
                                                    .forced = 4,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {6, 6, 6, 6, 1},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = kNone,
                                                    .targetAfter = 4},
                                           KeepCase{.name = "desc_ones_second_look",
                                                    .type = kDescendant,
                                                    .tour = 0,
                                                    .forced = 1,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 1,
                                                    .dice = {1, 1, 3, 1, 5},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 0, 0},
                                                    .kept = {1, 1, 0, 1, 0},
                                                    .targetAfter = 1},
                                           KeepCase{.name = "asc_suite_first_look",
                                                    .type = kAscendant,
                                                    .tour = 3,
                                                    .forced = 12,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {1, 1, 2, 6, 6},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 0, 1, 0, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "asc_suite_full_straight",
                                                    .type = kAscendant,
                                                    .tour = 3,
                                                    .forced = 12,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {5, 4, 3, 2, 1},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {1, 1, 1, 1, 1},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "asc_suite_second_look_adds_nothing",
                                                    .type = kAscendant,
                                                    .tour = 3,
                                                    .forced = 12,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 0,
                                                    .dice = {1, 3, 2, 3, 4},
                                                    .filled = {},
                                                    .keptBefore = {1, 0, 1, 0, 0},
                                                    .kept = {1, 0, 1, 0, 0},
                                                    .targetAfter = 0},
                                           KeepCase{.name = "desc_full_first_look_like_normal",
                                                    .type = kDescendant,
                                                    .tour = 12,
                                                    .forced = 13,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {3, 3, 3, 5, 5},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 0, 0, 1, 1},
                                                    .targetAfter = 5},
                                           KeepCase{.name = "desc_brelan_second_look_like_normal",
                                                    .type = kDescendant,
                                                    .tour = 10,
                                                    .forced = 11,
                                                    .throws = 2,
                                                    .step = 2,
                                                    .target = 2,
                                                    .dice = {2, 2, 2, 5, 5},
                                                    .filled = {},
                                                    .keptBefore = {1, 1, 0, 0, 0},
                                                    .kept = {1, 1, 1, 0, 0},
                                                    .targetAfter = 2},
                                           KeepCase{.name = "asc_last_round_ones_no_straight_hunt",
                                                    .type = kAscendant,
                                                    .tour = 12,
                                                    .forced = 1,
                                                    .throws = 1,
                                                    .step = 1,
                                                    .target = 0,
                                                    .dice = {2, 3, 1, 4, 5},
                                                    .filled = {},
                                                    .keptBefore = kNone,
                                                    .kept = {0, 0, 1, 0, 0},
                                                    .targetAfter = 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The ticks ---------------------------------------------------------

class ComputerTicks : public ::testing::Test {
protected:
    Harness h;
    Game& g = h.game;
    RecordingObserver rec;

    void Start(const std::vector<std::string>& names, int type = kNormal) {
        StartGame(g, names, type);
        g.Subscribe(rec);
    }
    // The dice of the next throw the timer makes.
    void NextThrow(const std::vector<int>& thrownFaces) { ScriptThrow(h.random, thrownFaces); }
    // Lets the roll animation end without drawing its frames.
    void Settle() { g.controls.FrameTimerEnabled = false; }
    void Tick() { g.TimerordiTimer(); }
    void SettleAndTick() {
        Settle();
        Tick();
    }
    Dice Values() const {
        Dice d{};
        for (int i = 1; i <= 5; ++i) d[i - 1] = g.S.valeurde[i];
        return d;
    }
};

TEST_F(ComputerTicks, WaitWhileTheDiceRoll) {
    Start({"CPU", "JO2"});
    g.controls.FrameTimerEnabled = true;
    g.S.tourfini = true;
    Tick();
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_EQ(g.S.tourfini, true);
    EXPECT_EQ(h.random.asked.size(), 0u);
}

TEST_F(ComputerTicks, FirstTickFreesTheDiceAndThrows) {
    Start({"CPU", "JO2"});
    g.S.cibleordi = 4;
    g.S.garde[2] = 1;
    g.S.alancer[2] = 0;
    NextThrow({1, 2, 3, 4, 6});
    Tick();
    EXPECT_EQ(g.S.etapeordi, 1);
    EXPECT_EQ(g.S.nblancers, 1);
    EXPECT_EQ(g.S.cibleordi, 0);
    EXPECT_EQ(g.S.garde[2], 0);
    EXPECT_EQ(Values(), (Dice{1, 2, 3, 4, 6}));
    EXPECT_EQ(g.controls.FrameTimerEnabled, true);
    EXPECT_EQ(g.controls.TimerordiEnabled, true);
}

TEST_F(ComputerTicks, ThreeThrowsThenARow) {
    Start({"CPU", "JO2"});
    NextThrow({6, 6, 3, 3, 1});
    Tick();
    // First look: nothing to write yet, keeps the sixes and throws the rest.
    NextThrow({6, 2, 5});
    SettleAndTick();
    EXPECT_EQ(rec.writes.size(), 0u);
    EXPECT_EQ(g.S.etapeordi, 2);
    EXPECT_EQ(g.S.nblancers, 2);
    EXPECT_EQ(g.S.cibleordi, 6);
    EXPECT_EQ(Values(), (Dice{6, 6, 6, 2, 5}));
    // Second look: adds the new six.
    NextThrow({1, 4});
    SettleAndTick();
    EXPECT_EQ(rec.writes.size(), 0u);
    EXPECT_EQ(g.S.etapeordi, 3);
    EXPECT_EQ(g.S.nblancers, 3);
    EXPECT_EQ(Values(), (Dice{6, 6, 6, 1, 4}));
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
    // After the third throw the row is written: three sixes into Brelan.
    SettleAndTick();
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, lignebrelan, "23"}));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_EQ(g.controls.TimerordiEnabled, false);
    // The person's turn: the roll button is back.
    EXPECT_EQ(g.controls.glassbtn5Enabled, true);
    EXPECT_EQ(h.random.script.size(), 0u);
}

TEST_F(ComputerTicks, WriteAtFirstLookSkipsTheKeepDecision) {
    Start({"CPU", "JO2"});
    NextThrow({4, 4, 4, 4, 4});
    Tick();
    SettleAndTick();
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, lignequimba, "50"}));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_EQ(g.S.cibleordi, 0);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.S.garde[i], 0) << "die " << i;
    EXPECT_EQ(g.controls.TimerordiEnabled, false);
    EXPECT_EQ(rec.throws, 1);
}

TEST_F(ComputerTicks, NextComputerThrowsInTheSameTickAfterAnEarlyRow) {
    Start({"CPU", "CPU"});
    NextThrow({3, 3, 3, 5, 5});
    Tick();
    NextThrow({1, 2, 3, 4, 6});  // the second computer's first throw
    SettleAndTick();
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, lignefull, "30"}));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.S.etapeordi, 1);
    EXPECT_EQ(g.S.nblancers, 1);
    EXPECT_EQ(Values(), (Dice{1, 2, 3, 4, 6}));
    // Whatever the keep decision kept for the old dice was undone first.
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.S.garde[i], 0) << "die " << i;
    EXPECT_EQ(g.controls.TimerordiEnabled, true);
    EXPECT_EQ(g.controls.FrameTimerEnabled, true);
}

TEST_F(ComputerTicks, NextComputerWaitsOneTickAfterTheThirdThrow) {
    Start({"CPU", "CPU"});
    NextThrow({1, 2, 3, 4, 6});
    Tick();
    NextThrow({1, 2, 2, 4});  // the six is kept
    SettleAndTick();
    NextThrow({1, 2, 2, 4});
    SettleAndTick();
    ASSERT_EQ(g.S.etapeordi, 3);
    SettleAndTick();
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, ligne2, "4"}));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_EQ(g.controls.TimerordiEnabled, true);
    NextThrow({5, 5, 5, 5, 5});
    Tick();
    EXPECT_EQ(g.S.nblancers, 1);
    EXPECT_EQ(Values(), (Dice{5, 5, 5, 5, 5}));
}

TEST_F(ComputerTicks, RollButtonIsOffThroughTheComputersTurnAfterAnEarlyWrite) {
    Start({"JO1", "CPU"});
    // The person throws once and strikes out "Quimba".
    NextThrow({1, 2, 3, 4, 6});
    g.Button1Click();
    Settle();
    g.GridSelectCell(0, lignequimba);
    ASSERT_EQ(g.S.joueur, 1);
    ASSERT_EQ(g.controls.TimerordiEnabled, true);
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
    NextThrow({1, 2, 3, 4, 6});
    Tick();
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
    EXPECT_FALSE(g.Throw()) << "a person's throw in a computer's turn";
    NextThrow({1, 2, 2, 4});
    SettleAndTick();
    EXPECT_EQ(g.S.nblancers, 2);
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
}

TEST_F(ComputerTicks, RollButtonStaysOffAfterThePersonsThirdThrow) {
    Start({"JO1", "CPU"});
    for (int n = 0; n < 3; ++n) {
        NextThrow({1, 2, 3, 4, 6});
        for (int i = 1; i <= 5; ++i) g.S.alancer[i] = 1;
        g.Button1Click();
        Settle();
    }
    ASSERT_EQ(g.controls.glassbtn5Enabled, false);
    g.GridSelectCell(0, lignequimba);
    ASSERT_EQ(g.S.joueur, 1);
    NextThrow({4, 4, 4, 4, 4});
    Tick();
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
    SettleAndTick();  // "50" at once, back to the person
    ASSERT_EQ(g.S.joueur, 0);
    EXPECT_EQ(g.controls.glassbtn5Enabled, true);
}

TEST_F(ComputerTicks, ForcedMoinsKeepsOnesAndTwosAcrossTheTurn) {
    Start({"CPU", "JO2"}, kAscendant);
    g.S.ligneimposee = lignemoins;
    NextThrow({1, 5, 2, 6, 3});
    Tick();
    NextThrow({2, 4, 1});
    SettleAndTick();
    EXPECT_EQ((Mask{g.S.garde[1], g.S.garde[2], g.S.garde[3], g.S.garde[4], g.S.garde[5]}), (Mask{1, 0, 1, 0, 0}));
    NextThrow({5});
    SettleAndTick();
    EXPECT_EQ((Mask{g.S.garde[1], g.S.garde[2], g.S.garde[3], g.S.garde[4], g.S.garde[5]}), (Mask{1, 1, 1, 0, 1}));
    SettleAndTick();
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, lignemoins, "11"}));
}

TEST_F(ComputerTicks, LastRowOfTheGameStopsTheTimer) {
    Start({"CPU", "CPU"});
    for (int c = 0; c < 2; ++c)
        for (int r : kChosenRows)
            if (r != lignequimba) g.Grid.SetCell(c, r, "1");
    g.S.tour = 12;
    g.S.joueur = 1;
    NextThrow({2, 2, 2, 2, 2});
    Tick();
    SettleAndTick();
    EXPECT_EQ(g.S.tour, 13);
    EXPECT_EQ(g.S.joueur, 2);
    EXPECT_EQ(g.controls.TimerordiEnabled, false);
    EXPECT_EQ(g.controls.glassbtn5Enabled, false);
    EXPECT_EQ(rec.ends, 1);
}

}  // namespace
