#pragma once
// The trace of a simulation: one JSON object per line for every game start,
// throw, written row, tally and game end.

#include <ostream>
#include <string>
#include <string_view>

#include "Game.h"

namespace quimba::sim {

// A JSON string literal, quotes included.
std::string JsonString(std::string_view text);

class TraceWriter : public GameObserver {
public:
    explicit TraceWriter(std::ostream& out) : out_(out) {}

    void BeginGame(long number, int type, int players);
    void OnThrow(const Game& g) override;
    void OnWrite(const Game& g, int column, int row) override;
    void OnTally(const Game& g, int column) override;
    void OnEnd(const Game& g, const std::string& winner, int score) override;

private:
    std::ostream& out_;
};

}  // namespace quimba::sim
