// The game's real random source and clock, for the window and the simulator.
#include "SystemPorts.h"

#include <chrono>
#include <ctime>

namespace quimba {

void ClockRandom::Randomize() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

int ClockRandom::Random(int n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

int SeededRandom::Random(int n) {
    if (n <= 1) return 0;
    return static_cast<int>(engine_() % static_cast<unsigned long long>(n));
}

std::string SystemClock::DayStamp() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M", &local);
    return text;
}

}  // namespace quimba
