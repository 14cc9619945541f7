#pragma once
// The real random source and clock of the game.

#include <random>

#include "Ports.h"

namespace quimba {

class ClockRandom : public RandomSource {
public:
    void Randomize() override;
    int Random(int n) override;

private:
    std::mt19937 engine_{std::random_device{}()};
};

// A seeded source that ignores reseeding, for reproducible runs.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(unsigned long long seed) : engine_(seed) {}
    void Randomize() override {}
    int Random(int n) override;

private:
    std::mt19937_64 engine_;
};

class SystemClock : public Clock {
public:
    std::string DayStamp() override;
};

}  // namespace quimba
