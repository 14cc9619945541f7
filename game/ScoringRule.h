#pragma once
// The one scoring rule of the game: what a chosen row earns for a throw. A
// person's pick, the classic computer, the exact best play and the review
// all score through it.

#include <array>
#include <cstdint>

#include "GameState.h"

namespace quimba {

// What a chosen row earns for a throw of the given figure and sums; -1 for the
// name row and the computed rows, which are never scored.
int RowPointsFor(int row, int figure, const std::array<std::int32_t, kFaces + 1>& sommeface, int sommedes);

// The same for five dice given as counts per face (counts[f] for f = 1..6).
int RowPoints(int row, const std::array<std::uint8_t, kFaces + 1>& counts);

}  // namespace quimba
