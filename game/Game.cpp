#include "Game.h"

#include <limits>

#include "Language.h"

namespace quimba {

namespace {
const std::string kNoLine;

// The number a stored best score spells. One too large for 32 bits counts
// as the largest that fits, so that no game can wrongly beat it.
int HighscoreValue(const std::string& text) {
    int value = 0;
    if (ParseInt32(text, value)) return value;
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return 0;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return 0;
    return text[0] == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
}
}

Game::Game(RandomSource& random_, Clock& clock_, GameView& view_)
    : random(random_), clock(clock_), view(view_) {}

const std::string& Game::Line(int n) const {
    if (n >= 0 && n < static_cast<int>(T.size())) return T[n];
    // Files written before the advice and the computer's level still play.
    if (n >= kFirstAddedLine) return BuiltInLine(n);
    return kNoLine;
}


void Game::FormShow(SettingsStore& store) {
    const std::string highscore = store.Read("HIGHSCORE").value_or("0");
    S.meilleurnom = store.Read("NOM").value_or("");
    for (int i = 1; i <= 5; ++i)
        Form2.Edit[i] = store.Read("NOM" + std::to_string(i)).value_or("PLA" + std::to_string(i));
    Form2.Niveau = NiveauFromText(store.Read("NIVEAU").value_or("1"));
    if (!highscore.empty()) {
        // A stored text that is not a number counts as no best score; the
        // line still shows it as it was read.
        S.meilleurscore = HighscoreValue(highscore);
    }
    highscoreText_ = highscore;
    highscoreValue_ = S.meilleurscore;
    S.joueur = 0;
    S.nbjoueurs = 2;
    controls.Label28 = S.meilleurnom + " " + highscore;
    shown_ = true;
}

void Game::FormClose(SettingsStore& store) {
    if (!shown_) return;
    // What was stored stays stored, down to its spelling, until beaten.
    const bool beaten = S.meilleurscore != highscoreValue_;
    store.Write("HIGHSCORE", beaten ? std::to_string(S.meilleurscore) : highscoreText_);
    store.Write("NOM", S.meilleurnom);
    for (int i = 1; i <= 5; ++i) store.Write("NOM" + std::to_string(i), Form2.Edit[i]);
    store.Write("NIVEAU", Form2.Niveau == kExpert ? "2" : "1");
}

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
    constexpr int P = 25 + 2;  // column pitch
    constexpr int H = 20 + 2;  // row pitch
    Cursor cursor = Cursor::Arrow;
    if (x > S.joueur * P && x < (S.joueur + 1) * P && !Grid.IsComputer(S.joueur) && S.nblancers >= 1) {
        if (S.typejeu == kNormal)
            cursor = Cursor::Hand;
        else if (y > S.ligneimposee * H && y < (S.ligneimposee + 1) * H)
            cursor = Cursor::Hand;
    }
    controls.GridCursor = cursor;
}

unsigned GridCellColour(int column, int joueur) {
    if (column == joueur) return 0xC8C800;
    const unsigned v = 47 + 32 * column;
    return (v << 16) | (v << 8) | v;
}

int GridTextX(int cellLeft, int textWidth) { return cellLeft + (25 - textWidth) / 2; }

}  // namespace quimba
