// Runs the simulator and checks its trace against the rules of the game.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ScoreCheck.h"
#include "TraceJson.h"

using quimba::scorecheck::ColumnSums;
using quimba::scorecheck::RowWorth;
using quimba::scorecheck::SumColumn;
using quimba::sim::tracejson::JsonObject;
using quimba::sim::tracejson::JsonValue;
using quimba::sim::tracejson::ParseTraceLine;

namespace {

const int kChosen[13] = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};

struct SimResult {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

SimResult RunSim(const std::string& args, const std::string& tag) {
    const std::string out = "sim_" + tag + ".out", err = "sim_" + tag + ".err";
    const std::string cmd = std::string("\"") + QUIMBA_SIM_PATH + "\" " + args + " >" + out + " 2>" + err;
    SimResult r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
}

std::vector<int> ForcedRows(int type) {
    std::vector<int> rows(std::begin(kChosen), std::end(kChosen));
    if (type == 2) return {rows.rbegin(), rows.rend()};
    return rows;
}

int TypeOf(const std::string& name) { return name == "ascendant" ? 2 : name == "descendant" ? 3 : 1; }

std::string Keys(const JsonObject& o) {
    std::string k;
    for (const auto& key : o.keys) k += key + ",";
    return k;
}

std::array<int, 5> Five(const JsonValue& v) {
    std::array<int, 5> a{};
    EXPECT_EQ(v.Arr().size(), 5u);
    for (size_t i = 0; i < 5 && i < v.Arr().size(); ++i) a[i] = static_cast<int>(v.Arr()[i].Int());
    return a;
}

// Walks the trace; every broken rule is a test failure naming its line.
class TraceChecker {
public:
    // `optimal` marks the seats that play the exact best play: they may
    // release dice and always write what the dice score.
    void Check(const std::string& trace, long games, int players, const std::string& typeName,
               std::vector<bool> optimal = {}) {
        optimal_ = optimal;
        optimal_.resize(players, false);
        std::istringstream in(trace);
        std::string line;
        while (std::getline(in, line)) {
            ++lineNo_;
            SCOPED_TRACE("trace line " + std::to_string(lineNo_) + ": " + line);
            JsonObject o;
            ASSERT_TRUE(ParseTraceLine(line, o));
            const std::string ev = o["ev"].Str();
            if (ev == "game")
                Game(o, players, typeName);
            else if (ev == "throw")
                Throw(o);
            else if (ev == "write")
                Write(o);
            else if (ev == "tally")
                Tally(o);
            else if (ev == "end")
                End(o);
            else
                FAIL() << "unknown event";
        }
        EXPECT_EQ(game_, games);
        EXPECT_TRUE(ended_) << "the last game did not end";
    }

private:
    struct Column {
        std::array<std::string, 17> cells;
        int writes = 0;
    };

    void Game(const JsonObject& o, int players, const std::string& typeName) {
        EXPECT_EQ(Keys(o), "ev,n,type,players,");
        EXPECT_TRUE(game_ == 0 || ended_) << "a game started before the last one ended";
        EXPECT_EQ(o["n"].Int(), game_ + 1);
        EXPECT_EQ(o["type"].Int(), TypeOf(typeName));  // the game type number
        EXPECT_EQ(o["players"].Int(), players);
        game_ = o["n"].Int();
        players_ = players;
        type_ = TypeOf(typeName);
        cols_.assign(players, Column{});
        player_ = 0;
        round_ = 0;
        throws_ = 0;
        written_ = false;
        ended_ = false;
    }

    void Throw(const JsonObject& o) {
        EXPECT_EQ(Keys(o), "ev,player,n,kept,dice,");
        EXPECT_FALSE(ended_);
        EXPECT_EQ(o["player"].Int(), player_);
        EXPECT_EQ(o["n"].Int(), throws_ + 1);
        EXPECT_LE(o["n"].Int(), 3);
        const auto kept = Five(o["kept"]);
        const auto dice = Five(o["dice"]);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(dice[i] >= 1 && dice[i] <= 6) << "die " << i + 1;
            EXPECT_TRUE(kept[i] == 0 || kept[i] == 1);
            if (throws_ == 0) {
                EXPECT_EQ(kept[i], 0) << "a turn starts with every die free";
            } else {
                if (kept[i]) {
                    EXPECT_EQ(dice[i], dice_[i]) << "kept die " << i + 1 << " changed";
                }
                if (!optimal_[player_]) {
                    EXPECT_TRUE(!keptBefore_[i] || kept[i]) << "the computer released die " << i + 1;
                }
            }
        }
        keptBefore_ = kept;
        dice_ = dice;
        throws_ = static_cast<int>(o["n"].Int());
    }

    void Write(const JsonObject& o) {
        EXPECT_EQ(Keys(o), "ev,player,row,value,");
        ASSERT_EQ(o["player"].Int(), player_);
        ASSERT_GE(throws_, 1) << "a row written before any throw";
        EXPECT_FALSE(written_) << "two rows in one turn";
        const int row = static_cast<int>(o["row"].Int());
        ASSERT_TRUE(std::find(std::begin(kChosen), std::end(kChosen), row) != std::end(kChosen)) << row;
        Column& c = cols_[player_];
        EXPECT_EQ(c.cells[row], "") << "row " << row << " written twice";
        if (type_ != 1) {
            EXPECT_EQ(row, ForcedRows(type_)[round_]) << "forced row of round " << round_ + 1;
        }
        const std::string value = o["value"].Str();
        const int rule = RowWorth(row, dice_);
        const bool ok = value == std::to_string(rule) ||
                        (!optimal_[player_] &&
                         ((row >= 11 && value == "0") || (type_ == 1 && row <= 6 && value == std::to_string(row))));
        EXPECT_TRUE(ok) << "row " << row << " holds '" << value << "', the dice give " << rule;
        c.cells[row] = value;
        ++c.writes;
        written_ = true;
    }

    void Tally(const JsonObject& o) {
        EXPECT_EQ(Keys(o), "ev,player,bonus,upper,total,");
        ASSERT_EQ(o["player"].Int(), player_);
        EXPECT_TRUE(written_) << "a tally without a written row";
        Column& c = cols_[player_];
        const ColumnSums sums = SumColumn(c.cells);
        EXPECT_EQ(o["bonus"].Str(), sums.bonus);
        EXPECT_EQ(o["upper"].Str(), sums.upper);
        EXPECT_EQ(o["total"].Str(), sums.total);
        c.cells[16] = sums.total;
        written_ = false;
        throws_ = 0;
        if (++player_ == players_) {
            player_ = 0;
            ++round_;
        }
    }

    void End(const JsonObject& o) {
        EXPECT_EQ(Keys(o), "ev,winner,score,totals,");
        EXPECT_EQ(round_, 13) << "the game ended early";
        EXPECT_EQ(player_, 0);
        EXPECT_FALSE(ended_);
        const auto& totals = o["totals"].Arr();
        ASSERT_EQ(static_cast<int>(totals.size()), players_);
        int best = 0;
        for (int p = 0; p < players_; ++p) {
            EXPECT_EQ(cols_[p].writes, 13) << "player " << p;
            EXPECT_EQ(totals[p].Str(), cols_[p].cells[16]) << "player " << p;
            const int t = std::stoi(cols_[p].cells[16]);
            if (p == 0 || t > best) best = t;
        }
        EXPECT_EQ(o["score"].Int(), best);
        EXPECT_EQ(o["winner"].Str(), "CPU");
        ended_ = true;
    }

    std::vector<bool> optimal_;
    long lineNo_ = 0;
    long game_ = 0;
    int players_ = 0;
    int type_ = 1;
    std::vector<Column> cols_;
    int player_ = 0;
    int round_ = 0;
    int throws_ = 0;
    bool written_ = false;
    bool ended_ = false;
    std::array<int, 5> dice_{};
    std::array<int, 5> keptBefore_{};
};

struct TraceCase {
    const char* name;
    int players;
    const char* type;
    const char* seed;
    const char* strategies = "";  // --strategies, empty for the default
};

void PrintTo(const TraceCase& c, std::ostream* os) { *os << c.name; }

class SimTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(SimTrace, FollowsTheRules) {
    const TraceCase& c = GetParam();
    const std::string file = std::string("sim_trace_") + c.name + ".jsonl";
    const std::string strategies = *c.strategies ? std::string(" --strategies ") + c.strategies : "";
    const SimResult r = RunSim(std::string("--games 100 --players ") + std::to_string(c.players) + " --type " + c.type +
                                   " --seed " + c.seed + strategies + " --trace " + file,
                               c.name);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("games/s"), std::string::npos) << r.out;
    std::vector<bool> optimal;
    for (std::string rest = c.strategies; !rest.empty();) {
        const auto comma = rest.find(',');
        optimal.push_back(rest.substr(0, comma) == "optimal");
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
    }
    TraceChecker checker;
    checker.Check(ReadAll(file), 100, c.players, c.type, optimal);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimTrace,
    ::testing::Values(TraceCase{"normal_2", 2, "normal", "1"}, TraceCase{"normal_5", 5, "normal", "77"},
                      TraceCase{"ascendant_3", 3, "ascendant", "5"}, TraceCase{"descendant_4", 4, "descendant", "9"},
                      TraceCase{"optimal_normal_2", 2, "normal", "1", "optimal,ladder"},
                      TraceCase{"optimal_ascendant_3", 3, "ascendant", "5", "ladder,optimal,optimal"},
                      TraceCase{"optimal_descendant_2", 2, "descendant", "8", "optimal,optimal"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimRun, SameSeedSameGamesOtherSeedOtherGames) {
    ASSERT_EQ(RunSim("--games 20 --seed 3 --trace sim_seed_a.jsonl", "seed_a").status, 0);
    ASSERT_EQ(RunSim("--games 20 --seed 3 --trace sim_seed_b.jsonl", "seed_b").status, 0);
    ASSERT_EQ(RunSim("--games 20 --seed 4 --trace sim_seed_c.jsonl", "seed_c").status, 0);
    const std::string a = ReadAll("sim_seed_a.jsonl");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, ReadAll("sim_seed_b.jsonl"));
    EXPECT_NE(a, ReadAll("sim_seed_c.jsonl"));
}

TEST(SimRun, ReportsEverySeat) {
    const SimResult r = RunSim("--games 30 --players 4 --type ascendant", "report");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* seat : {"\n1 ", "\n2 ", "\n3 ", "\n4 ", "\nall "})
        EXPECT_NE(r.out.find(seat), std::string::npos) << seat;
    EXPECT_EQ(r.out.find("\n5 "), std::string::npos);
    EXPECT_NE(r.out.find("30 games in"), std::string::npos) << r.out;
}

struct BadRun {
    const char* name;
    const char* args;
};

void PrintTo(const BadRun& c, std::ostream* os) { *os << c.name; }

class SimBadOptions : public ::testing::TestWithParam<BadRun> {};

TEST_P(SimBadOptions, ExitTwoWithOneLine) {
    const SimResult r = RunSim(GetParam().args, std::string("bad_") + GetParam().name);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Sim, SimBadOptions,
                         ::testing::Values(BadRun{"players", "--players 6"}, BadRun{"type", "--type sideways"},
                                           BadRun{"unknown", "--verbose"}, BadRun{"games", "--games"},
                                           BadRun{"strategy", "--strategy best"},
                                           BadRun{"strategies_count", "--players 3 --strategies optimal,ladder"},
                                           BadRun{"trace_folder", "--games 1 --trace /nonexistent/dir/t.jsonl"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
