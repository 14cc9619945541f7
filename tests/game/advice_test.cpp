// The coach for a person: the words of the best play in positions that can be
// worked out by hand, when advice is refused, and that asking for it never
// moves the game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Advice.h"
#include "Language.h"
#include "StrategySupport.h"
#include "TestSupport.h"

namespace quimba::testing {
namespace {

// A source whose table is not ready yet.
struct NotReadySource : StrategySource {
    int asked = 0;
    const StrategyTable* Table(int) override {
        ++asked;
        return nullptr;
    }
};

// The shipped French lines, and a person's turn in the first column with
// every row written "0" except `free`, after `throws` throws that show `dice`.
struct Coach : Harness {
    explicit Coach(int typejeu = kNormal) {
        game.T = LoadLanguageFile(std::string(QUIMBA_DATA_DIR) + "/francais.lan").Value();
        game.strategies = &SharedStrategies();
        StartGame(game, {"ANNE", "BOB"}, typejeu);
    }
    void Position(const std::vector<int>& free, int throws, const std::array<int, 5>& dice) {
        for (int row : kChosenRows) game.Grid.SetCell(0, row, "0");
        for (int row : free) game.Grid.SetCell(0, row, "");
        game.S.nblancers = throws;
        for (int i = 1; i <= kDice; ++i) {
            game.S.valeurde[i] = static_cast<std::uint8_t>(dice[i - 1]);
            game.S.roule[i] = 0;
        }
        // As the throw would have analysed them, so that a pick scores them.
        const DiceAnalysis analysis = AnalyseDice(game.S.valeurde, game.T);
        game.S.nbface = analysis.nbface;
        game.S.sommeface = analysis.sommeface;
        game.S.sommedes = analysis.sommedes;
        game.S.figure[0] = analysis.figure;
    }
};

// The last free row of a column: the best play and its value follow from the
// row alone. Four sixes kept for the Quimba with two throws left make it with
// probability 1 - (5/6)^2, so 50 x 11/36 = 15.28; five dice thrown once for
// "Plus" are worth 5 x 3.5.
TEST(Advice, LastFreeRowInWords) {
    struct Case {
        const char* what;
        int row, throws;
        std::array<int, 5> dice;
        const char* text;
        std::array<int, 6> keep;  // dice to keep, for a keep
    };
    const Case cases[] = {
        {"keep four of a kind",
         lignequimba,
         1,
         {6, 6, 2, 6, 6},
         "Conseil : garder 6 6 6 6, relancer (espérance 15,3)",
         {0, 1, 1, 0, 1, 1}},
        {"throw them all again", ligneplus, 2, {1, 1, 1, 1, 1}, "Conseil : tout relancer (espérance 17,5)", {}},
        {"write the full", lignefull, 3, {2, 5, 2, 5, 5}, "Conseil : écrire en Full 30", {}},
        {"write a number row", ligne5, 3, {5, 5, 5, 1, 2}, "Conseil : écrire en ligne 5 : 15", {}},
        {"strike out", lignequimba, 3, {1, 2, 3, 4, 6}, "Conseil : écrire en Quimba 0", {}},
    };
    Coach c(kDescendant);  // the forced row is set by hand: the table is quick to build
    for (const Case& k : cases) {
        c.game.S.ligneimposee = k.row;
        c.Position({k.row}, k.throws, k.dice);
        const Advice a = AdviceFor(c.game);
        ASSERT_EQ(a.status, Advice::Given) << k.what;
        EXPECT_EQ(a.text, k.text) << k.what;
        if (a.Best().kind == Choice::Keep) {
            for (int i = 1; i <= kDice; ++i) EXPECT_EQ(int(a.Best().keep[i]), k.keep[i]) << k.what << " die " << i;
        }
    }
}

// Asking never moves the game: same dice, sheet, turn and random draws; only
// the result line speaks, and the first advice of a game says it leaves the
// best scores. A new game forgets it.
TEST(Advice, AskingChangesNothingButTheResultLine) {
    Coach c(kDescendant);
    c.game.S.ligneimposee = lignequimba;
    c.Position({lignequimba}, 1, {6, 6, 2, 6, 6});
    c.game.controls.resultext = "Carré de 6";
    const std::string before = Snapshot(c.game);
    const std::size_t draws = c.random.asked.size();

    const Advice first = DemandeConseil(c.game);
    ASSERT_EQ(first.status, Advice::Given);
    EXPECT_TRUE(c.game.S.conseilpartie);
    EXPECT_EQ(c.game.controls.resultext, first.text + " - partie hors meilleurs scores");
    const Advice second = DemandeConseil(c.game);
    EXPECT_EQ(c.game.controls.resultext, second.text) << "the notice is said once a game";
    EXPECT_EQ(second.text, first.text);

    c.game.controls.resultext = "Carré de 6";
    EXPECT_EQ(Snapshot(c.game), before);
    EXPECT_EQ(c.random.asked.size(), draws);

    StartGame(c.game, {"ANNE", "BOB"}, kDescendant);
    c.game.S.ligneimposee = lignequimba;
    c.Position({lignequimba}, 1, {6, 6, 2, 6, 6});
    DemandeConseil(c.game);
    EXPECT_EQ(c.game.controls.resultext, first.text + " - partie hors meilleurs scores");
}

// No advice outside a person's turn with settled dice after a throw: nothing
// at all changes, and the game is not marked.
TEST(Advice, RefusedOutsideAPersonsSettledTurn) {
    struct Case {
        const char* what;
        void (*spoil)(Game&);
    };
    const Case cases[] = {
        {"before the first throw", [](Game& g) { g.S.nblancers = 0; }},
        {"a computer's turn", [](Game& g) { g.Grid.SetCell(0, lignenoms, "CPU"); }},
        {"a die still rolling", [](Game& g) { g.S.roule[3] = 1; }},
        {"after the last round", [](Game& g) { g.S.tour = kRounds; }},
        {"a column outside the game", [](Game& g) { g.S.joueur = 2; }},
    };
    for (const Case& k : cases) {
        Coach c(kDescendant);
        c.game.S.ligneimposee = lignequimba;
        c.Position({lignequimba}, 1, {6, 6, 2, 6, 6});
        k.spoil(c.game);
        const std::string before = Snapshot(c.game);
        EXPECT_EQ(DemandeConseil(c.game).status, Advice::NotNow) << k.what;
        EXPECT_EQ(Snapshot(c.game), before) << k.what;
        EXPECT_FALSE(c.game.S.conseilpartie) << k.what;
    }
}

// While the table is being prepared the person is told so, and the game
// stays eligible for the best scores.
TEST(Advice, TableNotReadySaysSoAndDoesNotMarkTheGame) {
    Coach c;
    NotReadySource source;
    c.game.strategies = &source;
    c.Position({lignefull}, 2, {2, 5, 2, 5, 5});
    const std::string sheet = Snapshot(c.game);
    EXPECT_EQ(DemandeConseil(c.game).status, Advice::NotReady);
    EXPECT_EQ(source.asked, 1);
    EXPECT_EQ(c.game.controls.resultext, "Conseil : stratégie en préparation, réessayez dans un instant");
    EXPECT_FALSE(c.game.S.conseilpartie);
    c.game.strategies = nullptr;
    EXPECT_EQ(DemandeConseil(c.game).status, Advice::NotReady);
}

double Number(const std::string& text, std::size_t from) {
    std::string digits = text.substr(from);
    for (char& ch : digits)
        if (ch == ',') ch = '.';
    return std::strtod(digits.c_str(), nullptr);
}

// The sheet's tooltip in a Normal game: Full 30 now, with the Quimba left for
// the last turn (50 x 0.04603 = 2.3), is the best play; striking out the
// Quimba costs the difference between the two, and the two figures it shows
// add up to the best value.
TEST(Advice, SheetTooltipGivesTheRowNowAndItsCost) {
    Coach c;
    c.Position({lignefull, lignequimba}, 3, {2, 5, 2, 5, 5});
    // What a row gives now is no advice: it shows in any game, and the game
    // stays in the best scores.
    EXPECT_EQ(ConseilLigne(c.game, 0, lignefull), "Full : 30 maintenant") << "no advice asked yet in this game";
    EXPECT_FALSE(c.game.S.conseilpartie);
    c.game.S.conseilpartie = true;
    EXPECT_EQ(ConseilLigne(c.game, 0, lignefull), "Full : 30 maintenant, espérance 32,3 (meilleur choix)");

    const std::string quimba = ConseilLigne(c.game, 0, lignequimba);
    const std::string head = "Quimba : 0 maintenant, espérance ";
    const std::string tail = " de moins que le meilleur choix)";
    ASSERT_EQ(quimba.rfind(head, 0), 0u) << quimba;
    ASSERT_GT(quimba.size(), tail.size());
    EXPECT_EQ(quimba.substr(quimba.size() - tail.size()), tail) << quimba;
    const double value = Number(quimba, head.size());
    const double cost = Number(quimba, quimba.find('(') + 1);
    EXPECT_GT(cost, 1.0);
    EXPECT_NEAR(value + cost, 32.3, 0.11) << quimba;

    EXPECT_EQ(ConseilLigne(c.game, 0, ligne3), "") << "a written row";
    EXPECT_EQ(ConseilLigne(c.game, 1, lignefull), "") << "another player's column";
    c.game.S.typejeu = kAscendant;
    EXPECT_EQ(ConseilLigne(c.game, 0, lignefull), "") << "forced rows leave no choice";
}

// Under the English file the same tooltip and a number row's advice are
// English through and through: its words, its colon, its decimal point.
TEST(Advice, EnglishFileGivesEnglishNumbersAndPunctuation) {
    Coach c;
    c.game.T = LoadLanguageFile(std::string(QUIMBA_DATA_DIR) + "/english.lan").Value();
    c.Position({lignefull, lignequimba}, 3, {2, 5, 2, 5, 5});
    c.game.S.conseilpartie = true;
    EXPECT_EQ(ConseilLigne(c.game, 0, lignefull), "Full house: 30 now, expected 32.3 (best choice)");
    c.Position({ligne5}, 3, {2, 5, 2, 5, 5});
    EXPECT_EQ(AdviceFor(c.game).text, "Advice: write in row 5: 15");
}

TEST(Advice, OneDecimalWithAComma) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& k : {Case{212.44, "212,4"}, Case{212.36, "212,4"}, Case{3, "3,0"}, Case{0.04, "0,0"},
                          Case{-0.04, "0,0"}, Case{-12.26, "-12,3"}})
        EXPECT_EQ(UneDecimale(k.value), k.text) << k.value;
}

}  // namespace
}  // namespace quimba::testing
