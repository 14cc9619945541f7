// The throw: new values for the dice that are not kept, their start places on
// the table, and the analysis that every scoring rule reads afterwards.
#include <array>
#include <string>

#include "Game.h"

namespace quimba {

namespace {
// Start row of each die; they enter the table at the right, staggered so the
// five do not start on one line.
constexpr std::array<int, kDice + 1> kStartY{0, 30, 50, 30, 50, 40};
constexpr int kStartX = 340;
constexpr int kStartSpread = 40;
// The throw sound plays between 32001 and 44000 Hz so no two throws sound alike.
constexpr int kTopFrequency = 44000;
constexpr int kFrequencySpread = 12000;
constexpr int kMaxThrows = 3;
}  // namespace

void Game::Button1Click() {
    controls.resultext.clear();
    controls.resultextVisible = false;
    // After a finished game joueur is one past the last column; with five
    // players that is outside the figure table, so the code is kept locally.
    const bool column = S.joueur >= 0 && S.joueur < kMaxPlayers;
    std::uint8_t figure = kNoFigure;
    if (column) S.figure[S.joueur] = kNoFigure;

    random.Randomize();
    for (int i = 1; i <= kDice; ++i) S.roule[i] = 1;
    bool thrown = false;
    for (int i = 1; i <= kDice; ++i) {
        if (S.alancer[i] != 1) continue;
        thrown = true;
        S.posx[i] = kStartX + random.Random(kStartSpread);
        S.valeurde[i] = static_cast<std::uint8_t>(1 + random.Random(kFaces));
    }
    for (int i = 1; i <= kDice; ++i)
        if (S.alancer[i] == 1) S.posy[i] = kStartY[i];
    controls.FrameTimerEnabled = true;
    if (thrown) {
        view.SetSoundFrequency(kThrowSound, kTopFrequency - random.Random(kFrequencySpread));
        view.PlaySound(kThrowSound);
    }
    ++S.nblancers;
    controls.Label23 = Line(19) + " " + std::to_string(S.joueur + 1) + "/ " + Line(78) +
                       std::to_string(S.nblancers);
    for (int f = 1; f <= kFaces; ++f) {
        S.nbface[f] = 0;
        S.sommeface[f] = 0;
    }
    view.RepaintMain();

    for (int i = 1; i <= kDice; ++i)
        if (S.valeurde[i] >= 1 && S.valeurde[i] <= kFaces) ++S.nbface[S.valeurde[i]];

    for (int f = 1; f <= kFaces; ++f) {
        const std::string face = std::to_string(f);
        if (S.nbface[f] == 3) {
            controls.resultext = Line(79) + " " + face;
            figure = kBrelan;
        } else if (S.nbface[f] == 4) {
            controls.resultext = Line(80) + " " + face;
            figure = kCarre;
        } else if (S.nbface[f] == 5) {
            controls.resultext = Line(81) + " " + face;
            figure = kQuimba;
        }
    }
    // A full house replaces the text and code of its own three of a kind.
    for (int f = 1; f <= kFaces; ++f) {
        if (S.nbface[f] != 3) continue;
        for (int g = 1; g <= kFaces; ++g) {
            if (S.nbface[g] != 2) continue;
            controls.resultext =
                Line(82) + " " + std::to_string(f) + " " + Line(83) + " " + std::to_string(g);
            figure = kFull;
        }
    }
    auto present = [this](int from, int to) {
        int n = 0;
        for (int f = from; f <= to; ++f)
            if (S.nbface[f] > 0) ++n;
        return n == to - from + 1;
    };
    if (present(1, 5)) {
        controls.resultext = Line(84);
        figure = kSuite;
    }
    if (present(2, 6)) {
        controls.resultext = Line(85);
        figure = kSuite;
    }

    S.sommedes = 0;
    for (int i = 1; i <= kDice; ++i) S.sommedes += S.valeurde[i];
    for (int f = 1; f <= kFaces; ++f) S.sommeface[f] = f * S.nbface[f];
    if (column) S.figure[S.joueur] = figure;

    if (S.nblancers == kMaxThrows) controls.glassbtn5Enabled = false;
    if (observer) observer->OnThrow(*this);
}

}  // namespace quimba
