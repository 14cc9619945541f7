#pragma once
// The coach for a person: the best play of the strategy table for the
// position on the table, and its words for the result line and the sheet.
// Reading the advice changes nothing in the game; only asking for it marks
// the game as coached.

#include <string>
#include <vector>

#include "Strategy.h"

namespace quimba {

class Game;

struct Advice {
    enum Status {
        NotNow,    // not a person's turn with settled dice after a throw
        NotReady,  // the strategy table is still being prepared
        Given,
    } status = NotNow;
    std::vector<Choice> choices;  // every legal choice, best first
    std::string text;             // the best choice in words
    const Choice& Best() const { return choices.front(); }
};

// The advice for the current position, without touching the game. It may
// start the preparation of the table (the game's strategy source).
Advice AdviceFor(const Game& game);

// The person's request: the advice goes into the result line, and the first
// one of a game also says that the game leaves the best scores.
Advice DemandeConseil(Game& game);

// The words of one choice: "Conseil : garder 3 3 3, relancer (espérance
// 212,4)", "Conseil : tout relancer (...)", "Conseil : écrire en Full 30",
// "Conseil : écrire en ligne 5 : 15".
std::string ConseilTexte(const Game& game, const Choice& choice);

// The sheet's tooltip over a cell: what writing `row` of the current
// person's column gives now, once the dice rest after a throw, and, in a
// Normal game in which advice was asked, what it costs against the best
// play. Empty for a cell that may not be written now.
std::string ConseilLigne(const Game& game, int column, int row);

// One decimal, with a decimal comma.
std::string UneDecimale(double value);

}  // namespace quimba
