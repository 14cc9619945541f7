#pragma once
// The score sheet: one column per player, one row per category, every score
// held as decimal text. An empty cell is a free row, "0" a row struck out.

#include <array>
#include <string>

#include "GameState.h"

namespace quimba {

enum Row : int {
    lignenoms = 0,
    ligne1 = 1,
    ligne2 = 2,
    ligne3 = 3,
    ligne4 = 4,
    ligne5 = 5,
    ligne6 = 6,
    lignebonus = 7,
    lignesoustotal = 8,
    ligneplus = 9,
    lignemoins = 10,
    lignebrelan = 11,
    lignesuite = 12,
    lignefull = 13,
    lignecarre = 14,
    lignequimba = 15,
    lignetotal = 16,
};

inline constexpr int kColumns = 5;
inline constexpr int kRows = 17;

// Size of a cell on screen and of the lines between cells, in pixels.
inline constexpr int kCellWidth = 25;
inline constexpr int kCellHeight = 20;
inline constexpr int kGridLine = 2;
inline constexpr int kColumnPitch = kCellWidth + kGridLine;
inline constexpr int kRowPitch = kCellHeight + kGridLine;

// The thirteen rows a player chooses, in increasing order.
inline constexpr std::array<int, 13> kChosenRows{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};
// A row a player writes in (the others are the name, bonus and totals).
constexpr bool IsChosenRow(int row) {
    for (int r : kChosenRows)
        if (r == row) return true;
    return false;
}

// The rows Ascendant and Descendant force, one a round: Ascendant from
// "Quimba" up the sheet to the ones, Descendant from the ones down.
inline constexpr std::array<int, 13> kAscendantOrder{15, 14, 13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1};
inline constexpr std::array<int, 13> kDescendantOrder{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};
// The row forced in round `round` (0..12); 0 in Normal or outside the rounds.
constexpr int ForcedRow(int typejeu, int round) {
    if (round < 0 || round >= kRounds) return 0;
    if (typejeu == kAscendant) return kAscendantOrder[static_cast<std::size_t>(round)];
    if (typejeu == kDescendant) return kDescendantOrder[static_cast<std::size_t>(round)];
    return 0;
}
// The row forced after `row`. After the last round it stands just past the
// sheet's end in the game's direction (the names row or the total), where
// nothing can be written.
constexpr int NextForcedRow(int typejeu, int row) {
    const auto& order = typejeu == kAscendant ? kAscendantOrder : kDescendantOrder;
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        if (order[i] == row) return order[i + 1];
    return typejeu == kAscendant ? row - 1 : row + 1;
}

// The upper bonus: 35 points once rows 1 to 6 add up to 63 or more.
inline constexpr int kUpperBonusThreshold = 63;
inline constexpr int kUpperBonus = 35;
// The bonus a number row's points bring when they take the upper sum from
// `upperBefore` across the threshold.
constexpr int UpperBonusGained(int upperBefore, int points) {
    return upperBefore < kUpperBonusThreshold && upperBefore + points >= kUpperBonusThreshold ? kUpperBonus : 0;
}

// The name that marks a computer player, compared case-sensitively.
inline constexpr const char* kComputerName = "CPU";

class ScoreSheet {
public:
    // Out-of-range cells read as empty and ignore writes, so a stray
    // coordinate from the mouse or the keyboard can never corrupt memory.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);
    bool Free(int column, int row) const { return Cell(column, row).empty(); }
    bool IsComputer(int column) const { return Cell(column, lignenoms) == kComputerName; }
    // Integer value of a score cell; empty reads as 0.
    int Value(int column, int row) const;
    void Clear();

private:
    std::array<std::array<std::string, kRows>, kColumns> cells_{};
};

// Decimal integer of a text, the way the sheet and the stored best score are
// read; anything that is not a plain (optionally signed) 32-bit decimal
// integer gives nullopt-like false.
bool ParseInt32(const std::string& text, int& out);

}  // namespace quimba
