#pragma once
// Helpers for the computer player's tests: starting a game through the setup
// dialog, laying out dice, scripting throws and recording what gets written.

#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Game.h"
#include "TestSupport.h"

namespace quimba::testing {

using Dice = std::array<int, 5>;

// Starts a game the way the setup dialog's "Commencer" does.
inline void StartGame(Game& game, const std::vector<std::string>& names, int type) {
    game.Form2.nbjoueurs = static_cast<int>(names.size());
    for (int i = 0; i < static_cast<int>(names.size()); ++i) game.Form2.Edit[i + 1] = names[i];
    game.Form2.RadioButton = type;
    game.Form2.button1Click(game);
}

// Puts the dice on the table together with the analysis a throw leaves
// behind, without going through the throw itself.
inline void LayDice(Game& game, const Dice& dice) {
    GameState& s = game.S;
    s.nbface = {};
    s.sommeface = {};
    s.sommedes = 0;
    for (int i = 0; i < 5; ++i) {
        s.valeurde[i + 1] = static_cast<std::uint8_t>(dice[i]);
        ++s.nbface[dice[i]];
        s.sommedes += dice[i];
    }
    int most = 0, pairs = 0;
    for (int f = 1; f <= 6; ++f) {
        s.sommeface[f] = f * s.nbface[f];
        if (s.nbface[f] > most) most = s.nbface[f];
        if (s.nbface[f] == 2) ++pairs;
    }
    auto shows = [&](int from) {
        for (int f = from; f < from + 5; ++f)
            if (s.nbface[f] == 0) return false;
        return true;
    };
    std::uint8_t fig = kNoFigure;
    if (most == 5) fig = kQuimba;
    else if (most == 4) fig = kCarre;
    else if (most == 3) fig = pairs ? kFull : kBrelan;
    else if (shows(1) || shows(2)) fig = kSuite;
    s.figure[s.joueur] = fig;
}

// Scripts the random numbers of one throw: for every die thrown, in die
// order, a start offset of 0 and its face; then the throw sound's frequency.
inline void ScriptThrow(ScriptedRandom& random, const std::vector<int>& thrownFaces) {
    for (int face : thrownFaces) {
        random.script.push_back(0);
        random.script.push_back(face - 1);
    }
    if (!thrownFaces.empty()) random.script.push_back(0);
}

// Fills cells of a column with a score.
inline void Fill(Game& game, int column, std::initializer_list<int> rows, const std::string& text = "1") {
    for (int r : rows) game.Grid.SetCell(column, r, text);
}

// Every chosen row written, in order.
struct WriteRecorder : GameObserver {
    struct Write {
        int column, row;
        std::string text;
        bool operator==(const Write&) const = default;
    };
    std::vector<Write> writes;
    int throws = 0;
    int tallies = 0;
    int ends = 0;
    void OnThrow(const Game&) override { ++throws; }
    void OnWrite(const Game& g, int column, int row) override {
        writes.push_back({column, row, g.Grid.Cell(column, row)});
    }
    void OnTally(const Game&, int) override { ++tallies; }
    void OnEnd(const Game&, const std::string&, int) override { ++ends; }
};

inline std::ostream& operator<<(std::ostream& os, const WriteRecorder::Write& w) {
    return os << "{col " << w.column << ", row " << w.row << ", \"" << w.text << "\"}";
}

}  // namespace quimba::testing
