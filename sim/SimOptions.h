#pragma once
// Command line of the simulator.

#include <string>
#include <vector>

namespace quimba::sim {

struct SimOptions {
    long games = 1000;
    int players = 2;
    int type = 1;                       // 1 normal, 2 ascendant, 3 descendant
    unsigned long long seed = 20240613; // fixed, so two plain runs agree
    std::string trace;                  // empty = no trace
};

// The word for a game type in options and in the trace.
const char* TypeName(int type);

// Reads the arguments after the program name. On failure returns false and
// puts a one-line reason into `error`.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error);

}  // namespace quimba::sim
