// The simulator's review feed: each game's turns as the review reads them, and the chances to win at every turn start
// for the trace.
#include "ReviewRecorder.h"

#include <cstdio>

#include "SimOptions.h"

namespace quimba::sim {

void ReviewRecorder::BeginGame(int type, int players) {
    game_ = ReviewGame{};
    game_.type = type;
    game_.players = players;
    turn_ = ReviewTurn{};
}

void ReviewRecorder::OnThrow(const Game& g) {
    if (g.S.nblancers == 1) {
        turn_ = ReviewTurn{};
        turn_.seat = g.S.joueur;
        // The dice of the first throw are on the table already, but the
        // chances read only the sheet, which they have not changed.
        if (chances_ && chancesOut_) {
            *chancesOut_ << "{\"ev\":\"chances\",\"p\":[";
            const std::vector<double> p = chances_->Chances(SeatPositions(g.Grid, g.S.nbjoueurs));
            for (std::size_t i = 0; i < p.size(); ++i) {
                char number[32];
                std::snprintf(number, sizeof number, "%.6f", p[i]);
                *chancesOut_ << (i ? "," : "") << number;
            }
            *chancesOut_ << "]}\n";
        }
    }
    ReviewThrow th;
    for (int i = 1; i <= kDice; ++i) {
        th.kept[i - 1] = g.S.nblancers > 1 && g.S.alancer[i] == 0 ? 1 : 0;
        th.dice[i - 1] = g.S.valeurde[i];
    }
    turn_.throws.push_back(th);
    if (next_) next_->OnThrow(g);
}

void ReviewRecorder::OnWrite(const Game& g, int column, int row) {
    turn_.row = row;
    turn_.points = g.Grid.Value(column, row);
    game_.turns.push_back(turn_);
    if (next_) next_->OnWrite(g, column, row);
}

void ReviewRecorder::OnTally(const Game& g, int column) {
    if (next_) next_->OnTally(g, column);
}

void ReviewRecorder::OnEnd(const Game& g, const std::string& winner, int score) {
    if (next_) next_->OnEnd(g, winner, score);
}

std::string ReviewLine(long game, int seat, int type, const SeatReview& review, int final) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "{\"game\":%ld,\"seat\":%d,\"type\":\"%s\",\"start\":%.4f,\"luck\":%.4f,\"cost\":%.4f,\"final\":%d}",
                  game, seat, TypeName(type), review.start, review.luck, review.cost, final);
    return line;
}

}  // namespace quimba::sim
