#pragma once
// What five dice show: how many of each face, the sums, the figure and the
// figure's text. Every scoring rule reads it after a throw.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "GameState.h"

namespace quimba {

struct DiceAnalysis {
    std::array<std::uint8_t, kFaces + 1> nbface{};     // dice showing each face
    std::array<std::int32_t, kFaces + 1> sommeface{};  // face x number of dice showing it
    std::int32_t sommedes = 0;                         // sum of the five dice
    std::uint8_t figure = kNoFigure;                   // figure code
    std::string text;                                  // the figure in words; "" for none
};

// `dice` is indexed 1..5 like GameState::valeurde; a value outside 1..6
// counts for no face but still adds to the sum. The figure's text is built
// from the language lines; a line the file lacks reads as empty.
DiceAnalysis AnalyseDice(const std::array<std::uint8_t, kDice + 1>& dice, const std::vector<std::string>& lines);

}  // namespace quimba
