// Writing a row: what each row earns, what a refused pick leaves untouched, and the forced rows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

struct RowCase {
    const char* name;
    std::vector<int> dice;
    int row;
    std::string written;
};

class RowValue : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowValue, PickWritesWhatTheRowEarns) {
    const RowCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    ScriptThrow(h.random, c.dice);
    g.Button1Click();
    g.GridSelectCell(0, c.row);
    EXPECT_EQ(g.Grid.Cell(0, c.row), c.written);
    EXPECT_EQ(g.S.joueur, 1) << "a written row ends the turn";
}

INSTANTIATE_TEST_SUITE_P(Throws, RowValue,
                         ::testing::Values(
                             // Five 3s.
                             RowCase{"quimba_brelan_is_the_sum", {3, 3, 3, 3, 3}, lignebrelan, "15"},
                             RowCase{"quimba_carre", {3, 3, 3, 3, 3}, lignecarre, "40"},
                             RowCase{"quimba_quimba", {3, 3, 3, 3, 3}, lignequimba, "50"},
                             RowCase{"quimba_is_no_full", {3, 3, 3, 3, 3}, lignefull, "0"},
                             RowCase{"quimba_row3", {3, 3, 3, 3, 3}, ligne3, "15"},
                             RowCase{"quimba_row1_absent", {3, 3, 3, 3, 3}, ligne1, "0"},
                             RowCase{"quimba_no_suite", {3, 3, 3, 3, 3}, lignesuite, "0"},
                             // Four 2s and a 5.
                             RowCase{"carre_brelan", {2, 2, 5, 2, 2}, lignebrelan, "13"},
                             RowCase{"carre_carre", {2, 2, 5, 2, 2}, lignecarre, "40"},
                             RowCase{"carre_no_quimba", {2, 2, 5, 2, 2}, lignequimba, "0"},
                             RowCase{"carre_row2", {2, 2, 5, 2, 2}, ligne2, "8"},
                             RowCase{"carre_row5", {2, 2, 5, 2, 2}, ligne5, "5"},
                             // Three 6s and two 1s.
                             RowCase{"full_brelan", {6, 1, 6, 1, 6}, lignebrelan, "20"},
                             RowCase{"full_full", {6, 1, 6, 1, 6}, lignefull, "30"},
                             RowCase{"full_no_carre", {6, 1, 6, 1, 6}, lignecarre, "0"},
                             RowCase{"full_row6", {6, 1, 6, 1, 6}, ligne6, "18"},
                             RowCase{"full_row1", {6, 1, 6, 1, 6}, ligne1, "2"},
                             // Three 4s, a 1 and a 6.
                             RowCase{"brelan_brelan", {4, 1, 4, 6, 4}, lignebrelan, "19"},
                             RowCase{"brelan_no_full", {4, 1, 4, 6, 4}, lignefull, "0"},
                             RowCase{"brelan_no_carre", {4, 1, 4, 6, 4}, lignecarre, "0"},
                             // 2-3-4-5-6.
                             RowCase{"high_straight_suite", {6, 4, 2, 5, 3}, lignesuite, "20"},
                             RowCase{"high_straight_plus", {6, 4, 2, 5, 3}, ligneplus, "20"},
                             RowCase{"high_straight_moins", {6, 4, 2, 5, 3}, lignemoins, "20"},
                             RowCase{"high_straight_row2", {6, 4, 2, 5, 3}, ligne2, "2"},
                             RowCase{"high_straight_no_brelan", {6, 4, 2, 5, 3}, lignebrelan, "0"},
                             // 1-2-3-4-5 and a miss.
                             RowCase{"low_straight_suite", {1, 2, 3, 4, 5}, lignesuite, "20"},
                             RowCase{"no_straight_12346", {1, 2, 3, 4, 6}, lignesuite, "0"},
                             RowCase{"no_figure_brelan", {1, 2, 3, 4, 6}, lignebrelan, "0"},
                             RowCase{"no_figure_row4", {1, 2, 3, 4, 6}, ligne4, "4"},
                             RowCase{"no_figure_moins", {1, 2, 3, 4, 6}, lignemoins, "16"}),
                         [](const auto& info) { return std::string(info.param.name); });

class ScoringTest : public ::testing::Test {
protected:
    Harness h;
    Game& g = h.game;
    void Start(const std::vector<std::string>& names, int type = kNormal) { StartGame(g, names, type); }
    void Throw(const std::vector<int>& dice) {
        ScriptThrow(h.random, dice);
        g.Button1Click();
    }
};

struct RefusedCase {
    const char* name;
    std::vector<std::string> names;
    int type;
    bool thrown;
    std::function<void(Game&)> prepare;
    int column, row;
};

class RefusedRow : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedRow, ChangesNothingAtAll) {
    const RefusedCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, c.names, c.type);
    if (c.thrown) {
        ScriptThrow(h.random, {5, 5, 5, 5, 5});
        g.Button1Click();
    }
    if (c.prepare) c.prepare(g);
    const std::string before = Snapshot(g);
    const auto sounds = h.view.sounds;
    const int repaints = h.view.gridRepaints;
    g.GridSelectCell(c.column, c.row);
    EXPECT_EQ(Snapshot(g), before);
    EXPECT_EQ(h.view.sounds, sounds);
    EXPECT_EQ(h.view.gridRepaints, repaints);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, RefusedRow,
    ::testing::Values(
        RefusedCase{"before_first_throw", {"ANNE", "BOB"}, kNormal, false, nullptr, 0, ligne5},
        RefusedCase{"other_players_column", {"ANNE", "BOB"}, kNormal, true, nullptr, 1, ligne5},
        RefusedCase{
            "filled_cell", {"ANNE", "BOB"}, kNormal, true, [](Game& g) { g.Grid.SetCell(0, ligne5, "10"); }, 0, ligne5},
        RefusedCase{"struck_out_cell",
                    {"ANNE", "BOB"},
                    kNormal,
                    true,
                    [](Game& g) { g.Grid.SetCell(0, lignequimba, "0"); },
                    0,
                    lignequimba},
        RefusedCase{"computer_column", {"CPU", "BOB"}, kNormal, true, nullptr, 0, ligne5},
        RefusedCase{"computed_total_row_filled",
                    {"ANNE", "BOB"},
                    kNormal,
                    true,
                    [](Game& g) { g.Grid.SetCell(0, lignesoustotal, "0"); },
                    0,
                    lignesoustotal},
        RefusedCase{"name_row", {"ANNE", "BOB"}, kNormal, true, nullptr, 0, lignenoms},
        RefusedCase{"column_past_the_sheet", {"ANNE", "BOB"}, kNormal, true, nullptr, 7, ligne5},
        RefusedCase{"ascendant_free_row_not_forced", {"ANNE", "BOB"}, kAscendant, true, nullptr, 0, ligne5},
        RefusedCase{"ascendant_forced_row_of_other_column", {"ANNE", "BOB"}, kAscendant, true, nullptr, 1, lignequimba},
        RefusedCase{"descendant_free_row_not_forced", {"ANNE", "BOB"}, kDescendant, true, nullptr, 0, lignequimba},
        RefusedCase{"descendant_forced_row_filled",
                    {"ANNE", "BOB"},
                    kDescendant,
                    true,
                    [](Game& g) { g.Grid.SetCell(0, ligne1, "3"); },
                    0,
                    ligne1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoringTest, FreeComputedRowsPassButTheTurnGoesOn) {
    Start({"ANNE", "BOB"});
    Throw({5, 5, 5, 5, 5});
    for (int row : {int(lignebonus), int(lignetotal), 17, -1}) {
        const std::string before = Snapshot(g);
        g.GridSelectCell(0, row);
        EXPECT_EQ(Snapshot(g), before) << "row " << row;
    }
    EXPECT_EQ(h.view.sounds, std::vector<int>{kThrowSound});
    // The turn is still on: a real row is taken.
    g.GridSelectCell(0, lignequimba);
    EXPECT_EQ(g.Grid.Cell(0, lignequimba), "50");
    EXPECT_EQ(g.S.joueur, 1);
}

TEST_F(ScoringTest, ForcedRowIsTakenInAscendantAndDescendant) {
    Start({"ANNE", "BOB"}, kAscendant);
    Throw({5, 5, 5, 5, 5});
    g.GridSelectCell(0, lignequimba);
    EXPECT_EQ(g.Grid.Cell(0, lignequimba), "50");

    Harness other;
    StartGame(other.game, {"ANNE", "BOB"}, kDescendant);
    ScriptThrow(other.random, {1, 1, 2, 3, 1});
    other.game.Button1Click();
    other.game.GridSelectCell(0, ligne1);
    EXPECT_EQ(other.game.Grid.Cell(0, ligne1), "3");
}

TEST_F(ScoringTest, SecondPickInTheSameColumnWaitsForTheNextThrow) {
    Start({"ANNE", "BOB"});
    Throw({2, 2, 2, 2, 2});
    g.GridSelectCell(0, ligne2);
    ASSERT_EQ(g.S.joueur, 1);
    const std::string before = Snapshot(g);
    g.GridSelectCell(1, ligne2);
    EXPECT_EQ(Snapshot(g), before);
}

TEST_F(ScoringTest, PickDuringTheAnimationUsesTheThrowJustMade) {
    Start({"ANNE", "BOB"});
    Throw({4, 4, 4, 4, 1});
    ASSERT_TRUE(g.controls.FrameTimerEnabled);
    h.random.fallback = 5;  // the tumbling faces are 6s
    g.FrameTimerTimer();
    g.GridSelectCell(0, ligne4);
    EXPECT_EQ(g.Grid.Cell(0, ligne4), "16");
}

TEST_F(ScoringTest, PlusAndMoinsTakeAnySumInAnyOrder) {
    Start({"ANNE", "BOB"});
    Throw({1, 1, 1, 2, 2});
    g.GridSelectCell(0, lignemoins);
    Throw({6, 6, 6, 5, 5});
    g.GridSelectCell(1, lignemoins);
    Throw({1, 1, 2, 1, 1});
    g.GridSelectCell(0, ligneplus);
    EXPECT_EQ(g.Grid.Cell(0, lignemoins), "7");
    EXPECT_EQ(g.Grid.Cell(1, lignemoins), "28");
    EXPECT_EQ(g.Grid.Cell(0, ligneplus), "6");
}

struct WriteSeen : GameObserver {
    std::vector<std::pair<int, int>> writes;
    void OnWrite(const Game&, int column, int row) override { writes.emplace_back(column, row); }
};

TEST_F(ScoringTest, ObserverHearsTheWrittenRowOnly) {
    WriteSeen seen;
    g.Subscribe(seen);
    Start({"ANNE", "BOB"});
    Throw({3, 3, 3, 3, 3});
    g.GridSelectCell(0, lignebonus);
    g.GridSelectCell(0, ligne3);
    EXPECT_EQ(seen.writes, (std::vector<std::pair<int, int>>{{0, ligne3}}));
}

}  // namespace
