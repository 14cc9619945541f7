// The simulator's command line: parsing, checking and its usage text.
#include "SimOptions.h"

#include <charconv>
#include <climits>
#include <optional>

namespace quimba::sim {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& out) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

}  // namespace

const char* TypeName(int type) {
    switch (type) {
        case 2: return "ascendant";
        case 3: return "descendant";
        default: return "normal";
    }
}

const char* StrategyName(Level strategy) { return strategy == Level::Expert ? "optimal" : "ladder"; }

namespace {

bool ParseStrategy(const std::string& text, Level& out) {
    if (text == "ladder")
        out = Level::Classic;
    else if (text == "optimal")
        out = Level::Expert;
    else
        return false;
    return true;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error) {
    SimOptions o;
    bool playersGiven = false;
    std::optional<Level> everySeat;  // --strategy
    std::vector<Level> perSeat;      // --strategies
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--solve") {
            o.solve = true;
            continue;
        }
        if (name == "--record") {
            o.record = true;
            continue;
        }
        if (name == "--chances") {
            o.chances = true;
            continue;
        }
        if (name != "--games" && name != "--players" && name != "--type" && name != "--seed" && name != "--trace" &&
            name != "--strategy" && name != "--strategies" && name != "--review") {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "option " + name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (name == "--games") {
            if (!ParseNumber(value, o.games) || o.games < 1) {
                error = "--games wants a whole number of at least 1, not '" + value + "'";
                return false;
            }
        } else if (name == "--players") {
            if (!ParseNumber(value, o.players) || o.players < kMinPlayers || o.players > kMaxPlayers) {
                error = "--players wants 2 to 5, not '" + value + "'";
                return false;
            }
            playersGiven = true;
        } else if (name == "--strategy") {
            if (!ParseStrategy(value, everySeat.emplace())) {
                error = "--strategy wants ladder or optimal, not '" + value + "'";
                return false;
            }
        } else if (name == "--strategies") {
            perSeat.clear();
            std::size_t start = 0;
            while (true) {
                const std::size_t comma = value.find(',', start);
                const std::string word = value.substr(start, comma == std::string::npos ? comma : comma - start);
                Level strategy = Level::Classic;
                if (!ParseStrategy(word, strategy)) {
                    error = "--strategies wants ladder or optimal for each seat, not '" + word + "'";
                    return false;
                }
                perSeat.push_back(strategy);
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            if (perSeat.size() < std::size_t{kMinPlayers} || perSeat.size() > std::size_t{kMaxPlayers}) {
                error = "--strategies wants 2 to 5 seats, not " + std::to_string(perSeat.size());
                return false;
            }
        } else if (name == "--type") {
            if (value == "normal")
                o.type = kNormal;
            else if (value == "ascendant")
                o.type = kAscendant;
            else if (value == "descendant")
                o.type = kDescendant;
            else {
                error = "--type wants normal, ascendant or descendant, not '" + value + "'";
                return false;
            }
        } else if (name == "--seed") {
            if (!ParseNumber(value, o.seed)) {
                error = "--seed wants a whole number, not '" + value + "'";
                return false;
            }
        } else if (name == "--review") {
            if (value.empty()) {
                error = "--review wants a file name";
                return false;
            }
            o.review = value;
        } else {
            if (value.empty()) {
                error = "--trace wants a file name";
                return false;
            }
            o.trace = value;
        }
    }
    if (o.chances && o.trace.empty()) {
        error = "--chances goes into the trace: give --trace too";
        return false;
    }
    if (everySeat && !perSeat.empty()) {
        error = "--strategy and --strategies cannot be given together";
        return false;
    }
    if (!perSeat.empty()) {
        // The list names the seats; a player count beside it must agree.
        if (playersGiven && static_cast<int>(perSeat.size()) != o.players) {
            error = "--strategies names " + std::to_string(perSeat.size()) + " seats but --players says " +
                    std::to_string(o.players);
            return false;
        }
        o.players = static_cast<int>(perSeat.size());
        o.strategies = perSeat;
    } else {
        o.strategies.assign(o.players, everySeat.value_or(Level::Classic));
    }
    out = o;
    return true;
}

}  // namespace quimba::sim
