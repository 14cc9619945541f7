#include "SimOptions.h"

#include <charconv>
#include <climits>

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

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error) {
    SimOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name != "--games" && name != "--players" && name != "--type" && name != "--seed" &&
            name != "--trace") {
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
            if (!ParseNumber(value, o.players) || o.players < 2 || o.players > 5) {
                error = "--players wants 2 to 5, not '" + value + "'";
                return false;
            }
        } else if (name == "--type") {
            if (value == "normal") o.type = 1;
            else if (value == "ascendant") o.type = 2;
            else if (value == "descendant") o.type = 3;
            else {
                error = "--type wants normal, ascendant or descendant, not '" + value + "'";
                return false;
            }
        } else if (name == "--seed") {
            if (!ParseNumber(value, o.seed)) {
                error = "--seed wants a whole number, not '" + value + "'";
                return false;
            }
        } else {
            if (value.empty()) {
                error = "--trace wants a file name";
                return false;
            }
            o.trace = value;
        }
    }
    out = o;
    return true;
}

}  // namespace quimba::sim
