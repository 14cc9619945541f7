// The expert computer: whole games in every game type, a turn followed tick
// by tick, and the wait for a table that is not ready.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Strategy.h"
#include "StrategySupport.h"
#include "SystemPorts.h"
#include "TestSupport.h"

namespace quimba::testing {
namespace {

StrategySource& Built() { return SharedStrategies(); }

// A source whose tables are not ready until told so.
struct LateSource : StrategySource {
    bool ready = false;
    int asked = 0;
    const StrategyTable* Table(int typejeu) override {
        ++asked;
        return ready ? Built().Table(typejeu) : nullptr;
    }
};

bool PlayToEnd(Game& g) {
    for (long step = 0; step < 200000; ++step) {
        if (g.S.tour >= kRounds) return true;
        if (g.controls.FrameTimerEnabled)
            g.FrameTimerTimer();
        else if (g.controls.TimerordiEnabled)
            g.TimerordiTimer();
        else
            return false;
    }
    return false;
}

// Every write, with what the game's scoring gives the dice at that moment,
// and the throws of each turn.
struct Checker : GameObserver {
    struct Write {
        int column, row;
        std::string text;
        int score;
        int forced;
        int throws;
    };
    std::vector<Write> writes;
    void OnWrite(const Game& g, int column, int row) override {
        writes.push_back({column, row, g.Grid.Cell(column, row), g.RowScore(row), g.S.ligneimposee, g.S.nblancers});
    }
};

struct GameCase {
    const char* name;
    int type;
    std::array<std::optional<Level>, kColumns> levels;  // per column
};

class ExpertGame : public ::testing::TestWithParam<GameCase> {};

// An expert beside a classic computer, and two experts: every game ends,
// every row the expert writes holds the game's own score of its dice, and
// the forced order is kept.
TEST_P(ExpertGame, PlaysWholeGamesByTheRules) {
    const GameCase& c = GetParam();
    for (unsigned seed : {3u, 11u}) {
        SeededRandom random(seed);
        FixedClock clock;
        GameView view;
        Game g(random, clock, view);
        g.T.assign(93, "");
        g.strategies = &Built();
        g.seatLevels = c.levels;
        Checker checker;
        g.Subscribe(checker);
        StartGame(g, {"CPU", "CPU"}, c.type);
        ASSERT_TRUE(PlayToEnd(g)) << c.name << " seed " << seed;
        EXPECT_EQ(checker.writes.size(), 26u);
        for (const auto& w : checker.writes) {
            EXPECT_GE(w.throws, 1);
            EXPECT_LE(w.throws, 3);
            if (c.type != kNormal) {
                EXPECT_EQ(w.row, w.forced) << c.name;
            }
            if (c.levels[w.column] == Level::Expert) {
                EXPECT_EQ(w.text, std::to_string(w.score)) << c.name << " row " << w.row;
            }
        }
        for (int col = 0; col < 2; ++col) {
            for (int row : kChosenRows) EXPECT_FALSE(g.Grid.Free(col, row)) << c.name << " col " << col;
            EXPECT_EQ(g.Grid.Value(col, lignetotal), ColumnPoints(g.Grid, col));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, ExpertGame,
    ::testing::Values(GameCase{"NormalExpertFirst", kNormal, {Level::Expert, Level::Classic}},
                      GameCase{"NormalTwoExperts", kNormal, {Level::Expert, Level::Expert}},
                      GameCase{"AscendantExpertSecond", kAscendant, {Level::Classic, Level::Expert}},
                      GameCase{"DescendantExpertFirst", kDescendant, {Level::Expert, Level::Classic}},
                      GameCase{"DescendantClassicOnly", kDescendant, {Level::Classic, Level::Classic}}),
    [](const auto& info) { return std::string(info.param.name); });

// The classic level plays the same game whether or not tables are at hand.
TEST(ExpertLevel, ClassicIgnoresTheTables) {
    auto play = [](bool withTables) {
        SeededRandom random(5);
        FixedClock clock;
        GameView view;
        Game g(random, clock, view);
        g.T.assign(93, "");
        if (withTables) g.strategies = &Built();
        g.S.niveau = Level::Classic;
        Checker checker;
        g.Subscribe(checker);
        StartGame(g, {"CPU", "CPU", "CPU"}, kNormal);
        EXPECT_TRUE(PlayToEnd(g));
        std::string out;
        for (const auto& w : checker.writes) out += std::to_string(w.row) + "=" + w.text + " ";
        return out;
    };
    EXPECT_EQ(play(true), play(false));
}

// A column's own level wins over the game's; a person is never an expert.
TEST(ExpertLevel, ColumnLevelOverridesTheGameLevel) {
    Harness h;
    StartGame(h.game, {"CPU", "JO2", "CPU"});
    h.game.S.niveau = Level::Expert;
    EXPECT_TRUE(h.game.Expert(0));
    EXPECT_FALSE(h.game.Expert(1));
    h.game.seatLevels[2] = Level::Classic;
    EXPECT_FALSE(h.game.Expert(2));
    h.game.S.niveau = Level::Classic;
    h.game.seatLevels[0] = Level::Expert;
    EXPECT_TRUE(h.game.Expert(0));
}

// One expert turn, tick by tick, with only "Quimba" left: four 4s are kept,
// the fifth die is thrown twice, and after the third throw the row is
// written with what the dice score.
TEST(ExpertTurn, KeepsWhatTheAdviceSaysAndWritesAfterTheThirdThrow) {
    Harness h;
    Game& g = h.game;
    h.random.fallback = 0;  // the tumbling faces of the animation
    g.strategies = &Built();
    g.Form2.Niveau = Level::Expert;  // "Commencer" carries it into the game
    StartGame(g, {"CPU", "JO2"});
    for (int row : kChosenRows)
        if (row != lignequimba) g.Grid.SetCell(0, row, "10");
    g.S.tour = kRounds - 1;

    ScriptThrow(h.random, {4, 4, 2, 4, 4});
    g.TimerordiTimer();
    ASSERT_TRUE(RunAnimation(g));
    EXPECT_EQ(g.S.nblancers, 1);

    ScriptThrow(h.random, {5});
    g.TimerordiTimer();
    EXPECT_EQ(g.S.garde, (std::array<std::uint8_t, 6>{0, 1, 1, 0, 1, 1}));
    EXPECT_EQ(g.S.nblancers, 2);
    EXPECT_EQ(g.S.valeurde[3], 5);
    ASSERT_TRUE(RunAnimation(g));

    ScriptThrow(h.random, {1});
    g.TimerordiTimer();
    EXPECT_EQ(g.S.nblancers, 3);
    ASSERT_TRUE(RunAnimation(g));
    EXPECT_TRUE(g.Grid.Free(0, lignequimba));

    g.TimerordiTimer();
    EXPECT_EQ(g.Grid.Cell(0, lignequimba), "0");
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_TRUE(h.random.script.empty());
}

// Five equal dice at the first look go into "Quimba" at once.
TEST(ExpertTurn, WritesAtTheFirstLookWhenThatIsBest) {
    Harness h;
    Game& g = h.game;
    h.random.fallback = 0;
    g.strategies = &Built();
    g.Form2.Niveau = Level::Expert;  // "Commencer" carries it into the game
    StartGame(g, {"CPU", "JO2"});
    ScriptThrow(h.random, {6, 6, 6, 6, 6});
    g.TimerordiTimer();
    ASSERT_TRUE(RunAnimation(g));
    g.TimerordiTimer();
    EXPECT_EQ(g.Grid.Cell(0, lignequimba), "50");
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_FALSE(g.controls.TimerordiEnabled);
}

// A forced row that is somehow written already is never overwritten: the
// expert throws its three throws and then says it has nothing to do.
TEST(ExpertTurn, NeverWritesOverAFilledForcedRow) {
    Harness h;
    Game& g = h.game;
    h.random.fallback = 0;
    g.strategies = &Built();
    // The level comes with Commencer, as the setup dialog gives it.
    g.Form2.Niveau = Level::Expert;
    StartGame(g, {"CPU", "JO2"}, kAscendant);
    ASSERT_TRUE(g.Expert(0));
    g.Grid.SetCell(0, lignequimba, "50");
    for (int tick = 0; tick < 20 && g.controls.TimerordiEnabled; ++tick) {
        g.TimerordiTimer();
        ASSERT_TRUE(RunAnimation(g));
    }
    EXPECT_EQ(g.S.nblancers, 3);
    EXPECT_EQ(g.Grid.Cell(0, lignequimba), "50");
    EXPECT_EQ(g.controls.resultext, "Je ne sais que faire");
    EXPECT_FALSE(g.controls.TimerordiEnabled);
}

// Without its table the expert throws first (no decision is due yet), then
// waits tick after tick without touching anything, and never plays the
// ladder instead; once the table is there it goes on.
TEST(ExpertTurn, WaitsOnTheTimerWhileTheTableIsNotReady) {
    for (int type : {kNormal, kAscendant}) {
        Harness h;
        Game& g = h.game;
        h.random.fallback = 0;
        LateSource late;
        g.strategies = &late;
        g.Form2.Niveau = Level::Expert;  // "Commencer" carries it into the game
        StartGame(g, {"CPU", "JO2"}, type);
        ScriptThrow(h.random, {3, 3, 2, 6, 1});
        g.TimerordiTimer();
        ASSERT_TRUE(RunAnimation(g));
        ASSERT_EQ(g.S.nblancers, 1);
        const std::string before = Snapshot(g);
        for (int tick = 0; tick < 20; ++tick) g.TimerordiTimer();
        EXPECT_EQ(Snapshot(g), before) << "type " << type;
        EXPECT_EQ(late.asked, 20);

        late.ready = true;
        ScriptThrow(h.random, {4, 4, 4, 4, 4}, 0, 0);
        g.TimerordiTimer();
        EXPECT_NE(Snapshot(g), before) << "type " << type;
    }
    // No source at all is the same as a table never ready.
    Harness h;
    h.random.fallback = 0;
    h.game.Form2.Niveau = Level::Expert;  // "Commencer" carries it into the game
    StartGame(h.game, {"CPU", "JO2"});
    ScriptThrow(h.random, {3, 3, 2, 6, 1});
    h.game.TimerordiTimer();
    ASSERT_TRUE(RunAnimation(h.game));
    const std::string before = Snapshot(h.game);
    h.game.TimerordiTimer();
    EXPECT_EQ(Snapshot(h.game), before);
}

}  // namespace
}  // namespace quimba::testing
