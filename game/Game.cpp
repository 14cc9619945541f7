// The game's face to the windows: its commands, the event stream and the
// setup dialog's edits. The rules themselves live in the files named in
// Game.h's handlers (Throw.cpp, Animation.cpp, PersonPick.cpp, Tally.cpp, ...).
#include "Game.h"

#include <algorithm>
#include <numeric>

#include "Advice.h"
#include "Language.h"

namespace quimba {

void GameObserver::OnEvent(const Game& game, const GameEvent& event) {
    switch (event.kind) {
        case GameEvent::Kind::Thrown: OnThrow(game); break;
        case GameEvent::Kind::RowWritten: OnWrite(game, event.column, event.row); break;
        case GameEvent::Kind::Tallied: OnTally(game, event.column); break;
        case GameEvent::Kind::GameEnded: OnEnd(game, event.winner, event.points); break;
        default: break;
    }
}

Game::Game(RandomSource& random_, Clock& clock_, GameView& view_) : random(random_), clock(clock_), view(view_) {}

const std::string& Game::Line(int n) const { return LanguageLine(T, n); }

void Game::Subscribe(GameObserver& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) observers_.push_back(&observer);
}

void Game::Unsubscribe(GameObserver& observer) { std::erase(observers_, &observer); }

void Game::Emit(const GameEvent& event) const {
    // A subscriber may leave while it is told.
    const std::vector<GameObserver*> observers = observers_;
    for (GameObserver* observer : observers) observer->OnEvent(*this, event);
}

void Game::WriteCell(int row, std::string text) {
    Grid.SetCell(S.joueur, row, std::move(text));
    GameEvent event(GameEvent::Kind::RowWritten);
    event.column = S.joueur;
    event.row = row;
    event.points = Grid.Value(S.joueur, row);
    Emit(event);
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

void Game::NewGame() {
    Form2.button1Click(S, Grid, controls);
    // A computer's turn is never thrown by a person: the roll button waits
    // for the first person's turn.
    controls.glassbtn5Enabled = !Grid.IsComputer(S.joueur);
    cursor_ = {};
    DropAdvice();
    GameEvent set(GameEvent::Kind::NewGame);
    set.players = S.nbjoueurs;
    set.typejeu = S.typejeu;
    Emit(set);
    GameEvent turn(GameEvent::Kind::TurnStarted);
    turn.column = S.joueur;
    turn.round = S.tour;
    Emit(turn);
}

bool Game::Tumbling() const {
    // A kept die keeps its rolling mark until the next throw; only the
    // animation tells whether anything still moves.
    if (!controls.FrameTimerEnabled) return false;
    for (int i = 1; i <= kDice; ++i)
        if (S.alancer[i] == 1 && S.roule[i] == 1) return true;
    return false;
}

bool Game::Throw() {
    const bool playing = S.tour < kRounds && S.joueur >= 0 && S.joueur < S.nbjoueurs;
    // One click, one throw: a second click while the dice roll would spend
    // a throw the player has not seen.
    if (!controls.glassbtn5Enabled || !playing || Grid.IsComputer(S.joueur) || S.nblancers >= kMaxThrows || Tumbling())
        return false;
    Button1Click();
    return true;
}

bool Game::ToggleDie(int die) {
    if (die < 1 || die > kDice || !DicePickable()) return false;
    ToggleKeep(die);
    DrawStillTable();
    return true;
}

void Game::AskAdvice() {
    const Advice advice = DemandeConseil(*this);
    adviceWaiting_ = advice.status == Advice::NotReady;
    if (adviceWaiting_) {
        Emit(GameEvent(GameEvent::Kind::AdviceWaiting));
        return;
    }
    if (advice.status != Advice::Given) return;
    adviceShown_ = true;
    GameEvent event(GameEvent::Kind::AdviceReady);
    event.column = S.joueur;
    const Choice& best = advice.Best();
    if (best.kind == Choice::Keep) {
        for (int i = 1; i <= kDice; ++i) event.kept[i] = best.keep[i] != 0;
    } else {
        event.row = best.row;
        event.points = best.points;
    }
    Emit(event);
}

void Game::StrategyReady(int typejeu) {
    // Every move of the position drops a waiting request, so one still
    // waiting was asked for the position on the table now.
    if (adviceWaiting_ && typejeu == S.typejeu) AskAdvice();
}

void Game::DropAdvice() {
    if (!adviceShown_ && !adviceWaiting_) return;
    adviceShown_ = false;
    adviceWaiting_ = false;
    Emit(GameEvent(GameEvent::Kind::AdviceStale));
}

void Game::TellCursor() {
    GameEvent event(GameEvent::Kind::CursorMoved);
    event.column = S.joueur;
    event.row = SheetCursorRow();
    Emit(event);
}

void Game::SetupOpened() {
    Form2.closeRequested = false;
    Form2.FormShow(S.nbjoueurs);
    Form2.FormActivate(Form2.nbjoueurs);
}

void Game::SetupName(int player, std::string name) {
    if (player >= 1 && player <= kMaxPlayers) Form2.Edit[player] = std::move(name);
}

namespace {
// The dice from left to right as they lie; a tie keeps the dice's order.
std::array<int, kDice> LeftToRight(const GameState& s) {
    std::array<int, kDice> order{};
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return s.posx[a] < s.posx[b]; });
    return order;
}
}  // namespace

int Game::DieKey(int die) const {
    const std::array<int, kDice> order = LeftToRight(S);
    for (int k = 0; k < kDice; ++k)
        if (order[k] == die) return k + 1;
    return 0;
}

int Game::DieForKey(int key) const { return key >= 1 && key <= kDice ? LeftToRight(S)[key - 1] : 0; }

}  // namespace quimba
