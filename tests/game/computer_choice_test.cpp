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

INSTANTIATE_TEST_SUITE_P(Normal, ComputerChoice,
                         ::testing::Values(ChoiceCase{.name = "quimba_at_first_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {4, 4, 4, 4, 4},
                                                      .filled = {},
                                                      .row = 15,
                                                      .text = "50"},
                                           ChoiceCase{.name = "quimba_row_filled_throws_on",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {4, 4, 4, 4, 4},
                                                      .filled = {15},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "quimba_row_filled_third_throw_goes_to_fours",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {4, 4, 4, 4, 4},
                                                      .filled = {15},
                                                      .row = 4,
                                                      .text = "20"},
                                           ChoiceCase{.name = "quimba_rows_15_and_4_filled_not_carre",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {4, 4, 4, 4, 4},
                                                      .filled = {15, 4},
                                                      .row = 9,
                                                      .text = "20"},
                                           ChoiceCase{.name = "full_at_first_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {3, 3, 3, 5, 5},
                                                      .filled = {},
                                                      .row = 13,
                                                      .text = "30"},
                                           ChoiceCase{.name = "full_row_filled_waits",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {3, 3, 3, 5, 5},
                                                      .filled = {13},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "suite_low_at_first_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {1, 3, 2, 5, 4},
                                                      .filled = {},
                                                      .row = 12,
                                                      .text = "20"},
                                           ChoiceCase{.name = "suite_high_at_second_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 2,
                                                      .dice = {6, 2, 3, 4, 5},
                                                      .filled = {},
                                                      .row = 12,
                                                      .text = "20"},
                                           ChoiceCase{.name = "suite_row_filled_waits",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {6, 2, 3, 4, 5},
                                                      .filled = {12},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "carre_waits_at_first_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 1,
                                                      .dice = {2, 2, 5, 2, 2},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "carre_waits_at_second_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 2,
                                                      .dice = {2, 2, 5, 2, 2},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "carre_at_third_throw",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {2, 2, 5, 2, 2},
                                                      .filled = {},
                                                      .row = 14,
                                                      .text = "40"},
                                           ChoiceCase{.name = "carre_row_filled_goes_to_its_number",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {2, 2, 5, 2, 2},
                                                      .filled = {14},
                                                      .row = 2,
                                                      .text = "8"},
                                           ChoiceCase{.name = "three_sixes_third_throw_into_brelan",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {6, 6, 6, 2, 3},
                                                      .filled = {},
                                                      .row = 11,
                                                      .text = "23"},
                                           ChoiceCase{.name = "three_sixes_second_throw_waits",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 2,
                                                      .dice = {6, 6, 6, 2, 3},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "three_sixes_brelan_filled_into_sixes",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {6, 6, 6, 2, 3},
                                                      .filled = {11},
                                                      .row = 6,
                                                      .text = "18"},
                                           ChoiceCase{.name = "three_fives_into_fives_not_brelan",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {5, 5, 2, 5, 3},
                                                      .filled = {},
                                                      .row = 5,
                                                      .text = "15"},
                                           ChoiceCase{.name = "triple_takes_lowest_free_face",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 1, 1, 6, 6},
                                                      .filled = {13},
                                                      .row = 1,
                                                      .text = "3"},
                                           ChoiceCase{.name = "no_pair_high_sum_into_plus",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 4, 5, 6},
                                                      .filled = {},
                                                      .row = 9,
                                                      .text = "18"},
                                           ChoiceCase{.name = "sum_17_into_plus",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 4, 5, 5},
                                                      .filled = {},
                                                      .row = 9,
                                                      .text = "17"},
                                           ChoiceCase{.name = "sum_16_with_pair_into_number",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 4, 4, 5},
                                                      .filled = {},
                                                      .row = 4,
                                                      .text = "8"},
                                           ChoiceCase{.name = "sum_12_into_moins",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 1, 2, 3, 5},
                                                      .filled = {},
                                                      .row = 10,
                                                      .text = "12"},
                                           ChoiceCase{.name = "sum_13_with_pair_into_number",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 1, 2, 3, 6},
                                                      .filled = {},
                                                      .row = 1,
                                                      .text = "2"},
                                           ChoiceCase{.name = "pair_takes_lowest_free_face",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {2, 2, 4, 4, 1},
                                                      .filled = {},
                                                      .row = 2,
                                                      .text = "4"},
                                           ChoiceCase{.name = "pair_row_filled_next_pair",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {2, 2, 4, 4, 1},
                                                      .filled = {2},
                                                      .row = 4,
                                                      .text = "8"},
                                           ChoiceCase{.name = "last_resort_face_value_itself",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {3, 4, 5, 6, 6},
                                                      .filled = {1, 6, 9},
                                                      .row = 2,
                                                      .text = "2"},
                                           ChoiceCase{.name = "last_resort_runs_from_face_one",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {5, 5, 6, 6, 4},
                                                      .filled = {5, 6, 9},
                                                      .row = 1,
                                                      .text = "1"},
                                           ChoiceCase{.name = "numbers_full_brelan_late",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {4, 4, 4, 1, 2},
                                                      .filled = kNumbers,
                                                      .row = 11,
                                                      .text = "15"},
                                           ChoiceCase{.name = "numbers_full_plus_late_at_12",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 2},
                                                      .filled = With(kNumbers, {10}),
                                                      .row = 9,
                                                      .text = "12"},
                                           ChoiceCase{.name = "numbers_full_sum_12_moins_first",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 2},
                                                      .filled = kNumbers,
                                                      .row = 10,
                                                      .text = "12"},
                                           ChoiceCase{.name = "numbers_full_plus_late_at_13",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 3},
                                                      .filled = kNumbers,
                                                      .row = 9,
                                                      .text = "13"},
                                           ChoiceCase{.name = "numbers_full_moins_late_at_15",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 4, 4, 4},
                                                      .filled = With(kNumbers, {9, 11}),
                                                      .row = 10,
                                                      .text = "15"},
                                           ChoiceCase{.name = "numbers_full_moins_any_sum",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 6},
                                                      .filled = With(kNumbers, {9}),
                                                      .row = 10,
                                                      .text = "16"},
                                           ChoiceCase{.name = "numbers_full_plus_any_sum",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 1, 2, 3, 4},
                                                      .filled = With(kNumbers, {10}),
                                                      .row = 9,
                                                      .text = "11"},
                                           ChoiceCase{.name = "strike_out_first_free_figure_row",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 6},
                                                      .filled = With(kNumbers, {9, 10}),
                                                      .row = 11,
                                                      .text = "0"},
                                           ChoiceCase{.name = "strike_out_skips_filled",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {1, 2, 3, 4, 6},
                                                      .filled = With(kNumbers, {9, 10, 11, 12}),
                                                      .row = 13,
                                                      .text = "0"},
                                           ChoiceCase{.name = "quimba_used_strikes_brelan",
                                                      .type = kNormal,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {5, 5, 5, 5, 5},
                                                      .filled = With(kNumbers, {9, 10, 15}),
                                                      .row = 11,
                                                      .text = "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Forced, ComputerChoice,
                         ::testing::Values(ChoiceCase{.name = "asc_quimba_first_throw",
                                                      .type = kAscendant,
                                                      .forced = 15,
                                                      .throws = 1,
                                                      .dice = {2, 2, 2, 2, 2},
                                                      .filled = {},
                                                      .row = 15,
                                                      .text = "50"},
                                           ChoiceCase{.name = "asc_quimba_waits_for_five",
                                                      .type = kAscendant,
                                                      .forced = 15,
                                                      .throws = 1,
                                                      .dice = {2, 2, 2, 2, 3},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "asc_quimba_struck_at_third",
                                                      .type = kAscendant,
                                                      .forced = 15,
                                                      .throws = 3,
                                                      .dice = {2, 2, 2, 2, 3},
                                                      .filled = {},
                                                      .row = 15,
                                                      .text = "0"},
                                           ChoiceCase{.name = "asc_carre_first_throw",
                                                      .type = kAscendant,
                                                      .forced = 14,
                                                      .throws = 1,
                                                      .dice = {6, 3, 6, 6, 6},
                                                      .filled = {15},
                                                      .row = 14,
                                                      .text = "40"},
                                           ChoiceCase{.name = "asc_carre_five_of_a_kind_waits",
                                                      .type = kAscendant,
                                                      .forced = 14,
                                                      .throws = 2,
                                                      .dice = {6, 6, 6, 6, 6},
                                                      .filled = {15},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "asc_full_first_throw",
                                                      .type = kAscendant,
                                                      .forced = 13,
                                                      .throws = 1,
                                                      .dice = {1, 4, 1, 4, 1},
                                                      .filled = {15, 14},
                                                      .row = 13,
                                                      .text = "30"},
                                           ChoiceCase{.name = "asc_full_absent_waits",
                                                      .type = kAscendant,
                                                      .forced = 13,
                                                      .throws = 2,
                                                      .dice = {1, 4, 1, 4, 2},
                                                      .filled = {15, 14},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "asc_suite_first_throw",
                                                      .type = kAscendant,
                                                      .forced = 12,
                                                      .throws = 1,
                                                      .dice = {2, 3, 4, 5, 6},
                                                      .filled = {},
                                                      .row = 12,
                                                      .text = "20"},
                                           ChoiceCase{.name = "asc_suite_struck_at_third",
                                                      .type = kAscendant,
                                                      .forced = 12,
                                                      .throws = 3,
                                                      .dice = {2, 3, 4, 5, 5},
                                                      .filled = {},
                                                      .row = 12,
                                                      .text = "0"},
                                           ChoiceCase{.name = "desc_brelan_from_three",
                                                      .type = kDescendant,
                                                      .forced = 11,
                                                      .throws = 1,
                                                      .dice = {5, 5, 5, 1, 2},
                                                      .filled = {},
                                                      .row = 11,
                                                      .text = "18"},
                                           ChoiceCase{.name = "desc_brelan_from_full",
                                                      .type = kDescendant,
                                                      .forced = 11,
                                                      .throws = 2,
                                                      .dice = {5, 5, 5, 1, 1},
                                                      .filled = {},
                                                      .row = 11,
                                                      .text = "17"},
                                           ChoiceCase{.name = "desc_brelan_from_carre",
                                                      .type = kDescendant,
                                                      .forced = 11,
                                                      .throws = 1,
                                                      .dice = {3, 3, 3, 3, 1},
                                                      .filled = {},
                                                      .row = 11,
                                                      .text = "13"},
                                           ChoiceCase{.name = "desc_brelan_from_quimba",
                                                      .type = kDescendant,
                                                      .forced = 11,
                                                      .throws = 1,
                                                      .dice = {6, 6, 6, 6, 6},
                                                      .filled = {},
                                                      .row = 11,
                                                      .text = "30"},
                                           ChoiceCase{.name = "desc_brelan_pair_waits",
                                                      .type = kDescendant,
                                                      .forced = 11,
                                                      .throws = 1,
                                                      .dice = {5, 5, 4, 1, 2},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "desc_plus_waits",
                                                      .type = kDescendant,
                                                      .forced = 9,
                                                      .throws = 2,
                                                      .dice = {6, 6, 6, 5, 5},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "desc_plus_at_third",
                                                      .type = kDescendant,
                                                      .forced = 9,
                                                      .throws = 3,
                                                      .dice = {6, 6, 6, 5, 4},
                                                      .filled = {},
                                                      .row = 9,
                                                      .text = "27"},
                                           ChoiceCase{.name = "asc_moins_waits",
                                                      .type = kAscendant,
                                                      .forced = 10,
                                                      .throws = 1,
                                                      .dice = {1, 1, 1, 1, 2},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "asc_moins_at_third",
                                                      .type = kAscendant,
                                                      .forced = 10,
                                                      .throws = 3,
                                                      .dice = {1, 1, 2, 1, 2},
                                                      .filled = {},
                                                      .row = 10,
                                                      .text = "7"},
                                           ChoiceCase{.name = "desc_number_row_waits_with_five_of_it",
                                                      .type = kDescendant,
                                                      .forced = 4,
                                                      .throws = 2,
                                                      .dice = {4, 4, 4, 4, 4},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""},
                                           ChoiceCase{.name = "desc_number_row_at_third",
                                                      .type = kDescendant,
                                                      .forced = 4,
                                                      .throws = 3,
                                                      .dice = {4, 4, 1, 4, 6},
                                                      .filled = {},
                                                      .row = 4,
                                                      .text = "12"},
                                           ChoiceCase{.name = "desc_number_row_zero",
                                                      .type = kDescendant,
                                                      .forced = 1,
                                                      .throws = 3,
                                                      .dice = {4, 4, 2, 4, 6},
                                                      .filled = {},
                                                      .row = 1,
                                                      .text = "0"},
                                           ChoiceCase{.name = "asc_number_row_six",
                                                      .type = kAscendant,
                                                      .forced = 6,
                                                      .throws = 3,
                                                      .dice = {6, 2, 3, 6, 6},
                                                      .filled = {},
                                                      .row = 6,
                                                      .text = "18"},
                                           ChoiceCase{.name = "asc_number_row_ignores_figure",
                                                      .type = kAscendant,
                                                      .forced = 5,
                                                      .throws = 1,
                                                      .dice = {5, 5, 5, 5, 5},
                                                      .filled = {},
                                                      .row = 0,
                                                      .text = ""}),
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

INSTANTIATE_TEST_SUITE_P(Rows, ComputerChoiceFilledForcedRow,
                         ::testing::Values(FilledForcedCase{.name = "asc_quimba_first_throw",
                                                            .type = kAscendant,
                                                            .forced = 15,
                                                            .throws = 1,
                                                            .dice = {6, 6, 6, 6, 6},
                                                            .message = ""},
                                           FilledForcedCase{.name = "asc_full_first_throw",
                                                            .type = kAscendant,
                                                            .forced = 13,
                                                            .throws = 1,
                                                            .dice = {3, 3, 3, 5, 5},
                                                            .message = ""},
                                           FilledForcedCase{.name = "desc_brelan_second_throw",
                                                            .type = kDescendant,
                                                            .forced = 11,
                                                            .throws = 2,
                                                            .dice = {2, 2, 2, 1, 5},
                                                            .message = ""},
                                           FilledForcedCase{.name = "desc_plus_third_throw",
                                                            .type = kDescendant,
                                                            .forced = 9,
                                                            .throws = 3,
                                                            .dice = {6, 6, 5, 5, 4},
                                                            .message = "Je ne sais que faire"},
                                           FilledForcedCase{.name = "desc_number_row_third_throw",
                                                            .type = kDescendant,
                                                            .forced = 3,
                                                            .throws = 3,
                                                            .dice = {3, 3, 1, 2, 4},
                                                            .message = "Je ne sais que faire"},
                                           FilledForcedCase{.name = "asc_strike_out_third_throw",
                                                            .type = kAscendant,
                                                            .forced = 12,
                                                            .throws = 3,
                                                            .dice = {1, 1, 2, 2, 4},
                                                            .message = "Je ne sais que faire"}),
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
