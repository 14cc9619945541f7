#pragma once
// Command line of the simulator.

#include <string>
#include <vector>

#include "GameState.h"

namespace quimba::sim {

struct SimOptions {
    long games = 1000;
    int players = 2;
    int type = 1;                        // 1 normal, 2 ascendant, 3 descendant
    unsigned long long seed = 20240613;  // fixed, so two plain runs agree
    std::string trace;                   // empty = no trace
    // How each seat plays, one entry per seat: "ladder" is the classic
    // computer, "optimal" the expert.
    std::vector<Level> strategies = std::vector<Level>(2, Level::Classic);
    bool solve = false;    // print the solved values instead of playing
    bool record = false;   // every game into the per-user games file
    std::string review;    // empty = no review lines
    bool chances = false;  // the trace tells every seat's chance to win at each turn start
};

// The word for a game type in options and in the trace.
const char* TypeName(int type);
// The word for a strategy in options and in the report.
const char* StrategyName(Level strategy);

// Reads the arguments after the program name. On failure returns false and
// puts a one-line reason into `error`.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error);

}  // namespace quimba::sim
