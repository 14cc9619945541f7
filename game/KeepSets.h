#pragma once
// The kept sets of dice both best-play solvers walk: every multiset of 0..5
// dice, each one's neighbours by one die, and the chance of each outcome.

#include <array>
#include <cstdint>
#include <vector>

#include "DiceAnalysis.h"
#include "ScoreSheet.h"
#include "Strategy.h"

namespace quimba::keep {

inline constexpr int kChosen = static_cast<int>(kChosenRows.size());
inline constexpr int kOutcomes = 252;  // sorted results of five dice
inline constexpr int kKeeps = 462;     // multisets of 0..5 dice
inline constexpr int kUpperRows = 6;
inline constexpr int kLowerRows = kChosen - kUpperRows;

using Counts = std::array<std::uint8_t, kFaces + 1>;

// What a row adds to the final total: "Moins" is taken off it.
int Gain(int row, const Counts& counts);
int Code(const Counts& c);

// Every kept multiset, the five-dice ones (the outcomes) first and then by
// fewer dice, so a set's one-die-larger sets come before it and its
// one-die-smaller ones after it.
struct KeepSets {
    std::array<Counts, kKeeps> counts{};
    std::array<std::array<std::int16_t, kFaces + 1>, kKeeps> more{};  // one more die of face f
    std::array<std::array<std::int16_t, kFaces + 1>, kKeeps> less{};  // one die of face f fewer, -1 if none
    std::array<std::array<std::int16_t, kLowerRows>, kOutcomes> lowerPoints{};
    std::array<double, kOutcomes> chance{};  // of each outcome when all five dice are thrown
    std::vector<std::int16_t> byCode;

    KeepSets();
    int Index(const Counts& c) const { return byCode[Code(c)]; }
};

// Built once, on first use.
const KeepSets& Sets();

}  // namespace quimba::keep
