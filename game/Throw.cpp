// The throw: new values for the dice that are not kept, their start places on
// the table, and their analysis.
#include <array>
#include <string>

#include "DiceAnalysis.h"
#include "Game.h"
#include "Language.h"

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
}  // namespace

void Game::Button1Click() {
    // No turn holds more throws, whoever asks: a computer's turn stops at
    // its third as a person's does.
    if (S.nblancers >= kMaxThrows) return;
    DropAdvice();
    controls.resultext.clear();
    controls.resultextVisible = false;
    // After a finished game joueur is one past the last column; with five
    // players that is outside the figure table, so no code is stored then.
    const bool column = S.joueur >= 0 && S.joueur < kMaxPlayers;
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
    controls.Label23 = Line(kLinePlayer) + " " + std::to_string(S.joueur + 1) + "/ " + Line(kLineThrowNumber) +
                       std::to_string(S.nblancers);
    for (int f = 1; f <= kFaces; ++f) {
        S.nbface[f] = 0;
        S.sommeface[f] = 0;
    }
    view.RepaintMain();

    const DiceAnalysis analysis = AnalyseDice(S.valeurde, T);
    S.nbface = analysis.nbface;
    S.sommeface = analysis.sommeface;
    S.sommedes = analysis.sommedes;
    controls.resultext = analysis.text;
    if (column) S.figure[S.joueur] = analysis.figure;

    if (S.nblancers == kMaxThrows) controls.glassbtn5Enabled = false;
    GameEvent event(GameEvent::Kind::Thrown);
    event.column = S.joueur;
    event.throwNumber = S.nblancers;
    for (int i = 1; i <= kDice; ++i) {
        // The throw leaves alancer as it found it: it still tells which dice stayed.
        event.kept[i] = S.alancer[i] == 0;
        event.faces[i] = S.valeurde[i];
    }
    Emit(event);
}

}  // namespace quimba
