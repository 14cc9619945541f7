#pragma once
// The review window: charts of each seat's expected final score and chance
// to win, the table of decisions and the per-seat summary of one game. It
// opens on the current game (F4 in the main window) or on a recorded game
// (OpenRecordedReview, for the history window's "open in review").

#include <QAbstractTableModel>
#include <QFrame>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "Game.h"
#include "Record.h"
#include "Review.h"

class QTableView;
class QLabel;
class QPushButton;

namespace quimba {
class StrategySource;
}  // namespace quimba
namespace quimba::store {
class PartyStore;
}  // namespace quimba::store

namespace quimba::ui {

// The texts of the review, each a line of the language file from
// kFirstReviewLine on, in this order.
enum ReviewText : int {
    kRevRowPoints,
    kRevThrowAll,
    kRevKeep,
    kRevExact,
    kRevInaccuracy,
    kRevMistake,
    kRevBlunder,
    kRevGift,
    kRevStandings,
    kRevReviewButton,
    kRevPlace,
    kRevPlayerColumn,
    kRevScore,
    kRevLuck,
    kRevCostOfDecisions,
    kRevTitle,
    kRevExpectedChart,
    kRevChancesChart,
    kRevDecisions,
    kRevSummary,
    kRevSheetThen,
    kRevDiceThen,
    kRevMoment,
    kRevReview,
    kRevKeyHelp,
    kRevTableNotReady,
    kRevColTurn,
    kRevColSeat,
    kRevColThrow,
    kRevColDice,
    kRevColChoice,
    kRevColBest,
    kRevColCost,
    kRevColVerdict,
    kRevSumSeat,
    kRevSumFinal,
    kRevSumStart,
    kRevSumLuck,
    kRevSumCost,
    kRevSumExact,
    kRevSumInaccuracies,
    kRevSumMistakes,
    kRevSumBlunders,
    kRevSumGifts,
    kRevChancesPanel,
    kRevChancesKeyHelp,
};
// Line n of the language file, as the window shows it.
using LineText = std::function<QString(int)>;

// What the window shows: the game as played, its review and the seats' names.
struct ReviewData {
    ReviewGame game;
    GameReview review;
    std::vector<std::string> names;
};

// The turns of a recorded game, undos taken out, for the review.
ReviewGame ReviewGameOf(const GameRecord& record);

// Collects the current game's turns from the game's events, passing every
// event on to the observer that was there before it.
class ReviewCollector : public GameObserver {
public:
    void Begin(const Game& g, GameObserver* next);
    const ReviewGame& Recorded() const { return game_; }
    void OnThrow(const Game& g) override;
    void OnWrite(const Game& g, int column, int row) override;
    void OnTally(const Game& g, int column) override;
    void OnEnd(const Game& g, const std::string& winner, int score) override;
    // Told once the game's end has been passed on.
    std::function<void()> onEnd;

private:
    GameObserver* next_ = nullptr;
    ReviewGame game_;
    ReviewTurn turn_;
};

// One row per decision: turn, throw, dice, choice, best, cost, verdict.
class DecisionModel : public QAbstractTableModel {
public:
    DecisionModel(const ReviewData& data, const LineText& line, QObject* parent = nullptr);
    int rowCount(const QModelIndex& = QModelIndex()) const override;
    int columnCount(const QModelIndex& = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    const ReviewData& data_;
    LineText line_;
};

// One row per seat: name, final, expected at start, luck, cost, verdict counts.
class SummaryModel : public QAbstractTableModel {
public:
    SummaryModel(const ReviewData& data, const LineText& line, QObject* parent = nullptr);
    int rowCount(const QModelIndex& = QModelIndex()) const override;
    int columnCount(const QModelIndex& = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    const ReviewData& data_;
    LineText line_;
};

class ReviewWindow : public QWidget {
public:
    ReviewWindow(ReviewData data, const LineText& line, QWidget* parent = nullptr);
    const ReviewData& Data() const { return data_; }
    DecisionModel& Decisions() { return *decisions_; }
    SummaryModel& Summary() { return *summary_; }
    // Shows the sheet and dice as they were at a decision.
    void ShowMoment(int decision);
    int Moment() const { return moment_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    ReviewData data_;
    LineText line_;
    DecisionModel* decisions_;
    SummaryModel* summary_;
    QTableView* table_;
    QTableView* sheet_;
    QLabel* dice_;
    int moment_ = -1;
};

// The seats' names as the sheet shows them.
std::vector<std::string> SeatNames(const Game& g);

// One line of the final standings.
struct Standing {
    int place = 0;  // 1 for the winner; equal scores share a place
    int seat = 0;
    std::string name;
    int score = 0;
    double luck = 0;
    double cost = 0;
    bool reviewed = false;  // luck and cost known (the table was ready)
};
// Best score first; equal scores in column order, as the game breaks ties.
std::vector<Standing> StandingsOf(const std::vector<std::string>& names, const std::vector<int>& scores,
                                  const GameReview* review);

// The final standings drawn over the dice table at the end of a game, with
// the way to the review.
class StandingsOverlay : public QFrame {
public:
    explicit StandingsOverlay(QWidget* over);
    void Show(const std::vector<Standing>& standings, const LineText& line);
    // The names a screen reader hears while it is hidden.
    void SetNames(const LineText& line);
    std::function<void()> onReview;
    QTableView* Table() const { return table_; }

private:
    QLabel* title_;
    QTableView* table_;
    QPushButton* review_;
};

// Reviews `game` and opens the window; a message box says why when the
// table is not ready or the game does not review.
void OpenReview(QWidget* parent, const ReviewGame& game, const std::vector<std::string>& names, StrategySource& tables,
                const LineText& line);
// Loads a recorded game from the games file and opens its review.
void OpenRecordedReview(QWidget* parent, const store::PartyStore& store, std::int64_t game, StrategySource& tables,
                        const LineText& line);

}  // namespace quimba::ui
