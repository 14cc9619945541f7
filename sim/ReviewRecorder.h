#pragma once
// Gathers a simulated game as the review reads it (the turns, their throws
// and the rows written), and with --chances tells every seat's chance to win
// in the trace at each turn start. Every event also goes on to the trace.

#include <ostream>

#include "Game.h"
#include "Review.h"
#include "WinChances.h"

namespace quimba::sim {

class ReviewRecorder : public GameObserver {
public:
    // `next` (the trace) may be null; so may `chances`, or `chancesOut`
    // when the chances are not wanted in the trace.
    ReviewRecorder(GameObserver* next, const WinChances* chances, std::ostream* chancesOut)
        : next_(next),
          chances_(chances),
          chancesOut_(chancesOut) {}

    void BeginGame(int type, int players);
    const ReviewGame& Recorded() const { return game_; }

    void OnThrow(const Game& g) override;
    void OnWrite(const Game& g, int column, int row) override;
    void OnTally(const Game& g, int column) override;
    void OnEnd(const Game& g, const std::string& winner, int score) override;

private:
    GameObserver* next_;
    const WinChances* chances_;
    std::ostream* chancesOut_;
    ReviewGame game_;
    ReviewTurn turn_;
};

// One line of `--review`: a seat's figures for one game.
std::string ReviewLine(long game, int seat, int type, const SeatReview& review, int final);

}  // namespace quimba::sim
