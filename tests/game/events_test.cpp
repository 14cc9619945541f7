// The game's event stream, and the person's throw command that feeds it:
// a listener that sees only the events can rebuild the whole sheet, and no
// click, key or double click ever throws out of turn.
#include <gtest/gtest.h>

#include <random>

#include "ScoreCheck.h"
#include "SystemPorts.h"
#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

// Rebuilds the sheet from the events alone and checks each against what
// came before it.
struct SheetFromEvents : GameObserver {
    std::array<std::array<std::string, kRows>, kColumns> cells{};
    std::array<int, kDice + 1> faces{};
    int turnColumn = -1;
    int throwsThisTurn = 0;
    int maxThrows = 0;
    int turns = 0;
    int ends = 0;
    int endColumn = -2;
    int endPoints = -1;

    void OnEvent(const Game&, const GameEvent& e) override {
        using K = GameEvent::Kind;
        switch (e.kind) {
            case K::TurnStarted:
                ++turns;
                turnColumn = e.column;
                throwsThisTurn = 0;
                break;
            case K::Thrown:
                EXPECT_EQ(e.column, turnColumn);
                EXPECT_EQ(e.throwNumber, ++throwsThisTurn);
                for (int i = 1; i <= kDice; ++i) {
                    if (e.kept[i] && throwsThisTurn > 1) {
                        EXPECT_EQ(e.faces[i], faces[i]) << "kept die " << i;
                    }
                }
                faces = e.faces;
                maxThrows = std::max(maxThrows, throwsThisTurn);
                break;
            case K::RowWritten: {
                EXPECT_EQ(e.column, turnColumn);
                EXPECT_GE(throwsThisTurn, 1);
                const std::array<int, 5> dice{faces[1], faces[2], faces[3], faces[4], faces[5]};
                EXPECT_EQ(e.points, scorecheck::RowWorth(e.row, dice)) << "row " << e.row;
                EXPECT_TRUE(cells[e.column][e.row].empty()) << "a row written twice";
                cells[e.column][e.row] = std::to_string(e.points);
                break;
            }
            case K::Tallied: {
                const scorecheck::ColumnSums sums = scorecheck::SumColumn(cells[e.column]);
                cells[e.column][lignebonus] = sums.bonus;
                cells[e.column][lignesoustotal] = sums.upper;
                cells[e.column][lignetotal] = sums.total;
                break;
            }
            case K::GameEnded:
                ++ends;
                endColumn = e.column;
                endPoints = e.points;
                break;
            default: break;
        }
    }
};

struct PlayCase {
    const char* name;
    std::vector<std::string> names;
    int typejeu;
    unsigned long long seed;
};

class EventStream : public ::testing::TestWithParam<PlayCase> {};

// Persons throw by double clicks, write early at random, and click "Lancer"
// eight times at every tick of a computer's turn; the game still ends, and
// the events tell it whole.
TEST_P(EventStream, RebuildsTheSheetCellByCellWhateverThePersonsClick) {
    const PlayCase& c = GetParam();
    SeededRandom random(c.seed);
    FixedClock clock;
    RecordingView view;
    Game g(random, clock, view);
    SheetFromEvents sheet;
    g.Subscribe(sheet);
    std::mt19937 person(static_cast<unsigned>(c.seed));
    StartGame(g, c.names, c.typejeu);

    int refusedOutOfTurn = 0;
    for (int step = 0; step < 100000 && g.S.tour < kRounds; ++step) {
        if (!g.Grid.IsComputer(g.S.joueur)) {
            // Stop throwing at random, after at least one throw.
            if (g.S.nblancers == 0 || (g.S.nblancers < kMaxThrows && person() % 3 != 0)) {
                const int before = g.S.nblancers;
                ASSERT_TRUE(g.Throw());
                EXPECT_FALSE(g.Throw()) << "the second click of a double click";
                ASSERT_EQ(g.S.nblancers, before + 1);
                ASSERT_TRUE(RunAnimation(g));
                continue;
            }
            std::vector<int> rows;
            for (int r : kChosenRows)
                if (g.Grid.Free(g.S.joueur, r) && (g.S.typejeu == kNormal || r == g.S.ligneimposee)) rows.push_back(r);
            ASSERT_FALSE(rows.empty());
            g.WriteRow(g.S.joueur, rows[person() % rows.size()]);
            continue;
        }
        for (int click = 0; click < 8; ++click) refusedOutOfTurn += g.Throw() ? 0 : 1;
        if (g.controls.FrameTimerEnabled)
            g.FrameTimerTimer();
        else
            ASSERT_TRUE(g.controls.TimerordiEnabled) << "a computer's turn with no timer running";
        if (g.controls.TimerordiEnabled && !g.controls.FrameTimerEnabled) g.TimerordiTimer();
    }
    ASSERT_EQ(g.S.tour, kRounds);
    EXPECT_GT(refusedOutOfTurn, 0);
    EXPECT_LE(sheet.maxThrows, kMaxThrows);
    EXPECT_EQ(sheet.turns, kRounds * static_cast<int>(c.names.size()));
    EXPECT_EQ(sheet.ends, 1);
    int best = -1;
    for (int col = 0; col < static_cast<int>(c.names.size()); ++col) {
        for (int row = ligne1; row < kRows; ++row)
            EXPECT_EQ(sheet.cells[col][row], g.Grid.Cell(col, row)) << "column " << col << " row " << row;
        best = std::max(best, g.Grid.Value(col, lignetotal));
    }
    EXPECT_EQ(sheet.endPoints, best);
    EXPECT_EQ(g.Grid.Value(sheet.endColumn, lignetotal), best);
}

INSTANTIATE_TEST_SUITE_P(
    Games, EventStream,
    ::testing::Values(
        PlayCase{.name = "person_then_computer_normal", .names = {"ANNE", "CPU"}, .typejeu = kNormal, .seed = 3},
        PlayCase{.name = "computers_between_persons_ascendant",
                 .names = {"ANNE", "CPU", "BOB", "CPU"},
                 .typejeu = kAscendant,
                 .seed = 5},
        PlayCase{
            .name = "computer_first_descendant", .names = {"CPU", "ANNE", "CPU"}, .typejeu = kDescendant, .seed = 8}),
    [](const ::testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

TEST(ThrowCommand, IgnoredWhileTheDiceTumbleThenAllowedOnceTheyRest) {
    SeededRandom random(1);
    FixedClock clock;
    RecordingView view;
    Game g(random, clock, view);
    StartGame(g, {"ANNE", "BOB"});
    ASSERT_TRUE(g.Throw());
    for (int frame = 0; frame < 3; ++frame) g.FrameTimerTimer();
    ASSERT_TRUE(g.Tumbling());
    EXPECT_FALSE(g.Throw());
    EXPECT_EQ(g.S.nblancers, 1);
    ASSERT_TRUE(RunAnimation(g));
    EXPECT_TRUE(g.Throw());
    EXPECT_EQ(g.S.nblancers, 2);
}

}  // namespace
