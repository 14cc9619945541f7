#pragma once
// How the game speaks of its rows, cells and dice: every phrase a player
// reads or hears that the game puts together, from the language file's lines
// and the language's own punctuation and decimal mark.

#include <initializer_list>
#include <string>
#include <vector>

#include "Language.h"

namespace quimba {

// The language line heading a row of the sheet: lines 19 to 35, row by row,
// the name row's heading being the word for a player.
constexpr int RowHeadingLine(int row) { return kLinePlayer + row; }

class Words {
public:
    // Reads the lines where they are; they must outlive the words.
    explicit Words(const std::vector<std::string>& lines) : lines_(lines) {}

    const std::string& Line(int n) const;

    // A row as the sheet heads it ("Brelan", "5"), and as a sentence names
    // it: the number rows read "ligne 5", a bare number would not say it is
    // a row.
    const std::string& RowHeading(int row) const;
    std::string RowInSentence(int row) const;
    // A name and its value, punctuated as the language does ("Dé 3 : 5",
    // "Die 3: 5").
    std::string Labelled(const std::string& name, const std::string& value) const;
    // One decimal, with the language's decimal mark.
    std::string Decimal(double value) const;

    // A die for a screen reader: its number, its face once thrown (1 to 6,
    // anything else is none) and whether it is kept.
    std::string DieName(int die, int face, bool kept) const;
    // The faces of a throw, as the dice table tells a screen reader: "Table
    // de dés : 2 3 5 5 6", in the order of the dice.
    std::string ThrowFaces(const std::vector<int>& faces) const;
    // A column's player: the name in its name cell, or the word for a player
    // and the column's number.
    std::string PlayerName(int column, const std::string& nameCell) const;
    // A cell for a screen reader: its player, its row, and its value when
    // written; the name row is the player alone.
    std::string CellName(int column, int row, const std::string& nameCell, const std::string& value) const;

private:
    const std::vector<std::string>& lines_;
};

// `pattern` with %1, %2, ... replaced by `values` in order; a number with no
// value stays as written.
std::string FillPattern(const std::string& pattern, std::initializer_list<std::string> values);

// `digits` decimals (one unless told) with the given mark; never "-0".
std::string DecimalWith(double value, const std::string& mark, int digits = 1);

}  // namespace quimba
