// The player setup dialog's state: names, person or computer boxes, the player count.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace quimba;
using quimba::testing::Harness;
using quimba::testing::MemoryStore;
using quimba::testing::ScriptThrow;
using quimba::testing::Snapshot;
using quimba::testing::StartGame;

namespace {

// Player 1's field was once laid out disabled for a person, so that the only
// way to type a name was to tick and untick the box, which reset the name.
TEST(SetupDialog, FirstOpeningLetsAPersonTypePlayer1sName) {
    SetupForm form;
    form.FormShow(2);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(form.EditEnabled[i]) << i;
    EXPECT_EQ(form.Edit[1], "JO1");
    form.SetCheckBox(1, true);
    EXPECT_EQ(form.Edit[1], "CPU");
    EXPECT_FALSE(form.EditEnabled[1]);
    form.SetCheckBox(1, false);
    EXPECT_TRUE(form.EditEnabled[1]);
    EXPECT_EQ(form.Edit[1], "JO1");
}

TEST(SetupDialog, StoredCpuNameChecksItsBoxOnShow) {
    SetupForm form;
    form.Edit[3] = "CPU";
    form.Edit[4] = "cpu";  // case matters
    form.FormShow(2);
    EXPECT_TRUE(form.CheckBox[3]);
    EXPECT_FALSE(form.EditEnabled[3]);
    EXPECT_EQ(form.Edit[3], "CPU");
    EXPECT_FALSE(form.CheckBox[4]);
    EXPECT_EQ(form.Edit[4], "cpu");
}

TEST(SetupDialog, UncheckingDoesNotRestoreATypedName) {
    SetupForm form;
    form.Edit[2] = "ANNE";
    form.SetCheckBox(2, true);
    form.SetCheckBox(2, false);
    EXPECT_EQ(form.Edit[2], "JO2");
}

TEST(SetupDialog, ShowFiresNoClickForABoxAlreadyRight) {
    SetupForm form;
    form.SetCheckBox(5, true);
    form.Edit[5] = "CPU";
    form.EditEnabled[5] = true;  // a click would disable it again
    form.FormShow(2);
    EXPECT_TRUE(form.EditEnabled[5]);
}

TEST(SetupDialog, UpDownStaysWithinTwoToFiveAndLeavesTheGameAlone) {
    Harness h;
    h.game.S.nbjoueurs = 2;
    h.game.Form2.FormShow(h.game.S.nbjoueurs);
    struct Step {
        bool next;
        int players;
    };
    for (const Step& s : {Step{false, 2}, Step{true, 3}, Step{true, 4}, Step{true, 5}, Step{true, 5}, Step{false, 4}}) {
        h.game.Form2.UpDown1Click(s.next);
        EXPECT_EQ(h.game.Form2.nbjoueurs, s.players);
        EXPECT_EQ(h.game.Form2.Label7, std::to_string(s.players));
        EXPECT_EQ(h.game.S.nbjoueurs, 2) << "the count reaches the game only with Commencer";
    }
    h.game.Form2.button1Click(h.game.S, h.game.Grid, h.game.controls);
    EXPECT_EQ(h.game.S.nbjoueurs, 4);
}

// Plays the current person's turn: one throw of 1-2-3-4-5, then a pick.
void PersonPicks(Harness& h, int row) {
    ScriptThrow(h.random, {1, 2, 3, 4, 5});
    h.game.Button1Click();
    h.game.GridSelectCell(h.game.S.joueur, row);
}

// The dialog opened in the middle of a game, the arrows used, then left.
void ArrowsThenRetour(Game& g, bool next, int clicks) {
    g.Form2.closeRequested = false;
    g.Form2.FormShow(g.S.nbjoueurs);
    g.Form2.FormActivate(g.Form2.nbjoueurs);
    for (int i = 0; i < clicks; ++i) g.Form2.UpDown1Click(next);
    g.Form2.glassbtn2Click();
}

TEST(SetupDialog, ArrowsThenRetourMidGameChangeNothing) {
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    PersonPicks(h, ligne1);
    const std::string before = Snapshot(g);
    ArrowsThenRetour(g, true, 2);
    EXPECT_EQ(Snapshot(g), before);
    // The second player's pick hands the turn back to the first column.
    PersonPicks(h, ligne1);
    EXPECT_EQ(g.S.joueur, 0);
    EXPECT_EQ(g.S.tour, 1);
    EXPECT_TRUE(g.controls.glassbtn5Enabled);
    // The next opening offers the game's count again.
    g.Form2.FormShow(g.S.nbjoueurs);
    EXPECT_EQ(g.Form2.nbjoueurs, 2);
}

TEST(SetupDialog, FewerPlayersThenRetourKeepTheForcedRowMoving) {
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB", "CECI"}, kDescendant);
    PersonPicks(h, 1);
    PersonPicks(h, 1);
    ArrowsThenRetour(g, false, 1);
    PersonPicks(h, 1);
    EXPECT_EQ(g.S.joueur, 0);
    EXPECT_EQ(g.S.ligneimposee, 2) << "the round's last column still moves the forced row";
    PersonPicks(h, 2);
    EXPECT_EQ(g.Grid.Cell(0, 2), "2");
}

TEST(SetupDialog, RowsShownFollowThePlayerCount) {
    SetupForm form;
    const bool expected[4][6] = {{false, true, true, false, false, false},
                                 {false, true, true, true, false, false},
                                 {false, true, true, true, true, false},
                                 {false, true, true, true, true, true}};
    for (int n = 2; n <= 5; ++n) {
        form.FormActivate(n);
        for (int row = 1; row <= 5; ++row)
            EXPECT_EQ(form.RowVisible[row], expected[n - 2][row]) << n << " players, row " << row;
    }
}

struct StartCase {
    const char* name;
    int radio;
    int typejeu;
    int ligneimposee;
};

class CommencerTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(CommencerTest, ResetsTheTurnAndWritesTheNames) {
    Harness h;
    Game& g = h.game;
    g.S.nbjoueurs = 2;
    g.Form2.nbjoueurs = 3;
    g.S.tour = 13;
    g.S.joueur = 3;
    g.S.nblancers = 2;
    g.S.etapeordi = 2;
    g.S.casechoisie = true;
    g.S.valeurde = {0, 1, 2, 3, 4, 5};
    g.S.meilleurscore = 250;
    g.S.garde = {0, 1, 1, 0, 0, 1};
    g.S.alancer = {0, 0, 0, 1, 1, 0};
    g.Grid.SetCell(4, 12, "20");
    g.controls.TimerordiEnabled = true;
    g.controls.FrameTimerEnabled = true;
    g.Form2.RadioButton = GetParam().radio;
    g.Form2.Edit = {"", "ANNE", "BOB", "CECI", "DAN", "EVE"};

    g.Form2.button1Click(g.S, g.Grid, g.controls);

    EXPECT_EQ(g.S.nbjoueurs, 3);
    EXPECT_EQ(g.S.typejeu, GetParam().typejeu);
    EXPECT_EQ(g.S.ligneimposee, GetParam().ligneimposee);
    EXPECT_EQ(g.S.tour, 0);
    EXPECT_EQ(g.S.joueur, 0);
    EXPECT_EQ(g.S.nblancers, 0);
    EXPECT_EQ(g.S.etapeordi, 0);
    EXPECT_FALSE(g.S.casechoisie);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(g.S.alancer[i], 1);
        EXPECT_EQ(g.S.garde[i], 0);
    }
    // The last throw and the best score are left as they were.
    EXPECT_EQ(g.S.valeurde[5], 5);
    EXPECT_EQ(g.S.meilleurscore, 250);
    EXPECT_EQ(g.Grid.Cell(0, 0), "ANNE");
    EXPECT_EQ(g.Grid.Cell(1, 0), "BOB");
    EXPECT_EQ(g.Grid.Cell(2, 0), "CECI");
    EXPECT_EQ(g.Grid.Cell(3, 0), "");
    EXPECT_EQ(g.Grid.Cell(4, 12), "");
    EXPECT_TRUE(g.controls.glassbtn5Enabled);
    EXPECT_FALSE(g.controls.TimerordiEnabled);
    EXPECT_FALSE(g.controls.FrameTimerEnabled);
    EXPECT_TRUE(g.Form2.closeRequested);
}

INSTANTIATE_TEST_SUITE_P(GameTypes, CommencerTest,
                         ::testing::Values(StartCase{"Normal", 1, 1, 1}, StartCase{"Ascendant", 2, 2, 15},
                                           StartCase{"Descendant", 3, 3, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Commencer, ComputerInColumnZeroStartsItsTimerAndKeepsTheRollButton) {
    Harness h;
    Game& g = h.game;
    g.Form2.nbjoueurs = 2;
    g.Form2.SetCheckBox(1, true);
    g.Form2.button1Click(g.S, g.Grid, g.controls);
    EXPECT_EQ(g.Grid.Cell(0, 0), "CPU");
    EXPECT_TRUE(g.controls.TimerordiEnabled);
    EXPECT_TRUE(g.controls.glassbtn5Enabled);
}

TEST(Commencer, LongStoredNameIsWrittenInFull) {
    Harness h;
    Game& g = h.game;
    g.Form2.nbjoueurs = 5;
    g.Form2.Edit[5] = "MAXIMILIEN";
    g.Form2.button1Click(g.S, g.Grid, g.controls);
    EXPECT_EQ(g.Grid.Cell(4, 0), "MAXIMILIEN");
}

TEST(Settings, FirstRunGivesTheDefaults) {
    Harness h;
    MemoryStore store;
    h.game.FormShow(store);
    EXPECT_EQ(store.reads,
              (std::vector<std::string>{"HIGHSCORE", "NOM", "NOM1", "NOM2", "NOM3", "NOM4", "NOM5", "NIVEAU"}));
    EXPECT_EQ(h.game.Form2.Niveau, Level::Classic);
    EXPECT_EQ(h.game.controls.Label28, " 0");
    EXPECT_EQ(h.game.S.meilleurscore, 0);
    EXPECT_EQ(h.game.S.meilleurnom, "");
    EXPECT_EQ(h.game.S.nbjoueurs, 2);
    EXPECT_EQ(h.game.S.joueur, 0);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(h.game.Form2.Edit[i], "PLA" + std::to_string(i));
}

struct HighscoreCase {
    const char* name;
    const char* stored;
    int score;
    const char* label;
};

class HighscoreText : public ::testing::TestWithParam<HighscoreCase> {};

// The text is shown as read, counts as the number it spells (a number beyond
// 32 bits as the nearest one that fits), and goes back to the store
// unchanged when no game has beaten it.
TEST_P(HighscoreText, IsShownCountedAndKeptAsRead) {
    Harness h;
    MemoryStore store;
    store.values = {{"HIGHSCORE", GetParam().stored}, {"NOM", "ANNE"}};
    h.game.S.meilleurscore = 77;  // only an empty text leaves the field alone
    h.game.FormShow(store);
    EXPECT_EQ(h.game.S.meilleurscore, GetParam().score);
    EXPECT_EQ(h.game.controls.Label28, GetParam().label);
    h.game.FormClose(store);
    EXPECT_EQ(store.values.at("HIGHSCORE"), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Stored, HighscoreText,
                         ::testing::Values(HighscoreCase{"plain", "245", 245, "ANNE 245"},
                                           HighscoreCase{"leading_zeros_shown_as_stored", "0245", 245, "ANNE 0245"},
                                           HighscoreCase{"negative", "-12", -12, "ANNE -12"},
                                           HighscoreCase{"empty_keeps_field", "", 77, "ANNE "},
                                           HighscoreCase{"letters", "abc", 0, "ANNE abc"},
                                           HighscoreCase{"trailing_garbage", "12x", 0, "ANNE 12x"},
                                           HighscoreCase{"overflow", "99999999999", 2147483647, "ANNE 99999999999"},
                                           HighscoreCase{"negative_overflow", "-99999999999", -2147483647 - 1,
                                                         "ANNE -99999999999"},
                                           HighscoreCase{"blank", " ", 0, "ANNE  "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Settings, BeatenStoredTextIsReplacedByTheNewScore) {
    Harness h;
    MemoryStore store;
    store.values = {{"HIGHSCORE", "abc"}, {"NOM", "ANNE"}};
    h.game.FormShow(store);
    h.game.S.meilleurscore = 120;  // as the end of a game sets it
    h.game.FormClose(store);
    EXPECT_EQ(store.values.at("HIGHSCORE"), "120");
}

TEST(Settings, CloseWritesInOrderAndRoundTrips) {
    MemoryStore store;
    {
        Harness h;
        h.game.FormShow(store);
        h.game.S.meilleurscore = 301;
        h.game.S.meilleurnom = "EVE";
        h.game.Form2.Edit[2] = "CPU";
        h.game.Form2.Edit[4] = "ZOE";
        h.game.FormClose(store);
    }
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"HIGHSCORE", "NOM", "NOM1", "NOM2", "NOM3", "NOM4", "NOM5", "NIVEAU"}));
    Harness again;
    again.game.FormShow(store);
    EXPECT_EQ(again.game.S.meilleurscore, 301);
    EXPECT_EQ(again.game.controls.Label28, "EVE 301");
    EXPECT_EQ(again.game.Form2.Edit[2], "CPU");
    EXPECT_EQ(again.game.Form2.Edit[4], "ZOE");
    EXPECT_EQ(again.game.Form2.Edit[1], "PLA1");
}

struct NiveauCase {
    const char* name;
    const char* stored;  // nullptr: no value in the store
    Level niveau;
};

class StoredNiveau : public ::testing::TestWithParam<NiveauCase> {};

// Only "1" and "2" are ever written; whatever else is found plays the ladder.
TEST_P(StoredNiveau, ReadsAsOneUnlessExactlyTwo) {
    Harness h;
    MemoryStore store;
    if (GetParam().stored) store.values["NIVEAU"] = GetParam().stored;
    h.game.Form2.Niveau = Level{0};
    h.game.FormShow(store);
    EXPECT_EQ(h.game.Form2.Niveau, GetParam().niveau);
    h.game.FormClose(store);
    EXPECT_EQ(store.values.at("NIVEAU"), std::to_string(static_cast<int>(GetParam().niveau)));
}

INSTANTIATE_TEST_SUITE_P(
    Stored, StoredNiveau,
    ::testing::Values(NiveauCase{"missing", nullptr, Level::Classic}, NiveauCase{"one", "1", Level::Classic},
                      NiveauCase{"two", "2", Level::Expert}, NiveauCase{"three", "3", Level::Classic},
                      NiveauCase{"zero", "0", Level::Classic}, NiveauCase{"empty", "", Level::Classic},
                      NiveauCase{"padded_two", " 2", Level::Classic}, NiveauCase{"leading_zero", "02", Level::Classic},
                      NiveauCase{"word", "Expert", Level::Classic}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Settings, ChosenNiveauIsStoredAtClose) {
    Harness h;
    MemoryStore store;
    h.game.FormShow(store);
    h.game.Form2.Niveau = Level::Expert;
    h.game.FormClose(store);
    EXPECT_EQ(store.values.at("NIVEAU"), "2");
    Harness again;
    again.game.FormShow(store);
    EXPECT_EQ(again.game.Form2.Niveau, Level::Expert);
}

// The level reaches the game only through "Commencer": changing the dialog
// and leaving it with "retour" leaves a game in progress as it was.
TEST(Commencer, CarriesTheLevelIntoTheGame) {
    Harness h;
    Game& g = h.game;
    g.Form2.Niveau = Level::Expert;
    StartGame(g, {"ANNE", "CPU"});
    EXPECT_EQ(g.S.niveau, Level::Expert);
    g.Form2.Niveau = Level::Classic;
    g.Form2.glassbtn2Click();
    EXPECT_EQ(g.S.niveau, Level::Expert);
    StartGame(g, {"CPU", "CPU"});
    EXPECT_EQ(g.S.niveau, Level::Classic);
}

TEST(Settings, CloseBeforeShowWritesNothing) {
    Harness h;
    MemoryStore store;
    store.values = {{"HIGHSCORE", "245"}};
    h.game.FormClose(store);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(store.values.at("HIGHSCORE"), "245");
}

TEST(SheetCursor, FollowsTheCurrentColumnAndTheGameType) {
    struct Case {
        const char* what;
        int typejeu, ligneimposee, joueur, nblancers;
        const char* name;
        int x, y;
        Cursor cursor;
    };
    const Case cases[] = {
        {"normal, inside column 0", 1, 1, 0, 1, "ANNE", 10, 300, Cursor::Hand},
        {"left boundary pixel", 1, 1, 1, 1, "ANNE", 27, 10, Cursor::Arrow},
        {"first pixel inside", 1, 1, 1, 1, "ANNE", 28, 10, Cursor::Hand},
        {"right boundary pixel", 1, 1, 1, 1, "ANNE", 54, 10, Cursor::Arrow},
        {"other column", 1, 1, 0, 1, "ANNE", 40, 10, Cursor::Arrow},
        {"before the first throw", 1, 1, 0, 0, "ANNE", 10, 10, Cursor::Arrow},
        {"computer column", 1, 1, 0, 2, "CPU", 10, 10, Cursor::Arrow},
        {"forced row inside", 3, 4, 0, 1, "ANNE", 10, 4 * 22 + 1, Cursor::Hand},
        {"forced row top boundary", 3, 4, 0, 1, "ANNE", 10, 4 * 22, Cursor::Arrow},
        {"forced row bottom boundary", 3, 4, 0, 1, "ANNE", 10, 5 * 22, Cursor::Arrow},
        {"ascendant other row", 2, 15, 0, 3, "ANNE", 10, 100, Cursor::Arrow},
        {"ascendant forced row", 2, 15, 0, 3, "ANNE", 10, 15 * 22 + 10, Cursor::Hand},
    };
    for (const Case& c : cases) {
        Harness h;
        h.game.S.typejeu = c.typejeu;
        h.game.S.ligneimposee = c.ligneimposee;
        h.game.S.joueur = c.joueur;
        h.game.S.nblancers = c.nblancers;
        h.game.Grid.SetCell(c.joueur, 0, c.name);
        h.game.GridMouseMove(c.x, c.y);
        EXPECT_EQ(h.game.controls.GridCursor, c.cursor) << c.what;
    }
}

TEST(Sheet, OutOfRangeCellsAreHarmless) {
    ScoreSheet sheet;
    sheet.SetCell(5, 0, "X");
    sheet.SetCell(-1, 3, "X");
    sheet.SetCell(0, 17, "X");
    EXPECT_EQ(sheet.Cell(5, 0), "");
    EXPECT_EQ(sheet.Cell(0, -1), "");
    EXPECT_TRUE(sheet.Free(0, 17));
}

TEST(Sheet, ValueReadsDecimalTextAndTreatsOtherTextAsZero) {
    ScoreSheet sheet;
    sheet.SetCell(0, 1, "18");
    sheet.SetCell(0, 16, "-7");
    sheet.SetCell(0, 9, "+-3");
    EXPECT_EQ(sheet.Value(0, 1), 18);
    EXPECT_EQ(sheet.Value(0, 16), -7);
    EXPECT_EQ(sheet.Value(0, 9), 0);
    EXPECT_EQ(sheet.Value(0, 2), 0);
}

}  // namespace
