#pragma once
// The strategy tables for the tests, built once per test process: the Normal
// one takes a while, far longer under the sanitizers.

#include "Strategy.h"

namespace quimba::testing {

inline BuiltStrategies& SharedStrategies() {
    static BuiltStrategies built;
    return built;
}

inline const StrategyTable& Table(int type) { return *SharedStrategies().Table(type); }

}  // namespace quimba::testing
