// The keys against the mouse: each key changes the game as its click does, and is refused where the click is.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SystemPorts.h"
#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

// One game driven by a reproducible stream of draws.
struct KeyTable {
    SeededRandom random{11};
    FixedClock clock;
    RecordingView view;
    Game game{random, clock, view};
    KeyTable() {
        for (int n = 0; n < kLanguageLineCount; ++n) game.T.push_back("L" + std::to_string(n));
    }
};

// A throw through the roll button, as far as the animation's end.
void Throw(Game& g) {
    g.Button1Click();
    RunAnimation(g);
}

// Where a click lands on die i: the middle of its pick box.
int DieX(const Game& g, int die) { return g.S.posx[die] + 35; }
int DieY(const Game& g, int die) { return g.S.posy[die] + 30; }

// A click on the roll button reaches the game only while it is enabled.
void ClickRoll(Game& g) {
    if (g.controls.glassbtn5Enabled) g.Button1Click();
}

enum class Expect { Same };

struct KeyCase {
    const char* name;
    std::function<void(Game&)> setup;
    std::function<void(Game&)> key;
    std::function<void(Game&)> click;
    Expect expect = Expect::Same;
    bool changes = true;  // whether the click changes the state
};

class KeyAgainstClick : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyAgainstClick, SameStateChangeAndSameRefusals) {
    const KeyCase& c = GetParam();
    KeyTable byKey, byClick;
    c.setup(byKey.game);
    c.setup(byClick.game);
    ASSERT_EQ(Snapshot(byKey.game), Snapshot(byClick.game)) << "twin games must start alike";
    const std::string before = Snapshot(byClick.game);
    byKey.view.presented.clear();
    byClick.view.presented.clear();
    byKey.view.sounds.clear();
    byClick.view.sounds.clear();

    c.key(byKey.game);
    c.click(byClick.game);

    EXPECT_EQ(before != Snapshot(byClick.game), c.changes) << "the click itself";
    EXPECT_EQ(Snapshot(byKey.game), Snapshot(byClick.game));
    EXPECT_EQ(byKey.view.presented, byClick.view.presented);
    EXPECT_EQ(byKey.view.sounds, byClick.view.sounds);
}

void Persons(Game& g) { StartGame(g, {"ANNE", "BOB"}); }
void PersonsThrown(Game& g) {
    Persons(g);
    Throw(g);
}
void PersonsThrownTwice(Game& g) {
    PersonsThrown(g);
    Throw(g);
}
void PersonsThrownThrice(Game& g) {
    PersonsThrownTwice(g);
    Throw(g);
}
// The computer plays second; the person wrote after one throw, just before
// the computer's turn.
void ComputerToPlay(Game& g) {
    StartGame(g, {"ANNE", "CPU"});
    Throw(g);
    g.GridSelectCell(0, lignequimba);
}
void ComputerThrown(Game& g) {
    ComputerToPlay(g);
    g.TimerordiTimer();
    RunAnimation(g);
}
// The cursor moved onto a row of the person's column.
std::function<void(Game&)> CursorOn(std::function<void(Game&)> setup, int row, int typejeu = kNormal) {
    return [setup, row, typejeu](Game& g) {
        if (setup)
            setup(g);
        else {
            StartGame(g, {"ANNE", "BOB"}, typejeu);
            Throw(g);
        }
        g.KeyCursor(0);
        while (g.SheetCursorRow() > row) g.KeyCursor(-1);
        while (g.SheetCursorRow() >= 0 && g.SheetCursorRow() < row) g.KeyCursor(+1);
    };
}
// The key of die `die`, wherever it lies.
std::function<void(Game&)> Die(int die) {
    return [die](Game& g) { g.KeyDie(g.DieKey(die)); };
}
std::function<void(Game&)> ClickDie(int die) {
    return [die](Game& g) { g.DiceTableMouseDown(DieX(g, die), DieY(g, die)); };
}
std::function<void(Game&)> Select(int row) {
    return [row](Game& g) { g.GridSelectCell(g.S.joueur, row); };
}
void Enter(Game& g) { g.KeyEnter(); }
void DownEnter(Game& g) {
    g.KeyCursor(+1);
    g.KeyEnter();
}
void UpEnter(Game& g) {
    g.KeyCursor(-1);
    g.KeyEnter();
}
void Space(Game& g) { g.KeyThrow(); }

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyAgainstClick,
    ::testing::Values(
        KeyCase{"die1_kept_after_first_throw", PersonsThrown, Die(1), ClickDie(1)},
        KeyCase{"die5_kept_after_second_throw", PersonsThrownTwice, Die(5), ClickDie(5)},
        KeyCase{"die2_released_at_its_kept_place",
                [](Game& g) {
                    PersonsThrown(g);
                    g.KeyDie(g.DieKey(2));
                    Throw(g);
                },
                Die(2), ClickDie(2)},
        KeyCase{"die_before_any_throw", Persons, Die(3), [](Game& g) { g.DiceTableMouseDown(200, 100); }, Expect::Same,
                false},
        KeyCase{"die_after_third_throw", PersonsThrownThrice, Die(3), ClickDie(3), Expect::Same, false},
        KeyCase{"die_in_computer_turn", ComputerThrown, Die(4), ClickDie(4), Expect::Same, false},
        KeyCase{"space_first_throw", Persons, Space, ClickRoll},
        KeyCase{"space_third_throw", PersonsThrownTwice, Space, ClickRoll},
        KeyCase{"space_after_third_throw", PersonsThrownThrice, Space, ClickRoll, Expect::Same, false},
        KeyCase{"space_before_any_game", [](Game&) {}, Space, ClickRoll, Expect::Same, false},
        KeyCase{"space_in_computer_turn", ComputerToPlay, Space, ClickRoll, Expect::Same, false},
        KeyCase{"enter_without_cursor_throws", PersonsThrown, Enter, ClickRoll},
        KeyCase{"enter_in_computer_turn", ComputerToPlay, Enter, ClickRoll, Expect::Same, false},
        KeyCase{"enter_writes_free_row", CursorOn(nullptr, ligne4), Enter, Select(ligne4)},
        KeyCase{"enter_writes_figure_row", CursorOn(nullptr, lignecarre), Enter, Select(lignecarre)},
        // The arrows pass over the bonus and total rows and stop at row 1.
        KeyCase{"enter_after_arrow_past_bonus_writes_plus", CursorOn(nullptr, ligne6), DownEnter, Select(ligneplus)},
        KeyCase{"enter_after_arrow_above_row1_writes_row1", CursorOn(nullptr, ligne1), UpEnter, Select(ligne1)},
        KeyCase{"enter_on_filled_row",
                CursorOn(
                    [](Game& g) {
                        PersonsThrown(g);
                        g.GridSelectCell(0, ligne2);
                        Throw(g);
                        g.GridSelectCell(1, ligne2);
                        Throw(g);
                    },
                    ligne2),
                Enter, Select(ligne2), Expect::Same, false},
        KeyCase{"enter_on_forced_row_ascendant", CursorOn(nullptr, lignequimba, kAscendant), Enter,
                Select(lignequimba)},
        KeyCase{"enter_off_forced_row_ascendant", CursorOn(nullptr, lignecarre, kAscendant), Enter, Select(lignecarre),
                Expect::Same, false},
        KeyCase{"enter_off_forced_row_descendant", CursorOn(nullptr, ligne2, kDescendant), Enter, Select(ligne2),
                Expect::Same, false}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(SheetCursor, StartsWhereAPickCanBeMade) {
    KeyTable t;
    Game& g = t.game;
    Persons(g);
    EXPECT_FALSE(g.KeyCursor(+1)) << "no cursor before the first throw";
    EXPECT_EQ(g.SheetCursorRow(), -1);
    Throw(g);
    g.GridSelectCell(0, ligne1);
    Throw(g);
    g.GridSelectCell(1, ligne3);
    Throw(g);
    EXPECT_TRUE(g.KeyCursor(+1));
    EXPECT_EQ(g.SheetCursorRow(), ligne2) << "first free chosen row of column 0";

    KeyTable a;
    StartGame(a.game, {"ANNE", "BOB"}, kAscendant);
    Throw(a.game);
    a.game.KeyCursor(-1);
    EXPECT_EQ(a.game.SheetCursorRow(), lignequimba);
    KeyTable d;
    StartGame(d.game, {"ANNE", "BOB"}, kDescendant);
    Throw(d.game);
    d.game.KeyCursor(+1);
    EXPECT_EQ(d.game.SheetCursorRow(), ligne1);
}

TEST(SheetCursor, MovesWithinTheColumnAndStopsAtItsEnds) {
    KeyTable t;
    Game& g = t.game;
    PersonsThrown(g);
    g.KeyCursor(+1);
    ASSERT_EQ(g.SheetCursorRow(), ligne1);
    g.KeyCursor(-1);
    g.KeyCursor(-1);
    EXPECT_EQ(g.SheetCursorRow(), ligne1) << "the name row is never a stop";
    // Down from the top the cursor rests on exactly the rows a player writes.
    std::vector<int> stops{g.SheetCursorRow()};
    for (int i = 0; i < 20; ++i) {
        g.KeyCursor(+1);
        if (g.SheetCursorRow() != stops.back()) stops.push_back(g.SheetCursorRow());
    }
    EXPECT_EQ(stops, std::vector<int>(kChosenRows.begin(), kChosenRows.end()));
    EXPECT_EQ(g.S.joueur, 0) << "moving never writes";
    EXPECT_TRUE(g.Grid.Free(0, lignequimba));
}

TEST(SheetCursor, AThrowHidesItAndItComesBackWhereItWas) {
    KeyTable t;
    Game& g = t.game;
    PersonsThrown(g);
    g.KeyCursor(+1);
    g.KeyCursor(+1);
    ASSERT_EQ(g.SheetCursorRow(), ligne2);
    g.KeyThrow();
    RunAnimation(g);
    EXPECT_EQ(g.SheetCursorRow(), -1) << "Enter throws again after a throw";
    g.KeyCursor(+1);
    EXPECT_EQ(g.SheetCursorRow(), ligne2) << "the first arrow only shows it again";
    g.KeyEscape();
    EXPECT_EQ(g.SheetCursorRow(), -1);
    const int throws = g.S.nblancers;
    g.KeyEnter();
    EXPECT_EQ(g.S.nblancers, throws + 1) << "Enter with the cursor hidden throws";
}

TEST(SheetCursor, ATurnChangeHidesItAndTheNextPlayerStartsAfresh) {
    KeyTable t;
    Game& g = t.game;
    PersonsThrown(g);
    g.KeyCursor(+1);
    g.KeyCursor(+1);
    ASSERT_TRUE(g.KeyEnter());
    EXPECT_EQ(g.Grid.Cell(0, ligne2), std::to_string(g.S.sommeface[2]));
    EXPECT_EQ(g.S.joueur, 1);
    EXPECT_EQ(g.SheetCursorRow(), -1);
    Throw(g);
    g.KeyCursor(+1);
    EXPECT_EQ(g.SheetCursorRow(), ligne1);
}

TEST(SheetCursor, NeverInAComputersColumn) {
    KeyTable t;
    Game& g = t.game;
    ComputerThrown(g);
    ASSERT_EQ(g.S.joueur, 1);
    ASSERT_GE(g.S.nblancers, 1);
    EXPECT_FALSE(g.KeyCursor(+1));
    EXPECT_EQ(g.SheetCursorRow(), -1);
}

TEST(DieKeys, OnlyTheNamedDieSwitchesWhereAClickWouldHitTwo) {
    KeyTable t;
    Game& g = t.game;
    PersonsThrown(g);
    // Lay die 2 over die 1 so that one click hits both boxes.
    g.S.posx[2] = g.S.posx[1] + 5;
    g.S.posy[2] = g.S.posy[1] + 5;
    EXPECT_TRUE(g.KeyDie(g.DieKey(1)));
    EXPECT_EQ(int(g.S.garde[1]), 1);
    EXPECT_EQ(int(g.S.garde[2]), 0);
    EXPECT_FALSE(g.KeyDie(0));
    EXPECT_FALSE(g.KeyDie(6));
}

// Keys 1 to 5 count the dice from the left as they lie, wherever the throw
// and the keeps left them.
TEST(DieKeys, CountFromTheLeftAsTheDiceLie) {
    KeyTable t;
    Game& g = t.game;
    PersonsThrown(g);
    g.KeyDie(2);
    Throw(g);
    for (int key = 1; key <= kDice; ++key) {
        const int die = g.DieForKey(key);
        EXPECT_EQ(g.DieKey(die), key);
        if (key > 1) {
            EXPECT_LE(g.S.posx[g.DieForKey(key - 1)], g.S.posx[die]) << "key " << key;
        }
    }
    const int leftmost = g.DieForKey(1);
    const auto kept = g.S.garde[leftmost];
    ASSERT_TRUE(g.KeyDie(1));
    EXPECT_NE(g.S.garde[leftmost], kept) << "key 1 switches the leftmost die";
}

}  // namespace
