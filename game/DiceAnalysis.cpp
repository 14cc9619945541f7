// What five dice show after a throw: the count of each face, the sums, the figure and its text.
#include "DiceAnalysis.h"

#include "Language.h"

namespace quimba {

DiceAnalysis AnalyseDice(const std::array<std::uint8_t, kDice + 1>& dice, const std::vector<std::string>& lines) {
    DiceAnalysis a;
    auto line = [&](int n) -> const std::string& { return LanguageLine(lines, n); };
    for (int i = 1; i <= kDice; ++i) {
        if (dice[i] >= 1 && dice[i] <= kFaces) ++a.nbface[dice[i]];
        a.sommedes += dice[i];
    }
    for (int f = 1; f <= kFaces; ++f) a.sommeface[f] = f * a.nbface[f];

    for (int f = 1; f <= kFaces; ++f) {
        const std::string face = std::to_string(f);
        if (a.nbface[f] == 3) {
            a.text = line(kLineThreeOfAKind) + " " + face;
            a.figure = kBrelan;
        } else if (a.nbface[f] == 4) {
            a.text = line(kLineFourOfAKind) + " " + face;
            a.figure = kCarre;
        } else if (a.nbface[f] == 5) {
            a.text = line(kLineFiveOfAKind) + " " + face;
            a.figure = kQuimba;
        }
    }
    // A full house replaces the text and code of its own three of a kind.
    for (int f = 1; f <= kFaces; ++f) {
        if (a.nbface[f] != 3) continue;
        for (int g = 1; g <= kFaces; ++g) {
            if (a.nbface[g] != 2) continue;
            a.text = line(kLineFullHouse) + " " + std::to_string(f) + " " + line(kLineFullHouseAnd) + " " +
                     std::to_string(g);
            a.figure = kFull;
        }
    }
    auto present = [&](int from, int to) {
        for (int f = from; f <= to; ++f)
            if (a.nbface[f] == 0) return false;
        return true;
    };
    if (present(1, 5)) {
        a.text = line(kLineSmallStraight);
        a.figure = kSuite;
    }
    if (present(2, 6)) {
        a.text = line(kLineLargeStraight);
        a.figure = kSuite;
    }
    return a;
}

}  // namespace quimba
