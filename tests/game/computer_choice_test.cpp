// Which row the computer writes after a throw, and when it writes nothing.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

struct ChoiceCase {
    const char* name;
    int type;    // typejeu
    int forced;  // ligneimposee (Ascendant, Descendant)
    int throws;  // nblancers when the computer looks
    Dice dice;
    std::vector<int> filled;  // rows of the computer's column already written
    int row;                  // row expected to be written; 0 = none
    const char* text;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class ComputerChoice : public ::testing::TestWithParam<ChoiceCase> {
protected:
    Harness h;
    RecordingObserver rec;

    void Look(const ChoiceCase& c) {
        StartGame(h.game, {"CPU", "JO2"}, c.type);
        h.game.Subscribe(rec);
        for (int r : c.filled) h.game.Grid.SetCell(0, r, "7");
        h.game.S.ligneimposee = c.forced;
        h.game.S.nblancers = c.throws;
        h.game.S.etapeordi = c.throws;
        LayDice(h.game, c.dice);
        h.game.compteordi();
    }
};

TEST_P(ComputerChoice, WritesTheRowItPrefers) {
    const ChoiceCase& c = GetParam();
    Look(c);
    if (c.row == 0) {
        EXPECT_EQ(rec.writes.size(), 0u);
        // No tally either: the turn is still the computer's.
        EXPECT_EQ(h.game.S.joueur, 0);
        EXPECT_EQ(h.game.S.nblancers, c.throws);
        EXPECT_EQ(h.game.S.tourfini, false);
        for (int r : kChosenRows) {
            bool wasFilled = false;
            for (int f : c.filled) wasFilled |= f == r;
            EXPECT_EQ(h.game.Grid.Cell(0, r), wasFilled ? "7" : "") << "row " << r;
        }
    } else {
        ASSERT_EQ(rec.writes.size(), 1u);
        EXPECT_EQ(rec.writes[0], (RecordingObserver::Write{0, c.row, c.text}));
        EXPECT_EQ(h.game.Grid.Cell(0, c.row), c.text);
        // The tally follows within the same call and hands the turn on.
        EXPECT_EQ(h.game.S.joueur, 1);
        EXPECT_EQ(h.game.S.nblancers, 0);
    }
}

std::vector<int> With(std::vector<int> a, std::initializer_list<int> more) {
    a.insert(a.end(), more);
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Normal, ComputerChoice,
    ::testing::Values(
        ChoiceCase{"quimba_at_first_throw", kNormal, 1, 1, {4, 4, 4, 4, 4}, {}, 15, "50"},
        ChoiceCase{"quimba_row_filled_throws_on", kNormal, 1, 1, {4, 4, 4, 4, 4}, {15}, 0, ""},
        ChoiceCase{"quimba_row_filled_third_throw_goes_to_fours", kNormal, 1, 3, {4, 4, 4, 4, 4}, {15}, 4, "20"},
        ChoiceCase{"quimba_rows_15_and_4_filled_not_carre", kNormal, 1, 3, {4, 4, 4, 4, 4}, {15, 4}, 9, "20"},
        ChoiceCase{"full_at_first_throw", kNormal, 1, 1, {3, 3, 3, 5, 5}, {}, 13, "30"},
        ChoiceCase{"full_row_filled_waits", kNormal, 1, 1, {3, 3, 3, 5, 5}, {13}, 0, ""},
        ChoiceCase{"suite_low_at_first_throw", kNormal, 1, 1, {1, 3, 2, 5, 4}, {}, 12, "20"},
        ChoiceCase{"suite_high_at_second_throw", kNormal, 1, 2, {6, 2, 3, 4, 5}, {}, 12, "20"},
        ChoiceCase{"suite_row_filled_waits", kNormal, 1, 1, {6, 2, 3, 4, 5}, {12}, 0, ""},
        ChoiceCase{"carre_waits_at_first_throw", kNormal, 1, 1, {2, 2, 5, 2, 2}, {}, 0, ""},
        ChoiceCase{"carre_waits_at_second_throw", kNormal, 1, 2, {2, 2, 5, 2, 2}, {}, 0, ""},
        ChoiceCase{"carre_at_third_throw", kNormal, 1, 3, {2, 2, 5, 2, 2}, {}, 14, "40"},
        ChoiceCase{"carre_row_filled_goes_to_its_number", kNormal, 1, 3, {2, 2, 5, 2, 2}, {14}, 2, "8"},
        ChoiceCase{"three_sixes_third_throw_into_brelan", kNormal, 1, 3, {6, 6, 6, 2, 3}, {}, 11, "23"},
        ChoiceCase{"three_sixes_second_throw_waits", kNormal, 1, 2, {6, 6, 6, 2, 3}, {}, 0, ""},
        ChoiceCase{"three_sixes_brelan_filled_into_sixes", kNormal, 1, 3, {6, 6, 6, 2, 3}, {11}, 6, "18"},
        ChoiceCase{"three_fives_into_fives_not_brelan", kNormal, 1, 3, {5, 5, 2, 5, 3}, {}, 5, "15"},
        ChoiceCase{"triple_takes_lowest_free_face", kNormal, 1, 3, {1, 1, 1, 6, 6}, {13}, 1, "3"},
        ChoiceCase{"no_pair_high_sum_into_plus", kNormal, 1, 3, {1, 2, 4, 5, 6}, {}, 9, "18"},
        ChoiceCase{"sum_17_into_plus", kNormal, 1, 3, {1, 2, 4, 5, 5}, {}, 9, "17"},
        ChoiceCase{"sum_16_with_pair_into_number", kNormal, 1, 3, {1, 2, 4, 4, 5}, {}, 4, "8"},
        ChoiceCase{"sum_12_into_moins", kNormal, 1, 3, {1, 1, 2, 3, 5}, {}, 10, "12"},
        ChoiceCase{"sum_13_with_pair_into_number", kNormal, 1, 3, {1, 1, 2, 3, 6}, {}, 1, "2"},
        ChoiceCase{"pair_takes_lowest_free_face", kNormal, 1, 3, {2, 2, 4, 4, 1}, {}, 2, "4"},
        ChoiceCase{"pair_row_filled_next_pair", kNormal, 1, 3, {2, 2, 4, 4, 1}, {2}, 4, "8"},
        ChoiceCase{"last_resort_face_value_itself", kNormal, 1, 3, {3, 4, 5, 6, 6}, {1, 6, 9}, 2, "2"},
        ChoiceCase{"last_resort_runs_from_face_one", kNormal, 1, 3, {5, 5, 6, 6, 4}, {5, 6, 9}, 1, "1"},
        ChoiceCase{"numbers_full_brelan_late", kNormal, 1, 3, {4, 4, 4, 1, 2}, kNumbers, 11, "15"},
        ChoiceCase{"numbers_full_plus_late_at_12", kNormal, 1, 3, {1, 2, 3, 4, 2}, With(kNumbers, {10}), 9, "12"},
        ChoiceCase{"numbers_full_sum_12_moins_first", kNormal, 1, 3, {1, 2, 3, 4, 2}, kNumbers, 10, "12"},
        ChoiceCase{"numbers_full_plus_late_at_13", kNormal, 1, 3, {1, 2, 3, 4, 3}, kNumbers, 9, "13"},
        ChoiceCase{"numbers_full_moins_late_at_15", kNormal, 1, 3, {1, 2, 4, 4, 4}, With(kNumbers, {9, 11}), 10, "15"},
        ChoiceCase{"numbers_full_moins_any_sum", kNormal, 1, 3, {1, 2, 3, 4, 6}, With(kNumbers, {9}), 10, "16"},
        ChoiceCase{"numbers_full_plus_any_sum", kNormal, 1, 3, {1, 1, 2, 3, 4}, With(kNumbers, {10}), 9, "11"},
        ChoiceCase{
            "strike_out_first_free_figure_row", kNormal, 1, 3, {1, 2, 3, 4, 6}, With(kNumbers, {9, 10}), 11, "0"},
        ChoiceCase{"strike_out_skips_filled", kNormal, 1, 3, {1, 2, 3, 4, 6}, With(kNumbers, {9, 10, 11, 12}), 13, "0"},
        ChoiceCase{"quimba_used_strikes_brelan", kNormal, 1, 3, {5, 5, 5, 5, 5}, With(kNumbers, {9, 10, 15}), 11, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Forced, ComputerChoice,
    ::testing::Values(ChoiceCase{"asc_quimba_first_throw", kAscendant, 15, 1, {2, 2, 2, 2, 2}, {}, 15, "50"},
                      ChoiceCase{"asc_quimba_waits_for_five", kAscendant, 15, 1, {2, 2, 2, 2, 3}, {}, 0, ""},
                      ChoiceCase{"asc_quimba_struck_at_third", kAscendant, 15, 3, {2, 2, 2, 2, 3}, {}, 15, "0"},
                      ChoiceCase{"asc_carre_first_throw", kAscendant, 14, 1, {6, 3, 6, 6, 6}, {15}, 14, "40"},
                      ChoiceCase{"asc_carre_five_of_a_kind_waits", kAscendant, 14, 2, {6, 6, 6, 6, 6}, {15}, 0, ""},
                      ChoiceCase{"asc_full_first_throw", kAscendant, 13, 1, {1, 4, 1, 4, 1}, {15, 14}, 13, "30"},
                      ChoiceCase{"asc_full_absent_waits", kAscendant, 13, 2, {1, 4, 1, 4, 2}, {15, 14}, 0, ""},
                      ChoiceCase{"asc_suite_first_throw", kAscendant, 12, 1, {2, 3, 4, 5, 6}, {}, 12, "20"},
                      ChoiceCase{"asc_suite_struck_at_third", kAscendant, 12, 3, {2, 3, 4, 5, 5}, {}, 12, "0"},
                      ChoiceCase{"desc_brelan_from_three", kDescendant, 11, 1, {5, 5, 5, 1, 2}, {}, 11, "18"},
                      ChoiceCase{"desc_brelan_from_full", kDescendant, 11, 2, {5, 5, 5, 1, 1}, {}, 11, "17"},
                      ChoiceCase{"desc_brelan_from_carre", kDescendant, 11, 1, {3, 3, 3, 3, 1}, {}, 11, "13"},
                      ChoiceCase{"desc_brelan_from_quimba", kDescendant, 11, 1, {6, 6, 6, 6, 6}, {}, 11, "30"},
                      ChoiceCase{"desc_brelan_pair_waits", kDescendant, 11, 1, {5, 5, 4, 1, 2}, {}, 0, ""},
                      ChoiceCase{"desc_plus_waits", kDescendant, 9, 2, {6, 6, 6, 5, 5}, {}, 0, ""},
                      ChoiceCase{"desc_plus_at_third", kDescendant, 9, 3, {6, 6, 6, 5, 4}, {}, 9, "27"},
                      ChoiceCase{"asc_moins_waits", kAscendant, 10, 1, {1, 1, 1, 1, 2}, {}, 0, ""},
                      ChoiceCase{"asc_moins_at_third", kAscendant, 10, 3, {1, 1, 2, 1, 2}, {}, 10, "7"},
                      ChoiceCase{
                          "desc_number_row_waits_with_five_of_it", kDescendant, 4, 2, {4, 4, 4, 4, 4}, {}, 0, ""},
                      ChoiceCase{"desc_number_row_at_third", kDescendant, 4, 3, {4, 4, 1, 4, 6}, {}, 4, "12"},
                      ChoiceCase{"desc_number_row_zero", kDescendant, 1, 3, {4, 4, 2, 4, 6}, {}, 1, "0"},
                      ChoiceCase{"asc_number_row_six", kAscendant, 6, 3, {6, 2, 3, 6, 6}, {}, 6, "18"},
                      ChoiceCase{"asc_number_row_ignores_figure", kAscendant, 5, 1, {5, 5, 5, 5, 5}, {}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputerChoiceNoRowLeft, SaysSoAndTalliesNothing) {
    Harness h;
    RecordingObserver rec;
    StartGame(h.game, {"CPU", "JO2"}, kNormal);
    h.game.Subscribe(rec);
    for (int r : kChosenRows) h.game.Grid.SetCell(0, r, "2");
    h.game.S.nblancers = 3;
    LayDice(h.game, {1, 2, 3, 4, 6});
    h.game.compteordi();
    EXPECT_EQ(h.game.controls.resultext, "Je ne sais que faire");
    EXPECT_EQ(rec.writes.size(), 0u);
    EXPECT_EQ(rec.tallies, 0);
    EXPECT_EQ(h.game.S.joueur, 0);
    EXPECT_EQ(h.game.Grid.Cell(0, lignetotal), "");
}

struct FilledForcedCase {
    const char* name;
    int type;
    int forced;
    int throws;
    Dice dice;
    const char* message;
};

void PrintTo(const FilledForcedCase& c, std::ostream* os) { *os << c.name; }

class ComputerChoiceFilledForcedRow : public ::testing::TestWithParam<FilledForcedCase> {};

// A forced row that is already written (a sheet out of step with the forced
// order) is never overwritten, whatever the throw.
TEST_P(ComputerChoiceFilledForcedRow, KeepsTheCellAndTalliesNothing) {
    const FilledForcedCase& c = GetParam();
    Harness h;
    RecordingObserver rec;
    StartGame(h.game, {"CPU", "JO2"}, c.type);
    h.game.Subscribe(rec);
    h.game.Grid.SetCell(0, c.forced, "7");
    h.game.S.ligneimposee = c.forced;
    h.game.S.nblancers = c.throws;
    LayDice(h.game, c.dice);
    h.game.compteordi();
    EXPECT_EQ(h.game.Grid.Cell(0, c.forced), "7");
    EXPECT_EQ(rec.writes.size(), 0u);
    EXPECT_EQ(rec.tallies, 0);
    EXPECT_EQ(h.game.S.joueur, 0);
    EXPECT_EQ(h.game.controls.resultext, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComputerChoiceFilledForcedRow,
    ::testing::Values(
        FilledForcedCase{"asc_quimba_first_throw", kAscendant, 15, 1, {6, 6, 6, 6, 6}, ""},
        FilledForcedCase{"asc_full_first_throw", kAscendant, 13, 1, {3, 3, 3, 5, 5}, ""},
        FilledForcedCase{"desc_brelan_second_throw", kDescendant, 11, 2, {2, 2, 2, 1, 5}, ""},
        FilledForcedCase{"desc_plus_third_throw", kDescendant, 9, 3, {6, 6, 5, 5, 4}, "Je ne sais que faire"},
        FilledForcedCase{"desc_number_row_third_throw", kDescendant, 3, 3, {3, 3, 1, 2, 4}, "Je ne sais que faire"},
        FilledForcedCase{"asc_strike_out_third_throw", kAscendant, 12, 3, {1, 1, 2, 2, 4}, "Je ne sais que faire"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputerChoiceAfterPersonPick, LooksAtNothing) {
    // A person's pick has already written the row; the computer's choice must
    // not add a second one, even for a throw it would like.
    Harness h;
    RecordingObserver rec;
    StartGame(h.game, {"JO1", "CPU"}, kNormal);
    h.game.Subscribe(rec);
    h.game.S.nblancers = 1;
    LayDice(h.game, {4, 4, 4, 4, 4});
    h.game.Grid.SetCell(0, ligne2, "0");
    h.game.S.casechoisie = true;
    h.game.compteordi();
    EXPECT_EQ(rec.writes.size(), 0u);
    EXPECT_EQ(h.game.Grid.Cell(0, lignequimba), "");
    EXPECT_EQ(h.game.S.joueur, 1);
}

TEST(ComputerChoiceFigureOfItsOwnColumn, IgnoresOtherPlayersFigure) {
    // The figure read is the current player's; another column's stale code
    // must not be taken for it.
    Harness h;
    RecordingObserver rec;
    StartGame(h.game, {"JO1", "CPU"}, kNormal);
    h.game.Subscribe(rec);
    h.game.S.figure[0] = kQuimba;
    h.game.S.joueur = 1;
    h.game.S.nblancers = 1;
    LayDice(h.game, {1, 2, 2, 4, 6});
    h.game.compteordi();
    EXPECT_EQ(rec.writes.size(), 0u);
}

}  // namespace
