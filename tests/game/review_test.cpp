// The review: every seat's final score is its expected start plus its luck
// minus its cost, whatever the players did; the chances of the forced orders
// come from laws whose means are the table's values.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numeric>
#include <random>

#include "DiceAnalysis.h"
#include "Review.h"
#include "ScoringRule.h"
#include "StrategySupport.h"
#include "WinChances.h"

using namespace quimba;
using quimba::testing::Table;

namespace {

int TruePoints(int row, const std::array<std::uint8_t, kDice>& dice) {
    std::array<std::uint8_t, kDice + 1> d{};
    std::copy(dice.begin(), dice.end(), d.begin() + 1);
    const DiceAnalysis a = AnalyseDice(d, {});
    return RowPointsFor(row, a.figure, a.sommeface, a.sommedes);
}

// A person who keeps dice at random, stops early now and then, writes a
// random free row, and once in a while writes a number row's face value
// whatever the dice show, as the ladder's last resort does.
ReviewGame RandomGame(std::mt19937& rng, int type, int players) {
    ReviewGame game;
    game.type = type;
    game.players = players;
    std::vector<std::vector<int>> free(players, std::vector<int>(kChosenRows.begin(), kChosenRows.end()));
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    for (int round = 0; round < kRounds; ++round) {
        for (int seat = 0; seat < players; ++seat) {
            ReviewTurn turn;
            turn.seat = seat;
            ReviewThrow th;
            for (int n = 0; n < kMaxThrows; ++n) {
                for (int i = 0; i < kDice; ++i)
                    if (!th.kept[i]) th.dice[i] = static_cast<std::uint8_t>(1 + rng() % kFaces);
                turn.throws.push_back(th);
                if (n + 1 == kMaxThrows || chance(0.15)) break;
                for (int i = 0; i < kDice; ++i) th.kept[i] = chance(0.5) ? 1 : 0;
            }
            auto& rows = free[seat];
            const std::size_t pick = type == kNormal ? rng() % rows.size() : 0;
            turn.row = type == kNormal ? rows[pick] : ForcedRow(type, round);
            if (type == kNormal) rows.erase(rows.begin() + static_cast<long>(pick));
            turn.points = TruePoints(turn.row, turn.throws.back().dice);
            if (turn.row <= ligne6 && turn.points == 0 && chance(0.5)) turn.points = turn.row;
            game.turns.push_back(turn);
        }
    }
    return game;
}

struct IdentityCase {
    const char* name;
    int type;
    int players;
    int games;
};

class ReviewIdentity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(ReviewIdentity, FinalIsStartPlusLuckMinusCost) {
    const IdentityCase& c = GetParam();
    std::mt19937 rng(1234u + static_cast<unsigned>(c.type));
    int gifts = 0;
    for (int g = 0; g < c.games; ++g) {
        const ReviewGame game = RandomGame(rng, c.type, c.players);
        const Result<GameReview> review = ReviewOf(Table(c.type), game, nullptr);
        ASSERT_TRUE(review.Ok()) << review.Error();
        for (const SeatReview& s : review.Value().seats) {
            ASSERT_TRUE(s.finished);
            ASSERT_NEAR(s.points, s.start + s.luck - s.cost, 0.01) << "game " << g;
        }
        for (const ReviewDecision& d : review.Value().decisions) {
            // Nothing beats the best play but points the dice did not earn.
            if (d.verdict == Verdict::Gift)
                ++gifts;
            else
                ASSERT_GE(d.cost, 0.0) << "game " << g << " turn " << d.turn;
            ASSERT_EQ(d.verdict == Verdict::Exact, d.cost == 0.0 && d.verdict != Verdict::Gift);
        }
    }
    EXPECT_GT(gifts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Review, ReviewIdentity,
    ::testing::Values(IdentityCase{.name = "normal", .type = kNormal, .players = 2, .games = 700},
                      IdentityCase{.name = "ascendant", .type = kAscendant, .players = 3, .games = 500},
                      IdentityCase{.name = "descendant", .type = kDescendant, .players = 4, .games = 400}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrokenCase {
    const char* name;
    void (*breakIt)(ReviewGame&);
    const char* message;
};

class ReviewRefuses : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(ReviewRefuses, ABrokenGame) {
    std::mt19937 rng(7);
    ReviewGame game = RandomGame(rng, kNormal, 2);
    GetParam().breakIt(game);
    const Result<GameReview> review = ReviewOf(Table(kNormal), game, nullptr);
    ASSERT_FALSE(review.Ok());
    EXPECT_NE(review.Error().find(GetParam().message), std::string::npos) << review.Error();
}

INSTANTIATE_TEST_SUITE_P(
    Review, ReviewRefuses,
    ::testing::Values(BrokenCase{.name = "seat_out_of_turn",
                                 .breakIt = [](ReviewGame& g) { g.turns[3].seat = 0; },
                                 .message = "out of turn"},
                      BrokenCase{.name = "row_written_twice",
                                 .breakIt = [](ReviewGame& g) { g.turns[2].row = g.turns[0].row; },
                                 .message = "may not be written"},
                      BrokenCase{.name = "kept_die_changed",
                                 .breakIt =
                                     [](ReviewGame& g) {
                                         auto& t = g.turns[0];
                                         t.throws.resize(2);
                                         t.throws[1].kept = {1, 0, 0, 0, 0};
                                         t.throws[1].dice[0] = static_cast<std::uint8_t>(t.throws[0].dice[0] % 6 + 1);
                                     },
                                 .message = "kept die changed"},
                      BrokenCase{.name = "die_out_of_range",
                                 .breakIt = [](ReviewGame& g) { g.turns[1].throws[0].dice[4] = 7; },
                                 .message = "1..6"},
                      BrokenCase{.name = "no_throw",
                                 .breakIt = [](ReviewGame& g) { g.turns[5].throws.clear(); },
                                 .message = "1 to 3 throws"},
                      BrokenCase{.name = "other_type",
                                 .breakIt = [](ReviewGame& g) { g.type = kAscendant; },
                                 .message = "another game type"}),
    [](const auto& info) { return std::string(info.param.name); });

// The law of the points still to come follows the same play as the table:
// at every turn start of the forced orders, and at every last turn of a
// Normal column, its mean is the table's value.
TEST(WinChances, ExactLawsHaveTheTablesMeans) {
    auto check = [](const WinChances& chances, const StrategyTable& table, ColumnState s) {
        const std::vector<double> law = chances.FinalScores({s, 0});
        double sum = 0, mean = 0;
        for (std::size_t i = 0; i < law.size(); ++i) {
            sum += law[i];
            mean += law[i] * (static_cast<double>(i) + WinChances::Lowest());
        }
        EXPECT_NEAR(sum, 1.0, 1e-9) << "filled " << s.filled << " upper " << s.upper;
        EXPECT_NEAR(mean, table.Value(s), 1e-6) << "filled " << s.filled << " upper " << s.upper;
    };
    for (int type : {kAscendant, kDescendant}) {
        const WinChances chances = WinChances::Build(Table(type), 1);
        for (int turn = 0; turn <= kRounds; ++turn)
            for (int upper = 0; upper < kUpperStates; ++upper)
                check(chances, Table(type), {static_cast<std::uint16_t>((1u << turn) - 1), upper});
    }
    const WinChances normal = WinChances::Build(Table(kNormal), 2);
    const unsigned full = (1u << kChosenRows.size()) - 1;
    for (std::size_t bit = 0; bit < kChosenRows.size(); ++bit)
        for (int upper : {0, 40, 60, kUpperCap})
            check(normal, Table(kNormal), {static_cast<std::uint16_t>(full & ~(1u << bit)), upper});
}

// Finished columns leave nothing to chance, and ties go to the lower column.
TEST(WinChances, FinishedGamesGoToTheWinner) {
    const ColumnState full{static_cast<std::uint16_t>((1u << kChosenRows.size()) - 1), kUpperCap};
    struct Row {
        const char* name;
        std::vector<int> points;
        int winner;
    };
    const std::vector<Row> rows{{.name = "plain", .points = {180, 240, 200}, .winner = 1},
                                {.name = "tie_first", .points = {220, 220}, .winner = 0},
                                {.name = "tie_later", .points = {100, 230, 230, 229}, .winner = 1}};
    for (int type : {kNormal, kAscendant}) {
        const WinChances chances = WinChances::Build(Table(type), 2);
        for (const Row& row : rows) {
            std::vector<SeatPosition> seats;
            for (int p : row.points) seats.push_back({full, p});
            const std::vector<double> p = chances.Chances(seats);
            for (std::size_t i = 0; i < p.size(); ++i)
                EXPECT_DOUBLE_EQ(p[i], static_cast<int>(i) == row.winner ? 1.0 : 0.0) << row.name << " seat " << i;
        }
    }
}

}  // namespace
