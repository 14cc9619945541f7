#include "Game.h"

#include "Language.h"

namespace quimba {

Game::Game(RandomSource& random_, Clock& clock_, GameView& view_) : random(random_), clock(clock_), view(view_) {}

const std::string& Game::Line(int n) const { return LanguageLine(T, n); }

void Game::WriteCell(int row, std::string text) {
    Grid.SetCell(S.joueur, row, std::move(text));
    if (observer) observer->OnWrite(*this, S.joueur, row);
}

int Game::NombreNum(int face) const {
    int n = 0;
    for (int i = 1; i <= kDice; ++i)
        if (S.valeurde[i] == face) ++n;
    return n;
}

void Game::GridMouseMove(int x, int y) {
    Cursor cursor = Cursor::Arrow;
    const bool inColumn = x > S.joueur * kColumnPitch && x < (S.joueur + 1) * kColumnPitch;
    if (inColumn && !Grid.IsComputer(S.joueur) && S.nblancers >= 1) {
        if (S.typejeu == kNormal)
            cursor = Cursor::Hand;
        else if (y > S.ligneimposee * kRowPitch && y < (S.ligneimposee + 1) * kRowPitch)
            cursor = Cursor::Hand;
    }
    controls.GridCursor = cursor;
}

}  // namespace quimba
