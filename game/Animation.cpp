// The roll animation on the dice table and picking dice with the mouse.
#include <array>

#include "Game.h"

namespace quimba {

namespace {
// Per die: pixels left and down per frame, and the column left of which it
// settles. The different speeds spread the dice over the table.
constexpr std::array<int, kDice + 1> kStepLeft{0, 2, 4, 6, 8, 10};
constexpr std::array<int, kDice + 1> kStepDown{0, 2, 4, 2, 4, 3};
constexpr std::array<int, kDice + 1> kSettleX{0, 290, 260, 220, 150, 80};
// Below this row every die settles, whatever its column.
constexpr int kSettleY = 165;

// Kept dice line up at the top left, die 1 on the right, slightly slanting.
constexpr int KeptX(int die) { return 240 - 45 * die; }
constexpr int KeptY(int die) { return 5 * die - 10; }

// The keep mark sits over the lower right of the die picture.
constexpr int kMarkOffset = 20;
}  // namespace

void Game::FrameTimerTimer() {
    std::array<int, kDice + 1> face{};
    for (int i = 1; i <= kDice; ++i)
        face[i] = (S.alancer[i] == 1 && S.roule[i] == 1) ? 1 + random.Random(kFaces) : S.valeurde[i];

    for (int i = 1; i <= kDice; ++i) {
        const bool crossed = S.posy[i] > kSettleY || S.posx[i] < kSettleX[i];
        if (crossed && S.alancer[i] == 1 && S.roule[i] == 1) {
            S.roule[i] = 0;
            face[i] = S.valeurde[i];
        }
    }

    // The animation is over when as many dice rest as are thrown. A die kept
    // after it settled leaves the thrown count but stays settled, so the two
    // counts can miss each other; frames then go on (showing still dice)
    // until the next throw or turn change. The counts can also meet while a
    // thrown die still tumbles; stopping then would freeze it mid-table on a
    // random face that is not its value, so the end also waits for it.
    int thrown = 0;
    int settled = 0;
    bool tumbling = false;
    for (int i = 1; i <= kDice; ++i) {
        if (S.alancer[i] == 1) ++thrown;
        if (S.roule[i] == 0) ++settled;
        if (S.alancer[i] == 1 && S.roule[i] == 1) tumbling = true;
    }
    if (thrown == settled && !tumbling) {
        controls.FrameTimerEnabled = false;
        controls.resultextVisible = true;
    }

    view.DrawPicture(kBoard, 0, 0);
    for (int i = 1; i <= kDice; ++i) {
        if (S.alancer[i] == 1 && S.roule[i] == 1) {
            S.posx[i] -= kStepLeft[i];
            S.posy[i] += kStepDown[i];
        }
        if (S.alancer[i] == 1) {
            view.DrawPicture(face[i], S.posx[i], S.posy[i]);
        } else {
            view.DrawPicture(S.valeurde[i], S.posx[i], S.posy[i]);
            view.DrawPicture(kKeepMark, S.posx[i] + kMarkOffset, S.posy[i] + kMarkOffset);
        }
        if (S.garde[i] == 1) {
            S.alancer[i] = 0;
            S.posx[i] = KeptX(i);
            S.posy[i] = KeptY(i);
        }
    }
    view.Present();
}

namespace {
bool InPickBox(const GameState& s, int die, int x, int y) {
    return s.posx[die] + 10 < x && x < s.posx[die] + 60 && s.posy[die] + 10 < y && y < s.posy[die] + 50;
}
}  // namespace

bool Game::DicePickable() const { return S.nblancers != 0 && S.nblancers != kMaxThrows && !Grid.IsComputer(S.joueur); }

void Game::DiceTableMouseDown(int x, int y) {
    if (!DicePickable()) return;
    for (int i = 1; i <= kDice; ++i) {
        if (InPickBox(S, i, x, y)) ToggleKeep(i);
    }
    DrawStillTable();
}

void Game::ToggleKeep(int die) {
    const bool keep = S.garde[die] != 1;
    S.garde[die] = keep ? 1 : 0;
    S.alancer[die] = keep ? 0 : 1;
    GameEvent event(GameEvent::Kind::DieToggled);
    event.column = S.joueur;
    event.die = die;
    event.kept[die] = keep;
    Emit(event);
}

void Game::DiceTableMouseMove(int x, int y) {
    controls.DiceTableCursor = Cursor::Arrow;
    // After the first throw the hand shows for anyone, a computer included
    // (its clicks are refused); after the second only for a person.
    const bool picking = S.nblancers == 1 || (S.nblancers == 2 && !Grid.IsComputer(S.joueur));
    if (!picking) return;
    for (int i = 1; i <= kDice; ++i) {
        if (InPickBox(S, i, x, y)) {
            controls.DiceTableCursor = Cursor::Hand;
            return;
        }
    }
}

void Game::DrawStillTable() const {
    view.DrawPicture(kBoard, 0, 0);
    for (int i = 1; i <= kDice; ++i) {
        view.DrawPicture(S.valeurde[i], S.posx[i], S.posy[i]);
        if (S.garde[i] == 1) view.DrawPicture(kKeepMark, S.posx[i] + kMarkOffset, S.posy[i] + kMarkOffset);
    }
    view.Present();
}

// The dice are left out: after a lost surface the bare board shows until the
// next frame or click.
void Game::DiceTableInitialize() {
    view.DrawPicture(kBoard, 0, 0);
    view.Present();
}

void Game::DiceTableRestoreSurface() { DiceTableInitialize(); }

}  // namespace quimba
