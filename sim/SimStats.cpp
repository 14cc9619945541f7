// The simulator's statistics: final scores per seat, means, spreads and wins.
#include "SimStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quimba::sim {

void ScoreSeries::Add(int score) {
    if (count_ == 0) {
        min_ = max_ = score;
    } else {
        min_ = std::min(min_, score);
        max_ = std::max(max_, score);
    }
    ++count_;
    const double delta = score - mean_;
    mean_ += delta / static_cast<double>(count_);
    m2_ += delta * (score - mean_);
}

double ScoreSeries::StdDev() const {
    if (count_ < 2) return 0.0;
    return std::sqrt(m2_ / static_cast<double>(count_));
}

void SimStats::AddGame(const std::vector<int>& totals, int winner) {
    for (int s = 0; s < Seats() && s < static_cast<int>(totals.size()); ++s) {
        seats_[s].Add(totals[s]);
        all_.Add(totals[s]);
    }
    if (winner >= 0 && winner < Seats()) ++wins_[winner];
    ++games_;
}

int WinningSeat(const std::vector<int>& totals) {
    int winner = 0;
    for (int s = 1; s < static_cast<int>(totals.size()); ++s)
        if (totals[s] > totals[winner]) winner = s;
    return totals.empty() ? -1 : winner;
}

std::string SimStats::Report(double seconds) const {
    std::string out;
    char line[160];
    std::snprintf(line, sizeof line, "%-6s %9s %9s %6s %6s %8s %7s\n", "seat", "mean", "stddev", "min", "max", "wins",
                  "win%");
    out += line;
    for (int s = 0; s < Seats(); ++s) {
        const ScoreSeries& x = seats_[s];
        const double share = games_ ? 100.0 * static_cast<double>(wins_[s]) / static_cast<double>(games_) : 0.0;
        std::snprintf(line, sizeof line, "%-6d %9.2f %9.2f %6d %6d %8ld %6.1f%%\n", s + 1, x.Mean(), x.StdDev(),
                      x.Min(), x.Max(), wins_[s], share);
        out += line;
    }
    std::snprintf(line, sizeof line, "%-6s %9.2f %9.2f %6d %6d\n", "all", all_.Mean(), all_.StdDev(), all_.Min(),
                  all_.Max());
    out += line;
    const double rate = seconds > 0 ? static_cast<double>(games_) / seconds : 0.0;
    std::snprintf(line, sizeof line, "%ld games in %.3f s: %.0f games/s\n", games_, seconds, rate);
    out += line;
    return out;
}

}  // namespace quimba::sim
