// The one scoring rule: what a chosen row earns for five dice.
#include "ScoringRule.h"

#include "DiceAnalysis.h"
#include "ScoreSheet.h"

namespace quimba {

int RowPointsFor(int row, int fig, const std::array<std::int32_t, kFaces + 1>& sommeface, int sommedes) {
    switch (row) {
        case ligne1:
        case ligne2:
        case ligne3:
        case ligne4:
        case ligne5:
        case ligne6: return sommeface[row];
        case ligneplus:
        case lignemoins: return sommedes;
        // A three of a kind scores all five dice, and any larger group holds one.
        case lignebrelan: return (fig == kBrelan || fig == kFull || fig == kCarre || fig == kQuimba) ? sommedes : 0;
        case lignesuite: return fig == kSuite ? 20 : 0;
        // Five equal dice are not a full house.
        case lignefull: return fig == kFull ? 30 : 0;
        case lignecarre: return (fig == kCarre || fig == kQuimba) ? 40 : 0;
        case lignequimba: return fig == kQuimba ? 50 : 0;
        default: return -1;
    }
}

int RowPoints(int row, const std::array<std::uint8_t, kFaces + 1>& counts) {
    // Lay the counted faces out as dice and score them the way a throw is scored.
    std::array<std::uint8_t, kDice + 1> dice{};
    int die = 1;
    for (int f = 1; f <= kFaces; ++f)
        for (int n = 0; n < counts[f] && die <= kDice; ++n) dice[die++] = static_cast<std::uint8_t>(f);
    const DiceAnalysis a = AnalyseDice(dice, {});
    return RowPointsFor(row, a.figure, a.sommeface, a.sommedes);
}

}  // namespace quimba
