#pragma once
// Whole games between computer players, driven the way the message loop
// drives the real window: animation frames first, computer ticks otherwise.

#include <string>
#include <vector>

#include "Game.h"
#include "Record.h"
#include "Strategy.h"
#include "SystemPorts.h"

namespace quimba::sim {

struct GameResult {
    std::vector<int> totals;  // final total of each seat
    int winner = -1;          // the seat announced
};

// Drives a started game to its end. Returns false, with a reason, when it
// neither ends nor moves on within `maxSteps` handler calls.
bool DriveToEnd(Game& game, std::string& error, long maxSteps = 1000000);

class Simulator {
public:
    Simulator(unsigned long long seed, std::vector<std::string> languageLines);

    // Plays one game of `players` computers; `observer` may be null.
    bool PlayGame(int players, int type, GameObserver* observer, GameResult& result, std::string& error);

    // The computer level of each seat (1 the ladder, 2 the exact best play);
    // seats not named play the ladder.
    void SetLevels(std::vector<Level> levels) { levels_ = std::move(levels); }
    // The table of a game type, built here at its first request.
    const StrategyTable* Table(int type) { return strategies_.Table(type); }

    // Told of each new game right after its set-up, for the game record.
    void SetRecordFeed(RecordFeed* feed) { feed_ = feed; }

    Game& game() { return game_; }

private:
    SeededRandom random_;
    SystemClock clock_;
    GameView view_;
    BuiltStrategies strategies_;
    std::vector<Level> levels_;
    RecordFeed* feed_ = nullptr;
    Game game_;
};

}  // namespace quimba::sim
