#pragma once
// Final scores gathered over many games.

#include <string>
#include <vector>

namespace quimba::sim {

// Running mean and spread of a series of scores (Welford's method, so
// thousands of games do not lose precision).
class ScoreSeries {
public:
    void Add(int score);
    long Count() const { return count_; }
    double Mean() const { return count_ ? mean_ : 0.0; }
    // Population standard deviation; 0 for fewer than two scores.
    double StdDev() const;
    int Min() const { return min_; }
    int Max() const { return max_; }

private:
    long count_ = 0;
    double mean_ = 0.0;
    double m2_ = 0.0;
    int min_ = 0;
    int max_ = 0;
};

class SimStats {
public:
    explicit SimStats(int seats) : seats_(seats), wins_(seats, 0) {}
    // One finished game: each seat's final total, and the seat that won.
    void AddGame(const std::vector<int>& totals, int winner);
    const ScoreSeries& Seat(int seat) const { return seats_[seat]; }
    const ScoreSeries& All() const { return all_; }
    long Wins(int seat) const { return wins_[seat]; }
    long Games() const { return games_; }
    int Seats() const { return static_cast<int>(seats_.size()); }
    // The table printed at the end of a run.
    std::string Report(double seconds) const;

private:
    std::vector<ScoreSeries> seats_;
    ScoreSeries all_;
    std::vector<long> wins_;
    long games_ = 0;
};

// The seat that wins: the highest total, ties to the lower seat.
int WinningSeat(const std::vector<int>& totals);

}  // namespace quimba::sim
