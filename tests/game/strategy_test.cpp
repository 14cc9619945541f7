// The strategy table and the advice: scoring against the game's own, values
// that can be worked out by hand, the stored form, and the advice's choices.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "ScoreCheck.h"
#include "Strategy.h"
#include "StrategySupport.h"
#include "TestSupport.h"

namespace quimba::testing {
namespace {

std::vector<Dice> AllOutcomes() {
    std::vector<Dice> out;
    for (int a = 1; a <= 6; ++a)
        for (int b = a; b <= 6; ++b)
            for (int c = b; c <= 6; ++c)
                for (int d = c; d <= 6; ++d)
                    for (int e = d; e <= 6; ++e) out.push_back({a, b, c, d, e});
    return out;
}

std::array<std::uint8_t, kFaces + 1> CountsOf(const Dice& dice) {
    std::array<std::uint8_t, kFaces + 1> c{};
    for (int v : dice) ++c[v];
    return c;
}

unsigned BitOfRow(int row) {
    for (std::size_t i = 0; i < kChosenRows.size(); ++i)
        if (kChosenRows[i] == row) return 1u << i;
    return 0;
}

constexpr std::uint16_t kAllRows = (1u << 13) - 1;

// Every row but `row` written.
ColumnState OnlyFree(int row, int upper = 0) { return {static_cast<std::uint16_t>(kAllRows & ~BitOfRow(row)), upper}; }

// Chance that a die shows a face within three throws, when it is kept as
// soon as it does.
constexpr double kHitIn3 = 91.0 / 216.0;

double Binomial(int n, int k, double p) {
    double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c * std::pow(p, k) * std::pow(1 - p, n - k);
}

// The game's own throw and scoring, and the solver's, each against an
// independent count, for every outcome of five dice and every chosen row.
TEST(StrategyScoring, AgreesWithTheGameOnEveryOutcomeAndRow) {
    const auto outcomes = AllOutcomes();
    ASSERT_EQ(outcomes.size(), 252u);
    int compared = 0;
    for (const Dice& dice : outcomes) {
        Harness h;
        StartGame(h.game, {"JO1", "JO2"});
        ScriptThrow(h.random, {dice.begin(), dice.end()});
        h.game.Button1Click();
        for (int row : kChosenRows) {
            const int worth = scorecheck::RowWorth(row, dice);
            EXPECT_EQ(RowPoints(row, CountsOf(dice)), worth)
                << "row " << row << " dice " << dice[0] << dice[1] << dice[2] << dice[3] << dice[4];
            EXPECT_EQ(h.game.RowScore(row), worth)
                << "row " << row << " dice " << dice[0] << dice[1] << dice[2] << dice[3] << dice[4];
            ++compared;
        }
    }
    EXPECT_EQ(compared, 252 * 13);
}

// Positions whose value follows from a short argument: one free row left
// (or one forced row), with its expected score in closed form.
struct HandCase {
    const char* name;
    int type;
    ColumnState state;
    double expected;
};

std::vector<HandCase> HandCases() {
    // Five equal dice within three throws, keeping the largest group:
    // 2783176 / 6^10.
    const double quimba = 2783176.0 / 60466176.0;
    // A die rethrown for the sum keeps 5 and 6 on the second throw and 4, 5,
    // 6 on the first: 14/3 a die.
    const double sumOfFive = 5 * 14.0 / 3.0;
    // Row 6 with 45 written: three sixes reach the bonus.
    double sixesFor45 = 6 * 5 * kHitIn3;
    for (int k = 3; k <= 5; ++k) sixesFor45 += 35 * Binomial(5, k, kHitIn3);
    return {
        {"LastQuimba", kNormal, OnlyFree(lignequimba), 50 * quimba},
        {"LastQuimbaAnyUpper", kNormal, OnlyFree(lignequimba, 63), 50 * quimba},
        {"LastPlus", kNormal, OnlyFree(ligneplus), sumOfFive},
        {"LastMoins", kNormal, OnlyFree(lignemoins), -(35.0 - sumOfFive)},
        {"LastSixesNoBonusInReach", kNormal, OnlyFree(ligne6, 20), 6 * 5 * kHitIn3},
        {"LastSixesBonusAtThree", kNormal, OnlyFree(ligne6, 45), sixesFor45},
        {"LastOnesBonusAlreadyHeld", kNormal, OnlyFree(ligne1, 63), 5 * kHitIn3},
        {"NothingLeft", kNormal, {kAllRows, 63}, 0.0},
        {"DescendantLastQuimba", kDescendant, OnlyFree(lignequimba), 50 * quimba},
        {"AscendantLastOnes", kAscendant, OnlyFree(ligne1), 5 * kHitIn3},
        {"AscendantOnesFor62", kAscendant, OnlyFree(ligne1, 62), 5 * kHitIn3 + 35 * (1 - Binomial(5, 0, kHitIn3))},
    };
}

class StrategyHandValue : public ::testing::TestWithParam<HandCase> {};

TEST_P(StrategyHandValue, MatchesTheClosedForm) {
    const HandCase& c = GetParam();
    EXPECT_NEAR(Table(c.type).Value(c.state), c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Positions, StrategyHandValue, ::testing::ValuesIn(HandCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StrategyTableShape, CountsStatesAndStaysSmall) {
    EXPECT_EQ(Table(kNormal).States(), 8192u * 64u);
    EXPECT_EQ(Table(kAscendant).States(), 13u * 64u);
    EXPECT_EQ(Table(kDescendant).States(), 13u * 64u);
    EXPECT_LE(Table(kNormal).Bytes(), 8u * 1024u * 1024u);
    EXPECT_EQ(Table(kNormal).Type(), kNormal);
    EXPECT_EQ(StrategyTable::Build(7).States(), 0u);
}

// The number rows of a forced game are played by collecting their face
// whatever the upper sum, and the other rows do not touch it, so the order
// of the rows cannot change the value of a whole game.
TEST(StrategyTableShape, AscendantAndDescendantAreWorthTheSame) {
    const double up = Table(kAscendant).Value({});
    const double down = Table(kDescendant).Value({});
    EXPECT_NEAR(up, down, 1e-9);
    // And the free choice of rows is worth more than any fixed order.
    EXPECT_GT(Table(kNormal).Value({}), up + 50);
    // The rounded means the history shows without a table.
    for (const int type : {kNormal, kAscendant, kDescendant})
        EXPECT_NEAR(Table(type).Value({}), OptimalMean(type), 0.5e-4) << type;
}

// One thread or two, the table is the same.
TEST(StrategyTableShape, ThreadsDoNotChangeTheTable) {
    const StrategyTable one = StrategyTable::Build(kNormal, 1);
    EXPECT_EQ(one.Save(), Table(kNormal).Save());
}

// ---- Stored form ----

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& b, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= b[i];
        h *= 1099511628211ull;
    }
    return h;
}

// Rewrites the checksum so that only the field changed is wrong.
void Reseal(std::vector<std::uint8_t>& b) {
    const std::size_t body = b.size() - 8;
    const std::uint64_t h = Fnv1a(b, body);
    for (int i = 0; i < 8; ++i) b[body + i] = static_cast<std::uint8_t>(h >> (8 * i));
}

TEST(StrategyStore, RoundTripKeepsEveryValue) {
    for (int type : {kNormal, kAscendant, kDescendant}) {
        const auto bytes = Table(type).Save();
        const auto back = StrategyTable::Load(bytes, type);
        ASSERT_TRUE(back.has_value()) << "type " << type;
        EXPECT_EQ(back->Type(), type);
        EXPECT_EQ(back->Save(), bytes);
        EXPECT_EQ(back->Value({}), Table(type).Value({}));
    }
}

TEST(StrategyStore, RefusesDamagedShortForeignOrOldBytes) {
    const auto good = Table(kAscendant).Save();
    ASSERT_TRUE(StrategyTable::Load(good, kAscendant).has_value());
    struct Bad {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int type;
    };
    std::vector<Bad> bad;
    bad.push_back({"empty", {}, kAscendant});
    bad.push_back({"short", {good.begin(), good.end() - 1}, kAscendant});
    bad.push_back({"header only", {good.begin(), good.begin() + 20}, kAscendant});
    auto longer = good;
    longer.push_back(0);
    bad.push_back({"trailing byte", longer, kAscendant});
    auto flipped = good;
    flipped[100] ^= 0x10;
    bad.push_back({"value damaged", flipped, kAscendant});
    auto magic = good;
    magic[0] = 'X';
    Reseal(magic);
    bad.push_back({"not a table", magic, kAscendant});
    auto version = good;
    version[8] = 2;
    Reseal(version);
    bad.push_back({"other version", version, kAscendant});
    bad.push_back({"other type", good, kDescendant});
    auto nan = good;
    for (int i = 0; i < 8; ++i) nan[20 + i] = 0xFF;
    Reseal(nan);
    bad.push_back({"not a number", nan, kAscendant});
    bad.push_back({"unknown type", good, 0});
    for (const Bad& b : bad) EXPECT_FALSE(StrategyTable::Load(b.bytes, b.type).has_value()) << b.name;
}

// ---- Advice ----

// A game at the given throw with the given dice for the first player.
void Position(Harness& h, int type, int throws, const Dice& dice) {
    StartGame(h.game, {"JO1", "JO2"}, type);
    LayDice(h.game, dice);
    h.game.S.nblancers = throws;
}

TEST(StrategyAdvice, ListsEveryKeepAndFreeRowBestFirst) {
    Harness h;
    Position(h, kNormal, 1, {3, 3, 5, 1, 3});
    Fill(h.game, 0, {ligne1, lignesuite}, "0");
    const auto choices = Advise(Table(kNormal), h.game.Grid, h.game.S);
    int keeps = 0, writes = 0;
    std::map<int, int> rows;
    for (const Choice& c : choices) {
        if (c.kind == Choice::Keep)
            ++keeps;
        else
            ++rows[c.row], ++writes;
    }
    // Three 3s, a 5 and a 1: 4 x 2 x 2 kept sets.
    EXPECT_EQ(keeps, 16);
    EXPECT_EQ(writes, 11);
    EXPECT_EQ(rows.count(ligne1), 0u);
    EXPECT_EQ(rows.count(lignesuite), 0u);
    for (std::size_t i = 1; i < choices.size(); ++i) EXPECT_GE(choices[i - 1].value, choices[i].value);
    // Writing Brelan gives its points now: 15 for 3 3 5 1 3.
    for (const Choice& c : choices) {
        if (c.kind == Choice::Write && c.row == lignebrelan) {
            EXPECT_EQ(c.points, 15);
        }
    }
}

TEST(StrategyAdvice, AfterTheThirdThrowOnlyWritesAndForcedGamesOnlyTheirRow) {
    Harness h;
    Position(h, kNormal, 3, {2, 2, 4, 6, 6});
    auto choices = Advise(Table(kNormal), h.game.Grid, h.game.S);
    EXPECT_EQ(choices.size(), 13u);
    for (const Choice& c : choices) EXPECT_EQ(c.kind, Choice::Write);

    Harness f;
    Position(f, kAscendant, 2, {2, 2, 4, 6, 6});
    choices = Advise(Table(kAscendant), f.game.Grid, f.game.S);
    int writes = 0;
    for (const Choice& c : choices)
        if (c.kind == Choice::Write) {
            ++writes;
            EXPECT_EQ(c.row, lignequimba);
            EXPECT_EQ(c.points, 0);
        }
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(choices.size(), 1u + 3 * 2 * 3);
}

// Nothing to advise: before a throw, a table of another type, dice not
// thrown yet, a full column.
TEST(StrategyAdvice, EmptyWhenThereIsNothingToDecide) {
    Harness h;
    Position(h, kNormal, 0, {1, 2, 3, 4, 5});
    EXPECT_TRUE(Advise(Table(kNormal), h.game.Grid, h.game.S).empty());
    h.game.S.nblancers = 1;
    EXPECT_FALSE(Advise(Table(kNormal), h.game.Grid, h.game.S).empty());
    EXPECT_TRUE(Advise(Table(kAscendant), h.game.Grid, h.game.S).empty());
    h.game.S.valeurde[3] = 0;
    EXPECT_TRUE(Advise(Table(kNormal), h.game.Grid, h.game.S).empty());
    h.game.S.valeurde[3] = 3;
    for (int row : kChosenRows) h.game.Grid.SetCell(0, row, "0");
    EXPECT_TRUE(Advise(Table(kNormal), h.game.Grid, h.game.S).empty());
}

// Only "Quimba" left: four equal dice are kept and the fifth is thrown;
// five equal dice are written at once.
TEST(StrategyAdvice, LastQuimbaKeepsTheFourAndWritesTheFive) {
    struct Case {
        const char* name;
        int throws;
        Dice dice;
        Choice::Kind kind;
        double future;
    };
    const std::vector<Case> cases{
        {"fourAtFirst", 1, {4, 4, 2, 4, 4}, Choice::Keep, 50 * (1 - 25.0 / 36.0)},
        {"fourAtSecond", 2, {4, 4, 2, 4, 4}, Choice::Keep, 50 / 6.0},
        {"fiveAtFirst", 1, {6, 6, 6, 6, 6}, Choice::Write, 50},
        {"fourAtThird", 3, {4, 4, 2, 4, 4}, Choice::Write, 0},
    };
    for (const Case& c : cases) {
        Harness h;
        Position(h, kNormal, c.throws, c.dice);
        for (int row : kChosenRows)
            if (row != lignequimba) h.game.Grid.SetCell(0, row, "10");
        const int now = ColumnPoints(h.game.Grid, 0);
        // Six number rows and four figures at 10; "Plus" and "Moins" cancel.
        EXPECT_EQ(now, 60 + 40);
        const auto choices = Advise(Table(kNormal), h.game.Grid, h.game.S);
        ASSERT_FALSE(choices.empty()) << c.name;
        const Choice& best = choices.front();
        EXPECT_EQ(best.kind, c.kind) << c.name;
        EXPECT_NEAR(best.value, now + c.future, 1e-9) << c.name;
        if (c.kind == Choice::Keep) {
            const std::array<std::uint8_t, 6> keep{0, 1, 1, 0, 1, 1};
            EXPECT_EQ(best.keep, keep) << c.name;
        } else {
            EXPECT_EQ(best.row, lignequimba) << c.name;
        }
    }
}

// The advice keeps dice already marked before equal ones that are not.
TEST(StrategyAdvice, PrefersTheDiceAlreadyKept) {
    Harness h;
    Position(h, kNormal, 2, {4, 4, 2, 4, 4});
    for (int row : kChosenRows)
        if (row != lignequimba) h.game.Grid.SetCell(0, row, "10");
    // Die 3 shows 2 but a 4 is kept from before on die 5 only.
    h.game.S.garde = {0, 0, 0, 0, 0, 1};
    const auto choices = Advise(Table(kNormal), h.game.Grid, h.game.S);
    ASSERT_FALSE(choices.empty());
    const std::array<std::uint8_t, 6> keep{0, 1, 1, 0, 1, 1};
    EXPECT_EQ(choices.front().keep, keep);
    // Keeping a single 4 keeps the one marked before, and two 4s add the
    // lowest die showing 4.
    int found = 0;
    for (const Choice& c : choices) {
        if (c.kind != Choice::Keep || c.keep[3] != 0) continue;
        int kept = 0;
        for (int i = 1; i <= 5; ++i) kept += c.keep[i];
        if (kept == 1) {
            EXPECT_EQ(c.keep, (std::array<std::uint8_t, 6>{0, 0, 0, 0, 0, 1}));
            ++found;
        }
        if (kept == 2) {
            EXPECT_EQ(c.keep, (std::array<std::uint8_t, 6>{0, 1, 0, 0, 0, 1}));
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

// The advice after the first throw, weighed over all 252 first throws,
// gives back the table's value of the turn start: the advice and the table
// are the same solution.
TEST(StrategyAdvice, BestFirstThrowChoicesAverageToTheTableValue) {
    for (int type : {kNormal, kDescendant}) {
        Harness h;
        StartGame(h.game, {"JO1", "JO2"}, type);
        if (type == kNormal) {
            Fill(h.game, 0, {ligne2, ligne5}, "10");
            Fill(h.game, 0, {lignefull}, "30");
        } else {
            // Descendant after four rounds: rows 1 to 4 written, 5 forced.
            Fill(h.game, 0, {ligne1, ligne2}, "2");
            Fill(h.game, 0, {ligne3, ligne4}, "12");
            h.game.S.ligneimposee = ligne5;
        }
        const ColumnState s = ColumnStateOf(h.game.Grid, 0);
        const double now = ColumnPoints(h.game.Grid, 0);
        double expected = 0;
        for (const Dice& dice : AllOutcomes()) {
            LayDice(h.game, dice);
            h.game.S.nblancers = 1;
            double orders = 120;
            for (int f = 1; f <= 6; ++f)
                for (int k = 2; k <= CountsOf(dice)[f]; ++k) orders /= k;
            const auto choices = Advise(Table(type), h.game.Grid, h.game.S);
            ASSERT_FALSE(choices.empty());
            expected += orders / 7776.0 * choices.front().value;
        }
        EXPECT_NEAR(expected, now + Table(type).Value(s), 1e-9) << "type " << type;
    }
}

TEST(StrategyAdvice, AskingChangesNothingInTheGame) {
    Harness h;
    Position(h, kNormal, 2, {5, 5, 1, 6, 5});
    h.game.S.garde = {0, 1, 0, 0, 0, 0};
    h.game.S.alancer = {0, 0, 1, 1, 1, 1};
    Fill(h.game, 0, {ligne3, lignebrelan});
    const std::string before = Snapshot(h.game);
    const auto choices = Advise(Table(kNormal), h.game.Grid, h.game.S);
    EXPECT_FALSE(choices.empty());
    EXPECT_EQ(Snapshot(h.game), before);
}

TEST(StrategyColumn, StateAndPointsReadTheSheetAsTheTallyDoes) {
    ScoreSheet sheet;
    sheet.SetCell(1, ligne6, "30");
    sheet.SetCell(1, ligne5, "25");
    sheet.SetCell(1, ligne4, "16");
    sheet.SetCell(1, ligneplus, "22");
    sheet.SetCell(1, lignemoins, "9");
    sheet.SetCell(1, lignesuite, "0");
    const ColumnState s = ColumnStateOf(sheet, 1);
    EXPECT_EQ(s.upper, 63);
    EXPECT_EQ(s.filled, BitOfRow(6) | BitOfRow(5) | BitOfRow(4) | BitOfRow(9) | BitOfRow(10) | BitOfRow(12));
    EXPECT_EQ(ColumnPoints(sheet, 1), 71 + 35 + 22 - 9);
    EXPECT_EQ(ColumnStateOf(sheet, 0).filled, 0);
}

}  // namespace
}  // namespace quimba::testing
