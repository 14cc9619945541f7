// The sheet's tally: the upper bonus, the totals, and the turn passing on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

// Makes the last throw worth `value` in `row` and has the current player
// pick it, the way a person ends a turn.
void Score(Game& g, int row, int value) {
    GameState& s = g.S;
    s.nblancers = 1;
    s.figure[s.joueur] = kNoFigure;
    if (row >= ligne1 && row <= ligne6) s.sommeface[row] = value;
    if (row == ligneplus || row == lignemoins) s.sommedes = value;
    if (row == lignebrelan) {
        s.figure[s.joueur] = value ? kBrelan : kNoFigure;
        s.sommedes = value;
    }
    if (row == lignesuite && value) s.figure[s.joueur] = kSuite;
    if (row == lignefull && value) s.figure[s.joueur] = kFull;
    if (row == lignecarre && value) s.figure[s.joueur] = kCarre;
    if (row == lignequimba && value) s.figure[s.joueur] = kQuimba;
    const int column = s.joueur;
    g.GridSelectCell(column, row);
    ASSERT_EQ(g.Grid.Cell(column, row), std::to_string(value)) << "row " << row;
}

class TallyTest : public ::testing::Test {
protected:
    Harness h;
    Game& g = h.game;
    void Start(const std::vector<std::string>& names, int type = kNormal) { StartGame(g, names, type); }
    // Plays one row for every player of the round.
    void Round(int row, const std::vector<int>& values) {
        for (int v : values) Score(g, row, v);
    }
};

struct BonusCase {
    const char* name;
    std::vector<int> upper;  // rows 1..6, the last one picked
    std::string bonus, subtotal;
};

class Bonus : public ::testing::TestWithParam<BonusCase> {};

TEST_P(Bonus, ThirtyFiveFromSixtyThree) {
    const BonusCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    for (int row = 1; row <= 5; ++row) g.Grid.SetCell(0, row, std::to_string(c.upper[row - 1]));
    Score(g, ligne6, c.upper[5]);
    EXPECT_EQ(g.Grid.Cell(0, lignebonus), c.bonus);
    EXPECT_EQ(g.Grid.Cell(0, lignesoustotal), c.subtotal);
}

INSTANTIATE_TEST_SUITE_P(Sums, Bonus,
                         ::testing::Values(BonusCase{"exactly_63", {3, 6, 9, 12, 15, 18}, "35", "98"},
                                           BonusCase{"one_short_62", {2, 6, 9, 12, 15, 18}, "", "62"},
                                           BonusCase{"above_63", {5, 10, 15, 20, 25, 30}, "35", "140"},
                                           BonusCase{"nothing", {0, 0, 0, 0, 0, 0}, "", "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyTest, SubtotalIsZeroAfterAFirstFigureRow) {
    Start({"ANNE", "BOB"});
    Score(g, lignesuite, 0);
    EXPECT_EQ(g.Grid.Cell(0, lignesoustotal), "0");
    EXPECT_EQ(g.Grid.Cell(0, lignebonus), "");
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "");
}

TEST_F(TallyTest, GrandTotalWaitsForPlusAndMoins) {
    Start({"ANNE", "BOB"});
    Score(g, ligne6, 24);     // ANNE
    Score(g, ligne1, 3);      // BOB
    Score(g, lignefull, 30);  // ANNE
    Score(g, ligne2, 4);
    Score(g, ligneplus, 27);  // ANNE
    Score(g, ligne3, 6);
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "");
    Score(g, lignemoins, 9);  // ANNE: 24 + 30 + 27 - 9
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "72");
    Score(g, ligne4, 8);
    Score(g, lignecarre, 40);  // rewritten at every later tally
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "112");
    EXPECT_EQ(g.Grid.Cell(1, lignetotal), "");
    EXPECT_EQ(g.Grid.Cell(1, lignesoustotal), "21");
}

TEST_F(TallyTest, MoinsAbovePlusLowersTheTotal) {
    Start({"ANNE", "BOB"});
    g.Grid.SetCell(0, ligne5, "20");
    g.Grid.SetCell(0, lignebrelan, "22");
    g.Grid.SetCell(0, ligneplus, "8");
    Score(g, lignemoins, 29);  // 20 + 22 + 8 - 29
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "21");
}

TEST_F(TallyTest, MoinsCanTakeTheTotalBelowZero) {
    Start({"ANNE", "BOB"});
    g.Grid.SetCell(0, ligneplus, "5");
    Score(g, lignemoins, 30);
    EXPECT_EQ(g.Grid.Cell(0, lignetotal), "-25");
}

TEST_F(TallyTest, TurnPassesToTheNextPerson) {
    Start({"ANNE", "BOB", "CLEO"});
    ScriptThrow(h.random, {1, 2, 3, 4, 6});
    g.Button1Click();
    g.DiceTableMouseDown(g.S.posx[2] + 30, g.S.posy[2] + 30);
    ASSERT_EQ(int(g.S.garde[2]), 1);
    g.S.etapeordi = 2;
    g.controls.glassbtn5Enabled = false;
    const int repaints = h.view.gridRepaints;
    g.GridSelectCell(0, ligne4);

    EXPECT_EQ(h.view.sounds, (std::vector<int>{kThrowSound, kTallySound}));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_EQ(g.S.tour, 0);
    EXPECT_TRUE(g.S.tourfini);
    EXPECT_FALSE(g.S.casechoisie);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(int(g.S.alancer[i]), 1) << "die " << i;
        EXPECT_EQ(int(g.S.garde[i]), 0) << "die " << i;
    }
    EXPECT_TRUE(g.controls.glassbtn5Enabled);
    EXPECT_FALSE(g.controls.TimerordiEnabled);
    EXPECT_EQ(g.controls.Label23, "L19 2/ L77");
    EXPECT_EQ(h.view.gridRepaints, repaints + 1);
}

TEST_F(TallyTest, LastColumnStartsTheNextRound) {
    Start({"ANNE", "BOB"});
    Score(g, ligne1, 1);
    Score(g, ligne1, 2);
    EXPECT_EQ(g.S.joueur, 0);
    EXPECT_EQ(g.S.tour, 1);
    EXPECT_EQ(g.controls.Label23, "L19 1/ L77");
}

struct ComputerNextCase {
    const char* name;
    bool buttonBefore;
};

class ComputerNext : public ::testing::TestWithParam<ComputerNextCase> {};

// A computer's turn is never thrown by a person: the roll button goes off
// whether the person wrote before the third throw or after it.
TEST_P(ComputerNext, TimerStartsAndTheButtonGoesOff) {
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "CPU"});
    g.controls.glassbtn5Enabled = GetParam().buttonBefore;
    g.S.tourfini = true;
    g.S.etapeordi = 3;
    Score(g, ligne2, 4);
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_TRUE(g.controls.TimerordiEnabled);
    EXPECT_FALSE(g.S.tourfini);
    EXPECT_FALSE(g.controls.glassbtn5Enabled);
    EXPECT_EQ(g.controls.Label23, "L19 2/ L77");
}

INSTANTIATE_TEST_SUITE_P(Button, ComputerNext,
                         ::testing::Values(ComputerNextCase{"picked_before_third_throw", true},
                                           ComputerNextCase{"picked_after_third_throw", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TallySeen : GameObserver {
    std::vector<std::string> seen;
    void OnTally(const Game& g, int column) override {
        seen.push_back(std::to_string(column) + ":" + g.Grid.Cell(column, lignebonus) + "/" +
                       g.Grid.Cell(column, lignesoustotal) + "/" + g.Grid.Cell(column, lignetotal) + " joueur " +
                       std::to_string(g.S.joueur));
    }
};

TEST_F(TallyTest, ObserverSeesTheComputedRowsBeforeTheTurnMoves) {
    TallySeen seen;
    g.Subscribe(seen);
    Start({"ANNE", "BOB"});
    for (int row = 1; row <= 5; ++row) g.Grid.SetCell(1, row, "13");
    g.Grid.SetCell(1, ligneplus, "30");
    Score(g, ligne1, 1);
    Score(g, lignemoins, 5);
    EXPECT_EQ(seen.seen, (std::vector<std::string>{"0:/1/ joueur 0", "1:35/100/125 joueur 1"}));
}

// The forced row over a whole game, recorded at every pick.
struct ForcedCase {
    const char* name;
    int type;
    std::vector<int> rows;
    int after;
};

class ForcedRow : public ::testing::TestWithParam<ForcedCase> {};

TEST_P(ForcedRow, MovesOnAfterTheLastColumnOnly) {
    const ForcedCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB", "CLEO"}, c.type);
    std::vector<int> seen;
    for (int round = 0; round < 13; ++round) {
        const int forced = g.S.ligneimposee;
        seen.push_back(forced);
        for (int player = 0; player < 3; ++player) {
            ASSERT_EQ(g.S.ligneimposee, forced) << "round " << round << " player " << player;
            ASSERT_EQ(g.S.joueur, player);
            Score(g, forced, 0);
        }
    }
    EXPECT_EQ(seen, c.rows);
    EXPECT_EQ(g.S.ligneimposee, c.after);
    EXPECT_EQ(g.S.tour, 13);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ForcedRow,
    ::testing::Values(ForcedCase{"descendant", kDescendant, {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15}, 16},
                      ForcedCase{"ascendant", kAscendant, {15, 14, 13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyTest, NormalGameLeavesTheForcedRowAlone) {
    Start({"ANNE", "BOB"});
    for (int row : kChosenRows) Round(row, {0, 0});
    EXPECT_EQ(g.S.ligneimposee, 1);
}

// End of the game: every column full but the last pick of the last column.
class EndTest : public TallyTest {
protected:
    // Gives each column its twelve other rows, worth nothing but Plus.
    void Prepare(const std::vector<std::string>& names, const std::vector<int>& plus) {
        Start(names);
        const int n = static_cast<int>(names.size());
        for (int c = 0; c < n; ++c) {
            for (int row : kChosenRows) g.Grid.SetCell(c, row, "0");
            g.Grid.SetCell(c, ligneplus, std::to_string(plus[c]));
            g.Grid.SetCell(c, lignesoustotal, "0");
            if (c < n - 1) g.Grid.SetCell(c, lignetotal, std::to_string(plus[c]));
        }
        g.Grid.SetCell(n - 1, lignemoins, "");
        g.S.tour = 12;
        g.S.joueur = n - 1;
    }
    void LastPick(int moins) { Score(g, lignemoins, moins); }
};

TEST_F(EndTest, AnnouncesTheWinnerAndAddsTheEntry) {
    Prepare({"ANNE", "BOB", "CLEO"}, {20, 25, 30});
    g.controls.TimerordiEnabled = true;
    LastPick(10);  // CLEO: 30 - 10
    EXPECT_EQ(g.Grid.Cell(2, lignetotal), "20");
    EXPECT_EQ(g.S.tour, 13);
    EXPECT_EQ(g.S.joueur, 3) << "left one past the last column";
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_FALSE(g.controls.glassbtn5Enabled);
    EXPECT_FALSE(g.controls.TimerordiEnabled);
    EXPECT_EQ(g.controls.resultext, "L91 BOB 25 L92");
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{"25 --- 08/12/2026 16:00 --- BOB"});
    EXPECT_EQ(g.S.meilleurscore, 25);
    EXPECT_EQ(g.S.meilleurnom, "BOB");
    EXPECT_EQ(g.controls.Label28, "BOB 25");
}

TEST_F(EndTest, TieGoesToTheLowerColumn) {
    Prepare({"ANNE", "BOB", "CLEO"}, {20, 40, 45});
    LastPick(5);
    EXPECT_EQ(g.controls.resultext, "L91 BOB 40 L92");
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{"40 --- 08/12/2026 16:00 --- BOB"});
    EXPECT_EQ(g.S.meilleurnom, "BOB");
}

struct BestCase {
    const char* name;
    int storedBest;
    bool replaced;
};

class BestScore : public ::testing::TestWithParam<BestCase> {};

TEST_P(BestScore, OnlyAStrictlyHigherTotalReplacesIt) {
    const BestCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    for (int col = 0; col < 2; ++col)
        for (int row : kChosenRows) g.Grid.SetCell(col, row, "0");
    g.Grid.SetCell(0, ligneplus, "30");
    g.Grid.SetCell(0, lignetotal, "30");
    g.Grid.SetCell(1, lignemoins, "");
    g.S.tour = 12;
    g.S.joueur = 1;
    g.S.meilleurscore = c.storedBest;
    g.S.meilleurnom = "OLD";
    g.controls.Label28 = "OLD " + std::to_string(c.storedBest);
    Score(g, lignemoins, 0);
    EXPECT_EQ(g.S.meilleurscore, c.replaced ? 30 : c.storedBest);
    EXPECT_EQ(g.S.meilleurnom, c.replaced ? "ANNE" : "OLD");
    EXPECT_EQ(g.controls.Label28, c.replaced ? "ANNE 30" : "OLD " + std::to_string(c.storedBest));
    EXPECT_EQ(g.ListBoxScore.Items().size(), 1u) << "every finished game is listed";
}

INSTANTIATE_TEST_SUITE_P(Stored, BestScore,
                         ::testing::Values(BestCase{"lower", 29, true}, BestCase{"equal", 30, false},
                                           BestCase{"higher", 31, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndTest, ColumnWithoutANameKeepsThePreviousName) {
    Prepare({"ANNE", "BOB"}, {20, 50});
    g.Grid.SetCell(1, lignenoms, "");
    LastPick(0);
    EXPECT_EQ(g.controls.resultext, "L91 ANNE 50 L92");
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{"50 --- 08/12/2026 16:00 --- ANNE"});
}

TEST_F(EndTest, ShortLanguageFileStillEndsTheGame) {
    g.T.resize(91);  // lines 0..90: the announcement's two parts are missing
    Prepare({"ANNE", "BOB"}, {20, 50});
    LastPick(0);
    EXPECT_EQ(g.controls.resultext, " BOB 50 ");
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{"50 --- 08/12/2026 16:00 --- BOB"});
    EXPECT_FALSE(g.controls.glassbtn5Enabled);
    EXPECT_EQ(g.S.joueur, 2);
    EXPECT_EQ(g.S.tour, 13);
}

// A game in which a person was coached ends as any other, but leaves the
// best score, its line and the best-scores list alone.
TEST_F(EndTest, CoachedGameStaysOutOfTheBestScores) {
    struct Case {
        const char* what;
        bool coached;
        int best;
        std::string label28;
        std::size_t entries;
    };
    for (const Case& c : {Case{"plain game", false, 25, "BOB 25", 1}, Case{"coached game", true, 7, "OLD 7", 0}}) {
        Prepare({"ANNE", "BOB", "CLEO"}, {20, 25, 30});
        g.S.meilleurscore = 7;
        g.S.meilleurnom = "OLD";
        g.controls.Label28 = "OLD 7";
        g.ListBoxScore.Clear();
        g.S.conseilpartie = c.coached;
        LastPick(10);
        EXPECT_EQ(g.controls.resultext, "L91 BOB 25 L92") << c.what;
        EXPECT_FALSE(g.controls.glassbtn5Enabled) << c.what;
        EXPECT_EQ(g.S.tour, 13) << c.what;
        EXPECT_EQ(g.S.meilleurscore, c.best) << c.what;
        EXPECT_EQ(g.S.meilleurnom, c.best == 7 ? "OLD" : "BOB") << c.what;
        EXPECT_EQ(g.controls.Label28, c.label28) << c.what;
        EXPECT_EQ(g.ListBoxScore.Items().size(), c.entries) << c.what;
    }
}

TEST_F(EndTest, ANewGameIsNoLongerCoached) {
    Prepare({"ANNE", "BOB"}, {20, 50});
    g.S.conseilpartie = true;
    StartGame(g, {"ANNE", "BOB"});
    EXPECT_FALSE(g.S.conseilpartie);
    Prepare({"ANNE", "BOB"}, {20, 50});
    LastPick(0);
    EXPECT_EQ(g.ListBoxScore.Items(), std::vector<std::string>{"50 --- 08/12/2026 16:00 --- BOB"});
    EXPECT_EQ(g.S.meilleurnom, "BOB");
}

struct EndSeen : GameObserver {
    std::string winner;
    int score = -1;
    int calls = 0;
    void OnEnd(const Game&, const std::string& w, int s) override {
        winner = w;
        score = s;
        ++calls;
    }
};

TEST_F(EndTest, ObserverHearsTheEnd) {
    EndSeen seen;
    g.Subscribe(seen);
    Prepare({"ANNE", "BOB"}, {20, 10});
    LastPick(0);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.winner, "ANNE");
    EXPECT_EQ(seen.score, 20);
}

TEST_F(EndTest, NothingRunsAfterTheEnd) {
    Prepare({"ANNE", "BOB"}, {20, 10});
    LastPick(0);
    const std::string after = Snapshot(g);
    g.GridSelectCell(2, ligne1);
    g.GridSelectCell(1, ligne1);
    g.DiceTableMouseDown(100, 100);
    EXPECT_EQ(Snapshot(g), after);
}

}  // namespace
