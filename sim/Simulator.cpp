// Whole computer games driven as the window's message loop drives them: animation frames first, computer ticks
// otherwise.
#include "Simulator.h"

#include "SimStats.h"

#include <chrono>

namespace quimba::sim {

bool DriveToEnd(Game& g, std::string& error, long maxSteps) {
    for (long step = 0; step < maxSteps; ++step) {
        if (g.S.tour >= kRounds) return true;
        if (g.controls.FrameTimerEnabled) {
            g.FrameTimerTimer();
        } else if (g.controls.TimerordiEnabled) {
            g.TimerordiTimer();
        } else {
            error = "the game stopped in round " + std::to_string(g.S.tour + 1) + ", player " +
                    std::to_string(g.S.joueur + 1) + ", with neither timer running";
            return false;
        }
    }
    error = "the game did not end within " + std::to_string(maxSteps) + " steps";
    return false;
}

Simulator::Simulator(unsigned long long seed, std::vector<std::string> languageLines)
    : random_(seed),
      game_(random_, clock_, view_) {
    game_.T = std::move(languageLines);
}

bool Simulator::PlayGame(int players, int type, GameObserver* observer, GameResult& result, std::string& error) {
    Game& g = game_;
    if (observer) g.Subscribe(*observer);
    g.strategies = &strategies_;
    for (int c = 0; c < kColumns; ++c)
        g.seatLevels[c] = c < static_cast<int>(levels_.size()) ? levels_[c] : Level::Classic;
    g.Form2.nbjoueurs = players;
    for (int i = 1; i <= 5; ++i) g.Form2.Edit[i] = kComputerName;
    g.Form2.RadioButton = type;
    // A run keeps no best-scores list: each game's entry would be kept
    // sorted for the whole run, and memory and time per game would grow.
    g.ListBoxScore.Clear();
    g.NewGame();
    if (feed_)
        feed_->NewGame(
            g, std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                   .count());
    const bool ended = DriveToEnd(g, error);
    if (observer) g.Unsubscribe(*observer);
    if (!ended) return false;
    result.totals.assign(players, 0);
    for (int c = 0; c < players; ++c) result.totals[c] = g.Grid.Value(c, lignetotal);
    result.winner = WinningSeat(result.totals);
    return true;
}

}  // namespace quimba::sim
