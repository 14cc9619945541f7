// The simulator's command line: good options read, bad ones refused with one line.
#include <gtest/gtest.h>

#include "SimOptions.h"

using namespace quimba::sim;
using quimba::Level;

namespace {

struct GoodCase {
    const char* name;
    std::vector<std::string> args;
    long games;
    int players;
    int type;
    unsigned long long seed;
    std::string trace;
};

void PrintTo(const GoodCase& c, std::ostream* os) { *os << c.name; }

class GoodOptions : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodOptions, AreRead) {
    const GoodCase& c = GetParam();
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions(c.args, o, error)) << error;
    EXPECT_EQ(o.games, c.games);
    EXPECT_EQ(o.players, c.players);
    EXPECT_EQ(o.type, c.type);
    EXPECT_EQ(o.seed, c.seed);
    EXPECT_EQ(o.trace, c.trace);
    EXPECT_EQ(error, "");
}

const unsigned long long kDefaultSeed = SimOptions{}.seed;

INSTANTIATE_TEST_SUITE_P(
    Sim, GoodOptions,
    ::testing::Values(
        GoodCase{"defaults", {}, 1000, 2, 1, kDefaultSeed, ""},
        GoodCase{"all_given",
                 {"--games", "7", "--players", "5", "--type", "descendant", "--seed", "42", "--trace", "t.jsonl"},
                 7,
                 5,
                 3,
                 42,
                 "t.jsonl"},
        GoodCase{"any_order", {"--seed", "0", "--type", "ascendant", "--games", "1"}, 1, 2, 2, 0, ""},
        GoodCase{"type_normal", {"--type", "normal"}, 1000, 2, 1, kDefaultSeed, ""},
        GoodCase{"players_lowest", {"--players", "2"}, 1000, 2, 1, kDefaultSeed, ""},
        GoodCase{"repeated_last_wins", {"--games", "3", "--games", "9"}, 9, 2, 1, kDefaultSeed, ""},
        GoodCase{"big_seed", {"--seed", "18446744073709551615"}, 1000, 2, 1, 18446744073709551615ull, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct StrategyCase {
    const char* name;
    std::vector<std::string> args;
    int players;
    std::vector<Level> strategies;
    bool solve;
};

void PrintTo(const StrategyCase& c, std::ostream* os) { *os << c.name; }

class StrategyOptions : public ::testing::TestWithParam<StrategyCase> {};

TEST_P(StrategyOptions, GiveEverySeatItsStrategy) {
    const StrategyCase& c = GetParam();
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions(c.args, o, error)) << error;
    EXPECT_EQ(o.players, c.players);
    EXPECT_EQ(o.strategies, c.strategies);
    EXPECT_EQ(o.solve, c.solve);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, StrategyOptions,
    ::testing::Values(
        StrategyCase{"default_ladder", {"--players", "3"}, 3, {Level::Classic, Level::Classic, Level::Classic}, false},
        StrategyCase{"all_optimal",
                     {"--strategy", "optimal", "--players", "4"},
                     4,
                     {Level::Expert, Level::Expert, Level::Expert, Level::Expert},
                     false},
        StrategyCase{"players_after_strategy",
                     {"--players", "2", "--strategy", "ladder"},
                     2,
                     {Level::Classic, Level::Classic},
                     false},
        StrategyCase{"per_seat_sets_players",
                     {"--strategies", "optimal,ladder,optimal"},
                     3,
                     {Level::Expert, Level::Classic, Level::Expert},
                     false},
        StrategyCase{"per_seat_agrees_with_players",
                     {"--players", "2", "--strategies", "ladder,optimal"},
                     2,
                     {Level::Classic, Level::Expert},
                     false},
        StrategyCase{"solve", {"--solve"}, 2, {Level::Classic, Level::Classic}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReviewOptions, NameTheFilesAndTheChances) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--review", "r.jsonl", "--chances", "--trace", "t.jsonl"}, o, error)) << error;
    EXPECT_EQ(o.review, "r.jsonl");
    EXPECT_TRUE(o.chances);
    ASSERT_TRUE(ParseSimOptions({}, o, error));
    EXPECT_EQ(o.review, "");
    EXPECT_FALSE(o.chances);
}

struct BadCase {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BadOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, AreRefusedWithOneLine) {
    SimOptions o;
    o.games = 55;
    std::string error;
    EXPECT_FALSE(ParseSimOptions(GetParam().args, o, error));
    EXPECT_NE(error, "");
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(o.games, 55) << "a refused command line leaves the options alone";
}

INSTANTIATE_TEST_SUITE_P(
    Sim, BadOptions,
    ::testing::Values(
        BadCase{"unknown", {"--fast"}}, BadCase{"positional", {"100"}}, BadCase{"missing_value", {"--games"}},
        BadCase{"games_zero", {"--games", "0"}}, BadCase{"games_negative", {"--games", "-3"}},
        BadCase{"games_text", {"--games", "ten"}}, BadCase{"games_trailing", {"--games", "10x"}},
        BadCase{"players_one", {"--players", "1"}}, BadCase{"players_six", {"--players", "6"}},
        BadCase{"type_case", {"--type", "Normal"}}, BadCase{"type_unknown", {"--type", "up"}},
        BadCase{"seed_negative", {"--seed", "-1"}}, BadCase{"seed_too_big", {"--seed", "18446744073709551616"}},
        BadCase{"trace_empty", {"--trace", ""}}, BadCase{"good_then_bad", {"--games", "5", "--players", "9"}},
        BadCase{"strategy_unknown", {"--strategy", "greedy"}}, BadCase{"strategy_case", {"--strategy", "Optimal"}},
        BadCase{"strategies_one_seat", {"--strategies", "optimal"}},
        BadCase{"strategies_six_seats", {"--strategies", "ladder,ladder,ladder,ladder,ladder,ladder"}},
        BadCase{"strategies_empty_seat", {"--strategies", "ladder,,optimal"}},
        BadCase{"strategies_trailing_comma", {"--strategies", "ladder,optimal,"}},
        BadCase{"strategies_against_players", {"--strategies", "ladder,optimal", "--players", "3"}},
        BadCase{"strategy_and_strategies", {"--strategy", "optimal", "--strategies", "ladder,optimal"}},
        BadCase{"review_empty", {"--review", ""}}, BadCase{"chances_without_trace", {"--chances"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
