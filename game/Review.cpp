// The review: replays the turns on a sheet and, at every throw, asks the
// strategy table's advice what each choice is worth.
#include "Review.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "DiceAnalysis.h"
#include "ScoreSheet.h"
#include "ScoringRule.h"
#include "Strategy.h"
#include "WinChances.h"

namespace quimba {

namespace {

using FaceCounts = std::array<std::uint8_t, kFaces + 1>;

// Costs closer to zero than this are the rounding of two sums of the same
// choice taken in another order.
constexpr double kRounding = 1e-9;

FaceCounts KeptFaces(const std::array<std::uint8_t, kDice + 1>& keep, const std::array<std::uint8_t, kDice + 1>& dice) {
    FaceCounts counts{};
    for (int i = 1; i <= kDice; ++i)
        if (keep[i]) ++counts[dice[i]];
    return counts;
}

ReviewChoice FromAdvice(const Choice& c, const std::array<std::uint8_t, kDice + 1>& dice) {
    ReviewChoice r;
    r.write = c.kind == Choice::Write;
    if (r.write) {
        r.row = c.row;
        r.points = c.points;
    } else {
        r.keep = KeptFaces(c.keep, dice);
    }
    return r;
}

std::string TurnName(std::size_t turn) { return "turn " + std::to_string(turn + 1) + ": "; }

}  // namespace

Verdict VerdictOf(double cost, bool gift) {
    if (gift) return Verdict::Gift;
    if (cost <= kExactCost) return Verdict::Exact;
    if (cost < kInaccuracyCost) return Verdict::Inaccuracy;
    if (cost < kMistakeCost) return Verdict::Mistake;
    return Verdict::Blunder;
}

Result<GameReview> ReviewOf(const StrategyTable& table, const ReviewGame& game, const WinChances* chances) {
    using Reviewed = Result<GameReview>;
    if (game.type != table.Type()) return Reviewed::Failure("the strategy table is of another game type");
    if (chances && chances->Type() != game.type) return Reviewed::Failure("the chances are of another game type");
    if (game.players < 1 || game.players > kColumns) return Reviewed::Failure("a game has 1 to 5 players");
    if (game.turns.size() > static_cast<std::size_t>(kRounds * game.players))
        return Reviewed::Failure("more turns than a game has");

    GameReview review;
    // On the heap: clang 14 crashes on this function with the sheet on the
    // stack under the sanitizers the fuzz build uses.
    const auto sheetHeld = std::make_unique<ScoreSheet>();
    ScoreSheet& sheet = *sheetHeld;
    auto expected = [&](int seat) { return ColumnPoints(sheet, seat) + table.Value(ColumnStateOf(sheet, seat)); };
    review.seats.resize(game.players);
    for (SeatReview& s : review.seats) s.start = table.Value({});

    auto turnStart = [&](std::size_t turn, int seat) {
        ReviewTurnStart start;
        start.turn = static_cast<int>(turn);
        start.seat = seat;
        for (int c = 0; c < game.players; ++c) {
            start.points.push_back(ColumnPoints(sheet, c));
            start.expected.push_back(expected(c));
        }
        if (chances) start.chances = chances->Chances(SeatPositions(sheet, game.players));
        review.starts.push_back(std::move(start));
    };

    for (std::size_t t = 0; t < game.turns.size(); ++t) {
        const ReviewTurn& turn = game.turns[t];
        const int seat = static_cast<int>(t % game.players);
        const int round = static_cast<int>(t / game.players);
        const std::string where = TurnName(t);
        if (turn.seat != seat) return Reviewed::Failure(where + "seat " + std::to_string(turn.seat) + " out of turn");
        if (turn.throws.empty() || turn.throws.size() > kMaxThrows)
            return Reviewed::Failure(where + "a turn has 1 to 3 throws");
        const bool forced = game.type != kNormal;
        const int forcedRow = ForcedRow(game.type, round);
        if (!IsChosenRow(turn.row) || !sheet.Free(seat, turn.row) || (forced && turn.row != forcedRow))
            return Reviewed::Failure(where + "row " + std::to_string(turn.row) + " may not be written");
        if (turn.points < 0 || turn.points > kMaxRowPoints) return Reviewed::Failure(where + "points out of range");

        turnStart(t, seat);
        GameState gs;
        gs.typejeu = game.type;
        gs.nbjoueurs = game.players;
        gs.joueur = seat;
        gs.tour = round;
        gs.ligneimposee = forced ? forcedRow : 0;
        double before = expected(seat);
        for (std::size_t n = 0; n < turn.throws.size(); ++n) {
            const ReviewThrow& th = turn.throws[n];
            for (int i = 0; i < kDice; ++i) {
                if (th.dice[i] < 1 || th.dice[i] > kFaces) return Reviewed::Failure(where + "a die out of 1..6");
                if (th.kept[i] && (n == 0 || th.dice[i] != turn.throws[n - 1].dice[i]))
                    return Reviewed::Failure(where + "a kept die changed");
                gs.valeurde[i + 1] = th.dice[i];
                gs.garde[i + 1] = th.kept[i] ? 1 : 0;
            }
            gs.nblancers = static_cast<int>(n) + 1;
            const std::vector<Choice> choices = Advise(table, sheet, gs);
            if (choices.empty()) return Reviewed::Failure(where + "nothing to decide");
            const Choice& best = choices.front();

            ReviewLuck luck;
            luck.turn = static_cast<int>(t);
            luck.seat = seat;
            luck.throwNumber = gs.nblancers;
            luck.before = before;
            luck.after = best.value;
            luck.luck = luck.after - luck.before;
            review.throws.push_back(luck);
            review.seats[seat].luck += luck.luck;

            ReviewDecision d;
            d.turn = static_cast<int>(t);
            d.seat = seat;
            d.round = round;
            d.throwNumber = gs.nblancers;
            d.dice = th.dice;
            d.best = FromAdvice(best, gs.valeurde);
            d.bestValue = best.value;
            bool gift = false;
            if (n + 1 < turn.throws.size()) {
                // Kept: the dice the next throw left on the table.
                std::array<std::uint8_t, kDice + 1> keep{};
                for (int i = 0; i < kDice; ++i) keep[i + 1] = turn.throws[n + 1].kept[i];
                d.chosen.keep = KeptFaces(keep, gs.valeurde);
                const auto it = std::find_if(choices.begin(), choices.end(), [&](const Choice& c) {
                    return c.kind == Choice::Keep && KeptFaces(c.keep, gs.valeurde) == d.chosen.keep;
                });
                if (it == choices.end()) return Reviewed::Failure(where + "a kept set the advice does not know");
                d.chosenValue = it->value;
                before = d.chosenValue;
            } else {
                d.chosen.write = true;
                d.chosen.row = turn.row;
                d.chosen.points = turn.points;
                const DiceAnalysis a = AnalyseDice(gs.valeurde, {});
                gift = turn.points > RowPointsFor(turn.row, a.figure, a.sommeface, a.sommedes);
                // The points written, whatever the dice show, make the column's future.
                sheet.SetCell(seat, turn.row, std::to_string(turn.points));
                d.chosenValue = expected(seat);
            }
            d.cost = d.bestValue - d.chosenValue;
            if (std::abs(d.cost) < kRounding) d.cost = 0;
            d.verdict = VerdictOf(d.cost, gift);
            review.seats[seat].cost += d.cost;
            ++review.seats[seat].verdicts[static_cast<int>(d.verdict)];
            review.decisions.push_back(d);
        }
    }
    turnStart(game.turns.size(), -1);
    for (int c = 0; c < game.players; ++c) {
        review.seats[c].points = ColumnPoints(sheet, c);
        review.seats[c].finished = ColumnStateOf(sheet, c).filled == (1u << kChosenRows.size()) - 1;
    }
    return review;
}

}  // namespace quimba
